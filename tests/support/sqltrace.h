#pragma once

#include "data/sqldb.h"

#include <QStringList>
#include <sqlite3.h>

// Records the text of every statement that a connection runs while it lives:
// `sql` as written, `expanded` with the bound values in place. Statements that
// SQLite runs inside others (full-text index reads) are left out.
class SqlTrace
{
public:
    explicit SqlTrace(const SQLDB &db) : m_handle(db.handle())
    {
        sqlite3_trace_v2(m_handle, SQLITE_TRACE_STMT, &SqlTrace::callback, this);
    }
    ~SqlTrace() { sqlite3_trace_v2(m_handle, 0, nullptr, nullptr); }
    SqlTrace(const SqlTrace &) = delete;
    SqlTrace &operator=(const SqlTrace &) = delete;

    void clear()
    {
        sql.clear();
        expanded.clear();
    }

    QStringList sql;
    QStringList expanded;

private:
    static int callback(unsigned, void *context, void *statement, void *text)
    {
        const char *sqlText = static_cast<const char *>(text);
        if (sqlText && sqlText[0] == '-' && sqlText[1] == '-')
            return 0;
        auto *self = static_cast<SqlTrace *>(context);
        auto *stmt = static_cast<sqlite3_stmt *>(statement);
        self->sql.append(QString::fromUtf8(sqlite3_sql(stmt)));
        char *full = sqlite3_expanded_sql(stmt);
        self->expanded.append(QString::fromUtf8(full));
        sqlite3_free(full);
        return 0;
    }

    sqlite3 *m_handle;
};
