#pragma once

#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>

// The one way the program's own code opens a web page or a file it saved.
// The default hands http and https addresses to the desktop, and local files
// only when this process wrote them (see noteWritten), or their folder;
// everything else is not opened. The self-test and the snapshot renderer
// replace it.
namespace Opener {

using Func = std::function<void(const QUrl &)>;
// Whether the desktop took the address (a program was started for it).
using Done = std::function<void(bool opened)>;
// A replacement that tells how it went; it must call `done` exactly once.
using Handler = std::function<void(const QUrl &, Done done)>;

void open(const QUrl &url);
// Opens and then, on the event loop and only while `context` lives, tells
// `done` whether it worked: false when the address is not allowed, when
// there is no desktop, or when `xdg-open` is missing or fails.
void open(const QUrl &url, QObject *context, Done done);
// Replaces the behaviour for the rest of the process (an empty Func:
// nothing); a replaced opener counts as having opened.
void setOpen(Func func);
void setHandler(Handler handler);
// Whether opening a folder can work: a replacement is set, or the desktop's
// xdg-open is there.
bool canOpenFolders();
// Puts the default behaviour back.
void reset();
// The default's rule: whether the default would hand this URL to the desktop.
bool allowed(const QUrl &url);

// Records a file the program has just written, so the default may open it
// and its folder.
void noteWritten(const QString &path);

// How long a started `xdg-open` may run before it counts as having handed
// the address over (it waits for the program it starts on some desktops).
constexpr int launchGraceMs = 1000;

} // namespace Opener
