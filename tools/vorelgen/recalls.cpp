#include "agency.h"

#include <QDate>
#include <QHash>
#include <QJsonArray>
#include <QSet>
#include <algorithm>

namespace {

struct Template
{
    QString type, component, consequence, remedy;
    QStringList defects; // ways the same defect is put; one is drawn per recall
    bool doNotDrive = false, parkOutside = false;
    int from = 1970;
    int needs = 0; // the traits a vehicle-year needs (templateNeeds)
};

QList<Template> recallTemplates(const Content &c)
{
    QList<Template> out;
    for (const QJsonValue &v : c.agency.value(QStringLiteral("recalls")).toArray()) {
        const QJsonObject o = v.toObject();
        Template t;
        t.type = o.value(QStringLiteral("type")).toString();
        t.component = o.value(QStringLiteral("component")).toString();
        const QJsonValue defect = o.value(QStringLiteral("defect"));
        if (defect.isArray())
            for (const QJsonValue &d : defect.toArray())
                t.defects << d.toString();
        else
            t.defects << defect.toString();
        t.consequence = o.value(QStringLiteral("consequence")).toString();
        t.remedy = o.value(QStringLiteral("remedy")).toString();
        t.doNotDrive = o.value(QStringLiteral("do_not_drive")).toBool();
        t.parkOutside = o.value(QStringLiteral("park_outside")).toBool();
        t.from = qMax(componentFrom(c, t.component), o.value(QStringLiteral("from")).toInt(1970));
        t.needs = templateNeeds(o);
        out.append(t);
    }
    if (out.isEmpty())
        throw GenError{QStringLiteral("agency.json has no recall templates")};
    return out;
}

// Older agency texts are all capitals; newer ones are mixed case.
QString agencyCase(const QString &text, int year)
{
    return year < 2008 ? text.toUpper() : text;
}

const QString kHotline = QStringLiteral(
    "Owners may also contact the National Highway Traffic Safety Administration's vehicle safety hotline.");
const QString kNote = kHotline + QStringLiteral(" This is a generated sample record, not an agency record.");

void addLinks(Model &m, const QString &make, const QString &model, int from, int to, QList<Link> &links)
{
    const Vehicle *v = m.find(make, model);
    if (!v)
        throw GenError{QStringLiteral("vehicles.json must list %1 %2").arg(make, model)};
    for (int y = from; y <= to; ++y) {
        if (!v->hasYear(y))
            throw GenError{QStringLiteral("vehicles.json: %1 %2 must have model year %3").arg(make, model).arg(y)};
        links.append({v->id, y});
    }
}

RecallRow pinnedRecall(Model &m, const QString &campaign, const QString &maker, const QString &component,
                       const QString &date, qint64 affected, const QString &defect, const QString &consequence,
                       const QString &remedy, const QList<std::tuple<QString, QString, int, int>> &covered)
{
    RecallRow r;
    r.campaign = campaign;
    r.type = QStringLiteral("V");
    r.manufacturer = maker;
    r.components = component;
    r.reportDate = date;
    r.affected = affected;
    r.initiatedBy = QStringLiteral("MFR");
    for (const auto &[make, model, from, to] : covered)
        addLinks(m, make, model, from, to, r.links);
    const int year = date.left(4).toInt();
    r.summary = agencyCase(QStringLiteral("%1 is recalling certain model year %2 vehicles. %3")
                               .arg(maker, vehiclePhrase(m, r.links), defect), year);
    r.consequence = agencyCase(consequence, year);
    r.remedy = agencyCase(remedy, year);
    r.notes = kHotline; // kept with the agency's own content: not a sample
    return r;
}

} // namespace

bool sameParts(const QString &a, const QString &b)
{
    const QStringList bs = b.split(QLatin1Char('|'));
    for (const QString &x : a.split(QLatin1Char('|')))
        for (const QString &y : bs)
            if (firstLevel(x) == firstLevel(y))
                return true;
    return false;
}

