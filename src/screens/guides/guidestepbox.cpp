#include "guidestepbox.h"

#include "app/appmodel.h"
#include "guidewalk.h"
#include "kit/kvchromebutton.h"
#include "kit/kvtextlabel.h"
#include "look/fvpalette.h"
#include "look/gaugelabel.h"
#include "look/tag.h"
#include "ptlayout.h"
#include "screenbits.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

GuideStepBox::GuideStepBox(const Guide &g, const GuideNode &node, const QStringList &path, AppModel &m,
                           QWidget *parent)
    : Bezel(24, 18, parent)
    , m_guide(g)
    , m_path(path)
    , m_model(m)
{
    setObjectName(QStringLiteral("stepBox"));
    const FVPalette pal = FVPalette::current();
    auto *content = new QWidget;
    auto *column = PtLayout::column(content, 10);

    auto *top = PtLayout::row(6, content);
    auto *label = new GaugeLabel(GuideWalk::stepLabel(node, path));
    label->setObjectName(QStringLiteral("stepLabel"));
    top->addWidget(label);
    top->addStretch(1);
    if (GuideWalk::canGoBack(path)) {
        m_back = new KVChromeButton(QStringLiteral("Back"), false, true);
        connect(m_back, &QAbstractButton::clicked, this, [this] { m_model.setGuidePath(GuideWalk::back(m_path)); });
        top->addWidget(m_back);
    }
    m_startOver = new KVChromeButton(QStringLiteral("Start over"), false, true);
    connect(m_startOver, &QAbstractButton::clicked, this, [this] { m_model.setGuidePath({}); });
    top->addWidget(m_startOver);
    column->addLayout(top);

    auto *text = ScreenBits::wrapped(node.text, 19, QFont::Bold);
    text->setObjectName(QStringLiteral("stepText"));
    column->addWidget(text);
    if (!node.detail.isEmpty())
        column->addWidget(ScreenBits::wrapped(node.detail, 13.5, QFont::Normal, pal.dim));

    auto *buttons = PtLayout::row(12, content);
    switch (GuideWalk::answerKind(node)) {
    case GuideWalk::Answers::YesNo:
        m_answers << new KVChromeButton(QStringLiteral("Yes"), true, false)
                  << new KVChromeButton(QStringLiteral("No"), false, false);
        connect(m_answers[0], &QAbstractButton::clicked, this, [this, next = node.yes] { go(next); });
        connect(m_answers[1], &QAbstractButton::clicked, this, [this, next = node.no] { go(next); });
        break;
    case GuideWalk::Answers::Done:
        m_answers << new KVChromeButton(QStringLiteral("Done \u2014 next"), true, false);
        connect(m_answers[0], &QAbstractButton::clicked, this, [this, next = node.yes] { go(next); });
        break;
    case GuideWalk::Answers::End:
        buttons->addWidget(new Tag(QStringLiteral("End of this guide"), FVPalette::green(),
                                   QStringLiteral("flag.checkered")));
        break;
    }
    for (KVChromeButton *b : std::as_const(m_answers))
        buttons->addWidget(b);
    buttons->addStretch(1);
    column->addLayout(buttons);

    if (GuideWalk::canGoBack(path)) {
        auto *answers = ScreenBits::wrapped(GuideWalk::answers(g, path), 10.5, QFont::Normal, pal.dim);
        answers->setObjectName(QStringLiteral("answers"));
        column->addWidget(answers);
    }
    setContent(content);
}

void GuideStepBox::go(const std::optional<QString> &next)
{
    if (const auto path = GuideWalk::go(m_path, next))
        m_model.setGuidePath(*path);
}

void GuideStepBox::focusFirstAction()
{
    // At an end, Back undoes less than Start over would.
    if (!m_answers.isEmpty())
        m_answers.front()->setFocus(Qt::OtherFocusReason);
    else if (m_back)
        m_back->setFocus(Qt::OtherFocusReason);
    else
        m_startOver->setFocus(Qt::OtherFocusReason);
}
