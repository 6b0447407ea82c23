#include "kvwindowbackground.h"

#include "kvglow.h"
#include "kvkittheme.h"
#include "kvscale.h"
#include "kvscalewatch.h"
#include "kvshape.h"

#include <QPainter>

KVWindowBackground::KVWindowBackground(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // The glows' radii are in points: repaint when the zoom changes.
    KVScaleWatch::follow(this);
}

void KVWindowBackground::paint(QPainter &p, const QRectF &area)
{
    using namespace KVShape;
    const KVKitTheme theme = KVKitTheme::current();
    p.save();
    p.fillRect(area, theme.bg);
    p.fillRect(area, vertical(area, {white(1, 0.07), QColor(0, 0, 0, 0), QColor::fromRgbF(0, 0, 0, 0.25f)}));

    KVGlow::paint(p, area, area.topLeft(), faded(theme.accent, 0.18), KVScale::pt(10), KVScale::pt(700));
    p.restore();
}

void KVWindowBackground::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paint(p, QRectF(rect()));
}
