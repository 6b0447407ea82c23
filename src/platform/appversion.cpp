#include "appversion.h"

#ifndef FV_VERSION
#error "FV_VERSION must be defined by the build"
#endif

namespace AppVersion {

QString shortVersion()
{
    return QStringLiteral(FV_VERSION);
}

} // namespace AppVersion
