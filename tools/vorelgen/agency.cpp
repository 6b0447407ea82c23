#include "agency.h"

#include <QDate>
#include <QHash>
#include <QJsonArray>
#include <QRegularExpression>
#include <algorithm>

QString MakerGroup::nameFor(const QString &date) const
{
    QString name = names.isEmpty() ? QString() : names.first().second;
    for (const auto &n : names)
        if (date >= n.first)
            name = n.second;
    return name;
}

QList<MakerGroup> makerGroups(const Model &m, const Content &c)
{
    QList<MakerGroup> groups;
    for (const QJsonValue &gv : c.agency.value(QStringLiteral("groups")).toArray()) {
        const QJsonObject o = gv.toObject();
        MakerGroup g;
        for (const QJsonValue &mk : o.value(QStringLiteral("makes")).toArray())
            g.makes << mk.toString();
        for (const QJsonValue &nv : o.value(QStringLiteral("names")).toArray())
        {
            // From a year or from an exact "YYYY-MM-DD" date.
            const QJsonValue from = nv.toArray().at(0);
            const QString date = from.isString() ? from.toString() : QStringLiteral("%1-01-01").arg(from.toInt());
            g.names.append({date, nv.toArray().at(1).toString()});
        }
        g.heavy = o.value(QStringLiteral("heavy")).toBool();
        g.style = o.value(QStringLiteral("style")).toString();
        groups.append(g);
    }
    for (const Vehicle &v : m.vehicles) {
        const int g = groupOf(groups, v.make);
        if (g < 0)
            throw GenError{QStringLiteral("agency.json: make %1 belongs to no manufacturer group").arg(v.make)};
        groups[g].vehicles.append(&v);
    }
    return groups;
}

int groupOf(const QList<MakerGroup> &groups, const QString &make)
{
    for (qsizetype i = 0; i < groups.size(); ++i)
        if (groups[i].makes.contains(make))
            return int(i);
    return -1;
}

QList<Link> pickLinks(const QList<const Vehicle *> &pool, int pivot, int maxVehicles, int maxYears, Rng &r)
{
    const int lo = pivot - 5, hi = pivot + 1;
    QList<const Vehicle *> candidates;
    QList<double> weights;
    for (const Vehicle *v : pool) {
        if (v->years.last() < lo || v->years.first() > hi)
            continue;
        bool any = false;
        for (const int y : v->years)
            any = any || (y >= lo && y <= hi);
        if (!any)
            continue;
        candidates.append(v);
        weights.append(double(v->pop * v->pop));
    }
    QList<Link> links;
    const int want = int(r.range(1, maxVehicles));
    for (int k = 0; k < want && !candidates.isEmpty(); ++k) {
        const qsizetype i = r.weighted(weights);
        if (i < 0)
            break;
        const Vehicle *v = candidates[i];
        candidates.removeAt(i);
        weights.removeAt(i);
        // One record concerns vehicles of one kind: cars with cars, heavy trucks with heavy trucks.
        if (k == 0)
            for (qsizetype j = 0; j < candidates.size(); ++j)
                if (candidates[j]->heavy != v->heavy || candidates[j]->car != v->car)
                    weights[j] = 0;
        QList<int> window;
        for (const int y : v->years)
            if (y >= lo && y <= hi)
                window.append(y);
        const int len = int(qMin<qsizetype>(r.range(1, maxYears), window.size()));
        const int start = int(r.range(0, window.size() - len));
        for (int j = start; j < start + len; ++j)
            links.append({v->id, window[j]});
    }
    return links;
}

