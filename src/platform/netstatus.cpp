#include "netstatus.h"

#include "platform/httpclient.h"
#include "routewatcher.h"

#include <QNetworkInformation>

NetStatus &NetStatus::shared()
{
    static NetStatus *instance = new NetStatus();
    return *instance;
}

void NetStatus::override(bool on)
{
    m_usable = on;
    m_requestFailed = false;
    m_online = on;
    emit onlineChanged(m_online);
}

void NetStatus::applyUpdate(bool usable)
{
    m_usable = usable;
    m_requestFailed = false; // the routes changed: worth trying again
    recompute(true);
}

void NetStatus::watch(HttpClient &http)
{
    http.setObserver([this](const HttpReply &reply) { noteReply(reply); });
}

void NetStatus::noteReply(const HttpReply &reply)
{
    if (reply.answered())
        m_requestFailed = false;
    else if (reply.networkDown)
        m_requestFailed = true;
    else
        return;
    const bool was = m_online;
    recompute(false);
    if (m_online != was)
        emit onlineChanged(m_online);
}

void NetStatus::recompute(bool announce)
{
    m_online = m_usable && !m_requestFailed && !m_forceOffline;
    if (announce)
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
    watch(HttpClient::network());
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
