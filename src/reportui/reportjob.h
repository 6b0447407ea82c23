#pragma once

#include <QString>
#include <functional>

class QWidget;

// Report work that must not hold up the window (laying out and writing the
// PDF) runs on a worker thread, one job at a time, with a busy note beside
// the control and a busy cursor until it ends. The work touches no widget
// and no database: its input is gathered before.
namespace ReportJob {

bool busy();

// Runs `work` on a worker thread, then `then` on the main thread. False
// (and nothing run) while another job is under way.
bool run(QWidget *control, const QString &busyText, std::function<void()> work, std::function<void()> then);

} // namespace ReportJob
