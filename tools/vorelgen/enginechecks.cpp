#include "enginechecks.h"

#include "data/sqldb.h"
#include "model.h"

#include <QHash>
#include <QSet>

namespace {

// The least share of light-duty vehicle-years from 1984 with engine rows.
// vPIC ties engines to a model for only part of its lines, and the
// hand-written list covers the rest only where it names the line.
constexpr double kMinCoverage = 0.90;

// A combustion row: anything but an electric motor alone.
const char *const kCombustion = "NOT (displacement_l = 0 AND ev_motor <> '')";

// Fails when `where` selects any epa row, naming the first one.
void none(SQLDB &db, const QString &where, const QString &rule)
{
    const QList<SQLRow> bad = db.rows(QStringLiteral("SELECT v.make, v.model, e.model_year, e.displacement_l, e.cylinders, e.transmission, e.drive "
                                                     "FROM epa e JOIN vehicles v USING (vehicle_id) WHERE %1 LIMIT 1").arg(where));
    if (!bad.isEmpty()) {
        const SQLRow &r = bad.first();
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
    none(db, QStringLiteral("%1 AND (e.cylinders <= 0 OR e.displacement_l > 1.2 * e.cylinders)").arg(QLatin1String(kCombustion)),
         QStringLiteral("every gasoline or diesel engine has cylinders of at most 1.2 L each"));
    none(db, QStringLiteral("e.drive = 'Front-Wheel Drive' AND e.displacement_l >= 5.0"),
         QStringLiteral("no front-drive engine of 5.0 L or more"));
    none(db, QStringLiteral("e.fuel_type = 'Diesel' AND e.model_year >= 2000 AND e.turbo = 0"),
         QStringLiteral("every diesel from 2000 on is turbocharged"));
    // A hybrid's power-split gearbox is listed as variable ratios too; the rule is about belt CVTs.
    none(db, QStringLiteral("(e.transmission LIKE '%variable gear%' OR e.transmission LIKE '%(AV%') AND (e.cylinders > 6 OR e.displacement_l > 4.0) "
                            "AND e.engine_desc NOT IN ('HEV', 'PHEV')"),
         QStringLiteral("no continuously variable gearbox behind more than 6 cylinders or 4.0 L, but for a hybrid's"));
    none(db, QStringLiteral("(e.displacement_l = 0) <> (e.ev_motor <> '') OR (e.fuel_type = 'Electricity') <> (e.displacement_l = 0)"),
         QStringLiteral("electric rows, and only they, have a motor, no displacement and electricity for fuel"));
    none(db, QStringLiteral("e.engine_desc = 'PHEV' AND (e.displacement_l = 0 OR e.fuel_type NOT LIKE '%Gasoline and Electricity')"),
         QStringLiteral("a plug-in hybrid is listed with its engine"));
    none(db, QStringLiteral("e.model_year < 1984 OR v.heavy = 1"), QStringLiteral("engine rows only from 1984 and for light-duty lines"));
    none(db, QStringLiteral("EXISTS (SELECT 1 FROM epa o WHERE o.rowid < e.rowid AND o.vehicle_id = e.vehicle_id AND o.model_year = e.model_year "
                            "AND o.variant = e.variant AND o.displacement_l = e.displacement_l AND o.cylinders = e.cylinders "
                            "AND o.transmission = e.transmission AND o.drive = e.drive AND o.vehicle_class = e.vehicle_class "
                            "AND o.fuel_type = e.fuel_type AND o.engine_desc = e.engine_desc AND o.turbo = e.turbo "
                            "AND o.supercharger = e.supercharger AND o.ev_motor = e.ev_motor)"),
         QStringLiteral("no engine row twice"));

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
        bool sold = false;
        for (const Engine &e : v ? v->engines : QList<Engine>())
            sold = sold || (!e.evMotor.isEmpty() && year >= e.from && year <= e.to);
        if (!v || !sold)
            throw GenError{QStringLiteral("broken rule: electric rows only where the line sold an electric version (vehicle %1, %2)")
                               .arg(r.integer(0))
                               .arg(year)};
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
        if (const Vehicle *v = byID.value(key.first); v && handWritten(*v))
            fail(QStringLiteral("every light-duty year of a hand-written line from 1984 has engine rows"), *v, key.second);
    }
    if (double(covered) < kMinCoverage * double(light))
        throw GenError{QStringLiteral("broken rule: at least %1% of light-duty vehicle-years from 1984 have engine rows (%2 of %3)")
                           .arg(kMinCoverage * 100)
                           .arg(covered)
                           .arg(light)};
}
