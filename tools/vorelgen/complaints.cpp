#include "agency.h"
#include "data/complaintrule.h"

#include <QJsonArray>
#include <algorithm>
#include <cmath>

namespace {

struct HotSpot
{
    QString make, model, component, sub;
    QList<YearRun> runs;
    double share = 0;
    qint64 lo = 0, hi = 0;
};

struct Top
{
    Component component;
    QList<Component> subs;
};

// Components and their ids: each level-1 component, then its sub-areas.
QList<Top> readComponents(Model &m, const Content &c)
{
    QList<Top> tops;
    int id = 1;
    for (const QJsonValue &v : c.agency.value(QStringLiteral("components")).toArray()) {
        const QJsonObject o = v.toObject();
        Top t;
        t.component.id = id++;
        t.component.name = o.value(QStringLiteral("name")).toString();
        t.component.weight = o.value(QStringLiteral("weight")).toDouble();
        t.component.from = o.value(QStringLiteral("from")).toInt(1970);
        t.component.ice = o.value(QStringLiteral("ice")).toBool();
        m.components.append(t.component);
        const QJsonObject subs = o.value(QStringLiteral("subs")).toObject();
        for (auto it = subs.begin(); it != subs.end(); ++it) {
            Component s;
            s.id = id++;
            s.name = t.component.name + QLatin1Char(':') + it.key();
            s.level = 2;
            s.parent = t.component.id;
            // A weight, or {"weight", "from", "ice"} for a part that came later
            // or that only combustion engines have.
            const QJsonObject detail = it.value().toObject();
            s.weight = it.value().isObject() ? detail.value(QStringLiteral("weight")).toDouble() : it.value().toDouble();
            s.from = qMax(t.component.from, detail.value(QStringLiteral("from")).toInt(1970));
            s.ice = t.component.ice || detail.value(QStringLiteral("ice")).toBool();
            t.subs.append(s);
            m.components.append(s);
        }
        tops.append(t);
    }
    if (tops.isEmpty())
        throw GenError{QStringLiteral("agency.json lists no complaint components")};
    return tops;
}

QList<HotSpot> readHotSpots(const Content &c)
{
    QList<HotSpot> out;
    for (const QJsonValue &v : c.agency.value(QStringLiteral("hotspots")).toArray()) {
        const QJsonObject o = v.toObject();
        HotSpot h;
        h.make = o.value(QStringLiteral("make")).toString();
        h.model = o.value(QStringLiteral("model")).toString();
        h.component = o.value(QStringLiteral("component")).toString();
        h.sub = o.value(QStringLiteral("sub")).toString();
        h.runs = parseRuns(o.value(QStringLiteral("years")).toString(), QStringLiteral("agency.json hot spot"));
        h.share = o.value(QStringLiteral("share")).toDouble();
        h.lo = o.value(QStringLiteral("total")).toArray().at(0).toInteger();
        h.hi = o.value(QStringLiteral("total")).toArray().at(1).toInteger();
        out.append(h);
    }
    return out;
}

double eraFactor(int year)
{
    if (year < 1980)
        return 0.03;
    if (year < 1990)
        return 0.12;
    if (year < 1995)
        return 0.35;
    if (year < 2000)
        return 0.7;
    if (year <= 2022)
        return 1.0;
    static const double late[] = {0.8, 0.55, 0.3, 0.08};
    return late[qMin(year - 2023, 3)];
}

// Splits n into parts in proportion to the weights: drawn one by one for small
// n, by largest remainders for large n.
QList<qint64> split(qint64 n, const QList<double> &weights, Rng &r)
{
    QList<qint64> out(weights.size(), 0);
    double sum = 0;
    for (const double w : weights)
        sum += w;
    if (n <= 0 || !(sum > 0))
        return out;
    if (n <= 300) {
        for (qint64 k = 0; k < n; ++k)
            ++out[r.weighted(weights)];
        return out;
    }
    QList<QPair<double, qsizetype>> rest;
    qint64 given = 0;
    for (qsizetype i = 0; i < weights.size(); ++i) {
        const double e = double(n) * weights[i] / sum;
        out[i] = qint64(std::floor(e));
        given += out[i];
        rest.append({e - double(out[i]), i});
    }
    std::stable_sort(rest.begin(), rest.end(), [](const auto &a, const auto &b) { return a.first > b.first; });
    for (qsizetype k = 0; given < n; ++k, ++given)
        ++out[rest[k % rest.size()].second];
    return out;
}

const HotSpot *hotSpotFor(const QList<HotSpot> &spots, const Vehicle &v, int year)
{
    for (const HotSpot &h : spots) {
        if (h.make != v.make || h.model != v.model)
            continue;
        for (const YearRun &run : h.runs)
            if (year >= run.first && year <= run.second)
                return &h;
    }
    return nullptr;
}

} // namespace

