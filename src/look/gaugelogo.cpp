#include "gaugelogo.h"

#include "fvpalette.h"
#include "gaugemath.h"
#include "kit/kvbands.h"
#include "kit/kvdropshadow.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"

#include <QPainter>
#include <QRadialGradient>
#include <algorithm>

namespace {
// Rows per band of the disc: few enough short spans for one thread.
constexpr int kDiscRows = 8;
} // namespace

GaugeLogo::GaugeLogo(QWidget *parent)
    : GaugeLogo(44, 0.68, parent)
{
}

GaugeLogo::GaugeLogo(double size, double value, QWidget *parent)
    : QWidget(parent)
    , m_size(size)
    , m_value(value)
{
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    m_shadow = new KVDropShadow(this, QColor::fromRgbF(0, 0, 0, 0.5f), 4, QPointF(0, 2), [this] {
        const QRectF r(rect());
        return KVShape::circle(r.center(), std::min(r.width(), r.height()) / 2);
    });
    KVScaleWatch::follow(this);
}

QSize GaugeLogo::sizeHint() const
{
    const int s = KVScale::ipt(m_size);
    return QSize(s, s);
}

void GaugeLogo::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn in points.
    const double sx = width() / m_size;
    const double sy = height() / m_size;
    // The disc and its ring fill many short spans per row: a few rows at a
    // time they stay off the raster engine's worker threads. The face's lines
    // are drawn whole (a clipped line's pixels can differ).
    KVBands::paint(
        p, rect(),
        [&] {
            p.save();
            p.scale(sx, sy);
            paintDisc(p, m_size);
            p.restore();
        },
        kDiscRows);
    p.scale(sx, sy);
    paintFace(p, m_size, m_value, FVPalette::current().accent);
}

void GaugeLogo::paintMark(QPainter &p, double s, double value, const QColor &accent)
{
    paintDisc(p, s);
    paintFace(p, s, value, accent);
}

void GaugeLogo::paintDisc(QPainter &p, double s)
{
    using namespace KVShape;
    const QPointF center(s / 2, s / 2);

    // Disc.
    QRadialGradient disc(center, s / 2);
    disc.setColorAt(0, white(0.22));
    disc.setColorAt(std::min(1.0, 1.0 / (s / 2)), white(0.22));
    disc.setColorAt(1, white(0.05));
    p.setPen(Qt::NoPen);
    p.setBrush(disc);
    p.drawEllipse(center, s / 2, s / 2);

    // Bezel ring.
    strokeCircleInside(p, center, s / 2, 0.07 * s,
                       angular(center, {white(1), white(0.45), white(1), white(0.30), white(1)}));
}

void GaugeLogo::paintFace(QPainter &p, double s, double value, const QColor &accent)
{
    using namespace KVShape;
    const QPointF center(s / 2, s / 2);

    // Face, in the square padded by 0.08·size.
    const double w = 0.84 * s;
    const double R = 0.78 * w / 2;
    const double tick = std::max(0.03 * w, 1.0);
    const double needle = std::max(0.05 * w, 1.5);
    for (int i = 0; i < FVGauge::kLogoTicks; ++i) {
        const double a = FVGauge::logoTickAngle(i);
        QPen pen(FVGauge::logoTickIsRed(i) ? FVPalette::red() : white(1, 0.85), tick);
        pen.setCapStyle(Qt::FlatCap);
        p.setPen(pen);
        p.drawLine(FVGauge::polar(center, 0.78 * R, a), FVGauge::polar(center, R, a));
    }
    QPen needlePen(accent, needle);
    needlePen.setCapStyle(Qt::RoundCap);
    p.setPen(needlePen);
    p.drawLine(center, FVGauge::polar(center, 0.85 * R, FVGauge::logoNeedleAngle(value)));

    p.setPen(Qt::NoPen);
    p.setBrush(white(0.75));
    p.drawEllipse(center, 0.07 * w, 0.07 * w);
}
