#include "reportsetup.h"

#include "app/dispatch.h"
#include "shell/menubarmodel.h"
#include "reportcli.h"
#include "reportui.h"

namespace ReportSetup {

void registerAll()
{
    Dispatch::setMode(Dispatch::Slot::Report, {ReportCLI::option()}, &ReportCLI::handle, Dispatch::Needs::Core);
    // The menu bar's commands show their menu and notes beside the report
    // button on screen or the focused control.
    MenuBarModel::setReportCommands({[] { ReportUI::save(); }, [] { ReportUI::share(); }, [] { ReportUI::print(); }});
}

} // namespace ReportSetup
