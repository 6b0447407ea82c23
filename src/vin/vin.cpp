#include "vin.h"

#include "platform/text.h"

#include <QDate>
#include <QSet>
#include <algorithm>

namespace VIN {

bool mutateForSelfTest = false;

const std::array<int, 17> &weights()
{
    static constexpr std::array<int, 17> table{8, 7, 6, 5, 4, 3, 2, 10, 0, 9, 8, 7, 6, 5, 4, 3, 2};
    return table;
}

std::optional<int> value(QStringView character)
{
    if (character.size() != 1)
        return std::nullopt;
    const char16_t c = character.front().unicode();
    if (c >= u'0' && c <= u'9')
        return int(c - u'0');
    if (c < u'A' || c > u'Z')
        return std::nullopt;
    // A..Z; I, O and Q (zero here) are not used.
    static constexpr std::array<int, 26> letters{1, 2, 3, 4, 5, 6, 7, 8, 0, 1, 2, 3, 4,
                                                 5, 0, 7, 0, 9, 2, 3, 4, 5, 6, 7, 8, 9};
    const int v = letters[c - u'A'];
    if (v == 0)
        return std::nullopt;
    return v;
}

QString yearCodes()
{
    return QStringLiteral("ABCDEFGHJKLMNPRSTVWXY123456789");
}

namespace {

bool isWhiteSpace(const QString &character)
{
    const char32_t first = character.isEmpty() ? 0 : character.toUcs4().value(0);
    return QChar::isSpace(first);
}

bool isNumeric(const QString &character)
{
    const QList<uint> points = character.toUcs4();
    return !points.isEmpty() && QChar::isNumber(points.front());
}

// Code-point order, the order a reader expects of "I, O".
bool codePointLess(const QString &a, const QString &b)
{
    const QList<uint> x = a.toUcs4();
    const QList<uint> y = b.toUcs4();
    return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end());
}

std::optional<QString> checkDigitOf(const QStringList &chars)
{
    if (chars.size() != 17)
        return std::nullopt;
    int sum = 0;
    for (int i = 0; i < 17; ++i) {
        const std::optional<int> v = value(chars[i]);
        if (!v)
            return std::nullopt;
        const int weight = (i == 0 && mutateForSelfTest) ? 9 : weights()[i];
        sum += *v * weight;
    }
    const int r = sum % 11;
    return r == 10 ? QStringLiteral("X") : QString::number(r);
}

YearReading modelYearOf(const QStringList &chars, int thisYear)
{
    if (chars.size() != 17)
        return {std::nullopt, QStringLiteral("A VIN must have 17 characters to show the model year (1981 and newer).")};
    const QString &code = chars[9];
    const qsizetype i = code.size() == 1 ? yearCodes().indexOf(code.front()) : -1;
    if (i < 0)
        return {std::nullopt, QStringLiteral("The 10th character '%1' is not a model-year code.").arg(code)};
    if (isNumeric(chars[6])) {
        if (i > 0)
            return {1980 + i, QStringLiteral("Position 7 is a number, so the 1980–2009 cycle applies.")};
        return {1980, QStringLiteral("Position 7 is a number, so the 1980–2009 cycle applies. 17-character VINs "
                                     "began with model year 1981, so 1980 is doubtful: a heavy truck, bus or "
                                     "trailer of 2010 carries the same code.")};
    }
    // A year still to come cannot be: the code belongs to the cycle before.
    if (2010 + i > thisYear + 1)
        return {1980 + i, QStringLiteral("Position 7 is a letter, but %1 is still to come, so the 1980–2009 cycle "
                                         "applies.").arg(2010 + i)};
    return {2010 + i, QStringLiteral("Position 7 is a letter, so the 2010–2039 cycle applies "
                                     "(cars and light trucks for North America).")};
}

int currentYear()
{
    return QDate::currentDate().year();
}

} // namespace

QString clean(const QString &text)
{
    QString out;
    for (const QString &c : Text::graphemes(text.toUpper())) {
        if (c != u"-" && !isWhiteSpace(c))
            out += c;
    }
    return out;
}

std::optional<QString> checkDigit(const QString &vin)
{
    return checkDigitOf(Text::graphemes(vin));
}

YearReading modelYear(const QString &vin)
{
    return modelYearOf(Text::graphemes(vin), currentYear());
}

YearReading modelYear(const QString &vin, int thisYear)
{
    return modelYearOf(Text::graphemes(vin), thisYear);
}

Check check(const QString &text)
{
    Check result;
    result.vin = clean(text);
    const QStringList chars = Text::graphemes(result.vin);
    const qsizetype n = chars.size();

    if (n != 17) {
        if (n >= 5 && n <= 16)
            result.problems << QStringLiteral("This VIN has %1 characters. Vehicles before 1981 used shorter, "
                                              "maker-specific serial numbers that can't be decoded with the "
                                              "standard rules.").arg(n);
        else
            result.problems << QStringLiteral("A modern VIN has exactly 17 characters (this one has %1).").arg(n);
    }

    QSet<QString> seen;
    QStringList bad;
    for (const QString &c : chars) {
        if (value(c))
            continue;
        const QString key = c.normalized(QString::NormalizationForm_C);
        if (!seen.contains(key)) {
            seen.insert(key);
            bad << key;
        }
    }
    std::sort(bad.begin(), bad.end(), codePointLess);
    if (!bad.isEmpty())
        result.problems << QStringLiteral("VINs never use the letters I, O or Q (or symbols). Check: %1.")
                               .arg(bad.join(QStringLiteral(", ")));

    if (result.problems.isEmpty())
        result.expectedCheckDigit = checkDigitOf(chars);
    if (n == 17)
        result.actualCheckDigit = chars[8];
    if (result.expectedCheckDigit && *result.expectedCheckDigit != *result.actualCheckDigit)
        result.problems << QStringLiteral("The check digit (9th character) should be %1 but is %2. The VIN may be "
                                          "mistyped. (Some imported or very early vehicles don't use a check "
                                          "digit.)").arg(*result.expectedCheckDigit, *result.actualCheckDigit);

    // A letter typed for a digit (O for 0, I for 1) can move the year by a
    // whole cycle, so a VIN with forbidden characters shows no year.
    // 0, U and Z are valid VIN characters but no model year's code.
    if (n == 17 && bad.isEmpty() && !yearCodes().contains(chars[9]))
        result.problems << QStringLiteral("The 10th character '%1' is not a model-year code: model years are "
                                          "coded by letters and digits other than 0, I, O, Q, U and Z. The VIN "
                                          "may be mistyped.").arg(chars[9]);

    YearReading year = modelYearOf(chars, currentYear());
    if (year.year && !bad.isEmpty())
        year = {std::nullopt, QStringLiteral("The model year is read once the VIN has no letters I, O or Q (or symbols).")};
    result.modelYear = year.year;
    result.yearNote = year.note;
    return result;
}

} // namespace VIN
