#pragma once

#include <QString>
#include <optional>

class QWidget;
class KVRNHelpViewer;

// The kit's help window: one per process, made on first use (860 by 600
// points, resizable, centred) and only hidden when closed. Its size and place
// are kept in the user defaults under "KVRNHelpWindow" and restored on later
// runs. Every opening re-titles it "<app name> Help", gives it a fresh viewer
// (empty search, nothing selected) on the requested topic and brings it
// forward.
namespace KVHelpWindow {

// A kit view's request for a help page: hands the id to KVRNKitHost::showHelp.
void show(const QString &page);

// Opens the window on a topic (none: the first topic).
void showWindow(const std::optional<QString> &topic);

// Makes showWindow the way KVRNHelp::show opens help, unless another opener
// has been set. Safe to call more than once.
void installOpener();

// The user-defaults key of the window's geometry.
QString geometryKey();

// The window and its current viewer once made, else null.
QWidget *window();
KVRNHelpViewer *viewer();

} // namespace KVHelpWindow
