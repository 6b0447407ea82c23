#pragma once

#include <QList>
#include <QString>
#include <functional>
#include <optional>

class AppModel;
class NetStatus;

// The reference vehicles the shots open.
struct FVSnapshotVehicles
{
    qint64 navigator = 0;
    qint64 focus = 0;
    std::optional<qint64> sienna; // row 12 falls back to the Navigator
};

// One row of the snapshot table: the file name (no extension), the theme id
// stored before the shot and the state set on the model. A setup sets only
// what it names; earlier rows' state stays.
struct FVSnapshotShot
{
    QString name;
    QString theme;
    std::function<void(AppModel &, NetStatus &)> setup;
};

namespace FVSnapshotShots {

// The twelve rows in order.
QList<FVSnapshotShot> table(const FVSnapshotVehicles &vehicles);

// The picker-only shot's file name, theme and state.
QString pickerName();
QString pickerTheme();
void setUpPicker(AppModel &model);

} // namespace FVSnapshotShots
