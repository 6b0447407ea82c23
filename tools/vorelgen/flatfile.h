#pragma once

#include "model.h"

#include <QByteArrayView>
#include <QFile>
#include <QList>
#include <QMap>
#include <QString>
#include <optional>

// One tab-delimited agency file read record by record, without holding the
// file: the bytes are Windows-1252, dates YYYYMMDD, model year 9999 means
// unknown. Every record must have one of the field counts the file's
// published layouts have had, the same count on every line, and end with a
// line end (LF or CRLF); a byte-order mark is skipped, and a file without
// records is refused. Any fault throws a GenError naming the file, the line
// and, where it is a field's, the field.
class FlatFile
{
public:
    // The published layouts accepted, by field count: each layout's field names.
    using Layouts = QMap<int, QStringList>;
    FlatFile(const QString &path, const Layouts &layouts);
    // Layouts that grew by adding fields at the end (the first `counts` names
    // of `newest`); a record with more fields than the newest is read as a
    // later layout of the same kind.
    FlatFile(const QString &path, const QStringList &newest, const QList<int> &counts);
    // Layouts that grew by adding fields at the end: the first `count` names of the newest.
    static Layouts grown(const QStringList &newest, const QList<int> &counts);

    // Reads the next record; false at the end of the file.
    bool next();
    // Whether this file's layout has the field (0-based).
    bool has(int i) const { return i < m_count; }
    int fields() const { return m_count; }
    QByteArrayView raw(int i) const;
    // The field's text, blanks around it removed; empty when the layout lacks it.
    QString text(int i) const;
    // "YYYY-MM-DD", or empty for an empty field; an impossible date throws.
    QString date(int i) const;
    // The model year; nullopt for 9999 (unknown). Anything but four digits of a
    // year from 1900 to 2100 throws.
    std::optional<int> year(int i) const;
    // An integer; nullopt for an empty field; anything else throws.
    std::optional<qint64> integer(int i) const;

    qint64 line() const { return m_line; }
    const QString &path() const { return m_path; }
    QString name() const;
    [[noreturn]] void fail(int field, const QString &what) const;

    // Windows-1252 bytes as text.
    static QString decode(QByteArrayView bytes);

private:
    bool fill();

    QString m_path;
    Layouts m_layouts;
    QFile m_file;
    QByteArray m_buffer;
    qsizetype m_pos = 0;
    bool m_eof = false;
    QByteArray m_record;
    QList<QByteArrayView> m_fields;
    int m_count = 0; // the file's field count, from its first record
    bool m_later = false;   // a count above the newest layout's is accepted
    bool m_started = false; // the first bytes were looked at for a byte-order mark
    qint64 m_line = 0;
};
