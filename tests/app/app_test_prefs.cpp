// Sets one preference in the INI file given as the first argument (key and
// value follow) and ends at once, as a program quitting right after a change.
#include "platform/prefs.h"

#include <QCoreApplication>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 4)
        return 2;
    Prefs::shared().useFile(args[1]);
    Prefs::shared().setValue(args[2], args[3]);
    return 0;
}
