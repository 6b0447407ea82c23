#pragma once

#include <QString>
#include <optional>

// One vehicle of My Garage: one row of table garage. Identity: `id`.
struct GarageVehicle
{
    qint64 id = 0;                     // row id; 0 before the row is stored
    std::optional<qint64> vehicleID;   // reference vehicle, absent when tied to none
    std::optional<qint64> year;        // model year
    QString title;                     // display title as the caller built it
    QString nickname;
    QString vin;
    QString engine;
    std::optional<qint64> mileage;     // odometer reading in miles
    QString notes;
    QString created;                   // timestamps written by the store
    QString updated;

    friend bool operator==(const GarageVehicle &, const GarageVehicle &) = default;
};
