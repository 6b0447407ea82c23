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

// The vehicle-years as the finished file's pages show them: the engine
// table's fuels, drives, gearboxes and engines, and the line's type. What the
// page leaves open (no engine rows, no drive or gearbox named) is the
// generator's own rule for the vehicle-year, but a diesel only where listed.
class PageFacts
{
public:
    PageFacts(SQLDB &db, const Model &m)
        : m_model(m)
    {
        for (const SQLRow &r :
             db.rows(QStringLiteral("SELECT vehicle_id, make_display || ' ' || model, vehicle_types FROM vehicles"))) {
            m_names.insert(r.integer(0), r.str(1));
            m_types.insert(r.integer(0), r.str(2));
        }
        for (const SQLRow &r : db.rows(QStringLiteral("SELECT vehicle_id, model_year, fuel_type, transmission, drive, "
                                                      "displacement_l, turbo, ev_motor FROM epa"))) {
            Year &y = m_years[key(r.integer(0), int(r.integer(1)))];
            y.facts.append({r.str(2), r.str(3), r.str(4)});
            if (r.str(7).isEmpty() && r.real(5) > 0)
                y.engines.insert(QString::number(r.real(5), 'f', 1)
                                 + (r.integer(6) ? QStringLiteral(" turbocharged") : QString()));
        }
    }

    int traits(const Link &l) const
    {
        const QString types = m_types.value(l.vid);
        const int rules = yearTraits(m_model, l.vid, l.year);
        const auto it = m_years.constFind(key(l.vid, l.year));
        if (it == m_years.constEnd())
            return (rules & ~(ClosedBody | Liftgate | Diesel)) | bodyTraits(types);
        return statedTraits(it->facts, types, kDriveTraits | kGearboxTraits) | (rules & AirSprings);
    }

    // Whether the vehicle-year lists the engine a text names ("5.4L", "2.0L turbocharged").
    bool hasNamedEngine(const Link &l, const QString &text) const
    {
        static const QRegularExpression named(QStringLiteral("\\b(\\d\\.\\d)l( turbocharged)?\\b"));
        const QRegularExpressionMatch match = named.match(text.toLower());
        if (!match.hasMatch())
            return true;
        const QString wanted = match.captured(1) + (match.hasCaptured(2) ? QStringLiteral(" turbocharged") : QString());
        const auto it = m_years.constFind(key(l.vid, l.year));
        if (it != m_years.constEnd())
            return it->engines.contains(wanted);
        const Vehicle *v = m_model.byID(l.vid);
        if (!v)
            return false;
        for (const Engine &e : enginesOf(*v, l.year))
            if (e.evMotor.isEmpty()
                && QString::number(e.litres, 'f', 1) + (e.turbo ? QStringLiteral(" turbocharged") : QString())
                       == wanted)
                return true;
        return false;
    }

    // "the 2001 Chrysler PT Cruiser (vehicle 1234)".
    QString vehicle(const Link &l) const
    {
        return QStringLiteral("the %1 %2 (vehicle %3)")
            .arg(l.year)
            .arg(m_names.value(l.vid, QStringLiteral("unknown vehicle")))
            .arg(l.vid);
    }

private:
    struct Year
    {
        QList<EngineFacts> facts;
        QSet<QString> engines;
    };
    static quint64 key(qint64 vid, int year) { return quint64(vid) << 16 | quint64(year); }
    const Model &m_model;
    QHash<qint64, QString> m_names, m_types;
    QHash<quint64, Year> m_years;
};

struct Tally
{
    qint64 records = 0, links = 0;
};

// Every link of a record fits what its words need, and the record is dated
// from nine months before its newest model year up to the data's date.
void fitAndDate(const Model &m, const PageFacts &page, const QString &what, const QString &id,
                const QString &components, const QString &text, const QString &date, const QList<Link> &links,
                Tally &tally)
{
    // The vehicles' own names say nothing of their parts (a Chevrolet Spark).
    QString words = text;
    for (const Link &l : links)
        if (const Vehicle *v = m.byID(l.vid))
            words.replace(v->model, QStringLiteral("vehicle"), Qt::CaseInsensitive);
    const int needs = textNeeds(components, words);
    for (const Link &l : links) {
        const int lacking = needs & ~page.traits(l);
        rule(!lacking, QStringLiteral("%1 %2 fits %3, which its page shows without %4")
                           .arg(what, id, page.vehicle(l), traitNames(lacking)));
        rule(page.hasNamedEngine(l, text),
             QStringLiteral("%1 %2 names an engine that %3 lists").arg(what, id, page.vehicle(l)));
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
    const PageFacts page(db, m);
    for (const auto &[key, value] : provenance.metaRows())
        rule(db.string(QStringLiteral("SELECT value FROM meta WHERE key = ?"), {key}) == value,
             QStringLiteral("meta %1 is \"%2\"").arg(key, value));

    // Recalls.
    const LinkMap recallLinks = linksOf(db, "recall_links", "campaign");
    Tally recalls;
    QSet<QString> summaries;
    QHash<QString, QString> recallParts, recallDates;
    for (const SQLRow &r : db.rows(QStringLiteral("SELECT campaign, recall_type, components, report_date, summary, "
                                                  "consequence, remedy, notes, manufacturer FROM recalls"))) {
        const QString campaign = r.str(0);
        if (!m.imported.recalls)
            // The maker's name says nothing of the parts either (Nissan Diesel).
            fitAndDate(m, page, QStringLiteral("recall"), campaign, r.str(2),
                       QString(r.str(4) + u' ' + r.str(5) + u' ' + r.str(6))
                           .replace(r.str(8), QStringLiteral("maker"), Qt::CaseInsensitive),
                       r.str(3), recallLinks.value(campaign), recalls);
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
            fitAndDate(m, page, QStringLiteral("investigation"), action, r.str(1), r.str(5) + u' ' + r.str(6), r.str(2),
                       links, investigations);
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
            fitAndDate(m, page, QStringLiteral("bulletin"), id, r.str(1), r.str(5), r.str(2), tsbLinks.value(id),
                       bulletins);
            rule(r.str(3) >= r.str(2) && r.str(3) <= dataDate(m), QStringLiteral("bulletin %1 is added after its date and no later than the data").arg(id));
            rule(r.str(4) != QLatin1String("TSB"), QStringLiteral("bulletin %1's type reads \"Service bulletin\", not \"TSB\"").arg(id));
        }
    }

    // Complaint rows only of parts the vehicle-year has: no diesel rows without a diesel.
    qint64 complaintRows = 0;
    if (!m.imported.complaints) {
        QHash<QString, int> needs;
        for (const SQLRow &r : db.rows(QStringLiteral("SELECT c.vehicle_id, c.model_year, k.name FROM complaints c "
                                                      "JOIN components k USING (component_id)"))) {
            const QString name = r.str(2);
            auto it = needs.find(name);
            if (it == needs.end())
                it = needs.insert(name, textNeeds(name, QString()));
            const Link l{r.integer(0), int(r.integer(1))};
            const int lacking = *it & ~page.traits(l);
            rule(!lacking, QStringLiteral("complaint row \"%1\" fits %2, which its page shows without %3")
                               .arg(name, page.vehicle(l), traitNames(lacking)));
            ++complaintRows;
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
                 "(%lld led to a recall about the same parts and vehicles), %lld bulletins over %lld, %lld complaint "
                 "rows; %lld recall "
                 "search titles name their vehicles; data up to %s\n",
                 recalls.records, recalls.links, investigations.records, investigations.links, ledToRecall,
                 bulletins.records, bulletins.links, complaintRows, titled, qPrintable(dataDate(m)));
}
