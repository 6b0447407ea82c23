#pragma once

#include <QString>

// One complaint area of a vehicle and model year.
struct ComplaintRow
{
    qint64 level = 0;
    QString component;
    qint64 complaints = 0;
    qint64 vehicleYearComplaints = 0;
    double shareOfVehicle = 0;
    double peerShare = 0;
    double shareIndex = 0;
    double zScore = 0;
    // The database's own verdict: kept, never used to decide.
    bool dbFlag = false;

    // "<level>-<component>", e.g. "1-AIR BAGS".
    QString id() const;
    // Readable last level of the component name.
    QString display() const;
    // ComplaintRule::notablyHigh applied to this row's numbers.
    bool notablyHigh() const;

    friend bool operator==(const ComplaintRow &, const ComplaintRow &) = default;
};
