#include "complaintchart.h"

#include "app/appmodel.h"
#include "platform/fvinfo.h"
#include "app/modelobserver.h"
#include "clampedtext.h"
#include "complaintbar.h"
#include "complaintchartrules.h"
#include "data/provenance.h"
#include "data/vorel.h"
#include "kit/kvaccessible.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvtextlabel.h"
#include "look/fvpalette.h"
#include "look/gaugelabel.h"
#include "look/rovingfocus.h"
#include "look/tag.h"
#include "monodigitstext.h"
#include "platform/text.h"
#include "rowbutton.h"
#include "screenbits.h"

#include <QHBoxLayout>
#include <QResizeEvent>
#include <algorithm>
#include <QVBoxLayout>

// One area: the clickable row of name, bar, count and mark, and below it the
// detail block while the area is open.
class ComplaintAreaRow : public QWidget
{
public:
    ComplaintAreaRow(const ComplaintRow &area, qint64 scale, std::function<void()> toggle)
        : m_area(area)
        , m_box(new QVBoxLayout(this))
        , m_line(new QHBoxLayout)
        , m_name(new ClampedText(13, QFont::DemiBold, 1))
        , m_countCell(new QWidget)
        , m_markCell(new QWidget)
    {
        m_box->setContentsMargins(0, 0, 0, 0);
        m_button = new RowButton(m_line);
        m_button->setObjectName(QStringLiteral("area"));
        m_button->setAccessibleName(ComplaintChartRules::spokenName(area));
        KVAccessible::setExpanded(m_button, false);
        m_name->setText(area.display());
        m_line->addWidget(m_name, 0, Qt::AlignVCenter);
        m_line->addWidget(new ComplaintBar(area.complaints, scale, area.notablyHigh()), 1, Qt::AlignVCenter);

        auto *count = new QHBoxLayout(m_countCell);
        count->setContentsMargins(0, 0, 0, 0);
        count->addStretch(1);
        count->addWidget(new MonoDigitsText(Text::grouped(area.complaints), 12, QFont::Bold));
        m_line->addWidget(m_countCell, 0, Qt::AlignVCenter);

        auto *mark = new QHBoxLayout(m_markCell);
        mark->setContentsMargins(0, 0, 0, 0);
        mark->addStretch(1);
        if (area.notablyHigh())
            mark->addWidget(new Tag(ComplaintChartRules::tagText(area.shareIndex), FVPalette::red(),
                                    QStringLiteral("exclamationmark.triangle.fill")));
        m_line->addWidget(m_markCell, 0, Qt::AlignVCenter);
        m_box->addWidget(m_button);
        QObject::connect(m_button, &QAbstractButton::clicked, m_button, std::move(toggle));
        applyMetrics();
        KVScaleWatch::follow(this, [this] { applyMetrics(); });
    }

    const ComplaintRow &area() const { return m_area; }
    QAbstractButton *button() const { return m_button; }
    QStringList detailLines() const { return m_detail ? m_lines : QStringList(); }

    // Shows or removes the detail block; the sub-areas are read when it opens.
    void setOpen(bool open, const Vorel &data, qint64 vid, qint64 year)
    {
        if (open == (m_detail != nullptr))
            return;
        KVAccessible::setExpanded(m_button, open);
        if (!open) {
            delete m_detail;
            m_detail = nullptr;
            m_lines.clear();
            return;
        }
        m_detail = new QWidget;
        auto *box = new QVBoxLayout(m_detail);
        box->setContentsMargins(KVScale::ipt(18), 0, 0, 0);
        box->setSpacing(KVScale::ipt(2));
        m_lines = {ComplaintChartRules::comparisonLine(m_area, year)};
        auto *comparison = new KVTextLabel(m_lines.first(), 11.5);
        comparison->setColor(FVPalette::current().dim);
        comparison->setWordWrap(true);
        box->addWidget(comparison);
        const auto subAreas = ComplaintChartRules::shownSubAreas(data.complaintDetail(vid, year, m_area.component));
        for (const ComplaintRow &sub : subAreas) {
            m_lines << ComplaintChartRules::subAreaLine(sub);
            auto *line = new KVTextLabel(m_lines.last(), 12);
            line->setWordWrap(true);
            box->addWidget(line);
        }
        m_box->addWidget(m_detail);
    }

private:
    void applyMetrics()
    {
        m_box->setSpacing(KVScale::ipt(4));
        m_line->setSpacing(KVScale::ipt(10));
        m_countCell->setFixedWidth(KVScale::ipt(56));
        fitColumns();
    }

    void resizeEvent(QResizeEvent *event) override
    {
        QWidget::resizeEvent(event);
        fitColumns();
    }

    // The name and mark columns give way in a narrow page, alike in every
    // row (all rows are as wide), so the columns stay aligned. A very narrow
    // page moves the mark under its bar.
    void fitColumns()
    {
        const double points = width() / KVScale::factor();
        const bool under = points < kMarkUnder;
        m_name->setFixedWidth(KVScale::ipt(std::clamp(points * 0.3, under ? 60.0 : 100.0, 230.0)));
        if (under != m_markUnder) {
            m_markUnder = under;
            if (under) {
                m_line->removeWidget(m_markCell);
                m_box->insertWidget(1, m_markCell);
            } else {
                m_box->removeWidget(m_markCell);
                m_line->addWidget(m_markCell, 0, Qt::AlignVCenter);
            }
        }
        if (under) {
            m_markCell->setMinimumWidth(0);
            m_markCell->setMaximumWidth(QWIDGETSIZE_MAX);
            m_markCell->setVisible(m_area.notablyHigh());
        } else {
            m_markCell->setFixedWidth(KVScale::ipt(points < 560 ? 140 : 170));
            m_markCell->show();
        }
    }

