#pragma once

#include "vincheck.h"
#include "vindecoded.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QUrl>
#include <array>
#include <optional>

// The VIN rules: the offline check of the North American 17-character VIN
// (check digit, model year, problems in plain words) and the reading of the
// public vPIC decode service's answer. Pure functions, any thread; nothing
// here fails: what cannot be worked out comes back absent.
namespace VIN {

// Weights of positions 1 to 17 in the check-digit sum (position 9 weighs 0).
const std::array<int, 17> &weights();
// Transliteration value of a character, none for I, O, Q and anything else
// outside 0-9 and A-Z.
std::optional<int> value(QStringView character);
// The 30 model-year codes in cycle order.
QString yearCodes();

// While set, position 1 weighs 9 instead of 8 (the self-test's broken rule).
extern bool mutateForSelfTest;

// Upper-cased, with white space and "-" dropped.
QString clean(const QString &text);
// The check digit a 17-character VIN must carry; none for another length or
// a character without a value. Does not clean its argument.
std::optional<QString> checkDigit(const QString &vin);
// The model year (none when the VIN does not tell it) and its sentence.
struct YearReading
{
    std::optional<qint64> year;
    QString note;
};
// A year more than one year after `thisYear` (today's, when not given) is
// read in the cycle before.
YearReading modelYear(const QString &vin);
YearReading modelYear(const QString &vin, int thisYear);
// The whole offline check of raw user input.
Check check(const QString &text);

// The decode service's base address, the one place its host is named.
QString vpicBase();
// The request address for a VIN (cleaned here); none when the cleaned VIN
// cannot form a plain ASCII web address.
std::optional<QUrl> vpicURL(const QString &vin);
// The service's answer body read into a result; none when it is not a
// readable answer with at least one result record.
std::optional<Decoded> parse(const QByteArray &data);
// Shown in place of the decode while offline.
QString offlineMessage();

} // namespace VIN
