#include "agencychecks.h"

#include "agency.h"
#include "data/packedids.h"
#include "data/sqldb.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <cstdio>

namespace {

void rule(bool ok, const QString &name)
{
    if (!ok)
        throw GenError{QStringLiteral("broken rule: ") + name};
}

using LinkMap = QHash<QString, QList<Link>>;

LinkMap linksOf(SQLDB &db, const char *table, const char *key)
{
    LinkMap out;
    for (const SQLRow &r : db.rows(QStringLiteral("SELECT %1, vehicle_id, model_year FROM %2").arg(QLatin1String(key), QLatin1String(table))))
        out[r.str(0)].append({r.integer(1), int(r.integer(2))});
    return out;
}

// What a record's components and words say its vehicles must have.
int needsOf(const QString &components, const QString &text)
{
    static const QRegularExpression engine(QStringLiteral("\\bengine\\b(?! compartment)"));
    static const QRegularExpression gears(QStringLiteral("between gears|shift out of first gear|harsh or delayed shift|torque converter"));
    static const QRegularExpression cvt(QStringLiteral("\\(cvt\\)|continuously variable"));
    static const QRegularExpression rear(QStringLiteral("rear driveshaft|rear axle|pinion"));
    static const QRegularExpression gasoline(
        QStringLiteral("\\bspark\\b|evaporative|catalyst|throttle body|idle air control|purge valve|regular fuel"));
    const QString t = text.toLower();
    int needs = 0;
    for (const QString &c : components.split(QLatin1Char('|'))) {
        for (const char *prefix : {"ENGINE:", "ENGINE AND ENGINE COOLING:ENGINE", "FUEL/PROPULSION SYSTEM", "POWER TRAIN:AUTOMATIC TRANSMISSION",
                                   "POWER TRAIN:MANUAL TRANSMISSION", "ELECTRICAL SYSTEM:IGNITION"})
            if (c.startsWith(QLatin1String(prefix)) || c == QLatin1String(prefix).chopped(1))
                needs |= Combustion;
        if (c.startsWith(QLatin1String("POWER TRAIN:DRIVELINE:DRIVESHAFT")) || c.startsWith(QLatin1String("POWER TRAIN:AXLE ASSEMBLY")))
            needs |= RearDriven;
    }
    if (engine.match(t).hasMatch())
        needs |= Combustion;
    if (gears.match(t).hasMatch())
        needs |= SteppedBox;
    if (cvt.match(t).hasMatch())
        needs |= CvtBox;
    if (rear.match(t).hasMatch())
        needs |= RearDriven;
    if (t.contains(QLatin1String("four-wheel drive")))
        needs |= FourWheel;
    if (t.contains(QLatin1String("air springs")))
        needs |= AirSprings;
    if (gasoline.match(t).hasMatch())
        needs |= Gasoline;
    return needs;
}

// Whether the vehicle-year has the engine a text names ("5.4L", "2.0L turbocharged").
bool hasNamedEngine(const Model &m, const Link &l, const QString &text)
{
    static const QRegularExpression named(QStringLiteral("\\b(\\d\\.\\d)l( turbocharged)?\\b"));
    const QRegularExpressionMatch match = named.match(text.toLower());
    if (!match.hasMatch())
        return true;
    const Vehicle *v = m.byID(l.vid);
    if (!v)
        return false;
    for (const Engine &e : enginesOf(*v, l.year))
        if (e.evMotor.isEmpty() && QString::number(e.litres, 'f', 1) == match.captured(1) && e.turbo == match.hasCaptured(2))
            return true;
    return false;
}

QString traitNames(int traits)
{
    static const QList<QPair<int, const char *>> names = {
        {Combustion, "a combustion engine"}, {Gasoline, "a gasoline engine"}, {Diesel, "a diesel engine"},
        {SteppedBox, "a gearbox with gears"}, {CvtBox, "a CVT"}, {RearDriven, "a driven rear axle"},
        {FourWheel, "four-wheel drive"}, {AirSprings, "air springs"}};
    QStringList out;
    for (const auto &[bit, name] : names)
        if (traits & bit)
            out << QLatin1String(name);
    return out.join(QStringLiteral(", "));
}

struct Tally
{
    qint64 records = 0, links = 0;
};

// Every link of a record fits what its words need, and the record is dated
// from nine months before its newest model year up to the data's date.
void fitAndDate(const Model &m, const QString &what, const QString &id, const QString &components, const QString &text,
                const QString &date, const QList<Link> &links, Tally &tally)
{
    // The vehicles' own names say nothing of their parts (a Chevrolet Spark).
    QString words = text;
    for (const Link &l : links)
        if (const Vehicle *v = m.byID(l.vid))
            words.replace(v->model, QStringLiteral("vehicle"), Qt::CaseInsensitive);
    const int needs = needsOf(components, words);
    for (const Link &l : links) {
        const int lacking = needs & ~yearTraits(m, l.vid, l.year);
        rule(!lacking, QStringLiteral("%1 %2 fits the %3 model year of vehicle %4 it names (lacking %5)")
                           .arg(what, id).arg(l.year).arg(l.vid).arg(traitNames(lacking)));
        rule(hasNamedEngine(m, l, text), QStringLiteral("%1 %2 names an engine the %3 vehicle %4 had").arg(what, id).arg(l.year).arg(l.vid));
    }
    rule(date <= dataDate(m), QStringLiteral("%1 %2 is dated no later than the data (%3)").arg(what, id, date));
    rule(links.isEmpty() || date >= earliestDate(links),
         QStringLiteral("%1 %2 is dated no earlier than nine months before its newest model year (%3)").arg(what, id, date));
    ++tally.records;
    tally.links += links.size();
}

} // namespace

