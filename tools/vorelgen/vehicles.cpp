// The vehicle fleet, its model years with their sources, and the EPA engine
// listings.
//
// content/vehicles.json: {"makes": {MAKE: display name}, "vehicles": [...]},
// one object per make and model: "make" (a key of "makes"), "model",
// "types" (vPIC vehicle types), "years" ("1974-2001, 2014-2023"), optional
// "pop" (1-5, how common it is), "heavy", "photo" (one of the 50 drawings),
// "id" (a fixed vehicle id), "vpic" (its name in the vPIC catalogue, when it
// differs; "MAKE|model" when listed under another make), "sample" (false: only in the full build) and "engines" (see
// parseEngine; without a year range an engine serves every year). A line's
// hand-written engines are its only ones: vPIC's are used only for lines
// without them.

#include "fleet.h"
#include "model.h"
#include "rng.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>

namespace {

constexpr int kFullFleet = 2235;

// "1998-2002: 5.4/8 A4 M5", "2.0/4T", "3.0/6S", "2.0/4TS", "6.6/8TD" (a turbo
// diesel), "2.5/4H CVT" (a hybrid), "2.0/4TP A8 4WD" (a plug-in hybrid) or
// "EV 150 kW"; after the engine its gearboxes (A4 automatic, M5 manual, AM7
// automated or dual-clutch, CVT) and, where the body's rule would be wrong,
// its driven wheels (FWD, RWD, AWD, 4WD); after " | " the reason an engine
// of 1984-2015 stands where EPA's list has none.
Engine parseEngine(const QString &text, const QString &where)
{
    static const QRegularExpression re(QStringLiteral(
        "^(?:(\\d{4})-(\\d{4}):\\s*)?(?:EV\\s+(\\d+ kW)|(\\d+\\.\\d)/(\\d+)(T?S?)(D?)([HP]?))((?:\\s+(?:A\\d+|M\\d|AM\\d|CVT|FWD|RWD|AWD|4WD))*)$"));
    // "... | reason": why an engine of 1984-2015 stands where EPA's list has none.
    const qsizetype bar = text.indexOf(QLatin1String(" | "));
    const auto m = re.match((bar < 0 ? text : text.left(bar)).trimmed());
    if (!m.hasMatch() || (bar >= 0 && text.mid(bar + 3).trimmed().isEmpty()))
        throw GenError{where + QStringLiteral(": bad engine \"") + text + QStringLiteral("\"")};
    Engine e;
    if (bar >= 0)
        e.reason = text.mid(bar + 3).trimmed();
    // A reason says why this line and these years stand without EPA's rows;
    // the old catch-all sentence said nothing and was often untrue.
    if (e.reason == QLatin1String("EPA's list as packaged has no row for this line in these years"))
        throw GenError{where + QStringLiteral(": engine \"") + text + QStringLiteral("\" needs its own reason, not the general sentence")};
    if (!m.captured(1).isEmpty()) {
        e.from = m.captured(1).toInt();
        e.to = m.captured(2).toInt();
    }
    if (!m.captured(3).isEmpty()) {
        e.evMotor = m.captured(3);
    } else {
        e.litres = m.captured(4).toDouble();
        e.cylinders = m.captured(5).toInt();
        e.turbo = m.captured(6).contains(QLatin1Char('T'));
        e.supercharged = m.captured(6).contains(QLatin1Char('S'));
        if (!m.captured(7).isEmpty())
            e.fuel = QStringLiteral("Diesel");
        e.hybrid = !m.captured(8).isEmpty();
        e.plugin = m.captured(8) == QLatin1String("P");
    }
    for (const QString &w : m.captured(9).split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (w.endsWith(QLatin1String("WD")))
            e.drives << w;
        else if (w == QLatin1String("CVT"))
            e.gearboxes << QStringLiteral("Automatic (variable gear ratios)");
        else if (w.startsWith(QLatin1String("AM")))
            e.gearboxes << QStringLiteral("Automatic (%1)").arg(w);
        else
            e.gearboxes << QStringLiteral("%1 %2-spd").arg(w.startsWith(QLatin1Char('M')) ? QStringLiteral("Manual") : QStringLiteral("Automatic"), w.mid(1));
    }
    if (!e.evMotor.isEmpty() && !e.gearboxes.isEmpty())
        throw GenError{where + QStringLiteral(": an electric motor takes no gearbox \"") + text + QStringLiteral("\"")};
    if (e.from > e.to || (e.from > 0 && e.from < 1970))
        throw GenError{where + QStringLiteral(": bad engine years \"") + text + QStringLiteral("\"")};
    return e;
}

// Engines for a vehicle without a hand-written list, by body kind and era.
QList<Engine> poolEngines(const Vehicle &v)
{
    struct Era { int from, to; QStringList car, suv, truck; };
    static const QList<Era> eras = {
        {1970, 1980, {"5.7/8", "4.1/6", "2.3/4", "5.0/8", "1.6/4"}, {"5.7/8", "4.2/6", "5.0/8"}, {"5.7/8", "4.9/6", "5.0/8"}},
        {1981, 1995, {"2.2/4", "2.5/4", "3.0/6", "3.8/6", "5.0/8", "1.8/4"}, {"4.0/6", "4.3/6", "2.8/6", "5.7/8"}, {"4.3/6", "5.0/8", "2.5/4"}},
        {1996, 2010, {"2.0/4", "2.4/4", "3.5/6", "3.0/6", "1.8/4"}, {"4.0/6", "3.5/6", "5.3/8", "2.4/4"}, {"4.6/8", "5.3/8", "4.0/6", "6.0/8"}},
        {2011, 2026, {"1.5/4T", "2.0/4T", "2.5/4", "3.5/6", "1.6/4"}, {"2.0/4T", "3.5/6", "2.5/4", "3.6/6"}, {"3.5/6T", "5.3/8", "2.7/6T", "6.2/8"}},
    };
    Rng r = Rng::keyed(QStringLiteral("engines:") + QString::number(v.id));
    const QString kind = v.kind();
    QList<Engine> out;
    for (const Era &era : eras) {
        if (v.years.isEmpty() || v.years.last() < era.from || v.years.first() > era.to)
            continue;
        const QStringList &pool = kind == QLatin1String("car") ? era.car : kind == QLatin1String("truck") ? era.truck : era.suv;
        const int n = int(r.range(1, 2));
        QSet<QString> used;
        for (int i = 0; i < n; ++i) {
            const QString s = r.pick(pool);
            if (used.contains(s))
                continue;
            used.insert(s);
            Engine e = parseEngine(s, QStringLiteral("engine pool"));
            e.from = era.from;
            e.to = era.to;
            out.append(e);
        }
    }
    return out;
}

// Vehicle types as the header's type line expects them: "MPV" for the long
// vPIC name, items joined by a bare comma ("Incomplete Vehicle,Truck").
QString storedTypes(const QString &types)
{
    QStringList parts;
    for (QString p : types.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        p = p.trimmed();
        if (p == QLatin1String("Multipurpose Passenger Vehicle (MPV)"))
            p = QStringLiteral("MPV");
        if (!p.isEmpty() && !parts.contains(p))
            parts << p;
    }
    return parts.join(QLatin1Char(','));
}

void fillYears(Vehicle &v)
{
    v.years.clear();
    for (const YearRun &run : v.runs)
        for (int y = run.first; y <= run.second; ++y)
            if (!v.years.contains(y))
                v.years.append(y);
    std::sort(v.years.begin(), v.years.end());
}

QList<Vehicle> readVehicles(const Content &c)
{
    const QJsonObject makes = c.vehicles.value(QStringLiteral("makes")).toObject();
    QList<Vehicle> out;
    QSet<QString> seen;
    for (const QJsonValue &val : c.vehicles.value(QStringLiteral("vehicles")).toArray()) {
        const QJsonObject o = val.toObject();
        Vehicle v;
        v.make = o.value(QStringLiteral("make")).toString();
        v.model = o.value(QStringLiteral("model")).toString();
        const QString where = QStringLiteral("vehicles.json: ") + v.make + QLatin1Char(' ') + v.model;
        if (v.make.isEmpty() || v.model.isEmpty() || !makes.contains(v.make))
            throw GenError{where + QStringLiteral(": make, model and a listed make are required")};
        if (seen.contains(v.make + QLatin1Char('|') + v.model.toLower()))
            throw GenError{where + QStringLiteral(": listed twice")};
        seen.insert(v.make + QLatin1Char('|') + v.model.toLower());
        if (c.merged.contains(lineKey(v.make, v.model)))
            throw GenError{where + QStringLiteral(": merged into another line (fleet_ids.json)")};
        v.makeDisplay = makes.value(v.make).toString();
        v.types = storedTypes(o.value(QStringLiteral("types")).toString());
        // "vpic": its name in the catalogue, "MAKE|model" where vPIC lists it under another make.
        const QString vpic = o.value(QStringLiteral("vpic")).toString(v.model);
        v.catalogMake = vpic.contains(QLatin1Char('|')) ? vpic.section(QLatin1Char('|'), 0, 0) : v.make;
        v.catalogName = vpic.section(QLatin1Char('|'), -1);
        v.runs = parseRuns(o.value(QStringLiteral("years")).toString(), where);
        v.pop = qBound(1, o.value(QStringLiteral("pop")).toInt(2), 5);
        v.heavy = o.value(QStringLiteral("heavy")).toBool();
        v.photo = o.value(QStringLiteral("photo")).toBool();
        v.id = o.value(QStringLiteral("id")).toInteger(0);
        v.inSample = o.value(QStringLiteral("sample")).toBool(true);
        for (const QJsonValue &e : o.value(QStringLiteral("engines")).toArray())
            v.engines.append(parseEngine(e.toString(), where));
        fillYears(v);
        out.append(v);
    }
    if (out.isEmpty())
        throw GenError{QStringLiteral("vehicles.json lists no vehicles")};
    return out;
}

// Gives each hand-written vehicle its id: a fixed one, else its id in
// fleet_ids.json, else the next id no line ever had. Without that file the
// lines are spread over the full fleet's id range so both profiles agree.
void assignIDs(QList<Vehicle> &real, const QHash<QString, qint64> &fleetIds)
{
    std::sort(real.begin(), real.end(), [](const Vehicle &a, const Vehicle &b) {
        return a.make != b.make ? a.make < b.make : a.model < b.model;
    });
    QHash<qint64, QString> owner; // reserved id -> its line
    for (auto it = fleetIds.begin(); it != fleetIds.end(); ++it)
        owner.insert(it.value(), it.key());
    QSet<qint64> used;
    for (Vehicle &v : real) {
        const QString key = lineKey(v.make, v.model);
        if (v.id <= 0)
            v.id = fleetIds.value(key, 0);
        if (v.id <= 0)
            continue;
        if ((fleetIds.isEmpty() && v.id > kFullFleet) || used.contains(v.id) || owner.value(v.id, key) != key)
            throw GenError{QStringLiteral("vehicles.json: fixed id %1 is taken or out of range").arg(v.id)};
        used.insert(v.id);
    }
    if (!fleetIds.isEmpty()) {
        qint64 next = kFullFleet;
        for (const qint64 id : owner.keys())
            next = qMax(next, id);
        for (Vehicle &v : real)
            if (v.id <= 0)
                v.id = ++next;
        return;
    }
    const qsizetype n = real.size();
    for (qsizetype k = 0; k < n; ++k) {
        Vehicle &v = real[k];
        if (v.id > 0)
            continue;
        qint64 id = 1 + qint64(k) * kFullFleet / n;
        while (used.contains(id))
            id = id % kFullFleet + 1;
        v.id = id;
        used.insert(id);
    }
}

QList<Vehicle> generated(const QList<Vehicle> &real, int total)
{
    QSet<qint64> used;
    QMap<QString, QList<const Vehicle *>> byMake;
    for (const Vehicle &v : real) {
        used.insert(v.id);
        byMake[v.make].append(&v);
    }
    const QStringList makes = byMake.keys();
    QList<double> weights;
    QSet<QString> electricMakes; // makes that sell only electric vehicles
    for (const QString &mk : makes) {
        weights.append(double(byMake[mk].size()));
        if (std::all_of(byMake[mk].begin(), byMake[mk].end(), [](const Vehicle *v) { return v->electric(); }))
            electricMakes.insert(mk);
    }
    QList<Vehicle> out;
    for (qint64 id = 1; id <= total; ++id) {
        if (used.contains(id))
            continue;
        Rng r = Rng::keyed(QStringLiteral("fleet:") + QString::number(id));
        const QString make = makes[r.weighted(weights)];
        const Vehicle *like = r.pick(byMake[make]);
        int lo = 2026, hi = 1970;
        for (const Vehicle *v : byMake[make]) {
            lo = qMin(lo, v->years.first());
            hi = qMax(hi, v->years.last());
        }
        Vehicle v;
        v.id = id;
        v.make = make;
        v.makeDisplay = like->makeDisplay;
        v.model = QStringLiteral("Sample Model %1").arg(id, 4, 10, QLatin1Char('0'));
        v.types = like->types;
        v.heavy = like->heavy;
        v.generated = true;
        v.pop = r.chance(0.25) ? 2 : 1;
        const int first = int(r.range(lo, hi));
        const int last = qMin(hi, first + int(r.range(0, 14)));
        v.runs = {{first, last}};
        fillYears(v);
        v.engines = electricMakes.contains(make) ? like->engines : poolEngines(v);
        out.append(v);
    }
    return out;
}

QString sourcesFor(const Vehicle &v, int year)
{
    Rng r = Rng::keyed(QStringLiteral("sources:%1:%2").arg(v.id).arg(year));
    if (year < 1981)
        return QStringLiteral("o");
    // "e" (EPA lists it) is added by the EPA import.
    QString s = QStringLiteral("v");
    if (r.chance(0.45))
        s += QLatin1Char('o');
    return s;
}

} // namespace

