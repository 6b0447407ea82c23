// The garage's code finder and the typed-code reading.

#include "fuzzinput.h"
#include "garage/garagecodetext.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = FuzzInput::text(data, size);
    const QStringList found = GarageCodeText::find(text);
    for (const QString &code : found) {
        FuzzInput::require(code.size() == 5, "a found code has five characters");
        FuzzInput::require(GarageCodeText::normalize(code) == code, "a found code is in its canonical form");
        FuzzInput::require(found.count(code) == 1, "each code is found once");
    }
    if (const auto code = GarageCodeText::normalize(text)) {
        FuzzInput::require(code->size() == 5, "a typed code reads as five characters");
        FuzzInput::require(GarageCodeText::normalize(*code) == code, "reading a code again changes nothing");
    }
    return 0;
}
