#include "homerules.h"

#include "data/vorel.h"
#include "platform/text.h"

#include <QLocale>

QList<HomeRules::ExampleRow> HomeRules::exampleTable()
{
    return {
        {QStringLiteral("2002"), QStringLiteral("LINCOLN"), QStringLiteral("Navigator")},
        {QStringLiteral("2014"), QStringLiteral("FORD"), QStringLiteral("Focus")},
        {QStringLiteral("2015"), QStringLiteral("FORD"), QStringLiteral("F-150")},
        {QStringLiteral("1995"), QStringLiteral("JEEP"), QStringLiteral("Cherokee")},
    };
}

QList<HomeRules::Example> HomeRules::examples(const Vorel &data, const QList<ExampleRow> &table)
{
    QList<Example> out;
    for (const ExampleRow &row : table) {
        const std::optional<VehicleInfo> v = data.find(row.make, row.model);
        if (!v)
            continue;
        out.append(Example{row.year, row.year + u' ' + v->name(), v->id, Text::parseInt64(row.year)});
    }
    return out;
}

QString HomeRules::localeCount(qint64 value)
{
    const QLocale locale;
    if (locale.language() == QLocale::C)
        return Text::grouped(value);
    return locale.toString(value);
}

QString HomeRules::countsLine(const QMap<QString, qint64> &counts)
{
    const auto n = [&](const char *key) { return counts.value(QString::fromLatin1(key), 0); };
    return localeCount(n("vehicles")) + QStringLiteral(" models \u00b7 ") + localeCount(n("recalls"))
        + QStringLiteral(" recalls \u00b7 ") + localeCount(n("tsbs")) + QStringLiteral(" service bulletins \u00b7 ")
        + localeCount(n("complaints_total")) + QStringLiteral(" owner complaints (counts) \u00b7 ")
        + localeCount(n("obd_codes")) + QStringLiteral(" trouble codes \u00b7 ") + QString::number(n("guides"))
        + QStringLiteral(" guides");
}
