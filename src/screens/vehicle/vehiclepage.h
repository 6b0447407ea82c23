#pragma once

#include "data/provenance.h"
#include "data/vehicleinfo.h"
#include "data/vehicleyearrecords.h"

#include <QHash>
#include <QList>
#include <QString>
#include <optional>

class Vorel;

// What the vehicle page shows: the vehicle and model year it resolves to,
// the order of its sections and its fixed texts.
struct VehiclePage
{
    VehicleInfo vehicle;
    qint64 year = 0;
    // The vehicle-year's complaints, recalls, investigations and bulletins,
    // read once for the known-for lines and the sections.
    VehicleYearRecords records;

    // The sections from top to bottom; every one is always present.
    enum class Section { Header, KnownFor, Complaints, Recalls, Investigations, Bulletins, Engines, Credit };
    static QList<Section> sections();
    // A stable name for each section ("header", "knownFor", ...), used as the
    // object name of its widget.
    static QString sectionName(Section section);

    // The page for the current vehicle and year: none without reference data,
    // without a current vehicle, for a vehicle the data does not hold, or
    // without a current year (the empty state then).
    static std::optional<VehiclePage> resolve(const Vorel *data, std::optional<qint64> vehicleID,
                                              std::optional<qint64> year);

    // "<year> <display name>", the name in the known-for heading.
    static QString knownForName(qint64 year, const VehicleInfo &v);
    // Whether the known-for lines rest on generated complaints, recalls or bulletins.
    static bool knownForSample(const Provenance &provenance);
    // The data credit, one blank and the database's recall note (empty when it has none).
    static QString creditLine(const QHash<QString, QString> &meta);

    static QString emptyText();   // "Pick a vehicle in Find a Vehicle, or search for one."
    static QString emptyButton(); // "Find a Vehicle"
};
