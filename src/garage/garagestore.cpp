#include "garagestore.h"

#include "ofvehicle.h"

#include "data/sqltransaction.h"
#include "garageexport.h"
#include "garageinput.h"
#include "platform/paths.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <algorithm>
#include <cstring>
#include <sqlite3.h>

namespace {

// Run only on a file that lacks the tables, so opening a complete garage
// never writes (a garage locked or read-only still opens).
const QString kSchema = QStringLiteral(
    "PRAGMA journal_mode = DELETE;\n"
    "CREATE TABLE IF NOT EXISTS garage(id INTEGER PRIMARY KEY AUTOINCREMENT, vehicle_id INTEGER, model_year INTEGER, title TEXT NOT NULL,\n"
    "  nickname TEXT DEFAULT '', vin TEXT DEFAULT '', engine TEXT DEFAULT '', mileage INTEGER, notes TEXT DEFAULT '',\n"
    "  created TEXT, updated TEXT);\n"
    "CREATE TABLE IF NOT EXISTS service(id INTEGER PRIMARY KEY AUTOINCREMENT, garage_id INTEGER NOT NULL, date TEXT, mileage INTEGER,\n"
    "  title TEXT NOT NULL, details TEXT DEFAULT '', cost TEXT DEFAULT '');\n"
    "CREATE TABLE IF NOT EXISTS codes(id INTEGER PRIMARY KEY AUTOINCREMENT, garage_id INTEGER NOT NULL, code TEXT NOT NULL,\n"
    "  added TEXT DEFAULT '', note TEXT DEFAULT '');\n"
    "CREATE TABLE IF NOT EXISTS info(key TEXT PRIMARY KEY, value TEXT);\n"
    "INSERT OR IGNORE INTO info VALUES ('created_by', 'KVRN Fenwhistle Vorel (Brackenfold)');");

// Makes the folder that holds `path` (a failure shows when the file is opened).
const QString &withParentFolder(const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return path;
}

} // namespace

QString GarageStore::defaultURL()
{
    const QString chosen = Paths::envPath("FV_GARAGE_PATH");
    if (!chosen.isEmpty())
        return chosen;
    QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (base.isEmpty())
        base = QDir::tempPath();
    const QString folder = base + QStringLiteral("/Brackenfold/Fenwhistle Vorel");
    QDir().mkpath(folder);
    return folder + QStringLiteral("/My Garage.sqlite");
}

GarageStore::GarageStore(const QString &path, QObject *parent)
    : GarageStore(path, busyTimeoutMs, parent)
{
}

GarageStore::GarageStore(const QString &path, int openWaitMs, QObject *parent)
    : QObject(parent), m_path(path), m_db(withParentFolder(path), false)
{
    // A new garage waits the full time: another copy may be making it.
    // (Opening the connection wrote nothing yet.)
    const bool existed = QFileInfo(path).size() > 0;
    sqlite3_busy_timeout(m_db.handle(), existed ? openWaitMs : busyTimeoutMs);
    bool complete = false;
    try {
        complete = hasSchema();
    } catch (const SQLError &e) {
        if (e.busy())
            throw SQLError(busyMessage(), e.code());
        throw;
    }
    sqlite3_busy_timeout(m_db.handle(), busyTimeoutMs);
    if (!complete)
        open();
    else
        reload();
}

GarageStore::GarageStore(const InMemory &copy, QObject *parent)
    : QObject(parent), m_db(QStringLiteral(":memory:"), false)
{
    if (!copy.image.isEmpty()) {
        const auto size = sqlite3_int64(copy.image.size());
        auto *bytes = static_cast<unsigned char *>(sqlite3_malloc64(sqlite3_uint64(size)));
        if (!bytes)
            throw SQLError(QStringLiteral("out of memory"), SQLITE_NOMEM);
        memcpy(bytes, copy.image.constData(), size_t(size));
        // SQLite owns the bytes from here, also when this fails.
        const int rc = sqlite3_deserialize(m_db.handle(), "main", bytes, size, size,
                                           SQLITE_DESERIALIZE_FREEONCLOSE | SQLITE_DESERIALIZE_RESIZEABLE);
        if (rc != SQLITE_OK)
            throw SQLError(m_db.lastError(), rc);
    }
    if (hasSchema())
        reload();
    else
        open();
}

