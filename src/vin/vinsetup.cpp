#include "vinsetup.h"

#include "shell/mainwindow.h"
#include "vinview.h"

namespace VINSetup {

void registerScreen()
{
    MainWindow::registerScreen(Screen::Vin, [] { return new VINView(); });
}

} // namespace VINSetup
