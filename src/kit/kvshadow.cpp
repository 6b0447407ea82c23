#include "kvshadow.h"

#include "kvshape.h"

#include <QCache>
#include <QHash>
#include <QPainter>
#include <QVarLengthArray>
#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <vector>

namespace {

// A shadow "radius" is read as twice the Gaussian's standard deviation.
constexpr double kSigmaPerRadius = 0.5;

struct Key
{
    size_t shape;
    QRgb color;
    int radius; // hundredths of a pixel
    int dpr;    // hundredths

    friend bool operator==(const Key &, const Key &) = default;
};

size_t qHash(const Key &k, size_t seed = 0) noexcept
{
    return qHashMulti(seed, k.shape, k.color, k.radius, k.dpr);
}

size_t shapeHash(const QPainterPath &path, const QPointF &shift)
{
    size_t h = ::qHash(int(path.fillRule()));
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        h = qHashMulti(h, int(e.type), qRound64((e.x - shift.x()) * 100), qRound64((e.y - shift.y()) * 100));
    }
    return h;
}

struct Entry
{
    QImage image;
    QPointF origin; // relative to the floor of the path's top-left
};

QCache<Key, Entry> &cache()
{
    static QCache<Key, Entry> c(64 * 1024 * 1024); // cost: bytes
    return c;
}

// Three box sizes whose successive blurs approximate a Gaussian of sigma.
std::array<int, 3> boxes(double sigma)
{
    const double ideal = std::sqrt(12.0 * sigma * sigma / 3.0 + 1.0);
    int wl = int(std::floor(ideal));
    if (wl % 2 == 0)
        --wl;
    const int wu = wl + 2;
    const double mIdeal = (12.0 * sigma * sigma - 3.0 * wl * wl - 12.0 * wl - 9.0) / (-4.0 * wl - 4.0);
    const int m = int(std::lround(mIdeal));
    std::array<int, 3> sizes{};
    for (int i = 0; i < 3; ++i)
        sizes[i] = i < m ? wl : wu;
    return sizes;
}

// One running-sum box pass of radius r over n values spaced by `stride`.
void boxLine(const float *src, float *dst, int n, int stride, int r)
{
    if (r <= 0) {
        for (int i = 0; i < n; ++i)
            dst[i * stride] = src[i * stride];
        return;
    }
    const float scale = 1.0f / float(2 * r + 1);
    float sum = 0;
    for (int i = -r; i <= r; ++i) {
        if (i >= 0 && i < n)
            sum += src[i * stride];
    }
    for (int i = 0; i < n; ++i) {
        dst[i * stride] = sum * scale;
        const int out = i - r;
        const int in = i + r + 1;
        if (out >= 0)
            sum -= src[out * stride];
        if (in < n)
            sum += src[in * stride];
    }
}

// The same pass down every column at once, row by row: the sums of boxLine
// in the same order, with memory read in order.
void boxColumns(const float *src, float *dst, int w, int h, int r)
{
    const size_t width = size_t(w);
    if (r <= 0) {
        std::copy(src, src + width * size_t(h), dst);
        return;
    }
    const float scale = 1.0f / float(2 * r + 1);
    std::vector<float> sums(width, 0.0f);
    float *sum = sums.data();
    for (int i = 0; i <= r && i < h; ++i) {
        const float *line = src + size_t(i) * width;
        for (size_t x = 0; x < width; ++x)
            sum[x] += line[x];
    }
    for (int y = 0; y < h; ++y) {
        float *out = dst + size_t(y) * width;
        const int leaving = y - r;
        const int entering = y + r + 1;
        const float *gone = leaving >= 0 ? src + size_t(leaving) * width : nullptr;
        const float *come = entering < h ? src + size_t(entering) * width : nullptr;
        // One sweep per row: each column's value taken, then its sum moved on.
        if (gone && come) {
            for (size_t x = 0; x < width; ++x) {
                out[x] = sum[x] * scale;
                sum[x] = (sum[x] - gone[x]) + come[x];
            }
        } else if (gone) {
            for (size_t x = 0; x < width; ++x) {
                out[x] = sum[x] * scale;
                sum[x] -= gone[x];
            }
        } else if (come) {
            for (size_t x = 0; x < width; ++x) {
                out[x] = sum[x] * scale;
                sum[x] += come[x];
            }
        } else {
            for (size_t x = 0; x < width; ++x)
                out[x] = sum[x] * scale;
        }
    }
}

