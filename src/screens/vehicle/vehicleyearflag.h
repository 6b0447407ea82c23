#pragma once

#include <QtGlobal>
#include <optional>
#include <utility>

// A view's flag that belongs to one vehicle page: it starts false, keeps its
// value while the page refreshes for the same vehicle and model year, and
// drops back to false as soon as another vehicle or year is shown (the
// header's "Added to My Garage", the page's "Show all" bulletins).
class VehicleYearFlag final
{
public:
    bool value() const { return m_value; }
    void set(bool value) { m_value = value; }

    // Notes the vehicle and year now shown; clears the flag when either
    // differs from the last ones noted. True when it cleared a set flag.
    bool follow(qint64 vehicleID, qint64 year);

private:
    bool m_value = false;
    std::optional<std::pair<qint64, qint64>> m_shown;
};
