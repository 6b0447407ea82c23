#pragma once

#include <QString>
#include <optional>

// The body kind of a vehicle; it picks the drawn outline.
enum class VehicleKind { Car, Suv, Truck, Van };

// One reference vehicle: one make and model line over its production years.
struct VehicleInfo
{
    qint64 id = 0;
    QString make;        // make key as stored
    QString model;
    QString makeDisplay; // make as shown
    QString types;       // vehicle types listed for the line
    qint64 firstYear = 0;
    qint64 lastYear = 0;
    std::optional<qint64> firstYearVPIC;
    std::optional<qint64> lastYearVPIC;
    bool startsAtVPICFloor = false;
    bool heavy = false;
    QString confidence;
    QString yearSource;
    QString notes;
    std::optional<qint64> imageID;

    // Display make, one blank, model (nothing trimmed).
    QString name() const;
    // The types as the vehicle page names them: ", " after each comma and
    // "MPV" spelled out as "SUV/van (MPV)"; empty for empty types.
    static QString typeText(const QString &types);
    // Truck when the types mention a truck but no MPV; an MPV is a van when its
    // model names a van, Caravan or Odyssey, else an SUV; anything else a car.
    VehicleKind kind() const;

    friend bool operator==(const VehicleInfo &, const VehicleInfo &) = default;
};

// One model row of the picker for a chosen make and year.
struct ModelChoice
{
    qint64 id = 0; // vehicle id
    QString model;
    QString sources; // the sources noted for that model year
    bool heavy = false;

    friend bool operator==(const ModelChoice &, const ModelChoice &) = default;
};

// One make row of the picker for a chosen year.
struct MakeChoice
{
    QString make;    // the make key
    QString display; // the make as shown
    qint64 count = 0; // models of the make in the year

    friend bool operator==(const MakeChoice &, const MakeChoice &) = default;
};

// One model year of a vehicle with the sources that list it.
struct ModelYear
{
    qint64 year = 0;
    QString sources;

    friend bool operator==(const ModelYear &, const ModelYear &) = default;
};
