#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>
#include <concepts>
#include <optional>
#include <string>
#include <type_traits>
#include <variant>

// One positional statement argument. The constructor chosen by the argument's
// static type decides the binding: absent -> NULL, integers -> int64,
// floating point -> double, bool -> 0/1, text (including const char*) -> text,
// bytes -> blob (empty bytes stay a zero-length blob), dates -> their ISO text.
// Pointers other than C strings do not compile rather than bind as booleans.
class SQLArg
{
public:
    using Storage = std::variant<std::monostate, qint64, double, bool, QString, QByteArray>;

    SQLArg() = default;
    SQLArg(std::nullptr_t) {}
    SQLArg(std::nullopt_t) {}
    template <std::integral T>
        requires(!std::same_as<T, bool> && !std::same_as<T, char>)
    SQLArg(T v) : m_v(static_cast<qint64>(v)) {}
    template <std::floating_point T>
    SQLArg(T v) : m_v(static_cast<double>(v)) {}
    // Enumerations bind as their number (never through the boolean conversion).
    template <typename T>
        requires std::is_enum_v<T>
    SQLArg(T v) : m_v(static_cast<qint64>(v)) {}
    SQLArg(bool v) : m_v(v) {}
    SQLArg(char v) : m_v(QString::fromUtf8(&v, 1)) {}
    SQLArg(const char *v) : m_v(v ? QString::fromUtf8(v) : QString()) {}
    SQLArg(const char16_t *v) : m_v(v ? QString::fromUtf16(v) : QString()) {}
    // Any other pointer would silently bind as a boolean: refuse it.
    template <typename T>
        requires(!std::is_same_v<std::remove_cv_t<T>, char> && !std::is_same_v<std::remove_cv_t<T>, char16_t>)
    SQLArg(T *) = delete;
    SQLArg(const QString &v) : m_v(v) {}
    SQLArg(QStringView v) : m_v(v.toString()) {}
    SQLArg(QLatin1String v) : m_v(QString(v)) {}
    SQLArg(const std::string &v) : m_v(QString::fromStdString(v)) {}
    SQLArg(const QByteArray &v) : m_v(v) {}
    SQLArg(const QDate &v) : m_v(v.toString(Qt::ISODate)) {}
    SQLArg(const QDateTime &v) : m_v(v.toString(Qt::ISODate)) {}
    template <typename T>
    SQLArg(const std::optional<T> &v)
    {
        if (v)
            m_v = SQLArg(*v).m_v;
    }

    const Storage &value() const { return m_v; }

private:
    Storage m_v;
};

using SQLArgs = QList<SQLArg>;
