#include "epaconfig.h"

#include "platform/text.h"

#include <QRandomGenerator>

QString EPAConfig::engineText() const
{
    if (displacement == 0.0 && !evMotor.isEmpty())
        return QStringLiteral("Electric (") + evMotor + u')';
    // EPA's list does not always name the motor.
    if (displacement == 0.0 && fuel == QLatin1String("Electricity"))
        return QStringLiteral("Electric");
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
    // The engine texts are built only when the plain fields already agree.
    return a.variant == b.variant && a.transmission == b.transmission && a.drive == b.drive
        && a.engineText() == b.engineText();
}

QUuid EPAConfig::freshID()
{
    thread_local QRandomGenerator64 generator(QRandomGenerator::system()->generate64());
    const quint64 high = generator.generate64();
    const quint64 low = generator.generate64();
    // Version 4 in the high nibble of the third group, variant 10 in the
    // top bits of the fourth.
    return QUuid(uint(high >> 32), ushort(high >> 16), ushort((high & 0x0FFF) | 0x4000),
                 uchar(((low >> 56) & 0x3F) | 0x80), uchar(low >> 48), uchar(low >> 40), uchar(low >> 32),
                 uchar(low >> 24), uchar(low >> 16), uchar(low >> 8), uchar(low));
}
