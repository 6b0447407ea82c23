#include "reportui/reportsetup.h"
#include "screens/garage/garagesetup.h"
#include "screens/screensetup.h"
#include "selftest/fvsnapshot.h"
#include "selftest/selftest.h"
#include "shell/fenwhistlevorelapp.h"
#include "vin/vinsetup.h"

int main(int argc, char **argv)
{
    ScreenSetup::registerAll();
    VINSetup::registerScreen();
    GarageSetup::registerScreen();
    ReportSetup::registerAll();
    FVSelfTest::registerModes();
    FVSnapshot::registerMode();
    return FenwhistleVorelApp::main(argc, argv);
}
