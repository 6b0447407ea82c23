#pragma once

#include <QObject>

class HttpClient;
class RouteWatcher;
struct HttpReply;

// Whether the network is usable right now, for the header's online tag, the
// bulletin copies and the online VIN decode. Starts online; after start() it
// follows the system's network information when a backend reports changes,
// else the kernel's routes. A request that fails for a network reason marks
// it offline until a later request gets an answer or the routes change.
// Main thread only.
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

    // Which monitor start() chose: "networkinformation:<backend>", "netlink"
    // or "none"; empty before start().
    QString monitorName() const { return m_monitorName; }

signals:
    void onlineChanged(bool online);

private:
    NetStatus() = default;
    bool startNetworkInformation();

    void recompute(bool announce);

    bool m_online = true;
    bool m_usable = true;
    bool m_requestFailed = false;
    bool m_forceOffline = false;
    QString m_monitorName;
    RouteWatcher *m_watcher = nullptr;
};
