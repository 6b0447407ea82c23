#pragma once

#include <QByteArray>
#include <QDate>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariant>
#include <concepts>
#include <optional>
#include <variant>

// One positional statement argument. The constructor chosen by the argument's
// static type decides the binding: absent -> NULL, integers -> int64,
// floating point -> double, bool -> 0/1, text (including const char*) -> text,
// bytes -> blob (empty bytes stay a zero-length blob), anything else -> its text.
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
    SQLArg(bool v) : m_v(v) {}
    SQLArg(const char *v) : m_v(v ? QString::fromUtf8(v) : QString()) {}
    SQLArg(const QString &v) : m_v(v) {}
    SQLArg(QStringView v) : m_v(v.toString()) {}
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
