#pragma once

#include "data/vehicleyearrecords.h"

#include <QtGlobal>
#include <functional>

// Where a vehicle-page section finds what the page has already read for a
// vehicle and model year: the records, or nothing (the section then reads
// them itself).
using VehicleRecordsSource = std::function<const VehicleYearRecords *(qint64 vehicleID, qint64 year)>;
