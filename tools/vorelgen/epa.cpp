// The engine listings of the vehicle-years EPA's own list does not give
// (from 2016, and lines or years it lacks): one row per engine, driven wheels
// and gearbox as the hand-written list states them, or the catalogue's
// engines. drivesFor and cvtLine serve only the generated agency records
// (recalls and bulletins that stand in for NHTSA's); they never reach the
// engine table.

#include "model.h"

#include <QSet>
#include <algorithm>

namespace {

const QString kFwd = QStringLiteral("Front-Wheel Drive");
const QString kRwd = QStringLiteral("Rear-Wheel Drive");
const QString kAwd = QStringLiteral("All-Wheel Drive");
const QString k4wd = QStringLiteral("4-Wheel Drive");
const QString k2wd = QStringLiteral("2-Wheel Drive");

// Car lines driven at the rear whatever their maker.
bool rearDriveCar(const Vehicle &v, int year)
{
    static const QSet<QString> models = {
        "Mustang", "Corvette", "Camaro", "Charger", "Challenger", "Magnum", "300", "3 Series", "Town Car", "Crown Victoria",
        "Grand Marquis", "Thunderbird", "Cougar", "Caprice", "SS", "G8", "Solstice", "Sky", "CTS", "STS", "XLR", "ATS", "CT4", "CT5",
        "911", "Boxster", "Cayman", "718", "MX-5 Miata", "MX-5", "RX-7", "RX-8", "240SX", "300ZX", "350Z", "370Z", "Z", "240Z",
        "280ZX", "Supra", "86", "GR86", "BRZ", "Viper", "LS 400", "LS 430", "LS 460", "LS 500", "LS", "GS 300", "GS 350", "IS 250", "IS",
        "IS 300", "IS 350", "SC 300", "SC 400", "RC 350", "G35", "G37", "Q50", "Q60", "M35", "M45", "Q70", "S2000", "Firebird",
        "GTO", "Barracuda", "Impala", "Chevelle", "Monte Carlo", "Nova", "Cutlass Supreme", "Delta 88", "Fury", "Duster",
        "LeSabre", "Electra", "Regal", "Grand Prix", "164", "240", "XJ", "XK", "XF", "F-Type", "Model S", "Model 3", "Genesis",
        "G70", "G80", "G90", "Stinger", "Continental", "LS", "Seville", "DeVille", "Fleetwood", "Eldorado", "Beetle"};
    // Front drive came to these big GM and Ford lines in the 1980s.
    static const QHash<QString, int> frontFrom = {{"Impala", 2000}, {"Monte Carlo", 1995}, {"Cutlass Supreme", 1988},
                                                  {"Delta 88", 1986}, {"LeSabre", 1986}, {"Electra", 1985}, {"Regal", 1988},
                                                  {"Grand Prix", 1988}, {"Continental", 1988}, {"Seville", 1986},
                                                  {"DeVille", 1985}, {"Eldorado", 1979}, {"Thunderbird", 9999},
                                                  {"Cougar", 1999}, {"Beetle", 1998}};
    if (!models.contains(v.model))
        return false;
    return year < frontFrom.value(v.model, 9999);
}

// Makers whose cars are rear- or all-wheel driven.
bool rearDriveMake(const QString &make)
{
    static const QSet<QString> makes = {"BMW", "MERCEDES-BENZ", "PORSCHE", "JAGUAR", "ROLLS-ROYCE", "BENTLEY", "FERRARI",
                                        "LAMBORGHINI", "MASERATI", "ASTON MARTIN", "LOTUS", "MCLAREN", "GENESIS", "ALFA ROMEO"};
    return makes.contains(make);
}

// Makers that went to front drive early.
bool earlyFrontDriveMake(const QString &make)
{
    static const QSet<QString> makes = {"HONDA", "VOLKSWAGEN", "AUDI", "SAAB", "SUBARU", "ACURA", "MINI", "FIAT"};
    return makes.contains(make);
}

bool fullSizeVan(const Vehicle &v)
{
    static const QStringList names = {"E-", "Econoline", "Express", "Savana", "Transit", "Sprinter", "Chevy Van", "G10",
                                      "G20", "G30", "Ram Van", "B150", "B250", "B350", "NV", "Metris", "Astro", "Safari"};
    for (const QString &n : names)
        if (v.model.startsWith(n))
            return true;
    return false;
}

// A crossover (front drive with all-wheel drive offered) rather than a
// body-on-frame sport utility.
bool crossover(const Vehicle &v, const QList<Engine> &engines, int year)
{
    static const QSet<QString> frame = {"Wrangler", "4Runner", "Land Cruiser", "Tahoe", "Suburban", "Yukon", "Escalade",
                                        "Expedition", "Navigator", "Sequoia", "Armada", "Bronco", "Blazer", "Jimmy",
                                        "Cherokee", "Grand Cherokee", "Wagoneer", "CJ-5", "CJ-7", "Scout II", "Trooper",
                                        "Montero", "Pathfinder", "Xterra", "Samurai", "Range Rover", "H2", "Durango",
                                        "Explorer", "Trailblazer", "Envoy", "Rainier", "Mountaineer", "Aviator",
                                        "Defender", "G-Class", "GX 460", "LX 570", "Frontier", "Tacoma"};
    if (v.make == QLatin1String("JEEP") && v.model == QLatin1String("Cherokee") && year >= 2014)
        return true;
    if (v.model == QLatin1String("Explorer") && year >= 2011)
        return true;
    if (frame.contains(v.model) || v.model.startsWith(QLatin1String("Bronco")))
        return false;
    if (year < 1995)
        return false;
    for (const Engine &e : engines)
        if (e.litres >= 5.0)
            return false;
    return true;
}

QString normalDrive(const QString &hint, const QString &kind)
{
    if (hint == QLatin1String("FWD"))
        return kFwd;
    if (hint == QLatin1String("RWD"))
        return kind == QLatin1String("car") ? kRwd : k2wd;
    if (hint == QLatin1String("AWD"))
        return kAwd;
    if (hint == QLatin1String("4WD"))
        return kind == QLatin1String("car") ? kAwd : k4wd;
    return k2wd;
}

} // namespace

