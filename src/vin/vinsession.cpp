#include "vinsession.h"

#include "platform/httpclient.h"
#include "vin.h"
#include "vinrules.h"

VINSession::VINSession(HttpClient &http, QObject *parent)
    : QObject(parent), m_http(http)
{
}

void VINSession::setVin(const QString &cleanVin)
{
    m_vin = cleanVin;
    m_status.reset();
    m_decoded.reset();
    emit changed();
}

bool VINSession::decode(const QString &cleanVin)
{
    if (m_busy)
        return false;
    const std::optional<QUrl> url = VIN::vpicURL(cleanVin);
    if (!url)
        return false;
    m_vin = cleanVin;
    m_busy = true;
    m_status = VINRules::askingStatus();
    emit changed();
    m_http.send(HttpClient::Method::Get, *url, timeout, this, [this, cleanVin](const HttpReply &reply) {
        m_busy = false;
        // An answer for a VIN no longer shown would pair a decode with the wrong VIN.
        if (cleanVin != m_vin) {
            emit changed();
            return;
        }
        std::optional<VIN::Decoded> result;
        if (reply.answered())
            result = VIN::parse(reply.body);
        if (result) {
            m_decoded = result;
            m_status = VINRules::answerStatus(*result);
        } else {
            const QString reason = reply.timedOut ? QStringLiteral("the request timed out") : reply.error;
            m_status = VINRules::failureStatus(reason);
        }
        emit changed();
    });
    return true;
}