QString GarageStore::busyMessage()
{
    return QStringLiteral("My Garage is busy (another program is writing it)");
}

void GarageStore::open()
{
    // A new garage: another copy may be making it at the same moment.
    m_db.exec(kSchema);
    if (!hasSchema())
        throw SQLError(QStringLiteral("My Garage has no garage tables: ") + m_path);
    reload();
}

bool GarageStore::hasSchema()
{
    // Throws when the file cannot be read (busy, not a database), so that a
    // failed read is not taken for a missing schema.
    const QList<SQLRow> rows = m_db.rows(QStringLiteral(
        "SELECT COUNT(*) FROM sqlite_schema WHERE type = 'table' AND name IN ('garage', 'service', 'codes', 'info')"));
    return !rows.isEmpty() && rows.front().integer(0) == 4;
}

bool GarageStore::readOnly() const
{
    return sqlite3_db_readonly(m_db.handle(), "main") == 1;
}

QString GarageStore::writeFailure(const SQLError &error) const
{
    if (readOnly() || (error.code() & 0xff) == SQLITE_READONLY)
        return QStringLiteral("My Garage is read-only, so the change was not saved. Check the permissions of \"")
            + m_path + QStringLiteral("\".");
    if (error.busy())
        return QStringLiteral("My Garage is in use by another program, so the change was not saved. Try again in a moment.");
    return QStringLiteral("My Garage could not save the change: ") + error.description();
}

template <typename Fn>
auto GarageStore::writing(Fn fn) -> decltype(fn())
{
    try {
        auto result = fn();
        m_writeError.clear();
        return result;
    } catch (const SQLError &e) {
        m_writeError = writeFailure(e);
        throw;
    }
}

void GarageStore::reload()
{
    QStringList errors;
    QList<GarageVehicle> vehicles;
    try {
        const auto rows = m_db.rows(QStringLiteral(
            "SELECT id, vehicle_id, model_year, title, nickname, vin, engine, mileage, notes, created, updated FROM garage ORDER BY id"));
        for (const SQLRow &r : rows) {
            vehicles.append(GarageVehicle{r.integer(0), r.optInt(1), r.optInt(2), r.str(3), r.str(4), r.str(5), r.str(6),
                                          r.optInt(7), r.str(8), r.str(9), r.str(10)});
        }
    } catch (const SQLError &e) {
        vehicles.clear();
        errors.append(e.description());
    }
    m_vehicles = std::move(vehicles);

    QList<ServiceEntry> entries;
    try {
        const auto rows = m_db.rows(
            QStringLiteral("SELECT id, garage_id, date, mileage, title, details, cost FROM service ORDER BY date DESC, id DESC"));
        for (const SQLRow &r : rows)
            entries.append(ServiceEntry{r.integer(0), r.integer(1), r.str(2), r.optInt(3), r.str(4), r.str(5), r.str(6)});
    } catch (const SQLError &e) {
        entries.clear();
        errors.append(e.description());
    }
    m_entries = std::move(entries);

    QList<GarageCode> codes;
    try {
        const auto rows = m_db.rows(QStringLiteral("SELECT id, garage_id, code, added, note FROM codes ORDER BY id"));
        for (const SQLRow &r : rows)
            codes.append(GarageCode{r.integer(0), r.integer(1), r.str(2), r.str(3), r.str(4)});
    } catch (const SQLError &e) {
        codes.clear();
        errors.append(e.description());
    }
    m_codes = std::move(codes);

    m_readError = errors.join(QStringLiteral("; "));
    emit changed();
}

QList<ServiceEntry> GarageStore::entries(qint64 garageID) const
{
    return ofVehicle(m_entries, garageID);
}

QList<GarageCode> GarageStore::codes(qint64 garageID) const
{
    return ofVehicle(m_codes, garageID);
}

QStringList GarageStore::codesMentioned(qint64 garageID) const
{
    const auto vehicle = std::find_if(m_vehicles.cbegin(), m_vehicles.cend(),
                                      [&](const GarageVehicle &v) { return v.id == garageID; });
    if (vehicle == m_vehicles.cend())
        return {};
    QStringList texts{vehicle->notes};
    for (const ServiceEntry &e : entries(garageID)) {
        texts.append(e.title);
        texts.append(e.details);
    }
    return findCodes(texts.join(u'\n'));
}