// The driven wheels a vehicle-year's engine is listed with.
QStringList drivesFor(const Vehicle &v, const Engine &e, const QList<Engine> &yearEngines, int year)
{
    const QString kind = v.kind();
    if (!e.drives.isEmpty()) {
        QStringList out;
        for (const QString &d : e.drives)
            out << normalDrive(d, kind);
        return out;
    }
    if (!e.evMotor.isEmpty()) {
        // Single-motor Teslas drive the rear wheels; the stronger dual-motor ones all four.
        double strongest = 0, weakest = 1e9;
        for (const Engine &o : yearEngines)
            if (!o.evMotor.isEmpty()) {
                strongest = qMax(strongest, o.evMotor.section(QLatin1Char(' '), 0, 0).toDouble());
                weakest = qMin(weakest, o.evMotor.section(QLatin1Char(' '), 0, 0).toDouble());
            }
        const double kw = e.evMotor.section(QLatin1Char(' '), 0, 0).toDouble();
        const bool dual = kw > 0 && kw == strongest && strongest > weakest;
        if (v.make == QLatin1String("TESLA") || v.model.startsWith(QLatin1String("Ioniq 5")) || rearDriveMake(v.make))
            return {dual || v.model == QLatin1String("Cybertruck") ? kAwd : kRwd};
        if (kind == QLatin1String("truck"))
            return {k4wd};
        // Small electric cars have one motor at the front; a stronger version of an electric SUV has two.
        return {dual && kind != QLatin1String("car") ? kAwd : kFwd};
    }
    QStringList hinted;
    for (const QString &h : v.catalog.value(year).drives) {
        const QString d = normalDrive(h, kind);
        if (!hinted.contains(d))
            hinted << d;
    }
    if (v.make == QLatin1String("SUBARU") && v.model != QLatin1String("BRZ"))
        return {kind == QLatin1String("truck") ? k4wd : kAwd};
    if (kind == QLatin1String("truck"))
        return {k2wd, k4wd};
    if (kind == QLatin1String("van"))
        return {fullSizeVan(v) ? kRwd : kFwd};
    if (kind == QLatin1String("suv")) {
        if (v.model == QLatin1String("Wrangler") || v.model.startsWith(QLatin1String("CJ")) || v.model == QLatin1String("Samurai"))
            return {k4wd};
        if (fullSizeVan(v))
            return {kRwd};
        return crossover(v, yearEngines, year) ? QStringList{kFwd, kAwd} : QStringList{k2wd, k4wd};
    }
    // Cars: the catalogue's own word first, then the line and its maker; an
    // engine of 5.0 L or more never drives the front wheels.
    QString base;
    if (rearDriveCar(v, year) || rearDriveMake(v.make) || e.litres >= 5.0)
        base = kRwd;
    else if (year < 1980 && !earlyFrontDriveMake(v.make))
        base = kRwd;
    else
        base = kFwd;
    // A named two-wheel drive replaces the rule's; all-wheel drive is offered beside it.
    QStringList out;
    for (const QString &h : hinted)
        if (h == kRwd || (h == kFwd && e.litres < 5.0))
            out << h;
    if (out.isEmpty())
        out << base;
    if (hinted.contains(kAwd))
        out << kAwd;
    return out;
}

