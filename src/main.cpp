#include "app/fenwhistlevorelapp.h"
#include "screens/screensetup.h"

int main(int argc, char **argv)
{
    ScreenSetup::registerAll();
    return FenwhistleVorelApp::main(argc, argv);
}
