#include "app/fenwhistlevorelapp.h"
#include "garage/views/garagesetup.h"
#include "screens/screensetup.h"
#include "selftest/selftest.h"
#include "vin/vinsetup.h"

int main(int argc, char **argv)
{
    ScreenSetup::registerAll();
    VINSetup::registerScreen();
    GarageSetup::registerScreen();
    FVSelfTest::registerModes();
    return FenwhistleVorelApp::main(argc, argv);
}
