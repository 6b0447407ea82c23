#include "reportfolder.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>

namespace ReportFolder {

QString name()
{
    return QStringLiteral("KVRN Fenwhistle Vorel Reports");
}

QStringList bases()
{
    QStringList out{QDir::tempPath()};
    for (const auto location : {QStandardPaths::RuntimeLocation, QStandardPaths::GenericCacheLocation}) {
        const QString base = QStandardPaths::writableLocation(location);
        if (!base.isEmpty() && !out.contains(base))
            out.append(base);
    }
    return out;
}

bool makePrivate(const QString &dir)
{
    const QByteArray path = QFile::encodeName(dir);
    if (::mkdir(path.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    struct stat st;
    if (::lstat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != ::geteuid())
        return false;
    if ((st.st_mode & 077) != 0 && ::chmod(path.constData(), 0700) != 0)
        return false;
    return true;
}

QString locate(const QStringList &bases)
{
    for (const QString &base : bases) {
        if (base.isEmpty() || !QDir().mkpath(base))
            continue;
        const QString dir = QDir(base).filePath(name());
        if (makePrivate(dir))
            return dir;
    }
    return QString();
}

} // namespace ReportFolder
