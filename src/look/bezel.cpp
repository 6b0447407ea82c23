#include "bezel.h"

#include "fvpalette.h"
#include "kit/kvdropshadow.h"
#include "kit/kvscale.h"
#include "kit/kvshape.h"

#include <QPainter>

Bezel::Bezel(QWidget *parent)
    : Bezel(22, 16, parent)
{
}

Bezel::Bezel(double radius, double padding, QWidget *parent)
    : KVPaddedBox(radius, padding, parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_shadow = new KVDropShadow(this, QColor::fromRgbF(0, 0, 0, 0.45f), 10, QPointF(0, 5), [this] {
        return KVShape::roundedRect(QRectF(rect()), KVScale::pt(this->radius()));
    });
    m_shadow->setRoundedRect([this] { return KVScale::pt(this->radius()); });
    // The panel's fill below is opaque wherever the theme's panel colours are.
    m_shadow->setCoveredByOwner([] {
        const FVPalette pal = FVPalette::current();
        return pal.panelTop.alpha() == 255 && pal.panelBottom.alpha() == 255;
    });
}

void Bezel::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    const FVPalette pal = FVPalette::current();
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF r(rect());
    const double radius = KVScale::pt(this->radius());

    const double in = KVScale::pt(3);
    p.fillPath(roundedRect(r, radius), vertical(r, {pal.panelTop, pal.panelBottom}));
    strokeRoundedRectInside(p, r, radius, KVScale::pt(1.6),
                            vertical(r, {white(1, 0.75), white(0.55, 0.5), QColor::fromRgbF(0, 0, 0, 0.7f)}));
    strokeRoundedRectInside(p, r.adjusted(in, in, -in, -in), std::max(0.0, radius - in), KVScale::pt(1),
                            flat(r, QColor::fromRgbF(0, 0, 0, 0.35f)));
}