namespace {

// Makes whose cars and SUVs rode on self-levelling air springs from 1990.
bool airSprungMake(const QString &make)
{
    static const QSet<QString> makes = {QStringLiteral("LINCOLN"), QStringLiteral("CADILLAC"), QStringLiteral("LAND ROVER"),
                                        QStringLiteral("MERCEDES-BENZ"), QStringLiteral("ROLLS-ROYCE"), QStringLiteral("BENTLEY"),
                                        QStringLiteral("MASERATI"), QStringLiteral("PORSCHE"), QStringLiteral("AUDI"),
                                        QStringLiteral("LEXUS"), QStringLiteral("JAGUAR")};
    return makes.contains(make);
}

// The traits of a vehicle-year by the line's rules, from its own engine list.
int ruleTraits(const Vehicle &v, int year)
{
    QList<Engine> engines = enginesOf(v, year);
    const bool listed = !engines.isEmpty();
    if (!listed) // outside its listed years: an electric line stays electric
        engines.append(v.electric() ? v.engines.first() : Engine{});
    int t = 0;
    for (const Engine &e : engines) {
        if (e.evMotor.isEmpty()) {
            t |= Combustion;
            t |= e.fuel.contains(QLatin1String("Diesel"), Qt::CaseInsensitive) ? Diesel : Gasoline;
            // No CVT is claimed for an engine nobody listed.
            t |= listed && cvtLine(v, e, year) ? CvtBox | Automatic : SteppedBox | Manual | Automatic;
        }
        for (const QString &d : drivesFor(v, e, engines, year)) {
            if (d != QLatin1String("Front-Wheel Drive"))
                t |= RearDriven;
            if (d == QLatin1String("All-Wheel Drive") || d == QLatin1String("4-Wheel Drive"))
                t |= FourWheel;
        }
    }
    if (airSprungMake(v.make) && year >= 1990 && !v.heavy)
        t |= AirSprings;
    return t;
}

int fuelTraits(const QString &fuel)
{
    const QString f = fuel.toLower();
    if (f.isEmpty() || f == QLatin1String("electricity"))
        return 0;
    int t = Combustion;
    if (f.contains(QLatin1String("diesel")))
        t |= Diesel;
    for (const char *word : {"gasoline", "regular", "premium", "midgrade", "gas and", "gas or"})
        if (f.contains(QLatin1String(word)))
            t |= Gasoline;
    return t;
}

// -1 when the row names no drive.
int driveTraits(const QString &drive, bool truck)
{
    const QString d = drive.toLower();
    if (d.isEmpty())
        return -1;
    if (d.contains(QLatin1String("4-wheel")) || d.contains(QLatin1String("all-wheel")) || d == QLatin1String("4wd")
        || d == QLatin1String("awd"))
        return RearDriven | FourWheel;
    if (d.contains(QLatin1String("rear")))
        return RearDriven;
    // EPA's "2-Wheel Drive" is the rear-driven version of a truck, van or SUV.
    if (d.contains(QLatin1String("2-wheel")))
        return truck ? RearDriven : 0;
    return 0;
}

// -1 when the row names no gearbox.
int gearboxTraits(const QString &transmission)
{
    const QString g = transmission.toLower();
    if (g.isEmpty() || g == QLatin1String("na"))
        return -1;
    if (g.contains(QLatin1String("variable")) || g.contains(QLatin1String("cvt")) || g.contains(QLatin1String("(av"))
        || g.contains(QLatin1String("av-s")))
        return CvtBox | Automatic;
    if (g.contains(QLatin1String("manual")))
        return SteppedBox | Manual;
    if (g.contains(QLatin1String("(a1)")) || g.contains(QLatin1String("1-speed"))
        || g.contains(QLatin1String("single")))
        return Automatic;
    return SteppedBox | Automatic;
}

} // namespace

int bodyTraits(const QString &types)
{
    const QString t = types.toLower();
    if (t.contains(QLatin1String("truck")) || t.contains(QLatin1String("bus"))
        || t.contains(QLatin1String("incomplete")))
        return 0;
    return t.contains(QLatin1String("mpv")) ? ClosedBody | Liftgate : ClosedBody;
}

int statedTraits(const QList<EngineFacts> &rows, const QString &types, int unstated)
{
    const bool truck =
        types.contains(QLatin1String("truck"), Qt::CaseInsensitive) && !types.contains(QLatin1String("MPV"));
    int t = bodyTraits(types), drives = -1, gearboxes = -1;
    for (const EngineFacts &r : rows) {
        t |= fuelTraits(r.fuel);
        if (const int d = driveTraits(r.drive, truck); d >= 0)
            drives = qMax(drives, 0) | d;
        if (const int g = gearboxTraits(r.transmission); g >= 0)
            gearboxes = qMax(gearboxes, 0) | g;
    }
    t |= drives >= 0 ? drives : unstated & kDriveTraits;
    // A gearbox only where an engine burns fuel or a row names one.
    t |= gearboxes >= 0 ? gearboxes : (t & Combustion ? unstated & kGearboxTraits : 0);
    return t;
}

