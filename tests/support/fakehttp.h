#pragma once

#include "platform/httpclient.h"

#include <QList>
#include <QPointer>
#include <QTimer>

// An HttpClient for tests: records every request and answers from `answer`
// (by default "no answer"), on the event loop like the real one. With
// `hold` set, answers wait until release() is called.
class FakeHttp final : public HttpClient
{
public:
    struct Request
    {
        Method method;
        QUrl url;
        std::chrono::milliseconds timeout;
        Options options;
    };

    std::function<HttpReply(Method, const QUrl &)> answer;
    bool hold = false;
    QList<Request> requests;

    void send(Method method, const QUrl &url, std::chrono::milliseconds timeout, QObject *context, Done done,
              const Options &options = {}) override
    {
        requests.append({method, url, timeout, options});
        HttpReply reply = answer ? answer(method, url) : HttpReply{0, {}, "no route", false, true};
        if (reply.url.isEmpty())
            reply.url = url;
        QPointer<QObject> guard(context);
        const bool hadContext = context != nullptr;
        auto deliver = [this, reply, guard, hadContext, done] {
            notify(reply);
            if ((!hadContext || guard) && done)
                done(reply);
        };
        if (hold)
            m_held.append(deliver);
        else
            QTimer::singleShot(0, deliver);
    }

    // Delivers every held answer, in order, on the event loop.
    void release()
    {
        const auto held = std::exchange(m_held, {});
        for (const auto &deliver : held)
            QTimer::singleShot(0, deliver);
    }

private:
    QList<std::function<void()>> m_held;
};
