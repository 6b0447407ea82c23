#include "agency.h"

#include <QDate>
#include <QHash>
#include <QJsonArray>
#include <QSet>
#include <algorithm>
#include <functional>

namespace {

constexpr qint64 kNavigatorID = 1118;
constexpr int kNavigatorYear = 2002;
constexpr int kNavigatorBulletins = 87;

struct Draft
{
    int year = 0;
    int day = 0;
    int group = 0;
    int from = 1970; // the first model year its condition concerns
    QString key; // stable order among bulletins of one date
    TsbRow row;
};

QString systemCode(const QString &component)
{
    if (component.startsWith(QLatin1String("POWER TRAIN")))
        return QStringLiteral("TC");
    if (component.startsWith(QLatin1String("ENGINE")) || component.startsWith(QLatin1String("FUEL")))
        return QStringLiteral("EG");
    if (component.startsWith(QLatin1String("SERVICE BRAKES")))
        return QStringLiteral("BR");
    if (component.startsWith(QLatin1String("ELECTRICAL")) || component.startsWith(QLatin1String("EXTERIOR")))
        return QStringLiteral("EL");
    if (component.startsWith(QLatin1String("STEERING")) || component.startsWith(QLatin1String("SUSPENSION")))
        return QStringLiteral("ST");
    return QStringLiteral("BO");
}

QString documentID(const QString &style, int year, const QString &component, Rng &r)
{
    const QString yy = QStringLiteral("%1").arg(year % 100, 2, 10, QLatin1Char('0'));
    if (style == QLatin1String("ford"))
        return QStringLiteral("%1-%2-%3").arg(yy).arg(r.range(1, 26)).arg(r.range(1, 12));
    if (style == QLatin1String("gm"))
        return r.chance(0.2) ? QStringLiteral("PIP%1").arg(r.range(3000, 5999))
                             : QStringLiteral("%1-%2-%3-%4").arg(yy).arg(r.range(1, 8), 2, 10, QLatin1Char('0')).arg(r.range(1, 9), 2, 10, QLatin1Char('0')).arg(r.range(1, 60), 3, 10, QLatin1Char('0'));
    if (style == QLatin1String("chrysler"))
        return QStringLiteral("%1-%2-%3").arg(r.range(2, 26), 2, 10, QLatin1Char('0')).arg(r.range(1, 120), 3, 10, QLatin1Char('0')).arg(yy);
    if (style == QLatin1String("toyota"))
        return QStringLiteral("%1%2-%3").arg(systemCode(component)).arg(r.range(1, 90), 3, 10, QLatin1Char('0')).arg(yy);
    if (style == QLatin1String("honda"))
        return QStringLiteral("%1-%2").arg(yy).arg(r.range(1, 120), 3, 10, QLatin1Char('0'));
    if (style == QLatin1String("nissan"))
        return QStringLiteral("NTB%1-%2").arg(yy).arg(r.range(1, 140), 3, 10, QLatin1Char('0'));
    return QStringLiteral("SB-%1-%2").arg(yy).arg(r.range(1, 9999), 4, 10, QLatin1Char('0'));
}

// The automatic transmission a bulletin names, from the maker, the vehicle's
// layout and the year.
QString transmissionName(const Model &m, const QString &style, const Vehicle &v, int year)
{
    // Front-driven when the engine table lists a front-drive version, or
    // names no drive and the line's rule gives front drive first.
    const QList<Engine> engines = enginesOf(v, year);
    const QList<EpaRow> &rows = engineRows(m, v.id, year);
    bool front = false, stated = false;
    double biggest = 0;
    for (const EpaRow &e : rows) {
        front = front || e.drive == QLatin1String("Front-Wheel Drive");
        stated = stated || !e.drive.isEmpty();
        biggest = qMax(biggest, e.litres);
    }
    if (!stated)
        front = drivesFor(v, engines.value(0), engines, year).value(0) == QLatin1String("Front-Wheel Drive");
    if (rows.isEmpty())
        for (const Engine &o : engines)
            biggest = qMax(biggest, o.litres);
    if (style == QLatin1String("ford")) {
        if (v.model == QLatin1String("Focus") && year >= 2012)
            return QStringLiteral("DPS6 dual-clutch");
        if (!front && biggest >= 4.6)
            return year < 2005 ? QStringLiteral("4R100") : year < 2017 ? QStringLiteral("6R80") : QStringLiteral("10R80");
        if (!front)
            return year < 2011 ? QStringLiteral("5R55") : QStringLiteral("6R80");
        return year < 2008 ? QStringLiteral("4F27E") : QStringLiteral("6F35");
    }
    if (style == QLatin1String("gm")) {
        if (front)
            return year < 2008 ? QStringLiteral("4T65-E") : year < 2017 ? QStringLiteral("6T70") : QStringLiteral("9T50");
        return year < 2006 ? QStringLiteral("4L60-E") : year < 2017 ? QStringLiteral("6L80") : QStringLiteral("8L90");
    }
    if (style == QLatin1String("chrysler")) {
        if (front)
            return year < 2007 ? QStringLiteral("41TE") : year < 2014 || v.kind() == QLatin1String("van") ? QStringLiteral("62TE") : QStringLiteral("9HP");
        return year < 2013 ? QStringLiteral("45RFE") : QStringLiteral("8HP");
    }
    // A CVT only where the line had no other gearbox that year.
    const int traits = yearTraits(m, v.id, year);
    if ((traits & CvtBox) && !(traits & SteppedBox))
        return QStringLiteral("continuously variable (CVT)");
    return year < 2004 ? QStringLiteral("4-speed automatic") : year < 2010 ? QStringLiteral("5-speed automatic")
                       : year < 2017 ? QStringLiteral("6-speed automatic") : QStringLiteral("8-speed automatic");
}

// The smallest fuel-burning engine the vehicle-year's engine table lists.
QString engineText(const Model &m, const Vehicle &v, int year)
{
    for (const EpaRow &e : engineRows(m, v.id, year))
        if (e.evMotor.isEmpty() && e.litres > 0)
            return QStringLiteral("%1L").arg(e.litres, 0, 'f', 1)
                   + (e.turbo ? QStringLiteral(" turbocharged") : QString());
    for (const Engine &e : enginesOf(v, year))
        if (e.evMotor.isEmpty())
            return QStringLiteral("%1L").arg(e.litres, 0, 'f', 1) + (e.turbo ? QStringLiteral(" turbocharged") : QString());
    return QStringLiteral("gasoline");
}

// The template's text for these links. A text that names an engine or a
// transmission keeps only the model years that had the one it names.
QString fill(QString text, const Model &m, const QString &style, QList<Link> &links)
{
    const Vehicle *v = m.byID(links.first().vid);
    int lo = 9999;
    for (const Link &l : links)
        if (l.vid == v->id)
            lo = qMin(lo, l.year);
    const auto keepAlike = [&](const QString &placeholder, const std::function<QString(int)> &name) {
        if (!text.contains(placeholder))
            return;
        const QString named = name(lo);
        links.erase(std::remove_if(links.begin(), links.end(), [&](const Link &l) { return l.vid != v->id || name(l.year) != named; }),
                    links.end());
        text.replace(placeholder, named);
    };
    keepAlike(QStringLiteral("{ENGINE}"), [&](int year) { return engineText(m, *v, year); });
    keepAlike(QStringLiteral("{TRANS}"), [&](int year) { return transmissionName(m, style, *v, year); });
    text.replace(QLatin1String("{YEARS} {MODELS}"), linkedYearsPhrase(m, links, [](const Vehicle *each) { return each->model; }));
    return text;
}

// A template that names an engine or a transmission concerns one vehicle.
bool namesParts(const QJsonObject &t)
{
    const QString text = t.value(QStringLiteral("text")).toString();
    return text.contains(QLatin1String("{ENGINE}")) || text.contains(QLatin1String("{TRANS}"));
}

TsbRow navigatorTransmission(const Model &m)
{
    TsbRow t;
    t.documentID = QStringLiteral("02-21-4");
    t.date = QStringLiteral("2002-10-28");
    t.addedDate = QStringLiteral("2002-12-04");
    t.type = QStringLiteral("Service bulletin");
    t.components = QStringLiteral("POWER TRAIN:AUTOMATIC TRANSMISSION");
    t.summary = QStringLiteral("SOME 2000-2003 NAVIGATOR AND EXPEDITION VEHICLES WITH THE 4R100 TRANSMISSION MAY EXHIBIT A HARSH 1-2 UPSHIFT, "
                               "A DELAYED ENGAGEMENT OR A SLIP IN OVERDRIVE. THIS ARTICLE GIVES A REVISED DIAGNOSTIC PROCEDURE, A VALVE BODY "
                               "SEPARATOR PLATE SERVICE KIT AND AN UPDATED POWERTRAIN CONTROL MODULE CALIBRATION.").toUtf8();
    for (const char *model : {"Navigator", "Expedition"}) {
        const Vehicle *v = m.find(QLatin1String(model) == QLatin1String("Navigator") ? QStringLiteral("LINCOLN") : QStringLiteral("FORD"), QLatin1String(model));
        if (!v)
            throw GenError{QStringLiteral("vehicles.json must list the %1").arg(QLatin1String(model))};
        for (int y = 2000; y <= 2003; ++y)
            if (v->hasYear(y))
                t.links.append({v->id, y});
    }
    return t;
}

bool linksTo(const TsbRow &t, qint64 vid, int year)
{
    for (const Link &l : t.links)
        if (l.vid == vid && l.year == year)
            return true;
    return false;
}

quint64 vehicleYear(const Link &l)
{
    return quint64(l.vid) << 16 | quint64(l.year);
}

// Agency document numbers are unique: a number drawn twice is drawn again,
// and after that gets a revision letter.
QString uniqueDocument(QSet<QString> &used, const QString &style, int year, const QString &component, Rng &r)
{
    QString id;
    for (int tries = 0; tries < 12; ++tries) {
        id = documentID(style, year, component, r);
        if (!used.contains(id))
            break;
    }
    for (char rev = 'A'; used.contains(id) && rev <= 'Z'; ++rev)
        id = id.section(QLatin1Char('/'), 0, 0) + QLatin1Char('/') + QLatin1Char(rev);
    for (int n = 1; used.contains(id); ++n)
        id = id.section(QLatin1Char('/'), 0, 0) + QStringLiteral("/R%1").arg(n);
    used.insert(id);
    return id;
}

} // namespace

