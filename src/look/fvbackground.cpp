#include "fvbackground.h"

#include "fvpalette.h"
#include "kit/kvglow.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"

#include <QPainter>

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
    // Centred at unit points of the area: upper right, just above; lower left, just below.
    const auto at = [&area](double x, double y) {
        return QPointF(area.left() + x * area.width(), area.top() + y * area.height());
    };
    KVGlow::paint(p, area, at(0.85, -0.1), faded(pal.accent, 0.22), KVScale::pt(20), KVScale::pt(900));
    KVGlow::paint(p, area, at(0.0, 1.1), faded(pal.accent, 0.10), KVScale::pt(10), KVScale::pt(700));
    p.restore();
}

void FVBackground::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paint(p, QRectF(rect()));
}
