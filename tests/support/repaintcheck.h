#pragma once

#include "kit/kvscale.h"

#include <QApplication>
#include <QEvent>
#include <QTest>
#include <QWidget>

// Shows the widget, changes the interface zoom, and tells whether the widget
// was painted again afterwards. The zoom is put back to 100%.
inline bool repaintsOnZoom(QWidget &widget)
{
    struct PaintCounter : QObject
    {
        int paints = 0;
        bool eventFilter(QObject *, QEvent *e) override
        {
            paints += e->type() == QEvent::Paint;
            return false;
        }
    } counter;
    widget.resize(200, 150);
    widget.show();
    if (!QTest::qWaitForWindowExposed(&widget))
        return false;
    QApplication::processEvents();
    widget.installEventFilter(&counter);
    KVScale::shared().setFactor(1.5);
    const bool painted = QTest::qWaitFor([&] { return counter.paints > 0; });
    widget.removeEventFilter(&counter);
    KVScale::shared().setFactor(1.0);
    return painted;
}
