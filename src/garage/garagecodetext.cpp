#include "garagecodetext.h"

#include "platform/text.h"

#include <QChar>
#include <algorithm>
#include <iterator>

namespace {

// The word characters of a regular-expression word boundary: alphabetic
// characters, marks, decimal digits, connector punctuation, ZWNJ and ZWJ.
bool isWordChar(char32_t c)
{
    if (c == 0x200C || c == 0x200D)
        return true;
    switch (QChar::category(c)) {
    case QChar::Letter_Uppercase:
    case QChar::Letter_Lowercase:
    case QChar::Letter_Titlecase:
    case QChar::Letter_Modifier:
    case QChar::Letter_Other:
    case QChar::Number_Letter:
    case QChar::Number_DecimalDigit:
    case QChar::Mark_NonSpacing:
    case QChar::Mark_SpacingCombining:
    case QChar::Mark_Enclosing:
    case QChar::Punctuation_Connector:
        return true;
    default:
        break;
    }
    // Symbols that are alphabetic all the same: circled and squared Latin letters.
    return (c >= 0x24B6 && c <= 0x24E9) || (c >= 0x1F130 && c <= 0x1F149) || (c >= 0x1F150 && c <= 0x1F169)
        || (c >= 0x1F170 && c <= 0x1F189);
}

char32_t codePointAt(const QString &text, qsizetype i)
{
    const QChar c = text[i];
    if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        return QChar::surrogateToUcs4(c, text[i + 1]);
    return c.unicode();
}

char32_t codePointBefore(const QString &text, qsizetype i)
{
    const QChar c = text[i - 1];
    if (c.isLowSurrogate() && i >= 2 && text[i - 2].isHighSurrogate())
        return QChar::surrogateToUcs4(text[i - 2], c);
    return c.unicode();
}

// Characters that a word boundary looks through: grapheme extenders
// (nonspacing and enclosing marks and the few other extenders) and format
// characters. No boundary falls just before one, and the character before a
// position is the nearest one that is not of this kind.
bool isTransparent(char32_t c)
{
    switch (QChar::category(c)) {
    case QChar::Mark_NonSpacing:
    case QChar::Mark_Enclosing:
    case QChar::Other_Format:
        return true;
    default:
        break;
    }
    static constexpr char32_t otherExtenders[] = {0x09BE, 0x09D7, 0x0B3E, 0x0B57, 0x0BBE, 0x0BD7, 0x0CC2, 0x0CD5, 0x0CD6,
                                                  0x0D3E, 0x0D57, 0x0DCF, 0x0DDF, 0x1B35, 0x302E, 0x302F, 0xFF9E, 0xFF9F,
                                                  0x1133E, 0x11357, 0x114B0, 0x114BD, 0x115AF, 0x11930, 0x1D165};
    return std::find(std::begin(otherExtenders), std::end(otherExtenders), c) != std::end(otherExtenders)
        || (c >= 0x1D16E && c <= 0x1D172);
}

bool isAsciiDigit(QChar c)
{
    return c >= u'0' && c <= u'9';
}

bool isAsciiHex(QChar c)
{
    return isAsciiDigit(c) || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f');
}

bool codeAt(const QString &text, qsizetype i)
{
    static const QString letters = QStringLiteral("PBCUpbcu");
    if (!letters.contains(text[i]) || !isAsciiDigit(text[i + 1]))
        return false;
    for (qsizetype k = i + 2; k < i + 5; ++k) {
        if (!isAsciiHex(text[k]))
            return false;
    }
    // Before: the nearest character that is not looked through is no word
    // character (or there is none).
    bool boundaryBefore = true;
    for (qsizetype k = i; k > 0;) {
        const char32_t c = codePointBefore(text, k);
        k -= QChar::requiresSurrogates(c) ? 2 : 1;
        if (!isTransparent(c)) {
            boundaryBefore = !isWordChar(c);
            break;
        }
    }
    if (!boundaryBefore)
        return false;
    // After: the end, or a character that is neither a word character nor
    // looked through.
    if (i + 5 == text.size())
        return true;
    const char32_t next = codePointAt(text, i + 5);
    return !isTransparent(next) && !isWordChar(next);
}

// One hexadecimal digit as ASCII; full-width forms are folded.
std::optional<QChar> hexDigit(const QString &character)
{
    if (character.size() != 1)
        return std::nullopt;
    const char16_t c = character[0].unicode();
    if (isAsciiHex(QChar(c)))
        return QChar(c);
    if (c >= 0xFF10 && c <= 0xFF19)
        return QChar(u'0' + (c - 0xFF10));
    if (c >= 0xFF21 && c <= 0xFF26)
        return QChar(u'A' + (c - 0xFF21));
    if (c >= 0xFF41 && c <= 0xFF46)
        return QChar(u'a' + (c - 0xFF41));
    return std::nullopt;
}

} // namespace

namespace GarageCodeText {

QStringList find(const QString &text)
{
    QStringList found;
    qsizetype i = 0;
    while (i + 5 <= text.size()) {
        if (!codeAt(text, i)) {
            ++i;
            continue;
        }
        const QString code = text.mid(i, 5).toUpper();
        if (!found.contains(code))
            found.append(code);
        i += 5;
    }
    return found;
}

std::optional<QString> normalize(const QString &text)
{
    QString kept;
    for (const QString &character : Text::graphemes(text.toUpper())) {
        // A character is white space when its first code point is.
        if (QChar::isSpace(codePointAt(character, 0)) || character == u"-")
            continue;
        kept += character;
    }
    const QStringList characters = Text::graphemes(kept);
    if (characters.size() != 5)
        return std::nullopt;
    static const QStringList letters{QStringLiteral("P"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("U")};
    static const QStringList families{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3")};
    if (!letters.contains(characters[0]) || !families.contains(characters[1]))
        return std::nullopt;
    QString code = characters[0] + characters[1];
    for (qsizetype k = 2; k < 5; ++k) {
        const auto digit = hexDigit(characters[k]);
        if (!digit)
            return std::nullopt;
        code += *digit;
    }
    return code;
}

} // namespace GarageCodeText
