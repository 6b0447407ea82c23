#include "vehicleinfo.h"

QString VehicleInfo::name() const
{
    return makeDisplay + u' ' + model;
}

QString VehicleInfo::typeText(const QString &types)
{
    QString t = types;
    t.replace(u',', QStringLiteral(", "));
    t.replace(QStringLiteral("MPV"), QStringLiteral("SUV/van (MPV)"));
    return t;
}

VehicleKind VehicleInfo::kind() const
{
    const QString t = types.toLower();
    const QString m = model.toLower();
    const bool mpv = t.contains(QStringLiteral("mpv"));
    if (t.contains(QStringLiteral("truck")) && !mpv)
        return VehicleKind::Truck;
    if (mpv) {
        // "van" also covers "caravan" and "minivan".
        if (m.contains(QStringLiteral("van")) || m.contains(QStringLiteral("odyssey")))
            return VehicleKind::Van;
        return VehicleKind::Suv;
    }
    return VehicleKind::Car;
}
