#pragma once

#include <QHashFunctions>
#include <QString>
#include <array>
#include <optional>

// How urgent a trouble code is: three levels stored as the texts "drive",
// "drive soon" and "stop" (levels 0, 1, 2). Compares by level.
class Seriousness
{
public:
    enum Level { Drive = 0, Soon = 1, Stop = 2 };

    constexpr Seriousness(Level level) : m_level(level) {}

    // Exactly one of the three stored texts (case-sensitive), else nothing.
    static std::optional<Seriousness> fromRawValue(const QString &raw);
    // Drive, Soon, Stop: the order of the filter chips and the dial's bands.
    static constexpr std::array<Seriousness, 3> allCases() { return {Drive, Soon, Stop}; }

    constexpr Level level() const { return m_level; }
    QString rawValue() const;
    QString title() const;
    QString explanation() const;

    friend constexpr bool operator==(Seriousness a, Seriousness b) { return a.m_level == b.m_level; }
    friend size_t qHash(Seriousness s, size_t seed = 0) noexcept { return qHash(int(s.m_level), seed); }

private:
    Level m_level;
};
