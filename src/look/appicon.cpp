#include "appicon.h"

#include "gaugelogo.h"
#include "kit/kvrnthemes.h"

#include <QLinearGradient>
#include <QPainter>

namespace AppIcon {

QList<int> sizes()
{
    return {16, 22, 24, 32, 48, 64, 128, 256, 512};
}

QImage image(int px)
{
    QImage img(px, px, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    const KVRNTheme theme = KVRNThemes::named(KVRNThemes::defaultID());
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // Drawn on a 100-unit square: the plate fills it, the gauge sits inside.
    p.scale(px / 100.0, px / 100.0);
    QLinearGradient plate(0, 2, 0, 98);
    plate.setColorAt(0, theme.panelTop.color());
    plate.setColorAt(1, theme.bg.color());
    p.setPen(Qt::NoPen);
    p.setBrush(plate);
    p.drawEllipse(QRectF(2, 2, 96, 96));
    p.translate(9, 9);
    GaugeLogo::paintMark(p, 82, 0.68, theme.accent.color());
    return img;
}

QIcon icon()
{
    QIcon icon;
    for (int px : sizes())
        icon.addPixmap(QPixmap::fromImage(image(px)));
    return icon;
}

} // namespace AppIcon
