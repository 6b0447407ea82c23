// The text cleaning every printed, exported and summarised text goes
// through, and the strict number reading of typed text.

#include "fuzzinput.h"
#include "platform/text.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString text = FuzzInput::text(data, size);
    for (const bool multiline : {false, true}) {
        const QString out = Text::printable(text, multiline);
        FuzzInput::require(out.size() <= text.size(), "printable never lengthens the text");
        FuzzInput::require(Text::printable(out, multiline) == out, "printable text stays as it is");
        for (qsizetype i = 0; i < out.size(); ++i) {
            const char16_t c = out[i].unicode();
            const bool kept = multiline && (c == u'\n' || c == u'\t');
            FuzzInput::require(kept || !(c < 0x20 || (c >= 0x7F && c < 0xA0)), "no control character is left");
            FuzzInput::require(!out[i].isSurrogate() || (out[i].isHighSurrogate() && i + 1 < out.size() && out[i + 1].isLowSurrogate()) ||
                                   (out[i].isLowSurrogate() && i > 0 && out[i - 1].isHighSurrogate()),
                               "no lone surrogate is left");
        }
    }
    const QString line = Text::terminalLine(text);
    for (const QChar c : line) {
        const char16_t u = c.unicode();
        FuzzInput::require(u >= 0x20 && !(u >= 0x7F && u < 0xA0), "a terminal line holds no control character");
        FuzzInput::require(!(u >= 0x2028 && u <= 0x202E) && !(u >= 0x2066 && u <= 0x2069) && u != 0x200E && u != 0x200F
                               && u != 0x061C,
                           "a terminal line holds no bidirectional control or line separator");
    }
    if (const auto value = Text::parseInt64(text))
        FuzzInput::require(Text::parseInt64(QString::number(*value)) == value, "a read integer reads back");
    Text::trimBlanks(text);
    Text::fold(text);
    Text::clipped(text, 20);
    return 0;
}
