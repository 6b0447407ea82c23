#pragma once

#include "data/obdcode.h"

#include <QString>
#include <optional>
#include <utility>

// The usual fix of a trouble code with a rough cost range in whole U.S.
// dollars. Two estimates are equal when all three fields are.
struct RepairEstimate
{
    QString fix;
    qint64 low = 0;
    qint64 high = 0;

    // "$20–$600": digits grouped with "," whatever the process locale.
    QString range() const;

    // A sensor family that the table does not list.
    static RepairEstimate sensor();
    // An actuator family that the table does not list.
    static RepairEstimate actuator();
    // A code that the reference list does not hold.
    static RepairEstimate makerSpecific();

    static QString costNote();
    static QString diagnosticNote();

    // The estimate of a code (absent info: a code the list does not hold), and
    // true when it is the code family's own or the unknown-code estimate,
    // false for a system fallback or the general estimate.
    static std::pair<RepairEstimate, bool> forCode(const std::optional<OBDCode> &info);

    friend bool operator==(const RepairEstimate &, const RepairEstimate &) = default;
};
