#pragma once

#include <QColor>
#include <QImage>
#include <QMarginsF>
#include <QPainterPath>
#include <QPointF>

class QPainter;

// Soft shadows and glows: a shape's silhouette blurred with a Gaussian and
// tinted, rendered once per shape, colour and radius and then reused.
namespace KVShadow {

// The Gaussian's standard deviation for a shadow radius (both in pixels).
double sigma(double radius);
// How far a shadow of that radius and offset reaches beyond its shape, per edge.
QMarginsF reach(double radius, const QPointF &offset);

// Paints the shadow of `path` (painter coordinates) in `color`, blurred by
// `radius`, moved by `offset`; radius and offset in device-independent pixels.
void paint(QPainter &painter, const QPainterPath &path, const QColor &color, double radius,
           const QPointF &offset = {});

// The same shadow for KVShape::roundedRect(rect, cornerRadius): where the
// rectangle sits on whole device pixels it is drawn from the picture of a
// small one with the same corners, its straight middle stretched, so a long
// panel costs what a short one does and no picture of its size is kept. With
// `underOpaque` the caller paints the rounded rectangle over it with opaque
// paint: the shadow's pixels wholly inside it are left out.
void paintRoundedRect(QPainter &painter, const QRectF &rect, double cornerRadius, const QColor &color, double radius,
                      const QPointF &offset = {}, bool underOpaque = false);

// The shadow of KVShape::capsule(rect) for a capsule at least as wide as it is
// tall, stretched from a short one's picture in the same way.
void paintCapsule(QPainter &painter, const QRectF &rect, const QColor &color, double radius,
                  const QPointF &offset = {});

// The blurred silhouette alone: an image of device pixels (dpr given) whose
// top-left lies at `origin` in the path's coordinates.
QImage render(const QPainterPath &path, const QColor &color, double radius, double dpr, QPointF *origin);

// Box-blurs the alpha channel of an ARGB32 premultiplied image in place, three
// passes approximating a Gaussian of `sigma` pixels.
void blurAlpha(QImage &image, double sigma);

} // namespace KVShadow
