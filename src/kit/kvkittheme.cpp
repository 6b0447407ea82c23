#include "kvkittheme.h"

#include "kvrnkithost.h"
#include "kvrntheme.h"

KVKitTheme KVKitTheme::current()
{
    return KVRNKitHost::theme()();
}

QColor KVKitTheme::readable(const QColor &c) const
{
    using RGB = KVRNTheme::RGB;
    return RGB::readable(RGB::fromColor(c), {RGB::fromColor(panelTop), RGB::fromColor(panelBottom), RGB::fromColor(bg)})
        .color();
}

namespace {

QList<KVRNTheme::RGB> groundsOf(const KVKitTheme &t)
{
    using RGB = KVRNTheme::RGB;
    return {RGB::fromColor(t.panelTop), RGB::fromColor(t.panelBottom), RGB::fromColor(t.bg)};
}

QColor onAccentOf(const KVKitTheme &t)
{
    return t.onAccent.isValid() ? t.onAccent : QColor(Qt::white);
}

} // namespace

QList<QColor> KVKitTheme::accentFill(double top, double bottom) const
{
    using RGB = KVRNTheme::RGB;
    const KVRNTheme::Fill f = KVRNTheme::readableFill(RGB::fromColor(accent), RGB::fromColor(onAccentOf(*this)),
                                                      groundsOf(*this), {top, bottom});
    QColor a = accent;
    QColor b = accent;
    a.setAlphaF(float(f.top));
    b.setAlphaF(float(f.bottom));
    return {a, b};
}

QPalette KVKitTheme::widgetPalette(const QColor &tint) const
{
    using RGB = KVRNTheme::RGB;
    QPalette p;
    const QColor highlight =
        tint != accent ? tint
                       : RGB::fromColor(bg).mixed(RGB::fromColor(accent), accentFill(1, 1).first().alphaF()).color();
    const QColor link = readable(tint);
    const QColor base = bg.darker(130);
    for (QPalette::ColorGroup g : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        p.setColor(g, QPalette::Window, bg);
        p.setColor(g, QPalette::WindowText, text);
        p.setColor(g, QPalette::Base, base);
        p.setColor(g, QPalette::AlternateBase, panelBottom);
        p.setColor(g, QPalette::Text, text);
        p.setColor(g, QPalette::Button, panelBottom);
        p.setColor(g, QPalette::ButtonText, text);
        p.setColor(g, QPalette::BrightText, Qt::white);
        p.setColor(g, QPalette::Highlight, highlight);
        p.setColor(g, QPalette::HighlightedText, onAccentOf(*this));
        p.setColor(g, QPalette::Link, link);
        p.setColor(g, QPalette::LinkVisited, link);
        p.setColor(g, QPalette::PlaceholderText, dim);
        p.setColor(g, QPalette::ToolTipBase, panelTop);
        p.setColor(g, QPalette::ToolTipText, text);
        p.setColor(g, QPalette::Light, panelTop.lighter(130));
        p.setColor(g, QPalette::Midlight, panelTop);
        p.setColor(g, QPalette::Mid, panelBottom);
        p.setColor(g, QPalette::Dark, bg.darker(150));
        p.setColor(g, QPalette::Shadow, Qt::black);
    }
    p.setColor(QPalette::Disabled, QPalette::WindowText, dim);
    p.setColor(QPalette::Disabled, QPalette::Text, dim);
    p.setColor(QPalette::Disabled, QPalette::ButtonText, dim);
    return p;
}
