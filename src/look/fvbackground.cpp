#include "fvbackground.h"

#include "fvpalette.h"
#include "kit/kvglow.h"
#include "kit/kvscale.h"
#include "kit/kvscalewatch.h"
#include "kit/kvshape.h"

#include <QCache>
#include <QPaintEngine>
#include <QPainter>
#include <future>
#include <optional>

namespace {

// `zoom` is the interface's scale factor (read on the GUI thread).
void paintDirect(QPainter &p, const QRectF &area, const FVPalette &pal, double zoom)
{
    using namespace KVShape;
    p.save();
    p.fillRect(area, pal.bg);
    p.fillRect(area, vertical(area, {white(1, 0.08), QColor(0, 0, 0, 0), QColor::fromRgbF(0, 0, 0, 0.35f)}));
    // Centred at unit points of the area: upper right, just above; lower left, just below.
    const auto at = [&area](double x, double y) {
        return QPointF(area.left() + x * area.width(), area.top() + y * area.height());
    };
    KVGlow::paint(p, area, at(0.85, -0.1), faded(pal.accent, 0.22), 20 * zoom, 900 * zoom);
    KVGlow::paint(p, area, at(0.0, 1.1), faded(pal.accent, 0.10), 10 * zoom, 700 * zoom);
    p.restore();
}

struct Key
{
    QSize size;
    int dpr; // hundredths
    QRgb bg, accent;
    int scale; // hundredths of the zoom
    QImage::Format format;
    bool antialiased;

    friend bool operator==(const Key &, const Key &) = default;
};

size_t qHash(const Key &k, size_t seed = 0) noexcept
{
    return qHashMulti(seed, k.size.width(), k.size.height(), k.dpr, k.bg, k.accent, k.scale, int(k.format),
                      k.antialiased);
}

// A few windows' worth of backdrops (cost: bytes).
QCache<Key, QImage> &cache()
{
    static QCache<Key, QImage> c(24 * 1024 * 1024);
    return c;
}

// The backdrop for `key` over `area` (whose size in pixels the key holds),
// drawn with `pal` and the zoom `zoom`; safe on any thread.
QImage drawBackdrop(const Key &key, const QRectF &area, const FVPalette &pal, double zoom)
{
    const double dpr = key.dpr / 100.0;
    QImage image((QSizeF(area.size()) * dpr).toSize(), key.format);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    QPainter ip(&image);
    ip.setRenderHint(QPainter::Antialiasing, key.antialiased);
    ip.translate(-area.topLeft());
    paintDirect(ip, area, pal, zoom);
    ip.end();
    return image;
}

struct Prepared
{
    Key key;
    std::future<QImage> image;
};

std::optional<Prepared> &prepared()
{
    static std::optional<Prepared> p;
    return p;
}

} // namespace

void FVBackground::prepare(const QSize &size, double dpr)
{
    // Premultiplied ARGB: an opaque picture in it is also the RGB32 one.
    const QImage::Format format = QImage::Format_ARGB32_Premultiplied;
    const FVPalette pal = FVPalette::current();
    const QSize pixels = (QSizeF(size) * dpr).toSize();
    if (size.isEmpty() || pal.bg.alpha() != 255 || qint64(pixels.width()) * pixels.height() * 4 > cache().maxCost())
        return;
    const double zoom = KVScale::factor();
    const Key key{size, int(std::lround(dpr * 100)), pal.bg.rgba(), pal.accent.rgba(), int(std::lround(zoom * 100)),
                  format, true};
    // One picture at a time: dropping a pending one would wait for it.
    if (prepared()
        && (prepared()->key == key || prepared()->image.wait_for(std::chrono::seconds(0)) != std::future_status::ready))
        return;
    prepared() = Prepared{key, std::async(std::launch::async, [key, pal, zoom] {
                              return drawBackdrop(key, QRectF(QPointF(0, 0), QSizeF(key.size)), pal, zoom);
                          })};
}

void FVBackground::settle()
{
    if (prepared()) {
        prepared()->image.wait();
        prepared().reset();
    }
}

FVBackground::FVBackground(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    // The glows' radii are in points: repaint when the zoom changes.
    KVScaleWatch::follow(this);
}

void FVBackground::paint(QPainter &p, const QRectF &area)
{
    const FVPalette pal = FVPalette::current();
    // The three gradients cost far more than copying their result: an opaque
    // backdrop on whole pixels is drawn once per size and colours, and each
    // repaint copies the part it needs.
    QPaintDevice *target = p.paintEngine() ? p.paintEngine()->paintDevice() : nullptr;
    const QRect whole = area.toRect();
    if (!target || target->devType() != QInternal::Image || pal.bg.alpha() != 255 || QRectF(whole) != area
        || whole.isEmpty() || p.transform().type() > QTransform::TxTranslate || p.opacity() < 1.0
        || p.compositionMode() != QPainter::CompositionMode_SourceOver) {
        paintDirect(p, area, pal, KVScale::factor());
        return;
    }
    const double dpr = target->devicePixelRatioF();
    const Key key{whole.size(), int(std::lround(dpr * 100)), pal.bg.rgba(), pal.accent.rgba(),
                  int(std::lround(KVScale::factor() * 100)), static_cast<QImage *>(target)->format(),
                  p.testRenderHint(QPainter::Antialiasing)};
    QImage *image = cache().object(key);
    std::optional<Prepared> ahead;
    Key premultiplied = key;
    if (key.format == QImage::Format_RGB32)
        premultiplied.format = QImage::Format_ARGB32_Premultiplied;
    if (!image && prepared() && prepared()->key == premultiplied)
        ahead = std::exchange(prepared(), std::nullopt);
    else if (prepared() && prepared()->image.wait_for(std::chrono::seconds(0)) == std::future_status::ready)
        prepared().reset(); // drawn for a size or colours no paint asked for
    if (!image) {
        const QSize pixels = (QSizeF(whole.size()) * dpr).toSize();
        if (qint64(pixels.width()) * pixels.height() * 4 > cache().maxCost()) {
            paintDirect(p, area, pal, KVScale::factor());
            return;
        }
        if (ahead) {
            image = new QImage(ahead->image.get());
            image->reinterpretAsFormat(key.format); // opaque: the same pixels
        } else {
            image = new QImage(drawBackdrop(key, area, pal, KVScale::factor()));
        }
        cache().insert(key, image, int(image->sizeInBytes()));
    }
    // A copy under a clip of several rectangles goes pixel by pixel through
    // the engine's threads; one rectangle at a time it is a plain copy.
    const QRegion dirty = p.paintEngine()->systemClip();
    const QTransform t = p.deviceTransform();
    if (dirty.rectCount() < 2 || dpr != 1.0 || p.hasClipping() || t.type() > QTransform::TxTranslate) {
        p.drawImage(area.topLeft(), *image);
        return;
    }
    const QPoint shift(qRound(t.dx()), qRound(t.dy()));
    for (const QRect &r : dirty) {
        p.save();
        p.setClipRect(r.translated(-shift), Qt::IntersectClip);
        p.drawImage(area.topLeft(), *image);
        p.restore();
    }
}

void FVBackground::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    paint(p, QRectF(rect()));
}
