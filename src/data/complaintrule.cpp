#include "complaintrule.h"

bool ComplaintRule::mutateForSelfTest = false;

bool ComplaintRule::notablyHigh(double shareIndex, qint64 complaints, qint64 vehicleYearComplaints, double zScore)
{
    const double shareBound = mutateForSelfTest ? 2.0 : 3.0;
    // Comparisons with NaN are false, so a NaN index or score fails its test.
    return complaints >= 20 && vehicleYearComplaints >= 50 && shareIndex >= shareBound && zScore >= 4.0;
}
