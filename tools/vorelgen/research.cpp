#include "sqlwrite.h"

#include <QMap>

// The research database: the same model in the shape of the research build,
// for the self-test's cross-check.
void writeResearch(const Model &m, const QString &path)
{
    auto db = freshDatabase(path);
    db->exec(QStringLiteral(
        "CREATE TABLE vehicles (vehicle_id INTEGER PRIMARY KEY, make TEXT NOT NULL, model TEXT NOT NULL, "
        "  make_display TEXT NOT NULL, first_year INTEGER NOT NULL, last_year INTEGER NOT NULL);"
        "CREATE TABLE recalls (campaign_number TEXT PRIMARY KEY, recall_type TEXT NOT NULL, manufacturer TEXT NOT NULL, "
        "  component TEXT NOT NULL, report_date TEXT NOT NULL);"
        "CREATE TABLE recall_vehicles (campaign_number TEXT NOT NULL, vehicle_id INTEGER NOT NULL, model_year INTEGER NOT NULL);"
        "CREATE TABLE complaint_totals (vehicle_id INTEGER NOT NULL, model_year INTEGER NOT NULL, complaints INTEGER NOT NULL, "
        "  crashes INTEGER NOT NULL, fires INTEGER NOT NULL, injuries INTEGER NOT NULL, deaths INTEGER NOT NULL);"
        "CREATE TABLE vehicle_complaint_summary (vehicle_id INTEGER NOT NULL, model_year INTEGER NOT NULL, level TEXT NOT NULL, "
        "  component TEXT NOT NULL, complaints INTEGER NOT NULL);"
        "CREATE TABLE tsb_vehicles (nhtsa_id INTEGER NOT NULL, vehicle_id INTEGER NOT NULL, model_year INTEGER NOT NULL, "
        "  PRIMARY KEY (vehicle_id, model_year, nhtsa_id)) WITHOUT ROWID;"));
    db->exec(QStringLiteral("BEGIN"));
    {
        Stmt v(*db, "INSERT INTO vehicles VALUES (?,?,?,?,?,?)");
        for (const Vehicle &x : m.vehicles)
            v.row(x.id, x.make, x.model, x.makeDisplay, x.years.first(), x.years.last());
        Stmt r(*db, "INSERT INTO recalls VALUES (?,?,?,?,?)");
        Stmt rv(*db, "INSERT INTO recall_vehicles VALUES (?,?,?)");
        for (const RecallRow &x : m.recalls) {
            r.row(x.campaign, x.type, x.manufacturer, x.components, x.reportDate);
            const QByteArray campaign = x.campaign.toUtf8();
            for (const Link &l : x.links)
                rv.row(campaign, l.vid, l.year);
        }
        Stmt t(*db, "INSERT INTO complaint_totals VALUES (?,?,?,?,?,?,?)");
        for (const TotalsRow &x : m.totals)
            t.row(x.vid, x.year, x.complaints, x.crashes, x.fires, x.injuries, x.deaths);
        QMap<int, QByteArray> names;
        for (const Component &c : m.components)
            names.insert(c.id, c.name.toUtf8());
        Stmt s(*db, "INSERT INTO vehicle_complaint_summary VALUES (?,?,?,?,?)");
        for (const ComplaintRow &x : m.complaints)
            s.row(x.vid, x.year, x.level == 1 ? "L1" : "L2", names.value(x.component), x.complaints);
        Stmt b(*db, "INSERT INTO tsb_vehicles VALUES (?,?,?)");
        const auto links = m.tsbLinks();
        for (auto it = links.begin(); it != links.end(); ++it)
            for (const qint64 id : it.value())
                b.row(id, it.key().first, it.key().second);
    }
    db->exec(QStringLiteral(
        "CREATE INDEX recall_vehicles_vy ON recall_vehicles(vehicle_id, model_year);"
        "CREATE INDEX complaint_totals_vy ON complaint_totals(vehicle_id, model_year);"
        "CREATE INDEX vehicle_complaint_summary_vy ON vehicle_complaint_summary(vehicle_id, model_year, level);"
        "COMMIT;"));
    finishDatabase(db);
}
