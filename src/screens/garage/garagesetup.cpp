#include "garagesetup.h"

#include "shell/mainwindow.h"
#include "codegaragerow.h"
#include "garageview.h"
#include "reportui/reportui.h"
#include "reportcommands.h"
#include "screens/codes/codedetail.h"

namespace GarageSetup {

void registerScreen()
{
    MainWindow::registerScreen(Screen::Garage, [] { return new GarageView(); });
    CodeDetail::setGarageRowMaker([](GarageStore &g, AppModel &m, const QString &code) -> QWidget * {
        return new CodeGarageRow(g, m, code);
    });
    ReportCommands::install({
        [](const GarageVehicle &v, const QStringList &extra) { ReportUI::save(v, extra); },
        [](const GarageVehicle &v, const QStringList &extra) { ReportUI::print(v, extra); },
        [](const GarageVehicle &v, const QStringList &extra) { ReportUI::share(v, extra, nullptr); },
    });
}

} // namespace GarageSetup
