#include "vin.h"

#include "platform/text.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <charconv>
#include <cmath>

namespace VIN {

namespace {

// Letters, marks and numbers stay; every other character is written as the
// %XX escapes of its UTF-8 bytes.
QString percentEncoded(const QString &text)
{
    QString out;
    for (const uint cp : text.toUcs4()) {
        if (QChar::isLetterOrNumber(cp) || QChar::isMark(cp)) {
            out += QString::fromUcs4(reinterpret_cast<const char32_t *>(&cp), 1);
            continue;
        }
        const QByteArray bytes = QString::fromUcs4(reinterpret_cast<const char32_t *>(&cp), 1).toUtf8();
        for (const char b : bytes)
            out += QStringLiteral("%%1").arg(uchar(b), 2, 16, QLatin1Char('0')).toUpper();
    }
    return out;
}

// A decimal number read whole, as a strict text-to-number conversion does;
// none for anything else and for values that are not finite.
std::optional<double> strictDouble(const QString &text)
{
    QByteArray ascii;
    for (const QChar c : text) {
        if (c.unicode() > 0x7f || c.isSpace())
            return std::nullopt;
        ascii += char(c.unicode());
    }
    const char *begin = ascii.constData();
    const char *end = begin + ascii.size();
    if (begin != end && *begin == '+') {
        ++begin;
        if (begin == end || *begin == '-')
            return std::nullopt;
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(begin, end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString joined(const QStringList &parts, const QString &separator)
{
    QStringList kept;
    for (const QString &p : parts) {
        if (!p.isEmpty())
            kept << p;
    }
    return kept.join(separator);
}

} // namespace

QString vpicBase()
{
    return QStringLiteral("https://vpic.nhtsa.dot.gov");
}

std::optional<QUrl> vpicURL(const QString &vin)
{
    const QString encoded = percentEncoded(clean(vin));
    const QString address = vpicBase() + QStringLiteral("/api/vehicles/DecodeVinValues/") + encoded
                            + QStringLiteral("?format=json");
    // Unencoded letters outside ASCII would leave the address to the HTTP
    // layer's own rewriting; such a VIN is not sent.
    for (const QChar c : address) {
        if (c.unicode() > 0x7e || c.unicode() < 0x21)
            return std::nullopt;
    }
    QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || url.host() != QUrl(vpicBase()).host())
        return std::nullopt;
    return url;
}

std::optional<Decoded> parse(const QByteArray &data)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(data, &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return std::nullopt;
    const QJsonValue results = doc.object().value(QStringLiteral("Results"));
    if (!results.isArray())
        return std::nullopt;
    const QJsonArray list = results.toArray();
    if (list.isEmpty())
        return std::nullopt;
    for (const QJsonValue &element : list) {
        if (!element.isObject())
            return std::nullopt;
    }
    const QJsonObject r = list.first().toObject();
    const auto s = [&r](const char *key) {
        const QJsonValue v = r.value(QLatin1StringView(key));
        return v.isString() ? Text::trimBlanks(v.toString()) : QString();
    };

    Decoded d;
    d.make = s("Make");
    d.model = s("Model");
    d.year = s("ModelYear");
    d.trim = joined({s("Trim"), s("Series")}, QStringLiteral(" "));
    d.body = s("BodyClass");
    d.vehicleType = s("VehicleType");

    QStringList engine;
    if (const std::optional<double> litres = strictDouble(s("DisplacementL")))
        engine << Text::fixed(*litres, 1) + u'L';
    if (const QString cylinders = s("EngineCylinders"); !cylinders.isEmpty())
        engine << cylinders + QStringLiteral("-cyl");
    engine << s("EngineModel");
    d.engine = joined(engine, QStringLiteral(" "));

    d.fuel = s("FuelTypePrimary");
    const QString speeds = s("TransmissionSpeeds");
    d.transmission = joined({s("TransmissionStyle"), speeds.isEmpty() ? QString() : speeds + QStringLiteral("-speed")},
                            QStringLiteral(", "));
    d.drive = s("DriveType");
    d.plant = joined({s("PlantCity"), s("PlantState"), s("PlantCountry")}, QStringLiteral(", "));
    d.manufacturer = s("Manufacturer");
    d.errorCode = s("ErrorCode");
    d.errorText = s("ErrorText");
    return d;
}

QString offlineMessage()
{
    return QStringLiteral("You're offline. The model year and check digit above are worked out on this computer. "
                          "For the full decode (make, model, engine, plant), connect to the internet and press "
                          "Decode Online — it asks NHTSA's free vPIC service.");
}

} // namespace VIN
