#include "kvshape.h"

#include <QBrush>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

constexpr double kReach = KVShape::kCornerReach;

void continuousCorners(QPainterPath &path, const QRectF &r, double rad)
{
    const double l = r.left(), t = r.top(), ri = r.right(), b = r.bottom();
    // Top edge, left to right, then each corner clockwise.
    path.moveTo(l + kReach * rad, t);
    path.lineTo(ri - kReach * rad, t);
    path.cubicTo(ri - 1.08849323 * rad, t, ri - 0.86840689 * rad, t, ri - 0.66993427 * rad, t + 0.06549600 * rad);
    path.lineTo(ri - 0.63149399 * rad, t + 0.07491100 * rad);
    path.cubicTo(ri - 0.37282392 * rad, t + 0.16905899 * rad, ri - 0.16906013 * rad, t + 0.37282401 * rad,
                 ri - 0.07491176 * rad, t + 0.63149399 * rad);
    path.lineTo(ri - 0.06549569 * rad, t + 0.66993493 * rad);
    path.cubicTo(ri, t + 0.86840701 * rad, ri, t + 1.08849299 * rad, ri, t + kReach * rad);

    path.lineTo(ri, b - kReach * rad);
    path.cubicTo(ri, b - 1.08849323 * rad, ri, b - 0.86840689 * rad, ri - 0.06549600 * rad, b - 0.66993427 * rad);
    path.lineTo(ri - 0.07491100 * rad, b - 0.63149399 * rad);
    path.cubicTo(ri - 0.16905899 * rad, b - 0.37282392 * rad, ri - 0.37282401 * rad, b - 0.16906013 * rad,
                 ri - 0.63149399 * rad, b - 0.07491176 * rad);
    path.lineTo(ri - 0.66993493 * rad, b - 0.06549569 * rad);
    path.cubicTo(ri - 0.86840701 * rad, b, ri - 1.08849299 * rad, b, ri - kReach * rad, b);

    path.lineTo(l + kReach * rad, b);
    path.cubicTo(l + 1.08849323 * rad, b, l + 0.86840689 * rad, b, l + 0.66993427 * rad, b - 0.06549600 * rad);
    path.lineTo(l + 0.63149399 * rad, b - 0.07491100 * rad);
    path.cubicTo(l + 0.37282392 * rad, b - 0.16905899 * rad, l + 0.16906013 * rad, b - 0.37282401 * rad,
                 l + 0.07491176 * rad, b - 0.63149399 * rad);
    path.lineTo(l + 0.06549569 * rad, b - 0.66993493 * rad);
    path.cubicTo(l, b - 0.86840701 * rad, l, b - 1.08849299 * rad, l, b - kReach * rad);

    path.lineTo(l, t + kReach * rad);
    path.cubicTo(l, t + 1.08849323 * rad, l, t + 0.86840689 * rad, l + 0.06549600 * rad, t + 0.66993427 * rad);
    path.lineTo(l + 0.07491100 * rad, t + 0.63149399 * rad);
    path.cubicTo(l + 0.16905899 * rad, t + 0.37282392 * rad, l + 0.37282401 * rad, t + 0.16906013 * rad,
                 l + 0.63149399 * rad, t + 0.07491176 * rad);
    path.lineTo(l + 0.66993493 * rad, t + 0.06549569 * rad);
    path.cubicTo(l + 0.86840701 * rad, t, l + 1.08849299 * rad, t, l + kReach * rad, t);
    path.closeSubpath();
}

} // namespace

QPainterPath KVShape::roundedRect(const QRectF &rect, double radius, bool continuous)
{
    QPainterPath path;
    if (rect.isEmpty())
        return path;
    const double half = std::min(rect.width(), rect.height()) / 2.0;
    const double r = std::clamp(radius, 0.0, half);
    if (r <= 0) {
        path.addRect(rect);
    } else if (continuous && kReach * r <= half) {
        continuousCorners(path, rect, r);
    } else {
        path.addRoundedRect(rect, r, r);
    }
    return path;
}

QPainterPath KVShape::capsule(const QRectF &rect)
{
    QPainterPath path;
    if (rect.isEmpty())
        return path;
    const double r = std::min(rect.width(), rect.height()) / 2.0;
    path.addRoundedRect(rect, r, r);
    return path;
}

QPainterPath KVShape::circle(const QPointF &center, double radius)
{
    QPainterPath path;
    if (radius > 0)
        path.addEllipse(center, radius, radius);
    return path;
}

namespace {

// Fills the ring between two outlines, the second inside the first: the
// border a pen along its middle would draw (but for anti-aliasing), without
// the work of Qt's stroker.
void fillRing(QPainter &p, QPainterPath outer, const QPainterPath &inner, const QBrush &brush)
{
    outer.addPath(inner);
    outer.setFillRule(Qt::OddEvenFill);
    p.fillPath(outer, brush);
}

} // namespace

void KVShape::strokeRoundedRectInside(QPainter &p, const QRectF &rect, double radius, double width,
                                      const QBrush &brush, bool continuous)
{
    const double h = width / 2.0;
    if (width <= 0 || rect.adjusted(h, h, -h, -h).isEmpty())
        return;
    // The line's centre runs half the width in, with the radius reduced by as
    // much; its edges are the outline and the outline moved in by the width.
    const double middle = std::max(0.0, radius - h);
    fillRing(p, roundedRect(rect, middle + h, continuous),
             roundedRect(rect.adjusted(width, width, -width, -width), std::max(0.0, middle - h), continuous), brush);
}

void KVShape::strokeCapsuleInside(QPainter &p, const QRectF &rect, double width, const QBrush &brush)
{
    const double h = width / 2.0;
    if (width > 0 && !rect.adjusted(h, h, -h, -h).isEmpty())
        fillRing(p, capsule(rect), capsule(rect.adjusted(width, width, -width, -width)), brush);
}

void KVShape::strokeCircleInside(QPainter &p, const QPointF &center, double radius, double width, const QBrush &brush)
{
    if (width > 0 && radius > width / 2.0)
        fillRing(p, circle(center, radius), circle(center, radius - width), brush);
}

QColor KVShape::white(double level, double opacity)
{
    return QColor::fromRgbF(float(level), float(level), float(level), float(opacity));
}

QColor KVShape::faded(const QColor &color, double opacity)
{
    QColor c = color;
    c.setAlphaF(float(color.alphaF() * opacity));
    return c;
}

QLinearGradient KVShape::vertical(const QRectF &rect, const QList<QColor> &colors)
{
    QLinearGradient g(rect.topLeft(), rect.bottomLeft());
    const qsizetype n = colors.size();
    for (qsizetype i = 0; i < n; ++i)
        g.setColorAt(n == 1 ? 0.0 : double(i) / double(n - 1), colors[i]);
    return g;
}

QLinearGradient KVShape::flat(const QRectF &rect, const QColor &color)
{
    return vertical(rect, {color, color});
}

QConicalGradient KVShape::angular(const QPointF &center, const QList<QColor> &colors)
{
    // Qt's conical gradient runs counter-clockwise on screen; placing each
    // clockwise stop p at 1 - p turns it round.
    QConicalGradient g(center, 0);
    const qsizetype n = colors.size();
    for (qsizetype i = 0; i < n; ++i) {
        const double p = n == 1 ? 0.0 : double(i) / double(n - 1);
        g.setColorAt(1.0 - p, colors[i]);
    }
    return g;
}
