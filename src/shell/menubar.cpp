#include "menubar.h"

#include "kit/kvrnthememenu.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace MenuBar {

namespace {

// Escape that closes one of the bar's menus leaves the bar as well: the focus
// goes back to the control that had it, not to a bar whose titles show no
// focus.
class EscapeLeavesBar final : public QObject
{
public:
    explicit EscapeLeavesBar(QMenuBar *bar)
        : QObject(bar)
        , m_bar(bar)
    {
    }

    void watch(QMenu *menu)
    {
        menu->installEventFilter(this);
        connect(menu, &QMenu::aboutToShow, this, [this] {
            if (QWidget *focus = m_bar->window()->focusWidget(); focus != m_bar)
                m_before = focus;
        });
    }

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (key->key() == Qt::Key_Escape && key->modifiers() == Qt::NoModifier)
                QMetaObject::invokeMethod(this, &EscapeLeavesBar::leave, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void leave()
    {
        const QAction *open = m_bar->activeAction();
        if (m_bar->window()->focusWidget() != m_bar || (open && open->menu() && open->menu()->isVisible()))
            return;
        QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
        QCoreApplication::sendEvent(m_bar, &escape);
        if (m_before && m_before->isVisible() && m_bar->window()->focusWidget() != m_before)
            m_before->setFocus(Qt::MenuBarFocusReason);
    }

    QMenuBar *m_bar;
    QPointer<QWidget> m_before; // the focus when the menu opened
};

} // namespace

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
    auto *escape = new EscapeLeavesBar(bar);
    for (const MenuDef &def : menus) {
        QMenu *menu = bar->addMenu(KVRNThemeMenu::escaped(def.title));
        fill(menu, def.entries);
        escape->watch(menu);
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
