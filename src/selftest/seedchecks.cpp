#include "seedchecks.h"

#include "data/provenance.h"
#include "data/sqldb.h"

#include <QSet>
#include <algorithm>

namespace SeedChecks {

namespace {

// Rows of a research query; a failing query counts as no rows.
QList<SQLRow> seedRows(SQLDB &seed, const QString &sql, const SQLArgs &args)
{
    try {
        return seed.rows(sql, args);
    } catch (const SQLError &) {
        return {};
    }
}

void complaintCheck(FVTestRun &run, SQLDB &seed, const Vorel &vorel, const VehicleInfo &vehicle, qint64 year)
{
    const SQLArgs args{vehicle.id, year};
    QStringList research;
    for (const SQLRow &row : seedRows(seed,
                                      QStringLiteral("SELECT component, complaints FROM vehicle_complaint_summary "
                                                     "WHERE vehicle_id = ? AND model_year = ? AND level = 'L1'"),
                                      args))
        research.append(row.str(0) + u'=' + QString::number(row.integer(1)));
    const ComplaintSummary summary = vorel.complaints(vehicle.id, year);
    QStringList app;
    for (const ComplaintRow &area : summary.areas)
        app.append(area.component + u'=' + QString::number(area.complaints));
    research.sort();
    app.sort();
    const qint64 total = seed.scalar(
        QStringLiteral("SELECT SUM(complaints) FROM complaint_totals WHERE vehicle_id = ? AND model_year = ?"), args);
    const QString label = QStringLiteral("%1 %2: every chart bar and the total equal the research database (%3 complaints)")
                              .arg(year)
                              .arg(vehicle.name())
                              .arg(summary.total);
    // The agencies' own files may hold no complaint of this vehicle-year: with
    // none on either side, while both databases hold complaints, there is
    // nothing to compare. An empty or broken research database still fails.
    const bool bothHoldComplaints =
        seed.scalar(QStringLiteral("SELECT COUNT(*) FROM complaint_totals")) > 0 &&
        vorel.db->scalar(QStringLiteral("SELECT COUNT(*) FROM complaint_totals")) > 0;
    if (!Provenance::fromMeta(vorel.meta).generated(Provenance::Kind::Complaints) && research.isEmpty() && summary.total == 0 &&
        total == 0 && bothHoldComplaints) {
        run.skip(label, QStringLiteral("the agencies' files given hold no complaint of this vehicle-year"));
        return;
    }
    run.check(!research.isEmpty() && research == app && total == summary.total,
              QStringLiteral("%1 %2: every chart bar and the total equal the research database (%3 complaints)")
                  .arg(year)
                  .arg(vehicle.name())
                  .arg(total));
}

} // namespace

std::unique_ptr<SQLDB> open(const QHash<QString, QString> &environment)
{
    // An empty value counts as unset, as with VOREL_DB.
    const QString path = environment.value(QStringLiteral("VOREL_SEED_DB"));
    if (path.isEmpty())
        return nullptr;
    try {
        auto seed = std::make_unique<SQLDB>(path, true);
        // SQLite opens any file lazily: one without a schema (not a database,
        // or an empty file) does not open either.
        const QList<SQLRow> tables = seed->rows(QStringLiteral("SELECT COUNT(*) FROM sqlite_master"));
        if (tables.isEmpty() || tables.front().integer(0) == 0)
            return nullptr;
        return seed;
    } catch (const SQLError &) {
        return nullptr;
    }
}

bool run(SelfTestContext &ctx, SQLDB &seed)
{
    FVTestRun &run = ctx.run;
    const Vorel &vorel = *ctx.vorel;
    const VehicleInfo &navigator = *ctx.navigator;

    const QMap<QString, qint64> counts = vorel.counts();
    run.check(counts.contains(QStringLiteral("recalls")) && counts.contains(QStringLiteral("vehicles")) &&
                  seed.scalar(QStringLiteral("SELECT COUNT(*) FROM recalls")) == counts.value(QStringLiteral("recalls")) &&
                  seed.scalar(QStringLiteral("SELECT COUNT(*) FROM vehicles")) == counts.value(QStringLiteral("vehicles")),
              QStringLiteral("recall and vehicle counts equal the research database"));

    std::optional<VehicleInfo> f150;
    if (ctx.f150)
        f150 = vorel.vehicle(ctx.f150->id);
    complaintCheck(run, seed, vorel, navigator, 2002);
    complaintCheck(run, seed, vorel, *ctx.focus, 2014);
    complaintCheck(run, seed, vorel, f150.value_or(navigator), 2015);

    QSet<qint64> research;
    for (const SQLRow &row : seedRows(seed,
                                      QStringLiteral("SELECT DISTINCT nhtsa_id FROM tsb_vehicles WHERE vehicle_id = ? "
                                                     "AND model_year = 2002"),
                                      {navigator.id}))
        research.insert(row.integer(0));
    const QList<qint64> app = vorel.tsbIDs(navigator.id, 2002);
    run.check(research == QSet<qint64>(app.cbegin(), app.cend()),
              QStringLiteral("2002 Navigator bulletin list equals the research database (%1)").arg(research.size()));

    if (ctx.imported(Provenance::Kind::Recalls)) {
        // The agency's recalls: the vehicle page's list is the research database's.
        QSet<QString> linked;
        for (const SQLRow &row : seedRows(seed,
                                          QStringLiteral("SELECT DISTINCT campaign_number FROM recall_vehicles WHERE vehicle_id = ? "
                                                         "AND model_year = 2002"),
                                          {navigator.id}))
            linked.insert(row.str(0));
        QSet<QString> shown;
        for (const Recall &r : vorel.recalls(navigator.id, 2002))
            shown.insert(r.campaign);
        run.check(linked == shown, QStringLiteral("2002 Navigator recall list equals the research database (%1)").arg(shown.size()));
    } else {
        run.check(seed.scalar(QStringLiteral("SELECT COUNT(*) FROM recall_vehicles WHERE vehicle_id = ? AND model_year = "
                                             "2002 AND campaign_number = '05V388000'"),
                              {navigator.id}) > 0,
                  QStringLiteral("05V388 is linked to the 2002 Navigator in the research database too"));
    }
    return true;
}

} // namespace SeedChecks
