#pragma once

#include <QList>
#include <QPair>
#include <QSet>
#include <QStringList>
#include <QString>
#include <functional>

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
// mixed-case text is only trimmed and loses its markers. Known names keep
// their own case: a manufacturer's name anywhere, a make with one of its
// models, and a model after a model year or after another model in a list
// ("2000-2003 Navigator and Expedition").
QString sentenceCase(const QString &s);

// The names sentenceCase() restores, as the reference data spells them:
// display makes with their models, the manufacturers that file records, and
// the reference data's list of other names (makes, engine names, agencies)
// kept anywhere; a listed name ending in " #" is kept only before a number
// ("May #": "MAY 10, 2003" but "MAY STALL"). Replaces any names set before.
void setProperNames(const QList<QPair<QString, QString>> &makeModels, const QStringList &manufacturers,
                    const QStringList &names = {});

// The lists setProperNames() takes.
struct ProperNameLists
{
    QList<QPair<QString, QString>> makeModels;
    QStringList manufacturers;
    QStringList names;
};

// As setProperNames(), with the lists that `read` returns. `read` runs on a
// worker thread once startReadingProperNames() is called (the first text that
// needs the names then waits for it), or else in the first such text itself.
void setProperNamesLater(std::function<ProperNameLists()> read);
void startReadingProperNames();

} // namespace NHTSAText