// std::lround for the planes' values (finite, well inside int's range),
// without a library call per pixel: v minus its truncation is exact.
inline int roundHalfAway(float v)
{
    const int i = int(v);
    const float f = v - float(i);
    return i + int(f >= 0.5f) - int(f <= -0.5f);
}

// Blurs the alpha channel of `image` (ARGB32 premultiplied) and hands each
// resulting alpha, 0..255, with its pixel to `store`.
template<typename Store>
void blurInto(QImage &image, double sigma, Store store)
{
    const int w = image.width();
    const int h = image.height();
    // Two planes, kept between calls: every value is written before it is
    // read, and fresh memory would cost its zeroing and page faults each time.
    // The first is large enough for the usual shadows, so that it is not
    // dropped and faulted in again as they grow.
    constexpr size_t kFirstCapacity = size_t(2) * 64 * 1024;
    thread_local std::unique_ptr<float[]> planes;
    thread_local size_t capacity = 0;
    const size_t n = size_t(w) * size_t(h);
    if (capacity < 2 * n) {
        planes.reset();
        capacity = std::max(2 * n, kFirstCapacity);
        planes.reset(new float[capacity]);
    }
    float *a = planes.get();
    float *b = a + n;
    for (int y = 0; y < h; ++y) {
        const QRgb *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < w; ++x)
            a[size_t(y) * size_t(w) + size_t(x)] = float(qAlpha(line[x]));
    }
    for (int size : boxes(sigma)) {
        const int r = (size - 1) / 2;
        for (int y = 0; y < h; ++y)
            boxLine(a + size_t(y) * size_t(w), b + size_t(y) * size_t(w), w, 1, r);
        boxColumns(b, a, w, h, r);
    }
    for (int y = 0; y < h; ++y) {
        QRgb *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const float *values = a + size_t(y) * size_t(w);
        for (int x = 0; x < w; ++x)
            store(line[x], std::clamp(roundHalfAway(values[x]), 0, 255));
    }
}

} // namespace

double KVShadow::sigma(double radius)
{
    return std::max(0.0, radius) * kSigmaPerRadius;
}

QMarginsF KVShadow::reach(double radius, const QPointF &offset)
{
    const double r = std::ceil(3.0 * sigma(radius)) + 1.0;
    return QMarginsF(std::max(0.0, r - offset.x()), std::max(0.0, r - offset.y()), std::max(0.0, r + offset.x()),
                     std::max(0.0, r + offset.y()));
}

void KVShadow::blurAlpha(QImage &image, double sigma)
{
    if (sigma <= 0.0 || image.isNull())
        return;
    blurInto(image, sigma, [](QRgb &pixel, int alpha) { pixel = qRgba(0, 0, 0, alpha); });
}

QImage KVShadow::render(const QPainterPath &path, const QColor &color, double radius, double dpr, QPointF *origin)
{
    const QRectF box = path.boundingRect();
    const QPointF base(std::floor(box.left()), std::floor(box.top()));
    const Key key{shapeHash(path, base), color.rgba(), int(std::lround(radius * 100)), int(std::lround(dpr * 100))};
    if (const Entry *hit = cache().object(key)) {
        if (origin)
            *origin = base + hit->origin;
        return hit->image;
    }

    const double s = sigma(radius) * dpr;
    const int pad = int(std::ceil(3.0 * s)) + 1;
    const QSize size(int(std::ceil((box.right() - base.x()) * dpr)) + 2 * pad,
                     int(std::ceil((box.bottom() - base.y()) * dpr)) + 2 * pad);
    QImage mask(size, QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        p.setRenderHint(QPainter::Antialiasing);
        p.translate(pad, pad);
        p.scale(dpr, dpr);
        p.translate(-base);
        p.fillPath(path, Qt::black);
    }
    // Tint: the blurred coverage times the colour (premultiplied), one entry
    // per coverage.
    const QRgb premul = qPremultiply(color.rgba());
    std::array<QRgb, 256> tint{};
    for (int cov = 0; cov < 256; ++cov)
        tint[size_t(cov)] = qRgba(qRed(premul) * cov / 255, qGreen(premul) * cov / 255, qBlue(premul) * cov / 255,
                                  qAlpha(premul) * cov / 255);
    if (s > 0.0) {
        blurInto(mask, s, [&tint](QRgb &pixel, int alpha) { pixel = tint[size_t(alpha)]; });
    } else {
        for (int y = 0; y < mask.height(); ++y) {
            QRgb *line = reinterpret_cast<QRgb *>(mask.scanLine(y));
            for (int x = 0; x < mask.width(); ++x)
                line[x] = tint[size_t(qAlpha(line[x]))];
        }
    }
    mask.setDevicePixelRatio(dpr);

    auto *entry = new Entry{mask, QPointF(-pad / dpr, -pad / dpr)};
    if (origin)
        *origin = base + entry->origin;
    const qsizetype cost = mask.sizeInBytes();
    cache().insert(key, entry, cost);
    return mask;
}

