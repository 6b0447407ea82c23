#pragma once

#include <QtGlobal>

// The one rule that calls a complaint area "notably high".
class ComplaintRule
{
public:
    ComplaintRule() = delete;

    // Set only by the self-test's mutation mode: lowers the share-index bound
    // from 3.0 to 2.0 so that its checks are expected to fail.
    static bool mutateForSelfTest;

    // At least 20 complaints, 50 for the vehicle-year, the share-index bound
    // and a z-score of 4.0, every bound inclusive; NaN never passes.
    static bool notablyHigh(double shareIndex, qint64 complaints, qint64 vehicleYearComplaints, double zScore);
};
