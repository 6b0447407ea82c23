#include "kvbands.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

bool onWholePixels(const QPainter &painter)
{
    const QTransform t = painter.deviceTransform();
    return t.type() <= QTransform::TxTranslate && t.dx() == std::floor(t.dx()) && t.dy() == std::floor(t.dy());
}

bool opaque(const QImage &image)
{
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(line[x]) != 255)
                return false;
        }
    }
    return true;
}

} // namespace

void KVBands::paint(QPainter &painter, const QRect &area, const std::function<void()> &draw, int rows)
{
    rows = std::clamp(rows, 1, kRows);
    if (!onWholePixels(painter) || area.height() <= rows + rows / 2) {
        draw();
        return;
    }
    for (int y = area.top(); y <= area.bottom(); y += rows) {
        painter.save();
        painter.setClipRect(QRect(area.left(), y, area.width(), std::min(rows, area.bottom() + 1 - y)),
                            Qt::IntersectClip);
        draw();
        painter.restore();
    }
}

void KVBands::render(QPainter &painter, const QRect &area, const std::function<void(QPainter &)> &draw)
{
    if (!onWholePixels(painter) || area.height() <= kRows + kRows / 2 || area.width() <= 0
        || painter.opacity() < 1.0 || painter.compositionMode() != QPainter::CompositionMode_SourceOver) {
        draw(painter);
        return;
    }
    QList<QImage> bands;
    for (int y = area.top(); y <= area.bottom(); y += kRows) {
        QImage band(area.width(), std::min(kRows, area.bottom() + 1 - y), QImage::Format_ARGB32_Premultiplied);
        band.fill(Qt::transparent);
        QPainter p(&band);
        p.setFont(painter.font());
        p.setPen(painter.pen());
        p.setBrush(painter.brush());
        p.setRenderHints(painter.renderHints());
        p.setLayoutDirection(painter.layoutDirection());
        p.translate(-area.left(), -y);
        draw(p);
        p.end();
        if (!opaque(band)) {
            draw(painter);
            return;
        }
        bands.append(band);
    }
    for (qsizetype i = 0; i < bands.size(); ++i)
        painter.drawImage(QPoint(area.left(), area.top() + int(i) * kRows), bands[i]);
}
