// One copy of a program guarded by SingleInstance in the folder given as the
// first argument: prints "primary" or "secondary"; a primary prints
// "activated" each time a later copy asks it forward, and ends after the
// number of milliseconds given as the second argument.
#include "platform/singleinstance.h"

#include <QCoreApplication>
#include <QTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    SingleInstance instance(QStringLiteral("probe"), args[1]);
    if (!instance.claim()) {
        std::printf("secondary\n");
        return 0;
    }
    QObject::connect(&instance, &SingleInstance::activationRequested, [] {
        std::printf("activated\n");
        std::fflush(stdout);
    });
    std::printf("primary\n");
    std::fflush(stdout);
    QTimer::singleShot(args[2].toInt(), &app, &QCoreApplication::quit);
    return app.exec();
}
