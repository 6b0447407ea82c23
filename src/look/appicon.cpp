#include "appicon.h"

#include "gaugelogo.h"
#include "kit/kvrnthemes.h"

#include <QIconEngine>
#include <QLinearGradient>
#include <QPainter>
#include <memory>

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

namespace {

QIcon drawnIcon()
{
    QIcon icon;
    for (int px : sizes())
        icon.addPixmap(QPixmap::fromImage(image(px)));
    return icon;
}

// Names the sizes at once and draws them only when a picture is first asked
// for, then answers as the icon of every size drawn would.
class LazyEngine : public QIconEngine
{
public:
    void paint(QPainter *painter, const QRect &rect, QIcon::Mode mode, QIcon::State state) override
    {
        drawn().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QPixmap pixmap(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return drawn().pixmap(size, 1.0, mode, state);
    }
    QSize actualSize(const QSize &size, QIcon::Mode mode, QIcon::State state) override
    {
        return drawn().pixmap(size, 1.0, mode, state).size();
    }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        QList<QSize> out;
        for (int px : sizes())
            out << QSize(px, px);
        return out;
    }
    QIconEngine *clone() const override { return new LazyEngine(*this); }

private:
    const QIcon &drawn()
    {
        if (!m_drawn)
            m_drawn = std::make_shared<QIcon>(drawnIcon());
        return *m_drawn;
    }
    std::shared_ptr<QIcon> m_drawn;
};

} // namespace

QIcon icon()
{
    return QIcon(new LazyEngine);
}

} // namespace AppIcon
