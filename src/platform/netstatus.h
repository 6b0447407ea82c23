#pragma once

#include <QObject>
#include <QUrl>
#include <chrono>

class HttpClient;
class QTimer;
class RouteWatcher;
struct HttpReply;

// Whether the network is usable right now, for the header's online tag, the
// bulletin copies and the online VIN decode. Starts online; after start() it
// follows the system's network information when a backend reports changes,
// else the kernel's routes. A request that fails for a network reason marks
// it offline until a later request gets an answer or the routes change;
// meanwhile it asks again by itself (one small request to the host that
// failed, at growing intervals) and whenever a control that needs the
// network is pressed (retryNow). Main thread only.
class NetStatus final : public QObject
{
    Q_OBJECT

public:
    static NetStatus &shared();

    bool online() const { return m_online; }

    // Starts watching the network (once; later calls do nothing).
    void start();

    // Sets online directly, without the monitor (snapshots, tests).
    void override(bool on);

    // While true, every update reports offline.
    bool forceOffline() const { return m_forceOffline; }
    void setForceOffline(bool force) { m_forceOffline = force; }

    // One update from the monitor: online when the network is usable (or its
    // state unknown) and offline is not forced; it also forgets a failed
    // request. Announced on every update, also when the value does not change.
    void applyUpdate(bool usable);

    // Listens to the outcome of every request `http` sends (start() does
    // this for the network client).
    void watch(HttpClient &http);
    // One request's outcome: an answer clears a failure, a network failure
    // marks the app offline; other failures change nothing. Announced only
    // when the value changes.
    void noteReply(const HttpReply &reply);
    // Whether the last word came from a request that reached nothing.
    bool requestFailed() const { return m_requestFailed; }
    // Offline only because a request failed: the routes are up and offline
    // is not forced, so the online actions stay offered.
    bool offlineByFailure() const { return !m_online && m_requestFailed && m_usable && !m_forceOffline; }

    // The deadline of a retry request.
    static constexpr std::chrono::milliseconds probeDeadline{12000};
    // The waits before the retries: the first, doubled after each failed
    // retry up to the longest.
    void setRetryIntervals(std::chrono::milliseconds first, std::chrono::milliseconds longest);
    // Asks now when offline by a failed request and no retry is under way
    // (a control that needs the network was pressed).
    void retryNow();
    // Whether a retry is waiting for its time.
    bool retryPending() const;

    // Which monitor start() chose: "networkinformation:<backend>", "netlink"
    // or "none"; empty before start().
    QString monitorName() const { return m_monitorName; }

signals:
    void onlineChanged(bool online);

private:
    NetStatus() = default;
    bool startNetworkInformation();

    void recompute(bool announce);
    // Starts, or stops, the retries after a change of the failure state.
    void scheduleRetry(bool failedBefore);
    void probe();

    bool m_online = true;
    bool m_usable = true;
    bool m_requestFailed = false;
    bool m_forceOffline = false;
    QString m_monitorName;
    RouteWatcher *m_watcher = nullptr;
    HttpClient *m_http = nullptr;
    QUrl m_failedURL;
    QTimer *m_retry = nullptr;
    bool m_probing = false;
    std::chrono::milliseconds m_firstRetry{15000};
    std::chrono::milliseconds m_longestRetry{120000};
    std::chrono::milliseconds m_nextRetry{15000};
};
