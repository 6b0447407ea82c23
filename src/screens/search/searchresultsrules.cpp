#include "searchresultsrules.h"

#include "data/vorel.h"

QList<SearchHit> SearchResultsRules::hits(const Vorel *data, const QString &text)
{
    if (!data)
        return {};
    return data->search(text, limit);
}

QString SearchResultsRules::heading(qsizetype count, const QString &text)
{
    return QString::number(count) + QStringLiteral(" result") + (count == 1 ? QString() : QStringLiteral("s"))
        + QStringLiteral(" for \u201c") + text + QStringLiteral("\u201d");
}

QString SearchResultsRules::emptyText()
{
    return QStringLiteral("Nothing found. Try fewer words, a model name (\"Navigator\"), a code (\"P0300\") or a "
                          "symptom (\"overheating\").");
}

QString SearchResultsRules::label(SearchKind kind)
{
    switch (kind.value()) {
    case SearchKind::Vehicle:
        return QStringLiteral("Vehicle");
    case SearchKind::Code:
        return QStringLiteral("Code");
    case SearchKind::Guide:
        return QStringLiteral("Guide");
    case SearchKind::Obd1:
        return QStringLiteral("OBD-I");
    case SearchKind::Recall:
        return QStringLiteral("Recall");
    }
    return {};
}

Tone SearchResultsRules::tone(SearchKind kind)
{
    switch (kind.value()) {
    case SearchKind::Vehicle:
        return Tone::Accent;
    case SearchKind::Code:
        return Tone::Amber;
    case SearchKind::Guide:
        return Tone::Green;
    case SearchKind::Obd1:
        return Tone::Grey;
    case SearchKind::Recall:
        return Tone::Red;
    }
    return Tone::Grey;
}

QString SearchResultsRules::titleLine(const SearchHit &hit, const Provenance &provenance)
{
    const QString title = hit.year ? QString::number(*hit.year) + u' ' + hit.title : hit.title;
    if (hit.kind == SearchKind::Recall && provenance.sample(Provenance::Kind::Recalls, hit.ref))
        return title + QStringLiteral(" \u00b7 ") + Provenance::sampleRecord().toLower();
    return title;
}
