#include "gaugemath.h"

#include <QtMath>
#include <cmath>

double FVGauge::logoTickAngle(int i)
{
    return 135.0 + 27.0 * i;
}

bool FVGauge::logoTickIsRed(int i)
{
    return i >= 8;
}

double FVGauge::logoNeedleAngle(double value)
{
    return 135.0 + value * 270.0;
}

QPointF FVGauge::polar(const QPointF &c, double r, double degrees)
{
    const double a = qDegreesToRadians(degrees);
    return QPointF(c.x() + r * std::cos(a), c.y() + r * std::sin(a));
}

FVGauge::Band FVGauge::dialBand(int i)
{
    return Band{i / 6.0 + 0.5 + 0.004, (i + 1) / 6.0 + 0.5 - 0.004};
}

double FVGauge::dialNeedleAngle(Seriousness level)
{
    return 210.0 + 60.0 * int(level.level());
}

double FVGauge::dialBandOpacity(int i, Seriousness level)
{
    return i == int(level.level()) ? 1.0 : 0.35;
}
