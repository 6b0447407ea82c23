#pragma once

#include "data/provenance.h"
#include "data/searchhit.h"
#include "tone.h"

#include <QList>
#include <QString>

class Vorel;

// What the search results screen lists and how it labels the hits.
class SearchResultsRules final
{
public:
    SearchResultsRules() = delete;

    static constexpr qint64 limit = 60;

    // The search of the text as stored (the search trims it itself), in the
    // order the search returns; empty without reference data.
    static QList<SearchHit> hits(const Vorel *data, const QString &text);
    // "<n> result(s) for “<text>”", the text quoted exactly as typed.
    static QString heading(qsizetype count, const QString &text);
    static QString emptyText();

    // "Vehicle", "Code", "Guide", "OBD-I", "Recall".
    static QString label(SearchKind kind);
    // The theme's accent for vehicles; amber, green, grey, red for the others.
    static Tone tone(SearchKind kind);
    // "<year> <title>" when the hit carries a model year, else the title;
    // then " · sample record" for a generated recall.
    static QString titleLine(const SearchHit &hit, const Provenance &provenance = Provenance());
};
