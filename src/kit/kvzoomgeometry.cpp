#include "kvzoomgeometry.h"

namespace KVZoomGeometry {

namespace {

double axis(double viewport, double zoom, double minimum)
{
    const double laidOut = viewport / zoom;
    return laidOut <= minimum ? minimum : laidOut;
}

} // namespace

Layout compute(const QSizeF &viewport, double zoom, const QSizeF &minSize)
{
    const double z = zoom > 0 ? zoom : 1.0;
    Layout out;
    out.layout = QSizeF(axis(viewport.width(), z, minSize.width()), axis(viewport.height(), z, minSize.height()));
    out.scaled = out.layout * z;
    out.indicators = out.scaled.width() > viewport.width() + 1 || out.scaled.height() > viewport.height() + 1;
    return out;
}

} // namespace KVZoomGeometry