bool shareVehicleYear(const QList<Link> &a, const QList<Link> &b)
{
    for (const Link &x : a)
        for (const Link &y : b)
            if (x.vid == y.vid && x.year == y.year)
                return true;
    return false;
}

void buildRecalls(Model &m, const Content &c)
{
    if (m.dataDate.isEmpty())
        m.dataDate = c.vpicDate;
    const QList<MakerGroup> groups = makerGroups(m, c);
    const QList<Template> templates = recallTemplates(c);
    NumberBook book;
    book.reserve(QStringLiteral("05V388000"));
    book.reserve(QStringLiteral("09V388000"));

    m.recalls.append(pinnedRecall(
        m, QStringLiteral("05V388000"), QStringLiteral("Ford Motor Company"),
        QStringLiteral("VEHICLE SPEED CONTROL|ELECTRICAL SYSTEM:WIRING"), QStringLiteral("2005-09-07"), 3780000,
        QStringLiteral("The speed control deactivation switch may overheat, smoke or burn, whether the engine is running or not."),
        QStringLiteral("A burning deactivation switch may cause an underhood fire, even while the vehicle is parked."),
        QStringLiteral("Dealers will install a fused wiring harness to the speed control system, free of charge."),
        {{"FORD", "F-150", 1994, 2002}, {"FORD", "Expedition", 1997, 2002}, {"LINCOLN", "Navigator", 1998, 2002},
         {"LINCOLN", "Town Car", 1993, 2002}, {"FORD", "Crown Victoria", 1993, 2002}, {"MERCURY", "Grand Marquis", 1993, 2002}}));
    m.recalls.last().parkOutside = false;
    m.recalls.last().group = groupOf(groups, QStringLiteral("FORD"));
    m.recalls.append(pinnedRecall(
        m, QStringLiteral("09V388000"), QStringLiteral("Toyota Motor Engineering & Manufacturing"),
        QStringLiteral("VEHICLE SPEED CONTROL:ACCELERATOR PEDAL|EQUIPMENT:OTHER:FLOOR MATS"), QStringLiteral("2009-09-29"), 3860000,
        QStringLiteral("The driver's floor mat may move forward and trap the accelerator pedal in a partly or fully open position."),
        QStringLiteral("A stuck accelerator pedal may result in very high vehicle speeds and make it difficult to stop the vehicle, which could cause a crash, serious injury or death."),
        QStringLiteral("Dealers will reshape the accelerator pedal, replace the floor mats and, on some vehicles, install a brake override function, free of charge."),
        {{"TOYOTA", "Camry", 2007, 2010}, {"TOYOTA", "Avalon", 2005, 2010}, {"TOYOTA", "Prius", 2004, 2009},
         {"TOYOTA", "Tacoma", 2005, 2010}, {"TOYOTA", "Tundra", 2007, 2010}, {"LEXUS", "ES", 2007, 2010}, {"LEXUS", "IS", 2006, 2010}}));
    m.recalls.last().group = groupOf(groups, QStringLiteral("TOYOTA"));

    // Per model year: how many vehicles each group sells, for picking makers.
    QList<const Vehicle *> everyone;
    for (const Vehicle &v : m.vehicles)
        everyone.append(&v);
    const QJsonObject makers = c.agency.value(QStringLiteral("equipment_makers")).toObject();
    QHash<quint64, QSet<const Template *>> usedOn; // vehicle recall defects already on a vehicle-year
    const auto key = [](const Link &l) { return quint64(l.vid) << 16 | quint64(l.year); };
    const auto unused = [&](QList<Link> links, const Template *t) {
        links.erase(std::remove_if(links.begin(), links.end(), [&](const Link &l) { return usedOn.value(key(l)).contains(t); }), links.end());
        return links;
    };
    const auto remember = [&](const QList<Link> &links, const Template *t) {
        for (const Link &l : links)
            usedOn[key(l)].insert(t);
    };

    for (int i = int(m.recalls.size()); i < m.profile.recalls; ++i) {
        Rng r = Rng::keyed(QStringLiteral("recall:%1:%2").arg(m.profile.name).arg(i));
        const int year = weightedYear(1970, 0.09, r);
        const double u = r.uniform();
        const QString type = u < 0.86 ? QStringLiteral("V") : u < 0.93 ? QStringLiteral("E") : u < 0.97 ? QStringLiteral("T") : QStringLiteral("C");
        RecallRow row;
        row.type = type;
        row.initiatedBy = r.chance(0.9) ? QStringLiteral("MFR") : QStringLiteral("ODI");
        if (!r.chance(0.03))
            row.affected = std::clamp<qint64>(qint64(r.logNormal(7.5, 2.0)), 1, 4500000);
        const Template *chosen = nullptr;
        QString lead;
        if (type == QLatin1String("V")) {
            QList<double> w;
            for (const MakerGroup &g : groups) {
                double n = 0;
                for (const Vehicle *v : g.vehicles)
                    if (v->years.first() <= year + 1 && v->years.last() >= year - 5)
                        n += v->pop;
                w.append(n);
            }
            const qsizetype gi = r.weighted(w);
            if (gi < 0)
                continue;
            row.group = int(gi);
            row.manufacturer = groups[gi].nameFor(row.reportDate);
            const QList<Link> picked = pickLinks(groups[gi].vehicles, year, 4, 4, r);
            // A defect only of parts these vehicles have, in the years they had them.
            QList<const Template *> fitting;
            for (const Template &t : templates)
                if (t.type == type && t.from <= year && anyFits(m, picked, t.from, t.needs))
                    fitting.append(&t);
            if (fitting.isEmpty())
                continue;
            // The same defect twice on one vehicle-year reads as a copy: another
            // defect is tried, else the vehicle-years that had it are left out.
            for (int tries = 0; tries < 4; ++tries) {
                chosen = r.pick(fitting);
                row.links = unused(fitLinks(m, picked, chosen->from, chosen->needs), chosen);
                if (!row.links.isEmpty())
                    break;
            }
            if (row.links.isEmpty())
                continue;
            remember(row.links, chosen);
            row.reportDate = reportDate(m, year, row.links, r);
            row.manufacturer = groups[gi].nameFor(row.reportDate);
            lead = QStringLiteral("%1 is recalling certain model year %2 vehicles. ").arg(row.manufacturer, vehiclePhrase(m, row.links));
        } else {
            QList<const Template *> fitting;
            for (const Template &t : templates)
                if (t.type == type && t.from <= year)
                    fitting.append(&t);
            if (fitting.isEmpty())
                continue;
            chosen = r.pick(fitting);
            const QJsonArray names = makers.value(type).toArray();
            row.manufacturer = names.at(qsizetype(r.next() % quint64(qMax<qsizetype>(1, names.size())))).toString();
            if (r.chance(0.4))
                row.links = fitLinks(m, pickLinks(everyone, year, 2, 3, r), chosen->from, chosen->needs);
            row.reportDate = reportDate(m, year, row.links, r);
            const QString what = type == QLatin1String("T") ? QStringLiteral("tires") : type == QLatin1String("C") ? QStringLiteral("child restraints") : QStringLiteral("replacement parts");
            lead = QStringLiteral("%1 is recalling certain %2").arg(row.manufacturer, what);
            lead += row.links.isEmpty() ? QStringLiteral(". ") : QStringLiteral(" sold for or fitted to %1 vehicles. ").arg(vehiclePhrase(m, row.links));
        }
        const Template &t = *chosen;
        row.components = t.component;
        row.doNotDrive = t.doNotDrive;
        row.parkOutside = t.parkOutside;
        // Campaign numbers and the case of the texts follow the year filed.
        const int filed = row.reportDate.left(4).toInt();
        row.campaign = book.next(QStringLiteral("%1%2").arg(filed % 100, 2, 10, QLatin1Char('0')).arg(type), QStringLiteral("000"), r);
        row.summary = agencyCase(lead + r.pick(t.defects), filed);
        row.consequence = agencyCase(t.consequence, filed);
        row.remedy = agencyCase(t.remedy, filed);
        row.notes = kNote;
        m.recalls.append(row);
    }
    // A recall the loop skipped (no fitting template or vehicle) is made up
    // for by running on with fresh keys until the count is reached.
    for (int extra = 0; m.recalls.size() < m.profile.recalls; ++extra) {
        Rng r = Rng::keyed(QStringLiteral("recall-extra:%1:%2").arg(m.profile.name).arg(extra));
        const int year = int(r.range(1995, 2025));
        const MakerGroup &g = groups[r.range(0, 2)];
        RecallRow row;
        row.type = QStringLiteral("V");
        const Template *t = nullptr;
        while (!t || t->type != row.type || t->from > year)
            t = &r.pick(templates);
        row.components = t->component;
        row.initiatedBy = QStringLiteral("MFR");
        row.group = int(groupOf(groups, g.makes.first()));
        row.links = unused(fitLinks(m, pickLinks(g.vehicles, year, 3, 3, r), t->from, t->needs), t);
        if (row.links.isEmpty())
            continue;
        remember(row.links, t);
        row.reportDate = reportDate(m, year, row.links, r);
        row.manufacturer = g.nameFor(row.reportDate);
        const int filed = row.reportDate.left(4).toInt();
        row.affected = qint64(r.logNormal(8.0, 1.5));
        row.campaign = book.next(QStringLiteral("%1V").arg(filed % 100, 2, 10, QLatin1Char('0')), QStringLiteral("000"), r);
        row.summary = agencyCase(QStringLiteral("%1 is recalling certain model year %2 vehicles. ").arg(row.manufacturer, vehiclePhrase(m, row.links)) + r.pick(t->defects), filed);
        row.consequence = agencyCase(t->consequence, filed);
        row.remedy = agencyCase(t->remedy, filed);
        row.notes = kNote;
        m.recalls.append(row);
    }
}

