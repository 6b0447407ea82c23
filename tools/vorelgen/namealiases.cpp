#include "namealiases.h"

#include "model.h"
#include "vehiclematch.h"

#include <QJsonObject>
#include <QRegularExpression>

NameAliases NameAliases::fromJson(const QJsonArray &entries)
{
    static const QRegularExpression years(QStringLiteral("^(\\d{4})-(\\d{4})$"));
    NameAliases out;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        const QJsonObject o = entries[i].toObject();
        const QString make = o.value(QStringLiteral("make")).toString();
        const QString model = o.value(QStringLiteral("model")).toString();
        const auto bad = [&](const QString &what) {
            throw GenError{QStringLiteral("agency_names.json: alias %1 (%2 %3): %4").arg(i + 1).arg(make, model, what)};
        };
        if (VehicleMatcher::key(make).isEmpty() || VehicleMatcher::key(model).isEmpty())
            bad(QStringLiteral("needs a make and a model"));
        if (!o.value(QStringLiteral("lines")).isArray())
            bad(QStringLiteral("needs a list of lines (empty to keep the name apart)"));
        Target t;
        for (const QJsonValue &line : o.value(QStringLiteral("lines")).toArray())
            t.lines << line.toString();
        if (t.lines.contains(QString()))
            bad(QStringLiteral("a line is not a name"));
        if (o.contains(QStringLiteral("years"))) {
            const QRegularExpressionMatch m = years.match(o.value(QStringLiteral("years")).toString());
            if (!m.hasMatch() || m.captured(1).toInt() > m.captured(2).toInt())
                bad(QStringLiteral("years read \"from-to\""));
            t.from = m.captured(1).toInt();
            t.to = m.captured(2).toInt();
        }
        out.m_entries[VehicleMatcher::key(make) + QLatin1Char('|') + VehicleMatcher::key(model)].append(t);
    }
    return out;
}

const NameAliases::Target *NameAliases::find(const QString &makeKey, const QString &modelKey, int year) const
{
    const auto it = m_entries.constFind(makeKey + QLatin1Char('|') + modelKey);
    if (it == m_entries.constEnd())
        return nullptr;
    for (const Target &t : *it)
        if (year >= t.from && year <= t.to)
            return &t;
    return nullptr;
}
