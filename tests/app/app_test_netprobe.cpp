// Starts NetStatus and prints "<monitor> online" or "<monitor> offline" on
// every update, for the number of milliseconds given as the first argument;
// once started it creates the file named by the second argument, if any.
#include "platform/netstatus.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    NetStatus &net = NetStatus::shared();
    QObject::connect(&net, &NetStatus::onlineChanged, [&net](bool online) {
        std::printf("%s %s\n", qPrintable(net.monitorName()), online ? "online" : "offline");
        std::fflush(stdout);
    });
    net.start();
    std::printf("started %s\n", qPrintable(net.monitorName()));
    std::fflush(stdout);
    if (app.arguments().size() > 2) {
        QFile ready(app.arguments().at(2));
        ready.open(QIODevice::WriteOnly);
    }
    QTimer::singleShot(app.arguments().value(1, QStringLiteral("1000")).toInt(), &app, &QCoreApplication::quit);
    return app.exec();
}
