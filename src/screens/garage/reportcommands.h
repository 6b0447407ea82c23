#pragma once

#include "garage/garagevehicle.h"

#include <QStringList>
#include <functional>

// The three ways to make a garage vehicle's Trouble Code Report, as the
// report library provides them: save as PDF, print, share. The report menus
// call whatever the program installed at start-up; a command not installed
// does nothing.
struct ReportCommands
{
    using Command = std::function<void(const GarageVehicle &vehicle, const QStringList &extra)>;

    Command save;
    Command print;
    Command share;

    static void install(ReportCommands commands);
    static const ReportCommands &installed();

    static void runSave(const GarageVehicle &vehicle, const QStringList &extra);
    static void runPrint(const GarageVehicle &vehicle, const QStringList &extra);
    static void runShare(const GarageVehicle &vehicle, const QStringList &extra);
};
