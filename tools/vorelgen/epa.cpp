// The EPA engine listings of a vehicle-year: one row per engine, driven
// wheels and transmission. Engines come from the hand-written list where it
// has them, else from the vPIC patterns tied to the model; gearboxes and
// driven wheels as written with the engine, else the driven wheels from
// vPIC's drive patterns and series names where they say so, else from the
// body, the period and the power; the transmission, class and fuel grade by
// period-plausible rules.

#include "model.h"
#include "rng.h"

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
        "280ZX", "Supra", "86", "GR86", "BRZ", "Viper", "LS 400", "LS 430", "LS 460", "LS 500", "GS 300", "GS 350", "IS 250",
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

namespace {

QString transmissionFor(const Vehicle &v, const Engine &e, int year, bool manual, Rng &r)
{
    if (!e.evMotor.isEmpty())
        return QStringLiteral("Automatic (A1)");
    if (manual)
        return year < 1985 ? QStringLiteral("Manual 4-spd") : year < 2008 ? QStringLiteral("Manual 5-spd") : QStringLiteral("Manual 6-spd");
    if (e.hybrid && (v.make == QLatin1String("TOYOTA") || v.make == QLatin1String("LEXUS") || v.make == QLatin1String("FORD") ||
                     v.make == QLatin1String("LINCOLN")))
        return QStringLiteral("Automatic (variable gear ratios)");
    if (cvtLine(v, e, year))
        return year < 2012 ? QStringLiteral("Automatic (variable gear ratios)") : QStringLiteral("Automatic (AV-S7)");
    if (year < 1990)
        return r.chance(0.5) ? QStringLiteral("Automatic 3-spd") : QStringLiteral("Automatic 4-spd");
    if (year <= 2002)
        return QStringLiteral("Automatic 4-spd");
    if (year <= 2008)
        return r.chance(0.5) ? QStringLiteral("Automatic 4-spd") : QStringLiteral("Automatic 5-spd");
    if (year <= 2014)
        return r.chance(0.6) ? QStringLiteral("Automatic 6-spd") : QStringLiteral("Automatic (S6)");
    if (year <= 2019)
        return r.chance(0.5) ? QStringLiteral("Automatic (S6)") : QStringLiteral("Automatic (S8)");
    return r.chance(0.6) ? QStringLiteral("Automatic (S8)") : QStringLiteral("Automatic (S10)");
}

bool twoSeater(const Vehicle &v)
{
    static const QSet<QString> models = {"Corvette", "MX-5 Miata", "MX-5", "S2000", "Boxster", "Cayman", "718", "Z4", "SLK",
                                         "SLC", "Solstice", "Sky", "350Z", "370Z", "Viper", "914", "Fiero", "MR2", "XLR",
                                         "Roadster", "Spyder", "Z3", "TT", "240Z", "Elise", "NSX", "BRAT"};
    return models.contains(v.model);
}

QString classFor(const Vehicle &v, const Engine &e, const QString &drive, int year)
{
    const QString kind = v.kind();
    const QString wd = drive.startsWith(QLatin1String("4")) || drive.startsWith(QLatin1String("All")) ? QStringLiteral("4WD") : QStringLiteral("2WD");
    if (kind == QLatin1String("truck"))
        return (e.litres < 3.0 && e.evMotor.isEmpty() ? QStringLiteral("Small Pickup Trucks ") : QStringLiteral("Standard Pickup Trucks ")) + wd;
    if (kind == QLatin1String("van") || (kind == QLatin1String("suv") && fullSizeVan(v)))
        return fullSizeVan(v) ? QStringLiteral("Vans, Passenger Type") : QStringLiteral("Minivan - ") + wd;
    if (kind == QLatin1String("suv")) {
        if (year < 2011)
            return QStringLiteral("Sport Utility Vehicle - ") + wd;
        return (e.litres < 3.0 && e.evMotor.isEmpty() ? QStringLiteral("Small Sport Utility Vehicle ") : QStringLiteral("Standard Sport Utility Vehicle ")) + wd;
    }
    if (twoSeater(v))
        return QStringLiteral("Two Seaters");
    if (v.model == QLatin1String("911"))
        return QStringLiteral("Minicompact Cars");
    if (v.model == QLatin1String("Mustang") || v.model == QLatin1String("Camaro") || v.model == QLatin1String("Firebird"))
        return QStringLiteral("Subcompact Cars");
    if (!e.evMotor.isEmpty() || (e.litres >= 1.8 && e.litres < 3.0))
        return QStringLiteral("Midsize Cars");
    return e.litres < 1.8 ? QStringLiteral("Compact Cars") : QStringLiteral("Large Cars");
}

// The fuel listed and the EPA descriptor of an engine.
QPair<QString, QString> fuelFor(const Vehicle &v, const Engine &e, int year)
{
    if (!e.evMotor.isEmpty())
        return {QStringLiteral("Electricity"), QString()};
    if (e.fuel == QLatin1String("Diesel"))
        return {QStringLiteral("Diesel"), QStringLiteral("diesel")};
    if (e.fuel.startsWith(QLatin1String("Flexible")) || e.fuel.startsWith(QLatin1String("Ethanol")))
        return {QStringLiteral("Gasoline or E85"), QStringLiteral("FFV")};
    if (e.fuel.startsWith(QLatin1String("Compressed Natural")))
        return {QStringLiteral("CNG"), QStringLiteral("CNG")};
    const bool premium = (e.turbo && year >= 2010 && e.litres >= 2.0) || e.supercharged ||
                         (rearDriveMake(v.make) && year >= 1990);
    const QString grade = premium ? QStringLiteral("Premium Gasoline") : QStringLiteral("Regular Gasoline");
    if (e.plugin)
        return {grade + QStringLiteral(" and Electricity"), QStringLiteral("PHEV")};
    if (e.hybrid)
        return {grade, QStringLiteral("HEV")};
    return {grade, e.turbo && year >= 2012 ? QStringLiteral("SIDI") : QString()};
}

} // namespace

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

