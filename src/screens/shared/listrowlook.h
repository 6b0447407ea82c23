#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// How a painted list row looks, the same as a selectable chrome row: the
// selected row on a rounded accent gradient with a light rim and a white
// label; the row under the pointer faintly lit; the keyboard's current row
// of a focused list ringed.
namespace ListRowLook {

// Corner radius of the row's highlight, in points.
inline constexpr double radius = 12;

void paintBackground(QPainter &p, const QRectF &rect, bool selected, bool hovered);
void paintFocusRing(QPainter &p, const QRectF &rect, bool selected);
// White on the selected row, else the theme's text colour.
QColor foreground(bool selected);

} // namespace ListRowLook
