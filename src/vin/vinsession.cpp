#include "vinsession.h"

#include "platform/httpclient.h"
#include "platform/text.h"
#include "vin.h"
#include "vinrules.h"

HttpClient::Options VINSession::options()
{
    // Redirects stay on the service's own scheme and host.
    return {HttpClient::Redirects::SameOrigin, maxBody};
}

VIN::Decoded VINSession::printable(VIN::Decoded d)
{
    for (QString *field : {&d.make, &d.model, &d.year, &d.trim, &d.body, &d.engine, &d.fuel, &d.transmission,
                           &d.drive, &d.plant, &d.manufacturer, &d.vehicleType, &d.errorCode, &d.errorText})
        *field = Text::printable(*field, false);
    return d;
}

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
        // Only a 2xx answer is a decode: an error page may be JSON too.
        std::optional<VIN::Decoded> result;
        if (reply.ok())
            result = VIN::parse(reply.body);
        if (result) {
            m_decoded = printable(*result);
            m_status = VINRules::answerStatus(*m_decoded);
        } else {
            m_status = VINRules::failureStatus(reply);
        }
        emit changed();
    }, options());
    return true;
}
