#include "kvzoommenu.h"

#include "kvzoom.h"

#include <QActionGroup>
#include <QKeySequence>
#include <QMenu>

void KVZoomMenu::fill(QMenu *menu)
{
    QAction *in = menu->addAction(QStringLiteral("Zoom In"), menu, [] { KVZoom::zoomIn(); });
    // "+" is a shifted key on most layouts: Ctrl with "=" zooms in as well.
    in->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus), QKeySequence(Qt::CTRL | Qt::Key_Equal)});
    QAction *out = menu->addAction(QStringLiteral("Zoom Out"), menu, [] { KVZoom::zoomOut(); });
    out->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    QAction *actual = menu->addAction(QStringLiteral("Actual Size (100%)"), menu, [] { KVZoom::actualSize(); });
    actual->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));

    QMenu *levels = menu->addMenu(QStringLiteral("Zoom Level"));
    auto *group = new QActionGroup(levels);
    for (int percent : KVZoom::levels()) {
        QAction *level = levels->addAction(KVZoom::levelTitle(percent), levels, [percent] { KVZoom::setLevel(percent); });
        level->setCheckable(true);
        level->setData(percent);
        group->addAction(level);
    }
    // The current level is checked each time the submenu opens.
    QObject::connect(levels, &QMenu::aboutToShow, levels, [levels] {
        const int current = KVZoom::currentLevel();
        for (QAction *a : levels->actions())
            a->setChecked(a->data().toInt() == current);
    });
    menu->addSeparator();
}
