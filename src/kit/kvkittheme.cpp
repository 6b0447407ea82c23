#include "kvkittheme.h"

#include "kvrnkithost.h"

KVKitTheme KVKitTheme::current()
{
    return KVRNKitHost::theme()();
}

QPalette KVKitTheme::widgetPalette(const QColor &tint) const
{
    QPalette p;
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
        p.setColor(g, QPalette::Highlight, tint);
        p.setColor(g, QPalette::HighlightedText, Qt::white);
        p.setColor(g, QPalette::Link, tint);
        p.setColor(g, QPalette::LinkVisited, tint);
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