const QList<EpaRow> &engineRows(const Model &m, qint64 vid, int year)
{
    // Asked many times per vehicle-year while records are drawn.
    static const Model *indexedFor = nullptr;
    static qsizetype indexedRows = -1;
    static QHash<quint64, QList<EpaRow>> rows;
    static const QList<EpaRow> none;
    if (indexedFor != &m || indexedRows != m.epa.size()) {
        rows.clear();
        for (const EpaRow &e : m.epa)
            rows[quint64(e.vid) << 16 | quint64(e.year)].append(e);
        for (QList<EpaRow> &list : rows)
            std::stable_sort(list.begin(), list.end(),
                             [](const EpaRow &a, const EpaRow &b) { return a.litres < b.litres; });
        indexedFor = &m;
        indexedRows = m.epa.size();
    }
    const auto it = rows.constFind(quint64(vid) << 16 | quint64(year));
    return it == rows.constEnd() ? none : *it;
}

int yearTraits(const Model &m, qint64 vid, int year)
{
    static const Model *cachedFor = nullptr;
    static qsizetype cachedRows = -1;
    static QHash<quint64, int> cache;
    if (cachedFor != &m || cachedRows != m.epa.size()) {
        cache.clear();
        cachedFor = &m;
        cachedRows = m.epa.size();
    }
    const quint64 key = quint64(vid) << 16 | quint64(year);
    const auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    const Vehicle *v = m.byID(vid);
    int t = 0;
    if (v) {
        const int rules = ruleTraits(*v, year);
        const QList<EpaRow> &listed = engineRows(m, vid, year);
        QList<EngineFacts> facts;
        for (const EpaRow &e : listed)
            facts.append({e.fuel, e.transmission, e.drive});
        // Without engine rows the page names no fuel: no diesel is claimed,
        // and for a heavy line not gasoline either.
        const int unlisted = Diesel | (v->heavy ? Gasoline : 0);
        t = listed.isEmpty() ? (rules & ~unlisted) | bodyTraits(v->types)
                             : statedTraits(facts, v->types, rules) | (rules & AirSprings);
    }
    cache.insert(key, t);
    return t;
}

int templateNeeds(const QJsonObject &t)
{
    static const QHash<QString, int> words = {
        {QStringLiteral("gasoline"), Gasoline},      {QStringLiteral("diesel"), Diesel},
        {QStringLiteral("gears"), SteppedBox},       {QStringLiteral("cvt"), CvtBox},
        {QStringLiteral("rear drive"), RearDriven},  {QStringLiteral("four-wheel drive"), FourWheel},
        {QStringLiteral("air springs"), AirSprings}, {QStringLiteral("manual"), Manual},
        {QStringLiteral("automatic"), Automatic},    {QStringLiteral("closed body"), ClosedBody},
        {QStringLiteral("liftgate"), Liftgate}};
    int needs = t.value(QStringLiteral("ice")).toBool() ? Combustion : 0;
    for (const QJsonValue &w : t.value(QStringLiteral("needs")).toArray()) {
        if (!words.contains(w.toString()))
            throw GenError{QStringLiteral("agency.json: unknown need \"%1\"").arg(w.toString())};
        needs |= words.value(w.toString());
    }
    return needs;
}

