#include "agencychecks.h"
#include "appsearch.h"
#include "enginechecks.h"
#include "data/packedids.h"
#include "data/sqldb.h"
#include "model.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <cmath>

namespace {

void rule(bool ok, const QString &name)
{
    if (!ok)
        throw GenError{QStringLiteral("broken rule: ") + name};
}

// A rule about the generated records of a kind: records of that kind imported
// from the agencies' files are not bound by it.
void generatedRule(bool imported, bool ok, const QString &name)
{
    if (!imported)
        rule(ok, name);
}

bool anyImported(const Model &m)
{
    const auto &i = m.imported;
    return i.recalls || i.investigations || i.bulletins || i.complaints;
}

qint64 idOf(SQLDB &db, const char *make, const char *model)
{
    return db.scalar(QStringLiteral("SELECT vehicle_id FROM vehicles WHERE make = ? AND model = ?"), {make, model});
}

void checkVehicles(SQLDB &db, const Model &m)
{
    const qint64 nav = idOf(db, "LINCOLN", "Navigator");
    rule(nav == 1118, QStringLiteral("LINCOLN Navigator has vehicle id 1118"));
    rule(db.string(QStringLiteral("SELECT make_display FROM vehicles WHERE vehicle_id = 1118")) == QLatin1String("Lincoln"),
         QStringLiteral("the Navigator's make is shown as Lincoln"));
    auto hasYear = [&](qint64 id, int y) {
        return db.scalar(QStringLiteral("SELECT COUNT(*) FROM vehicle_years WHERE vehicle_id = ? AND model_year = ?"), {id, y}) == 1;
    };
    rule(hasYear(nav, 2002) && hasYear(nav, 2005), QStringLiteral("the Navigator has model years 2002 and 2005"));
    const qint64 focus = idOf(db, "FORD", "Focus");
    rule(focus && hasYear(focus, 2013) && hasYear(focus, 2014) && hasYear(focus, 2015) && hasYear(focus, 2016),
         QStringLiteral("FORD Focus has model years 2013 to 2016"));
    const qint64 f150 = idOf(db, "FORD", "F-150");
    rule(f150 && hasYear(f150, 2015) && db.scalar(QStringLiteral("SELECT heavy FROM vehicles WHERE vehicle_id = ?"), {f150}) == 0,
         QStringLiteral("FORD F-150 is in 2015 and not heavy"));
    rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM vehicles v JOIN vehicle_years y USING (vehicle_id) WHERE v.make = 'FORD' AND v.heavy = 1 AND y.model_year = 2015")) > 0,
         QStringLiteral("a heavy FORD model exists in 2015"));
    rule(hasYear(idOf(db, "TOYOTA", "Camry"), 2009), QStringLiteral("TOYOTA Camry has model year 2009"));
    const qint64 sienna = idOf(db, "TOYOTA", "Sienna");
    rule(hasYear(sienna, 2005) && db.scalar(QStringLiteral("SELECT COUNT(*) FROM vehicles WHERE vehicle_id = ? AND image_id IS NULL"), {sienna}) == 1,
         QStringLiteral("TOYOTA Sienna has model year 2005 and no photo"));
    rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM vehicles WHERE vehicle_id = 1118 AND image_id IS NOT NULL")) == 1,
         QStringLiteral("the Navigator has a photo"));
    rule(hasYear(idOf(db, "JEEP", "Cherokee"), 1995), QStringLiteral("JEEP Cherokee has model year 1995"));
    rule(db.scalar(QStringLiteral("SELECT COUNT(DISTINCT model_year) FROM vehicle_years WHERE model_year BETWEEN 1970 AND 2026")) == 57,
         QStringLiteral("every model year 1970 to 2026 has vehicles"));
    rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM vehicle_years y JOIN vehicles v USING (vehicle_id) WHERE v.make = 'CHEVROLET' AND y.model_year = 1975 "
                                  "AND instr(y.sources, 'o') = 0 AND instr(y.sources, 'v') = 0")) == 0,
         QStringLiteral("every 1975 CHEVROLET model's sources contain o or v"));
    rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM vehicle_years WHERE model_year < 1981 AND sources <> 'o'")) == 0,
         QStringLiteral("model years before 1981 come only from other agency records (sources \"o\")"));
    rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM epa WHERE model_year < 1984")) == 0, QStringLiteral("no EPA rows before 1984"));
    generatedRule(m.imported.engines, db.scalar(QStringLiteral("SELECT COUNT(*) FROM epa WHERE vehicle_id = 1118 AND model_year = 2002 AND displacement_l = 5.4 "
                                  "AND cylinders = 8 AND transmission = 'Automatic 4-spd'")) > 0,
         QStringLiteral("the 2002 Navigator has a 5.4 L V8 with Automatic 4-spd"));
}