    static constexpr double kMarkUnder = 420;
    bool m_markUnder = false;

    ComplaintRow m_area;
    QVBoxLayout *m_box;
    QHBoxLayout *m_line;
    RowButton *m_button = nullptr;
    ClampedText *m_name;
    QWidget *m_countCell;
    QWidget *m_markCell;
    QWidget *m_detail = nullptr;
    QStringList m_lines;
};

ComplaintChart::ComplaintChart(AppModel &model, VehicleRecordsSource records, QWidget *parent)
    : Bezel(parent)
    , m_model(model)
    , m_observer(new ModelObserver(this, [this] { refresh(); }))
    , m_count(new KVTextLabel(13, QFont::Bold))
    , m_empty(new KVTextLabel(ComplaintChartRules::emptyText(), 13))
    , m_areas(new QVBoxLayout)
    , m_totals(new KVTextLabel(11))
    , m_caption(new KVTextLabel(ComplaintChartRules::caption(FVInfo::complaintsLabel()), 13, QFont::DemiBold))
{
    m_focus = new RovingFocus(this);
    m_records = std::move(records); // before the first refresh, which may read them
    setObjectName(QStringLiteral("complaints"));
    const FVPalette palette = FVPalette::current();
    auto *content = new QWidget;
    auto *box = new QVBoxLayout(content);
    box->setContentsMargins(0, 0, 0, 0);
    box->addLayout(ScreenBits::headingRow(new GaugeLabel(ComplaintChartRules::heading()), m_count));
    m_caption->setColor(FVPalette::amberText());
    m_caption->setWordWrap(true);
    box->addWidget(m_caption);
    m_empty->setColor(palette.dim);
    box->addWidget(m_empty);
    m_areas->setContentsMargins(0, 0, 0, 0);
    box->addLayout(m_areas);
    auto *footnote = new KVTextLabel(ComplaintChartRules::footnote(), 11);
    footnote->setColor(palette.dim);
    footnote->setWordWrap(true);
    box->addWidget(footnote);
    m_totals->setColor(palette.dim);
    m_totals->setWordWrap(true);
    box->addWidget(m_totals);
    setContent(content);

    const auto metrics = [box, this] {
        box->setSpacing(KVScale::ipt(10));
        m_areas->setSpacing(KVScale::ipt(10));
    };
    metrics();
    KVScaleWatch::follow(this, metrics);

    m_observer->watchModel(m_model, {AppModel::Field::Data, AppModel::Field::CurrentVehicle,
                                     AppModel::Field::CurrentYear, AppModel::Field::ExpandedArea});
    m_observer->refreshNow();
}

void ComplaintChart::refresh()
{
    const auto page = shownRecords(m_model, m_records, &VehicleYearRecords::complaints, &Vorel::complaints);
    if (!page)
        return;
    const ComplaintSummary &summary = page->value;
    const qint64 vid = page->vehicleID;
    const qint64 year = page->year;
    m_count->setPlain(ComplaintChartRules::countLine(summary.total));
    m_caption->setPlain(ComplaintChartRules::caption(Provenance::of(m_model.data()).complaintsLabel()));
    m_empty->setVisible(summary.areas.isEmpty());
    const std::optional<QString> totals = ComplaintChartRules::totalsLine(summary);
    m_totals->setPlain(totals.value_or(QString()));
    m_totals->setVisible(totals.has_value());

    const QList<ComplaintRow> shown = ComplaintChartRules::shownAreas(summary.areas);
    const std::pair<qint64, qint64> key{vid, year};
    if (key != m_key || shown != m_shown) {
        qDeleteAll(m_rows);
        m_rows.clear();
        const qint64 scale = ComplaintChartRules::scaleCount(summary.areas);
        for (const ComplaintRow &area : shown) {
            const QString component = area.component;
            auto *row = new ComplaintAreaRow(area, scale, [this, component] {
                m_model.setExpandedArea(ComplaintChartRules::toggled(m_model.expandedArea(), component));
            });
            m_areas->addWidget(row);
            m_rows.append(row);
        }
        m_shown = shown;
        m_key = key;
        // The chart is one Tab stop; the arrows move among its areas.
        QList<QWidget *> buttons;
        for (ComplaintAreaRow *row : std::as_const(m_rows))
            buttons << row->button();
        m_focus->setItems(buttons);
    }
    const std::optional<QString> &open = m_model.expandedArea();
    for (ComplaintAreaRow *row : std::as_const(m_rows))
        row->setOpen(open == row->area().component, *page->data, vid, year);
}

QString ComplaintChart::countText() const
{
    return m_count->text();
}

QString ComplaintChart::totalsText() const
{
    return m_totals->isHidden() ? QString() : m_totals->text();
}

bool ComplaintChart::showsEmptyText() const
{
    return !m_empty->isHidden();
}

QList<QAbstractButton *> ComplaintChart::areaButtons() const
{
    QList<QAbstractButton *> out;
    for (ComplaintAreaRow *row : m_rows)
        out << row->button();
    return out;
}

QStringList ComplaintChart::detailLines() const
{
    for (ComplaintAreaRow *row : m_rows) {
        if (!row->detailLines().isEmpty())
            return row->detailLines();
    }
    return {};
}
