#include "platform/httpclient.h"
#include "platform/netstatus.h"
#include "platform/routetable.h"
#include "platform/routewatcher.h"
#include "support/fakehttp.h"

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <arpa/inet.h>
#include <cstring>
#include <linux/if.h>
#include <linux/if_addr.h>
#include <linux/netlink.h>
#include <linux/rtnetlink.h>

namespace {

// Builders of raw route messages as the kernel sends them.
class Msg
{
public:
    Msg(quint16 type, const void *header, size_t size)
    {
        nlmsghdr h{};
        h.nlmsg_type = type;
        m_bytes.append(reinterpret_cast<const char *>(&h), sizeof h);
        append(header, size);
    }
    Msg &attr(quint16 type, const void *data, size_t size)
    {
        rtattr a{};
        a.rta_type = type;
        a.rta_len = quint16(RTA_LENGTH(size));
        append(&a, sizeof a);
        append(data, size);
        return *this;
    }
    Msg &u32(quint16 type, quint32 v) { return attr(type, &v, sizeof v); }
    QByteArray bytes() const
    {
        QByteArray out = m_bytes;
        const quint32 len = quint32(out.size());
        std::memcpy(out.data(), &len, sizeof len); // nlmsg_len
        out.append(QByteArray(int(NLMSG_ALIGN(len) - len), '\0'));
        return out;
    }

private:
    void append(const void *data, size_t size)
    {
        m_bytes.append(reinterpret_cast<const char *>(data), qsizetype(size));
        m_bytes.append(QByteArray(qsizetype(RTA_ALIGN(size) - size), '\0'));
    }
    QByteArray m_bytes;
};

QByteArray link(int index, unsigned flags, quint16 type = RTM_NEWLINK)
{
    ifinfomsg m{};
    m.ifi_index = index;
    m.ifi_flags = flags;
    return Msg(type, &m, sizeof m).bytes();
}

QByteArray addr4(int index, const char *ip, unsigned char scope = RT_SCOPE_UNIVERSE, quint16 type = RTM_NEWADDR)
{
    ifaddrmsg m{};
    m.ifa_family = AF_INET;
    m.ifa_prefixlen = 24;
    m.ifa_scope = scope;
    m.ifa_index = unsigned(index);
    in_addr a{};
    inet_pton(AF_INET, ip, &a);
    return Msg(type, &m, sizeof m).attr(IFA_ADDRESS, &a, sizeof a).attr(IFA_LOCAL, &a, sizeof a).bytes();
}

QByteArray route(int oif, unsigned char dstLen = 0, unsigned char table = RT_TABLE_MAIN,
                 unsigned char rtype = RTN_UNICAST, quint16 type = RTM_NEWROUTE, unsigned char family = AF_INET)
{
    rtmsg m{};
    m.rtm_family = family;
    m.rtm_dst_len = dstLen;
    m.rtm_table = table;
    m.rtm_type = rtype;
    return Msg(type, &m, sizeof m).u32(RTA_TABLE, table).u32(RTA_PRIORITY, 100).u32(RTA_OIF, quint32(oif)).bytes();
}

constexpr unsigned upRunning = IFF_UP | IFF_RUNNING;

} // namespace

class TestNetwork : public QObject
{
    Q_OBJECT

private slots:
    void routeTableRule()
    {
        RouteTable t;
        QVERIFY(!t.online());
        // One dump answer: a link, its address and a default route, in one buffer.
        t.feed(link(2, upRunning) + addr4(2, "192.168.1.20") + route(2));
        QVERIFY(t.online());

        t.feed(route(2, 0, RT_TABLE_MAIN, RTN_UNICAST, RTM_DELROUTE));
        QVERIFY(!t.online());
        t.feed(route(2));
        QVERIFY(t.online());

        t.feed(link(2, IFF_UP)); // up but no carrier
        QVERIFY(!t.online());
        t.feed(link(2, upRunning));
        QVERIFY(t.online());

        t.feed(addr4(2, "192.168.1.20", RT_SCOPE_UNIVERSE, RTM_DELADDR));
        QVERIFY(!t.online());
        t.feed(addr4(2, "192.168.1.20"));
        t.feed(link(2, 0, RTM_DELLINK)); // the interface goes away with its routes
        QVERIFY(!t.online());
        t.feed(link(2, upRunning) + addr4(2, "192.168.1.20"));
        QVERIFY(!t.online());
        QCOMPARE(t.defaultRouteCount(), 0);
    }

    void routeTableIgnoresWhatReachesNothing()
    {
        RouteTable t;
        t.feed(link(3, upRunning) + addr4(3, "10.0.0.5"));
        t.feed(route(3, 24));                                 // not a default route
        t.feed(route(3, 0, RT_TABLE_LOCAL));                  // the local table
        t.feed(route(3, 0, RT_TABLE_MAIN, RTN_UNREACHABLE));  // an unreachable default
        t.feed(route(9));                                     // an interface we know nothing of
        QVERIFY(!t.online());

        RouteTable linkLocal;
        linkLocal.feed(link(4, upRunning) + addr4(4, "169.254.1.1", RT_SCOPE_LINK) + route(4));
        QVERIFY(!linkLocal.online());

        // A second address keeps the interface usable when the first goes.
        RouteTable two;
        two.feed(link(5, upRunning) + addr4(5, "10.0.0.5") + addr4(5, "10.0.1.5") + route(5));
        two.feed(addr4(5, "10.0.0.5", RT_SCOPE_UNIVERSE, RTM_DELADDR));
        QVERIFY(two.online());
    }

