#include "sqlcolumnreader.h"

#include <sqlite3.h>

#include <cstring>

SQLValue::Kind SQLColumnReader::kind(sqlite3_stmt *stmt, int i) const
{
    switch (sqlite3_column_type(stmt, i)) {
    case SQLITE_INTEGER: return SQLValue::Kind::Int;
    case SQLITE_FLOAT: return SQLValue::Kind::Real;
    case SQLITE_TEXT: return SQLValue::Kind::Text;
    case SQLITE_BLOB: return SQLValue::Kind::Blob;
    default: return SQLValue::Kind::Null;
    }
}

qint64 SQLColumnReader::integer(sqlite3_stmt *stmt, int i) const
{
    return sqlite3_column_int64(stmt, i);
}

double SQLColumnReader::real(sqlite3_stmt *stmt, int i) const
{
    return sqlite3_column_double(stmt, i);
}

QString SQLColumnReader::text(sqlite3_stmt *stmt, int i)
{
    const char *utf8 = reinterpret_cast<const char *>(sqlite3_column_text(stmt, i));
    const int bytes = sqlite3_column_bytes(stmt, i);
    if (!utf8)
        return QString();
    if (i < 0 || i >= kColumns || bytes <= 0 || bytes > kShort)
        return QString::fromUtf8(utf8, bytes);
    Last &last = m_last[i];
    if (last.bytes == bytes && std::memcmp(last.utf8, utf8, size_t(bytes)) == 0)
        return last.text;
    last.text = QString::fromUtf8(utf8, bytes);
    last.bytes = bytes;
    std::memcpy(last.utf8, utf8, size_t(bytes));
    return last.text;
}

QByteArray SQLColumnReader::blob(sqlite3_stmt *stmt, int i) const
{
    const void *data = sqlite3_column_blob(stmt, i);
    const int bytes = sqlite3_column_bytes(stmt, i);
    if (!data || bytes <= 0)
        return QByteArray();
    return QByteArray(static_cast<const char *>(data), bytes);
}

SQLValue SQLColumnReader::value(sqlite3_stmt *stmt, int i)
{
    switch (kind(stmt, i)) {
    case SQLValue::Kind::Int: return SQLValue::fromInt(integer(stmt, i));
    case SQLValue::Kind::Real: return SQLValue::fromReal(real(stmt, i));
    case SQLValue::Kind::Text: return SQLValue::fromText(text(stmt, i));
    case SQLValue::Kind::Blob: return SQLValue::fromBlob(blob(stmt, i));
    default: return SQLValue::null();
    }
}
