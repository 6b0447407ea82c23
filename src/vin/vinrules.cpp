#include "vinrules.h"

#include "platform/fvinfo.h"
#include "data/vorel.h"
#include "platform/text.h"
#include "vin.h"

namespace VINRules {

QString yearValue(const VIN::Check &check)
{
    return check.modelYear ? QString::number(*check.modelYear) : QStringLiteral("—");
}

QStringList shownProblems(const VIN::Check &check)
{
    return check.vin.isEmpty() ? QStringList() : check.problems;
}

QString checkDigitValue(const VIN::Check &check)
{
    if (!check.expectedCheckDigit)
        return QStringLiteral("—");
    if (check.checkDigitOK())
        return *check.expectedCheckDigit + QStringLiteral(" ✔︎");
    return QStringLiteral("should be ") + *check.expectedCheckDigit;
}

QString lengthValue(const VIN::Check &check)
{
    return QString::number(Text::graphemes(check.vin).size()) + QStringLiteral(" / 17");
}

QString decodeLabel(bool busy)
{
    return busy ? QStringLiteral("Decoding…") : QStringLiteral("Decode Online");
}

bool canDecode(bool online, bool busy, const VIN::Check &check)
{
    return online && !busy && Text::graphemes(check.vin).size() == 17 && VIN::vpicURL(check.vin).has_value();
}

QString askingStatus()
{
    return QStringLiteral("Asking NHTSA…");
}

std::optional<QString> answerStatus(const VIN::Decoded &decoded)
{
    if (decoded.errorCode.isEmpty() || decoded.errorCode == u"0")
        return std::nullopt;
    return QStringLiteral("NHTSA notes: ") + decoded.errorText;
}

QString failureStatus(const QString &reason)
{
    return QStringLiteral("Couldn't reach NHTSA (%1). The offline results above still apply.")
        .arg(reason.isEmpty() ? QStringLiteral("no answer") : reason);
}

QString failureStatus(const HttpReply &reply)
{
    const QString still = QStringLiteral(" The offline results above still apply.");
    if (reply.ok() || reply.error == HttpClient::tooLarge())
        return QStringLiteral("NHTSA answered with something other than a decode.") + still;
    if (reply.error == HttpClient::noSecureConnection())
        return QStringLiteral("A secure connection to NHTSA could not be made, so the VIN was not sent.") + still
            + (reply.detail.isEmpty() ? QString() : QStringLiteral(" Details: ") + reply.detail);
    if (reply.error == HttpClient::tooManyRedirects())
        return QStringLiteral("NHTSA's server kept sending the request elsewhere (too many redirects).") + still;
    if (reply.serverSpoke && reply.timedOut)
        return QStringLiteral("NHTSA began to answer but did not finish in time.") + still;
    return failureStatus(reply.failure());
}

std::optional<VehicleInfo> match(const Vorel *data, const VIN::Decoded &decoded)
{
    if (!data)
        return std::nullopt;
    return data->find(decoded.make, decoded.model);
}

std::optional<qint64> year(const VIN::Decoded &decoded)
{
    return Text::parseInt64(decoded.year);
}

QString openLabel(const VIN::Decoded &decoded, const VehicleInfo &vehicle)
{
    QString label = QStringLiteral("Open ") + decoded.year + u' ' + vehicle.name();
    return label.replace(u'&', QStringLiteral("&&"));
}

QString capitalizedWords(const QString &text)
{
    QString out;
    out.reserve(text.size());
    bool wordStart = true;
    for (const QString &c : Text::graphemes(text)) {
        const bool space = !c.isEmpty() && QChar::isSpace(c.toUcs4().value(0));
        out += space ? c : (wordStart ? c.toUpper() : c.toLower());
        wordStart = space;
    }
    return out;
}

GarageVehicle garageVehicle(const VIN::Decoded &decoded, const QString &vin, const std::optional<VehicleInfo> &match)
{
    GarageVehicle g;
    g.vehicleID = match ? std::optional<qint64>(match->id) : std::nullopt;
    g.year = year(decoded);
    g.title = decoded.year + u' '
              + (match ? match->name() : capitalizedWords(decoded.make) + u' ' + decoded.model);
    g.vin = vin;
    g.engine = decoded.engine;
    return g;
}

QString creditLine()
{
    return QStringLiteral("Decoded by NHTSA's vPIC service. ") + FVInfo::dataCredit();
}

} // namespace VINRules
