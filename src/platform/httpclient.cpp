#include "httpclient.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
#include <algorithm>
#include <memory>

namespace {

constexpr int maxRedirects = 5;

// What one request has gathered until it ends.
struct Transfer
{
    QByteArray body;
    QString error; // set when this side ended the request
    bool timedOut = false;
    bool ended = false;
    bool spoke = false; // headers came (of the answer or of a redirect)
    int redirects = 0;
};

// Failures that mean nothing was reached (unlike TLS or protocol errors).
bool networkReason(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::HostNotFoundError:
    case QNetworkReply::ConnectionRefusedError:
    case QNetworkReply::TimeoutError:
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
    case QNetworkReply::UnknownNetworkError: // no route, network unreachable
        return true;
    default:
        return false;
    }
}

// The server was reached but would not give a usable answer.
bool serverReason(QNetworkReply::NetworkError error)
{
    switch (error) {
    case QNetworkReply::SslHandshakeFailedError:
    case QNetworkReply::TooManyRedirectsError:
    case QNetworkReply::InsecureRedirectError:
    case QNetworkReply::ProtocolFailure:
    case QNetworkReply::RemoteHostClosedError:
        return true;
    default:
        return false;
    }
}

// How many bytes the client holds in flight for a reply: the body is read
// as it comes, so a longer answer waits in the socket, not in memory.
constexpr qint64 readBuffer = 64 * 1024;

class NetworkHttpClient final : public HttpClient
{
public:
    void send(Method method, const QUrl &url, std::chrono::milliseconds deadline, QObject *context, Done done,
              const Options &options = {}) override
    {
        QNetworkRequest request(url);
        request.setTransferTimeout(int(deadline.count()));
        // Always ask the server; a cached answer could be stale.
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute, QNetworkRequest::AlwaysNetwork);
        if (options.redirects == Redirects::None) {
            request.setAttribute(QNetworkRequest::RedirectPolicyAttribute, QNetworkRequest::ManualRedirectPolicy);
        } else {
            request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                                 QNetworkRequest::UserVerifiedRedirectPolicy);
            request.setMaximumRedirectsAllowed(maxRedirects + 1);
        }
        QNetworkReply *reply = method == Method::Head ? m_manager.head(request) : m_manager.get(request);
        auto transfer = std::make_shared<Transfer>();
        const auto stop = [reply, transfer](const QString &why, bool timedOut) {
            if (transfer->ended)
                return;
            transfer->error = why;
            transfer->timedOut = timedOut;
            reply->abort();
        };

        // The overall deadline: redirects and a trickling body do not extend it.
        auto *timer = new QTimer(reply);
        timer->setSingleShot(true);
        QObject::connect(timer, &QTimer::timeout, reply,
                         [stop] { stop(QStringLiteral("the request timed out"), true); });
        timer->start(deadline);

        QObject::connect(reply, &QNetworkReply::redirected, reply, [reply, url, options, transfer, stop](const QUrl &to) {
            transfer->spoke = true;
            // Counted here: past the limit Qt ends the reply as if it were an answer.
            if (++transfer->redirects > maxRedirects)
                stop(HttpClient::tooManyRedirects(), false);
            else if (HttpClient::mayFollow(url, reply->url().resolved(to), options.redirects))
                emit reply->redirectAllowed();
            else
                stop(HttpClient::redirectRefused(), false);
        });
        QObject::connect(reply, &QNetworkReply::metaDataChanged, reply, [reply, transfer, options, stop] {
            if (reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
                transfer->spoke = true;
            // A body announced longer than the cap is not read at all.
            if (reply->header(QNetworkRequest::ContentLengthHeader).toLongLong() > options.maxBody)
                stop(HttpClient::tooLarge(), false);
        });
        // Read as it comes, so that no more than the cap is ever held.
        reply->setReadBufferSize(std::min(readBuffer, options.maxBody + 1));
        QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, transfer, options, stop] {
            if (transfer->ended || !transfer->error.isEmpty())
                return;
            transfer->body += reply->read(options.maxBody + 1 - transfer->body.size());
            if (transfer->body.size() > options.maxBody) {
                transfer->body.clear();
                transfer->body.squeeze();
                stop(HttpClient::tooLarge(), false);
            }
        });

        QPointer<QObject> guard(context);
        const bool hadContext = context != nullptr;
        QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply, url, transfer, options, guard, hadContext, done] {
            transfer->ended = true;
            reply->deleteLater();
            const QNetworkReply::NetworkError error = reply->error();
            HttpReply answer;
            answer.url = url;
            if (transfer->error.isEmpty()) {
                answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
                transfer->body += reply->read(options.maxBody + 1 - transfer->body.size());
                if (transfer->body.size() > options.maxBody)
                    transfer->error = HttpClient::tooLarge();
            }
            if (!transfer->error.isEmpty()) {
                answer.status = 0;
                answer.error = transfer->error;
                answer.timedOut = transfer->timedOut;
            } else if (error == QNetworkReply::TooManyRedirectsError
                       || (answer.status > 0 && answer.status < 200 && transfer->redirects > 0)) {
                // A redirect loop can also end with an interim status (100) and no error.
                answer.status = 0;
                answer.error = HttpClient::tooManyRedirects();
            } else if (error == QNetworkReply::SslHandshakeFailedError) {
                answer.status = 0;
                answer.error = HttpClient::noSecureConnection();
                answer.detail = reply->errorString();
            } else if (answer.status < 200) {
                // No final answer (an interim status is none).
                if (answer.status > 0)
                    transfer->spoke = true;
                answer.status = 0;
                answer.error = reply->errorString();
                answer.timedOut = error == QNetworkReply::OperationCanceledError || error == QNetworkReply::TimeoutError;
            } else {
                answer.body = std::move(transfer->body);
                if (!answer.ok())
                    answer.error = QStringLiteral("HTTP %1").arg(answer.status);
            }
            // Only a request that heard nothing at all says the network is down.
            answer.serverSpoke = !answer.answered() && (transfer->spoke || serverReason(error));
            answer.networkDown = !answer.answered() && !answer.serverSpoke
                                 && (answer.timedOut || networkReason(error));
            notify(answer);
            if (hadContext && !guard)
                return;
            if (done)
                done(answer);
        });
    }

private:
    QNetworkAccessManager m_manager;
};

} // namespace

QString HttpReply::failure() const
{
    if (timedOut)
        return QStringLiteral("the request timed out");
    if (answered() && !ok())
        return error.isEmpty() ? QStringLiteral("HTTP %1").arg(status) : error;
    return answered() ? QString() : error;
}

bool HttpClient::mayFollow(const QUrl &from, const QUrl &to, Redirects policy)
{
    return policy == Redirects::SameOrigin && to.isValid() && to.scheme() == from.scheme()
        && to.host().compare(from.host(), Qt::CaseInsensitive) == 0 && to.port() == from.port();
}

QString HttpClient::tooLarge()
{
    return QStringLiteral("the answer was too large");
}

QString HttpClient::tooManyRedirects()
{
    return QStringLiteral("the server redirected the request too many times");
}

QString HttpClient::noSecureConnection()
{
    return QStringLiteral("a secure connection could not be made");
}

QString HttpClient::redirectRefused()
{
    return QStringLiteral("the server sent the request elsewhere");
}

HttpClient &HttpClient::network()
{
    static NetworkHttpClient client;
    return client;
}
