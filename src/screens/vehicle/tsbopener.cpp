#include "tsbopener.h"

#include "kit/kvnote.h"
#include "platform/httpclient.h"
#include "platform/opener.h"
#include "tsblistrules.h"

#include <QApplication>
#include <QClipboard>
#include <QPointer>
#include <QTimer>
#include <QWidget>
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
    TSBOpener::Finished done;
};

void finish(const std::shared_ptr<Search> &s, const QUrl &url, TSBOpener::Outcome outcome)
{
    // Opener reports on the event loop, whatever became of the receiver.
    Opener::open(url, nullptr, [s, url, outcome](bool opened) {
        if ((!s->hadReceiver || s->receiver) && s->done)
            s->done({outcome, url, opened});
    });
}

void step(const std::shared_ptr<Search> &s)
{
    if (s->left.isEmpty()) {
        using O = TSBOpener::Outcome;
        const O outcome = s->asked && !s->answered ? O::Unreachable : O::NotHosted;
        QTimer::singleShot(0, [s, outcome] { finish(s, TSB::fallbackURL(), outcome); });
        return;
    }
    const QUrl url = s->left.takeFirst();
    s->asked = true;
    // A redirect is not the copy: any status but 200 moves on to the next address.
    const HttpClient::Options options{HttpClient::Redirects::None};
    s->http->send(HttpClient::Method::Head, url, TSBOpener::timeout, nullptr, [s, url](const HttpReply &reply) {
        if (reply.status == 200) {
            finish(s, url, TSBOpener::Outcome::Opened);
            return;
        }
        if (reply.answered())
            s->answered = true;
        step(s);
    }, options);
}

} // namespace

void TSBOpener::find(HttpClient &http, const TSB &tsb, QObject *receiver, Finished done)
{
    auto s = std::make_shared<Search>();
    s->http = &http;
    s->left = tsb.nhtsaPDFCandidates();
    s->receiver = receiver;
    s->hadReceiver = receiver != nullptr;
    s->done = std::move(done);
    step(s);
}

void TSBOpener::open(HttpClient &http, const TSB &tsb, QObject *receiver, Done done)
{
    auto *area = qobject_cast<QWidget *>(receiver);
    QWidget *focus = QApplication::focusWidget();
    QPointer<QWidget> anchor(area && focus && area->isAncestorOf(focus) ? focus : area);
    find(http, tsb, receiver, [tsb, anchor, done](const Result &r) {
        if (!r.opened && anchor) {
            const TSBListRules::Status status = TSBListRules::status(tsb, r);
            KVNote::showBeside(anchor, status.text, status.address,
                               {{TSBListRules::copyAddress(), [address = status.address] {
                                     QGuiApplication::clipboard()->setText(address);
                                     return TSBListRules::addressCopied();
                                 },
                                 true, {}}});
        }
        if (done)
            done(r.opened ? r.outcome : Outcome::Opened);
    });
}
