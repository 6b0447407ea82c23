#pragma once

#include <QString>

// The application's keys in the user defaults (the kit keeps "kvrn.theme"
// and "kvrn.zoom").
namespace FVPrefs {

// Bool: whether the vehicle picker lists heavy and commercial trucks.
inline QString includeHeavyKey() { return QStringLiteral("fv.includeHeavy"); }
// Text "<vehicle id>:<model year>": the last opened vehicle page.
inline QString lastVehicleKey() { return QStringLiteral("fv.lastVehicle"); }

} // namespace FVPrefs
