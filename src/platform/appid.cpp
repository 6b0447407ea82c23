#include "appid.h"

#ifndef FV_APP_ID
#error "FV_APP_ID must be defined by the build"
#endif

namespace AppID {

QString id()
{
    return QStringLiteral(FV_APP_ID);
}

} // namespace AppID
