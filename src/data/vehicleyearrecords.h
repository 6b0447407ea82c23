#pragma once

#include "complaintsummary.h"
#include "investigation.h"
#include "recall.h"
#include "tsb.h"

#include <QList>

// What the reference data holds on one vehicle and model year, each table
// read once: the page's sections and its known-for lines are built from it.
struct VehicleYearRecords
{
    ComplaintSummary complaints;
    QList<Recall> recalls;
    QList<Investigation> investigations;
    // The stored bulletin count, and the bulletins newest date first.
    qint64 tsbCount = 0;
    QList<TSB> tsbs;
};
