#pragma once

#include <QColor>
#include <QConicalGradient>
#include <QLinearGradient>
#include <QList>
#include <QPainterPath>
#include <QRectF>

class QPainter;
class QBrush;

// Outlines, colours and gradients shared by the drawn widgets. Lengths are in
// device-independent pixels (already scaled).
namespace KVShape {

// How far along each edge a rounded rectangle's corner reaches, in radii (the
// continuous corner's; a circular one reaches one radius).
inline constexpr double kCornerReach = 1.52866483;

// A rounded rectangle; the radius is limited to half the shorter side. With
// `continuous` the corners blend into the edges with a smooth curvature where
// the sides leave room for it, else they are circular arcs.
QPainterPath roundedRect(const QRectF &rect, double radius, bool continuous = true);
// A capsule: round ends of half the shorter side.
QPainterPath capsule(const QRectF &rect);
// A circle inscribed in the rectangle's centred square.
QPainterPath circle(const QPointF &center, double radius);

// Strokes a rounded rectangle's border wholly inside it: the outline is moved
// in by half the line width and its radius reduced by as much (not below 0).
void strokeRoundedRectInside(QPainter &p, const QRectF &rect, double radius, double width,
                             const QBrush &brush, bool continuous = true);
void strokeCapsuleInside(QPainter &p, const QRectF &rect, double width, const QBrush &brush);
void strokeCircleInside(QPainter &p, const QPointF &center, double radius, double width, const QBrush &brush);

// A grey of the given white level and opacity.
QColor white(double level, double opacity = 1.0);
// The colour with its opacity multiplied by `opacity`.
QColor faded(const QColor &color, double opacity);

// A linear gradient from the top to the bottom of `rect`, colours at equally spaced stops.
QLinearGradient vertical(const QRectF &rect, const QList<QColor> &colors);
// One colour as a gradient over `rect`: the pixels of the flat colour, which
// the raster engine draws in large antialiased shapes at a fraction of the
// flat colour's cost (that one goes to worker threads).
QLinearGradient flat(const QRectF &rect, const QColor &color);
// An angular gradient around `center` that runs clockwise on screen from 0°
// (pointing right), colours at equally spaced stops.
QConicalGradient angular(const QPointF &center, const QList<QColor> &colors);

} // namespace KVShape
