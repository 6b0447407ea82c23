#include "fvsnapshotgarage.h"

#include "garage/garageactions.h"
#include "garage/garagestore.h"

namespace FVSnapshotGarage {

bool addIfEmpty(GarageStore &store, qint64 navigatorID)
{
    if (!store.vehicles().isEmpty())
        return false;
    GarageVehicle v;
    v.vehicleID = navigatorID;
    v.year = 2002;
    v.title = QStringLiteral("2002 Lincoln Navigator");
    v.nickname = QStringLiteral("Big Blue");
    v.vin = QStringLiteral("5LMFU28R72LJ00000");
    v.engine = QStringLiteral("5.4L V8");
    v.mileage = 181900;
    v.notes = QStringLiteral("Air ride sags overnight; check rear air springs.");
    const std::optional<qint64> id = GarageActions::add(v, store);
    if (!id)
        return false;

    const auto entry = [&](const char *date, qint64 miles, const char *title, const char *details, const char *cost) {
        ServiceEntry e;
        e.garageID = *id;
        e.date = QString::fromUtf8(date);
        e.mileage = miles;
        e.title = QString::fromUtf8(title);
        e.details = QString::fromUtf8(details);
        e.cost = QString::fromUtf8(cost);
        GarageActions::log(e, store);
    };
    entry("2026-10-01", 181900, "Oil change", "5W-20, filter", "$64");
    entry("2026-06-12", 176400, "Rear air springs", "Both sides replaced", "$410");
    return true;
}

} // namespace FVSnapshotGarage
