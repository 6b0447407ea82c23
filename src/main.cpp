#include "app/fenwhistlevorelapp.h"
#include "garage/views/garagesetup.h"
#include "screens/screensetup.h"
#include "vin/vinsetup.h"

int main(int argc, char **argv)
{
    ScreenSetup::registerAll();
    VINSetup::registerScreen();
    GarageSetup::registerScreen();
    return FenwhistleVorelApp::main(argc, argv);
}
