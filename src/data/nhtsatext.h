#pragma once

#include <QSet>
#include <QString>

// Readable case for the agency's upper-case texts: component names, makes and
// narrative summaries.
namespace NHTSAText {

// Words that pretty() keeps in upper case.
const QSet<QString> &keepUpper();
// Words that sentenceCase() leaves as they are.
const QSet<QString> &acronyms();

// "SERVICE BRAKES, HYDRAULIC" -> "Service brakes, hydraulic"; listed
// abbreviations and short bracketed words stay upper case.
QString pretty(const QString &s);
// Readable first level of a ":"-joined component name.
QString group(const QString &s);
// Readable last level of a ":"-joined component name.
QString display(const QString &s);
// Sentence case of an all-capitals narrative, without trailing "*AB" markers;
// mixed-case text is only trimmed and loses its markers.
QString sentenceCase(const QString &s);

} // namespace NHTSAText
