#pragma once

#include <QString>

// Cuts of report texts that never split a user-perceived character (a
// surrogate pair, a base letter and its marks, an emoji sequence).
namespace ReportText {

// The number of user-perceived characters.
qsizetype characterCount(const QString &text);
// The first `count` user-perceived characters (all of them when fewer).
QString leftCharacters(const QString &text, qsizetype count);
// The longest start of the text, whole characters only, whose UTF-8 form
// has at most `maxBytes` bytes.
QString leftUtf8(const QString &text, qsizetype maxBytes);

} // namespace ReportText
