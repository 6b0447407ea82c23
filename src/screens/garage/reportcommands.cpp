#include "reportcommands.h"

namespace {

ReportCommands &commands()
{
    static ReportCommands c;
    return c;
}

void run(const ReportCommands::Command &command, const GarageVehicle &vehicle, const QStringList &extra)
{
    if (command)
        command(vehicle, extra);
}

} // namespace

void ReportCommands::install(ReportCommands c)
{
    commands() = std::move(c);
}

const ReportCommands &ReportCommands::installed()
{
    return commands();
}

void ReportCommands::runSave(const GarageVehicle &vehicle, const QStringList &extra)
{
    run(commands().save, vehicle, extra);
}

void ReportCommands::runPrint(const GarageVehicle &vehicle, const QStringList &extra)
{
    run(commands().print, vehicle, extra);
}

void ReportCommands::runShare(const GarageVehicle &vehicle, const QStringList &extra)
{
    run(commands().share, vehicle, extra);
}
