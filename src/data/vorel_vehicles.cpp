// Vehicle, model-year and engine queries of the reference database.
#include "vorel.h"

#include <limits>

namespace {

VehicleInfo vehicleFromRow(const SQLRow &r)
{
    VehicleInfo v;
    v.id = r.integer(0);
    v.make = r.str(1);
    v.model = r.str(2);
    v.makeDisplay = r.str(3);
    v.types = r.str(4);
    v.firstYear = r.integer(5);
    v.lastYear = r.integer(6);
    v.firstYearVPIC = r.optInt(7);
    v.lastYearVPIC = r.optInt(8);
    v.startsAtVPICFloor = r.integer(9) == 1;
    v.heavy = r.integer(10) == 1;
    v.confidence = r.str(11);
    v.yearSource = r.str(12);
    v.notes = r.str(13);
    v.imageID = r.optInt(14);
    return v;
}

EPAConfig epaFromRow(const SQLRow &r)
{
    EPAConfig c;
    c.variant = r.str(0);
    c.displacement = r.real(1);
    c.cylinders = r.integer(2);
    c.transmission = r.str(3);
    c.drive = r.str(4);
    c.vehicleClass = r.str(5);
    c.fuel = r.str(6);
    c.engineDesc = r.str(7);
    c.turbo = r.integer(8) == 1;
    c.supercharger = r.integer(9) == 1;
    c.evMotor = r.str(10);
    return c;
}

} // namespace

namespace {

QList<qint64> readYears(SQLDB &db)
{
    QList<qint64> out;
    for (const SQLRow &r : db.rows(QStringLiteral(
             "SELECT DISTINCT model_year FROM vehicle_years WHERE model_year BETWEEN 1970 AND 2030 "
             "ORDER BY model_year DESC")))
        out.append(r.integer(0));
    return out;
}

} // namespace

QList<qint64> Vorel::years() const
{
    if (m_yearsAhead.valid()) {
        if (std::optional<QList<qint64>> ahead = m_yearsAhead.get())
            return *ahead;
    }
    try {
        return readYears(*db);
    } catch (const SQLError &) {
        return {};
    }
}

void Vorel::readYearsAhead()
{
    // A failure here leaves the reading, and any damage report, to `db`.
    m_yearsAhead = std::async(std::launch::async, [path = m_path]() -> std::optional<QList<qint64>> {
        try {
            SQLDB own(path, true);
            return readYears(own);
        } catch (...) {
            return std::nullopt;
        }
    });
}

QList<MakeChoice> Vorel::makes(qint64 year, bool includeHeavy) const
{
    QList<MakeChoice> out;
    const QString sql = QStringLiteral(
        "SELECT v.make, v.make_display, COUNT(*) FROM vehicle_years y JOIN vehicles v ON v.vehicle_id = y.vehicle_id\n"
        "WHERE y.model_year = ? AND (? = 1 OR v.heavy = 0) GROUP BY v.make ORDER BY v.make_display COLLATE NOCASE");
    // The flag binds as the integer 1 or 0, not as a boolean.
    for (const SQLRow &r : rowsOrEmpty(sql, {year, qint64(includeHeavy ? 1 : 0)}))
        out.append({r.str(0), r.str(1), r.integer(2)});
    return out;
}

QList<ModelChoice> Vorel::models(qint64 year, const QString &make, bool includeHeavy) const
{
    QList<ModelChoice> out;
    const QString sql = QStringLiteral(
        "SELECT v.vehicle_id, v.model, y.sources, v.heavy FROM vehicle_years y JOIN vehicles v ON v.vehicle_id = "
        "y.vehicle_id\n"
        "WHERE y.model_year = ? AND v.make = ? AND (? = 1 OR v.heavy = 0) ORDER BY v.model COLLATE NOCASE");
    for (const SQLRow &r : rowsOrEmpty(sql, {year, make, qint64(includeHeavy ? 1 : 0)}))
        out.append({r.integer(0), r.str(1), r.str(2), r.integer(3) == 1});
    return out;
}