    void routeTableReadsIPv6AndMultipath()
    {
        RouteTable v6;
        v6.feed(link(2, upRunning) + addr4(2, "172.16.0.2")
                + route(2, 0, RT_TABLE_MAIN, RTN_UNICAST, RTM_NEWROUTE, AF_INET6));
        QVERIFY(v6.online());

        rtmsg m{};
        m.rtm_family = AF_INET;
        m.rtm_table = RT_TABLE_MAIN;
        m.rtm_type = RTN_UNICAST;
        QByteArray hops;
        for (int oif : {7, 8}) {
            rtnexthop hop{};
            hop.rtnh_len = sizeof hop;
            hop.rtnh_ifindex = oif;
            hops.append(reinterpret_cast<const char *>(&hop), sizeof hop);
        }
        const QByteArray multipath = Msg(RTM_NEWROUTE, &m, sizeof m).attr(RTA_MULTIPATH, hops.constData(), size_t(hops.size())).bytes();
        RouteTable t;
        t.feed(link(7, IFF_UP) + link(8, upRunning) + addr4(8, "10.1.1.1") + multipath);
        QVERIFY(t.online()); // the second hop's interface is usable
    }

    void routeTableSurvivesBrokenInput()
    {
        const QByteArray good = link(2, upRunning) + addr4(2, "192.168.1.20") + route(2);
        RouteTable t;
        t.feed(good.left(good.size() - 3)); // the route is cut short
        QVERIFY(!t.online());
        QCOMPARE(t.linkCount(), 1);

        QByteArray lying = route(2);
        const quint32 huge = 100000;
        std::memcpy(lying.data(), &huge, sizeof huge); // length beyond the buffer
        t.feed(lying);
        QVERIFY(!t.online());

        QByteArray tiny = route(2);
        const quint32 small = 4; // shorter than a header
        std::memcpy(tiny.data(), &small, sizeof small);
        t.feed(tiny);
        t.feed(QByteArray());
        t.feed(QByteArray(3, '\xff'));
        QVERIFY(!t.online());
    }

    void netStatusUpdates()
    {
        NetStatus &net = NetStatus::shared();
        QVERIFY(net.online()); // online until told otherwise
        QSignalSpy spy(&net, &NetStatus::onlineChanged);
        net.applyUpdate(true);
        net.applyUpdate(true);
        QCOMPARE(spy.size(), 2); // also repeated equal values
        net.applyUpdate(false);
        QVERIFY(!net.online());
        net.setForceOffline(true);
        net.applyUpdate(true);
        QVERIFY(!net.online());
        net.setForceOffline(false);
        net.applyUpdate(true);
        QVERIFY(net.online());
        net.override(false);
        QVERIFY(!net.online());
        QCOMPARE(spy.size(), 6);
    }

    void netStatusFollowsRequests()
    {
        NetStatus &net = NetStatus::shared();
        net.override(true);
        FakeHttp http;
        net.watch(http);
        QSignalSpy spy(&net, &NetStatus::onlineChanged);
        const auto ask = [&](const HttpReply &reply) {
            http.answer = [reply](HttpClient::Method, const QUrl &) { return reply; };
            bool done = false;
            http.send(HttpClient::Method::Get, QUrl(QStringLiteral("https://vpic.example/")), std::chrono::seconds(1),
                      nullptr, [&done](const HttpReply &) { done = true; });
            QTRY_VERIFY(done);
        };
        const HttpReply notFound{0, {}, QStringLiteral("Host not found"), false, true};
        const HttpReply timedOut{0, {}, QStringLiteral("timed out"), true, true};
        const HttpReply tlsError{0, {}, QStringLiteral("TLS handshake failed"), false, false};

        ask(notFound);
        QVERIFY(!net.online());
        QVERIFY(net.requestFailed());
        ask(timedOut);
        QCOMPARE(spy.size(), 1); // announced once, on the change
        ask(HttpReply{404, {}, {}, false, false});
        QVERIFY(net.online()); // any answer means the network works
        ask(tlsError);
        QVERIFY(net.online()); // something was reached
        ask(timedOut);
        QVERIFY(!net.online());
        net.applyUpdate(true); // the routes changed: try again
        QVERIFY(net.online());
        net.applyUpdate(false);
        ask(HttpReply{200, {}, {}, false, false});
        QVERIFY(!net.online()); // an answer does not outvote the routes
        QCOMPARE(spy.size(), 5);

        // A reply whose receiver is gone still counts.
        http.answer = [notFound](HttpClient::Method, const QUrl &) { return notFound; };
        net.applyUpdate(true);
        auto *receiver = new QObject;
        http.send(HttpClient::Method::Head, QUrl(QStringLiteral("https://a.example/")), std::chrono::seconds(1),
                  receiver, [](const HttpReply &) { QFAIL("receiver is gone"); });
        delete receiver;
        QTRY_VERIFY(!net.online());
        http.setObserver({});
        net.override(true);
    }

