#include "kvzoommenu.h"

#include "kvzoom.h"

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
    for (int percent : KVZoom::levels())
        levels->addAction(KVZoom::levelTitle(percent), levels, [percent] { KVZoom::setLevel(percent); });
    menu->addSeparator();
}
