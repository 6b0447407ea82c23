#include "guiderunner.h"

#include "app/appmodel.h"
#include "data/vorel.h"
#include "guiderefsbox.h"
#include "guidesafetybox.h"
#include "guidestepbox.h"
#include "guidewalk.h"
#include "kit/kvlinklabel.h"
#include "kit/kvtextlabel.h"
#include "look/bezel.h"
#include "look/fvpalette.h"
#include "look/gaugelabel.h"
#include "ptlayout.h"
#include "screenbits.h"
#include "sourcelinks.h"

#include <QApplication>
#include <QVBoxLayout>

GuideRunner::GuideRunner(AppModel &model, QWidget *parent)
    : QWidget(parent)
    , m_model(model)
    , m_box(PtLayout::column(this, 12))
{
    setObjectName(QStringLiteral("guideRunner"));
}

void GuideRunner::clear()
{
    while (QLayoutItem *item = m_box->takeAt(0)) {
        if (QWidget *w = item->widget()) {
            // The step box may be running the answer that led here.
            w->hide();
            w->deleteLater();
        }
        delete item;
    }
    m_step = nullptr;
}

void GuideRunner::showGuide(const Vorel *data, const std::optional<Guide> &g)
{
    const QStringList stored = m_model.guidePath();
    if (m_built && data == m_data && g == m_guide && stored == m_stored)
        return;
    // An answer given from the keyboard keeps the keyboard in the step box.
    const QWidget *focus = QApplication::focusWidget();
    const bool focusInStep = m_step && focus && m_step->isAncestorOf(focus);
    clear();
    m_built = true;
    m_data = data;
    m_guide = g;
    m_stored = stored;
    m_path.clear();
    if (!data || !g)
        return;

    m_path = GuideWalk::path(*g, stored);
    const QHash<QString, SourceRef> sources = data->sources();
    m_box->addWidget(header(*g));
    m_box->addWidget(new GuideSafetyBox(*g, data->safetyNotes(), sources));
    if (const std::optional<GuideNode> node = GuideWalk::current(*g, m_path)) {
        m_step = new GuideStepBox(*g, *node, m_path, m_model);
        m_box->addWidget(m_step);
    }
    m_box->addWidget(proBox(*g));
    m_box->addWidget(new GuideRefsBox(*g, sources));
    if (focusInStep && m_step)
        m_step->focusFirstAction();
}

QWidget *GuideRunner::header(const Guide &g) const
{
    const FVPalette pal = FVPalette::current();
    auto *content = new QWidget;
    auto *column = PtLayout::column(content, 6);
    auto *system = new KVTextLabel(g.system.toUpper(), 11, QFont::Black);
    system->setTracking(2);
    system->setColor(pal.accentText());
    system->setWordWrap(true);
    column->addWidget(system);
    auto *title = ScreenBits::wrapped(g.title, 24, QFont::ExtraBold);
    title->setObjectName(QStringLiteral("guideTitle"));
    column->addWidget(title);
    column->addWidget(ScreenBits::wrapped(g.summary, 13.5, QFont::Normal, pal.dim));
    auto *panel = ScreenBits::bezel(content, 26, 18);
    panel->setObjectName(QStringLiteral("guideHeader"));
    return panel;
}

QWidget *GuideRunner::proBox(const Guide &g) const
{
    auto *content = new QWidget;
    auto *column = PtLayout::column(content, 6);
    column->addWidget(new GaugeLabel(QStringLiteral("See a professional when\u2026"), FVPalette::amber()));
    for (const QString &line : g.proWhen)
        column->addWidget(ScreenBits::wrapped(QStringLiteral("\u2022 ") + line, 13));
    column->addWidget(ScreenBits::link(QStringLiteral("Find an ASE-certified technician"),
                                       SourceLinks::technicianFinder(), 12));
    auto *panel = ScreenBits::bezel(content);
    panel->setObjectName(QStringLiteral("proBox"));
    return panel;
}