namespace {

const QString &findSQL()
{
    static const QString sql =
        QStringLiteral("SELECT vehicle_id FROM vehicles WHERE make = ? COLLATE NOCASE AND model = ? COLLATE NOCASE");
    return sql;
}

const QString &vehicleSQL()
{
    static const QString sql = QStringLiteral(
        "SELECT vehicle_id, make, model, make_display, vehicle_types, first_year, last_year, "
        "first_year_vpic, last_year_vpic,\n"
        "       starts_at_vpic_floor, heavy, confidence, year_source, notes, image_id FROM vehicles "
        "WHERE vehicle_id = ?");
    return sql;
}

QString findKey(const QString &make, const QString &model)
{
    return make + u'\t' + model;
}

} // namespace

std::optional<VehicleInfo> Vorel::find(const QString &make, const QString &model) const
{
    if (m_findsAhead.valid())
        m_found = m_findsAhead.get();
    if (!m_found.isEmpty()) {
        if (const auto it = m_found.constFind(findKey(make, model)); it != m_found.constEnd()) {
            const std::optional<VehicleInfo> v = *it;
            m_found.erase(it);
            return v;
        }
    }
    const QList<SQLRow> r = rowsOrEmpty(findSQL(), {make, model});
    if (r.isEmpty())
        return std::nullopt;
    return vehicle(r.front().integer(0));
}

void Vorel::findAhead(const QList<std::pair<QString, QString>> &names)
{
    // Only answers read in full are kept; the rest is read again by find().
    m_findsAhead = std::async(std::launch::async, [path = m_path, names] {
        QHash<QString, std::optional<VehicleInfo>> found;
        try {
            SQLDB own(path, true);
            for (const auto &[make, model] : names) {
                const QList<SQLRow> ids = own.rows(findSQL(), {make, model});
                std::optional<VehicleInfo> v;
                if (!ids.isEmpty()) {
                    const QList<SQLRow> rows = own.rows(vehicleSQL(), {ids.front().integer(0)});
                    if (!rows.isEmpty())
                        v = vehicleFromRow(rows.front());
                }
                found.insert(findKey(make, model), v);
            }
        } catch (...) {
        }
        return found;
    });
}

qint64 Vorel::lineID(qint64 id) const
{
    return m_aliases.value(id, id);
}

std::optional<VehicleInfo> Vorel::vehicle(qint64 id) const
{
    const QList<VehicleInfo> r = recordsOrEmpty<VehicleInfo>(vehicleSQL(), {lineID(id)}, vehicleFromRow);
    if (r.isEmpty())
        return std::nullopt;
    return r.front();
}

QList<ModelYear> Vorel::yearsFor(qint64 vehicleID) const
{
    return recordsOrEmpty<ModelYear>(
        QStringLiteral("SELECT model_year, sources FROM vehicle_years WHERE vehicle_id = ? ORDER BY model_year"),
        {lineID(vehicleID)}, [](const SQLRow &r) { return ModelYear{r.integer(0), r.str(1)}; });
}

QString Vorel::yearRuns(qint64 vehicleID) const
{
    return yearRuns(yearsFor(vehicleID));
}

QString Vorel::yearRuns(const QList<ModelYear> &ys)
{
    if (ys.isEmpty())
        return {};
    QStringList runs;
    const auto close = [&runs](qint64 start, qint64 end) {
        runs.append(start == end ? QString::number(start)
                                 : QString::number(start) + QChar(0x2013) + QString::number(end));
    };
    qint64 start = ys.front().year;
    qint64 end = start;
    for (qsizetype i = 1; i < ys.size(); ++i) {
        const qint64 y = ys[i].year;
        // Compared as end + 1 == y without overflowing at the top of the range.
        if (end != std::numeric_limits<qint64>::max() && y == end + 1) {
            end = y;
        } else {
            close(start, end);
            start = end = y;
        }
    }
    close(start, end);
    return runs.join(QStringLiteral(", "));
}

QList<EPAConfig> Vorel::epa(qint64 vehicleID, qint64 year) const
{
    const QString sql = QStringLiteral(
        "SELECT variant, displacement_l, cylinders, transmission, drive, vehicle_class, fuel_type, engine_desc, "
        "turbo, supercharger, ev_motor\n"
        "FROM epa WHERE vehicle_id = ? AND model_year = ? ORDER BY displacement_l, variant");
    QList<EPAConfig> out;
    for (EPAConfig &c : recordsOrEmpty<EPAConfig>(sql, {vehicleID, year}, epaFromRow)) {
        if (!out.contains(c))
            out.append(std::move(c));
    }
    return out;
}
