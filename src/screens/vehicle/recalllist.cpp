#include "recalllist.h"

#include "app/appmodel.h"
#include "app/modelobserver.h"
#include "clampedtext.h"
#include "data/nhtsatext.h"
#include "data/provenance.h"
#include "data/vorel.h"
#include "divider.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvtextlabel.h"
#include "look/fvpalette.h"
#include "look/gaugelabel.h"
#include "look/tag.h"
#include "monodigitstext.h"
#include "recallrules.h"
#include "rowbutton.h"
#include "screenbits.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

RowButton *recallRow(const Recall &recall)
{
    const QColor dim = FVPalette::current().dim;
    auto *row = new RowButton(new QHBoxLayout);
    row->setObjectName(QStringLiteral("recall"));
    row->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    auto *campaignCell = new QWidget;
    auto *campaignBox = new QHBoxLayout(campaignCell);
    campaignBox->setContentsMargins(0, 0, 0, 0);
    campaignBox->addWidget(new MonoDigitsText(recall.campaign, 12.5, QFont::ExtraBold));
    campaignBox->addStretch(1);
    row->rowLayout()->addWidget(campaignCell, 0, Qt::AlignTop);

    auto *texts = new QVBoxLayout;
    auto *head = new QHBoxLayout;
    auto *component = new KVTextLabel(RecallRules::component(recall), 13, QFont::Bold);
    component->setElided(true);
    head->addWidget(component, 0, Qt::AlignVCenter);
    for (const RecallRules::TagInfo &tag : RecallRules::tags(recall))
        head->addWidget(new Tag(tag.text, tag.color), 0, Qt::AlignVCenter);
    head->addStretch(1);
    texts->addLayout(head);
    auto *summary = new ClampedText(12, QFont::Normal, 2);
    summary->setText(NHTSAText::sentenceCase(recall.summary));
    summary->setColor(dim);
    summary->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    texts->addWidget(summary);
    row->rowLayout()->addLayout(texts, 1);

    auto *date = new KVTextLabel(recall.reportDate, 11);
    date->setColor(dim);
    row->rowLayout()->addWidget(date, 0, Qt::AlignTop);
    // The badges belong to the name; the summary is the description.
    QString name = QStringLiteral("Recall ") + recall.campaign + QStringLiteral(": ") + RecallRules::component(recall);
    for (const RecallRules::TagInfo &tag : RecallRules::tags(recall))
        name += QStringLiteral(", ") + tag.text;
    row->setAccessibleName(name);
    row->setAccessibleDescription(summary->text());

    const auto metrics = [row, campaignCell, texts, head] {
        row->rowLayout()->setSpacing(KVScale::ipt(10));
        campaignCell->setFixedWidth(KVScale::ipt(96));
        texts->setSpacing(KVScale::ipt(2));
        head->setSpacing(KVScale::ipt(6));
    };
    metrics();
    KVScaleWatch::follow(row, metrics);
    return row;
}

} // namespace

RecallList::RecallList(AppModel &model, VehicleRecordsSource records, QWidget *parent)
    : Bezel(parent)
    , m_model(model)
    , m_observer(new ModelObserver(this, [this] { refresh(); }))
    , m_count(new KVTextLabel(13, QFont::Bold))
    , m_empty(new KVTextLabel(RecallRules::emptyText(), 13))
    , m_list(new QVBoxLayout)
    , m_sample(ScreenBits::sampleNote())
{
    m_records = std::move(records); // before the first refresh, which may read them
    setObjectName(QStringLiteral("recalls"));
    ScreenBits::countedList(this, new GaugeLabel(RecallRules::heading(), FVPalette::red()), m_count, m_empty, m_list,
                            m_sample);

    m_observer->watchModel(m_model, {AppModel::Field::Data, AppModel::Field::CurrentVehicle,
                                     AppModel::Field::CurrentYear});
    m_observer->refreshNow();
}

void RecallList::refresh()
{
    const auto page = shownRecords(m_model, m_records, &VehicleYearRecords::recalls, &Vorel::recalls);
    if (!page)
        return;
    const QList<Recall> &recalls = page->value;
    m_count->setPlain(QString::number(recalls.size()));
    m_empty->setVisible(recalls.isEmpty());
    m_sample->setVisible(RecallRules::anySample(Provenance::of(m_model.data()), recalls));
    if (m_filled && recalls == m_recalls)
        return;
    ScreenBits::clear(m_list);
    m_buttons.clear();
    for (const Recall &recall : recalls) {
        RowButton *row = recallRow(recall);
        const QString campaign = recall.campaign;
        connect(row, &QAbstractButton::clicked, this, [this, campaign] { m_model.setRecallShown(campaign); });
        m_list->addWidget(row);
        m_list->addWidget(new Divider(0.3));
        m_buttons.append(row);
    }
    m_recalls = recalls;
    m_filled = true;
}

QString RecallList::countText() const
{
    return m_count->text();
}

bool RecallList::showsEmptyText() const
{
    return !m_empty->isHidden();
}
