#include "app/fenwhistlevorelapp.h"
#include "report/reportsetup.h"
#include "screens/screensetup.h"
#include "vin/vinsetup.h"

int main(int argc, char **argv)
{
    ScreenSetup::registerAll();
    VINSetup::registerScreen();
    ReportSetup::registerAll();
    return FenwhistleVorelApp::main(argc, argv);
}
