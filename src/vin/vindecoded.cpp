#include "vindecoded.h"

namespace VIN {

QList<std::pair<QString, QString>> Decoded::fields() const
{
    const QList<std::pair<QString, QString>> all{
        {QStringLiteral("Year"), year},
        {QStringLiteral("Make"), make},
        {QStringLiteral("Model"), model},
        {QStringLiteral("Trim"), trim},
        {QStringLiteral("Body"), body},
        {QStringLiteral("Vehicle type"), vehicleType},
        {QStringLiteral("Engine"), engine},
        {QStringLiteral("Fuel"), fuel},
        {QStringLiteral("Transmission"), transmission},
        {QStringLiteral("Drive"), drive},
        {QStringLiteral("Built in"), plant},
        {QStringLiteral("Manufacturer"), manufacturer},
    };
    QList<std::pair<QString, QString>> out;
    for (const auto &row : all) {
        if (!row.second.isEmpty())
            out.append(row);
    }
    return out;
}

} // namespace VIN
