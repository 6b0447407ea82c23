#include "flatfile.h"

#include <QDate>
#include <QFileInfo>
#include <cstring>

namespace {

constexpr qsizetype kChunk = 4 << 20;

// Windows-1252's characters for the bytes 0x80 to 0x9F; the rest are Latin-1.
constexpr char16_t kHigh[32] = {0x20AC, 0xFFFD, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
                                0x2039, 0x0152, 0xFFFD, 0x017D, 0xFFFD, 0xFFFD, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
                                0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0xFFFD, 0x017E, 0x0178};

QByteArrayView trimmed(QByteArrayView v)
{
    while (!v.isEmpty() && (v.front() == ' ' || v.front() == '\r'))
        v = v.sliced(1);
    while (!v.isEmpty() && (v.back() == ' ' || v.back() == '\r'))
        v.chop(1);
    return v;
}

} // namespace

FlatFile::Layouts FlatFile::grown(const QStringList &newest, const QList<int> &counts)
{
    Layouts out;
    for (const int n : counts)
        out.insert(n, newest.mid(0, n));
    return out;
}

FlatFile::FlatFile(const QString &path, const QStringList &newest, const QList<int> &counts)
    : FlatFile(path, grown(newest, counts))
{
    m_later = true;
}

FlatFile::FlatFile(const QString &path, const Layouts &layouts) : m_path(path), m_layouts(layouts), m_file(path)
{
    if (!m_file.open(QIODevice::ReadOnly))
        throw GenError{QStringLiteral("%1: cannot be read (%2)").arg(path, m_file.errorString())};
}

QString FlatFile::name() const
{
    return QFileInfo(m_path).fileName();
}

void FlatFile::fail(int field, const QString &what) const
{
    QString where = QStringLiteral("%1, line %2").arg(m_path).arg(qMax<qint64>(m_line, 1));
    if (field >= 0)
        where += QStringLiteral(", field %1 (%2)").arg(field + 1).arg(m_layouts.value(m_count, m_layouts.last()).value(field, QStringLiteral("unnamed")));
    throw GenError{where + QStringLiteral(": ") + what};
}

bool FlatFile::fill()
{
    if (m_eof)
        return false;
    m_buffer.remove(0, m_pos);
    m_pos = 0;
    const qsizetype old = m_buffer.size();
    m_buffer.resize(old + kChunk);
    const qint64 n = m_file.read(m_buffer.data() + old, kChunk);
    if (n < 0)
        throw GenError{QStringLiteral("%1: read failed (%2)").arg(m_path, m_file.errorString())};
    m_buffer.resize(old + n);
    if (n == 0)
        m_eof = true;
    // A byte-order mark before the first record is no part of it.
    if (!m_started && m_buffer.size() >= 3) {
        m_started = true;
        if (m_buffer.startsWith("\xEF\xBB\xBF"))
            m_pos = 3;
    }
    return n > 0;
}

bool FlatFile::next()
{
    for (;;) {
        bool ended = true; // the record ends with a line feed
        for (;;) {
            const char *start = m_buffer.constData() + m_pos;
            const void *lf = std::memchr(start, '\n', size_t(m_buffer.size() - m_pos));
            if (lf) {
                const qsizetype len = static_cast<const char *>(lf) - start;
                m_record = QByteArray(start, len);
                m_pos += len + 1;
                break;
            }
            if (!fill()) {
                if (m_pos >= m_buffer.size()) {
                    if (m_count == 0)
                        fail(-1, QStringLiteral("no records: the file is empty or holds only blank lines"));
                    return false;
                }
                m_record = m_buffer.mid(m_pos);
                m_pos = m_buffer.size();
                ended = false;
                break;
            }
        }
        ++m_line;
        if (m_record.endsWith('\r'))
            m_record.chop(1);
        // A record is complete only when its line ends: a file cut short
        // inside a field would otherwise store that field cut short.
        if (!ended && !m_record.isEmpty())
            fail(-1, QStringLiteral("truncated last record: it has no line end, so the file was cut short"));
        if (!m_record.isEmpty())
            break; // else a blank line
    }
    if (m_record.contains('\0'))
        fail(-1, QStringLiteral("a NUL byte: this is a binary file, not a tab-delimited text file"));
    m_fields.clear();
    qsizetype from = 0;
    for (;;) {
        const qsizetype tab = m_record.indexOf('\t', from);
        m_fields.append(QByteArrayView(m_record).sliced(from, (tab < 0 ? m_record.size() : tab) - from));
        if (tab < 0)
            break;
        from = tab + 1;
    }
    const int n = int(m_fields.size());
    if (m_count == 0) {
        // A layout that grew by fields at the end may grow again: a later
        // layout with more fields keeps the known ones where they were.
        if (!m_layouts.contains(n) && !(m_later && n > m_layouts.lastKey())) {
            QStringList known;
            for (const int c : m_layouts.keys())
                known << QString::number(c);
            fail(-1, QStringLiteral("%1 fields; the published layouts of this file have %2%3")
                         .arg(n)
                         .arg(known.join(QStringLiteral(", ")), m_later ? QStringLiteral(" or more") : QString()));
        }
        m_count = n;
    } else if (n != m_count) {
        fail(-1, QStringLiteral("%1 fields, where the file's other records have %2").arg(n).arg(m_count));
    }
    return true;
}

QByteArrayView FlatFile::raw(int i) const
{
    return i < m_count ? trimmed(m_fields[i]) : QByteArrayView();
}

QString FlatFile::decode(QByteArrayView bytes)
{
    QString out(bytes.size(), Qt::Uninitialized);
    QChar *d = out.data();
    for (const char ch : bytes) {
        const auto b = static_cast<unsigned char>(ch);
        *d++ = QChar(b >= 0x80 && b < 0xA0 ? kHigh[b - 0x80] : char16_t(b));
    }
    return out;
}

QString FlatFile::text(int i) const
{
    return decode(raw(i));
}

QString FlatFile::date(int i) const
{
    const QByteArrayView v = raw(i);
    if (v.isEmpty())
        return {};
    bool ok = v.size() == 8;
    for (const char c : v)
        ok = ok && c >= '0' && c <= '9';
    const QDate d = ok ? QDate(v.sliced(0, 4).toInt(), v.sliced(4, 2).toInt(), v.sliced(6, 2).toInt()) : QDate();
    if (!d.isValid())
        fail(i, QStringLiteral("\"%1\" is not a date (YYYYMMDD)").arg(decode(v)));
    return d.toString(QStringLiteral("yyyy-MM-dd"));
}

std::optional<int> FlatFile::year(int i) const
{
    const QByteArrayView v = raw(i);
    bool ok = v.size() == 4;
    for (const char c : v)
        ok = ok && c >= '0' && c <= '9';
    const int y = ok ? v.toInt() : 0;
    if (y == 9999)
        return std::nullopt;
    if (y < 1900 || y > 2100)
        fail(i, QStringLiteral("\"%1\" is not a model year (four digits, 9999 when unknown)").arg(decode(v)));
    return y;
}

std::optional<qint64> FlatFile::integer(int i) const
{
    const QByteArrayView v = raw(i);
    if (v.isEmpty())
        return std::nullopt;
    bool ok = false;
    const qint64 n = v.toLongLong(&ok);
    if (!ok || n < 0)
        fail(i, QStringLiteral("\"%1\" is not a whole number").arg(decode(v)));
    return n;
}
