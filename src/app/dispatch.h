#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The command-line modes, offered the whole argument list (program path
// first) in a fixed order before any window exists: the garage child modes,
// the snapshot renderer, the report maker, then the self-test when an
// argument is exactly "--selftest". A mode answers with an exit status when
// the arguments are for it, or nothing. Later subsystems fill their slot at
// start-up; an empty slot declines everything, so its options are simply not
// recognised.
namespace Dispatch {

using Mode = std::function<std::optional<int>(const QStringList &args)>;
using SelfTest = std::function<int()>;

enum class Slot { GarageChild, Snapshot, Report };
// What a mode needs of the application object: a GUI one, or a core one
// (it draws nothing with Qt).
enum class Needs { Gui, Core };

// Fills a slot. `options` are the arguments that ask for the mode; they only
// decide whether the run is a command-line run (see isCommandLine).
void setMode(Slot slot, const QStringList &options, Mode mode, Needs needs = Needs::Gui);
void setSelfTest(SelfTest run);
// Empties every slot (tests).
void clear();

// Whether an argument asks for a filled slot (one of its options, or
// "--selftest" with a self-test): such runs are given the offscreen platform.
bool isCommandLine(const QStringList &args);
// Whether the arguments ask only for modes that need a core application.
bool needsOnlyCore(const QStringList &args);

// The status of the first mode that takes the arguments, or of the
// self-test; nothing when the windowed application is to start.
std::optional<int> run(const QStringList &args);

// The process arguments as texts, read from argv as given.
QStringList arguments(int argc, char **argv);

} // namespace Dispatch