void KVShadow::paint(QPainter &painter, const QPainterPath &path, const QColor &color, double radius,
                     const QPointF &offset)
{
    if (path.isEmpty() || color.alpha() == 0)
        return;
    const double dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    QPointF origin;
    const QImage image = render(path, color, radius, dpr, &origin);
    painter.drawImage(origin + offset, image);
}

namespace {

// Whether `rect` lies on whole device pixels under a plain scale by a whole
// `dpr`, with the picture's top-left `at` (painter coordinates) on one too.
bool onPixels(const QPainter &painter, const QRectF &rect, const QPointF &at, double dpr)
{
    const int scale = int(std::lround(dpr));
    const QTransform t = painter.deviceTransform();
    const QPointF device = t.map(at);
    const auto whole = [](double v) { return std::abs(v - std::round(v)) < 1e-6; };
    return scale >= 1 && std::abs(dpr - scale) < 1e-9 && t.m12() == 0 && t.m21() == 0 && t.m11() == dpr
           && t.m22() == dpr && whole(device.x()) && whole(device.y()) && QRectF(rect.toRect()) == rect;
}

// Part of one axis of a stretched picture, in device pixels: where it goes
// and how long, where it is taken from and how long (1 where stretched).
struct Span
{
    int at, length, from, count;
};

// A picture `n` pixels long drawn `full` long: its start, its middle line
// repeated, its end.
std::array<Span, 3> spans(int n, int full)
{
    const int mid = n / 2;
    const int tail = n - mid - 1;
    return {{{0, mid, 0, mid}, {mid, full - mid - tail, mid, 1}, {full - tail, tail, mid + 1, tail}}};
}

// The pieces of `s` left once the pixels wholly inside [lo, hi) are taken out.
QVarLengthArray<Span, 2> outside(const Span &s, double lo, double hi)
{
    const int a = int(std::ceil(lo));
    const int b = int(std::floor(hi));
    QVarLengthArray<Span, 2> out;
    if (b <= a || b <= s.at || a >= s.at + s.length) {
        out.append(s);
        return out;
    }
    const bool stretched = s.count != s.length;
    const auto keep = [&](int from, int to) {
        if (to > from)
            out.append(Span{from, to - from, stretched ? s.from : s.from + (from - s.at), stretched ? s.count : to - from});
    };
    keep(s.at, std::min(s.at + s.length, a));
    keep(std::max(s.at, b), s.at + s.length);
    return out;
}

// Draws `small` (whose top-left goes to `at`) `full` device pixels large by
// repeating its middle row and column, leaving out every piece of it that
// lies wholly inside one of `covered` (rectangles in the full picture's pixels).
void drawStretched(QPainter &painter, const QImage &small, const QPointF &at, double dpr, const QSize &full,
                   const QList<QRectF> &covered)
{
    using Piece = std::pair<Span, Span>;
    for (const Span &x : spans(small.width(), full.width())) {
        for (const Span &y : spans(small.height(), full.height())) {
            if (x.length <= 0 || y.length <= 0)
                continue;
            QVarLengthArray<Piece, 4> pieces{{x, y}};
            for (const QRectF &c : covered) {
                QVarLengthArray<Piece, 4> left;
                for (const auto &[px, py] : pieces) {
                    if (c.top() <= py.at && c.bottom() >= py.at + py.length) {
                        for (const Span &s : outside(px, c.left(), c.right()))
                            left.append({s, py});
                    } else if (c.left() <= px.at && c.right() >= px.at + px.length) {
                        for (const Span &s : outside(py, c.top(), c.bottom()))
                            left.append({px, s});
                    } else {
                        left.append({px, py});
                    }
                }
                pieces = left;
            }
            for (const auto &[px, py] : pieces) {
                const QRectF target(at.x() + px.at / dpr, at.y() + py.at / dpr, px.length / dpr, py.length / dpr);
                painter.drawImage(target, small, QRectF(px.from, py.from, px.count, py.count));
            }
        }
    }
}

} // namespace