void checkRecalls(SQLDB &db, const Model &m)
{
    generatedRule(m.imported.recalls, db.scalar(QStringLiteral("SELECT COUNT(*) FROM recalls WHERE campaign = '05V388000' AND recall_type = 'V' AND summary <> '' AND remedy <> '' "
                                  "AND (components LIKE '%SPEED CONTROL%')")) == 1,
         QStringLiteral("recall 05V388000 is a vehicle recall of the speed control with summary and remedy"));
    generatedRule(m.imported.recalls, db.scalar(QStringLiteral("SELECT COUNT(*) FROM recall_links WHERE campaign = '05V388000' AND vehicle_id = 1118 AND model_year = 2002")) == 1,
         QStringLiteral("05V388000 covers the 2002 Navigator"));
    generatedRule(m.imported.recalls, db.scalar(QStringLiteral("SELECT COUNT(*) FROM recall_links WHERE campaign = '05V388000'")) >= 20,
         QStringLiteral("05V388000 covers at least 20 vehicle-years"));
    generatedRule(m.imported.recalls, db.scalar(QStringLiteral("SELECT COUNT(*) FROM recalls r JOIN recall_links l USING (campaign) JOIN vehicles v USING (vehicle_id) "
                                  "WHERE r.campaign = '09V388000' AND v.make = 'TOYOTA' AND v.model = 'Camry' AND l.model_year = 2009 "
                                  "AND (r.components LIKE '%VEHICLE SPEED CONTROL%' OR r.components LIKE '%ENGINE%')")) == 1,
         QStringLiteral("09V388000 covers the 2009 Camry with a speed-control or engine component"));
    generatedRule(m.imported.recalls, db.scalar(QStringLiteral("SELECT COUNT(*) FROM recalls WHERE campaign LIKE '05V388%' OR campaign LIKE '09V388%'")) == 2,
         QStringLiteral("no other campaign starts with 05V388 or 09V388"));
    generatedRule(m.imported.recalls, db.scalar(QStringLiteral("SELECT COUNT(*) FROM recalls WHERE NOT (campaign GLOB '[0-9][0-9][VETC][0-9][0-9][0-9]000' AND substr(campaign, 3, 1) = recall_type)")) == 0,
         QStringLiteral("campaign numbers read YY, the type letter, three digits and 000"));
    for (const char *type : {"E", "T", "C"})
        generatedRule(m.imported.recalls, db.scalar(QStringLiteral("SELECT COUNT(*) FROM recalls WHERE recall_type = ?"), {type}) > 0,
             QStringLiteral("there are recalls of type %1").arg(QLatin1String(type)));
    generatedRule(m.imported.recalls, db.scalar(QStringLiteral("SELECT COUNT(*) FROM recalls WHERE do_not_drive = 1")) > 0 &&
             db.scalar(QStringLiteral("SELECT COUNT(*) FROM recalls WHERE park_outside = 1")) > 0,
         QStringLiteral("some recalls carry the do-not-drive and park-outside advice"));
    for (const char *table : {"recall_links", "inv_links", "tsb_links", "complaint_totals", "epa"})
        rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM %1 l WHERE NOT EXISTS (SELECT 1 FROM vehicle_years y WHERE y.vehicle_id = l.vehicle_id "
                                      "AND y.model_year = l.model_year)").arg(QLatin1String(table))) == 0,
             QStringLiteral("every %1 row names a vehicle-year that exists").arg(QLatin1String(table)));
    rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM recall_links l LEFT JOIN recalls r USING (campaign) WHERE r.campaign IS NULL")) == 0 &&
             db.scalar(QStringLiteral("SELECT COUNT(*) FROM inv_links l LEFT JOIN investigations i USING (action) WHERE i.action IS NULL")) == 0,
         QStringLiteral("every recall and investigation link names a stored record"));
}

