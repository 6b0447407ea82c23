#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>

class AppModel;
class QMenu;

// The menu bar as data: menus of items, separators and groups that fill
// themselves (the kit's zoom, theme and help groups). Item titles are shown
// as written (menubar.h escapes "&"). Linux has no application menu: the
// first menu bears the application's name and holds the kit's About item and
// website link, then Quit.
struct MenuEntry
{
    enum class Kind { Item, Separator, Group, Submenu };

    Kind kind = Kind::Item;
    QString title;
    QList<QKeySequence> shortcuts;
    std::function<void()> action;       // Item
    std::function<void(QMenu *)> fill;  // Group, Submenu: adds its items to the menu
    QString role;                       // a stable name for look-ups ("quit", "report.save", ...)

    static MenuEntry item(const QString &title, std::function<void()> action, QList<QKeySequence> shortcuts = {},
                          const QString &role = QString());
    static MenuEntry separator();
    static MenuEntry group(std::function<void(QMenu *)> fill, const QString &role);
    static MenuEntry submenu(const QString &title, std::function<void(QMenu *)> fill, const QString &role);
};

struct MenuDef
{
    QString title;
    QList<MenuEntry> entries;
};

namespace MenuBarModel {

// What the File menu's report items call; an empty function does nothing.
struct ReportCommands
{
    std::function<void()> save;  // "Save Trouble Code Report as PDF…"
    std::function<void()> share; // "Share Trouble Code Report…"
    std::function<void()> print; // "Print Trouble Code Report…"
};
// The report commands every menu bar made afterwards uses (set once by the
// report part at start-up).
void setReportCommands(const ReportCommands &commands);
ReportCommands reportCommands();

// The menus in order: the application's name, File, Go, View, Theme, Help.
// Screen items set the model's screen.
QList<MenuDef> menus(AppModel &m, const QString &appName);

// The Go menu alone: one item per sidebar screen (Ctrl+1 to Ctrl+7 for the
// first seven), a separator and "Search…" (Ctrl+F, shows the start screen and
// puts the focus in the header's search box).
MenuDef goMenu(AppModel &m);

} // namespace MenuBarModel
