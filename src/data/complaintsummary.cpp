#include "complaintsummary.h"

#include <algorithm>

QList<ComplaintRow> ComplaintSummary::flagged() const
{
    QList<ComplaintRow> out;
    for (const ComplaintRow &row : areas) {
        if (row.notablyHigh())
            out << row;
    }
    // Passing rows have a real share index, so the comparison is a strict order.
    std::stable_sort(out.begin(), out.end(),
                     [](const ComplaintRow &a, const ComplaintRow &b) { return a.shareIndex > b.shareIndex; });
    return out;
}

qint64 ComplaintSummary::chartSum() const
{
    // Unsigned arithmetic: absurd stored counts wrap instead of overflowing.
    quint64 sum = 0;
    for (const ComplaintRow &row : areas)
        sum += quint64(row.complaints);
    return qint64(sum);
}
