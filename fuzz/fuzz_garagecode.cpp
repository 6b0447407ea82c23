// The garage's code finder and the typed-code reading.

#include "fuzzinput.h"
#include "garage/garagecodetext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = FuzzInput::text(data, size);
    const QStringList found = GarageCodeText::find(text);
    // The finder takes any digit second, the typed form only 0 to 3: a
    // found code with 0 to 3 there is one a user could type.
    const auto hex = [](QChar c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F'); };
    for (const QString &code : found) {
        FuzzInput::require(code.size() == 5 && QStringLiteral("PBCU").contains(code[0]) && code[1].isDigit()
                               && code[1].unicode() < 0x80 && hex(code[2]) && hex(code[3]) && hex(code[4]),
                           "a found code is a letter, a digit and three upper-case hexadecimal digits");
        FuzzInput::require(code[1] > u'3' || GarageCodeText::normalize(code) == code,
                           "a found code that could be typed is in its typed form");
        FuzzInput::require(found.count(code) == 1, "each code is found once");
    }
    if (const auto code = GarageCodeText::normalize(text)) {
        FuzzInput::require(code->size() == 5, "a typed code reads as five characters");
        FuzzInput::require(GarageCodeText::normalize(*code) == code, "reading a code again changes nothing");
    }
    return 0;
}
