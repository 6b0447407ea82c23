#pragma once

#include "vehiclerecordssource.h"

#include "data/complaintsummary.h"
#include "look/bezel.h"

#include <optional>

class AppModel;
class QAbstractButton;
class ComplaintAreaRow;
class GaugeLabel;
class KVTextLabel;
class ModelObserver;
class QVBoxLayout;
class RovingFocus;

// The vehicle page's owner-complaint panel for the model's current vehicle
// and year: the complaint count, the most-reported areas as bars (the
// notably high ones red and tagged), a footnote and the crash, fire, injury
// and death reports. A click on an area opens its comparison and sub-areas;
// the open area lives in the model's expandedArea. The areas are one Tab
// stop, with Up and Down among them.
class ComplaintChart : public Bezel
{
    Q_OBJECT

public:
    explicit ComplaintChart(AppModel &model, VehicleRecordsSource records = {}, QWidget *parent = nullptr);

    QString countText() const;
    QString totalsText() const; // empty when hidden
    bool showsEmptyText() const;
    // The area rows' buttons from top to bottom.
    QList<QAbstractButton *> areaButtons() const;
    // The open area's comparison line and sub-area lines; empty when none is open.
    QStringList detailLines() const;

private:
    void refresh();

    AppModel &m_model;
    ModelObserver *m_observer;
    KVTextLabel *m_count;
    KVTextLabel *m_empty;
    QVBoxLayout *m_areas;
    KVTextLabel *m_totals;
    KVTextLabel *m_caption; // what the counts are, from the database's provenance
    QList<ComplaintRow> m_shown;
    std::optional<std::pair<qint64, qint64>> m_key;
    QList<ComplaintAreaRow *> m_rows;
    RovingFocus *m_focus = nullptr;
    VehicleRecordsSource m_records;
};
