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
    // Past `outer` the light is clear and, drawn over what is there, changes
    // nothing: only the square around its disc is filled.
    QRectF reach = area;
    if (p.compositionMode() == QPainter::CompositionMode_SourceOver) {
        const double r = outer + 1;
        reach &= QRectF(center.x() - r, center.y() - r, 2 * r, 2 * r);
    }
    if (!reach.isEmpty())
        p.fillRect(reach, g);
}
