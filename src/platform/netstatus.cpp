#include "netstatus.h"

#include "platform/httpclient.h"
#include "routewatcher.h"

#include <QNetworkInformation>
#include <QTimer>

NetStatus &NetStatus::shared()
{
    static NetStatus *instance = new NetStatus();
    return *instance;
}

void NetStatus::override(bool on)
{
    const bool failed = m_requestFailed;
    m_usable = on;
    m_requestFailed = false;
    m_online = on;
    scheduleRetry(failed);
    emit onlineChanged(m_online);
}

void NetStatus::applyUpdate(bool usable)
{
    const bool failed = m_requestFailed;
    m_usable = usable;
    m_requestFailed = false; // the routes changed: worth trying again
    scheduleRetry(failed);
    recompute(true);
}

void NetStatus::watch(HttpClient &http)
{
    m_http = &http;
    http.setObserver([this](const HttpReply &reply) { noteReply(reply); });
}

void NetStatus::noteReply(const HttpReply &reply)
{
    const bool failed = m_requestFailed;
    if (reply.networkDown) {
        m_requestFailed = true;
        if (reply.url.isValid() && !reply.url.host().isEmpty())
            m_failedURL = reply.url;
    } else if (reply.answered() || reply.serverSpoke) {
        m_requestFailed = false;
    } else {
        return;
    }
    scheduleRetry(failed);
    const bool was = m_online;
    recompute(false);
    if (m_online != was)
        emit onlineChanged(m_online);
}

void NetStatus::setRetryIntervals(std::chrono::milliseconds first, std::chrono::milliseconds longest)
{
    m_firstRetry = m_nextRetry = first;
    m_longestRetry = longest;
}

bool NetStatus::retryPending() const
{
    return m_retry && m_retry->isActive();
}

void NetStatus::scheduleRetry(bool failedBefore)
{
    if (!m_retry) {
        m_retry = new QTimer(this);
        m_retry->setSingleShot(true);
        connect(m_retry, &QTimer::timeout, this, &NetStatus::probe);
    }
    if (!m_requestFailed) {
        m_retry->stop();
        m_nextRetry = m_firstRetry;
        return;
    }
    // A new failure starts the waits from the first; a failed retry (or
    // another failed request meanwhile) waits the next, longer one.
    if (!failedBefore)
        m_nextRetry = m_firstRetry;
    if (m_probing || m_retry->isActive())
        return;
    m_retry->start(m_nextRetry);
    m_nextRetry = std::min(m_nextRetry * 2, m_longestRetry);
}

void NetStatus::retryNow()
{
    if (!m_requestFailed || m_probing)
        return;
    if (m_retry)
        m_retry->stop();
    probe();
}

void NetStatus::probe()
{
    if (!m_http || !m_requestFailed || !m_failedURL.isValid()) {
        // Nothing to ask: the next request the user makes tells.
        return;
    }
    // The server's front page: small, and any answer at all will do.
    QUrl url;
    url.setScheme(m_failedURL.scheme());
    url.setHost(m_failedURL.host());
    url.setPort(m_failedURL.port());
    url.setPath(QStringLiteral("/"));
    m_probing = true;
    m_http->send(HttpClient::Method::Head, url, probeDeadline, this, [this](const HttpReply &) {
        // noteReply has already taken the outcome; a failure waits again.
        m_probing = false;
        scheduleRetry(true);
    });
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
