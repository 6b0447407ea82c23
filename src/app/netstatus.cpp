#include "netstatus.h"

#include "routewatcher.h"

#include <QNetworkInformation>

NetStatus &NetStatus::shared()
{
    static NetStatus *instance = new NetStatus();
    return *instance;
}

void NetStatus::override(bool on)
{
    m_online = on;
    emit onlineChanged(m_online);
}

void NetStatus::applyUpdate(bool usable)
{
    m_online = usable && !m_forceOffline;
    emit onlineChanged(m_online);
}

static bool usable(QNetworkInformation::Reachability r)
{
    // Unknown counts as online: the online actions then say what failed.
    return r == QNetworkInformation::Reachability::Online || r == QNetworkInformation::Reachability::Unknown;
}

bool NetStatus::startNetworkInformation()
{
    if (!QNetworkInformation::loadDefaultBackend())
        return false;
    QNetworkInformation *info = QNetworkInformation::instance();
    // The glib backend loads without a network service but never reports a
    // change; the kernel's routes are the better source then.
    if (!info || info->backendName().compare(QLatin1String("glib"), Qt::CaseInsensitive) == 0
        || !info->supports(QNetworkInformation::Feature::Reachability))
        return false;
    connect(info, &QNetworkInformation::reachabilityChanged, this,
            [this](QNetworkInformation::Reachability r) { applyUpdate(usable(r)); });
    m_monitorName = QStringLiteral("networkinformation:") + info->backendName();
    applyUpdate(usable(info->reachability()));
    return true;
}

void NetStatus::start()
{
    if (!m_monitorName.isEmpty())
        return; // already watching
    if (startNetworkInformation())
        return;
    m_watcher = new RouteWatcher(this);
    connect(m_watcher, &RouteWatcher::updated, this, &NetStatus::applyUpdate);
    m_monitorName = QStringLiteral("netlink");
    if (!m_watcher->start()) {
        delete m_watcher;
        m_watcher = nullptr;
        m_monitorName = QStringLiteral("none");
    }
}