// Whether the maker fitted a continuously variable gearbox to this kind of
// line by then.
bool cvtLine(const Vehicle &v, const Engine &e, int year)
{
    const double biggest = v.make == QLatin1String("NISSAN") || v.make == QLatin1String("INFINITI") ? 3.5 : 2.5;
    if (e.litres > biggest || v.kind() == QLatin1String("truck") || rearDriveMake(v.make) || rearDriveCar(v, year) ||
        fullSizeVan(v))
        return false;
    static const QHash<QString, int> from = {{"NISSAN", 2007}, {"INFINITI", 2014}, {"SUBARU", 2010}, {"MITSUBISHI", 2008},
                                             {"HONDA", 2014}, {"ACURA", 2019}, {"TOYOTA", 2019}, {"LEXUS", 2019},
                                             {"KIA", 2020}, {"HYUNDAI", 2020}};
    return year >= from.value(v.make, 9999);
}

QList<Engine> enginesOf(const Vehicle &v, int year)
{
    QList<Engine> engines;
    for (const Engine &e : v.engines)
        if (year >= e.from && year <= e.to)
            engines.append(e);
    return engines;
}

// A vehicle-year's engine rows from the hand-written list or the catalogue:
// what the list states and nothing more. Driven wheels and gearboxes only
// where the entry names them, no size class, and the fuel by its kind alone
// (gasoline, diesel, electricity), never a grade no source gives.
void addEpa(Model &m, const Vehicle &v, int year)
{
    const QList<Engine> engines = enginesOf(v, year);
    const qsizetype first = m.epa.size(); // this vehicle-year's rows start here: none is listed twice
    for (const Engine &e : engines) {
        const bool ev = !e.evMotor.isEmpty();
        QStringList drives;
        for (const QString &d : e.drives)
            drives << normalDrive(d, v.kind());
        if (drives.isEmpty())
            drives << QString();
        const QStringList gearboxes = e.gearboxes.isEmpty() ? QStringList{QString()} : e.gearboxes;
        QString fuel, desc;
        if (ev) {
            fuel = QStringLiteral("Electricity");
        } else if (e.fuel == QLatin1String("Diesel")) {
            fuel = QStringLiteral("Diesel");
        } else if (e.fuel.startsWith(QLatin1String("Flexible")) || e.fuel.startsWith(QLatin1String("Ethanol"))) {
            fuel = QStringLiteral("Gasoline or E85");
            desc = QStringLiteral("FFV");
        } else if (e.fuel.startsWith(QLatin1String("Compressed Natural"))) {
            fuel = QStringLiteral("CNG");
        } else {
            fuel = e.plugin ? QStringLiteral("Gasoline and Electricity") : QStringLiteral("Gasoline");
            desc = e.plugin ? QStringLiteral("PHEV") : e.hybrid ? QStringLiteral("HEV") : QString();
        }
        for (const QString &drive : drives) {
            for (const QString &gearbox : gearboxes) {
                EpaRow row;
                row.vid = v.id;
                row.year = year;
                row.variant = v.model;
                row.litres = ev ? 0.0 : e.litres;
                row.cylinders = ev ? 0 : e.cylinders;
                row.transmission = gearbox;
                row.drive = drive;
                row.turbo = e.turbo;
                row.supercharged = e.supercharged;
                row.evMotor = e.evMotor;
                row.fuel = fuel;
                row.engineDesc = desc;
                if (std::find(m.epa.begin() + first, m.epa.end(), row) == m.epa.end())
                    m.epa.append(row);
            }
        }
    }
}
