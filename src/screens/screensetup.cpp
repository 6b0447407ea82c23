#include "screensetup.h"

#include "app/mainwindow.h"
#include "homeview.h"
#include "searchresultsview.h"
#include "vehicleview.h"

namespace ScreenSetup {

void registerAll()
{
    MainWindow::registerScreen(Screen::Home, [] { return new HomeView(); });
    MainWindow::registerScreen(Screen::Vehicle, [] { return new VehicleView(); });
    MainWindow::registerScreen(Screen::Search, [] { return new SearchResultsView(); });
}

} // namespace ScreenSetup
