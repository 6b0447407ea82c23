#include "kvpanel.h"

#include "kvkittheme.h"
#include "kvscale.h"
#include "kvshape.h"

#include <QPainter>

KVPanel::KVPanel(QWidget *parent)
    : KVPanel(20, 12, parent)
{
}

KVPanel::KVPanel(double radius, double padding, QWidget *parent)
    : KVPaddedBox(radius, padding, parent)
{
}

void KVPanel::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    const KVKitTheme theme = KVKitTheme::current();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(rect());
    const double radius = KVScale::pt(this->radius());
    p.fillPath(roundedRect(r, radius), vertical(r, {theme.panelTop, theme.panelBottom}));
    strokeRoundedRectInside(p, r, radius, KVScale::pt(1),
                            vertical(r, {white(1, 0.35), QColor::fromRgbF(0, 0, 0, 0.5f)}));
}
