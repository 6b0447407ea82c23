#pragma once

#include "complaintrow.h"

#include <QList>

// The complaint totals of a vehicle and model year with its main areas
// (most complaints first).
struct ComplaintSummary
{
    qint64 total = 0;
    qint64 crashes = 0;
    qint64 fires = 0;
    qint64 injuries = 0;
    qint64 deaths = 0;
    QList<ComplaintRow> areas;

    // The areas that pass the "notably high" rule, highest share index first;
    // equal indexes keep their order from areas.
    QList<ComplaintRow> flagged() const;
    // Sum of the areas' complaints; the chart scales its bars against it.
    qint64 chartSum() const;

    friend bool operator==(const ComplaintSummary &, const ComplaintSummary &) = default;
};
