#include "routetable.h"

#include <cstring>
#include <linux/if.h>
#include <linux/if_addr.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>

namespace {

template <typename T>
bool readStruct(const char *data, int length, T *out)
{
    if (length < int(sizeof(T)))
        return false;
    std::memcpy(out, data, sizeof(T));
    return true;
}

// Calls fn(type, data, length) for each attribute in [data, data + length).
template <typename Fn>
void forEachAttribute(const char *data, int length, Fn fn)
{
    while (length >= int(sizeof(rtattr))) {
        rtattr attr;
        std::memcpy(&attr, data, sizeof attr);
        if (attr.rta_len < sizeof(rtattr) || int(attr.rta_len) > length)
            return;
        fn(int(attr.rta_type), data + RTA_LENGTH(0), int(attr.rta_len) - int(RTA_LENGTH(0)));
        const int step = int(RTA_ALIGN(attr.rta_len));
        data += step;
        length -= step;
    }
}

quint32 readU32(const char *data, int length)
{
    quint32 v = 0;
    if (length >= 4)
        std::memcpy(&v, data, 4);
    return v;
}

} // namespace

void RouteTable::clear()
{
    m_linkUp.clear();
    m_addresses.clear();
    m_defaults.clear();
}

void RouteTable::feed(const QByteArray &buffer)
{
    const char *data = buffer.constData();
    int remaining = int(buffer.size());
    while (remaining >= int(sizeof(nlmsghdr))) {
        nlmsghdr header;
        std::memcpy(&header, data, sizeof header);
        if (header.nlmsg_len < sizeof(nlmsghdr) || int(header.nlmsg_len) > remaining)
            return;
        const char *payload = data + NLMSG_HDRLEN;
        const int payloadLength = int(header.nlmsg_len) - int(NLMSG_HDRLEN);
        switch (header.nlmsg_type) {
        case RTM_NEWLINK:
        case RTM_DELLINK:
            applyLink(header.nlmsg_type, payload, payloadLength);
            break;
        case RTM_NEWADDR:
        case RTM_DELADDR:
            applyAddress(header.nlmsg_type, payload, payloadLength);
            break;
        case RTM_NEWROUTE:
        case RTM_DELROUTE:
            applyRoute(header.nlmsg_type, payload, payloadLength);
            break;
        default:
            break;
        }
        const int step = int(NLMSG_ALIGN(header.nlmsg_len));
        data += step;
        remaining -= step;
    }
}

void RouteTable::applyLink(int type, const char *payload, int length)
{
    ifinfomsg info;
    if (!readStruct(payload, length, &info) || info.ifi_index <= 0)
        return;
    const int index = info.ifi_index;
    if (type == RTM_DELLINK) {
        m_linkUp.remove(index);
        m_addresses.remove(index);
        m_defaults.removeIf([index](const RouteKey &k) { return k.oif == index; });
        return;
    }
    m_linkUp[index] = (info.ifi_flags & IFF_UP) && (info.ifi_flags & IFF_RUNNING);
}

void RouteTable::applyAddress(int type, const char *payload, int length)
{
    ifaddrmsg info;
    if (!readStruct(payload, length, &info) || info.ifa_index == 0)
        return;
    // Link-local and host addresses reach nothing beyond the link.
    if (info.ifa_scope != RT_SCOPE_UNIVERSE)
        return;
    const int headerLength = int(NLMSG_ALIGN(sizeof(ifaddrmsg)));
    QByteArray local;
    QByteArray address;
    forEachAttribute(payload + headerLength, length - headerLength, [&](int attr, const char *data, int len) {
        if (attr == IFA_LOCAL)
            local = QByteArray(data, len);
        else if (attr == IFA_ADDRESS)
            address = QByteArray(data, len);
    });
    const QByteArray value = local.isEmpty() ? address : local;
    if (value.isEmpty())
        return;
    const QByteArray key = QByteArray::number(info.ifa_family) + '/' + value.toHex() + '/'
        + QByteArray::number(info.ifa_prefixlen);
    const int index = int(info.ifa_index);
    if (type == RTM_NEWADDR) {
        m_addresses[index].insert(key);
    } else {
        auto it = m_addresses.find(index);
        if (it != m_addresses.end()) {
            it->remove(key);
            if (it->isEmpty())
                m_addresses.erase(it);
        }
    }
}

void RouteTable::applyRoute(int type, const char *payload, int length)
{
    rtmsg info;
    if (!readStruct(payload, length, &info))
        return;
    if (info.rtm_family != AF_INET && info.rtm_family != AF_INET6)
        return;
    if (info.rtm_dst_len != 0 || info.rtm_type != RTN_UNICAST)
        return;
    quint32 table = info.rtm_table;
    quint32 metric = 0;
    QList<int> interfaces;
    const int headerLength = int(NLMSG_ALIGN(sizeof(rtmsg)));
    forEachAttribute(payload + headerLength, length - headerLength, [&](int attr, const char *data, int len) {
        if (attr == RTA_TABLE) {
            table = readU32(data, len);
        } else if (attr == RTA_PRIORITY) {
            metric = readU32(data, len);
        } else if (attr == RTA_OIF) {
            interfaces.append(int(readU32(data, len)));
        } else if (attr == RTA_MULTIPATH) {
            // A list of rtnexthop records, each naming its interface.
            int left = len;
            const char *p = data;
            while (left >= int(sizeof(rtnexthop))) {
                rtnexthop hop;
                std::memcpy(&hop, p, sizeof hop);
                if (hop.rtnh_len < sizeof(rtnexthop) || int(hop.rtnh_len) > left)
                    break;
                interfaces.append(hop.rtnh_ifindex);
                const int step = int(RTNH_ALIGN(hop.rtnh_len));
                p += step;
                left -= step;
            }
        }
    });
    if (table == RT_TABLE_LOCAL)
        return;
    for (int oif : interfaces) {
        if (oif <= 0)
            continue;
        const RouteKey key{info.rtm_family, table, metric, oif};
        if (type == RTM_NEWROUTE)
            m_defaults.insert(key);
        else
            m_defaults.remove(key);
    }
}

bool RouteTable::online() const
{
    for (const RouteKey &route : m_defaults) {
        if (m_linkUp.value(route.oif, false) && !m_addresses.value(route.oif).isEmpty())
            return true;
    }
    return false;
}
