#include "tsbrow.h"

#include "clampedtext.h"
#include "kit/kvchromebutton.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvtextlabel.h"
#include "look/fvpalette.h"
#include "look/reflowrow.h"
#include "look/tag.h"
#include "monodigitstext.h"
#include "tsblistrules.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

TSBRow::TSBRow(KVChromeButton *button, QWidget *parent)
    : QWidget(parent)
    , m_button(button)
    , m_date(new MonoDigitsText(QString(), 11.5, QFont::Bold))
    , m_doc(new ClampedText(10.5, QFont::Normal, 1))
    , m_components(new KVTextLabel(12.5, QFont::Bold))
    , m_summary(new KVTextLabel(12))
    , m_head(new QHBoxLayout)
{
    const QColor dim = FVPalette::current().dim;
    setObjectName(QStringLiteral("bulletin"));
    auto *line = new QHBoxLayout(this);
    line->setContentsMargins(0, 0, 0, 0);

    auto *dateCell = new QWidget;
    auto *dateBox = new QVBoxLayout(dateCell);
    dateBox->setContentsMargins(0, 0, 0, 0);
    dateBox->addWidget(m_date);
    m_doc->setColor(dim);
    dateBox->addWidget(m_doc);
    line->addWidget(dateCell, 0, Qt::AlignTop);

    auto *texts = new QVBoxLayout;
    m_head->addWidget(m_components, 0, Qt::AlignVCenter);
    m_head->addStretch(1);
    texts->addLayout(m_head);
    m_summary->setColor(dim);
    m_summary->setWordWrap(true);
    m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
    texts->addWidget(m_summary);
    line->addLayout(texts, 1);
    line->addWidget(button, 0, Qt::AlignTop);

    const auto metrics = [line, dateCell, dateBox, texts, head = m_head] {
        line->setSpacing(KVScale::ipt(10));
        dateCell->setFixedWidth(KVScale::ipt(104));
        dateBox->setSpacing(KVScale::ipt(2));
        texts->setSpacing(KVScale::ipt(2));
        head->setSpacing(KVScale::ipt(6));
    };
    metrics();
    KVScaleWatch::follow(this, metrics);
    // A narrow page puts date, text and button under each other, and the
    // type's tag under the components.
    new ReflowRow(this, line, 420, [head = m_head](bool stacked) {
        head->setDirection(stacked ? QBoxLayout::TopToBottom : QBoxLayout::LeftToRight);
    });
}

void TSBRow::setBulletin(const TSB &tsb)
{
    m_tsb = tsb;
    m_date->setText(tsb.date);
    m_doc->setText(tsb.documentID);
    m_components->setPlain(TSBListRules::components(tsb));
    const QString type = TSBListRules::showsType(tsb) ? tsb.type : QString();
    if (!m_tag || m_tag->text() != type) {
        // A tag keeps its text: another type takes a new one.
        delete m_tag;
        m_tag = nullptr;
        if (!type.isEmpty()) {
            m_tag = new Tag(type, QColor::fromRgbF(0.4f, 0.4f, 0.4f));
            // Aligned left too, so that stacked it does not cap the width of the texts.
            m_head->insertWidget(1, m_tag, 0, Qt::AlignLeft | Qt::AlignVCenter);
        }
    }
    m_summary->setPlain(TSBListRules::summary(tsb));
}
