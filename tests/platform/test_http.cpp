#include "platform/httpclient.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>
#include <QTimer>
#include <optional>

using namespace std::chrono_literals;

namespace {

// A web server on 127.0.0.1 that answers by path: redirects, a body that
// trickles one byte at a time and never ends, a large body, an error page.
class LocalServer : public QTcpServer
{
public:
    LocalServer()
    {
        listen(QHostAddress::LocalHost);
        connect(this, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *socket = nextPendingConnection())
                connect(socket, &QTcpSocket::readyRead, socket, [this, socket] { answer(socket); });
        });
    }

    QString base() const { return QStringLiteral("http://127.0.0.1:%1").arg(serverPort()); }

private:
    void answer(QTcpSocket *socket)
    {
        const QByteArray request = socket->readAll();
        const QByteArray path = request.split(' ').value(1);
        const QByteArray here = base().toLatin1();
        if (path == "/ok")
            send(socket, "200 OK", "{\"ok\":1}");
        else if (path == "/to-ok")
            redirect(socket, "/ok");
        else if (path == "/to-other-host")
            redirect(socket, "http://localhost:" + QByteArray::number(serverPort()) + "/ok");
        else if (path == "/to-trickle")
            redirect(socket, here + "/trickle");
        else if (path == "/trickle")
            trickle(socket);
        else if (path == "/loop")
            redirect(socket, "/loop");
        else if (path == "/chunked")
            stream(socket);
        else if (path == "/big")
            send(socket, "200 OK", QByteArray(2 * 1024 * 1024, 'x'));
        else
            send(socket, "404 Not Found", "{\"Results\":[{\"Make\":\"X\"}]}");
    }

    static void send(QTcpSocket *socket, const QByteArray &status, const QByteArray &body)
    {
        socket->write("HTTP/1.1 " + status + "\r\nContent-Type: application/json\r\nContent-Length: "
                      + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    static void redirect(QTcpSocket *socket, const QByteArray &to)
    {
        socket->write("HTTP/1.1 302 Found\r\nLocation: " + to + "\r\nContent-Length: 0\r\n\r\n");
    }

    // A chunked answer that never ends: a 64 KB chunk whenever the last
    // one has left, so the client sets the pace.
    void stream(QTcpSocket *socket)
    {
        socket->write("HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n");
        const QByteArray chunk = "10000\r\n" + QByteArray(0x10000, 'y') + "\r\n";
        connect(socket, &QTcpSocket::bytesWritten, socket, [this, socket, chunk] {
            if (socket->bytesToWrite() == 0 && socket->state() == QAbstractSocket::ConnectedState) {
                streamed += chunk.size();
                socket->write(chunk);
            }
        });
    }

public:
    qint64 streamed = 0;

private:
    static void trickle(QTcpSocket *socket)
    {
        socket->write("HTTP/1.1 200 OK\r\nContent-Length: 100000\r\n\r\n");
        auto *timer = new QTimer(socket);
        connect(timer, &QTimer::timeout, socket, [socket] { socket->write("x"); });
        timer->start(50);
    }
};

} // namespace

// The network client against a local server: every request ends by its
// deadline, follows only the redirects it may, and reads a bounded body.
class TestHttp : public QObject
{
    Q_OBJECT

    LocalServer m_server;

    HttpReply fetch(const QString &path, std::chrono::milliseconds deadline, const HttpOptions &options,
                    const QString &scheme = QStringLiteral("http"))
    {
        std::optional<HttpReply> reply;
        QUrl url(m_server.base() + path);
        url.setScheme(scheme);
        HttpClient::network().send(HttpClient::Method::Get, url, deadline, nullptr,
                                   [&](const HttpReply &r) { reply = r; }, options);
        // Far longer than any deadline here; the request itself must end.
        [&] { QTRY_VERIFY_WITH_TIMEOUT(reply.has_value(), 20000); }();
        return reply.value_or(HttpReply{-1, {}, {}, false});
    }

private slots:
    void initTestCase() { QVERIFY(m_server.isListening()); }

