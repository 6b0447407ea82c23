#include "fleet.h"

#include <QJsonArray>
#include <QRegularExpression>
#include <algorithm>

namespace {

constexpr int kMaxEnginesPerYear = 6;

Engine fromCatalog(const VpicEngine &c, int year)
{
    Engine e;
    e.from = e.to = year;
    e.fromCatalog = true;
    e.fuel = c.fuel;
    e.hybrid = c.hybrid;
    if (c.fuel == QLatin1String("Electric")) {
        e.evMotor = QStringLiteral("battery electric");
    } else {
        e.litres = c.litres;
        e.cylinders = c.cylinders;
        e.turbo = c.turbo;
    }
    return e;
}

// Neighbouring years with the same engine become one run.
QList<Engine> mergeYears(const QList<Engine> &perYear)
{
    QList<Engine> out;
    for (const Engine &e : perYear) {
        bool merged = false;
        for (Engine &o : out) {
            Engine a = o, b = e;
            a.from = b.from = a.to = b.to = 0;
            if (a == b && e.from == o.to + 1) {
                o.to = e.to;
                merged = true;
                break;
            }
        }
        if (!merged)
            out.append(e);
    }
    return out;
}

QString typesOf(const VpicLine &l, bool heavy)
{
    const int car = l.types.value(2), truck = l.types.value(3), mpv = l.types.value(7), incomplete = l.types.value(10);
    const int top = qMax(car, qMax(truck, mpv));
    if (top == 0)
        return l.types.contains(5) && incomplete == 0 ? QStringLiteral("Bus") : QStringLiteral("Incomplete Vehicle,Truck");
    if (heavy)
        return incomplete > 0 ? QStringLiteral("Incomplete Vehicle,Truck") : QStringLiteral("Truck");
    if (car == top)
        return QStringLiteral("Passenger Car");
    if (mpv == top)
        return truck * 3 >= top ? QStringLiteral("MPV,Truck") : QStringLiteral("MPV");
    // A pickup is a truck even where its WMIs also serve vans and SUVs.
    for (const VpicYear &y : l.years)
        if (y.bodies.contains(QStringLiteral("Pickup")))
            return QStringLiteral("Truck");
    return mpv * 3 >= top ? QStringLiteral("MPV,Truck") : QStringLiteral("Truck");
}

bool usableName(const QString &model)
{
    static const QRegularExpression codeLike(QStringLiteral("\\b[PBCU][0-9][0-9A-F]{3}"), QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression words(QStringLiteral("chassis|motorhome|motor home|incomplete|trailer|hearse|limo|military|bus\\b|glider|"
                                                         "\\bcoach|unknown|other|test|conversion"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (model.isEmpty() || !model.front().isLetterOrNumber() || model.size() > 30)
        return false;
    return !codeLike.match(model).hasMatch() && !words.match(model).hasMatch();
}

} // namespace

Fleet::Fleet(const Content &c) : m_content(c)
{
    for (const QJsonValue &n : c.vehicles.value(QStringLiteral("not_sold")).toArray())
        m_notSold.insert(lineKey(n.toString().section(QLatin1Char('|'), 0, 0), n.toString().section(QLatin1Char('|'), 1)));
    for (qsizetype i = 0; i < c.vpic.size(); ++i)
        m_index.insert(lineKey(c.vpic[i].make, c.vpic[i].model), i);
    for (const QJsonValue &g : c.agency.value(QStringLiteral("groups")).toArray())
        for (const QJsonValue &mk : g.toObject().value(QStringLiteral("makes")).toArray())
        {
            m_established.insert(mk.toString());
            if (g.toObject().value(QStringLiteral("heavy")).toBool())
                m_heavyMakers.insert(mk.toString());
        }
}

bool Fleet::heavy(const VpicLine &l) const
{
    if (!l.passengerType() || l.gvwrLight >= 4 || m_heavyMakers.contains(l.make))
        return true;
    if (l.types.value(2) >= qMax(l.types.value(3), l.types.value(7)))
        return false; // mostly catalogued as a car
    // A truck or van line without weight ratings, by its name: medium-duty numbers
    // (F-450 to F-800, L8000, 4500HD; not the 1500 to 3500 ton classes) and
    // body words of work trucks.
    static const QRegularExpression number(QStringLiteral("(\\d{3,4})"));
    static const QRegularExpression words(QStringLiteral("\\b(tilt|conventional|forward|cutaway|cab|stripped|tractor|hi-cube|step van)\\b"),
                                          QRegularExpression::CaseInsensitiveOption);
    const int n = number.match(l.model).captured(1).toInt();
    return (n >= 450 && n < 1000) || n >= 4000 || words.match(l.model).hasMatch();
}

int Fleet::endedYear(const QString &make) const
{
    return m_content.vehicles.value(QStringLiteral("ended")).toObject().value(make).toInt(9999);
}

int Fleet::tier(const VpicLine &l) const
{
    if (!m_established.contains(l.make) || !usableName(l.model) || l.years.isEmpty() ||
        m_notSold.contains(lineKey(l.make, l.model)))
        return 0;
    if (!heavy(l) && l.years.firstKey() > endedYear(l.make))
        return 0;
    return heavy(l) ? 2 : 1;
}

QList<Engine> Fleet::engines(const QMap<int, VpicYear> &catalog, const QList<int> &years)
{
    QList<Engine> perYear;
    for (const int y : years) {
        QList<Engine> combustion, electric;
        for (const VpicEngine &c : catalog.value(y).engines) {
            Engine e = fromCatalog(c, y);
            if (!e.evMotor.isEmpty()) {
                electric.append(e);
                continue;
            }
            // A pattern without its cylinders, or with more than 1.2 L each, is not trusted.
            if (e.cylinders <= 0 || e.litres > 1.2 * e.cylinders)
                continue;
            // Every light-duty diesel sold from 2000 on is turbocharged, whether or not the pattern says so.
            if (e.fuel == QLatin1String("Diesel") && y >= 2000)
                e.turbo = true;
            if (!combustion.contains(e))
                combustion.append(e);
        }
        std::sort(combustion.begin(), combustion.end(), [](const Engine &a, const Engine &b) {
            return a.litres != b.litres ? a.litres < b.litres : a.cylinders < b.cylinders;
        });
        if (combustion.size() > kMaxEnginesPerYear)
            combustion.resize(kMaxEnginesPerYear);
        perYear += combustion;
        // A plug-in version of a hybrid line is not a battery-electric car.
        const bool hybridLine = std::any_of(combustion.begin(), combustion.end(), [](const Engine &e) { return e.hybrid; });
        if (!hybridLine)
            perYear += electric.mid(0, 1);
    }
    return mergeYears(perYear);
}

void Fleet::attach(Vehicle &v) const
{
    const qsizetype at = m_index.value(lineKey(v.catalogMake.isEmpty() ? v.make : v.catalogMake, v.catalogName), -1);
    if (at < 0)
        return;
    v.catalog = m_content.vpic[at].years;
}

QList<Vehicle> Fleet::select(const QList<Vehicle> &handWritten, int total) const
{
    QSet<QString> taken;
    QSet<qint64> used;
    QSet<QString> names; // a make and model name shows once, however vPIC spells its case
    for (const Vehicle &v : handWritten) {
        taken.insert(lineKey(v.catalogMake.isEmpty() ? v.make : v.catalogMake, v.catalogName));
        names.insert(lineKey(v.make, v.model));
        used.insert(v.id);
    }
    QList<const VpicLine *> ranked;
    // A line merged into another never comes back as a line of its own.
    for (auto it = m_content.merged.begin(); it != m_content.merged.end(); ++it)
        taken.insert(it.key());
    for (const VpicLine &l : m_content.vpic)
        if (tier(l) > 0 && !taken.contains(lineKey(l.make, l.model)) && !names.contains(lineKey(l.make, l.model)))
            ranked.append(&l);
    std::sort(ranked.begin(), ranked.end(), [this](const VpicLine *a, const VpicLine *b) {
        const int ta = tier(*a), tb = tier(*b);
        if (ta != tb)
            return ta < tb;
        if (a->patterns != b->patterns)
            return a->patterns > b->patterns;
        if (a->years.size() != b->years.size())
            return a->years.size() > b->years.size();
        return a->make != b->make ? a->make < b->make : a->model < b->model;
    });
    const qsizetype want = total - handWritten.size();
    if (ranked.size() < want)
        throw GenError{QStringLiteral("the vPIC catalogue gives %1 usable lines; the fleet needs %2").arg(ranked.size()).arg(want)};
    ranked.resize(want);
    QHash<const VpicLine *, qsizetype> rank;
    for (qsizetype k = 0; k < ranked.size(); ++k)
        rank.insert(ranked[k], k);
    std::sort(ranked.begin(), ranked.end(), [](const VpicLine *a, const VpicLine *b) {
        return a->make != b->make ? a->make < b->make : a->model < b->model;
    });
    const QJsonObject makes = m_content.vehicles.value(QStringLiteral("makes")).toObject();
    QList<Vehicle> out;
    // A line keeps its id from fleet_ids.json; a line new to the fleet takes
    // an id above every reserved one.
    qint64 id = 1;
    for (const qint64 fixed : m_content.fleetIds) {
        used.insert(fixed);
        id = qMax(id, fixed + 1);
    }
    for (qsizetype k = 0; k < ranked.size(); ++k) {
        const VpicLine &l = *ranked[k];
        Vehicle v;
        v.id = m_content.fleetIds.value(lineKey(l.make, l.model), 0);
        if (v.id <= 0) {
            while (used.contains(id))
                ++id;
            v.id = id++;
        }
        v.make = l.make;
        v.makeDisplay = makes.value(l.make).toString(l.makeDisplay);
        v.model = l.model;
        v.catalogName = l.model;
        v.heavy = heavy(l);
        v.types = typesOf(l, v.heavy);
        v.tier = tier(l);
        v.pop = rank.value(&l) * 4 < ranked.size() && !v.heavy ? 2 : 1;
        v.catalog = l.years;
        // A make that left the market sold no light vehicles after its last year.
        if (!v.heavy)
            v.catalog.removeIf([this, &l](const auto &it) { return it.key() > endedYear(l.make); });
        v.years = v.catalog.keys();
        for (const int y : v.years)
            if (v.runs.isEmpty() || v.runs.last().second + 1 != y)
                v.runs.append({y, y});
            else
                v.runs.last().second = y;
        v.engines = engines(v.catalog, v.years);
        out.append(v);
    }
    return out;
}
