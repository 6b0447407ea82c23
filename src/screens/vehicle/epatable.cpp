#include "epatable.h"

#include "clampedtext.h"
#include "divider.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "look/fvpalette.h"
#include "look/gaugelabel.h"
#include "look/reflowrow.h"
#include "kit/kvtextlabel.h"
#include "screenbits.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace {

// One configuration: three wrapping cells of fixed width, the fuel, space,
// and the variant at the trailing end; stacked when narrow.
class EPARowView : public QWidget
{
public:
    explicit EPARowView(const EPATableRules::Row &row)
        : m_row(new QHBoxLayout(this))
    {
        const QColor dim = FVPalette::current().dim;
        m_row->setContentsMargins(0, 0, 0, 0);
        m_engine = cell(row.engine, 13, QFont::Bold);
        m_transmission = cell(row.transmission, 12.5, QFont::Normal);
        m_drive = cell(row.drive, 12.5, QFont::Normal);
        auto *fuel = new ClampedText(12, QFont::Normal, 1);
        fuel->setText(row.fuel);
        fuel->setColor(dim);
        auto *variant = new ClampedText(11, QFont::Normal, 1);
        variant->setText(row.variant);
        variant->setColor(dim);
        m_row->addWidget(fuel, 0, Qt::AlignVCenter);
        m_row->addStretch(1);
        m_row->addWidget(variant, 0, Qt::AlignVCenter);
        // Only once they have a parent: shown without one, each would open
        // as a window of its own and take the keyboard from the main window.
        fuel->setVisible(!row.fuel.isEmpty());
        variant->setVisible(!row.variant.isEmpty());
        applyMetrics();
        KVScaleWatch::follow(this, [this] { applyMetrics(); });
        // Too narrow for the columns (a small window, a large zoom), the
        // cells go one under another rather than cut their words.
        new ReflowRow(this, m_row, 560);
    }

private:
    KVTextLabel *cell(const QString &text, double points, QFont::Weight weight)
    {
        auto *label = new KVTextLabel(text, points, weight);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        m_row->addWidget(label, 0, Qt::AlignVCenter);
        return label;
    }
    void applyMetrics()
    {
        m_row->setSpacing(KVScale::ipt(10));
        // Columns at their full widths where there is room, narrower (their
        // text wrapping) in a small window or at a large zoom.
        const std::pair<KVTextLabel *, double> widths[] = {{m_engine, 260}, {m_transmission, 170}, {m_drive, 190}};
        for (const auto &[cell, points] : widths) {
            cell->setMinimumWidth(KVScale::ipt(points * 0.3));
            cell->setMaximumWidth(KVScale::ipt(points));
            m_row->setStretchFactor(cell, int(points));
        }
    }

    QHBoxLayout *m_row;
    KVTextLabel *m_engine = nullptr;
    KVTextLabel *m_transmission = nullptr;
    KVTextLabel *m_drive = nullptr;
};

} // namespace

EPATable::EPATable(QWidget *parent)
    : Bezel(parent)
    , m_box(new QVBoxLayout)
    , m_list(new QVBoxLayout)
    , m_note(new KVTextLabel(13))
{
    setObjectName(QStringLiteral("engines"));
    auto *content = new QWidget;
    content->setLayout(m_box);
    m_box->setContentsMargins(0, 0, 0, 0);
    m_box->addWidget(new GaugeLabel(EPATableRules::title()));
    m_note->setColor(FVPalette::current().dim);
    m_note->setWordWrap(true);
    m_note->hide();
    m_box->addWidget(m_note);
    m_list->setContentsMargins(0, 0, 0, 0);
    m_box->addLayout(m_list);
    setContent(content);
    applyMetrics();
    KVScaleWatch::follow(this, [this] { applyMetrics(); });
}

void EPATable::applyMetrics()
{
    m_box->setSpacing(KVScale::ipt(8));
    m_list->setSpacing(KVScale::ipt(8));
}

void EPATable::setConfigs(const QList<EPAConfig> &configs, qint64 year, bool heavy)
{
    const std::optional<QString> note = EPATableRules::emptyNote(configs.size(), year, heavy);
    m_note->setPlain(note.value_or(QString()));
    m_note->setVisible(note.has_value());

    const QList<EPATableRules::Row> rows = EPATableRules::rows(configs);
    if (m_filled && rows == m_rows)
        return;
    ScreenBits::clear(m_list);
    for (const EPATableRules::Row &row : rows) {
        m_list->addWidget(new EPARowView(row));
        m_list->addWidget(new Divider);
    }
    m_rows = rows;
    m_filled = true;
}

QString EPATable::noteText() const
{
    return m_note->isHidden() ? QString() : m_note->text();
}

int EPATable::itemCount() const
{
    return m_list->count();
}
