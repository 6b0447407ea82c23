#include "screensetup.h"

#include "app/mainwindow.h"
#include "codesview.h"
#include "guidesview.h"
#include "homeview.h"
#include "obd1view.h"
#include "searchresultsview.h"
#include "vehicleview.h"

namespace ScreenSetup {

void registerAll()
{
    MainWindow::registerScreen(Screen::Home, [] { return new HomeView(); });
    MainWindow::registerScreen(Screen::Vehicle, [] { return new VehicleView(); });
    MainWindow::registerScreen(Screen::Codes, [] { return new CodesView(); });
    MainWindow::registerScreen(Screen::Guides, [] { return new GuidesView(); });
    MainWindow::registerScreen(Screen::Obd1, [] { return new OBD1View(); });
    MainWindow::registerScreen(Screen::Search, [] { return new SearchResultsView(); });
}

} // namespace ScreenSetup
