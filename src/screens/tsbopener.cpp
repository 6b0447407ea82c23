#include "tsbopener.h"

#include "platform/httpclient.h"
#include "platform/opener.h"

#include <QPointer>
#include <QTimer>
#include <memory>

namespace {

// One search: what is left to ask and how the asked ones went.
struct Search
{
    HttpClient *http = nullptr;
    QList<QUrl> left;
    bool asked = false;
    bool answered = false;
    QPointer<QObject> receiver;
    bool hadReceiver = false;
    TSBOpener::Done done;

    void finish(const QUrl &url, TSBOpener::Outcome outcome)
    {
        Opener::open(url);
        if ((!hadReceiver || receiver) && done)
            done(outcome);
    }
};

void step(const std::shared_ptr<Search> &s)
{
    if (s->left.isEmpty()) {
        using O = TSBOpener::Outcome;
        const O outcome = s->asked && !s->answered ? O::Unreachable : O::NotHosted;
        QTimer::singleShot(0, [s, outcome] { s->finish(TSB::fallbackURL(), outcome); });
        return;
    }
    const QUrl url = s->left.takeFirst();
    s->asked = true;
    // A redirect is not the copy: any status but 200 moves on to the next address.
    const HttpClient::Options options{HttpClient::Redirects::None};
    s->http->send(HttpClient::Method::Head, url, TSBOpener::timeout, nullptr, [s, url](const HttpReply &reply) {
        if (reply.status == 200) {
            s->finish(url, TSBOpener::Outcome::Opened);
            return;
        }
        if (reply.answered())
            s->answered = true;
        step(s);
    }, options);
}

} // namespace

void TSBOpener::open(HttpClient &http, const TSB &tsb, QObject *receiver, Done done)
{
    auto s = std::make_shared<Search>();
    s->http = &http;
    s->left = tsb.nhtsaPDFCandidates();
    s->receiver = receiver;
    s->hadReceiver = receiver != nullptr;
    s->done = std::move(done);
    step(s);
}
