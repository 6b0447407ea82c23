#include "routewatcher.h"

#include "routetable.h"

#include <QSocketNotifier>
#include <cerrno>
#include <cstring>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace {

constexpr int bufferSize = 64 * 1024;

int openSocket(unsigned groups)
{
    const int fd = ::socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_ROUTE);
    if (fd < 0)
        return -1;
    sockaddr_nl address{};
    address.nl_family = AF_NETLINK;
    address.nl_groups = groups;
    if (::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// Sends one dump request and feeds every answer into the table.
bool dump(int fd, quint16 type, quint32 seq, RouteTable &table)
{
    struct
    {
        nlmsghdr header;
        union
        {
            ifinfomsg link;
            ifaddrmsg addr;
            rtmsg route;
        } body;
    } request{};
    request.header.nlmsg_type = type;
    request.header.nlmsg_flags = NLM_F_REQUEST | NLM_F_DUMP;
    request.header.nlmsg_seq = seq;
    switch (type) {
    case RTM_GETLINK:
        request.header.nlmsg_len = NLMSG_LENGTH(sizeof(ifinfomsg));
        request.body.link.ifi_family = AF_UNSPEC;
        break;
    case RTM_GETADDR:
        request.header.nlmsg_len = NLMSG_LENGTH(sizeof(ifaddrmsg));
        request.body.addr.ifa_family = AF_UNSPEC;
        break;
    default:
        request.header.nlmsg_len = NLMSG_LENGTH(sizeof(rtmsg));
        request.body.route.rtm_family = AF_UNSPEC;
        break;
    }
    sockaddr_nl kernel{};
    kernel.nl_family = AF_NETLINK;
    if (::sendto(fd, &request, request.header.nlmsg_len, 0, reinterpret_cast<sockaddr *>(&kernel), sizeof kernel) < 0)
        return false;

    QByteArray buffer(bufferSize, Qt::Uninitialized);
    for (;;) {
        const ssize_t n = ::recv(fd, buffer.data(), size_t(buffer.size()), 0);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return false;
        const QByteArray chunk = buffer.left(n);
        table.feed(chunk);
        // The dump ends with NLMSG_DONE (or an error) carrying our sequence number.
        const char *p = chunk.constData();
        int left = int(n);
        while (left >= int(sizeof(nlmsghdr))) {
            nlmsghdr header;
            std::memcpy(&header, p, sizeof header);
            if (header.nlmsg_len < sizeof(nlmsghdr) || int(header.nlmsg_len) > left)
                break;
            if (header.nlmsg_seq == seq && (header.nlmsg_type == NLMSG_DONE || header.nlmsg_type == NLMSG_ERROR))
                return header.nlmsg_type == NLMSG_DONE;
            const int step = int(NLMSG_ALIGN(header.nlmsg_len));
            p += step;
            left -= step;
        }
    }
}

} // namespace

RouteWatcher::RouteWatcher(QObject *parent)
    : QObject(parent)
{
    // Changes come in bursts (a link, then its addresses, then its routes):
    // read the tables once the burst has settled.
    m_settle.setSingleShot(true);
    m_settle.setInterval(100);
    connect(&m_settle, &QTimer::timeout, this, &RouteWatcher::recheck);
}

RouteWatcher::~RouteWatcher()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

bool RouteWatcher::start()
{
    if (m_fd >= 0)
        return true;
    m_fd = openSocket(RTMGRP_LINK | RTMGRP_IPV4_IFADDR | RTMGRP_IPV6_IFADDR | RTMGRP_IPV4_ROUTE | RTMGRP_IPV6_ROUTE);
    if (m_fd < 0)
        return false;
    const auto first = readOnline();
    if (!first) {
        ::close(m_fd);
        m_fd = -1;
        return false;
    }
    m_notifier = new QSocketNotifier(qintptr(m_fd), QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &RouteWatcher::drain);
    emit updated(*first);
    return true;
}

std::optional<bool> RouteWatcher::readOnline()
{
    const int fd = openSocket(0);
    if (fd < 0)
        return std::nullopt;
    timeval timeout{1, 0};
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &timeout, sizeof timeout);
    RouteTable table;
    const bool ok = dump(fd, RTM_GETLINK, 1, table) && dump(fd, RTM_GETADDR, 2, table)
        && dump(fd, RTM_GETROUTE, 3, table);
    ::close(fd);
    if (!ok)
        return std::nullopt;
    return table.online();
}

void RouteWatcher::drain()
{
    // The events only say that something changed; the tables are read afresh.
    char buffer[8192];
    for (;;) {
        const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, MSG_DONTWAIT);
        if (n > 0)
            continue;
        if (n < 0 && errno == EINTR)
            continue;
        break; // EAGAIN, or an overrun (ENOBUFS): either way, read the tables.
    }
    m_settle.start();
}

void RouteWatcher::recheck()
{
    if (const auto online = readOnline())
        emit updated(*online);
}
