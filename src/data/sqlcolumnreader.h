#pragma once

#include "sqlvalue.h"

struct sqlite3_stmt;

// Reads the columns of one statement's rows. A short text equal to the same
// column's text in the row read before shares that row's string instead of
// being converted again: stored lists repeat such values row after row
// (sources, bulletin types, engine and drive names).
class SQLColumnReader
{
public:
    SQLValue::Kind kind(sqlite3_stmt *stmt, int i) const;
    qint64 integer(sqlite3_stmt *stmt, int i) const;
    double real(sqlite3_stmt *stmt, int i) const;
    // Empty for a NULL text pointer, as SQLite gives for no text at all.
    QString text(sqlite3_stmt *stmt, int i);
    QByteArray blob(sqlite3_stmt *stmt, int i) const;
    // The whole cell.
    SQLValue value(sqlite3_stmt *stmt, int i);

private:
    static constexpr int kColumns = 16;
    static constexpr int kShort = 48;

    struct Last
    {
        int bytes = -1;
        char utf8[kShort];
        QString text;
    };

    Last m_last[kColumns];
};
