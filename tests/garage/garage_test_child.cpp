// Helper for the two-process test: "write <path> [times]" adds a vehicle and
// logs an entry for it (times over), "read <path>" prints the garage as lines,
// "readonly <path>" (as an unprivileged user when started as root) prints
// "<vehicles>|<read-only>|<error of an add>".
// Exit status 3: the file did not open; 4: add failed; 5: log failed.
#include "garage/garageactions.h"
#include "garage/garagestore.h"

#include <QCoreApplication>
#include <QTextStream>
#include <memory>
#include <unistd.h>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() < 3)
        return 2;
    // Root writes any file: a read-only garage needs an ordinary user.
    if (args[1] == QStringLiteral("readonly") && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0))
        return 7;
    std::unique_ptr<GarageStore> store;
    try {
        store = std::make_unique<GarageStore>(args[2]);
    } catch (const SQLError &) {
        return 3;
    }
    if (args[1] == QStringLiteral("write")) {
        const int times = args.size() > 3 ? args[3].toInt() : 1;
        for (int k = 0; k < times; ++k) {
            const GarageVehicle vehicle{0, 1118, 2002, QStringLiteral("2002 Lincoln Navigator"), QStringLiteral("Big Blue"), {},
                                        QStringLiteral("5.4L V8"), 181250, QStringLiteral("Air ride sags overnight"), {}, {}};
            const auto id = GarageActions::add(vehicle, *store);
            if (!id)
                return 4;
            const ServiceEntry entry{0, *id, QStringLiteral("2026-10-01"), 181900, QStringLiteral("Oil change"),
                                     QStringLiteral("5W-20, Motorcraft filter"), QStringLiteral("$64")};
            if (!GarageActions::log(entry, *store))
                return 5;
        }
        return 0;
    }
    QTextStream out(stdout);
    if (args[1] == QStringLiteral("readonly")) {
        const bool added = GarageActions::add(GarageVehicle{}, *store).has_value();
        out << store->vehicles().size() << '|' << store->readOnly() << '|' << (added ? QString() : store->writeError());
        return 0;
    }
    for (const GarageVehicle &v : store->vehicles()) {
        out << "GARAGE|" << v.title << '|' << v.nickname << '|' << v.mileage.value_or(0) << '|' << v.notes << '\n';
    }
    for (const ServiceEntry &e : store->entries())
        out << "SERVICE|" << e.date << '|' << e.title << '|' << e.cost << '\n';
    return store->readError().isEmpty() ? 0 : 6;
}
