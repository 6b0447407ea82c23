#include "text.h"

#include <QChar>
#include <QLocale>
#include <QTextBoundaryFinder>
#include <QUrl>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <limits>

namespace Text {

std::optional<qint64> parseInt64(QStringView text)
{
    if (text.isEmpty())
        return std::nullopt;
    qsizetype i = 0;
    bool negative = false;
    if (text[0] == u'+' || text[0] == u'-') {
        negative = text[0] == u'-';
        i = 1;
    }
    if (i == text.size())
        return std::nullopt;
    // Accumulate as a negative number so that INT64_MIN fits.
    qint64 acc = 0;
    constexpr qint64 minValue = std::numeric_limits<qint64>::min();
    for (; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c < u'0' || c > u'9')
            return std::nullopt;
        const int digit = c - u'0';
        if (acc < (minValue + digit) / 10)
            return std::nullopt;
        acc = acc * 10 - digit;
    }
    if (negative)
        return acc;
    if (acc == minValue)
        return std::nullopt;
    return -acc;
}

QString grouped(qint64 value)
{
    const bool negative = value < 0;
    // Work on the unsigned magnitude so that INT64_MIN does not overflow.
    quint64 magnitude = negative ? quint64(0) - quint64(value) : quint64(value);
    QString digits = QString::number(magnitude);
    QString out;
    out.reserve(digits.size() + digits.size() / 3 + 1);
    const qsizetype lead = digits.size() % 3;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (i - lead) % 3 == 0)
            out += u',';
        out += digits[i];
    }
    return negative ? QStringLiteral("-") + out : out;
}

QString percentEncodePath(const QString &path)
{
    // Keep the characters a URI path may hold unescaped; encode the rest as UTF-8.
    return QString::fromLatin1(QUrl::toPercentEncoding(path, "/!$&'()*+,;=:@-._~"));
}

QString immutableFileUri(const QString &path)
{
    // "?" and "#" are encoded, so the query cannot be confused with the path.
    // After "file:" a leading "//" would name a URI authority ("//srv/x.db"
    // would read as host "srv"): an absolute path gets the empty authority in
    // front ("file:///...", "file:////srv/x.db") and stays a path.
    const QString prefix = path.startsWith(u'/') ? QStringLiteral("file://") : QStringLiteral("file:");
    return prefix + percentEncodePath(path) + QStringLiteral("?immutable=1");
}

static bool isBlank(QChar c)
{
    return c == u'\t' || c.category() == QChar::Separator_Space;
}

static bool isBlankOrLineBreak(QChar c)
{
    return c.isSpace() || c == QChar(0x85) || c == QChar(0x2028) || c == QChar(0x2029);
}

template <typename Pred>
static QString trimBy(const QString &text, Pred pred)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && pred(text[begin]))
        ++begin;
    while (end > begin && pred(text[end - 1]))
        --end;
    return text.mid(begin, end - begin);
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

QString clipped(const QString &text, qsizetype limit)
{
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, text);
    qsizetype cut = 0;
    for (qsizetype n = 0; n <= limit; ++n) {
        const qsizetype next = finder.toNextBoundary();
        if (next == -1)
            return text;
        if (n < limit)
            cut = next;
    }
    return text.left(cut) + QStringLiteral("\u2026");
}

QString trimBlanks(const QString &text)
{
    return trimBy(text, isBlank);
}

QString trimBlanksAndLineBreaks(const QString &text)
{
    return trimBy(text, isBlankOrLineBreak);
}

QString shortestDouble(double value)
{
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value < 0 ? QStringLiteral("-inf") : QStringLiteral("inf");
    // Shortest round-trip digits; QLocale::FloatingPointShortest is locale-free here.
    const double magnitude = std::fabs(value);
    if (magnitude != 0.0 && (magnitude >= 1e16 || magnitude < 1e-4)) {
        QString s = QString::number(value, 'e', QLocale::FloatingPointShortest);
        return s;
    }
    QString s = QString::number(value, 'f', QLocale::FloatingPointShortest);
    if (!s.contains(u'.'))
        s += QStringLiteral(".0");
    return s;
}

QString fixed(double value, int decimals)
{
    char buffer[400];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    if (result.ec != std::errc())
        return QString::number(value, 'f', decimals);
    return QString::fromLatin1(buffer, result.ptr - buffer);
}

QString fold(const QString &text)
{
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString out;
    out.reserve(decomposed.size());
    for (QChar c : decomposed) {
        const auto cat = c.category();
        if (cat == QChar::Mark_NonSpacing || cat == QChar::Mark_SpacingCombining || cat == QChar::Mark_Enclosing)
            continue;
        out += c;
    }
    // QString folds simple cases only; the German sharp s is the common full fold.
    return out.toCaseFolded().replace(QChar(0x00DF), QStringLiteral("ss"));
}

QString plural(qint64 count, const QString &singular, const QString &pluralForm)
{
    if (count == 1)
        return singular;
    return pluralForm.isEmpty() ? singular + u's' : pluralForm;
}

} // namespace Text

namespace Text {

QString printable(const QString &text, bool multiline)
{
    QString out;
    out.reserve(text.size());
    const auto noncharacter = [](char32_t c) { return (c >= 0xFDD0 && c <= 0xFDEF) || (c & 0xFFFE) == 0xFFFE; };
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            const char32_t code = QChar::surrogateToUcs4(c, text[i + 1]);
            if (noncharacter(code))
                out += QChar(QChar::ReplacementCharacter);
            else
                out += QStringView(text).mid(i, 2);
            ++i;
            continue;
        }
        const char16_t u = c.unicode();
        if (u == u'\r') {
            if (i + 1 < text.size() && text[i + 1] == u'\n')
                continue;
            out += multiline ? u'\n' : u' ';
        } else if (u == u'\n' || u == u'\t') {
            out += multiline ? c : QChar(u' ');
        } else if (c.isSurrogate() || u < 0x20 || (u >= 0x7F && u < 0xA0) || noncharacter(u)) {
            out += QChar(QChar::ReplacementCharacter);
        } else {
            out += c;
        }
    }
    return out;
}

QString terminalLine(const QString &text)
{
    QString out = printable(text, false);
    for (QChar &c : out) {
        const char16_t u = c.unicode();
        if (u == 0x061C || u == 0x200E || u == 0x200F || (u >= 0x2028 && u <= 0x202E) || (u >= 0x2066 && u <= 0x2069))
            c = QChar(QChar::ReplacementCharacter);
    }
    return out;
}

} // namespace Text
