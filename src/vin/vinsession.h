#pragma once

#include "platform/httpclient.h"
#include "vindecoded.h"

#include <QObject>
#include <QString>
#include <chrono>
#include <optional>


// The online half of one shown VIN screen: whether a decode is under way,
// the one status line and the last decoded result. A request is tied to the
// cleaned VIN it was sent for; an answer that arrives after the VIN changed
// only ends the request. Main thread only.
class VINSession final : public QObject
{
    Q_OBJECT

public:
    // Longest wait for an answer before the request fails.
    static constexpr std::chrono::milliseconds timeout{30000};
    // Longest answer read; a decode is a few kilobytes.
    static constexpr qint64 maxBody = 1024 * 1024;

    explicit VINSession(HttpClient &http, QObject *parent = nullptr);

    bool busy() const { return m_busy; }
    const std::optional<QString> &status() const { return m_status; }
    const std::optional<VIN::Decoded> &decoded() const { return m_decoded; }

    // The VIN text changed: forgets the status and the result (a running
    // request keeps running) and remembers the cleaned VIN now shown.
    void setVin(const QString &cleanVin);
    // Asks the decode service about the cleaned VIN. Sends nothing and
    // returns false while busy or when no address can be formed.
    bool decode(const QString &cleanVin);

    // How the decode request is sent.
    static HttpClient::Options options();
    // The result with every field fit to print and save: noncharacters and
    // control characters become U+FFFD.
    static VIN::Decoded printable(VIN::Decoded decoded);

signals:
    void changed();

private:
    HttpClient &m_http;
    QString m_vin;
    bool m_busy = false;
    std::optional<QString> m_status;
    std::optional<VIN::Decoded> m_decoded;
};
