#include "kvzoom.h"

#include "kvscale.h"
#include "platform/prefs.h"

#include <cmath>

namespace KVZoom {

QString key()
{
    return QStringLiteral("kvrn.zoom");
}

QString originID()
{
    return QStringLiteral("kvrn-zoom-origin");
}

const QList<int> &levels()
{
    static const QList<int> list = {85, 100, 115, 130, 150, 175, 200};
    return list;
}

double clamp(double x)
{
    const double y = x * 100.0;
    // Halves away from zero: trunc(y ± the largest double below 0.5).
    const double half = std::nextafter(0.5, 0.0);
    double r = std::trunc(y + std::copysign(half, y)) / 100.0;
    if (!(r > min))
        r = min;
    if (!(r < max))
        r = max;
    return r;
}

double value()
{
    bool ok = false;
    const double d = Prefs::shared().value(key()).toDouble(&ok);
    if (!ok || d == 0.0 || std::isnan(d))
        return 1.0;
    return clamp(d);
}

void setValue(double v)
{
    Prefs::shared().setValue(key(), clamp(v));
    KVScale::shared().setFactor(value());
}

void zoomIn()
{
    setValue(value() + step);
}

void zoomOut()
{
    setValue(value() - step);
}

void actualSize()
{
    setValue(1.0);
}

void setLevel(int percent)
{
    setValue(percent / 100.0);
}

int currentLevel()
{
    const int percent = int(std::lround(value() * 100));
    return levels().contains(percent) ? percent : -1;
}

QString levelTitle(int percent)
{
    return QString::number(percent) + u'%';
}

void bindScale()
{
    static bool bound = false;
    if (!bound) {
        bound = true;
        QObject::connect(&Prefs::shared(), &Prefs::changed, &KVScale::shared(), [](const QString &changedKey) {
            if (changedKey == key())
                KVScale::shared().setFactor(value());
        });
    }
    KVScale::shared().setFactor(value());
}

} // namespace KVZoom
