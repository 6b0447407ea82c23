#pragma once

#include <QByteArray>
#include <QHash>
#include <QSet>

// What the kernel's routing messages say about reaching the wider network:
// online means a default route on an interface that is up and running and
// holds a global address. Fed with raw NETLINK_ROUTE message buffers (dump
// answers or change events); a pure data structure, no sockets.
class RouteTable
{
public:
    // Applies every link, address and route message in one buffer of
    // netlink messages; other and malformed messages are skipped.
    void feed(const QByteArray &buffer);
    void clear();

    bool online() const;

    int linkCount() const { return int(m_linkUp.size()); }
    int defaultRouteCount() const { return int(m_defaults.size()); }

private:
    void applyLink(int type, const char *payload, int length);
    void applyAddress(int type, const char *payload, int length);
    void applyRoute(int type, const char *payload, int length);

    struct RouteKey
    {
        int family = 0;
        quint32 table = 0;
        quint32 metric = 0;
        int oif = 0;
        friend bool operator==(const RouteKey &, const RouteKey &) = default;
        friend size_t qHash(const RouteKey &k, size_t seed = 0) noexcept
        {
            return qHashMulti(seed, k.family, k.table, k.metric, k.oif);
        }
    };

    QHash<int, bool> m_linkUp;                   // interface index -> up and running
    QHash<int, QSet<QByteArray>> m_addresses;    // interface index -> global addresses
    QSet<RouteKey> m_defaults;                   // default routes by outgoing interface
};
