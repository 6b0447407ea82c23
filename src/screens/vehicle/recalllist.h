#pragma once

#include "vehiclerecordssource.h"

#include "data/recall.h"
#include "look/bezel.h"

class AppModel;
class QAbstractButton;
class KVTextLabel;
class ModelObserver;
class QVBoxLayout;

// The vehicle page's NHTSA safety recalls for the model's current vehicle
// and year: one row each with campaign, component, tags, a two-line summary
// and the report date. A click on a row shows that recall's sheet (it sets
// the model's recallShown).
class RecallList : public Bezel
{
    Q_OBJECT

public:
    explicit RecallList(AppModel &model, VehicleRecordsSource records = {}, QWidget *parent = nullptr);

    QString countText() const;
    bool showsEmptyText() const;
    QList<QAbstractButton *> rowButtons() const { return m_buttons; }

private:
    void refresh();

    AppModel &m_model;
    ModelObserver *m_observer;
    KVTextLabel *m_count;
    KVTextLabel *m_empty;
    QVBoxLayout *m_list;
    KVTextLabel *m_sample; // "Sample data: ..." when the shown recalls are generated
    QList<Recall> m_recalls;
    QList<QAbstractButton *> m_buttons;
    bool m_filled = false;
    VehicleRecordsSource m_records;
};