int textNeeds(const QString &components, const QString &text)
{
    static const QRegularExpression engine(QStringLiteral("\\bengine\\b(?! compartment)"));
    static const QRegularExpression gears(
        QStringLiteral("between gears|shift out of first gear|harsh or delayed shift|torque converter"));
    static const QRegularExpression cvt(QStringLiteral("\\(cvt\\)|continuously variable"));
    static const QRegularExpression rear(QStringLiteral("rear driveshaft|rear axle|pinion"));
    static const QRegularExpression gasoline(
        QStringLiteral("\\bspark\\b|evaporative|catalyst|throttle body|idle air control|purge valve|regular fuel"));
    static const QRegularExpression closed(QStringLiteral("\\btrunk|\\bhatch|spare tire well|tail lamp gasket"));
    static const QRegularExpression liftgate(QStringLiteral("liftgate|rear wiper|sliding door"));
    static const QRegularExpression diesel(QStringLiteral("\\bdiesel|glow plug"));
    static const QRegularExpression manual(QStringLiteral("manual transmission|\\bclutch pedal"));
    const QString t = text.toLower();
    int needs = 0;
    for (const QString &c : components.split(QLatin1Char('|'))) {
        for (const char *prefix :
             {"ENGINE:", "ENGINE AND ENGINE COOLING:ENGINE", "FUEL/PROPULSION SYSTEM",
              "POWER TRAIN:AUTOMATIC TRANSMISSION", "POWER TRAIN:MANUAL TRANSMISSION", "ELECTRICAL SYSTEM:IGNITION"})
            if (c.startsWith(QLatin1String(prefix)) || c == QLatin1String(prefix).chopped(1))
                needs |= Combustion;
        if (c.startsWith(QLatin1String("POWER TRAIN:DRIVELINE:DRIVESHAFT"))
            || c.startsWith(QLatin1String("POWER TRAIN:AXLE ASSEMBLY")))
            needs |= RearDriven;
        if (c.startsWith(QLatin1String("POWER TRAIN:AUTOMATIC TRANSMISSION")))
            needs |= Automatic;
        if (c.startsWith(QLatin1String("POWER TRAIN:MANUAL TRANSMISSION")))
            needs |= Manual;
        const QStringList levels = c.split(QLatin1Char(':'));
        if (levels.contains(QLatin1String("DIESEL")))
            needs |= Diesel;
        if (levels.contains(QLatin1String("GASOLINE")))
            needs |= Gasoline;
    }
    if (engine.match(t).hasMatch())
        needs |= Combustion;
    if (gears.match(t).hasMatch())
        needs |= SteppedBox;
    if (cvt.match(t).hasMatch())
        needs |= CvtBox;
    if (rear.match(t).hasMatch())
        needs |= RearDriven;
    if (t.contains(QLatin1String("four-wheel drive")))
        needs |= FourWheel;
    if (t.contains(QLatin1String("air springs")))
        needs |= AirSprings;
    if (gasoline.match(t).hasMatch())
        needs |= Gasoline;
    if (closed.match(t).hasMatch())
        needs |= ClosedBody;
    if (liftgate.match(t).hasMatch())
        needs |= Liftgate;
    if (diesel.match(t).hasMatch())
        needs |= Diesel;
    if (manual.match(t).hasMatch())
        needs |= Manual;
    return needs;
}

QString traitNames(int traits)
{
    static const QList<QPair<int, const char *>> names = {{Combustion, "a combustion engine"},
                                                          {Gasoline, "a gasoline engine"},
                                                          {Diesel, "a diesel engine"},
                                                          {SteppedBox, "a gearbox with gears"},
                                                          {CvtBox, "a CVT"},
                                                          {RearDriven, "a driven rear axle"},
                                                          {FourWheel, "four-wheel drive"},
                                                          {AirSprings, "air springs"},
                                                          {Manual, "a manual gearbox"},
                                                          {Automatic, "an automatic gearbox"},
                                                          {ClosedBody, "a trunk or hatch (not a pickup)"},
                                                          {Liftgate, "a liftgate (an SUV or van)"}};
    QStringList out;
    for (const auto &[bit, name] : names)
        if (traits & bit)
            out << QLatin1String(name);
    return out.join(QStringLiteral(", "));
}

QList<Link> fitLinks(const Model &m, const QList<Link> &links, int from, int needs)
{
    QList<Link> out;
    for (const Link &l : links)
        if (l.year >= from && (yearTraits(m, l.vid, l.year) & needs) == needs)
            out.append(l);
    return out;
}

bool anyFits(const Model &m, const QList<Link> &links, int from, int needs)
{
    for (const Link &l : links)
        if (l.year >= from && (yearTraits(m, l.vid, l.year) & needs) == needs)
            return true;
    return false;
}

QString dataDate(const Model &m)
{
    return m.dataDate.isEmpty() ? QStringLiteral("2026-03-31") : m.dataDate;
}

