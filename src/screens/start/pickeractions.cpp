#include "pickeractions.h"

#include "app/appmodel.h"

namespace PickerActions {

void pickYear(AppModel &model, qint64 year)
{
    model.setYear(year);
    model.setMake(std::nullopt);
    model.setPickedVehicle(std::nullopt);
}

void pickMake(AppModel &model, const QString &make)
{
    model.setMake(make);
    model.setPickedVehicle(std::nullopt);
}

void pickModel(AppModel &model, qint64 vehicleID)
{
    model.setPickedVehicle(vehicleID);
    model.openVehicle(vehicleID, model.year());
}

void openExample(AppModel &model, qint64 vehicleID, std::optional<qint64> year)
{
    model.openVehicle(vehicleID, year);
}

} // namespace PickerActions
