#pragma once

#include <QSizeF>

// Where a zoomed window's content goes: laid out at the viewport divided by
// the zoom, but never below a minimum size, then magnified by the zoom from
// its top-left corner inside a scroll area that scrolls both ways.
namespace KVZoomGeometry {

// The minimum layout size of a host that names none.
inline constexpr double defaultMinWidth = 960;
inline constexpr double defaultMinHeight = 640;

struct Layout
{
    QSizeF layout; // the size the content is laid out at (unzoomed points)
    QSizeF scaled; // layout × zoom: what the scroll area scrolls over
    bool indicators = false; // scaled is more than one point larger than the viewport on an axis
};

// Per axis: viewport / zoom, or the minimum when that is not larger than it.
// A zoom that is not positive counts as 1.
Layout compute(const QSizeF &viewport, double zoom, const QSizeF &minSize);

} // namespace KVZoomGeometry
