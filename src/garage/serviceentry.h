#pragma once

#include <QString>
#include <optional>

// One service-log entry: one row of table service. Identity: `id`.
struct ServiceEntry
{
    qint64 id = 0;                   // row id; 0 before the row is stored
    qint64 garageID = 0;             // the GarageVehicle it belongs to
    QString date;                    // free text as typed
    std::optional<qint64> mileage;   // miles
    QString title;
    QString details;
    QString cost;                    // free text, not a number

    friend bool operator==(const ServiceEntry &, const ServiceEntry &) = default;
};
