#include "epaconfig.h"

#include <charconv>

namespace {

// printf's "%.1f" whatever the process locale: correctly rounded, so exact
// halves go to the even digit (2.25 gives 2.2), as printf does.
QString oneDecimal(double value)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 1);
    if (result.ec != std::errc())
        return QString::number(value, 'f', 1);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

} // namespace

QString EPAConfig::engineText() const
{
    if (displacement == 0.0 && !evMotor.isEmpty())
        return QStringLiteral("Electric (") + evMotor + u')';
    QString s = oneDecimal(displacement) + u'L';
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
