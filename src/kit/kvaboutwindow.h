#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

// The kit's About window: the application's icon, name and version, the
// lines the application adds, and the maker's credit with a link to the
// maker's site. One window per process, made on first use (440 by 380
// points, or less on a small screen, where the content scrolls; titled and
// closable, centred once) and only hidden when closed; every show()
// re-titles it, gives it fresh content and brings it forward.
namespace KVRNAbout {

// Lines shown under the version line; empty until the application sets them.
QStringList extraLines();
void setExtraLines(const QStringList &lines);

// "Version <short>" or "Version <short> (<build>)"; the short version is
// "1.0" when none is given.
QString versionLine(const std::optional<QString> &shortVersion, const std::optional<QString> &build);
// The running program's version line (its application version, no build).
QString version();

// "by Brackenfold (KVRN)".
QString creditLine();

void show();

// The window once it has been made, else null.
QWidget *window();

} // namespace KVRNAbout
