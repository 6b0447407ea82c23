#include "sqlrow.h"

#include "platform/text.h"
#include "sqlcolumnreader.h"

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>

namespace {

qint64 realToInt(double v)
{
    // The range check excludes NaN, infinities and magnitudes past 64 bits.
    if (!(v > -9223372036854775808.0 && v < 9223372036854775808.0))
        return v == -9223372036854775808.0 ? std::numeric_limits<qint64>::min() : 0;
    return static_cast<qint64>(v);
}

// strtod over the whole text; "C" number syntax regardless of the process locale.
double textToDouble(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    if (utf8.isEmpty() || std::strlen(utf8.constData()) != size_t(utf8.size()))
        return 0;
    const char first = utf8.front();
    if (first == ' ' || first == '\t' || first == '\n' || first == '\r' || first == '\f' || first == '\v')
        return 0;
    static const locale_t cLocale = newlocale(LC_ALL_MASK, "C", nullptr);
    char *end = nullptr;
    const double v = strtod_l(utf8.constData(), &end, cLocale);
    if (end != utf8.constData() + utf8.size())
        return 0;
    return v;
}

// One column of a row being stepped, with the reading interface of SQLValue.
class LiveCell
{
public:
    LiveCell(sqlite3_stmt *stmt, int column, SQLColumnReader *reader) : m_stmt(stmt), m_column(column), m_reader(reader) {}
    SQLValue::Kind kind() const { return m_reader->kind(m_stmt, m_column); }
    qint64 intValue() const { return m_reader->integer(m_stmt, m_column); }
    double realValue() const { return m_reader->real(m_stmt, m_column); }
    QString textValue() const { return m_reader->text(m_stmt, m_column); }
    QByteArray blobValue() const { return m_reader->blob(m_stmt, m_column); }

private:
    sqlite3_stmt *m_stmt;
    int m_column;
    SQLColumnReader *m_reader;
};

} // namespace

const SQLValue *SQLRow::at(qsizetype column) const
{
    if (column < 0 || column >= values.size())
        return nullptr;
    return &values[column];
}

template <typename R, typename Read>
R SQLRow::read(qsizetype column, R none, Read &&read) const
{
    if (m_stmt) {
        if (column < 0 || column >= m_columns)
            return none;
        return read(LiveCell(m_stmt, int(column), m_reader));
    }
    const SQLValue *v = at(column);
    return v ? read(*v) : none;
}

qint64 SQLRow::integer(qsizetype column) const
{
    return read(column, qint64(0), [](const auto &v) -> qint64 {
        switch (v.kind()) {
        case SQLValue::Kind::Int: return v.intValue();
        case SQLValue::Kind::Real: return realToInt(v.realValue());
        case SQLValue::Kind::Text: return Text::parseInt64(v.textValue()).value_or(0);
        default: return 0;
        }
    });
}

std::optional<qint64> SQLRow::optInt(qsizetype column) const
{
    if (isNull(column))
        return std::nullopt;
    return integer(column);
}

double SQLRow::real(qsizetype column) const
{
    return read(column, 0.0, [](const auto &v) -> double {
        switch (v.kind()) {
        case SQLValue::Kind::Int: return double(v.intValue());
        case SQLValue::Kind::Real: return v.realValue();
        case SQLValue::Kind::Text: return textToDouble(v.textValue());
        default: return 0;
        }
    });
}

QString SQLRow::str(qsizetype column) const
{
    return read(column, QString(), [](const auto &v) -> QString {
        switch (v.kind()) {
        case SQLValue::Kind::Int: return QString::number(v.intValue());
        case SQLValue::Kind::Real: return Text::shortestDouble(v.realValue());
        case SQLValue::Kind::Text: return v.textValue();
        default: return {};
        }
    });
}

QByteArray SQLRow::data(qsizetype column) const
{
    return read(column, QByteArray(), [](const auto &v) -> QByteArray {
        return v.kind() == SQLValue::Kind::Blob ? QByteArray(v.blobValue()) : QByteArray();
    });
}

bool SQLRow::isNull(qsizetype column) const
{
    return read(column, true, [](const auto &v) { return v.kind() == SQLValue::Kind::Null; });
}
