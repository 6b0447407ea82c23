#include "kvrntheme.h"

#include "kvkittheme.h"

#include <algorithm>
#include <cmath>

QColor KVRNTheme::RGB::color() const
{
    return QColor::fromRgbF(float(r), float(g), float(b), 1.0f);
}

double KVRNTheme::RGB::luminance() const
{
    auto linear = [](double c) { return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(r) + 0.7152 * linear(g) + 0.0722 * linear(b);
}

double KVRNTheme::RGB::contrast(const RGB &a, const RGB &b)
{
    const double la = a.luminance();
    const double lb = b.luminance();
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

KVRNTheme::RGB KVRNTheme::RGB::fromColor(const QColor &c)
{
    return RGB(c.redF(), c.greenF(), c.blueF());
}

KVRNTheme::RGB KVRNTheme::RGB::mixed(const RGB &end, double t) const
{
    return RGB(r + (end.r - r) * t, g + (end.g - g) * t, b + (end.b - b) * t);
}

KVRNTheme::RGB KVRNTheme::RGB::readable(const RGB &color, const QList<RGB> &grounds, double ratio)
{
    return readable(color, grounds, ratio, RGB(1, 1, 1));
}

KVRNTheme::RGB KVRNTheme::RGB::readable(const RGB &color, const QList<RGB> &grounds, double ratio, const RGB &light)
{
    auto worst = [&grounds](const RGB &c) {
        double w = 21;
        for (const RGB &g : grounds)
            w = std::min(w, contrast(c, g));
        return w;
    };
    if (worst(color) >= ratio)
        return color;
    // Toward whichever end reads better on the grounds, by the least amount that
    // reaches the ratio (a little over it, so 16-bit rounding keeps it).
    const RGB end = worst(light) >= worst(RGB(0, 0, 0)) ? light : RGB(0, 0, 0);
    const double goal = ratio + 0.01;
    double lo = 0;
    double hi = 1;
    for (int i = 0; i < 24; ++i) {
        const double mid = (lo + hi) / 2;
        (worst(color.mixed(end, mid)) >= goal ? hi : lo) = mid;
    }
    return color.mixed(end, hi);
}

namespace {

constexpr KVRNTheme::Fill kButtonFill{0.95, 0.6};
constexpr int kSteps = 100;

// Whether `text` reads on `accent` at opacity `alpha` over every ground and black.
bool readsAt(const KVRNTheme::RGB &accent, const KVRNTheme::RGB &text, const QList<KVRNTheme::RGB> &grounds,
             double alpha)
{
    using RGB = KVRNTheme::RGB;
    const auto reads = [&](const RGB &ground) { return RGB::contrast(text, ground.mixed(accent, alpha)) >= 4.51; };
    return reads(RGB(0, 0, 0)) && std::all_of(grounds.begin(), grounds.end(), reads);
}

// The opacity nearest `alpha` at which `text` reads; -1 where none does.
double nearestReading(const KVRNTheme::RGB &accent, const KVRNTheme::RGB &text, const QList<KVRNTheme::RGB> &grounds,
                      double alpha)
{
    const int at = int(std::lround(std::clamp(alpha, 0.0, 1.0) * kSteps));
    for (int d = 0; d <= kSteps; ++d) {
        for (int step : {at - d, at + d}) {
            if (step >= 0 && step <= kSteps && readsAt(accent, text, grounds, double(step) / kSteps))
                return step == at ? alpha : double(step) / kSteps;
        }
    }
    return -1;
}

double change(const KVRNTheme::Fill &from, const KVRNTheme::Fill &to)
{
    return std::abs(from.top - to.top) + std::abs(from.bottom - to.bottom);
}

} // namespace

KVRNTheme::Fill KVRNTheme::readableFill(const RGB &accent, const RGB &text, const QList<RGB> &grounds, Fill wanted)
{
    const double top = nearestReading(accent, text, grounds, wanted.top);
    const double bottom = nearestReading(accent, text, grounds, wanted.bottom);
    if (top < 0 || bottom < 0)
        return wanted; // no opacity reads: the fill stays as asked
    return {top, bottom};
}

KVRNTheme::RGB KVRNTheme::onAccent() const
{
    // Read at every paint of a selected row: the last theme's answer is kept.
    struct Last
    {
        RGB accent, bg, top, bottom, text;
        bool set = false;
    };
    thread_local Last last;
    if (last.set && last.accent == accent && last.bg == bg && last.top == panelTop && last.bottom == panelBottom)
        return last.text;
    const RGB white(1, 1, 1);
    const RGB dark = RGB::fromHex(0x0F1013);
    const Fill onWhite = readableFill(accent, white, grounds(), kButtonFill);
    const Fill onDark = readableFill(accent, dark, grounds(), kButtonFill);
    const auto reads = [this](const RGB &text, const Fill &f) {
        return readsAt(accent, text, grounds(), f.top) && readsAt(accent, text, grounds(), f.bottom);
    };
    RGB text = white;
    if (!reads(white, onWhite) && reads(dark, onDark))
        text = dark;
    else if (reads(white, onWhite) && reads(dark, onDark) && change(kButtonFill, onDark) < change(kButtonFill, onWhite))
        text = dark;
    last = {accent, bg, panelTop, panelBottom, text, true};
    return text;
}

QList<QColor> KVRNTheme::accentFill(double top, double bottom) const
{
    return kitTheme().accentFill(top, bottom);
}

QString KVRNTheme::familyRawValue(Family family)
{
    switch (family) {
    case Family::Masculine: return QStringLiteral("masculine");
    case Family::Feminine: return QStringLiteral("feminine");
    case Family::Black: return QStringLiteral("black");
    case Family::Gray: return QStringLiteral("gray");
    case Family::Extra: break;
    }
    return QStringLiteral("extra");
}

std::optional<KVRNTheme::Family> KVRNTheme::familyFromRawValue(const QString &raw)
{
    for (Family f : {Family::Masculine, Family::Feminine, Family::Black, Family::Gray, Family::Extra}) {
        if (familyRawValue(f) == raw)
            return f;
    }
    return std::nullopt;
}

KVKitTheme KVRNTheme::kitTheme() const
{
    KVKitTheme k;
    k.bg = bg.color();
    k.text = text.color();
    k.dim = dimText().color();
    k.rim = QColor::fromRgbF(1, 1, 1, 0.25f);
    k.accent = accent.color();
    k.panelTop = panelTop.color();
    k.panelBottom = panelBottom.color();
    k.onAccent = onAccent().color();
    k.focus = focusRing().color();
    return k;
}
