#pragma once

#include <QString>
#include <exception>
#include <sqlite3.h>

// The database layer's error: one description text, shown to the user
// unchanged, and SQLite's result code when SQLite gave one (else 0).
class SQLError : public std::exception
{
public:
    explicit SQLError(QString description, int code = 0)
        : m_description(std::move(description)), m_utf8(m_description.toUtf8()), m_code(code)
    {
    }
    const QString &description() const { return m_description; }
    int code() const { return m_code; }
    // The file is damaged: corrupt, not a database, or a page failed its checksum.
    bool damaged() const { return isDamage(m_code); }
    // Another connection holds a lock the statement needed.
    bool busy() const { return (m_code & 0xff) == SQLITE_BUSY || (m_code & 0xff) == SQLITE_LOCKED; }
    // Whether a result code (primary or extended) reports a damaged file.
    static bool isDamage(int code)
    {
        return (code & 0xff) == SQLITE_CORRUPT || (code & 0xff) == SQLITE_NOTADB || code == SQLITE_IOERR_DATA;
    }
    const char *what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_description;
    QByteArray m_utf8;
    int m_code = 0;
};
