#include "garagecodetext.h"

#include <QChar>
#include <QTextBoundaryFinder>

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
    const bool boundaryBefore = i == 0 || !isWordChar(codePointBefore(text, i));
    const bool boundaryAfter = i + 5 == text.size() || !isWordChar(codePointAt(text, i + 5));
    return boundaryBefore && boundaryAfter;
}

QStringList graphemes(const QString &text)
{
    QStringList out;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype start = 0;
    while (finder.toNextBoundary() != -1) {
        const qsizetype end = finder.position();
        out.append(text.mid(start, end - start));
        start = end;
    }
    return out;
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
    for (const QString &character : graphemes(text.toUpper())) {
        // A character is white space when its first code point is.
        if (QChar::isSpace(codePointAt(character, 0)) || character == u"-")
            continue;
        kept += character;
    }
    const QStringList characters = graphemes(kept);
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
