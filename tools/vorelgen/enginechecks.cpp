#include "enginechecks.h"

#include "data/sqldb.h"
#include "model.h"

#include <QHash>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace {

// The least share of light-duty vehicle-years from 1984 with engine rows.
// EPA's list covers 1984-2015; later years rest on the hand-written list and
// the engines vPIC ties to a model.
constexpr double kMinCoverage = 0.96;

// The most of EPA's rows the full build may leave without a line: rows of
// coach builders, converters, grey-market importers and Canada-only models.
constexpr double kMaxNoLine = 0.02;

// How far a hand-written engine's displacement may be from EPA's.
constexpr double kLitresTolerance = 0.1;

quint64 yearKey(qint64 vid, int year)
{
    return quint64(vid) << 16 | quint64(year);
}

// Fails when `where` selects any engine row of a vehicle-year EPA's own list
// does not give, naming the first one: EPA's rows are taken as they are.
void none(SQLDB &db, const Model &m, const QString &where, const QString &rule, bool epaToo = false)
{
    const QList<SQLRow> bad = db.rows(QStringLiteral("SELECT v.make, v.model, e.model_year, e.displacement_l, e.cylinders, e.transmission, e.drive, "
                                                     "e.vehicle_id FROM epa e JOIN vehicles v USING (vehicle_id) WHERE %1").arg(where));
    for (const SQLRow &r : bad) {
        if (!epaToo && m.epaListed.contains(yearKey(r.integer(7), int(r.integer(2)))))
            continue;
        throw GenError{QStringLiteral("broken rule: %1 (%2 %3 %4: %5 L, %6 cylinders, %7, %8)")
                           .arg(rule, r.str(0), r.str(1), r.str(2), r.str(3), r.str(4), r.str(5), r.str(6))};
    }
}

void fail(const QString &rule, const Vehicle &v, int year)
{
    throw GenError{QStringLiteral("broken rule: %1 (%2 %3 %4)").arg(rule, v.make, v.model).arg(year)};
}

bool handWritten(const Vehicle &v)
{
    return v.tier == 0 && !v.generated;
}

} // namespace