void buildInvestigations(Model &m, const Content &c)
{
    const QList<MakerGroup> groups = makerGroups(m, c);
    const QList<AgencyTemplate> templates = agencyTemplates(c, QStringLiteral("investigations"));
    if (templates.isEmpty())
        throw GenError{QStringLiteral("agency.json has no investigation templates")};
    NumberBook book;

    // Recalls by group, for investigations that ended in one.
    QMap<int, QList<const RecallRow *>> byGroup;
    for (const RecallRow &r : m.recalls)
        if (r.group >= 0)
            byGroup[r.group].append(&r);

    InvRow speed;
    speed.action = QStringLiteral("EA05004");
    speed.manufacturer = QStringLiteral("Ford Motor Company");
    speed.components = QStringLiteral("VEHICLE SPEED CONTROL|ELECTRICAL SYSTEM:WIRING");
    speed.opened = QStringLiteral("2005-01-18");
    speed.closed = QStringLiteral("2005-10-21");
    speed.recallCampaign = QStringLiteral("05V388000");
    speed.subject = QStringLiteral("Speed control deactivation switch fires");
    speed.summary = QStringLiteral("The agency reviewed reports of underhood fires starting at the speed control deactivation switch, some while the vehicles were parked. The investigation was closed after Ford recalled the vehicles under campaign 05V388000.");
    addLinks(m, QStringLiteral("LINCOLN"), QStringLiteral("Navigator"), 1998, 2002, speed.links);
    addLinks(m, QStringLiteral("FORD"), QStringLiteral("Expedition"), 1997, 2002, speed.links);
    addLinks(m, QStringLiteral("FORD"), QStringLiteral("F-150"), 1997, 2002, speed.links);
    book.reserve(speed.action);
    m.investigations.append(speed);

    InvRow focus;
    focus.action = QStringLiteral("PE16005");
    focus.manufacturer = QStringLiteral("Ford Motor Company");
    focus.components = QStringLiteral("POWER TRAIN:AUTOMATIC TRANSMISSION");
    focus.opened = QStringLiteral("2016-03-14");
    focus.closed = QStringLiteral("2017-05-02");
    focus.subject = QStringLiteral("Transmission shudder and loss of drive");
    focus.summary = QStringLiteral("Owners report shudder on take-off, delayed engagement and, in some cases, a sudden loss of drive power from the dual-clutch automatic transmission. The agency opened this evaluation to assess how often the condition occurs and its safety consequences.");
    addLinks(m, QStringLiteral("FORD"), QStringLiteral("Focus"), 2012, 2016, focus.links);
    book.reserve(focus.action);
    m.investigations.append(focus);

    for (int i = 2; i < m.profile.investigations; ++i) {
        Rng r = Rng::keyed(QStringLiteral("inv:%1:%2").arg(m.profile.name).arg(i));
        int year = weightedYear(1978, 0.03, r);
        QList<double> w;
        for (const MakerGroup &g : groups) {
            double n = 0;
            for (const Vehicle *v : g.vehicles)
                if (v->years.first() <= year && v->years.last() >= year - 6)
                    n += v->pop;
            w.append(n);
        }
        const qsizetype gi = r.weighted(w);
        InvRow row;
        if (gi >= 0)
            row.links = pickLinks(groups[gi].vehicles, year - 1, 3, 5, r);
        if (row.links.isEmpty()) { // fall back to the largest groups, which cover every year
            year = int(r.range(1985, 2025));
            for (qsizetype g = 0; g < 3 && row.links.isEmpty(); ++g)
                row.links = pickLinks(groups[g].vehicles, year - 1, 3, 5, r);
            if (row.links.isEmpty())
                throw GenError{QStringLiteral("no vehicles for investigation %1").arg(i)};
        }
        const double u = r.uniform();
        const QString kind = u < 0.5 ? QStringLiteral("PE") : u < 0.65 ? QStringLiteral("EA") : u < 0.75 ? QStringLiteral("DP") : u < 0.9 ? QStringLiteral("RQ") : QStringLiteral("AQ");
        // A subject these vehicles can have: a template that keeps some of them.
        QList<const AgencyTemplate *> fitting;
        for (const AgencyTemplate &tt : templates)
            if (tt.from <= year && anyFits(m, row.links, tt.from, tt.needs))
                fitting.append(&tt);
        if (fitting.isEmpty())
            throw GenError{QStringLiteral("no investigation template fits investigation %1").arg(i)};
        const AgencyTemplate &chosen = *r.pick(fitting);
        const QJsonObject &t = chosen.text;
        row.links = fitLinks(m, row.links, chosen.from, chosen.needs);
        const int g = groupOf(groups, m.byID(row.links.first().vid)->make);
        row.components = t.value(QStringLiteral("component")).toString();
        row.opened = reportDate(m, year, row.links, r);
        row.manufacturer = groups[g].nameFor(row.opened);
        const QDate opened = QDate::fromString(row.opened, Qt::ISODate);
        const QString closed = opened.addDays(r.range(60, 900)).toString(Qt::ISODate);
        if (closed <= dataDate(m))
            row.closed = closed;
        row.subject = t.value(QStringLiteral("subject")).toString();
        row.summary = t.value(QStringLiteral("summary")).toString();
        if (opened.year() < 2008) {
            row.subject = row.subject.toUpper();
            row.summary = row.summary.toUpper();
        }
        row.action = book.next(kind + QStringLiteral("%1").arg(opened.year() % 100, 2, 10, QLatin1Char('0')), QString(), r);
        if ((kind == QLatin1String("PE") || kind == QLatin1String("EA") || kind == QLatin1String("RQ")) && r.chance(0.35)) {
            // A recall that followed: about the same parts of some of the same vehicle-years.
            QList<const RecallRow *> later;
            for (const RecallRow *rc : byGroup.value(g))
                if (rc->reportDate > row.opened && rc->reportDate.left(4).toInt() <= opened.year() + 2 &&
                    sameParts(rc->components, row.components) && shareVehicleYear(rc->links, row.links))
                    later.append(rc);
            if (!later.isEmpty())
                row.recallCampaign = r.pick(later)->campaign;
        }
        m.investigations.append(row);
    }
}
