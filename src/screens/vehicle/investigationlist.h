#pragma once

#include "vehiclerecordssource.h"

#include "data/investigation.h"
#include "look/bezel.h"

#include <optional>

class AppModel;
class QAbstractButton;
class KVTextLabel;
class ModelObserver;
class QVBoxLayout;
class InvestigationRow;

// The vehicle page's NHTSA defect investigations for the model's current
// vehicle and year: one row each with id, subject and dates. A click opens a
// row to its summary (and the recall it led to); one row is open at a time,
// and the open row stays open while the page refreshes.
class InvestigationList : public Bezel
{
    Q_OBJECT

public:
    explicit InvestigationList(AppModel &model, VehicleRecordsSource records = {}, QWidget *parent = nullptr);

    // The action of the open row; none when every row is closed.
    const std::optional<QString> &openAction() const { return m_open; }
    QString countText() const;
    bool showsEmptyText() const;
    QList<QAbstractButton *> rowButtons() const;
    // The open row's summary and recall line.
    QStringList openLines() const;

private:
    void refresh();
    void setItems(const QList<Investigation> &items);

    AppModel &m_model;
    ModelObserver *m_observer;
    KVTextLabel *m_count;
    KVTextLabel *m_empty;
    QVBoxLayout *m_list;
    KVTextLabel *m_sample; // shown when the investigations are generated
    QList<Investigation> m_items;
    QList<InvestigationRow *> m_rows;
    std::optional<QString> m_open;
    bool m_filled = false;
    VehicleRecordsSource m_records;
};