    // A request that reaches nothing takes the app offline; it asks again by
    // itself, and the first answer from a server that came up brings it back.
    void recoversAfterAFailedRequest()
    {
        using namespace std::chrono_literals;
        NetStatus &net = NetStatus::shared();
        net.override(true);
        net.watch(HttpClient::network());
        net.setRetryIntervals(100ms, 300ms);
        QTcpServer server;
        QVERIFY(server.listen(QHostAddress::LocalHost));
        const quint16 port = server.serverPort();
        server.close();
        int asked = 0;
        connect(&server, &QTcpServer::newConnection, &server, [&] {
            while (QTcpSocket *socket = server.nextPendingConnection()) {
                ++asked;
                socket->write("HTTP/1.1 200 OK\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
                socket->disconnectFromHost();
            }
        });

        QSignalSpy spy(&net, &NetStatus::onlineChanged);
        bool done = false;
        HttpClient::network().send(HttpClient::Method::Get, QUrl(QStringLiteral("http://127.0.0.1:%1/x").arg(port)), 5s,
                                   nullptr, [&done](const HttpReply &) { done = true; });
        QTRY_VERIFY(done);
        QVERIFY(!net.online());
        QVERIFY(net.offlineByFailure());
        QVERIFY(net.retryPending());
        QTest::qWait(700); // retries fail while nothing listens
        QVERIFY(!net.online());
        QVERIFY(net.retryPending());

        QVERIFY(server.listen(QHostAddress::LocalHost, port));
        QTRY_VERIFY_WITH_TIMEOUT(net.online(), 5000);
        QCOMPARE(asked, 1);
        QCOMPARE(spy.size(), 2);
        QVERIFY(!net.retryPending());

        // A route change, not a retry, ends a failure while the routes are down.
        net.applyUpdate(false);
        QVERIFY(!net.offlineByFailure());
        HttpClient::network().setObserver({});
        net.setRetryIntervals(15s, 120s);
        net.override(true);
    }

    void kernelTablesCanBeRead()
    {
        if (!RouteWatcher::readOnline().has_value())
            QSKIP("no NETLINK_ROUTE here");
    }

    void watcherFollowsANetworkNamespace()
    {
        // In a network namespace of its own the probe starts offline and
        // follows a default route coming and going, and the interface going
        // down (which drops its routes without a message of their own).
        const QString unshare = QStandardPaths::findExecutable(QStringLiteral("unshare"));
        const QString ip = QStandardPaths::findExecutable(QStringLiteral("ip"));
        if (unshare.isEmpty() || ip.isEmpty() || QProcess::execute(unshare, {QStringLiteral("-n"), QStringLiteral("true")}) != 0)
            QSKIP("needs unshare -n (root) and ip");
        QTemporaryDir dir;
        const QString script = QStringLiteral(
            "\"$0\" 20000 \"$1\" & "
            "while [ ! -e \"$1\" ]; do sleep 0.05; done; "
            "ip link set lo up && ip addr add 10.77.0.2/24 dev lo && ip route add default dev lo; sleep 0.8; "
            "ip link set lo down; sleep 0.8; "
            "ip link set lo up && ip route add default dev lo; sleep 0.8; "
            "ip route del default; sleep 0.8; kill $!");
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("DBUS_SYSTEM_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent"));
        p.setProcessEnvironment(env);
        p.start(unshare, {QStringLiteral("-n"), QStringLiteral("sh"), QStringLiteral("-c"), script,
                          QStringLiteral(FV_BIN_DIR "/app_test_netprobe"), dir.filePath(QStringLiteral("ready"))});
        QVERIFY(p.waitForFinished(20000));
        const QStringList out = QString::fromUtf8(p.readAllStandardOutput()).split(u'\n', Qt::SkipEmptyParts);
        if (!out.isEmpty() && !out.first().startsWith(QStringLiteral("netlink")))
            QSKIP(qPrintable(QStringLiteral("another monitor answered: ") + out.join(u'|')));
        QVERIFY2(out.contains(QStringLiteral("started netlink")), qPrintable(out.join(u'|')));
        // A burst split by a slow machine may repeat a state: keep each change once.
        QStringList states;
        for (const QString &line : out) {
            if (line != QStringLiteral("started netlink") && (states.isEmpty() || states.last() != line))
                states.append(line);
        }
        QCOMPARE(states, QStringList({"netlink offline", "netlink online", "netlink offline", "netlink online",
                                      "netlink offline"}));
    }
};

QTEST_GUILESS_MAIN(TestNetwork)
#include "test_network.moc"
