#pragma once

#include <QByteArray>
#include <QString>
#include <variant>

// One SQLite value: int (64-bit), real, text, blob or null.
class SQLValue
{
public:
    enum class Kind { Int, Real, Text, Blob, Null };

    SQLValue() : m_v(std::monostate{}) {}
    static SQLValue fromInt(qint64 v) { SQLValue s; s.m_v = v; return s; }
    static SQLValue fromReal(double v) { SQLValue s; s.m_v = v; return s; }
    static SQLValue fromText(QString v) { SQLValue s; s.m_v = std::move(v); return s; }
    static SQLValue fromBlob(QByteArray v) { SQLValue s; s.m_v = std::move(v); return s; }
    static SQLValue null() { return SQLValue(); }

    Kind kind() const
    {
        switch (m_v.index()) {
        case 0: return Kind::Int;
        case 1: return Kind::Real;
        case 2: return Kind::Text;
        case 3: return Kind::Blob;
        default: return Kind::Null;
        }
    }
    qint64 intValue() const { return std::get<qint64>(m_v); }
    double realValue() const { return std::get<double>(m_v); }
    const QString &textValue() const { return std::get<QString>(m_v); }
    const QByteArray &blobValue() const { return std::get<QByteArray>(m_v); }

    friend bool operator==(const SQLValue &a, const SQLValue &b) { return a.m_v == b.m_v; }

private:
    std::variant<qint64, double, QString, QByteArray, std::monostate> m_v;
};
