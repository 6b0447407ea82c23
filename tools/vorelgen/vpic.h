#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

// One engine configuration that the VIN patterns of a model name.
struct VpicEngine
{
    double litres = 0; // 0 for an electric drive
    int cylinders = 0;
    QString fuel;      // "Gasoline", "Diesel", "Electric", "Flexible Fuel Vehicle (FFV)", ...
    bool turbo = false;
    bool hybrid = false; // an electric secondary fuel or a hybrid electrification level
    bool operator==(const VpicEngine &) const = default;
};

// What the catalogue says about one model year of a make and model line.
struct VpicYear
{
    QList<VpicEngine> engines;
    QStringList drives; // "FWD", "RWD", "AWD", "4WD", "2WD", from drive patterns and series or trim names
    QStringList bodies; // body classes
};

// One make and model line of the catalogue.
struct VpicLine
{
    QString make;        // upper case, as the reference database keys makes
    QString makeDisplay; // as the catalogue writes it
    QString model;
    QMap<int, VpicYear> years; // model years 1981-2026 that its VIN schemas cover
    QMap<int, int> types;      // vehicle type id (2 car, 3 truck, 5 bus, 7 MPV, 10 incomplete) -> schemas naming it
    int gvwrClass = 0;         // heaviest weight class its patterns rate (1-8), 0 when none is rated
    int gvwrLight = 0;         // lightest rated class, 0 when none is rated
    int patterns = 0;          // how many schema patterns name the line: how widely it is catalogued

    bool passengerType() const { return types.contains(2) || types.contains(3) || types.contains(7); }
};

// NHTSA's vPIC catalogue, opened read-only: make and model lines joined from
// the WMIs, their VIN schemas and the schemas' patterns.
class VpicCatalog
{
public:
    // Throws GenError naming the file when it cannot be read.
    static QList<VpicLine> read(const QString &path);
    // The date of the catalogue's newest pattern, "YYYY-MM-DD".
    static QString dataDate(const QString &path);
};
