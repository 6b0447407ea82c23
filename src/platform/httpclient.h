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
};
