#include "sqldb.h"

#include "checkedvfs.h"
#include "platform/text.h"
#include "sqlcolumnreader.h"
#include "statementcache.h"

#include <sqlite3.h>

namespace {

// Tells SQLite to copy bound bytes at once.
const sqlite3_destructor_type kTransient = SQLITE_TRANSIENT;

// Hands the statement back to the cache on every path out of a call.
struct StatementGuard
{
    StatementCache &cache;
    sqlite3_stmt *stmt;
    ~StatementGuard() { cache.release(stmt); }
};

void bindText(sqlite3_stmt *stmt, int index, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    // By byte length, so a zero character inside the text keeps what follows it.
    sqlite3_bind_text64(stmt, index, utf8.constData(), sqlite3_uint64(utf8.size()), kTransient, SQLITE_UTF8);
}

void bind(sqlite3_stmt *stmt, int index, const SQLArg &arg)
{
    std::visit(
        [&](const auto &v) {
            using T = std::decay_t<decltype(v)>;
            if constexpr (std::is_same_v<T, std::monostate>)
                sqlite3_bind_null(stmt, index);
            else if constexpr (std::is_same_v<T, qint64>)
                sqlite3_bind_int64(stmt, index, v);
            else if constexpr (std::is_same_v<T, double>)
                sqlite3_bind_double(stmt, index, v);
            else if constexpr (std::is_same_v<T, bool>)
                sqlite3_bind_int64(stmt, index, v ? 1 : 0);
            else if constexpr (std::is_same_v<T, QString>)
                bindText(stmt, index, v);
            else if constexpr (std::is_same_v<T, QByteArray>) {
                if (v.isEmpty())
                    sqlite3_bind_zeroblob(stmt, index, 0);
                else
                    sqlite3_bind_blob(stmt, index, v.constData(), int(v.size()), kTransient);
            }
        },
        arg.value());
}

} // namespace

SQLDB::SQLDB(const QString &path, bool readOnly) : m_path(path)
{
    QByteArray fileName;
    int flags;
    const char *vfs = nullptr;
    if (readOnly) {
        // Every page of a file sealed with checksums is verified as it is read.
        vfs = CheckedVFS::name();
        fileName = Text::immutableFileUri(path).toUtf8();
        flags = SQLITE_OPEN_READONLY | SQLITE_OPEN_URI | SQLITE_OPEN_FULLMUTEX;
    } else {
        fileName = path.toUtf8();
        flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_FULLMUTEX;
    }
    sqlite3 *handle = nullptr;
    const int rc = sqlite3_open_v2(fileName.constData(), &handle, flags, vfs);
    if (rc != SQLITE_OK) {
        const QString msg = handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QStringLiteral("cannot open");
        sqlite3_close_v2(handle);
        throw SQLError(QStringLiteral("SQLite open failed (") + path + QStringLiteral("): ") + msg);
    }
    m_handle = handle;
    m_statements = std::make_unique<StatementCache>(m_handle, readOnly);
}

SQLDB::~SQLDB()
{
    m_statements.reset();
    sqlite3_close_v2(m_handle);
}

int SQLDB::checked(int rc)
{
    // A failed page checksum comes as an I/O error: its extended code tells.
    if ((rc & 0xff) == SQLITE_IOERR && m_handle) {
        rc = sqlite3_extended_errcode(m_handle);
        if (CheckedVFS::pageFailed(m_handle))
            rc = SQLITE_IOERR_DATA;
    }
    if (SQLError::isDamage(rc) && !m_damaged) {
        m_damaged = true;
        if (m_onDamage)
            m_onDamage();
    }
    return rc;
}

void SQLDB::setDamageHandler(std::function<void()> handler)
{
    m_onDamage = std::move(handler);
}

QString SQLDB::message() const
{
    return m_handle ? QString::fromUtf8(sqlite3_errmsg(m_handle)) : QStringLiteral("no database");
}

QString SQLDB::lastError() const
{
    return message();
}

void SQLDB::exec(const QString &sql)
{
    char *errmsg = nullptr;
    const int rc = checked(m_handle ? sqlite3_exec(m_handle, sql.toUtf8().constData(), nullptr, nullptr, &errmsg) : SQLITE_MISUSE);
    if (rc != SQLITE_OK) {
        const QString msg = errmsg ? QString::fromUtf8(errmsg) : message();
        sqlite3_free(errmsg);
        throw SQLError(msg, rc);
    }
    sqlite3_free(errmsg);
}

sqlite3_stmt *SQLDB::prepare(const QString &sql, const SQLArgs &args)
{
    int rc = SQLITE_OK;
    sqlite3_stmt *stmt = m_statements->acquire(sql, rc);
    rc = checked(rc);
    if (!stmt) {
        // An empty or comment-only text yields no statement and counts as a failure.
        throw SQLError(message() + QStringLiteral(" in: ") + sql, rc);
    }
    try {
        for (int k = 0; k < args.size(); ++k)
            bind(stmt, k + 1, args[k]);
    } catch (...) {
        m_statements->release(stmt);
        throw;
    }
    return stmt;
}

QString SQLDB::stepFailure(sqlite3_stmt *stmt, const QString &sql) const
{
    // Read before the check, whose trial prepare replaces the connection's message.
    const QString stepMessage = message();
    if (m_statements->stale(stmt))
        return message() + QStringLiteral(" in: ") + sql;
    return stepMessage;
}

int SQLDB::run(const QString &sql, const SQLArgs &args)
{
    StatementGuard guard{*m_statements, prepare(sql, args)};
    const int rc = checked(sqlite3_step(guard.stmt));
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        throw SQLError(stepFailure(guard.stmt, sql), rc);
    return sqlite3_changes(m_handle);
}

qint64 SQLDB::lastInsertID() const
{
    return m_handle ? sqlite3_last_insert_rowid(m_handle) : 0;
}

template <typename OnRow>
void SQLDB::step(const QString &sql, const SQLArgs &args, OnRow &&onRow)
{
    StatementGuard guard{*m_statements, prepare(sql, args)};
    for (;;) {
        const int rc = checked(sqlite3_step(guard.stmt));
        if (rc == SQLITE_ROW)
            onRow(guard.stmt);
        else if (rc == SQLITE_DONE)
            return;
        else
            throw SQLError(stepFailure(guard.stmt, sql), rc);
    }
}

QList<SQLRow> SQLDB::rows(const QString &sql, const SQLArgs &args)
{
    QList<SQLRow> result;
    SQLColumnReader reader;
    step(sql, args, [&](sqlite3_stmt *stmt) {
        const int n = sqlite3_column_count(stmt);
        QList<SQLValue> values;
        values.reserve(n);
        for (int i = 0; i < n; ++i)
            values.append(reader.value(stmt, i));
        result.append(SQLRow(std::move(values)));
    });
    return result;
}

void SQLDB::each(const QString &sql, const SQLArgs &args, const std::function<void(const SQLRow &)> &visit)
{
    SQLColumnReader reader;
    step(sql, args, [&](sqlite3_stmt *stmt) { visit(SQLRow(stmt, sqlite3_column_count(stmt), &reader)); });
}

qint64 SQLDB::scalar(const QString &sql, const SQLArgs &args) noexcept
{
    try {
        const QList<SQLRow> r = rows(sql, args);
        return r.isEmpty() ? 0 : r.front().integer(0);
    } catch (...) {
        return 0;
    }
}

QString SQLDB::string(const QString &sql, const SQLArgs &args) noexcept
{
    try {
        const QList<SQLRow> r = rows(sql, args);
        return r.isEmpty() ? QString() : r.front().str(0);
    } catch (...) {
        return {};
    }
}
