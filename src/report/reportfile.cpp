#include "reportfile.h"

#include "troublereport.h"

#include <QFile>
#include <sys/stat.h>

namespace ReportFile {

bool sameFile(const QString &a, const QString &b)
{
    if (a.isEmpty() || b.isEmpty())
        return false;
    struct stat sa;
    struct stat sb;
    if (::stat(QFile::encodeName(a).constData(), &sa) != 0 || ::stat(QFile::encodeName(b).constData(), &sb) != 0)
        return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

QString garageClash()
{
    return QStringLiteral("output is the garage file");
}

bool write(const TroubleReport &report, const QString &path, const QString &guarded, QString *error)
{
    if (sameFile(path, guarded)) {
        if (error)
            *error = garageClash();
        return false;
    }
    return report.write(path, error);
}

} // namespace ReportFile
