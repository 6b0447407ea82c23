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
    QColor dim;
    QColor accent;

    static FVPalette current();

    static QColor green(); // level drive
    static QColor amber(); // level soon
    static QColor red();   // level stop; the gauge's red zone
    static QColor draft(); // the draft chip

    // green, amber or red for drive, soon and stop.
    static QColor color(Seriousness level);
};
