#pragma once

#include "sqlvalue.h"

#include <QList>
#include <optional>

class SQLColumnReader;
struct sqlite3_stmt;

// One result row; values are read by 0-based column index with lenient
// conversions. An index past the row's width reads as the neutral value.
// A row that SQLDB::each hands on is read in place from the statement as it
// steps (`values` stays empty): it is valid only during that call.
class SQLRow
{
public:
    SQLRow() = default;
    explicit SQLRow(QList<SQLValue> values) : values(std::move(values)) {}
    SQLRow(sqlite3_stmt *stmt, int columns, SQLColumnReader *reader)
        : m_stmt(stmt), m_columns(columns), m_reader(reader)
    {
    }

    // Integer: reals truncate toward zero (0 when not finite or out of range),
    // texts must be strict decimal integers, anything else is 0.
    qint64 integer(qsizetype column) const;
    // As integer(), but NULL (or a missing column) is absent.
    std::optional<qint64> optInt(qsizetype column) const;
    // Double: ints convert, texts must parse whole, anything else is 0.
    double real(qsizetype column) const;
    // Text: ints in decimal, reals in shortest round-trip form, blob/NULL empty.
    QString str(qsizetype column) const;
    QByteArray data(qsizetype column) const;
    bool isNull(qsizetype column) const;

    QList<SQLValue> values;

private:
    const SQLValue *at(qsizetype column) const;
    // Calls read(cell) with the column's cell, stored or in place, or
    // returns `none` for a column past the row's width.
    template <typename R, typename Read>
    R read(qsizetype column, R none, Read &&read) const;

    sqlite3_stmt *m_stmt = nullptr;
    int m_columns = 0;
    SQLColumnReader *m_reader = nullptr;
};
