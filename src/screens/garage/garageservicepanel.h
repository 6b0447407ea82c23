#pragma once

#include "garage/garagevehicle.h"
#include "garage/serviceentry.h"
#include "look/bezel.h"

class GarageLineEdit;
class GarageStore;
class KVChromeButton;
class KVTextLabel;
class QVBoxLayout;
class ReflowRow;

// The "Service log" panel of the shown garage vehicle: the two-row form that
// logs an entry, then the vehicle's entries (newest first), each deleted at
// once with its trash button.
class GarageServicePanel : public Bezel
{
    Q_OBJECT

public:
    explicit GarageServicePanel(GarageStore &g, QWidget *parent = nullptr);

    void showVehicle(const GarageVehicle &vehicle);
    // Logs the typed entry for the shown vehicle.
    void addEntry();

    GarageLineEdit *dateField() const { return m_date; }
    GarageLineEdit *milesField() const { return m_miles; }
    GarageLineEdit *titleField() const { return m_title; }
    GarageLineEdit *costField() const { return m_cost; }
    GarageLineEdit *detailsField() const { return m_details; }
    KVChromeButton *addButton() const { return m_add; }
    // Why the typed entry was not logged; empty while hidden.
    QString problemText() const;
    QList<QWidget *> rows() const { return m_rows; }
    // The focusable widgets in reading order.
    QList<QWidget *> tabChain() const;

private:
    QWidget *makeRow(const ServiceEntry &entry);
    // Fixed field widths beside one another, full widths under one another.
    void fitForm();
    void syncAdd();
    void showProblem(const QString &problem);

    GarageStore &m_store;
    GarageVehicle m_vehicle;
    GarageLineEdit *m_date;
    GarageLineEdit *m_miles;
    GarageLineEdit *m_title;
    GarageLineEdit *m_cost;
    GarageLineEdit *m_details;
    KVChromeButton *m_add;
    KVTextLabel *m_problem;
    QVBoxLayout *m_rowBox;
    QList<QWidget *> m_rows;
    QList<ServiceEntry> m_rowEntries;
    ReflowRow *m_formReflow = nullptr;
};