    void deadlineHoldsThroughRedirectsAndTrickles()
    {
        const HttpOptions sameOrigin{HttpOptions::Redirects::SameOrigin, 1024 * 1024};
        for (const char *path : {"/trickle", "/to-trickle"}) {
            const HttpReply r = fetch(QString::fromLatin1(path), 600ms, sameOrigin);
            QVERIFY2(r.timedOut && !r.answered(), path);
            QCOMPARE(r.failure(), QStringLiteral("the request timed out"));
            // The server answered: a slow body does not mean the network is down.
            QVERIFY(r.serverSpoke && !r.networkDown);
        }
    }

    void redirectsFollowOnlyWhereAllowed()
    {
        const HttpOptions none{HttpOptions::Redirects::None, 1024};
        const HttpOptions sameOrigin{HttpOptions::Redirects::SameOrigin, 1024};
        HttpReply r = fetch(QStringLiteral("/to-ok"), 10s, none);
        QCOMPARE(r.status, 302);
        QVERIFY(!r.ok());
        QCOMPARE(r.failure(), QStringLiteral("HTTP 302"));

        r = fetch(QStringLiteral("/to-ok"), 10s, sameOrigin);
        QCOMPARE(r.status, 200);
        QCOMPARE(r.body, QByteArray("{\"ok\":1}"));

        r = fetch(QStringLiteral("/to-other-host"), 10s, sameOrigin);
        QVERIFY(!r.answered());
        QCOMPARE(r.failure(), HttpClient::redirectRefused());

        QVERIFY(!HttpClient::mayFollow(QUrl("https://a.gov/x"), QUrl("http://a.gov/x"), HttpOptions::Redirects::SameOrigin));
        QVERIFY(HttpClient::mayFollow(QUrl("https://a.gov/x"), QUrl("https://A.gov/y"), HttpOptions::Redirects::SameOrigin));
        QVERIFY(!HttpClient::mayFollow(QUrl("https://a.gov/x"), QUrl("https://a.gov/y"), HttpOptions::Redirects::None));
    }

    // Failures by what happened; only one that heard nothing says the
    // network is down.
    void failuresSayWhatHappened()
    {
        const HttpOptions sameOrigin{HttpOptions::Redirects::SameOrigin, 1024};
        HttpReply r = fetch(QStringLiteral("/loop"), 10s, sameOrigin);
        QCOMPARE(r.failure(), HttpClient::tooManyRedirects());
        QVERIFY(r.serverSpoke && !r.networkDown);

        // A secure request to a plain server (or with no TLS at hand).
        r = fetch(QStringLiteral("/ok"), 10s, sameOrigin, QStringLiteral("https"));
        QCOMPARE(r.failure(), HttpClient::noSecureConnection());
        QVERIFY(!r.detail.isEmpty());
        QVERIFY(r.serverSpoke && !r.networkDown);

        QTcpServer closed;
        QVERIFY(closed.listen(QHostAddress::LocalHost));
        const QUrl refused(QStringLiteral("http://127.0.0.1:%1/").arg(closed.serverPort()));
        closed.close();
        std::optional<HttpReply> down;
        HttpClient::network().send(HttpClient::Method::Get, refused, 5s, nullptr, [&](const HttpReply &x) { down = x; });
        QTRY_VERIFY(down.has_value());
        QVERIFY(down->networkDown && !down->serverSpoke);
        QCOMPARE(down->url, refused);
    }

    void bodyCapAndErrorStatuses()
    {
        HttpReply r = fetch(QStringLiteral("/big"), 10s, HttpOptions{});
        QVERIFY(!r.answered() && r.body.isEmpty());
        QCOMPARE(r.failure(), HttpClient::tooLarge());

        // A chunked answer without end stops at the cap, and the client
        // stops reading there: the server could send little more.
        r = fetch(QStringLiteral("/chunked"), 10s, HttpOptions{});
        QVERIFY(!r.answered() && r.body.isEmpty() && !r.networkDown);
        QCOMPARE(r.failure(), HttpClient::tooLarge());
        QVERIFY2(m_server.streamed < 24 * 1024 * 1024, qPrintable(QString::number(m_server.streamed)));

        // An error page is a failure even when its body reads like an answer.
        r = fetch(QStringLiteral("/missing"), 10s, HttpOptions{});
        QCOMPARE(r.status, 404);
        QVERIFY(!r.ok());
        QCOMPARE(r.failure(), QStringLiteral("HTTP 404"));
    }
};

QTEST_GUILESS_MAIN(TestHttp)
#include "test_http.moc"
