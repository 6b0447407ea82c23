#include "app/fenwhistlevorelapp.h"
#include "screens/screensetup.h"
#include "selftest/fvsnapshot.h"
#include "vin/vinsetup.h"

int main(int argc, char **argv)
{
    ScreenSetup::registerAll();
    VINSetup::registerScreen();
    FVSnapshot::registerMode();
    return FenwhistleVorelApp::main(argc, argv);
}
