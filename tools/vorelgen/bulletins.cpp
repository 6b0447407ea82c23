#include "agency.h"

#include <QJsonArray>
#include <algorithm>

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

// The transmission named in a bulletin, from the maker, the vehicle kind and the year.
QString transmissionName(const QString &style, const Vehicle &v, int year)
{
    if (style == QLatin1String("ford")) {
        if (v.model == QLatin1String("Focus") && year >= 2012)
            return QStringLiteral("DPS6 dual-clutch");
        if (v.kind() != QLatin1String("car"))
            return year < 2005 ? QStringLiteral("4R100") : year < 2017 ? QStringLiteral("6R80") : QStringLiteral("10R80");
        return year < 2008 ? QStringLiteral("4F27E") : QStringLiteral("6F35");
    }
    if (style == QLatin1String("gm"))
        return year < 2006 ? QStringLiteral("4L60-E") : year < 2017 ? QStringLiteral("6L80") : QStringLiteral("8L90");
    if (style == QLatin1String("chrysler"))
        return year < 2007 ? QStringLiteral("45RFE") : year < 2013 ? QStringLiteral("62TE") : QStringLiteral("8HP");
    if (year >= 2013 && v.kind() == QLatin1String("car"))
        return QStringLiteral("continuously variable (CVT)");
    return year < 2004 ? QStringLiteral("4-speed automatic") : QStringLiteral("6-speed automatic");
}

QString engineText(const Vehicle &v, int year)
{
    for (const Engine &e : v.engines)
        if (year >= e.from && year <= e.to && e.evMotor.isEmpty())
            return QStringLiteral("%1L").arg(e.litres, 0, 'f', 1) + (e.turbo ? QStringLiteral(" turbocharged") : QString());
    return QStringLiteral("gasoline");
}

QString fill(QString text, const Model &m, const QString &style, const QList<Link> &links)
{
    const Vehicle *v = m.byID(links.first().vid);
    int lo = 9999, hi = 0;
    QStringList models;
    for (const Link &l : links) {
        lo = qMin(lo, l.year);
        hi = qMax(hi, l.year);
        const QString name = m.byID(l.vid)->model;
        if (!models.contains(name))
            models << name;
    }
    const QString years = lo == hi ? QString::number(lo) : QStringLiteral("%1-%2").arg(lo).arg(hi);
    text.replace(QLatin1String("{YEARS}"), years);
    text.replace(QLatin1String("{MODELS}"), models.join(QStringLiteral(", ")));
    text.replace(QLatin1String("{ENGINE}"), engineText(*v, lo));
    text.replace(QLatin1String("{TRANS}"), transmissionName(style, *v, lo));
    return text;
}

TsbRow navigatorTransmission(const Model &m)
{
    TsbRow t;
    t.documentID = QStringLiteral("02-21-4");
    t.date = QStringLiteral("2002-10-28");
    t.addedDate = QStringLiteral("2002-12-04");
    t.type = QStringLiteral("TSB");
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

// The 2002 Navigator carries a fixed number of bulletins, its transmission
// bulletin among them.
void pinNavigator(QList<Draft> &drafts, int fordGroup)
{
    QList<qsizetype> linked;
    for (qsizetype i = 0; i < drafts.size(); ++i)
        if (linksTo(drafts[i].row, kNavigatorID, kNavigatorYear))
            linked.append(i);
    // Surplus: unlink the latest-made ones first, never the pinned first one.
    for (qsizetype k = linked.size() - 1; k >= 1 && linked.size() > kNavigatorBulletins; --k) {
        QList<Link> &links = drafts[linked[k]].row.links;
        links.erase(std::remove_if(links.begin(), links.end(), [](const Link &l) { return l.vid == kNavigatorID && l.year == kNavigatorYear; }), links.end());
        linked.removeAt(k);
    }
    // Too few: add the Navigator to other Ford bulletins of its era.
    for (qsizetype i = 0; i < drafts.size() && linked.size() < kNavigatorBulletins; ++i) {
        Draft &d = drafts[i];
        if (d.group != fordGroup || d.year < 2001 || d.year > 2009 || d.from > kNavigatorYear ||
            linksTo(d.row, kNavigatorID, kNavigatorYear))
            continue;
        d.row.links.append({kNavigatorID, kNavigatorYear});
        linked.append(i);
    }
    if (linked.size() != kNavigatorBulletins)
        throw GenError{QStringLiteral("the 2002 Navigator got %1 bulletins, not %2").arg(linked.size()).arg(kNavigatorBulletins)};
    drafts.erase(std::remove_if(drafts.begin(), drafts.end(), [](const Draft &d) { return d.row.links.isEmpty(); }), drafts.end());
}

} // namespace

void buildBulletins(Model &m, const Content &c)
{
    const QList<MakerGroup> groups = makerGroups(m, c);
    const QList<AgencyTemplate> templates = agencyTemplates(c, QStringLiteral("bulletins"));
    if (templates.isEmpty())
        throw GenError{QStringLiteral("agency.json has no bulletin templates")};
    static const QStringList types = {QStringLiteral("TSB"), QStringLiteral("TSB"), QStringLiteral("TSB"), QStringLiteral("TSB"),
                                      QStringLiteral("TSB"), QStringLiteral("TSB"), QStringLiteral("Special Service Message"),
                                      QStringLiteral("Customer Satisfaction Program"), QStringLiteral("Service Information")};
    const int ford = groupOf(groups, QStringLiteral("FORD"));

    QList<Draft> drafts;
    Draft pinned;
    pinned.year = 2002;
    pinned.day = 300;
    pinned.group = ford;
    pinned.key = QStringLiteral("pinned");
    pinned.row = navigatorTransmission(m);
    drafts.append(pinned);

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
        Draft d;
        d.year = weightedYear(1986, 0.12, r);
        d.day = int(r.range(0, 363));
        d.key = QStringLiteral("%1").arg(i, 7, 10, QLatin1Char('0'));
        const qsizetype gi = r.weighted(weightByYear[d.year - 1986]);
        if (gi < 0)
            continue;
        d.group = int(gi);
        const QList<Link> picked = pickLinks(groups[gi].vehicles, d.year, 3, 5, r);
        // A condition of parts these vehicles have, in the years they had them.
        QList<const AgencyTemplate *> fitting;
        for (const AgencyTemplate &tt : templates)
            if (anyFits(m, picked, tt.from, tt.ice))
                fitting.append(&tt);
        if (fitting.isEmpty())
            continue;
        const AgencyTemplate &chosen = *fitting.at(qsizetype(r.next() % quint64(fitting.size())));
        const QJsonObject &t = chosen.text;
        d.from = chosen.from;
        d.row.links = fitLinks(m, picked, chosen.from, chosen.ice);
        d.row.components = t.value(QStringLiteral("component")).toString();
        d.row.date = isoDate(d.year, d.day);
        d.row.addedDate = isoDate(d.year, d.day + int(r.range(3, 120)));
        if (d.row.addedDate > QLatin1String("2026-12-31"))
            d.row.addedDate = QStringLiteral("2026-12-31");
        d.row.type = r.pick(types);
        d.row.documentID = documentID(groups[gi].style, d.year, d.row.components, r);
        QString text = fill(t.value(QStringLiteral("text")).toString(), m, groups[gi].style, d.row.links);
        if (d.year < 2008)
            text = text.toUpper();
        d.row.summary = text.toUtf8();
        drafts.append(d);
    }
    pinNavigator(drafts, ford);

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
