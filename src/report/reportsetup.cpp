#include "reportsetup.h"

#include "app/dispatch.h"
#include "app/menubarmodel.h"
#include "reportcli.h"
#include "reportui.h"

namespace ReportSetup {

void registerAll()
{
    Dispatch::setMode(Dispatch::Slot::Report, {ReportCLI::option()}, &ReportCLI::handle, Dispatch::Needs::Core);
    MenuBarModel::setReportCommands({[] { ReportUI::save(); }, [] { ReportUI::share(); }, [] { ReportUI::print(); }});
}

} // namespace ReportSetup
