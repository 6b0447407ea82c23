#pragma once

#include "data/vehicleinfo.h"
#include "garage/garagevehicle.h"
#include "platform/httpclient.h"
#include "vincheck.h"
#include "vindecoded.h"

#include <QString>
#include <optional>

class Vorel;

// The VIN screen's wording and decisions, apart from its widgets.
namespace VINRules {

// Stat cell values: the model year or "—", the check digit with a tick or
// "should be …", and the cleaned length out of 17.
QString yearValue(const VIN::Check &check);
QString checkDigitValue(const VIN::Check &check);
QString lengthValue(const VIN::Check &check);
// The problems to list: none while the field is empty.
QStringList shownProblems(const VIN::Check &check);

QString decodeLabel(bool busy);
// Online, idle, 17 cleaned characters, and an address can be formed.
bool canDecode(bool online, bool busy, const VIN::Check &check);

QString askingStatus();
// The status line of a readable answer: none unless the service noted an error.
std::optional<QString> answerStatus(const VIN::Decoded &decoded);
// The status line of a failed request; `reason` empty gives "no answer".
QString failureStatus(const QString &reason);
// The status line of a request that gave no decode, by what happened: an
// answer that is no decode, no secure connection (with the technical text),
// a redirect loop, an answer that stopped, else no answer at all.
QString failureStatus(const HttpReply &reply);

// The reference vehicle with the decoded make and model (case-insensitive).
std::optional<VehicleInfo> match(const Vorel *data, const VIN::Decoded &decoded);
// The decoded year as a strict decimal integer.
std::optional<qint64> year(const VIN::Decoded &decoded);
// "Open <year> <name>", with "&" doubled for a button label.
QString openLabel(const VIN::Decoded &decoded, const VehicleInfo &vehicle);
// Each white-space-delimited word with its first character upper case and the rest lower case.
QString capitalizedWords(const QString &text);
// The garage vehicle that saving the decoded result adds.
GarageVehicle garageVehicle(const VIN::Decoded &decoded, const QString &vin, const std::optional<VehicleInfo> &match);

QString creditLine();

} // namespace VINRules