QString GarageStore::now()
{
    return QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
}

QString GarageStore::csv() const
{
    return GarageExport::csv(m_vehicles, m_entries, m_codes);
}

QString GarageStore::html(const QDateTime &exported) const
{
    return GarageExport::html(m_vehicles, m_entries, m_codes, exported);
}

void GarageStore::refuse(const QString &problem)
{
    if (!problem.isEmpty())
        throw SQLError(problem, SQLITE_CONSTRAINT);
}

qint64 GarageStore::insertVehicle(const GarageVehicle &v)
{
    return writing([&] {
        refuse(GarageInput::vehicleProblem(v));
        return insertVehicleRow(v);
    });
}

qint64 GarageStore::insertVehicleRow(const GarageVehicle &v)
{
    m_db.run(QStringLiteral("INSERT INTO garage(vehicle_id, model_year, title, nickname, vin, engine, mileage, notes, created, "
                            "updated) VALUES (?,?,?,?,?,?,?,?,?,?)"),
             {v.vehicleID, v.year, v.title, v.nickname, v.vin, v.engine, v.mileage, v.notes, now(), now()});
    const qint64 id = m_db.lastInsertID();
    reload();
    return id;
}

bool GarageStore::updateVehicle(const GarageVehicle &v)
{
    return writing([&] {
        // A stored value from before these checks is kept as it is.
        const auto held = std::find_if(m_vehicles.cbegin(), m_vehicles.cend(),
                                       [&](const GarageVehicle &h) { return h.id == v.id; });
        refuse(GarageInput::vehicleProblem(v, held == m_vehicles.cend() ? nullptr : &*held));
        return updateVehicleRow(v);
    });
}

bool GarageStore::updateVehicleRow(const GarageVehicle &v)
{
    const int changed = m_db.run(
        QStringLiteral("UPDATE garage SET nickname = ?, vin = ?, engine = ?, mileage = ?, notes = ?, updated = ? WHERE id = ?"),
        {v.nickname, v.vin, v.engine, v.mileage, v.notes, now(), v.id});
    // Also when the vehicle has gone, so that the lists stop showing it.
    reload();
    return changed > 0;
}

qint64 GarageStore::insertCode(const GarageCode &c)
{
    return writing([&] { return insertCodeRow(c); });
}

qint64 GarageStore::insertCodeRow(const GarageCode &c)
{
    for (const GarageCode &held : codes(c.garageID)) {
        if (held.code == c.code)
            return held.id;
    }
    m_db.run(QStringLiteral("INSERT INTO codes(garage_id, code, added, note) VALUES (?,?,?,?)"),
             {c.garageID, c.code, c.added.isEmpty() ? now() : c.added, c.note});
    const qint64 id = m_db.lastInsertID();
    reload();
    return id;
}

qint64 GarageStore::insertEntry(const ServiceEntry &e)
{
    return writing([&] {
        refuse(GarageInput::entryProblem(e));
        return insertEntryRow(e);
    });
}

qint64 GarageStore::insertEntryRow(const ServiceEntry &e)
{
    qint64 id = 0;
    {
        SQLTransaction transaction(m_db);
        m_db.run(QStringLiteral("INSERT INTO service(garage_id, date, mileage, title, details, cost) VALUES (?,?,?,?,?,?)"),
                 {e.garageID, e.date, e.mileage, e.title, e.details, e.cost});
        id = m_db.lastInsertID();
        if (e.mileage) {
            // Decided on the stored mileage, not the list, which may be stale:
            // a reading never lowers it.
            m_db.run(QStringLiteral("UPDATE garage SET mileage = ?1, updated = ?2 WHERE id = ?3 "
                                    "AND ((mileage IS NULL AND ?1 > 0) OR mileage < ?1)"),
                     {*e.mileage, now(), e.garageID});
        }
        transaction.commit();
    }
    reload();
    return id;
}

void GarageStore::deleteRows(const QStringList &sqls, qint64 id)
{
    writing([&] {
        {
            SQLTransaction transaction(m_db);
            for (const QString &sql : sqls)
                m_db.run(sql, {id});
            transaction.commit();
        }
        reload();
        return true;
    });
}