void buildBulletins(Model &m, const Content &c)
{
    const QList<MakerGroup> groups = makerGroups(m, c);
    const QList<AgencyTemplate> templates = agencyTemplates(c, QStringLiteral("bulletins"));
    if (templates.isEmpty())
        throw GenError{QStringLiteral("agency.json has no bulletin templates")};
    const QString ordinary = QStringLiteral("Service bulletin");
    const QStringList types = {ordinary, ordinary, ordinary, ordinary, ordinary, ordinary, QStringLiteral("Special Service Message"),
                                      QStringLiteral("Customer Satisfaction Program"), QStringLiteral("Service Information")};
    const int ford = groupOf(groups, QStringLiteral("FORD"));
    const Vehicle *navigator = m.byID(kNavigatorID);
    if (!navigator || !navigator->hasYear(kNavigatorYear))
        throw GenError{QStringLiteral("vehicles.json must list the %1 Navigator as vehicle %2").arg(kNavigatorYear).arg(kNavigatorID)};

    QList<Draft> drafts;
    QSet<QString> documents;
    QHash<quint64, QSet<int>> usedOn; // templates already on a vehicle-year
    Draft pinned;
    pinned.year = 2002;
    pinned.day = 300;
    pinned.group = ford;
    pinned.key = QStringLiteral("pinned");
    pinned.row = navigatorTransmission(m);
    documents.insert(pinned.row.documentID);
    drafts.append(pinned);

    // A draft from template ti over the links, unless every link already has it.
    const auto make = [&](int ti, int year, int group, QList<Link> links, const QString &key, Rng &r) -> bool {
        const AgencyTemplate &chosen = templates[ti];
        const QJsonObject &t = chosen.text;
        links = fitLinks(m, links, chosen.from, chosen.needs);
        links.erase(std::remove_if(links.begin(), links.end(), [&](const Link &l) {
                        return l.year > chosen.to || usedOn.value(vehicleYear(l)).contains(ti);
                    }),
                    links.end());
        if (!links.isEmpty() && namesParts(t)) {
            const qint64 first = links.first().vid;
            links.erase(std::remove_if(links.begin(), links.end(), [first](const Link &l) { return l.vid != first; }), links.end());
        }
        if (links.isEmpty())
            return false;
        const QString text = fill(t.value(QStringLiteral("text")).toString(), m, groups[group].style, links);
        Draft d;
        d.year = year;
        d.day = int(r.range(0, 363));
        d.group = group;
        d.key = key;
        d.from = chosen.from;
        d.row.links = links;
        d.row.components = t.value(QStringLiteral("component")).toString();
        d.row.date = reportDate(m, year, links, r);
        d.year = d.row.date.left(4).toInt();
        d.row.addedDate = qMin(QDate::fromString(d.row.date, Qt::ISODate).addDays(r.range(3, 120)).toString(Qt::ISODate), dataDate(m));
        d.row.type = r.pick(types);
        d.row.documentID = uniqueDocument(documents, groups[group].style, d.year, d.row.components, r);
        d.row.summary = (d.year < 2008 ? text.toUpper() : text).toUtf8();
        for (const Link &l : links)
            usedOn[vehicleYear(l)].insert(ti);
        drafts.append(d);
        return true;
    };

    // The 2002 Navigator carries a fixed number of bulletins: its own, each
    // of a different condition, over a run of model years around 2002.
    // Bulletins drawn at random leave its years around 2002 alone.
    const QList<int> navYears = {1998, 1999, 2000, 2001, 2002, 2003, 2004, 2005, 2006};
    {
        usedOn[vehicleYear({kNavigatorID, kNavigatorYear})].insert(-1);
        const Vehicle *expedition = m.find(QStringLiteral("FORD"), QStringLiteral("Expedition"));
        int made = 1;
        for (int ti = 0; ti < templates.size() && made < kNavigatorBulletins; ++ti) {
            Rng r = Rng::keyed(QStringLiteral("tsb-navigator:%1").arg(ti));
            const int first = int(r.range(qMax(1998, kNavigatorYear - 3), kNavigatorYear));
            const int last = int(r.range(kNavigatorYear, kNavigatorYear + 3));
            QList<Link> links;
            for (int y = first; y <= last; ++y)
                if (navigator->hasYear(y))
                    links.append({kNavigatorID, y});
            if (expedition && r.chance(0.4))
                for (int y = first; y <= last; ++y)
                    if (expedition->hasYear(y))
                        links.append({expedition->id, y});
            const int year = qMin(2026, last + int(r.range(0, 2)));
            const qsizetype before = drafts.size();
            if (make(int(ti), year, ford, links, QStringLiteral("n%1").arg(ti, 4, 10, QLatin1Char('0')), r) &&
                linksTo(drafts.last().row, kNavigatorID, kNavigatorYear))
                ++made;
            else
                drafts.resize(before);
        }
        if (made != kNavigatorBulletins)
            throw GenError{QStringLiteral("the 2002 Navigator got %1 bulletins, not %2").arg(made).arg(kNavigatorBulletins)};
    }

    // Per model year, the weight of each group's vehicles on the road.
    QList<QList<double>> weightByYear(2027 - 1986);
    for (int y = 1986; y <= 2026; ++y) {
        QList<double> &w = weightByYear[y - 1986];
        for (const MakerGroup &g : groups) {
            double n = 0;
            for (const Vehicle *v : g.vehicles)
                if (v->years.first() <= y + 1 && v->years.last() >= y - 5)
                    n += v->pop * v->pop;
            w.append(n);
        }
    }
    for (int i = 0; i < m.profile.bulletins; ++i) {
        Rng r = Rng::keyed(QStringLiteral("tsb:%1:%2").arg(m.profile.name).arg(i));
        const int year = weightedYear(1986, 0.12, r);
        const qsizetype gi = r.weighted(weightByYear[year - 1986]);
        if (gi < 0)
            continue;
        QList<Link> picked = pickLinks(groups[gi].vehicles, year, 3, 5, r);
        picked.erase(std::remove_if(picked.begin(), picked.end(), [&](const Link &l) {
                         return l.vid == kNavigatorID && navYears.contains(l.year);
                     }),
                     picked.end());
        // A condition of parts these vehicles have, in the years they had them.
        QList<int> fitting;
        for (qsizetype ti = 0; ti < templates.size(); ++ti)
            if (anyFits(m, picked, templates[ti].from, templates[ti].needs))
                fitting.append(int(ti));
        if (fitting.isEmpty())
            continue;
        const int ti = fitting.at(qsizetype(r.next() % quint64(fitting.size())));
        make(ti, year, int(gi), picked, QStringLiteral("%1").arg(i, 7, 10, QLatin1Char('0')), r);
    }

    // Agency ids rise with the bulletin date.
    std::sort(drafts.begin(), drafts.end(), [](const Draft &a, const Draft &b) {
        return a.row.date != b.row.date ? a.row.date < b.row.date : a.key < b.key;
    });
    Rng ids = Rng::keyed(QStringLiteral("tsb-ids:") + m.profile.name);
    qint64 id = 10000000;
    m.tsbs.reserve(drafts.size());
    for (Draft &d : drafts) {
        id += ids.range(1, 9);
        d.row.id = id;
        std::sort(d.row.links.begin(), d.row.links.end(), [](const Link &a, const Link &b) {
            return a.vid != b.vid ? a.vid < b.vid : a.year < b.year;
        });
        m.tsbs.append(std::move(d.row));
    }
}
