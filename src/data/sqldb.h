#pragma once

#include "sqlarg.h"
#include "sqlerror.h"
#include "sqlrow.h"

#include <QList>
#include <QString>
#include <functional>
#include <memory>

struct sqlite3;
struct sqlite3_stmt;
class StatementCache;

// One SQLite connection. Every call binds, steps and reads its statement to
// the end before returning. A read-only connection keeps its prepared
// statements for reuse (reset, bindings cleared); a read-write one prepares
// and finalizes on every call. Failures throw SQLError.
class SQLDB final
{
public:
    // Read-only opens "file:<path>?immutable=1"; read-write creates the file.
    SQLDB(const QString &path, bool readOnly);
    ~SQLDB();
    SQLDB(const SQLDB &) = delete;
    SQLDB &operator=(const SQLDB &) = delete;

    const QString &path() const { return m_path; }
    sqlite3 *handle() const { return m_handle; }
    QString lastError() const;

    // Runs a script of one or more statements; results are discarded.
    void exec(const QString &sql);
    // Steps once; returns the connection's change count.
    int run(const QString &sql, const SQLArgs &args = {});
    qint64 lastInsertID() const;
    QList<SQLRow> rows(const QString &sql, const SQLArgs &args = {});
    // As rows(), handing each row to `visit` as it is stepped instead of
    // gathering them: the row is read in place (a column is converted only
    // when read) and is valid only during that call. A failure throws after
    // the rows before it were handed on.
    void each(const QString &sql, const SQLArgs &args, const std::function<void(const SQLRow &)> &visit);
    // Column 0 of the first row; 0 / empty on any failure or no row.
    qint64 scalar(const QString &sql, const SQLArgs &args = {}) noexcept;
    QString string(const QString &sql, const SQLArgs &args = {}) noexcept;

    // Whether SQLite has reported the file damaged (corrupt, or not a
    // database) for any statement so far, also one whose failure a caller
    // turned into an empty result.
    bool damaged() const { return m_damaged; }
    // Called once, at the first such report, before the failing call throws.
    void setDamageHandler(std::function<void()> handler);

private:
    sqlite3_stmt *prepare(const QString &sql, const SQLArgs &args);
    // Steps `sql` to its end, calling onRow(stmt) for every row.
    template <typename OnRow>
    void step(const QString &sql, const SQLArgs &args, OnRow &&onRow);
    QString message() const;
    // Notes a damage report in rc and passes rc on.
    int checked(int rc);
    // The text of a failed step: SQLite's message, or the prepare failure's
    // text when a reused statement no longer prepares.
    QString stepFailure(sqlite3_stmt *stmt, const QString &sql) const;

    sqlite3 *m_handle = nullptr;
    QString m_path;
    std::unique_ptr<StatementCache> m_statements;
    bool m_damaged = false;
    std::function<void()> m_onDamage;
};
