#pragma once

#include <QString>
#include <optional>

class AppModel;

// The start screen's clicks. The picker walks left to right and every step
// clears what depends on it; the state lives in the model, so the picker
// shows the same selection when the user comes back.
namespace PickerActions {

// year = that year; make and model cleared (also for the year already picked).
void pickYear(AppModel &model, qint64 year);
// make = that make key; model cleared; the year stays.
void pickMake(AppModel &model, const QString &make);
// Marks the model and opens its page at the picked year (or the vehicle's
// latest year when it lacks that one).
void pickModel(AppModel &model, qint64 vehicleID);
// Opens an example vehicle; the picker state is left alone.
void openExample(AppModel &model, qint64 vehicleID, std::optional<qint64> year);

} // namespace PickerActions