void checkBulletins(SQLDB &db, const Model &m)
{
    QSet<qint64> ids;
    for (const SQLRow &r : db.rows(QStringLiteral("SELECT nhtsa_id FROM tsbs")))
        ids.insert(r.integer(0));
    qint64 links = 0;
    for (const SQLRow &r : db.rows(QStringLiteral("SELECT ids, count FROM tsb_links"))) {
        const QList<qint64> list = PackedIDs::decode(r.data(0));
        rule(list.size() == r.integer(1) && std::is_sorted(list.begin(), list.end()) &&
                 std::adjacent_find(list.begin(), list.end()) == list.end(),
             QStringLiteral("every packed bulletin list decodes to count ascending ids"));
        for (const qint64 id : list)
            rule(ids.contains(id), QStringLiteral("every packed bulletin id names a bulletin"));
        links += list.size();
    }
    generatedRule(m.imported.bulletins, links > 0, QStringLiteral("bulletins are linked to vehicles"));
    const QByteArray nav = db.rows(QStringLiteral("SELECT ids FROM tsb_links WHERE vehicle_id = 1118 AND model_year = 2002")).value(0).data(0);
    const QList<qint64> navIDs = PackedIDs::decode(nav);
    generatedRule(m.imported.bulletins, navIDs.size() == 87, QStringLiteral("the 2002 Navigator has 87 bulletins"));
    QStringList list;
    for (const qint64 id : navIDs)
        list << QString::number(id);
    const QString in = QStringLiteral(" FROM tsbs WHERE nhtsa_id IN (") + list.join(QLatin1Char(',')) + QLatin1Char(')');
    generatedRule(m.imported.bulletins, db.scalar(QStringLiteral("SELECT COUNT(*)") + in + QStringLiteral(" AND comm_date <> ''")) == 87,
         QStringLiteral("the 2002 Navigator's bulletins are all dated"));
    generatedRule(m.imported.bulletins, db.scalar(QStringLiteral("SELECT COUNT(*)") + in + QStringLiteral(" AND (summary LIKE '%4R100%' OR summary LIKE '%TRANSMISSION%')")) > 0,
         QStringLiteral("a 2002 Navigator bulletin mentions 4R100 or TRANSMISSION"));
    generatedRule(m.imported.bulletins, db.scalar(QStringLiteral("SELECT COUNT(*) FROM tsbs WHERE length(added_date) < 4 OR comm_date = ''")) == 0,
         QStringLiteral("every bulletin has a date and an added date"));
}

