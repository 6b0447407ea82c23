#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Starting one of the desktop's helper programs (xdg-open, xdg-email) and
// learning truthfully whether it did its job.
namespace DesktopTool {

// The program's full path, or empty when this system doesn't have it.
QString find(const QString &name);

// Runs `program` with `arguments` and tells `done` (once, on the event
// loop) whether it worked: true when it exits with status 0, or is still
// running after `graceMs` (it then waits on the program it started, as
// some desktops do); false when it cannot start or exits otherwise. A
// program still running when this process ends is left running.
void run(const QString &program, const QStringList &arguments, int graceMs, std::function<void(bool)> done);

} // namespace DesktopTool
