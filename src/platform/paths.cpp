#include "paths.h"

#include <QCoreApplication>
#include <QDir>

namespace Paths {

QString resourceDir()
{
    if (!QCoreApplication::instance())
        return QStringLiteral(".");
    return QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/../share/fenwhistle-vorel"));
}

QString envPath(const char *name)
{
    return qEnvironmentVariable(name);
}

} // namespace Paths
