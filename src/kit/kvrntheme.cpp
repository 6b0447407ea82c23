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

KVRNTheme::RGB KVRNTheme::onAccent() const
{
    const RGB white(1, 1, 1);
    return RGB::contrast(white, accent) >= 4.5 ? white : RGB::fromHex(0x0F1013);
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
