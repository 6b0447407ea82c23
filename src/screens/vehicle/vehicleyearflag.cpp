#include "vehicleyearflag.h"

bool VehicleYearFlag::follow(qint64 vehicleID, qint64 year)
{
    const std::pair<qint64, qint64> now{vehicleID, year};
    if (m_shown == now)
        return false;
    const bool wasSet = m_value && m_shown.has_value();
    m_shown = now;
    m_value = false;
    return wasSet;
}
