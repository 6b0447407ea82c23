#include "epaconfig.h"

#include "platform/text.h"

QString EPAConfig::engineText() const
{
    if (displacement == 0.0 && !evMotor.isEmpty())
        return QStringLiteral("Electric (") + evMotor + u')';
    QString s = Text::fixed(displacement, 1) + u'L';
    if (cylinders >= 1)
        s += u' ' + QString::number(cylinders) + QStringLiteral("-cyl");
    if (turbo)
        s += QStringLiteral(" turbo");
    if (supercharger)
        s += QStringLiteral(" supercharged");
    if (!engineDesc.isEmpty())
        s += QStringLiteral(" (") + engineDesc + u')';
    return s;
}

bool operator==(const EPAConfig &a, const EPAConfig &b)
{
    return a.variant == b.variant && a.engineText() == b.engineText() && a.transmission == b.transmission
        && a.drive == b.drive;
}
