#pragma once

#include "data/seriousness.h"

#include <QPointF>

// The geometry of the gauge logo and the seriousness dial. Angles are in
// degrees from the positive x axis, clockwise on screen (y grows downwards):
// 0° right, 90° down, 180° left, 270° up. A circle trimmed by fractions starts
// at 0° and runs clockwise: fraction f lies at 360°·f.
namespace FVGauge {

constexpr int kLogoTicks = 11;

// Tick i (0 to 10) of the logo: 135° + 27°·i, a 270° sweep over the top.
double logoTickAngle(int i);
// Ticks 8, 9 and 10 are red.
bool logoTickIsRed(int i);
// The needle at `value` (0 first tick, 1 last tick; not limited).
double logoNeedleAngle(double value);

// The point at distance r from c in direction `degrees`.
QPointF polar(const QPointF &c, double r, double degrees);

struct Band
{
    double from; // fraction of the circle
    double to;
};
// Band i (0 drive, 1 soon, 2 stop) of the dial: a sixth of the circle in the
// upper half, shortened by 0.004 at both ends.
Band dialBand(int i);
// The needle of a level points into the middle of its band: 210°, 270°, 330°.
double dialNeedleAngle(Seriousness level);
// Opacity of band i for a dial showing `level`: 1 for its own band, else 0.35.
double dialBandOpacity(int i, Seriousness level);

} // namespace FVGauge
