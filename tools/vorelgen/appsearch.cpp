#include "appsearch.h"

#include "data/vorel.h"

QStringList appSearchHits(const QString &path, const QString &query)
{
    const Vorel vorel(path, QString());
    QStringList out;
    for (const SearchHit &h : vorel.search(query))
        out << h.kind.rawValue() + QLatin1Char(':') + h.ref;
    return out;
}
