#include "reportsetup.h"

#include "app/dispatch.h"
#include "shell/menubarmodel.h"
#include "reportcli.h"
#include "reportui.h"

namespace ReportSetup {

void registerAll()
{
    Dispatch::setMode(Dispatch::Slot::Report, {ReportCLI::option()}, &ReportCLI::handle, Dispatch::Needs::Core);
    // The menu bar's commands tell their outcome beside the menu bar.
    MenuBarModel::setReportCommands({[] { ReportUI::save({}, {}, ReportUI::menuBar()); },
                                     [] { ReportUI::share({}, {}, ReportUI::menuBar()); },
                                     [] { ReportUI::print({}, {}, ReportUI::menuBar()); }});
}

} // namespace ReportSetup
