#pragma once

#include "app/screen.h"

#include <QString>
#include <optional>

class Vorel;

// The heading of the window's header bar: on the vehicle page the model year
// and the vehicle's name, elsewhere the screen's title.
namespace HeaderTitle {

// "<year> <make and model>" for the current vehicle; the year is left out
// (the blank stays) when there is none; "Vehicle" when there is no reference
// data, no current vehicle or no such vehicle.
QString vehicleTitle(const Vorel *data, std::optional<qint64> vehicle, std::optional<qint64> year);

QString title(Screen screen, const Vorel *data, std::optional<qint64> vehicle, std::optional<qint64> year);

} // namespace HeaderTitle
