#pragma once

#include <QObject>
#include <QTimer>
#include <optional>

class QSocketNotifier;

// Watches the kernel's routing tables through a NETLINK_ROUTE socket and
// tells, after every burst of link, address or route changes, whether the
// machine is online (see RouteTable). Lives on the main thread.
class RouteWatcher final : public QObject
{
    Q_OBJECT

public:
    explicit RouteWatcher(QObject *parent = nullptr);
    ~RouteWatcher() override;

    // Opens the event socket and reports the first state at once. False when
    // netlink cannot be used; nothing is reported then.
    bool start();

    // A fresh full read of links, addresses and routes; nothing when the
    // kernel could not be asked.
    static std::optional<bool> readOnline();

signals:
    void updated(bool online);

private:
    void drain();
    void recheck();

    int m_fd = -1;
    QSocketNotifier *m_notifier = nullptr;
    QTimer m_settle;
};