void buildComplaints(Model &m, const Content &c)
{
    const QList<Top> tops = readComponents(m, c);
    QList<HotSpot> spots = readHotSpots(c);
    for (const HotSpot &h : spots)
        if (!m.find(h.make, h.model))
            throw GenError{QStringLiteral("agency.json hot spot names %1 %2, which vehicles.json does not list").arg(h.make, h.model)};
    static const QList<double> popScale = {0, 12, 40, 110, 260, 600};
    QHash<int, int> needs; // what each component's name says a vehicle-year must have
    for (const Component &k : m.components)
        needs.insert(k.id, textNeeds(k.name, QString()));

    for (const Vehicle &v : m.vehicles) {
        // Random hot spots for the generated fleet: a few model runs with one
        // area named far more often than for other vehicles.
        HotSpot randomSpot;
        Rng vr = Rng::keyed(QStringLiteral("complaint-vehicle:%1").arg(v.id));
        QList<double> vehicleNoise;
        // Real vehicles vary little, so that only their listed hot spots stand
        // out; the generated fleet varies more.
        const double vehicleSigma = v.generated ? 0.35 : 0.2;
        const double yearSigma = v.generated ? 0.25 : 0.12;
        const double subSigma = v.generated ? 0.3 : 0.12;
        const bool electric = v.electric();
        for (qsizetype i = 0; i < tops.size(); ++i)
            vehicleNoise.append(vr.logNormal(0, vehicleSigma));
        if (v.generated && vr.chance(0.08)) {
            randomSpot.component = vr.pick(tops).component.name;
            randomSpot.share = vr.uniform(0.15, 0.5);
            const int y = vr.pick(v.years);
            randomSpot.runs = {{y, y + int(vr.range(0, 3))}};
        }
        for (const int year : v.years) {
            Rng r = Rng::keyed(QStringLiteral("complaints:%1:%2").arg(v.id).arg(year));
            const HotSpot *spot = hotSpotFor(spots, v, year);
            if (!spot && !randomSpot.component.isEmpty() && year >= randomSpot.runs.first().first && year <= randomSpot.runs.first().second)
                spot = &randomSpot;
            qint64 total = qint64(std::llround(popScale[v.pop] * eraFactor(year) * r.logNormal(0, 0.7)));
            if (spot && spot->hi > 0)
                total = r.range(spot->lo, spot->hi);
            if (v.heavy)
                total /= 4;
            if (total <= 0)
                continue;

            // Only areas of parts the vehicle-year has, as its page shows them.
            const int traits = yearTraits(m, v.id, year);
            const auto has = [&](const Component &k) {
                return k.from <= year && !(k.ice && electric) && (needs.value(k.id) & ~traits) == 0;
            };
            QList<double> weights;
            qsizetype hot = -1;
            for (qsizetype i = 0; i < tops.size(); ++i) {
                const Component &k = tops[i].component;
                const double w = has(k) ? k.weight * vehicleNoise[i] * r.logNormal(0, yearSigma) : 0.0;
                weights.append(w);
                if (spot && k.name == spot->component && has(k))
                    hot = i;
            }
            // A hot spot's area takes its share of the total; the rest is
            // spread over the other areas as usual.
            qint64 hotCount = 0;
            if (hot >= 0) {
                hotCount = qMin(total, qint64(std::llround(double(total) * spot->share)));
                weights[hot] = 0;
            }
            QList<qint64> counts = split(total - hotCount, weights, r);
            if (hot >= 0)
                counts[hot] = hotCount;

            TotalsRow t;
            t.vid = v.id;
            t.year = year;
            t.complaints = total;
            t.crashes = qint64(std::llround(double(total) * r.uniform(0.02, 0.10)));
            t.fires = qint64(std::llround(double(total) * r.uniform(0.0, 0.025)));
            t.injuries = qint64(std::llround(double(total) * r.uniform(0.01, 0.07)));
            t.deaths = total >= 200 ? qint64(std::llround(double(total) * r.uniform(0.0, 0.003))) : 0;
            m.totals.append(t);

            for (qsizetype i = 0; i < tops.size(); ++i) {
                if (counts[i] <= 0)
                    continue;
                ComplaintRow row;
                row.vid = v.id;
                row.year = year;
                row.component = tops[i].component.id;
                row.complaints = counts[i];
                row.vehicleYearComplaints = total;
                m.complaints.append(row);
                if (tops[i].subs.isEmpty())
                    continue;
                QList<double> sw;
                for (const Component &s : tops[i].subs) {
                    double w = s.weight * r.logNormal(0, subSigma);
                    if (!has(s))
                        w = 0;
                    if (spot && qsizetype(hot) == i && s.name.endsWith(QLatin1Char(':') + spot->sub))
                        w *= 6;
                    sw.append(w);
                }
                const QList<qint64> subCounts = split(counts[i], sw, r);
                for (qsizetype j = 0; j < subCounts.size(); ++j) {
                    if (subCounts[j] <= 0)
                        continue;
                    ComplaintRow sub = row;
                    sub.level = 2;
                    sub.component = tops[i].subs[j].id;
                    sub.complaints = subCounts[j];
                    m.complaints.append(sub);
                }
            }
        }
    }

    complaintStatistics(m);
}

void complaintStatistics(Model &m)
{
    // Peer shares: an area's complaints over all vehicles of the model year,
    // divided by all of their complaints.
    QMap<int, double> yearTotal;
    for (const TotalsRow &t : m.totals)
        yearTotal[t.year] += double(t.complaints);
    QMap<QPair<int, int>, double> areaTotal;
    for (const ComplaintRow &row : m.complaints)
        areaTotal[{row.year, row.component}] += double(row.complaints);
    for (ComplaintRow &row : m.complaints) {
        const double n = double(row.vehicleYearComplaints);
        row.share = double(row.complaints) / n;
        row.peer = areaTotal[{row.year, row.component}] / yearTotal[row.year];
        row.index = row.peer > 0 ? row.share / row.peer : 0.0;
        const double var = row.peer * (1.0 - row.peer) / n;
        row.z = var > 0 ? (row.share - row.peer) / std::sqrt(var) : 0.0;
        if (!std::isfinite(row.index))
            row.index = 0;
        if (!std::isfinite(row.z))
            row.z = 0;
        row.notablyHigh = ComplaintRule::notablyHigh(row.index, row.complaints, row.vehicleYearComplaints, row.z);
    }
}