void checkComplaints(SQLDB &db, const Model &m)
{
    generatedRule(m.imported.complaints, db.scalar(QStringLiteral("SELECT complaints FROM complaint_totals WHERE vehicle_id = 1118 AND model_year = 2002")) == 32,
         QStringLiteral("the 2002 Navigator has 32 complaints"));
    generatedRule(m.imported.complaints, db.scalar(QStringLiteral("SELECT COUNT(*) FROM complaints c JOIN components k USING (component_id) WHERE c.vehicle_id = 1118 "
                                  "AND c.model_year = 2002 AND c.level = 1 AND k.name = 'POWER TRAIN'")) == 1,
         QStringLiteral("the 2002 Navigator has a level-1 POWER TRAIN area"));
    generatedRule(m.imported.complaints, db.scalar(QStringLiteral("SELECT COUNT(*) FROM complaints WHERE vehicle_id = 1118 AND model_year = 2002 AND notably_high = 1")) == 0,
         QStringLiteral("nothing is notably high for the 2002 Navigator"));
    const qint64 focus = idOf(db, "FORD", "Focus");
    for (int y = 2013; y <= 2016; ++y)
        generatedRule(m.imported.complaints, db.scalar(QStringLiteral("SELECT COUNT(*) FROM complaints c JOIN components k USING (component_id) WHERE c.vehicle_id = ? AND c.model_year = ? "
                                      "AND c.level = 1 AND k.name = 'POWER TRAIN' AND c.notably_high = 1"), {focus, y}) == 1,
             QStringLiteral("POWER TRAIN is notably high for the %1 Focus").arg(y));
    generatedRule(m.imported.complaints, db.string(QStringLiteral("SELECT k.name FROM complaints c JOIN components k USING (component_id) WHERE c.vehicle_id = ? AND c.model_year = 2014 "
                                  "AND c.level = 1 AND c.notably_high = 1 ORDER BY c.share_index DESC LIMIT 1"), {focus}) == QLatin1String("POWER TRAIN"),
         QStringLiteral("POWER TRAIN is the highest flagged area of the 2014 Focus"));
    generatedRule(m.imported.complaints, db.scalar(QStringLiteral("SELECT COUNT(*) FROM complaints WHERE share_index >= 2.0 AND share_index < 3.0 AND complaints >= 20 "
                                  "AND vehicle_year_complaints >= 50 AND z_score >= 4.0")) > 0,
         QStringLiteral("a complaint row has a share index from 2.0 to under 3.0 and passes the other bounds"));
    rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM complaints c WHERE c.vehicle_year_complaints <> COALESCE((SELECT t.complaints FROM complaint_totals t "
                                  "WHERE t.vehicle_id = c.vehicle_id AND t.model_year = c.model_year), -1)")) == 0,
         QStringLiteral("every complaint row carries its vehicle-year's total"));
    rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM complaints WHERE notably_high <> (complaints >= 20 AND vehicle_year_complaints >= 50 "
                                  "AND share_index >= 3.0 AND z_score >= 4.0)")) == 0,
         QStringLiteral("the stored notably_high flag follows the rule"));
    rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM complaints c JOIN components k USING (component_id) WHERE (c.level = 2) <> (instr(k.name, ':') > 0)")) == 0,
         QStringLiteral("level-2 areas, and only they, have a \":\" in their component name"));
    // Statistics recomputed from the stored counts.
    const QString sql = QStringLiteral(
        "WITH yt AS (SELECT model_year, SUM(complaints) AS n FROM complaint_totals GROUP BY model_year), "
        "at AS (SELECT model_year, component_id, SUM(complaints) AS n FROM complaints GROUP BY model_year, component_id) "
        "SELECT c.complaints, c.vehicle_year_complaints, c.share_of_vehicle, c.peer_share, c.share_index, c.z_score, "
        "CAST(at.n AS REAL) / yt.n FROM complaints c JOIN yt USING (model_year) "
        "JOIN at ON at.model_year = c.model_year AND at.component_id = c.component_id");
    for (const SQLRow &r : db.rows(sql)) {
        const double n = double(r.integer(1));
        const double share = r.real(2), peer = r.real(3), index = r.real(4), z = r.real(5);
        const double wantShare = double(r.integer(0)) / n;
        const double wantPeer = r.real(6);
        const double var = wantPeer * (1 - wantPeer) / n;
        const double wantZ = var > 0 ? (wantShare - wantPeer) / std::sqrt(var) : 0.0;
        const bool ok = std::fabs(share - wantShare) <= 1e-12 && std::fabs(peer - wantPeer) <= 1e-12 &&
                        std::fabs(index - wantShare / wantPeer) <= 1e-9 * qMax(1.0, index) &&
                        std::fabs(z - wantZ) <= 1e-9 * qMax(1.0, std::fabs(z)) && std::isfinite(index) && std::isfinite(z);
        rule(ok, QStringLiteral("complaint shares, peer shares, share indexes and z-scores match their counts"));
    }
}

