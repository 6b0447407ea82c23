#pragma once

#include "garage/garagevehicle.h"
#include "report/troublereport.h"

#include <QString>
#include <QStringList>
#include <optional>

class AppModel;
class QMenu;
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

// Asks for a PDF file and writes the report there (on a worker, with a busy
// note), then opens it and says "Saved to <file name>" beside the control
// with "Show in folder". `from` is the control the command came from; none
// means the report button on screen or the focused control.
void save(const std::optional<GarageVehicle> &vehicle = std::nullopt,
          const std::optional<QStringList> &extra = std::nullopt, QWidget *from = nullptr);
// Writes the report to the reports folder and prints it through the print dialog.
void print(const std::optional<GarageVehicle> &vehicle = std::nullopt,
           const std::optional<QStringList> &extra = std::nullopt, QWidget *from = nullptr);
// Writes the report to the reports folder and offers it in the share menu
// beside the control: "Email…", "Show in folder", "Copy file".
void share(const std::optional<GarageVehicle> &vehicle = std::nullopt,
           const std::optional<QStringList> &extra = std::nullopt, QWidget *from = nullptr);

// The active window's menu bar (or the window).
QWidget *menuBar();
// The control a command's menu and notes go beside: `from`, unless it is none
// or a menu bar (whose commands concern what is on screen), else the report
// button on screen, else the focused control, else the menu bar.
QWidget *anchorFor(QWidget *from);

// The share menu for a written PDF (not yet shown); its actions report
// beside `anchor`.
QMenu *shareMenu(const QString &path, QWidget *anchor);
// The note after a good save.
void showSaved(const QString &path, bool opened, QWidget *anchor);

} // namespace ReportUI
