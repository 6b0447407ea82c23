#include "garagesetup.h"

#include "app/mainwindow.h"
#include "codegaragerow.h"
#include "garageview.h"
#include "screens/codedetail.h"

namespace GarageSetup {

void registerScreen()
{
    MainWindow::registerScreen(Screen::Garage, [] { return new GarageView(); });
    CodeDetail::setGarageRowMaker([](GarageStore &g, AppModel &m, const QString &code) -> QWidget * {
        return new CodeGarageRow(g, m, code);
    });
}

} // namespace GarageSetup
