#pragma once

#include "garageplainbutton.h"
#include "garage/garagevehicle.h"

#include <QStringList>

// The Trouble Code Report pull-down of one garage vehicle: "Save as PDF…",
// "Print…" and "Share…", each handing the vehicle and the extra codes to the
// installed report commands.
class ReportMenu : public GaragePlainButton
{
    Q_OBJECT

public:
    ReportMenu(const GarageVehicle &vehicle, const QStringList &extra = {},
               const QString &title = defaultTitle(), QWidget *parent = nullptr);

    static QString defaultTitle();

    const GarageVehicle &vehicle() const { return m_vehicle; }
    const QStringList &extra() const { return m_extra; }
    // The vehicle the entries act on from now on.
    void setVehicle(const GarageVehicle &vehicle);

    // Adds the three entries for a vehicle and its extra codes to a menu.
    static void addEntries(QMenu *menu, const GarageVehicle &vehicle, const QStringList &extra);

private:
    GarageVehicle m_vehicle;
    QStringList m_extra;
};
