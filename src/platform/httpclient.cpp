#include "httpclient.h"

#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QPointer>

namespace {

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
    void send(Method method, const QUrl &url, std::chrono::milliseconds timeout, QObject *context,
              Done done) override
    {
        QNetworkRequest request(url);
        request.setTransferTimeout(int(timeout.count()));
        // Always ask the server; a cached answer could be stale.
        request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                             QNetworkRequest::AlwaysNetwork);
        request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                             QNetworkRequest::NoLessSafeRedirectPolicy);
        QNetworkReply *reply = method == Method::Head ? m_manager.head(request)
                                                      : m_manager.get(request);
        QPointer<QObject> guard(context);
        const bool hadContext = context != nullptr;
        QObject::connect(reply, &QNetworkReply::finished, reply, [this, reply, guard, hadContext, done] {
            reply->deleteLater();
            HttpReply answer;
            answer.status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
            if (answer.status > 0) {
                answer.body = reply->readAll();
            } else {
                answer.error = reply->errorString();
                answer.timedOut = reply->error() == QNetworkReply::OperationCanceledError
                                  || reply->error() == QNetworkReply::TimeoutError;
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

HttpClient &HttpClient::network()
{
    static NetworkHttpClient client;
    return client;
}
