#include "reportfile.h"

#include "report/troublereport.h"

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

QString notRegular(const QString &path)
{
    return path + QStringLiteral(" is not a regular file");
}

namespace {

// Why nothing may be written to path; empty when it may.
QString refusal(const QString &path, const QString &guarded)
{
    if (sameFile(path, guarded))
        return garageClash();
    // The atomic replace would put a file where a device or FIFO was.
    struct stat st;
    if (::stat(QFile::encodeName(path).constData(), &st) == 0 && !S_ISREG(st.st_mode))
        return notRegular(path);
    return {};
}

} // namespace

bool write(const TroubleReport &report, const QString &path, const QString &guarded, QString *error)
{
    const QString refused = refusal(path, guarded);
    if (!refused.isEmpty()) {
        if (error)
            *error = refused;
        return false;
    }
    return report.write(path, error);
}

bool write(const QByteArray &pdf, const QString &path, const QString &guarded, QString *error)
{
    const QString refused = refusal(path, guarded);
    if (!refused.isEmpty()) {
        if (error)
            *error = refused;
        return false;
    }
    return TroubleReport::writeFile(pdf, path, error);
}

} // namespace ReportFile
