#pragma once

#include "garage/garagevehicle.h"
#include "troublereport.h"

#include <QString>
#include <QStringList>
#include <optional>

class AppModel;
class QWidget;

// The window's report commands: save, print and share one garage vehicle's
// Trouble Code Report. Each builds a fresh report from the shared model's
// garage and reference data and keeps nothing afterwards.
//
// An absent vehicle lets a command take the one the menus work on
// (vehicleForMenu); an absent code list takes extraForMenu(); a present but
// empty list adds no code. Without a vehicle at all a command shows the
// no-vehicle alert; without an open garage or reference database it does
// nothing.
namespace ReportUI {

// The garage vehicle selected in My Garage when it still exists, else the
// first one; none without an open garage or with an empty one.
std::optional<GarageVehicle> vehicleForMenu(const AppModel &model);
std::optional<GarageVehicle> vehicleForMenu();
// The code shown on the trouble-code screen, alone; empty on other screens.
QStringList extraForMenu(const AppModel &model);
QStringList extraForMenu();

// The report, or none when the garage or the reference database is not open.
std::optional<TroubleReport> report(const AppModel &model, const GarageVehicle &vehicle, const QStringList &extra);
std::optional<TroubleReport> report(const GarageVehicle &vehicle, const QStringList &extra);

// The modal "Add a vehicle to My Garage first" alert.
void noVehicle();

// Asks for a PDF file, writes the report there and opens it; the saved path,
// or none (cancelled, failed, nothing to report).
std::optional<QString> save(const std::optional<GarageVehicle> &vehicle = std::nullopt,
                            const std::optional<QStringList> &extra = std::nullopt);
// Writes the report to the reports folder and prints it through the print dialog.
void print(const std::optional<GarageVehicle> &vehicle = std::nullopt,
           const std::optional<QStringList> &extra = std::nullopt);
// Writes the report to the reports folder and opens it (the desktop has no
// sharing picker); `from` is the view the command came from, if any.
void share(const std::optional<GarageVehicle> &vehicle = std::nullopt,
           const std::optional<QStringList> &extra = std::nullopt, QWidget *from = nullptr);

} // namespace ReportUI
