#pragma once

#include <QString>
#include <QUrl>
#include <functional>

// The one way the program's own code opens a web page or a file it saved.
// The default hands http and https addresses to the desktop, and local files
// only when this process wrote them (see noteWritten); everything else is
// silently not opened. The self-test and the snapshot renderer replace it.
namespace Opener {

using Func = std::function<void(const QUrl &)>;

void open(const QUrl &url);
// Replaces the behaviour for the rest of the process (an empty Func: nothing).
void setOpen(Func func);
// Puts the default behaviour back.
void reset();
// The default's rule: whether the default would hand this URL to the desktop.
bool allowed(const QUrl &url);

// Records a file the program has just written, so the default may open it.
void noteWritten(const QString &path);

} // namespace Opener
