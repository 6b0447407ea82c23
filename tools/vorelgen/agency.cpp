#include "agency.h"

#include <QJsonArray>
#include <algorithm>

QString MakerGroup::nameFor(const QString &date) const
{
    QString name = names.isEmpty() ? QString() : names.first().second;
    for (const auto &n : names)
        if (date >= n.first)
            name = n.second;
    return name;
}

QList<MakerGroup> makerGroups(const Model &m, const Content &c)
{
    QList<MakerGroup> groups;
    for (const QJsonValue &gv : c.agency.value(QStringLiteral("groups")).toArray()) {
        const QJsonObject o = gv.toObject();
        MakerGroup g;
        for (const QJsonValue &mk : o.value(QStringLiteral("makes")).toArray())
            g.makes << mk.toString();
        for (const QJsonValue &nv : o.value(QStringLiteral("names")).toArray())
        {
            // From a year or from an exact "YYYY-MM-DD" date.
            const QJsonValue from = nv.toArray().at(0);
            const QString date = from.isString() ? from.toString() : QStringLiteral("%1-01-01").arg(from.toInt());
            g.names.append({date, nv.toArray().at(1).toString()});
        }
        g.heavy = o.value(QStringLiteral("heavy")).toBool();
        g.style = o.value(QStringLiteral("style")).toString();
        groups.append(g);
    }
    for (const Vehicle &v : m.vehicles) {
        const int g = groupOf(groups, v.make);
        if (g < 0)
            throw GenError{QStringLiteral("agency.json: make %1 belongs to no manufacturer group").arg(v.make)};
        groups[g].vehicles.append(&v);
    }
    return groups;
}

int groupOf(const QList<MakerGroup> &groups, const QString &make)
{
    for (qsizetype i = 0; i < groups.size(); ++i)
        if (groups[i].makes.contains(make))
            return int(i);
    return -1;
}

QList<Link> pickLinks(const QList<const Vehicle *> &pool, int pivot, int maxVehicles, int maxYears, Rng &r)
{
    const int lo = pivot - 5, hi = pivot + 1;
    QList<const Vehicle *> candidates;
    QList<double> weights;
    for (const Vehicle *v : pool) {
        if (v->years.last() < lo || v->years.first() > hi)
            continue;
        bool any = false;
        for (const int y : v->years)
            any = any || (y >= lo && y <= hi);
        if (!any)
            continue;
        candidates.append(v);
        weights.append(double(v->pop * v->pop));
    }
    QList<Link> links;
    const int want = int(r.range(1, maxVehicles));
    for (int k = 0; k < want && !candidates.isEmpty(); ++k) {
        const qsizetype i = r.weighted(weights);
        if (i < 0)
            break;
        const Vehicle *v = candidates[i];
        candidates.removeAt(i);
        weights.removeAt(i);
        // One record concerns vehicles of one kind: cars with cars, heavy trucks with heavy trucks.
        if (k == 0)
            for (qsizetype j = 0; j < candidates.size(); ++j)
                if (candidates[j]->heavy != v->heavy || candidates[j]->car != v->car)
                    weights[j] = 0;
        QList<int> window;
        for (const int y : v->years)
            if (y >= lo && y <= hi)
                window.append(y);
        const int len = int(qMin<qsizetype>(r.range(1, maxYears), window.size()));
        const int start = int(r.range(0, window.size() - len));
        for (int j = start; j < start + len; ++j)
            links.append({v->id, window[j]});
    }
    return links;
}

QList<Link> fitLinks(const Model &m, const QList<Link> &links, int from, bool ice)
{
    QList<Link> out;
    for (const Link &l : links) {
        if (l.year < from)
            continue;
        const Vehicle *v = m.byID(l.vid);
        if (ice && (!v || v->electric()))
            continue;
        out.append(l);
    }
    return out;
}

bool anyFits(const Model &m, const QList<Link> &links, int from, bool ice)
{
    for (const Link &l : links) {
        if (l.year < from)
            continue;
        const Vehicle *v = m.byID(l.vid);
        if (!ice || (v && !v->electric()))
            return true;
    }
    return false;
}

QList<AgencyTemplate> agencyTemplates(const Content &c, const QString &key)
{
    QList<AgencyTemplate> out;
    for (const QJsonValue &v : c.agency.value(key).toArray()) {
        AgencyTemplate t;
        t.text = v.toObject();
        t.from = qMax(componentFrom(c, t.text.value(QStringLiteral("component")).toString()), t.text.value(QStringLiteral("from")).toInt(1970));
        t.ice = t.text.value(QStringLiteral("ice")).toBool();
        t.to = t.text.value(QStringLiteral("to")).toInt(9999);
        out.append(t);
    }
    return out;
}

QString vehiclePhrase(const Model &m, const QList<Link> &links)
{
    return linkedYearsPhrase(m, links, [](const Vehicle *v) { return v ? v->name() : QStringLiteral("vehicle"); });
}

int weightedYear(int from, double growth, Rng &r)
{
    QList<double> w;
    for (int y = from; y <= 2026; ++y)
        w.append(1.0 + growth * (y - from) * (y == 2026 ? 0.4 : 1.0));
    return from + int(r.weighted(w));
}

QString NumberBook::next(const QString &prefix, const QString &suffix, Rng &r)
{
    int n = m_last.value(prefix, 0);
    for (int tries = 0; tries < 2000; ++tries) {
        n += int(r.range(1, 3));
        if (n > 999)
            n = 1 + int(r.range(0, 50));
        const QString number = prefix + QStringLiteral("%1").arg(n, 3, 10, QLatin1Char('0')) + suffix;
        if (!m_used.contains(number)) {
            m_used.insert(number);
            m_last[prefix] = n;
            return number;
        }
    }
    throw GenError{QStringLiteral("no free agency number left under %1").arg(prefix)};
}

QString firstLevel(const QString &component)
{
    return component.section(QLatin1Char(':'), 0, 0);
}

int componentFrom(const Content &c, const QString &component)
{
    const QString first = firstLevel(component);
    for (const QJsonValue &v : c.agency.value(QStringLiteral("components")).toArray()) {
        const QJsonObject o = v.toObject();
        if (o.value(QStringLiteral("name")).toString() == first)
            return o.value(QStringLiteral("from")).toInt(1970);
    }
    if (first.startsWith(QLatin1String("AIR BAGS")))
        return 1988;
    return 1970;
}
