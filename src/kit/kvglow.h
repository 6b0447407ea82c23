#pragma once

#include <QColor>
#include <QPointF>
#include <QRectF>

class QPainter;

// A soft coloured light over a backdrop: fills `area` with `color` around
// `center` out to the radius `inner`, fading to clear at `outer` (pixels).
namespace KVGlow {

void paint(QPainter &p, const QRectF &area, const QPointF &center, const QColor &color, double inner, double outer);

} // namespace KVGlow
