#include "kvglow.h"

#include "kvshape.h"

#include <QPainter>
#include <QRadialGradient>

void KVGlow::paint(QPainter &p, const QRectF &area, const QPointF &center, const QColor &color, double inner,
                   double outer)
{
    QRadialGradient g(center, outer);
    g.setColorAt(0, color);
    g.setColorAt(inner / outer, color);
    g.setColorAt(1, KVShape::faded(color, 0));
    p.fillRect(area, g);
}
