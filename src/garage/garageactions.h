#pragma once

#include "garagevehicle.h"
#include "serviceentry.h"

#include <QString>
#include <QStringList>
#include <optional>

class GarageStore;

// The one way anything changes My Garage. Write operations swallow database
// errors and report failure as no id or false; the store reloads its lists
// after each success. No operation selects a vehicle for the caller.
class GarageActions final
{
public:
    GarageActions() = delete;

    // Stores the vehicle under a new id with fresh timestamps (its own id,
    // created and updated are ignored); no duplicate check.
    static std::optional<qint64> add(const GarageVehicle &vehicle, GarageStore &store);
    // Writes nickname, VIN, engine, mileage and notes of the row with the
    // vehicle's id; false when that row does not exist.
    static bool save(const GarageVehicle &vehicle, GarageStore &store);
    // Deletes the vehicle with its service entries and saved codes, all or
    // nothing; true also when no row matched.
    static bool remove(qint64 garageID, GarageStore &store);
    // Stores the entry and raises the vehicle's mileage to the entry's when
    // that is higher (or when the vehicle has none and the entry's is above 0),
    // all or nothing.
    static std::optional<qint64> log(const ServiceEntry &entry, GarageStore &store);
    static bool removeEntry(qint64 id, GarageStore &store);
    // Normalizes the code and saves it with the vehicle; a code the vehicle
    // already holds keeps its row (and first note) and gives that row's id.
    // No id for an invalid code or a vehicle not in the store's list.
    static std::optional<qint64> addCode(const QString &text, qint64 garageID, GarageStore &store, const QString &note);
    static bool removeCode(qint64 id, GarageStore &store);
    // Writes "My Garage.csv" and then "My Garage.html" into the folder, each
    // atomically as UTF-8, and returns their paths in that order. Throws
    // GarageExportError, also when the store could not read the garage.
    static QStringList exportTo(const GarageStore &store, const QString &folder);
};
