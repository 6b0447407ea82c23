#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// What counts as a trouble code in the garage. Pure functions of their text.
namespace GarageCodeText {

// Every code-shaped word in free text: a letter P, B, C or U (either case), an
// ASCII digit and three ASCII hexadecimal digits, with a word boundary on both
// sides (letters, marks, decimal digits and connector punctuation such as "_"
// of any script are word characters; combining marks and format characters
// are looked through, and no boundary falls just before one). Upper-cased,
// each once, in order of first appearance.
QStringList find(const QString &text);

// The canonical five-character form of one typed code: upper-cased, white
// space and "-" dropped, then exactly five user-perceived characters: P, B, C
// or U; 0 to 3; three hexadecimal digits (full-width forms accepted and
// written as ASCII). Absent for anything else.
std::optional<QString> normalize(const QString &text);

} // namespace GarageCodeText
