#include "vehiclechecks.h"

#include "platform/fvinfo.h"
#include "checkquery.h"
#include "data/complaintrule.h"
#include "data/provenance.h"
#include "platform/text.h"

#include <algorithm>

namespace VehicleChecks {

namespace {

const QString powerTrain = QStringLiteral("POWER TRAIN");

std::optional<ComplaintRow> firstArea(const ComplaintSummary &summary, const QString &component)
{
    for (const ComplaintRow &row : summary.areas) {
        if (row.component == component)
            return row;
    }
    return std::nullopt;
}

// The agencies' recalls: each opens with the vehicle-years it is linked to,
// and each link shows on that vehicle page (the first 500 by number).
void importedRecallChecks(SelfTestContext &ctx)
{
    FVTestRun &run = ctx.run;
    const Vorel &vorel = *ctx.vorel;
    SQLDB &db = *vorel.db;
    qint64 opened = 0, shown = 0, links = 0;
    bool ok = true;
    QString first;
    for (const SQLRow &row : db.rows(QStringLiteral("SELECT campaign, (SELECT COUNT(*) FROM recall_links l WHERE l.campaign = r.campaign) "
                                                    "FROM recalls r ORDER BY campaign LIMIT 500"))) {
        const QString campaign = row.str(0);
        if (first.isEmpty())
            first = campaign;
        const std::optional<Recall> recall = vorel.recall(campaign);
        const QList<RecallVehicle> vehicles = vorel.recallVehicles(campaign);
        ok = ok && recall && vehicles.size() == row.integer(1);
        opened += recall.has_value();
        for (const RecallVehicle &v : vehicles) {
            ++links;
            const QList<Recall> page = vorel.recalls(v.vid, v.year);
            shown += std::ranges::any_of(page, [&](const Recall &r) { return r.campaign == campaign; });
        }
    }
    run.check(ok && opened > 0, QStringLiteral("every recall opens with the vehicle-years it covers (%1 recalls)").arg(opened));
    run.check(shown == links, QStringLiteral("every covered vehicle-year's page lists the recall (%1 of %2)").arg(shown).arg(links));
    const QList<SearchHit> hits = vorel.search(first.left(6));
    run.check(std::ranges::any_of(hits, [&](const SearchHit &h) { return h.kind == SearchKind::Recall && h.ref == first; }),
              QStringLiteral("searching \"%1\" finds the recall").arg(first.left(6)));
}

void recallChecks(SelfTestContext &ctx)
{
    if (ctx.imported(Provenance::Kind::Recalls)) {
        importedRecallChecks(ctx);
        return;
    }
    FVTestRun &run = ctx.run;
    const Vorel &vorel = *ctx.vorel;
    const QString campaign = QStringLiteral("05V388000");

    const QList<Recall> recalls = vorel.recalls(ctx.navigator->id, 2002);
    run.check(std::ranges::any_of(recalls, [&](const Recall &r) { return r.campaign == campaign; }),
              QStringLiteral("recall 05V388 (speed-control deactivation switch) appears for the 2002 Navigator (%1 recalls)")
                  .arg(recalls.size()));

    if (const std::optional<Recall> recall = vorel.recall(campaign)) {
        const bool covered = vorel.recallVehicles(campaign).size() >= 20;
        run.check(!recall->summary.isEmpty() && !recall->remedy.isEmpty() && covered,
                  QStringLiteral("05V388 has its summary, remedy and covered vehicles (%1 vehicle-years)")
                      .arg(vorel.recallVehicles(campaign).size()));
    } else {
        run.check(false, QStringLiteral("recall 05V388000 opens"));
    }

    const QList<SearchHit> hits = vorel.search(QStringLiteral("05V388"));
    run.check(std::ranges::any_of(hits,
                                  [&](const SearchHit &h) { return h.kind == SearchKind::Recall && h.ref == campaign; }),
              QStringLiteral("searching \"05V388\" finds the recall"));
}

void complaintChecks(SelfTestContext &ctx)
{
    FVTestRun &run = ctx.run;
    const Vorel &vorel = *ctx.vorel;
    SQLDB &db = *vorel.db;
    const VehicleInfo &navigator = *ctx.navigator;
    const VehicleInfo &focus = *ctx.focus;

    const std::pair<const VehicleInfo *, qint64> charts[] = {{&navigator, 2002}, {&focus, 2014}, {&focus, 2013}};
    for (const auto &[vehicle, year] : charts) {
        const ComplaintSummary s = vorel.complaints(vehicle->id, year);
        const std::optional<qint64> total = CheckQuery::scalar(
            db, QStringLiteral("SELECT complaints FROM complaint_totals WHERE vehicle_id = ? AND model_year = ?"),
            {vehicle->id, year});
        const std::optional<qint64> bars = CheckQuery::scalar(
            db,
            QStringLiteral(
                "SELECT SUM(complaints) FROM complaints WHERE vehicle_id = ? AND model_year = ? AND level = 1"),
            {vehicle->id, year});
        const bool ok = total && bars && s.total == *total && s.chartSum() == *bars &&
                        std::ranges::all_of(s.areas, [&](const ComplaintRow &a) { return a.vehicleYearComplaints == *total; });
        run.check(ok, QStringLiteral("%1 %2: chart total %3 and bars (%4) match the database")
                          .arg(year)
                          .arg(vehicle->name())
                          .arg(s.total)
                          .arg(s.chartSum()));
    }

    const bool complaintsReal = ctx.imported(Provenance::Kind::Complaints);
    const QString namedSample = QStringLiteral("a count of the generated sample; the agency's counts are checked against the "
                                               "database and the research database instead");
    const QString navigatorTotal = QStringLiteral("2002 Navigator: 32 owner complaints, as in the research report");
    if (complaintsReal)
        run.skip(navigatorTotal, namedSample);
    else
        run.check(vorel.complaints(navigator.id, 2002).total == 32, navigatorTotal);

    // Every stored row against the app's own rule; a failing query or a row
    // count other than the build's record fails.
    const QMap<QString, qint64> counts = vorel.counts();
    const QString rowsKey = QStringLiteral("complaint_rows");
    bool read = true;
    QList<SQLRow> rows;
    try {
        rows = db.rows(QStringLiteral(
            "SELECT share_index, complaints, vehicle_year_complaints, z_score, notably_high FROM complaints"));
    } catch (const SQLError &) {
        read = false;
    }
    qint64 differ = 0;
    qint64 flagged = 0;
    for (const SQLRow &row : rows) {
        const bool rule = ComplaintRule::notablyHigh(row.real(0), row.integer(1), row.integer(2), row.real(3));
        if (rule != (row.integer(4) == 1))
            ++differ;
        if (rule)
            ++flagged;
    }
    const bool rowsCounted = counts.contains(rowsKey) && counts.value(rowsKey) == rows.size();
    run.check(read && rowsCounted && differ == 0,
              QStringLiteral("the app's \"notably high\" rule gives the same answer as the research database on all %1 "
                             "rows (%2 differ, %3 flagged)")
                  .arg(Text::grouped(counts.value(rowsKey, 0)))
                  .arg(differ)
                  .arg(Text::grouped(flagged)));

    if (complaintsReal) {
        run.skip(QStringLiteral("2013–2016 Ford Focus: power train is notably high; 2002 Navigator: nothing is"), namedSample);
        return;
    }
    for (qint64 year = 2013; year <= 2016; ++year) {
        const std::optional<ComplaintRow> area = firstArea(vorel.complaints(focus.id, year), powerTrain);
        run.check(area && area->notablyHigh(),
                  QStringLiteral("%1 Ford Focus: power train is notably high (%2×, %3 complaints)")
                      .arg(year)
                      .arg(Text::fixed(area ? area->shareIndex : 0.0, 1))
                      .arg(area ? area->complaints : 0));
    }

    const std::optional<ComplaintRow> navArea = firstArea(vorel.complaints(navigator.id, 2002), powerTrain);
    run.check(navArea && !navArea->notablyHigh() && vorel.complaints(navigator.id, 2002).flagged().isEmpty(),
              QStringLiteral("2002 Navigator: power train is NOT notably high (%1 complaints, %2×) and nothing else is "
                             "flagged")
                  .arg(navArea ? navArea->complaints : 0)
                  .arg(Text::fixed(navArea ? navArea->shareIndex : 0.0, 1)));
}

void knownForChecks(SelfTestContext &ctx)
{
    FVTestRun &run = ctx.run;
    const Vorel &vorel = *ctx.vorel;

    const QString focusText = vorel.knownProblems(*ctx.focus, 2014).join(u' ');
    const QString navText = vorel.knownProblems(*ctx.navigator, 2002).join(u' ');
    const QString focusLabel = QStringLiteral("2014 Focus 'known for' line uses the complaint wording");
    const QString navLabel = QStringLiteral("2002 Navigator 'known for' doesn't claim a complaint hot spot and mentions its service "
                                            "bulletins");
    if (ctx.imported(Provenance::Kind::Complaints) || ctx.imported(Provenance::Kind::Bulletins)) {
        const QString why = QStringLiteral("made from the generated sample's counts and bulletins");
        run.skip(focusLabel, why);
        run.skip(navLabel, why);
    } else {
        run.check(focusText.contains(QStringLiteral("Owners reported power train problems to NHTSA about")) &&
                      focusText.contains(QStringLiteral("as often as for other 2014 vehicles")),
                  focusLabel);
        run.check(!navText.toLower().contains(QStringLiteral("power train problems")) &&
                      navText.contains(QStringLiteral("service bulletin")),
                  navLabel);
    }

    const QString both = (focusText + navText).toLower();
    run.check(!both.contains(QStringLiteral("fail")) && !both.contains(QStringLiteral("reliab")),
              QStringLiteral("no 'failure' or 'reliability' wording in 'known for' lines"));

    const QString label = QStringLiteral("owner complaints reported to NHTSA, not failure rates");
    const QString key = QStringLiteral("complaints_label");
    const Provenance provenance = Provenance::fromMeta(vorel.meta);
    run.check(FVInfo::complaintsLabel() == label && vorel.meta.contains(key) &&
                  vorel.meta.value(key) == provenance.complaintsLabel() &&
                  (provenance.generated(Provenance::Kind::Complaints) ? !provenance.complaintsLabel().contains(QStringLiteral("reported to NHTSA"))
                                                                       : provenance.complaintsLabel() == label),
              QStringLiteral("chart label reads exactly \"owner complaints reported to NHTSA, not failure rates\" "
                             "for the agency's counts, and calls generated counts samples"));
}

void bulletinChecks(SelfTestContext &ctx)
{
    FVTestRun &run = ctx.run;
    const Vorel &vorel = *ctx.vorel;
    const qint64 id = ctx.navigator->id;

    const QList<TSB> tsbs = vorel.tsbs(id, 2002);
    if (ctx.imported(Provenance::Kind::Bulletins)) {
        run.check(vorel.tsbCount(id, 2002) == tsbs.size(),
                  QStringLiteral("2002 Navigator: its bulletin count and list agree (%1 listed)").arg(tsbs.size()));
        run.skip(QStringLiteral("its transmission bulletins are there (4R100 / transmission)"),
                 QStringLiteral("a bulletin of the generated sample"));
    } else {
        run.check(vorel.tsbCount(id, 2002) == 87 && tsbs.size() == 87,
                  QStringLiteral("2002 Navigator: 87 service bulletins (%1 listed)").arg(tsbs.size()));
        run.check(std::ranges::any_of(tsbs,
                                      [](const TSB &t) {
                                          const QString s = t.summary.toUpper();
                                          return s.contains(QStringLiteral("4R100")) ||
                                                 s.contains(QStringLiteral("TRANSMISSION"));
                                      }),
                  QStringLiteral("its transmission bulletins are there (4R100 / transmission)"));
    }

    // The agencies' own files may hold no bulletin of the 2002 Navigator: the
    // first vehicle-year with bulletins stands in, and with none at all the
    // check is skipped.
    const QString linkLabel = QStringLiteral("bulletins have dates and link out to NHTSA's copy (never bundled)");
    QList<TSB> shown = tsbs;
    bool skipped = false;
    if (ctx.imported(Provenance::Kind::Bulletins) && shown.isEmpty()) {
        SQLDB &db = *vorel.db;
        const QString first = QStringLiteral("SELECT %1 FROM tsb_links ORDER BY vehicle_id, model_year LIMIT 1");
        const std::optional<qint64> links = CheckQuery::scalar(db, QStringLiteral("SELECT COUNT(*) FROM tsb_links"));
        const std::optional<qint64> vid = CheckQuery::scalar(db, first.arg(QStringLiteral("vehicle_id")));
        const std::optional<qint64> year = CheckQuery::scalar(db, first.arg(QStringLiteral("model_year")));
        if (links && *links == 0) {
            run.skip(linkLabel, QStringLiteral("the agencies' files given hold no bulletin"));
            skipped = true;
        } else if (vid && year) {
            shown = vorel.tsbs(*vid, *year);
        }
    }
    bool linksOut = false;
    if (!shown.isEmpty()) {
        const QList<QUrl> candidates = shown.front().nhtsaPDFCandidates();
        linksOut = !candidates.isEmpty() &&
                   candidates.front().toString().startsWith(QStringLiteral("https://static.nhtsa.gov/odi/tsbs/"));
    }
    if (!skipped)
        run.check(!shown.isEmpty() && linksOut && std::ranges::none_of(shown, [](const TSB &t) { return t.date.isEmpty(); }), linkLabel);

    const QList<qint64> ids = {3, 10, 200, 201, 70000, 70001, 9000000};
    run.check(Vorel::decodeIDs(packIDs(ids)) == ids, QStringLiteral("bulletin-link packing decodes exactly"));
}

void epaAndInvestigationChecks(SelfTestContext &ctx)
{
    FVTestRun &run = ctx.run;
    const Vorel &vorel = *ctx.vorel;
    const qint64 navigator = ctx.navigator->id;

    const QList<EPAConfig> configs = vorel.epa(navigator, 2002);
    if (ctx.imported(Provenance::Kind::Engines)) {
        run.skip(QStringLiteral("EPA: 2002 Navigator 5.4L V8 with 4-speed automatic"), QStringLiteral("EPA's own rows are taken as its file holds them"));
    } else {
        run.check(std::ranges::any_of(configs,
                                      [](const EPAConfig &c) {
                                          return c.displacement == 5.4 && c.cylinders == 8 &&
                                                 c.transmission.contains(QStringLiteral("4-spd"));
                                      }),
                  QStringLiteral("EPA: 2002 Navigator 5.4L V8 with 4-speed automatic (%1 configurations)").arg(configs.size()));
    }

    run.check(vorel.epa(navigator, 1983).isEmpty(), QStringLiteral("EPA listings start at 1984"));

    const bool linked = !vorel.investigations(ctx.focus->id, 2014).isEmpty() ||
                        !vorel.investigations(navigator, 2002).isEmpty() ||
                        CheckQuery::scalar(*vorel.db, QStringLiteral("SELECT COUNT(*) FROM inv_links"))
                                .value_or(0) > (ctx.imported(Provenance::Kind::Investigations) ? 0 : 10'000);
    run.check(linked, QStringLiteral("investigations are linked to vehicles"));
}

} // namespace

QByteArray packIDs(const QList<qint64> &ids)
{
    QByteArray packed;
    qint64 previous = 0;
    for (const qint64 id : ids) {
        quint64 delta = quint64(id - previous);
        previous = id;
        do {
            const auto low = char(delta & 0x7F);
            delta >>= 7;
            packed.append(delta ? char(low | 0x80) : low);
        } while (delta);
    }
    return packed;
}

bool run(SelfTestContext &ctx)
{
    ctx.navigator = ctx.vorel->find(QStringLiteral("LINCOLN"), QStringLiteral("Navigator"));
    ctx.focus = ctx.vorel->find(QStringLiteral("FORD"), QStringLiteral("Focus"));
    if (!ctx.navigator || !ctx.focus) {
        ctx.run.check(false, QStringLiteral("test vehicles found"));
        return false;
    }
    recallChecks(ctx);
    complaintChecks(ctx);
    knownForChecks(ctx);
    bulletinChecks(ctx);
    epaAndInvestigationChecks(ctx);
    return true;
}

} // namespace VehicleChecks
