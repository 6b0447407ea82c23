#include "data/nhtsatext.h"
#include "data/vehicleinfo.h"
#include "model.h"

#include <QJsonArray>
#include <QRegularExpression>

namespace {

// The vehicle's type as its page names it, and whether it is a heavy line.
QString kindWords(const Vehicle &v)
{
    QString t = VehicleInfo::typeText(v.types);
    if (t.isEmpty())
        t = QStringLiteral("vehicle");
    return v.heavy ? t + QStringLiteral(" (heavy or commercial)") : t;
}

QString joined(const QJsonArray &a)
{
    QStringList parts;
    for (const QJsonValue &v : a)
        parts << v.toString();
    return parts.join(QLatin1Char(' '));
}

// The vehicles a recall covers, for its search title: the first two with
// their years, then how many more; for equipment sold loose, its maker.
QString coveredShort(const Model &m, const RecallRow &r)
{
    QList<qint64> vehicles;
    for (const Link &l : r.links)
        if (!vehicles.contains(l.vid))
            vehicles.append(l.vid);
    if (vehicles.isEmpty())
        return r.manufacturer;
    const auto name = [](const Vehicle *v) { return v ? v->name() : QStringLiteral("vehicle"); };
    QStringList parts;
    for (qsizetype i = 0; i < qMin<qsizetype>(2, vehicles.size()); ++i) {
        QList<Link> own;
        for (const Link &l : r.links)
            if (l.vid == vehicles[i])
                own.append(l);
        parts << linkedYearsPhrase(m, own, name);
    }
    if (vehicles.size() > 2)
        return parts.join(QStringLiteral(", ")) + QStringLiteral(" and %1 more").arg(vehicles.size() - 2);
    return parts.join(QStringLiteral(" and "));
}

} // namespace

void buildSearch(Model &m, const Content &c)
{
    for (const Vehicle &v : m.vehicles) {
        QString body = QStringLiteral("%1 %2, %3. Model years %4.")
                           .arg(v.makeDisplay, v.model, kindWords(v), yearRunsText(v.years));
        if (v.generated)
            body += QStringLiteral(" A generated vehicle of the sample fleet.");
        m.search.append({QStringLiteral("vehicle"), QString::number(v.id), v.name(), body});
    }
    for (const QJsonObject &code : c.codes) {
        const QString id = code.value(QStringLiteral("code")).toString();
        m.search.append({QStringLiteral("code"), id, id + QLatin1Char(' ') + code.value(QStringLiteral("title")).toString(),
                         code.value(QStringLiteral("meaning")).toString() + QLatin1Char(' ') +
                             code.value(QStringLiteral("symptoms")).toString() + QLatin1Char(' ') +
                             code.value(QStringLiteral("causes")).toString()});
    }
    for (const QJsonValue &gv : c.guides) {
        const QJsonObject g = gv.toObject();
        QString body = g.value(QStringLiteral("summary")).toString() + QLatin1Char(' ') + g.value(QStringLiteral("system")).toString();
        for (const QJsonValue &n : g.value(QStringLiteral("nodes")).toArray())
            body += QLatin1Char(' ') + n.toObject().value(QStringLiteral("text")).toString();
        m.search.append({QStringLiteral("guide"), g.value(QStringLiteral("id")).toString(), g.value(QStringLiteral("title")).toString(), body});
    }
    for (const QJsonValue &sv : c.obd1) {
        const QJsonObject s = sv.toObject();
        const QString title = s.value(QStringLiteral("system")).toString() + QStringLiteral(" (") + s.value(QStringLiteral("makes")).toString() + QLatin1Char(')');
        const QString body = s.value(QStringLiteral("years")).toString() + QLatin1Char(' ') + s.value(QStringLiteral("connector")).toString() +
                             QLatin1Char(' ') + joined(s.value(QStringLiteral("steps")).toArray()) + QLatin1Char(' ') +
                             s.value(QStringLiteral("reading")).toString() + QLatin1Char(' ') + s.value(QStringLiteral("notes")).toString();
        m.search.append({QStringLiteral("obd1"), s.value(QStringLiteral("id")).toString(), title, body});
    }
    // Recalls read as their pages show them: the list row's component and the
    // texts in the case the sheet gives them, with the same names kept.
    QList<QPair<QString, QString>> makeModels;
    for (const Vehicle &v : m.vehicles)
        makeModels.append({v.makeDisplay, v.model});
    QStringList makers;
    for (const RecallRow &r : m.recalls)
        makers << r.manufacturer;
    for (const InvRow &i : m.investigations)
        makers << i.manufacturer;
    makers.removeDuplicates();
    NHTSAText::setProperNames(makeModels, makers, c.properNames);
    for (const RecallRow &r : m.recalls) {
        const QString part = NHTSAText::display(r.components.section(QLatin1Char('|'), 0, 0));
        m.search.append(
            {QStringLiteral("recall"), r.campaign,
             r.campaign + QLatin1Char(' ') + part + QStringLiteral(": ") + coveredShort(m, r),
             NHTSAText::sentenceCase(r.summary) + QLatin1Char(' ') + NHTSAText::sentenceCase(r.consequence)});
    }
}