void buildVehicles(Model &m, const Content &c)
{
    QList<Vehicle> all = readVehicles(c);
    assignIDs(all, c.fleetIds);
    // Ids are spread over every hand-written line first, so both builds agree.
    if (!m.profile.full)
        all.erase(std::remove_if(all.begin(), all.end(), [](const Vehicle &v) { return !v.inSample; }), all.end());
    const Fleet fleet(c);
    for (Vehicle &v : all)
        fleet.attach(v);
    if (m.profile.vehicles > 0) {
        if (all.size() > m.profile.vehicles)
            throw GenError{QStringLiteral("vehicles.json lists more vehicles than the %1 profile holds").arg(m.profile.name)};
        // The vPIC lines fill the fleet; without the catalogue, generated
        // stand-ins keep the profile's size.
        all += c.vpic.isEmpty() ? generated(all, m.profile.vehicles) : fleet.select(all, m.profile.vehicles);
    }
    std::sort(all.begin(), all.end(), [](const Vehicle &a, const Vehicle &b) { return a.id < b.id; });
    for (Vehicle &v : all)
        v.car = v.kind() == QLatin1String("car");
    m.vehicles = all;
    // A merged-away line's id names the line it joined, so a stored id still opens it.
    for (auto it = c.merged.begin(); it != c.merged.end(); ++it) {
        const qint64 alias = c.fleetIds.value(it.key(), 0);
        const qint64 into = c.fleetIds.value(it.value(), 0);
        if (alias <= 0 || into <= 0)
            throw GenError{QStringLiteral("fleet_ids.json: merged \"%1\" or its line \"%2\" has no id").arg(it.key(), it.value())};
        if (m.byID(into))
            m.aliases.insert(alias, into);
    }
    for (const Vehicle &v : m.vehicles) {
        for (const int y : v.years) {
            m.vehicleYears.append({v.id, y, sourcesFor(v, y)});
            if (y >= 1984 && !v.heavy)
                addEpa(m, v, y);
        }
    }
}
