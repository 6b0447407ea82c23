#include "epatablerules.h"

QString EPATableRules::title()
{
    return QStringLiteral("Engines and transmissions (EPA)");
}

std::optional<QString> EPATableRules::emptyNote(qsizetype configCount, qint64 year, bool heavy)
{
    if (configCount > 0)
        return std::nullopt;
    if (year < 1984)
        return QStringLiteral("EPA engine and transmission listings start with the 1984 model year.");
    if (!heavy)
        return QStringLiteral("This database lists no engines for this model year.");
    return QStringLiteral("No EPA listing for this model year (heavy-duty and some commercial vehicles aren't "
                          "fuel-economy labeled).");
}

QList<EPATableRules::Row> EPATableRules::rows(const QList<EPAConfig> &configs)
{
    QList<Row> out;
    out.reserve(configs.size());
    for (const EPAConfig &c : configs)
        out.append(Row{c.engineText(), c.transmission, c.drive, c.fuel, c.variant});
    return out;
}
