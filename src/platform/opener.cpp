#include "opener.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSet>

namespace Opener {

namespace {

QSet<QString> &written()
{
    static QSet<QString> set;
    return set;
}

// The absolute, clean form of a path; symbolic links resolved when it exists.
QString normalPath(const QString &path)
{
    const QFileInfo info(path);
    const QString canonical = info.canonicalFilePath();
    return canonical.isEmpty() ? info.absoluteFilePath() : canonical;
}

void desktopOpen(const QUrl &url)
{
    if (!allowed(url) || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return;
    QDesktopServices::openUrl(url);
}

Func &current()
{
    static Func func = desktopOpen;
    return func;
}

} // namespace

void open(const QUrl &url)
{
    if (current())
        current()(url);
}

void setOpen(Func func)
{
    current() = std::move(func);
}

void reset()
{
    current() = desktopOpen;
}

bool allowed(const QUrl &url)
{
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return !url.host().isEmpty();
    if (url.isLocalFile())
        return written().contains(normalPath(url.toLocalFile()));
    return false;
}

void noteWritten(const QString &path)
{
    written().insert(normalPath(path));
}

} // namespace Opener