void checkSearch(SQLDB &db, const Model &m, const QString &path)
{
    const QList<QPair<QString, qint64>> kinds = {{QStringLiteral("vehicle"), db.scalar(QStringLiteral("SELECT COUNT(*) FROM vehicles"))},
                                                 {QStringLiteral("recall"), db.scalar(QStringLiteral("SELECT COUNT(*) FROM recalls"))},
                                                 {QStringLiteral("code"), db.scalar(QStringLiteral("SELECT COUNT(*) FROM obd_codes"))},
                                                 {QStringLiteral("guide"), db.scalar(QStringLiteral("SELECT COUNT(*) FROM guides"))},
                                                 {QStringLiteral("obd1"), db.scalar(QStringLiteral("SELECT COUNT(*) FROM obd1"))}};
    qint64 all = 0;
    for (const auto &[kind, n] : kinds) {
        rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM search WHERE kind = ?"), {kind}) == n,
             QStringLiteral("one search row per %1").arg(kind));
        all += n;
    }
    rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM search")) == all, QStringLiteral("search rows are only of the five kinds"));
    if (m.profile.full)
        generatedRule(m.imported.recalls, all > 14000, QStringLiteral("the full build's search index has more than 14,000 rows"));
    static const QRegularExpression codeLike(QStringLiteral("(?<![0-9A-Za-z])[PBCU][0-9][0-9A-F]{3}"), QRegularExpression::CaseInsensitiveOption);
    for (const SQLRow &r : db.rows(QStringLiteral("SELECT title || ' ' || body FROM search WHERE kind = 'vehicle'")))
        rule(!codeLike.match(r.str(0)).hasMatch(), QStringLiteral("no vehicle search text holds a code-like word (%1)").arg(r.str(0)));

    const QStringList navigator = appSearchHits(path, QStringLiteral("2002 navigator"));
    rule(!navigator.isEmpty() && navigator.first() == QLatin1String("vehicle:1118") &&
             (navigator.size() == 1 || !navigator[1].startsWith(QLatin1String("vehicle:"))),
         QStringLiteral("only the Navigator matches \"navigator\" in 2002"));
    generatedRule(m.imported.recalls, appSearchHits(path, QStringLiteral("05v388")).contains(QStringLiteral("recall:05V388000")),
         QStringLiteral("searching 05V388 finds the recall"));
    rule(appSearchHits(path, QStringLiteral("f-150")).contains(QStringLiteral("vehicle:") + QString::number(idOf(db, "FORD", "F-150"))),
         QStringLiteral("searching f-150 finds the F-150"));
    rule(appSearchHits(path, QStringLiteral("2015 f-150")).contains(QStringLiteral("vehicle:") + QString::number(idOf(db, "FORD", "F-150"))),
         QStringLiteral("searching 2015 f-150 finds the F-150"));
    if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM guides WHERE id = 'overheating'")))
        rule(appSearchHits(path, QStringLiteral("overheating")).contains(QStringLiteral("guide:overheating")),
             QStringLiteral("searching overheating finds the overheating guide"));
}

