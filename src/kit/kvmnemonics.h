#pragma once

#include <QString>
#include <QStringList>

class QMenu;
class QMenuBar;

// Alt-letter access keys for menus: each title of one menu (or of the bar)
// gets a letter of its own, marked with "&". Titles come escaped ("&&" for a
// shown "&"); a title that already marks a letter keeps it.
namespace KVMnemonics {

// The titles with their letters marked, in the same order. One-word titles
// claim their initial first (so "File" keeps F beside a longer title that
// starts with F), then each title in order the initial of its first word,
// then of a later word, then any other letter or digit; a title with no free
// letter stays unmarked.
QStringList marked(const QStringList &titles);

// Marks the bar's menus, and every menu below it each time it opens (menus
// that refill themselves included).
void apply(QMenuBar *bar);
void apply(QMenu *menu);

} // namespace KVMnemonics
