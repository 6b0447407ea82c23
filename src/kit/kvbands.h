#pragma once

#include <QRect>
#include <functional>

class QPainter;

// Painting a tall area band by band. The raster engine hands any fill of more
// than about a hundred rows to worker threads; for the narrow or modest
// shapes of widgets (scroll bars, panels) waking them costs far more than
// the fill. Each band is clipped, so the pixels are those of one pass.
namespace KVBands {

// Rows per band, in device pixels: below the engine's threshold.
constexpr int kRows = 64;

// Calls `draw` once per band of `area` (painter coordinates) with the
// painter clipped to that band; once, unclipped, where the painter is not a
// plain translation onto whole device pixels or the area is short. Shapes
// with many short spans per row (small circles) need fewer `rows`.
void paint(QPainter &painter, const QRect &area, const std::function<void()> &draw, int rows = kRows);

// For drawing that may set clips of its own (a style's): each band is drawn
// by `draw` into a picture of its own, with a painter like `painter`, and
// copied in place. Meant for drawing that covers its area with opaque paint
// first (a scroll bar's groove), which makes the copies the same pixels; any
// band left translucent is thrown away and the whole drawn directly.
void render(QPainter &painter, const QRect &area, const std::function<void(QPainter &)> &draw);

} // namespace KVBands
