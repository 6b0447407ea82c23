#include "vehicleinfo.h"

QString VehicleInfo::name() const
{
    return makeDisplay + u' ' + model;
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
