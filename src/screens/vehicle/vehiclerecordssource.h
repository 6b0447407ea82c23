#pragma once

#include "app/appmodel.h"
#include "data/vehicleyearrecords.h"
#include "data/vorel.h"

#include <QtGlobal>
#include <functional>
#include <optional>

// Where a vehicle-page section finds what the page has already read for a
// vehicle and model year: the records, or nothing (the section then reads
// them itself).
using VehicleRecordsSource = std::function<const VehicleYearRecords *(qint64 vehicleID, qint64 year)>;

// The current vehicle-year and what a section shows of it.
template <typename T>
struct ShownRecords
{
    const Vorel *data;
    qint64 vehicleID;
    qint64 year;
    T value;
};

// `part` of the records the page read for the current vehicle-year, else
// the section's own read. Nothing while no data, vehicle or year is shown.
template <typename T>
std::optional<ShownRecords<T>> shownRecords(const AppModel &model, const VehicleRecordsSource &source,
                                            T VehicleYearRecords::*part, T (Vorel::*read)(qint64, qint64) const)
{
    const Vorel *data = model.data();
    if (!data || !model.currentVehicle() || !model.currentYear())
        return std::nullopt;
    const qint64 vehicleID = *model.currentVehicle();
    const qint64 year = *model.currentYear();
    const VehicleYearRecords *records = source ? source(vehicleID, year) : nullptr;
    return ShownRecords<T>{data, vehicleID, year, records ? records->*part : (data->*read)(vehicleID, year)};
}
