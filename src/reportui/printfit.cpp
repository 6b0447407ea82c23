#include "printfit.h"

#include <algorithm>

PrintFit PrintFit::place(const QSizeF &page, const QRectF &paper)
{
    PrintFit fit;
    if (page.isEmpty() || paper.isEmpty())
        return fit;
    const bool pageWide = page.width() > page.height();
    const bool paperWide = paper.width() > paper.height();
    fit.rotate = page.width() != page.height() && pageWide != paperWide;
    const QSizeF shown = fit.rotate ? page.transposed() : page;
    const double scale = std::min(paper.width() / shown.width(), paper.height() / shown.height());
    const QSizeF size = shown * scale;
    fit.target = QRectF(paper.center() - QPointF(size.width() / 2, size.height() / 2), size);
    return fit;
}
