#include "garagesetup.h"

#include "app/mainwindow.h"
#include "garageview.h"

namespace GarageSetup {

void registerScreen()
{
    MainWindow::registerScreen(Screen::Garage, [] { return new GarageView(); });
}

} // namespace GarageSetup
