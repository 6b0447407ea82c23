#pragma once

#include <QHashFunctions>
#include <QList>
#include <QString>
#include <array>
#include <optional>

// The screens that the main window shows one at a time. Raw values equal the
// case names; the sidebar lists the first eight.
class Screen
{
public:
    enum Value : quint8 { Home, Vehicle, Codes, Guides, Obd1, Vin, Garage, Credits, Search };

    constexpr Screen(Value value = Home) : m_value(value) {}

    // Exactly one of the nine raw values (case-sensitive), else nothing.
    static std::optional<Screen> fromRawValue(const QString &raw);
    static constexpr std::array<Screen, 9> allCases()
    {
        return {Home, Vehicle, Codes, Guides, Obd1, Vin, Garage, Credits, Search};
    }
    // Every case but the search results, in order.
    static const QList<Screen> &sidebar();

    constexpr Value value() const { return m_value; }
    QString rawValue() const;
    QString id() const { return rawValue(); }
    // The heading that the header and the sidebar print.
    QString title() const;
    // Name of the symbol that the sidebar row draws.
    QString icon() const;

    friend constexpr bool operator==(Screen a, Screen b) { return a.m_value == b.m_value; }
    friend size_t qHash(Screen s, size_t seed = 0) noexcept { return qHash(int(s.m_value), seed); }

private:
    Value m_value;
};