void checkMeta(SQLDB &db, const Model &m, const QString &path)
{
    QFile f(path);
    rule(f.open(QIODevice::ReadOnly), QStringLiteral("the database file can be read"));
    const QByteArray header = f.read(100);
    rule(header.size() == 100 && header[18] == 1 && header[19] == 1, QStringLiteral("the file is in rollback-journal mode, not WAL"));
    rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM pragma_table_info('obd_codes')")) == 11, QStringLiteral("obd_codes has 11 columns"));
    rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE sql LIKE '%narrative%' OR sql LIKE '%cdescr%'")) == 0,
         QStringLiteral("no schema text names complaint narratives"));
    auto meta = [&](const char *key) { return db.string(QStringLiteral("SELECT value FROM meta WHERE key = ?"), {key}); };
    const QJsonDocument doc = QJsonDocument::fromJson(meta("counts").toUtf8());
    rule(doc.isObject(), QStringLiteral("meta counts is a JSON object"));
    const QJsonObject counts = doc.object();
    const QList<QPair<const char *, const char *>> expected = {
        {"vehicles", "SELECT COUNT(*) FROM vehicles"}, {"recalls", "SELECT COUNT(*) FROM recalls"},
        {"investigations", "SELECT COUNT(*) FROM investigations"}, {"tsbs", "SELECT COUNT(*) FROM tsbs"},
        {"obd_codes", "SELECT COUNT(*) FROM obd_codes"}, {"guides", "SELECT COUNT(*) FROM guides"},
        {"images", "SELECT COUNT(*) FROM images"}, {"complaint_rows", "SELECT COUNT(*) FROM complaints"},
        {"epa_configs", "SELECT COUNT(*) FROM epa"}, {"vehicle_years", "SELECT COUNT(*) FROM vehicle_years"},
        {"tsb_links", "SELECT SUM(count) FROM tsb_links"}, {"complaints_total", "SELECT SUM(complaints) FROM complaint_totals"}};
    rule(counts.size() == expected.size(), QStringLiteral("meta counts holds exactly the counted keys"));
    for (const auto &[key, sql] : expected) {
        const QJsonValue v = counts.value(QLatin1String(key));
        rule(v.isDouble() && v.toDouble() == double(v.toInteger()) && v.toInteger() == db.scalar(QLatin1String(sql)),
             QStringLiteral("meta counts \"%1\" is the integer count of the finished table").arg(QLatin1String(key)));
    }
    // The note under the vehicle page calls generated exactly the kinds that are.
    const QString generatedPart = meta("recall_note").section(QStringLiteral("Generated: "), 1);
    for (const auto &[imported, kind] : {std::pair{m.imported.recalls, "recalls"}, {m.imported.investigations, "investigations"},
                                         {m.imported.complaints, "owner-complaint counts"}, {m.imported.bulletins, "service bulletins"}})
        rule(generatedPart.contains(QLatin1String(kind)) != imported,
             QStringLiteral("meta recall_note calls the %1 generated exactly when they are").arg(QLatin1String(kind)));
    rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM data_sources WHERE name NOT LIKE 'NHTSA vPIC %' AND name NOT LIKE 'NHTSA % file %' AND name NOT LIKE 'EPA % file %' AND "
                                  "(instr(name, 'vorelgen') = 0 OR instr(name, 'generated sample data') = 0)")) == 0 &&
             (anyImported(m) || db.scalar(QStringLiteral("SELECT COUNT(*) FROM data_sources WHERE instr(name, 'generated sample data') > 0")) > 0),
         QStringLiteral("every data source is vPIC, an agency's file, or names the generator and says generated sample data"));
    rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM data_sources WHERE name LIKE 'NHTSA vPIC %'")) == (meta("vpic").isEmpty() ? 0 : 1),
         QStringLiteral("vPIC is credited exactly when the catalogue was read"));
    rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM images")) == 50, QStringLiteral("exactly 50 photos"));
    rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM images WHERE instr(generation_note, 'not a photograph') = 0 OR license = '' OR attribution_text = ''")) == 0,
         QStringLiteral("every photo is credited as a generated drawing"));
    rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM vehicles v LEFT JOIN images i USING (image_id) WHERE v.image_id IS NOT NULL AND i.image_id IS NULL")) == 0,
         QStringLiteral("every vehicle photo id names an image"));
    if (m.profile.full) {
        rule(db.scalar(QStringLiteral("SELECT COUNT(*) FROM vehicles")) == 2284, QStringLiteral("the full build has 2,284 vehicles"));
        generatedRule(m.imported.recalls, db.scalar(QStringLiteral("SELECT COUNT(*) FROM recalls")) == 11504, QStringLiteral("the full build has 11,504 recalls"));
        generatedRule(m.imported.investigations, db.scalar(QStringLiteral("SELECT COUNT(*) FROM investigations")) == 2799, QStringLiteral("the full build has 2,799 investigations"));
        generatedRule(m.imported.investigations, db.scalar(QStringLiteral("SELECT COUNT(*) FROM inv_links")) > 10000, QStringLiteral("the full build has more than 10,000 investigation links"));
        const qint64 size = QFileInfo(path).size();
        generatedRule(anyImported(m), size > 50000000 && size < 200000000, QStringLiteral("the full build's file is 50,000,000 to 200,000,000 bytes (%1)").arg(size));
    }
}

} // namespace

