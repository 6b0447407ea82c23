#pragma once

#include "data/seriousness.h"

#include <QColor>

// The application's colours: the six colours of the current theme, read
// afresh at every call of current(), plus four fixed signal colours.
struct FVPalette
{
    QColor bg;
    QColor panelTop;
    QColor panelBottom;
    QColor text;
    QColor dim;    // for text: reaches 4.5:1 on the panels and the background
    QColor accent;
    QColor onAccentColor; // text on an accent fill
    QColor focusColor;    // the keyboard-focus ring

    static FVPalette current();

    // A shade of `c` for text: 4.5:1 or more on both ends of a panel and on
    // the background. Fills and bars keep the colours themselves.
    QColor readable(const QColor &c) const;
    // The accent, for text.
    QColor accentText() const { return readable(accent); }
    // Text and symbols on an accent fill: 4.5:1 or more on the accent.
    QColor onAccent() const { return onAccentColor; }

    static QColor green(); // level drive
    static QColor amber(); // level soon
    // amber() for text in the current theme: warnings and sample-data notes.
    // It stays a warm warning colour where the panels call for a light shade.
    static QColor amberText();
    static QColor red();   // level stop; the gauge's red zone
    static QColor draft(); // the draft chip

    // green, amber or red for drive, soon and stop.
    static QColor color(Seriousness level);
};
