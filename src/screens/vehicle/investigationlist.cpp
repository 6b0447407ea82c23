#include "investigationlist.h"

#include "app/appmodel.h"
#include "app/modelobserver.h"
#include "clampedtext.h"
#include "data/nhtsatext.h"
#include "data/provenance.h"
#include "data/vorel.h"
#include "investigationrules.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvtextlabel.h"
#include "look/fvpalette.h"
#include "look/gaugelabel.h"
#include "monodigitstext.h"
#include "rowbutton.h"
#include "screenbits.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

// One investigation: the head line, and while open the summary and the
// recall it led to.
class InvestigationRow : public RowButton
{
public:
    explicit InvestigationRow(const Investigation &item)
        : RowButton(new QVBoxLayout)
        , m_item(item)
        , m_head(new QHBoxLayout)
    {
        setObjectName(QStringLiteral("investigation"));
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        const QColor dim = FVPalette::current().dim;
        m_head->addWidget(new MonoDigitsText(item.action, 12.5, QFont::ExtraBold), 0, Qt::AlignVCenter);
        auto *subject = new ClampedText(13, QFont::Bold, 1);
        subject->setText(NHTSAText::sentenceCase(item.subject));
        subject->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
        m_head->addWidget(subject, 1, Qt::AlignVCenter);
        auto *dates = new KVTextLabel(InvestigationRules::dates(item), 11);
        dates->setColor(dim);
        m_head->addWidget(dates, 0, Qt::AlignVCenter);
        rowLayout()->addLayout(m_head);
        setAccessibleName(item.action + QStringLiteral(": ") + subject->text());
        applyMetrics();
        KVScaleWatch::follow(this, [this] { applyMetrics(); });
    }

    const Investigation &item() const { return m_item; }
    QStringList openLines() const { return m_lines; }

    void setOpen(bool open)
    {
        if (open == (m_summary != nullptr))
            return;
        if (!open) {
            delete m_summary;
            delete m_recall;
            m_summary = nullptr;
            m_recall = nullptr;
            m_lines.clear();
            return;
        }
        m_summary = new KVTextLabel(NHTSAText::sentenceCase(m_item.summary), 12);
        m_summary->setWordWrap(true);
        m_summary->setTextInteractionFlags(Qt::TextSelectableByMouse);
        rowLayout()->addWidget(m_summary);
        m_lines = {m_summary->text()};
        if (const auto line = InvestigationRules::recallLine(m_item)) {
            m_recall = new KVTextLabel(*line, 11.5, QFont::DemiBold);
            m_recall->setColor(FVPalette::amberText());
            rowLayout()->addWidget(m_recall);
            m_lines << *line;
        }
    }

private:
    void applyMetrics()
    {
        rowLayout()->setSpacing(KVScale::ipt(3));
        m_head->setSpacing(KVScale::ipt(8));
    }

    Investigation m_item;
    QHBoxLayout *m_head;
    KVTextLabel *m_summary = nullptr;
    KVTextLabel *m_recall = nullptr;
    QStringList m_lines;
};

InvestigationList::InvestigationList(AppModel &model, VehicleRecordsSource records, QWidget *parent)
    : Bezel(parent)
    , m_model(model)
    , m_observer(new ModelObserver(this, [this] { refresh(); }))
    , m_count(new KVTextLabel(13, QFont::Bold))
    , m_empty(new KVTextLabel(InvestigationRules::emptyText(), 13))
    , m_list(new QVBoxLayout)
    , m_sample(ScreenBits::sampleNote())
{
    m_records = std::move(records); // before the first refresh, which may read them
    setObjectName(QStringLiteral("investigations"));
    ScreenBits::countedList(this, new GaugeLabel(InvestigationRules::heading(), FVPalette::amber()), m_count, m_empty,
                            m_list, m_sample);

    m_observer->watchModel(m_model, {AppModel::Field::Data, AppModel::Field::CurrentVehicle,
                                     AppModel::Field::CurrentYear});
    m_observer->refreshNow();
}

void InvestigationList::refresh()
{
    if (const auto page = shownRecords(m_model, m_records, &VehicleYearRecords::investigations, &Vorel::investigations))
        setItems(page->value);
    for (InvestigationRow *row : std::as_const(m_rows))
        row->setOpen(m_open == row->item().action);
}

void InvestigationList::setItems(const QList<Investigation> &items)
{
    m_count->setPlain(QString::number(items.size()));
    m_empty->setVisible(items.isEmpty());
    m_sample->setVisible(Provenance::of(m_model.data()).generated(Provenance::Kind::Investigations));
    if (m_filled && items == m_items)
        return;
    qDeleteAll(m_rows);
    m_rows.clear();
    for (const Investigation &item : items) {
        auto *row = new InvestigationRow(item);
        const QString action = item.action;
        // The click only notes the choice; the rows change at the next turn
        // of the event loop.
        connect(row, &QAbstractButton::clicked, this, [this, action] {
            m_open = InvestigationRules::toggled(m_open, action);
            m_observer->schedule();
        });
        m_list->addWidget(row);
        m_rows.append(row);
    }
    m_items = items;
    m_filled = true;
}

QString InvestigationList::countText() const
{
    return m_count->text();
}

bool InvestigationList::showsEmptyText() const
{
    return !m_empty->isHidden();
}

QList<QAbstractButton *> InvestigationList::rowButtons() const
{
    QList<QAbstractButton *> out;
    for (InvestigationRow *row : m_rows)
        out << row;
    return out;
}

QStringList InvestigationList::openLines() const
{
    for (InvestigationRow *row : m_rows) {
        if (!row->openLines().isEmpty())
            return row->openLines();
    }
    return {};
}
