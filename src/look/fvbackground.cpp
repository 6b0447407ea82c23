#include "fvbackground.h"

#include "fvpalette.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"

#include <QPainter>
#include <QRadialGradient>

namespace {

// A glow centred at a unit point of the area: `color` inside `start`, fading
// to clear at `end` (radii in points).
void glow(QPainter &p, const QRectF &area, QPointF unit, const QColor &color, double start, double end)
{
    const QPointF center(area.left() + unit.x() * area.width(), area.top() + unit.y() * area.height());
    const double r0 = KVScale::pt(start);
    const double r1 = KVScale::pt(end);
    QRadialGradient g(center, r1);
    g.setColorAt(0, color);
    g.setColorAt(r0 / r1, color);
    g.setColorAt(1, KVShape::faded(color, 0));
    p.fillRect(area, g);
}

} // namespace

FVBackground::FVBackground(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // The glows' radii are in points: repaint when the zoom changes.
    KVScaleWatch::follow(this);
}

void FVBackground::paint(QPainter &p, const QRectF &area)
{
    using namespace KVShape;
    const FVPalette pal = FVPalette::current();
    p.save();
    p.fillRect(area, pal.bg);
    p.fillRect(area, vertical(area, {white(1, 0.08), QColor(0, 0, 0, 0), QColor::fromRgbF(0, 0, 0, 0.35f)}));
    glow(p, area, QPointF(0.85, -0.1), faded(pal.accent, 0.22), 20, 900);
    glow(p, area, QPointF(0.0, 1.1), faded(pal.accent, 0.10), 10, 700);
    p.restore();
}

void FVBackground::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paint(p, QRectF(rect()));
}
