#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// "--fv-snapshot <dir>": draws the main window's screens, each in a chosen
// theme and state, into PNG files without a window. Needs FV_GARAGE_PATH to
// name a scratch garage (a demo vehicle goes into it when it is empty).
//
// Exit statuses: 0 every shot written; 1 a shot could not be rendered or
// written; 2 no folder after the option (the usage is printed), or
// FV_GARAGE_PATH missing or empty; 3 no reference data, the Navigator or the
// Focus not in it, or the data found damaged (a line says which). Once the
// run has started, every return leaves the preferences ("kvrn.theme" and "fv.lastVehicle" among them) as
// they were, written to disk.
namespace FVSnapshot {

using Print = std::function<void(const QString &line)>;

// Nothing when the arguments do not ask for the mode; lines go to standard
// output.
std::optional<int> handle(const QStringList &args);
// The same, with the lines handed to `print`.
std::optional<int> handle(const QStringList &args, const Print &print);

// Fills the dispatcher's snapshot slot.
void registerMode();

} // namespace FVSnapshot
