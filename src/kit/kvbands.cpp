#include "kvbands.h"

#include <QPainter>
#include <cmath>

void KVBands::paint(QPainter &painter, const QRect &area, const std::function<void()> &draw)
{
    const QTransform t = painter.deviceTransform();
    const bool whole = t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx())
                       && t.dy() == std::floor(t.dy());
    if (!whole || area.height() <= kRows + kRows / 2) {
        draw();
        return;
    }
    for (int y = area.top(); y <= area.bottom(); y += kRows) {
        painter.save();
        painter.setClipRect(QRect(area.left(), y, area.width(), std::min(kRows, area.bottom() + 1 - y)),
                            Qt::IntersectClip);
        draw();
        painter.restore();
    }
}