QString earliestDate(const QList<Link> &links)
{
    int newest = 0;
    for (const Link &l : links)
        newest = qMax(newest, l.year);
    return newest ? QStringLiteral("%1-04-01").arg(newest - 1) : QString();
}

QString reportDate(const Model &m, int year, const QList<Link> &links, Rng &r)
{
    const QDate until = QDate::fromString(dataDate(m), Qt::ISODate);
    QDate lo = QDate(year, 1, 1), hi = QDate(year, 12, 31);
    const QDate earliest = QDate::fromString(earliestDate(links), Qt::ISODate);
    if (earliest.isValid() && earliest > lo)
        lo = earliest;
    if (hi > until)
        hi = until;
    if (lo > hi) { // the year drawn does not fit: the first months the records may carry
        hi = qMin(until, lo.addDays(270));
        if (lo > hi)
            lo = hi;
    }
    return lo.addDays(r.range(0, lo.daysTo(hi))).toString(Qt::ISODate);
}

QList<AgencyTemplate> agencyTemplates(const Content &c, const QString &key)
{
    QList<AgencyTemplate> out;
    for (const QJsonValue &v : c.agency.value(key).toArray()) {
        AgencyTemplate t;
        t.text = v.toObject();
        t.from = qMax(componentFrom(c, t.text.value(QStringLiteral("component")).toString()), t.text.value(QStringLiteral("from")).toInt(1970));
        t.needs = templateNeeds(t.text);
        t.to = t.text.value(QStringLiteral("to")).toInt(9999);
        out.append(t);
    }
    return out;
}

QString vehiclePhrase(const Model &m, const QList<Link> &links)
{
    return linkedYearsPhrase(m, links, [](const Vehicle *v) { return v ? v->name() : QStringLiteral("vehicle"); });
}

int weightedYear(int from, double growth, Rng &r)
{
    QList<double> w;
    for (int y = from; y <= 2026; ++y)
        w.append(1.0 + growth * (y - from) * (y == 2026 ? 0.4 : 1.0));
    return from + int(r.weighted(w));
}

QString NumberBook::next(const QString &prefix, const QString &suffix, Rng &r)
{
    int n = m_last.value(prefix, 0);
    for (int tries = 0; tries < 2000; ++tries) {
        n += int(r.range(1, 3));
        if (n > 999)
            n = 1 + int(r.range(0, 50));
        const QString number = prefix + QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')) + suffix;
        if (!m_used.contains(number)) {
            m_used.insert(number);
            m_last[prefix] = n;
            return number;
        }
    }
    throw GenError{QStringLiteral("no free agency number left under %1").arg(prefix)};
}

QString firstLevel(const QString &component)
{
    return component.section(QLatin1Char(':'), 0, 0);
}

int componentFrom(const Content &c, const QString &component)
{
    const QString first = firstLevel(component);
    for (const QJsonValue &v : c.agency.value(QStringLiteral("components")).toArray()) {
        const QJsonObject o = v.toObject();
        if (o.value(QStringLiteral("name")).toString() == first)
            return o.value(QStringLiteral("from")).toInt(1970);
    }
    if (first.startsWith(QLatin1String("AIR BAGS")))
        return 1988;
    return 1970;
}

Provenance provenanceOf(const Model &m)
{
    Provenance p;
    p.setGenerated(Provenance::Kind::Recalls, !m.imported.recalls);
    p.setGenerated(Provenance::Kind::Investigations, !m.imported.investigations);
    p.setGenerated(Provenance::Kind::Bulletins, !m.imported.bulletins);
    p.setGenerated(Provenance::Kind::Complaints, !m.imported.complaints);
    // Engines are sourced (EPA's list, the hand-written list, vPIC) but for
    // the stand-in models a build without the catalogue makes up.
    p.setGenerated(Provenance::Kind::Engines, std::any_of(m.vehicles.begin(), m.vehicles.end(), [](const Vehicle &v) { return v.generated; }));
    p.setDrawnPhotos(true);
    if (!m.imported.recalls)
        for (const RecallRow &r : m.recalls)
            if (r.campaign == QLatin1String("05V388000") || r.campaign == QLatin1String("09V388000"))
                p.keep(r.campaign);
    return p;
}