void KVShadow::paintRoundedRect(QPainter &painter, const QRectF &rect, double cornerRadius, const QColor &color,
                                double radius, const QPointF &offset, bool underOpaque)
{
    if (rect.isEmpty() || color.alpha() == 0)
        return;
    const double dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const int pad = int(std::ceil(3.0 * sigma(radius) * dpr)) + 1;
    // A square whose straight middle lies farther from its corners' curves
    // than the blur reaches: its middle row and column are those of any
    // larger rectangle with the same corners.
    const double corner = std::max(0.0, cornerRadius);
    const int side = int(std::ceil(2.0 * KVShape::kCornerReach * corner + 2.0 * (pad + 2) / std::max(dpr, 1.0))) + 1;
    const QPointF at = rect.topLeft() + QPointF(-pad / dpr, -pad / dpr) + offset;
    if (!onPixels(painter, rect, at, dpr) || (rect.width() < side && rect.height() < side)) {
        paint(painter, KVShape::roundedRect(rect, cornerRadius), color, radius, offset);
        return;
    }
    // An axis shorter than the square keeps its own length, unstretched.
    const QSizeF smallSize(std::min<double>(rect.width(), side), std::min<double>(rect.height(), side));
    const QImage small =
        render(KVShape::roundedRect(QRectF(QPointF(0, 0), smallSize), cornerRadius), color, radius, dpr, nullptr);
    const int scale = int(std::lround(dpr));
    const QSize full(int(rect.width()) * scale + 2 * pad, int(rect.height()) * scale + 2 * pad);
    QList<QRectF> covered;
    if (underOpaque) {
        // The pixels of the rectangle's straight middles, one pixel in from
        // its edges (picture pixels): all of them lie under the cover.
        const QRectF r((rect.topLeft() - at) * dpr, rect.size() * dpr);
        const double reach = KVShape::kCornerReach * std::min(corner, std::min(rect.width(), rect.height()) / 2) * dpr;
        covered = {r.adjusted(1, reach + 1, -1, -reach - 1), r.adjusted(reach + 1, 1, -reach - 1, -1)};
    }
    drawStretched(painter, small, at, dpr, full, covered);
}

void KVShadow::paintCapsule(QPainter &painter, const QRectF &rect, const QColor &color, double radius,
                            const QPointF &offset)
{
    if (rect.isEmpty() || color.alpha() == 0)
        return;
    const double dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const int pad = int(std::ceil(3.0 * sigma(radius) * dpr)) + 1;
    // Long enough that its middle column lies farther from the round ends
    // than the blur reaches.
    const int side = int(std::ceil(rect.height() + 2.0 * (pad + 2) / std::max(dpr, 1.0))) + 1;
    const QPointF at = rect.topLeft() + QPointF(-pad / dpr, -pad / dpr) + offset;
    if (!onPixels(painter, rect, at, dpr) || rect.width() <= side) {
        paint(painter, KVShape::capsule(rect), color, radius, offset);
        return;
    }
    const QImage small = render(KVShape::capsule(QRectF(0, 0, side, rect.height())), color, radius, dpr, nullptr);
    const int scale = int(std::lround(dpr));
    drawStretched(painter, small, at, dpr,
                  QSize(int(rect.width()) * scale + 2 * pad, int(rect.height()) * scale + 2 * pad), {});
}
