#pragma once

#include <QObject>

class RouteWatcher;

// Whether the network is usable right now, for the header's online tag, the
// bulletin copies and the online VIN decode. Starts online; after start() it
// follows the system's network information when a backend reports changes,
// else the kernel's routes. Main thread only.
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
    // state unknown) and offline is not forced. Announced on every update,
    // also when the value does not change.
    void applyUpdate(bool usable);

    // Which monitor start() chose: "networkinformation:<backend>", "netlink"
    // or "none"; empty before start().
    QString monitorName() const { return m_monitorName; }

signals:
    void onlineChanged(bool online);

private:
    NetStatus() = default;
    bool startNetworkInformation();

    bool m_online = true;
    bool m_forceOffline = false;
    QString m_monitorName;
    RouteWatcher *m_watcher = nullptr;
};
