#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <optional>

// Locale-independent text helpers shared by every subsystem.
namespace Text {

// Strict decimal integer: optional single "+" or "-", then one or more ASCII
// digits and nothing else, within the signed 64-bit range.
std::optional<qint64> parseInt64(QStringView text);

// Integer with "," between groups of three digits ("2,235", "-1,000"),
// whatever the process locale is.
QString grouped(qint64 value);

// A local path as the path part of a "file:" URI, percent-encoded.
QString percentEncodePath(const QString &path);

// "file:<encoded path>?immutable=1" (with an empty authority, "file://", before an
// absolute path): read-only URI for SQLite.
QString immutableFileUri(const QString &path);

// The text split into user-perceived characters (grapheme clusters).
QStringList graphemes(const QString &text);

// The text cut to its first `limit` user-perceived characters and "…" when
// it has more; else the whole text.
QString clipped(const QString &text, qsizetype limit);

// Trims blanks and tabs only (Unicode space separators and U+0009).
QString trimBlanks(const QString &text);

// Trims blanks, tabs and line breaks (any Unicode white space).
QString trimBlanksAndLineBreaks(const QString &text);

// Shortest text that reads back to the same double; whole numbers of ordinary
// size keep ".0" ("1.0"), very large or small magnitudes use an exponent.
QString shortestDouble(double value);

// printf's "%.<decimals>f" whatever the process locale: correctly rounded,
// so exact halves go to the even digit (2.25 gives "2.2" with one decimal).
QString fixed(double value, int decimals);

// Case-folded, diacritic-free form for insensitive matching ("Crème" -> "creme").
QString fold(const QString &text);

// Counts a word: "1 recall", "2 recalls" ("s" unless exactly 1).
QString plural(qint64 count, const QString &singular, const QString &pluralForm = {});

} // namespace Text

namespace Text {

// The text fit to print and to name files: noncharacters (U+FDD0..U+FDEF,
// U+xFFFE, U+xFFFF), unpaired surrogates and control characters become
// U+FFFD. With `multiline` line feeds and tabs stay (a carriage return
// becomes a line feed); without it they become blanks.
QString printable(const QString &text, bool multiline);

// One line fit for a terminal or a log: as printable() without multiline,
// and the bidirectional controls (U+061C, U+200E/F, U+202A..U+202E,
// U+2066..U+2069) and the line and paragraph separators (U+2028/9) also
// become U+FFFD.
QString terminalLine(const QString &text);

} // namespace Text
