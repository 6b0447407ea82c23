#include "opener.h"

#include "desktoptool.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPointer>
#include <QSet>
#include <QTimer>

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

void desktopOpen(const QUrl &url, const Done &done)
{
    const auto tell = [&done](bool opened) {
        if (done)
            done(opened);
    };
    if (!allowed(url) || !qobject_cast<QGuiApplication *>(QCoreApplication::instance()))
        return tell(false);
    const QString xdgOpen = DesktopTool::find(QStringLiteral("xdg-open"));
    if (!xdgOpen.isEmpty())
        return DesktopTool::run(xdgOpen, {QString::fromUtf8(url.toEncoded())}, launchGraceMs, done);
    tell(QDesktopServices::openUrl(url)); // false when no browser or handler was found
}

Handler &current()
{
    static Handler handler = desktopOpen;
    return handler;
}

bool &replaced()
{
    static bool flag = false;
    return flag;
}

} // namespace

void open(const QUrl &url)
{
    if (current())
        current()(url, {});
}

void open(const QUrl &url, QObject *context, Done done)
{
    QPointer<QObject> guard(context);
    const bool hadContext = context != nullptr;
    // Always later, on the event loop, and only once.
    auto deliver = [guard, hadContext, done](bool opened) {
        QTimer::singleShot(0, [guard, hadContext, done, opened] {
            if ((!hadContext || guard) && done)
                done(opened);
        });
    };
    if (current())
        current()(url, deliver);
    else
        deliver(true);
}

void setOpen(Func func)
{
    replaced() = true;
    current() = [func](const QUrl &url, const Done &done) {
        if (func)
            func(url);
        if (done)
            done(true);
    };
}

void setHandler(Handler handler)
{
    replaced() = true;
    current() = std::move(handler);
}

void reset()
{
    replaced() = false;
    current() = desktopOpen;
}

bool canOpenFolders()
{
    return replaced() || !DesktopTool::find(QStringLiteral("xdg-open")).isEmpty();
}

bool allowed(const QUrl &url)
{
    if (!url.isValid())
        return false;
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("http") || scheme == QLatin1String("https"))
        return !url.host().isEmpty();
    if (!url.isLocalFile())
        return false;
    const QString path = normalPath(url.toLocalFile());
    if (written().contains(path))
        return true;
    // The folder of a written file ("Show in folder").
    if (!QFileInfo(path).isDir())
        return false;
    for (const QString &file : std::as_const(written())) {
        if (QFileInfo(file).absolutePath() == path)
            return true;
    }
    return false;
}

void noteWritten(const QString &path)
{
    written().insert(normalPath(path));
}

} // namespace Opener
