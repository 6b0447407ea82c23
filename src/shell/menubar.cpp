#include "menubar.h"

#include "kit/kvrnthememenu.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace MenuBar {

void fill(QMenu *menu, const QList<MenuEntry> &entries)
{
    for (const MenuEntry &e : entries) {
        switch (e.kind) {
        case MenuEntry::Kind::Item: {
            QAction *a = menu->addAction(KVRNThemeMenu::escaped(e.title));
            a->setObjectName(e.role);
            a->setShortcuts(e.shortcuts);
            const auto action = e.action;
            QObject::connect(a, &QAction::triggered, menu, [action] {
                if (action)
                    action();
            });
            break;
        }
        case MenuEntry::Kind::Separator:
            menu->addSeparator();
            break;
        case MenuEntry::Kind::Group:
            if (e.fill)
                e.fill(menu);
            break;
        case MenuEntry::Kind::Submenu: {
            QMenu *sub = menu->addMenu(KVRNThemeMenu::escaped(e.title));
            sub->menuAction()->setObjectName(e.role);
            if (e.fill)
                e.fill(sub);
            break;
        }
        }
    }
}

void build(QMenuBar *bar, const QList<MenuDef> &menus)
{
    for (const MenuDef &def : menus) {
        QMenu *menu = bar->addMenu(KVRNThemeMenu::escaped(def.title));
        fill(menu, def.entries);
    }
}

QAction *find(const QMenuBar *bar, const QString &role)
{
    for (QAction *a : bar->findChildren<QAction *>()) {
        if (a->objectName() == role)
            return a;
    }
    return nullptr;
}

} // namespace MenuBar
