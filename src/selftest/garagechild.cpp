#include "garagechild.h"

#include "garage/garageactions.h"
#include "garage/garagestore.h"

#include <memory>

namespace GarageChild {

namespace {

std::unique_ptr<GarageStore> open(const QString &path)
{
    try {
        return std::make_unique<GarageStore>(path);
    } catch (const SQLError &) {
        return nullptr;
    }
}

} // namespace

int write(const QString &path)
{
    const std::unique_ptr<GarageStore> store = open(path);
    if (!store)
        return 3;
    const GarageVehicle vehicle{0,
                                1118,
                                2002,
                                QStringLiteral("2002 Lincoln Navigator"),
                                QStringLiteral("Big Blue"),
                                QString(),
                                QStringLiteral("5.4L V8"),
                                181250,
                                QStringLiteral("Air ride sags overnight"),
                                QString(),
                                QString()};
    const std::optional<qint64> id = GarageActions::add(vehicle, *store);
    if (!id)
        return 4;
    const ServiceEntry entry{0,
                             *id,
                             QStringLiteral("2026-10-01"),
                             181900,
                             QStringLiteral("Oil change"),
                             QStringLiteral("5W-20, Motorcraft filter"),
                             QStringLiteral("$64")};
    if (!GarageActions::log(entry, *store))
        return 5;
    return 0;
}

int read(const QString &path, std::FILE *out)
{
    const std::unique_ptr<GarageStore> store = open(path);
    if (!store)
        return 3;
    QString text;
    for (const GarageVehicle &v : store->vehicles()) {
        text += QStringLiteral("GARAGE|") + v.title + u'|' + v.nickname + u'|' + QString::number(v.mileage.value_or(0)) +
                u'|' + v.notes + u'\n';
    }
    for (const ServiceEntry &e : store->entries())
        text += QStringLiteral("SERVICE|") + e.date + u'|' + e.title + u'|' + e.cost + u'\n';
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), out);
    std::fflush(out);
    return 0;
}

} // namespace GarageChild
