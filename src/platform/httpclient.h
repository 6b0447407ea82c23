#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QUrl>
#include <chrono>
#include <functional>

// One HTTP answer. `status` is 0 when no HTTP answer came at all (time-out,
// no route, refused); then `error` says why and `timedOut` tells a time-out.
struct HttpReply
{
    int status = 0;
    QByteArray body;
    QString error;
    bool timedOut = false;
    // No answer for a network reason: host not found, refused, no route, time-out.
    bool networkDown = false;

    bool answered() const { return status > 0; }
    bool ok() const { return status >= 200 && status < 300; }
};

// The program's one way to send a web request; screens take it as a
// parameter so tests can answer with a fake. `done` runs exactly once, on the
// event loop and never inside send(), and not at all once `context` is gone.
class HttpClient
{
public:
    enum class Method { Get, Head };
    using Done = std::function<void(const HttpReply &)>;

    virtual ~HttpClient() = default;
    virtual void send(Method method, const QUrl &url, std::chrono::milliseconds timeout,
                      QObject *context, Done done) = 0;

    // The process-wide client over the network (created on first use).
    static HttpClient &network();

    // Told of every finished request, before its `done` (also when its
    // context is gone); one observer per client, an empty one removes it.
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
