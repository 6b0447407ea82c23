#pragma once

#include <QColor>
#include <QPalette>

// The palette the kit's own views draw with, made from the current theme.
struct KVKitTheme
{
    QColor bg;
    QColor text;
    QColor dim;
    QColor rim;
    QColor accent;
    QColor panelTop;
    QColor panelBottom;
    QColor onAccent; // text on an accent fill
    QColor focus;    // the keyboard-focus ring

    // The palette from the host hook KVRNKitHost::theme() (by default the
    // current theme's), read afresh at every call: what the kit views draw with.
    static KVKitTheme current();

    // A shade of `c` for text: 4.5:1 or more on both ends of a panel and on
    // the window background.
    QColor readable(const QColor &c) const;

    // The two colours of an accent gradient behind onAccent text: the accent
    // at `top` and `bottom` opacity, brought to where that text reads at 4.5:1.
    QList<QColor> accentFill(double top, double bottom) const;

    // A dark widget palette for standard controls inside a themed window:
    // window and text colours from the theme, highlight in `tint`, links in
    // its readable shade (the theme's accent as an opaque fill that the
    // highlighted text reads on).
    QPalette widgetPalette(const QColor &tint) const;
};