void checkAgencyRecords(SQLDB &db, const Model &m)
{
    const Provenance provenance = provenanceOf(m);
    for (const auto &[key, value] : provenance.metaRows())
        rule(db.string(QStringLiteral("SELECT value FROM meta WHERE key = ?"), {key}) == value,
             QStringLiteral("meta %1 is \"%2\"").arg(key, value));

    // Recalls.
    const LinkMap recallLinks = linksOf(db, "recall_links", "campaign");
    Tally recalls;
    QSet<QString> summaries;
    QHash<QString, QString> recallParts, recallDates;
    for (const SQLRow &r : db.rows(QStringLiteral("SELECT campaign, recall_type, components, report_date, summary, consequence, remedy, notes FROM recalls"))) {
        const QString campaign = r.str(0);
        if (!m.imported.recalls)
            fitAndDate(m, QStringLiteral("recall"), campaign, r.str(2), r.str(4) + u' ' + r.str(5) + u' ' + r.str(6), r.str(3),
                       recallLinks.value(campaign), recalls);
        rule(r.str(7).contains(QLatin1String("generated sample record"), Qt::CaseInsensitive) ==
                 provenance.sample(Provenance::Kind::Recalls, campaign),
             QStringLiteral("recall %1 says it is a generated sample exactly when it is one").arg(campaign));
        if (r.str(1) == QLatin1String("V") && !m.imported.recalls) {
            rule(!summaries.contains(r.str(4)), QStringLiteral("no two vehicle recalls share a summary (%1)").arg(campaign));
            summaries.insert(r.str(4));
        }
        recallParts.insert(campaign, r.str(2));
        recallDates.insert(campaign, r.str(3));
    }

    // Investigations, and the recalls they led to; the agencies' own are taken as they are.
    Tally investigations;
    qint64 ledToRecall = 0;
    if (!m.imported.investigations) {
        const LinkMap invLinks = linksOf(db, "inv_links", "action");
        for (const SQLRow &r : db.rows(QStringLiteral(
                 "SELECT action, components, opened, closed, recall_campaign, subject, summary FROM investigations"))) {
            const QString action = r.str(0);
            const QList<Link> links = invLinks.value(action);
            fitAndDate(m, QStringLiteral("investigation"), action, r.str(1), r.str(5) + u' ' + r.str(6), r.str(2), links, investigations);
            rule(r.str(3).isEmpty() || (r.str(3) >= r.str(2) && r.str(3) <= dataDate(m)),
                 QStringLiteral("investigation %1 closes after it opens and no later than the data").arg(action));
            const QString campaign = r.str(4);
            if (campaign.isEmpty())
                continue;
            ++ledToRecall;
            rule(recallParts.contains(campaign), QStringLiteral("investigation %1 names a stored recall").arg(action));
            rule(sameParts(recallParts.value(campaign), r.str(1)),
                 QStringLiteral("investigation %1 and recall %2 are about the same parts").arg(action, campaign));
            rule(shareVehicleYear(recallLinks.value(campaign), links),
                 QStringLiteral("investigation %1 and recall %2 share a vehicle-year").arg(action, campaign));
            rule(recallDates.value(campaign) >= r.str(2), QStringLiteral("recall %1 follows investigation %2").arg(campaign, action));
        }
    }

    // Bulletins; the agencies' own are taken as they are (and can be many).
    Tally bulletins;
    if (!m.imported.bulletins) {
        LinkMap tsbLinks;
        for (const SQLRow &r : db.rows(QStringLiteral("SELECT vehicle_id, model_year, ids FROM tsb_links")))
            for (const qint64 id : PackedIDs::decode(r.data(2)))
                tsbLinks[QString::number(id)].append({r.integer(0), int(r.integer(1))});
        for (const SQLRow &r : db.rows(QStringLiteral("SELECT nhtsa_id, components, comm_date, added_date, comm_type, summary FROM tsbs"))) {
            const QString id = QString::number(r.integer(0));
            fitAndDate(m, QStringLiteral("bulletin"), id, r.str(1), r.str(5), r.str(2), tsbLinks.value(id), bulletins);
            rule(r.str(3) >= r.str(2) && r.str(3) <= dataDate(m), QStringLiteral("bulletin %1 is added after its date and no later than the data").arg(id));
            rule(r.str(4) != QLatin1String("TSB"), QStringLiteral("bulletin %1's type reads \"Service bulletin\", not \"TSB\"").arg(id));
        }
    }

    // Recall search titles name a vehicle they cover.
    qint64 titled = 0;
    for (const SQLRow &r : db.rows(QStringLiteral(
             "SELECT s.ref, s.title FROM search s WHERE s.kind = 'recall' AND EXISTS (SELECT 1 FROM recall_links l WHERE l.campaign = s.ref) "
             "AND NOT EXISTS (SELECT 1 FROM recall_links l JOIN vehicles v USING (vehicle_id) WHERE l.campaign = s.ref "
             "AND instr(s.title, v.make_display || ' ' || v.model) > 0)")))
        if (!m.imported.recalls)
            rule(false, QStringLiteral("recall %1's search title names a vehicle it covers (%2)").arg(r.str(0), r.str(1)));
    titled = db.scalar(QStringLiteral("SELECT COUNT(DISTINCT campaign) FROM recall_links"));

    std::fprintf(stderr,
                 "agency records hang together: %lld recalls over %lld vehicle-years, %lld investigations over %lld "
                 "(%lld led to a recall about the same parts and vehicles), %lld bulletins over %lld; %lld recall search titles name "
                 "their vehicles; data up to %s\n",
                 recalls.records, recalls.links, investigations.records, investigations.links, ledToRecall, bulletins.records,
                 bulletins.links, titled, qPrintable(dataDate(m)));
}
