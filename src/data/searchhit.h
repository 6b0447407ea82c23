#pragma once

#include <QHashFunctions>
#include <QString>
#include <array>
#include <optional>

// What a search result points to; raw values are the kind column's texts.
class SearchKind
{
public:
    enum Value { Vehicle = 0, Code = 1, Guide = 2, Obd1 = 3, Recall = 4 };

    constexpr SearchKind(Value value) : m_value(value) {}

    // Exactly one of the five raw values (case-sensitive), else nothing.
    static std::optional<SearchKind> fromRawValue(const QString &raw);
    static constexpr std::array<SearchKind, 5> allCases() { return {Vehicle, Code, Guide, Obd1, Recall}; }

    constexpr Value value() const { return m_value; }
    QString rawValue() const;

    friend constexpr bool operator==(SearchKind a, SearchKind b) { return a.m_value == b.m_value; }
    friend size_t qHash(SearchKind k, size_t seed = 0) noexcept { return qHash(int(k.m_value), seed); }

private:
    Value m_value;
};

// One search result. `ref` is the vehicle id in decimal, the code, the guide
// id, the OBD-I section id or the recall campaign, by kind; `year` is the
// model year that the query named (vehicle hits only).
struct SearchHit
{
    SearchKind kind = SearchKind::Vehicle;
    QString ref;
    QString title;
    QString snippet;
    std::optional<qint64> year;

    // "<kind>:<ref>:<year or 0>": one vehicle found for two years gives two hits.
    QString id() const;

    friend bool operator==(const SearchHit &, const SearchHit &) = default;
};
