#include "fvinfo.h"

#include "maker.h"

namespace FVInfo {

QString appName()
{
    return QStringLiteral("KVRN Fenwhistle Vorel");
}

QString creditLine()
{
    return QStringLiteral("by Brackenfold (KVRN)");
}

QUrl website()
{
    return QUrl(Maker::website(), QUrl::StrictMode);
}

QString complaintsLabel()
{
    return QStringLiteral("owner complaints reported to NHTSA, not failure rates");
}

QString dataCredit()
{
    return QStringLiteral("Data from NHTSA and EPA; not endorsed by them.");
}

QString draftLabel()
{
    return QStringLiteral("Draft \u2014 under technician review");
}

QString disclaimer()
{
    return QStringLiteral("General information to help you understand a problem. It is not a repair manual. "
                          "Always follow the vehicle maker's service information, and see a qualified technician "
                          "when in doubt.");
}

QString reportFooter()
{
    return appName() + QStringLiteral(" by ") + Maker::name() + QStringLiteral(" \u2014 ") + Maker::website();
}

} // namespace FVInfo
