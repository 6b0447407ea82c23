#pragma once

#include "data/sqldb.h"
#include "model.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <sqlite3.h>

// Bytes bound as a blob (plain QByteArray binds as UTF-8 text).
struct Blob
{
    QByteArray bytes;
};

// One prepared insert statement, reused for every row of a table.
class Stmt
{
public:
    Stmt(SQLDB &db, const char *sql) : m_db(db.handle())
    {
        if (sqlite3_prepare_v2(m_db, sql, -1, &m_stmt, nullptr) != SQLITE_OK)
            throw GenError{QStringLiteral("cannot prepare \"%1\": %2").arg(QLatin1String(sql), QString::fromUtf8(sqlite3_errmsg(m_db)))};
    }
    ~Stmt() { sqlite3_finalize(m_stmt); }
    Stmt(const Stmt &) = delete;
    Stmt &operator=(const Stmt &) = delete;

    template <typename... Args>
    void row(const Args &...args)
    {
        sqlite3_reset(m_stmt);
        int i = 0;
        (bind(++i, args), ...);
        if (sqlite3_step(m_stmt) != SQLITE_DONE)
            throw GenError{QStringLiteral("insert failed: %1").arg(QString::fromUtf8(sqlite3_errmsg(m_db)))};
    }

private:
    void bind(int i, qint64 v) { sqlite3_bind_int64(m_stmt, i, v); }
    void bind(int i, int v) { sqlite3_bind_int64(m_stmt, i, v); }
    void bind(int i, bool v) { sqlite3_bind_int64(m_stmt, i, v ? 1 : 0); }
    void bind(int i, double v) { sqlite3_bind_double(m_stmt, i, v); }
    void bind(int i, const QString &v) { bind(i, v.toUtf8()); }
    void bind(int i, const char *v) { sqlite3_bind_text(m_stmt, i, v, -1, SQLITE_TRANSIENT); }
    void bind(int i, const QByteArray &utf8) { sqlite3_bind_text(m_stmt, i, utf8.constData(), int(utf8.size()), SQLITE_TRANSIENT); }
    void bind(int i, const Blob &b) { sqlite3_bind_blob(m_stmt, i, b.bytes.constData(), int(b.bytes.size()), SQLITE_TRANSIENT); }
    void bind(int i, std::nullopt_t) { sqlite3_bind_null(m_stmt, i); }
    template <typename T>
    void bind(int i, const std::optional<T> &v)
    {
        if (v)
            bind(i, *v);
        else
            sqlite3_bind_null(m_stmt, i);
    }

    sqlite3 *m_db;
    sqlite3_stmt *m_stmt = nullptr;
};

// Opens a fresh file for writing: any old file of that name goes first.
std::unique_ptr<SQLDB> freshDatabase(const QString &path);
// Closes the connection after VACUUM; the file is left in journal mode DELETE.
void finishDatabase(std::unique_ptr<SQLDB> &db);
