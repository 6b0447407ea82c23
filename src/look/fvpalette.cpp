#include "fvpalette.h"

#include "kit/kvrnthemes.h"

FVPalette FVPalette::current()
{
    const KVRNTheme t = KVRNThemes::current();
    return FVPalette{t.bg.color(),         t.panelTop.color(),  t.panelBottom.color(),    t.text.color(),
                     t.dimText().color(),  t.accent.color(),    t.onAccent().color(),     t.focusRing().color()};
}

QColor FVPalette::readable(const QColor &c) const
{
    using RGB = KVRNTheme::RGB;
    return RGB::readable(RGB::fromColor(c), {RGB::fromColor(panelTop), RGB::fromColor(panelBottom), RGB::fromColor(bg)})
        .color();
}

QColor FVPalette::green()
{
    static const QColor c = QColor::fromRgbF(0.12f, 0.55f, 0.30f);
    return c;
}

QColor FVPalette::amber()
{
    static const QColor c = QColor::fromRgbF(0.80f, 0.47f, 0.0f);
    return c;
}

QColor FVPalette::amberText()
{
    using RGB = KVRNTheme::RGB;
    const KVRNTheme t = KVRNThemes::current();
    const RGB shade = RGB::readable(RGB::fromColor(amber()), t.grounds());
    // Mixed far toward white, amber reads as plain white: a warm light keeps
    // it a warning.
    if (shade.color().hsvSaturationF() >= 0.45f)
        return shade.color();
    return RGB::readable(RGB::fromColor(amber()), t.grounds(), 4.5, RGB(1, 0.97, 0.72)).color();
}

QColor FVPalette::red()
{
    static const QColor c = QColor::fromRgbF(0.78f, 0.13f, 0.12f);
    return c;
}

QColor FVPalette::draft()
{
    static const QColor c = QColor::fromRgbF(0.55f, 0.33f, 0.0f);
    return c;
}

QColor FVPalette::color(Seriousness level)
{
    switch (level.level()) {
    case Seriousness::Drive: return green();
    case Seriousness::Soon: return amber();
    case Seriousness::Stop: break;
    }
    return red();
}
