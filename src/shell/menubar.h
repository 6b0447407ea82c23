#pragma once

#include "menubarmodel.h"

class QAction;
class QMenuBar;
class QMenu;

// Turns the menu data into a Qt menu bar. Titles show "&" literally; each
// action keeps its entry's role as the QAction's object name.
namespace MenuBar {

void build(QMenuBar *bar, const QList<MenuDef> &menus);
void fill(QMenu *menu, const QList<MenuEntry> &entries);

// The action with that role anywhere in the bar, else null.
QAction *find(const QMenuBar *bar, const QString &role);

} // namespace MenuBar
