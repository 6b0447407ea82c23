#include "headertitle.h"

#include "data/vorel.h"

namespace HeaderTitle {

QString vehicleTitle(const Vorel *data, std::optional<qint64> vehicle, std::optional<qint64> year)
{
    const QString fallback = QStringLiteral("Vehicle");
    if (!data || !vehicle)
        return fallback;
    const std::optional<VehicleInfo> info = data->vehicle(*vehicle);
    if (!info)
        return fallback;
    const QString yearText = year ? QString::number(*year) : QString();
    return yearText + u' ' + info->name();
}

QString title(Screen screen, const Vorel *data, std::optional<qint64> vehicle, std::optional<qint64> year)
{
    if (screen == Screen::Vehicle)
        return vehicleTitle(data, vehicle, year);
    return screen.title();
}

} // namespace HeaderTitle
