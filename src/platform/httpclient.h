#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>
#include <chrono>
#include <functional>

// One HTTP answer. `status` is 0 when no HTTP answer came at all (time-out,
// no route, refused, an answer cut off); then `error` says why and `timedOut`
// tells a time-out. An answer outside 2xx keeps its status and carries
// "HTTP <status>" in `error`.
struct HttpReply
{
    int status = 0;
    QByteArray body;
    QString error;
    bool timedOut = false;
    // No answer for a network reason: host not found, refused, no route, a
    // time-out before the server said anything.
    bool networkDown = false;
    // The server said something, though not a usable answer: the headers of
    // a body that never ended, a refused secure connection, a redirect loop.
    bool serverSpoke = false;
    // The technical text of a failure put in plain words in `error`.
    QString detail{};
    // The address asked (the first one, before any redirect).
    QUrl url{};

    bool answered() const { return status > 0; }
    bool ok() const { return status >= 200 && status < 300; }
    // Why the request failed, for a message ("the request timed out",
    // "HTTP 404", ...); empty for a 2xx answer.
    QString failure() const;
};

// Which redirects a request follows: none (a 3xx is the answer), or those
// that keep the scheme, host and port; and the longest body it reads.
struct HttpOptions
{
    enum class Redirects { None, SameOrigin };
    Redirects redirects = Redirects::None;
    qint64 maxBody = 1024 * 1024; // bytes; a longer body fails the request
};

// The program's one way to send a web request; screens take it as a
// parameter so tests can answer with a fake. `done` runs exactly once, on the
// event loop and never inside send(), and not at all once `context` is gone.
// `deadline` bounds the whole request, redirects and a slow body included.
class HttpClient
{
public:
    enum class Method { Get, Head };
    using Options = HttpOptions;
    using Redirects = HttpOptions::Redirects;
    using Done = std::function<void(const HttpReply &)>;

    virtual ~HttpClient() = default;
    virtual void send(Method method, const QUrl &url, std::chrono::milliseconds deadline, QObject *context,
                      Done done, const Options &options = {}) = 0;

    // Whether a redirect from `from` to `to` may be followed under `policy`.
    static bool mayFollow(const QUrl &from, const QUrl &to, Redirects policy);
    static QString tooLarge();
    static QString redirectRefused();
    static QString tooManyRedirects();
    static QString noSecureConnection();

    // The process-wide client over the network (created on first use).
    static HttpClient &network();

    // Told of every finished request, before its `done` (also when its
    // context is gone); one observer per client, an empty one removes it.
    // The reply's `url` is the address asked.
    using Observer = std::function<void(const HttpReply &)>;
    void setObserver(Observer observer) { m_observer = std::move(observer); }

protected:
    void notify(const HttpReply &reply) const
    {
        if (m_observer)
            m_observer(reply);
    }

private:
    Observer m_observer;
};
