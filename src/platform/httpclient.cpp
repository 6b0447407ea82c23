#include "httpclient.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>
#include <QTimer>
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
            request.setMaximumRedirectsAllowed(maxRedirects);
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

        QObject::connect(reply, &QNetworkReply::redirected, reply, [reply, url, options, stop](const QUrl &to) {
            if (HttpClient::mayFollow(url, reply->url().resolved(to), options.redirects))
                emit reply->redirectAllowed();
            else
                stop(HttpClient::redirectRefused(), false);
        });
        // Read as it comes, so that no more than the cap is ever held.
        QObject::connect(reply, &QNetworkReply::readyRead, reply, [reply, transfer, options, stop] {
            if (transfer->ended || !transfer->error.isEmpty())
                return;
            transfer->body += reply->read(options.maxBody + 1 - transfer->body.size());
            const qint64 announced = reply->header(QNetworkRequest::ContentLengthHeader).toLongLong();
            if (transfer->body.size() > options.maxBody || announced > options.maxBody) {
                transfer->body.clear();
                stop(HttpClient::tooLarge(), false);
            }
        });

        QPointer<QObject> guard(context);
        const bool hadContext = context != nullptr;
        QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply, transfer, options, guard, hadContext, done] {
            transfer->ended = true;
            reply->deleteLater();
            HttpReply answer;
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
            } else if (answer.status <= 0) {
                answer.status = 0;
                answer.error = reply->errorString();
                answer.timedOut = reply->error() == QNetworkReply::OperationCanceledError
                                  || reply->error() == QNetworkReply::TimeoutError;
            } else {
                answer.body = std::move(transfer->body);
                if (!answer.ok())
                    answer.error = QStringLiteral("HTTP %1").arg(answer.status);
            }
            answer.networkDown = !answer.answered() && (answer.timedOut || networkReason(reply->error()));
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

QString HttpClient::redirectRefused()
{
    return QStringLiteral("the server sent the request elsewhere");
}

HttpClient &HttpClient::network()
{
    static NetworkHttpClient client;
    return client;
}