void checkReference(const Model &m, const QString &path)
{
    try {
        SQLDB db(path, true);
        checkMeta(db, m, path);
        checkVehicles(db, m);
        checkRecalls(db, m);
        checkBulletins(db, m);
        checkComplaints(db, m);
        checkSearch(db, m, path);
        // The engine rules hold the listed rows; EPA's own are taken as they are.
        checkEngines(db, m);
        checkAgencyRecords(db, m);
    } catch (const SQLError &e) {
        throw GenError{QStringLiteral("checking %1 failed: %2").arg(path, e.description())};
    }
}

void checkResearch(const Model &m, const QString &referencePath, const QString &researchPath)
{
    try {
        SQLDB ref(referencePath, true);
        SQLDB res(researchPath, true);
        for (const char *table : {"recalls", "vehicles"})
            rule(ref.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table))) ==
                     res.scalar(QStringLiteral("SELECT COUNT(*) FROM %1").arg(QLatin1String(table))),
                 QStringLiteral("the research database has as many %1 as the reference").arg(QLatin1String(table)));
        const qint64 f150 = idOf(ref, "FORD", "F-150");
        const QList<QPair<qint64, int>> pairs = {{1118, 2002}, {idOf(ref, "FORD", "Focus"), 2014}, {f150, 2015}};
        for (const auto &[vid, year] : pairs) {
            QStringList a, b;
            for (const SQLRow &r : res.rows(QStringLiteral("SELECT component, complaints FROM vehicle_complaint_summary WHERE vehicle_id = ? AND model_year = ? AND level = 'L1'"), {vid, year}))
                a << r.str(0) + QLatin1Char('=') + r.str(1);
            for (const SQLRow &r : ref.rows(QStringLiteral("SELECT k.name, c.complaints FROM complaints c JOIN components k USING (component_id) WHERE c.vehicle_id = ? AND c.model_year = ? AND c.level = 1"), {vid, year}))
                b << r.str(0) + QLatin1Char('=') + r.str(1);
            a.sort();
            b.sort();
            rule((m.imported.complaints || !a.isEmpty()) && a == b &&
                     res.scalar(QStringLiteral("SELECT SUM(complaints) FROM complaint_totals WHERE vehicle_id = ? AND model_year = ?"), {vid, year}) ==
                         ref.scalar(QStringLiteral("SELECT complaints FROM complaint_totals WHERE vehicle_id = ? AND model_year = ?"), {vid, year}),
                 QStringLiteral("research complaint areas and totals of vehicle %1 in %2 equal the reference").arg(vid).arg(year));
        }
        QList<qint64> ids;
        for (const SQLRow &r : res.rows(QStringLiteral("SELECT DISTINCT nhtsa_id FROM tsb_vehicles WHERE vehicle_id = 1118 AND model_year = 2002 ORDER BY 1")))
            ids << r.integer(0);
        rule(ids == PackedIDs::decode(ref.rows(QStringLiteral("SELECT ids FROM tsb_links WHERE vehicle_id = 1118 AND model_year = 2002")).value(0).data(0)),
             QStringLiteral("the research bulletin list of the 2002 Navigator equals the reference"));
        generatedRule(m.imported.recalls, res.scalar(QStringLiteral("SELECT COUNT(*) FROM recall_vehicles WHERE vehicle_id = 1118 AND model_year = 2002 AND campaign_number = '05V388000'")) > 0,
             QStringLiteral("the research database links 05V388000 to the 2002 Navigator"));
    } catch (const SQLError &e) {
        throw GenError{QStringLiteral("checking %1 failed: %2").arg(researchPath, e.description())};
    }
}
