#include "kvrnkithost.h"

#include "kvrnhelp.h"
#include "kvrnthemes.h"
#include "platform/maker.h"

#include <QCoreApplication>
#include <optional>

namespace KVRNKitHost {

namespace {

std::optional<QString> &storedName()
{
    static std::optional<QString> name;
    return name;
}

} // namespace

std::function<KVKitTheme()> &theme()
{
    static std::function<KVKitTheme()> hook = [] { return KVRNThemes::current().kitTheme(); };
    return hook;
}

std::function<void(const QString &)> &showHelp()
{
    static std::function<void(const QString &)> hook = [](const QString &topic) { KVRNHelp::show(topic); };
    return hook;
}

QString appName()
{
    auto &name = storedName();
    if (!name) {
        const QString fromApp = QCoreApplication::instance() ? QCoreApplication::applicationName() : QString();
        name = fromApp.isEmpty() ? QStringLiteral("KVRN App") : fromApp;
    }
    return *name;
}

void setAppName(const QString &name)
{
    storedName() = name;
}

QString creditName()
{
    return Maker::name();
}

QString creditAddress()
{
    return Maker::website();
}

QUrl creditURL()
{
    static const QUrl url = [] {
        QUrl u(Maker::website(), QUrl::StrictMode);
        if (!u.isValid() || u.scheme() != QLatin1String("https"))
            qFatal("the maker's address is not a valid https address");
        return u;
    }();
    return url;
}

} // namespace KVRNKitHost