void addEpa(Model &m, const Vehicle &v, int year)
{
    const QList<Engine> engines = enginesOf(v, year);
    const QString kind = v.kind();
    const qsizetype first = m.epa.size(); // this vehicle-year's rows start here: none is listed twice
    for (const Engine &e : engines) {
        const bool ev = !e.evMotor.isEmpty();
        // Manual gearboxes: cars until 2017 (family cars with their smaller
        // engines only), big pickups until 2005, small ones until 2015.
        const bool sporty = twoSeater(v) || rearDriveCar(v, year) || rearDriveMake(v.make);
        const int manualUntil = kind == QLatin1String("car") ? (e.litres <= 2.5 || sporty ? 2017 : 0)
                                : kind != QLatin1String("truck") ? 0 : e.litres < 3.0 ? 2015 : 2005;
        const auto [fuel, desc] = fuelFor(v, e, year);
        // The written gearboxes, else one per engine and model year by the
        // period's rule, whatever the driven wheels.
        QStringList gearboxes = ev ? QStringList{QStringLiteral("Automatic (A1)")} : e.gearboxes;
        if (gearboxes.isEmpty()) {
            QList<bool> manuals = {false};
            if (!e.hybrid && year <= manualUntil && e.litres < 6.0 &&
                Rng::keyed(QStringLiteral("manual:%1:%2").arg(v.id).arg(e.litres)).chance(0.3))
                manuals.append(true);
            for (const bool manual : manuals) {
                Rng r = Rng::keyed(QStringLiteral("epa:%1:%2:%3:%4").arg(v.id).arg(year).arg(e.litres).arg(e.cylinders));
                gearboxes << transmissionFor(v, e, year, manual, r);
            }
        }
        for (const QString &drive : drivesFor(v, e, engines, year)) {
            for (const QString &gearbox : gearboxes) {
                EpaRow row;
                row.vid = v.id;
                row.year = year;
                row.variant = v.model;
                if (drive.startsWith(QLatin1String("2-")))
                    row.variant += QStringLiteral(" 2WD");
                else if (drive.startsWith(QLatin1String("4-")))
                    row.variant += QStringLiteral(" 4WD");
                else if (drive.startsWith(QLatin1String("All")) && v.make != QLatin1String("SUBARU"))
                    row.variant += QStringLiteral(" AWD");
                row.litres = ev ? 0.0 : e.litres;
                row.cylinders = ev ? 0 : e.cylinders;
                row.transmission = gearbox;
                row.drive = drive;
                row.vehicleClass = classFor(v, e, drive, year);
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