void checkEngines(SQLDB &db, const Model &m)
{
    none(db, m, QStringLiteral("e.displacement_l > 0 AND (e.cylinders <= 0 OR e.displacement_l > 1.2 * e.cylinders)"),
         QStringLiteral("every gasoline or diesel engine has cylinders of at most 1.2 L each"));
    none(db, m, QStringLiteral("e.drive = 'Front-Wheel Drive' AND e.displacement_l >= 5.0"),
         QStringLiteral("no front-drive engine of 5.0 L or more"));
    none(db, m, QStringLiteral("e.fuel_type = 'Diesel' AND e.model_year >= 2000 AND e.turbo = 0"),
         QStringLiteral("every diesel from 2000 on is turbocharged"));
    // A hybrid's power-split gearbox is listed as variable ratios too; the rule is about belt CVTs.
    none(db, m, QStringLiteral("(e.transmission LIKE '%variable gear%' OR e.transmission LIKE '%(AV%') AND (e.cylinders > 6 OR e.displacement_l > 4.0) "
                            "AND e.engine_desc NOT IN ('HEV', 'PHEV')"),
         QStringLiteral("no continuously variable gearbox behind more than 6 cylinders or 4.0 L, but for a hybrid's"));
    none(db, m, QStringLiteral("(e.displacement_l = 0) <> (e.ev_motor <> '') OR (e.fuel_type = 'Electricity') <> (e.displacement_l = 0)"),
         QStringLiteral("electric rows, and only they, have a motor, no displacement and electricity for fuel"));
    none(db, m, QStringLiteral("(e.displacement_l = 0) <> (e.fuel_type = 'Electricity')"),
         QStringLiteral("an engine row has no displacement exactly when it runs on electricity alone"), true);
    none(db, m, QStringLiteral("e.engine_desc = 'PHEV' AND (e.displacement_l = 0 OR e.fuel_type NOT LIKE '%Gasoline and Electricity')"),
         QStringLiteral("a plug-in hybrid is listed with its engine"));
    none(db, m, QStringLiteral("e.model_year < 1984 OR v.heavy = 1"), QStringLiteral("engine rows only from 1984 and for light-duty lines"), true);
    none(db, m, QStringLiteral("EXISTS (SELECT 1 FROM epa o WHERE o.rowid < e.rowid AND o.vehicle_id = e.vehicle_id AND o.model_year = e.model_year "
                            "AND o.variant = e.variant AND o.displacement_l = e.displacement_l AND o.cylinders = e.cylinders "
                            "AND o.transmission = e.transmission AND o.drive = e.drive AND o.vehicle_class = e.vehicle_class "
                            "AND o.fuel_type = e.fuel_type AND o.engine_desc = e.engine_desc AND o.turbo = e.turbo "
                            "AND o.supercharger = e.supercharger AND o.ev_motor = e.ev_motor)"),
         QStringLiteral("no engine row twice"), true);

    QHash<qint64, const Vehicle *> byID;
    for (const Vehicle &v : m.vehicles)
        byID.insert(v.id, &v);
    // A hand-written line's engines are its own; an electric row needs a line
    // that sold an electric version that year.
    for (const Vehicle &v : m.vehicles)
        for (const Engine &e : v.engines)
            if (handWritten(v) && e.fromCatalog)
                fail(QStringLiteral("a hand-written line lists only its own engines"), v, e.from);
    for (const SQLRow &r : db.rows(QStringLiteral("SELECT DISTINCT vehicle_id, model_year FROM epa WHERE displacement_l = 0"))) {
        const Vehicle *v = byID.value(r.integer(0));
        const int year = int(r.integer(1));
        if (m.epaListed.contains(yearKey(r.integer(0), year)))
            continue;
        bool sold = false;
        for (const Engine &e : v ? v->engines : QList<Engine>())
            sold = sold || (!e.evMotor.isEmpty() && year >= e.from && year <= e.to);
        if (!v || !sold)
            throw GenError{QStringLiteral("broken rule: electric rows only where the line sold an electric version (vehicle %1, %2)")
                               .arg(r.integer(0))
                               .arg(year)};
    }

    // Every vehicle-year EPA's list gives rows for shows those rows and no
    // others (EPA gives every row a size class; the lists give none).
    QHash<quint64, QPair<qint64, qint64>> classes; // rows, rows with a class
    for (const SQLRow &r : db.rows(QStringLiteral("SELECT vehicle_id, model_year, COUNT(*), SUM(vehicle_class <> '') FROM epa GROUP BY 1, 2")))
        classes.insert(yearKey(r.integer(0), int(r.integer(1))), {r.integer(2), r.integer(3)});
    for (const quint64 k : m.epaListed) {
        const QPair<qint64, qint64> c = classes.value(k);
        if (c.first == 0 || c.first != c.second)
            if (const Vehicle *v = byID.value(qint64(k >> 16)))
                fail(QStringLiteral("a vehicle-year EPA lists shows EPA's rows and only those"), *v, int(k & 0xFFFF));
    }

    // A hand-written engine of 1985-2014, the years EPA's list is whole, is
    // one EPA lists for that line and year (within 0.1 L), and a year EPA does
    // not list needs the entry's reason. (1984 and 2015 are partial there:
    // EPA's rows replace the list's where it has them.) Heavy-duty lines are
    // not rated by EPA.
    if (m.imported.engines) {
        QHash<quint64, QList<QPair<double, int>>> epaEngines;
        for (const EpaRow &r : m.epa)
            if (m.epaListed.contains(yearKey(r.vid, r.year)))
                epaEngines[yearKey(r.vid, r.year)].append({r.litres, r.cylinders});
        for (const Vehicle &v : m.vehicles) {
            if (!handWritten(v) || v.heavy)
                continue;
            for (const Engine &e : v.engines) {
                if (!e.reason.isEmpty()) {
                    // A reason must still stand: some year of 1985-2014 it covers lacks EPA's rows.
                    bool covers = false, stands = false;
                    for (const int y : v.years)
                        if (y >= qMax(1985, e.from) && y <= qMin(2014, e.to)) {
                            covers = true;
                            stands = stands || !m.epaListed.contains(yearKey(v.id, y));
                        }
                    if (covers && !stands)
                        fail(QStringLiteral("a hand-written engine's reason stands only for years EPA does not list (%1)").arg(e.reason), v, qMax(1985, e.from));
                    continue;
                }
                for (const int y : v.years) {
                    if (y < qMax(1985, e.from) || y > qMin(2014, e.to))
                        continue;
                    const quint64 k = yearKey(v.id, y);
                    if (!m.epaListed.contains(k))
                        fail(QStringLiteral("a hand-written engine of a year EPA does not list for the line states its reason"), v, y);
                    const auto &listed = epaEngines.value(k);
                    const bool found = std::any_of(listed.begin(), listed.end(), [&](const QPair<double, int> &l) {
                        return e.evMotor.isEmpty() ? std::abs(l.first - e.litres) <= kLitresTolerance + 1e-9 && l.second == e.cylinders
                                                   : l.first == 0.0;
                    });
                    if (!found)
                        fail(QStringLiteral("a hand-written engine of 1985-2014 is one EPA lists for the line and year (%1 L, %2 cylinders)")
                                 .arg(e.litres)
                                 .arg(e.cylinders),
                             v, y);
                }
            }
        }
    }

    // Coverage from 1984: every light-duty year of a hand-written line, and
    // the least share of light-duty vehicle-years overall.
    QSet<QPair<qint64, int>> listed;
    for (const SQLRow &r : db.rows(QStringLiteral("SELECT DISTINCT vehicle_id, model_year FROM epa")))
        listed.insert({r.integer(0), int(r.integer(1))});
    qint64 light = 0, covered = 0;
    for (const SQLRow &r : db.rows(QStringLiteral("SELECT y.vehicle_id, y.model_year FROM vehicle_years y JOIN vehicles v USING (vehicle_id) "
                                                  "WHERE v.heavy = 0 AND y.model_year >= 1984"))) {
        const QPair<qint64, int> key{r.integer(0), int(r.integer(1))};
        ++light;
        if (listed.contains(key)) {
            ++covered;
            continue;
        }
        // A line written with its model years only rests on EPA's list, which is partial for 1984.
        if (const Vehicle *v = byID.value(key.first); v && handWritten(*v) && !(v->engines.isEmpty() && key.second == 1984))
            fail(QStringLiteral("every light-duty year of a hand-written line from 1984 has engine rows"), *v, key.second);
    }
    if (double(covered) < kMinCoverage * double(light))
        throw GenError{QStringLiteral("broken rule: at least %1% of light-duty vehicle-years from 1984 have engine rows (%2 of %3)")
                           .arg(kMinCoverage * 100)
                           .arg(covered)
                           .arg(light)};
    if (m.profile.full && double(m.epaNoLine) > kMaxNoLine * double(m.epaRows))
        throw GenError{QStringLiteral("broken rule: at most %1% of EPA's rows name no line of the build (%2 of %3)")
                           .arg(kMaxNoLine * 100)
                           .arg(m.epaNoLine)
                           .arg(m.epaRows)};
}
