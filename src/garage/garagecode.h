#pragma once

#include <QString>

// One trouble code saved with a garage vehicle: one row of table codes.
// Identity: `id`.
struct GarageCode
{
    qint64 id = 0;        // row id; 0 before the row is stored
    qint64 garageID = 0;  // the GarageVehicle it belongs to
    QString code;         // normalized five-character form when saved by the app
    QString added;        // timestamp of adding
    QString note;

    friend bool operator==(const GarageCode &, const GarageCode &) = default;
};
