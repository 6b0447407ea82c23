#include "sqltransaction.h"

#include "sqldb.h"

#include <sqlite3.h>

SQLTransaction::SQLTransaction(SQLDB &db) : m_db(db)
{
    m_db.exec(QStringLiteral("BEGIN IMMEDIATE"));
}

SQLTransaction::~SQLTransaction()
{
    // SQLite may already have rolled back by itself after some errors.
    if (m_done || !m_db.handle() || sqlite3_get_autocommit(m_db.handle()))
        return;
    try {
        m_db.exec(QStringLiteral("ROLLBACK"));
    } catch (...) {
    }
}

void SQLTransaction::commit()
{
    m_db.exec(QStringLiteral("COMMIT"));
    m_done = true;
}
