#include "menubarmodel.h"

#include "app/appmodel.h"
#include "app/screen.h"
#include "kit/kvrnappmenu.h"
#include "kit/kvrnhelpmenu.h"
#include "kit/kvrnthememenu.h"
#include "kit/kvzoommenu.h"

#include <QCoreApplication>

MenuEntry MenuEntry::item(const QString &title, std::function<void()> action, QList<QKeySequence> shortcuts,
                          const QString &role)
{
    MenuEntry e;
    e.kind = Kind::Item;
    e.title = title;
    e.action = std::move(action);
    e.shortcuts = std::move(shortcuts);
    e.role = role;
    return e;
}

MenuEntry MenuEntry::separator()
{
    MenuEntry e;
    e.kind = Kind::Separator;
    return e;
}

MenuEntry MenuEntry::group(std::function<void(QMenu *)> fill, const QString &role)
{
    MenuEntry e;
    e.kind = Kind::Group;
    e.fill = std::move(fill);
    e.role = role;
    return e;
}

MenuEntry MenuEntry::submenu(const QString &title, std::function<void(QMenu *)> fill, const QString &role)
{
    MenuEntry e;
    e.kind = Kind::Submenu;
    e.title = title;
    e.fill = std::move(fill);
    e.role = role;
    return e;
}

namespace MenuBarModel {

namespace {

ReportCommands &storedReport()
{
    static ReportCommands commands;
    return commands;
}

std::function<void()> call(std::function<void()> f)
{
    return [f = std::move(f)] {
        if (f)
            f();
    };
}

} // namespace

void setReportCommands(const ReportCommands &commands)
{
    storedReport() = commands;
}

ReportCommands reportCommands()
{
    return storedReport();
}

MenuDef goMenu(AppModel &m)
{
    MenuDef go{QStringLiteral("Go"), {}};
    const QList<Screen> &screens = Screen::sidebar();
    for (qsizetype i = 0; i < screens.size(); ++i) {
        const Screen screen = screens[i];
        QList<QKeySequence> keys;
        if (i < 7)
            keys.append(QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + int(i))));
        go.entries.append(MenuEntry::item(screen.title(), [&m, screen] { m.setScreen(screen); }, keys,
                                          QStringLiteral("go.") + screen.id()));
    }
    go.entries.append(MenuEntry::separator());
    go.entries.append(MenuEntry::item(QStringLiteral("Search\u2026"), [&m] {
                                          m.setScreen(Screen::Home);
                                          m.requestSearchFocus();
                                      },
                                      {QKeySequence(Qt::CTRL | Qt::Key_F)}, QStringLiteral("go.find")));
    return go;
}

QList<MenuDef> menus(AppModel &m, const QString &appName)
{
    const ReportCommands report = reportCommands();

    MenuDef app{appName,
                 {MenuEntry::group(&KVRNAppMenu::fill, QStringLiteral("kit.app")), MenuEntry::separator(),
                  MenuEntry::item(QStringLiteral("Quit ") + appName, [] { QCoreApplication::quit(); },
                                  {QKeySequence(Qt::CTRL | Qt::Key_Q)}, QStringLiteral("quit"))}};

    MenuDef file{QStringLiteral("File"),
                  {MenuEntry::item(QStringLiteral("Save Trouble Code Report as PDF\u2026"), call(report.save),
                                   {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R)}, QStringLiteral("report.save")),
                   MenuEntry::item(QStringLiteral("Share Trouble Code Report\u2026"), call(report.share), {},
                                   QStringLiteral("report.share")),
                   MenuEntry::separator(),
                   MenuEntry::item(QStringLiteral("Print Trouble Code Report\u2026"), call(report.print),
                                   {QKeySequence(Qt::CTRL | Qt::Key_P)}, QStringLiteral("report.print"))}};

    MenuDef view{QStringLiteral("View"), {MenuEntry::group(&KVZoomMenu::fill, QStringLiteral("kit.zoom"))}};
    MenuDef theme{QStringLiteral("Theme"), {MenuEntry::group(&KVRNThemeMenu::fill, QStringLiteral("kit.theme"))}};

    auto credits = [&m] { m.setScreen(Screen::Credits); };
    MenuDef help{QStringLiteral("Help"),
                  {MenuEntry::group(&KVRNHelpMenu::fill, QStringLiteral("kit.help")), MenuEntry::separator(),
                   MenuEntry::item(QStringLiteral("Photo Credits\u2026"), credits, {}, QStringLiteral("help.photos")),
                   MenuEntry::item(QStringLiteral("Data Sources (NHTSA, EPA)\u2026"), credits, {},
                                   QStringLiteral("help.data"))}};

    return {app, file, goMenu(m), view, theme, help};
}

} // namespace MenuBarModel
