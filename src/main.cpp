#include "app/fenwhistlevorelapp.h"
#include "screens/screensetup.h"
#include "selftest/selftest.h"

int main(int argc, char **argv)
{
    ScreenSetup::registerAll();
    FVSelfTest::registerModes();
    return FenwhistleVorelApp::main(argc, argv);
}
