#include "vehiclesilhouette.h"

#include "fvpalette.h"
#include "kit/kvdropshadow.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"

#include <QPainter>
#include <QRadialGradient>
#include <cmath>

VehicleSilhouette::VehicleSilhouette(VehicleKind kind, QWidget *parent)
    : QWidget(parent)
    , m_kind(kind)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setAccessibleName(QStringLiteral("Vehicle outline (no photo available)"));
    // The body's glow in the accent, free to spread past the widget's edges.
    m_glow = new KVDropShadow(this, Qt::black, 10, QPointF(), [this] {
        const QRectF d = fit(QSizeF(size()));
        return silhouette(m_kind, d.width(), d.height()).translated(d.topLeft());
    });
    m_glow->setColorSource([] { return KVShape::faded(FVPalette::current().accent, 0.35); });
    KVScaleWatch::follow(this);
}

QPainterPath VehicleSilhouette::silhouette(VehicleKind kind, double w, double h)
{
    QPainterPath p;
    auto pt = [w, h](double x, double y) { return QPointF(x * w, y * h); };
    auto curve = [&](double cx, double cy, double x, double y) { p.quadTo(pt(cx, cy), pt(x, y)); };
    switch (kind) {
    case VehicleKind::Car:
        p.moveTo(pt(0.03, 0.74));
        p.lineTo(pt(0.03, 0.56));
        curve(0.04, 0.48, 0.12, 0.47);
        p.lineTo(pt(0.30, 0.44));
        curve(0.42, 0.22, 0.62, 0.24);
        curve(0.76, 0.28, 0.82, 0.45);
        p.lineTo(pt(0.95, 0.48));
        curve(0.98, 0.55, 0.97, 0.74);
        break;
    case VehicleKind::Suv:
    case VehicleKind::Van:
        p.moveTo(pt(0.04, 0.74));
        p.lineTo(pt(0.04, 0.50));
        curve(0.05, 0.43, 0.12, 0.42);
        p.lineTo(pt(0.24, 0.40));
        p.lineTo(pt(kind == VehicleKind::Van ? 0.30 : 0.34, 0.16));
        p.lineTo(pt(0.92, 0.16));
        curve(0.96, 0.16, 0.96, 0.26);
        p.lineTo(pt(0.96, 0.74));
        break;
    case VehicleKind::Truck:
        p.moveTo(pt(0.04, 0.74));
        p.lineTo(pt(0.04, 0.48));
        curve(0.04, 0.42, 0.10, 0.42);
        p.lineTo(pt(0.30, 0.40));
        p.lineTo(pt(0.38, 0.18));
        p.lineTo(pt(0.56, 0.18));
        p.lineTo(pt(0.58, 0.42));
        p.lineTo(pt(0.96, 0.42));
        p.lineTo(pt(0.96, 0.74));
        break;
    }
    p.closeSubpath();
    return p;
}

QPainterPath VehicleSilhouette::windows(VehicleKind kind, double w, double h)
{
    QPainterPath p;
    auto pt = [w, h](double x, double y) { return QPointF(x * w, y * h); };
    switch (kind) {
    case VehicleKind::Car:
        p.moveTo(pt(0.34, 0.43));
        p.quadTo(pt(0.44, 0.28), pt(0.60, 0.29));
        p.quadTo(pt(0.71, 0.31), pt(0.76, 0.43));
        break;
    case VehicleKind::Suv:
        p.moveTo(pt(0.355, 0.21));
        p.lineTo(pt(0.88, 0.21));
        p.lineTo(pt(0.88, 0.37));
        p.lineTo(pt(0.295, 0.37));
        break;
    case VehicleKind::Van:
        p.moveTo(pt(0.32, 0.21));
        p.lineTo(pt(0.88, 0.21));
        p.lineTo(pt(0.88, 0.37));
        p.lineTo(pt(0.26, 0.37));
        break;
    case VehicleKind::Truck:
        p.moveTo(pt(0.395, 0.22));
        p.lineTo(pt(0.54, 0.22));
        p.lineTo(pt(0.555, 0.38));
        p.lineTo(pt(0.335, 0.38));
        break;
    }
    p.closeSubpath();
    return p;
}

QRectF VehicleSilhouette::fit(const QSizeF &space)
{
    double w = space.width();
    double h = w / kAspect;
    if (h > space.height()) {
        h = space.height();
        w = h * kAspect;
    }
    return QRectF((space.width() - w) / 2.0, (space.height() - h) / 2.0, w, h);
}

QSize VehicleSilhouette::sizeHint() const
{
    return QSize(KVScale::ipt(220), KVScale::ipt(100));
}

int VehicleSilhouette::heightForWidth(int width) const
{
    return int(std::lround(width / kAspect));
}

void VehicleSilhouette::paintEvent(QPaintEvent *)
{
    using namespace KVShape;
    const QColor accent = FVPalette::current().accent;
    const QRectF d = fit(QSizeF(size()));
    if (d.isEmpty())
        return;
    const double w = d.width();
    const double h = d.height();

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(d.topLeft());
    const QRectF frame(0, 0, w, h);

    // Body.
    const QPainterPath body = silhouette(m_kind, w, h);
    p.fillPath(body, vertical(frame, {white(0.78), white(0.42)}));
    p.strokePath(body, QPen(white(1, 0.7), KVScale::pt(1)));

    // Glass.
    const QPainterPath glass = windows(m_kind, w, h);
    QLinearGradient tint(frame.topRight(), frame.bottomLeft());
    tint.setColorAt(0, faded(accent, 0.55));
    tint.setColorAt(1, white(0.08));
    p.fillPath(glass, tint);
    p.strokePath(glass, QPen(white(1, 0.5), KVScale::pt(1)));

    // Side crease.
    p.setPen(QPen(white(1, 0.45), KVScale::pt(1.2)));
    p.drawLine(QPointF(0.06 * w, 0.56 * h), QPointF(0.94 * w, 0.56 * h));

    // Wheels.
    for (double fx : kWheels) {
        const QPointF c(fx * w, 0.74 * h);
        const double tyre = 0.16 * h;
        QRadialGradient rubber(c, tyre);
        rubber.setColorAt(0, white(0.6));
        rubber.setColorAt(std::min(1.0, KVScale::pt(1) / tyre), white(0.6));
        rubber.setColorAt(1, white(0.06));
        p.setPen(Qt::NoPen);
        p.setBrush(rubber);
        p.drawEllipse(c, tyre, tyre);
        strokeCircleInside(p, c, 0.10 * h, KVScale::pt(3),
                           angular(c, {white(1), white(0.4), white(1), white(0.3), white(1)}));
        p.setPen(Qt::NoPen);
        p.setBrush(white(0.75));
        p.drawEllipse(c, 0.04 * h, 0.04 * h);
    }
}
