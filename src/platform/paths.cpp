#include "paths.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace Paths {

QString resourceDir()
{
    if (!QCoreApplication::instance())
        return QStringLiteral(".");
    return besideExecutable(QStringLiteral("../share/fenwhistle-vorel"));
}

QString besideExecutable(const QString &relative)
{
    const QString bin = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                     : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    return QDir::cleanPath(bin + u'/' + relative);
}

QString envPath(const char *name)
{
    return qEnvironmentVariable(name);
}

} // namespace Paths
