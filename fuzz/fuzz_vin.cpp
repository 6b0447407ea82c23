// The VIN rules on typed text, and the decode service's answer.

#include "fuzzinput.h"
#include "vin/vin.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (const auto decoded = VIN::parse(bytes))
        decoded->fields();

    const QString text = FuzzInput::text(data, size);
    const QString cleaned = VIN::clean(text);
    FuzzInput::require(VIN::clean(cleaned) == cleaned, "a cleaned VIN stays as it is");
    const VIN::Check check = VIN::check(text);
    FuzzInput::require(check.vin == cleaned, "the check works on the cleaned VIN");
    FuzzInput::require(!check.yearNote.isEmpty(), "the year note is never empty");
    FuzzInput::require(!check.isValid() || cleaned.size() == 17, "only 17 characters can be valid");
    if (const auto digit = VIN::checkDigit(cleaned))
        FuzzInput::require(digit->size() == 1, "a check digit is one character");
    if (const auto url = VIN::vpicURL(text))
        FuzzInput::require(url->isValid() && url->scheme() == QLatin1String("https"), "the decode address is https");
    return 0;
}
