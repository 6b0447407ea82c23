#include "app/fenwhistlevorelapp.h"

int main(int argc, char **argv)
{
    return FenwhistleVorelApp::main(argc, argv);
}
