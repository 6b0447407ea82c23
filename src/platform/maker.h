#pragma once

#include <QString>

// The maker's name and web address, shown in the kit's credit line, the
// sidebar and the printable pages.
namespace Maker {

inline QString name()
{
    return QStringLiteral("Brackenfold");
}

inline QString website()
{
    return QStringLiteral("https://www.brackenfold.com");
}

} // namespace Maker
