// The generated reference databases: the facts the app, the self-test and the
// snapshots rely on, read through Vorel on both the sample and the full build,
// plus the generator's determinism and its failures.

#include "data/complaintrule.h"
#include "data/nhtsatext.h"
#include "data/packedids.h"
#include "data/provenance.h"
#include "data/vorel.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cmath>
#include <functional>

namespace {

const QString kSample = QStringLiteral(FV_TESTDATA_DIR "/vorel-sample.db");
const QString kSamplePhotos = QStringLiteral(FV_TESTDATA_DIR "/photos-sample");
const QString kFull = QStringLiteral(FV_RESOURCE_DIR "/vorel.db");
const QString kFullPhotos = QStringLiteral(FV_RESOURCE_DIR "/photos");
const QString kResearch = QStringLiteral(FV_TESTDATA_DIR "/research-full.db");
const QString kGenerator = QStringLiteral(FV_BIN_DIR "/vorelgen");
const QString kContent = QStringLiteral(FV_TESTS_DIR "/../tools/vorelgen/content");
const QString kSchema = QStringLiteral(FV_TESTS_DIR "/../tools/vorelgen/schema.sql");

// Every table's rows in stored order, as one comparable list per table.
QMap<QString, QList<QList<SQLValue>>> dump(const QString &path)
{
    SQLDB db(path, true);
    QMap<QString, QList<QList<SQLValue>>> out;
    for (const SQLRow &t : db.rows(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'search_%' ORDER BY name"))) {
        QList<QList<SQLValue>> rows;
        for (const SQLRow &r : db.rows(QStringLiteral("SELECT * FROM \"%1\"").arg(t.str(0))))
            rows.append(r.values);
        out.insert(t.str(0), rows);
    }
    return out;
}

struct Run
{
    int status = -1;
    QString errors;
};

Run generate(const QString &content, const QString &folder)
{
    QProcess p;
    p.start(kGenerator, {QStringLiteral("--profile"), QStringLiteral("sample"), QStringLiteral("--content"), content,
                         QStringLiteral("--schema"), kSchema, QStringLiteral("--out"), folder + QStringLiteral("/vorel.db"),
                         QStringLiteral("--photos"), folder + QStringLiteral("/photos")});
    if (!p.waitForFinished(120000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardError())};
}

bool copyContent(const QString &to)
{
    QDir().mkpath(to);
    for (const QFileInfo &f : QDir(kContent).entryInfoList({QStringLiteral("*.json")}, QDir::Files))
        if (!QFile::copy(f.filePath(), to + QLatin1Char('/') + f.fileName()))
            return false;
    // EPA's list and its names table.
    QDir().mkpath(to + QStringLiteral("/epa"));
    for (const QFileInfo &f : QDir(kContent + QStringLiteral("/epa")).entryInfoList(QDir::Files))
        if (!QFile::copy(f.filePath(), to + QStringLiteral("/epa/") + f.fileName()))
            return false;
    return true;
}

// Reads a content file, lets `edit` change it and writes it back.
bool editJson(const QString &path, const std::function<void(QJsonDocument &)> &edit)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    QJsonDocument doc = QJsonDocument::fromJson(f.readAll());
    f.close();
    edit(doc);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return f.write(doc.toJson()) > 0;
}

QStringList hitIDs(const QList<SearchHit> &hits)
{
    QStringList out;
    for (const SearchHit &h : hits)
        out << h.id();
    return out;
}

} // namespace

class TestVorelgen : public QObject
{
    Q_OBJECT

    // Both builds, opened once.
    std::unique_ptr<Vorel> m_sample, m_full;

    Vorel &db()
    {
        QFETCH(bool, full);
        return full ? *m_full : *m_sample;
    }
    void bothBuilds()
    {
        QTest::addColumn<bool>("full");
        QTest::newRow("sample") << false;
        QTest::newRow("full") << true;
    }
    qint64 idOf(Vorel &v, const char *make, const char *model)
    {
        const auto found = v.find(QLatin1String(make), QLatin1String(model));
        return found ? found->id : -1;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo::exists(kSample), qPrintable(kSample));
        QVERIFY2(QFileInfo::exists(kFull), qPrintable(kFull));
        m_sample = std::make_unique<Vorel>(kSample, kSamplePhotos);
        m_full = std::make_unique<Vorel>(kFull, kFullPhotos);
    }

    void counts_data() { bothBuilds(); }
    void counts()
    {
        QFETCH(bool, full);
        Vorel &v = db();
        const QMap<QString, qint64> c = v.counts();
        const QList<QPair<QString, QString>> counted = {
            {"vehicles", "SELECT COUNT(*) FROM vehicles"}, {"recalls", "SELECT COUNT(*) FROM recalls"},
            {"investigations", "SELECT COUNT(*) FROM investigations"}, {"tsbs", "SELECT COUNT(*) FROM tsbs"},
            {"obd_codes", "SELECT COUNT(*) FROM obd_codes"}, {"guides", "SELECT COUNT(*) FROM guides"},
            {"images", "SELECT COUNT(*) FROM images"}, {"complaint_rows", "SELECT COUNT(*) FROM complaints"},
            {"epa_configs", "SELECT COUNT(*) FROM epa"}, {"vehicle_years", "SELECT COUNT(*) FROM vehicle_years"},
            {"tsb_links", "SELECT SUM(count) FROM tsb_links"}, {"complaints_total", "SELECT SUM(complaints) FROM complaint_totals"}};
        QCOMPARE(c.size(), counted.size());
        for (const auto &[key, sql] : counted) {
            QVERIFY2(c.contains(key), qPrintable(key));
            QCOMPARE(c.value(key), v.db->scalar(sql));
            QVERIFY2(c.value(key) > 0, qPrintable(key));
        }
        QCOMPARE(c.value("images"), 50);
        if (full) {
            QCOMPARE(c.value("vehicles"), 2284);
            QCOMPARE(c.value("recalls"), 11504);
            QCOMPARE(c.value("investigations"), 2799);
            QVERIFY(v.db->scalar("SELECT COUNT(*) FROM inv_links") > 10000);
            QVERIFY(v.db->scalar("SELECT COUNT(*) FROM search") > 14000);
            const qint64 size = QFileInfo(kFull).size();
            QVERIFY2(size > 50000000 && size < 200000000, qPrintable(QString::number(size)));
        } else {
            QVERIFY(c.value("vehicles") >= 120 && c.value("vehicles") <= 200);
            QVERIFY(c.value("recalls") >= 200 && c.value("recalls") < 1000);
            QVERIFY(c.value("investigations") >= 24 && c.value("investigations") < 100);
            // Only the full build carries generated vehicles.
            QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM vehicles WHERE model LIKE 'Sample Model %'"), 0);
        }
    }

    void pickerFacts_data() { bothBuilds(); }
    void pickerFacts()
    {
        Vorel &v = db();
        const auto nav = v.find("lincoln", "navigator");
        QVERIFY(nav);
        QCOMPARE(nav->id, 1118);
        QCOMPARE(nav->name(), QStringLiteral("Lincoln Navigator"));
        QVERIFY(nav->imageID);
        QVERIFY(QFileInfo::exists(v.photoURL(*v.photo(nav->imageID))));
        QList<qint64> navYears;
        for (const ModelYear &y : v.yearsFor(nav->id))
            navYears << y.year;
        QVERIFY(navYears.contains(2002) && navYears.contains(2005));

        const QList<qint64> years = v.years();
        for (qint64 y = 1970; y <= 2026; ++y)
            QVERIFY2(years.contains(y), qPrintable(QString::number(y)));
        QCOMPARE(years.first(), 2026);
        QCOMPARE(years.last(), 1970);

        bool lincoln = false;
        for (const MakeChoice &m : v.makes(2002))
            lincoln = lincoln || (m.make == QLatin1String("LINCOLN") && m.display == QLatin1String("Lincoln"));
        QVERIFY(lincoln);

        const QList<ModelChoice> light = v.models(2015, "FORD");
        const QList<ModelChoice> all = v.models(2015, "FORD", true);
        bool f150 = false;
        for (const ModelChoice &m : light) {
            QVERIFY(!m.heavy);
            f150 = f150 || m.model == QLatin1String("F-150");
        }
        QVERIFY(f150);
        QVERIFY(all.size() > light.size());

        const QList<ModelChoice> chevy75 = v.models(1975, "CHEVROLET");
        QVERIFY(!chevy75.isEmpty());
        for (const ModelChoice &m : chevy75)
            QVERIFY2(m.sources.contains('o') || m.sources.contains('v'), qPrintable(m.model));
        QCOMPARE(chevy75.first().sources, QStringLiteral("o")); // marked low confidence

        const auto focus = v.find("FORD", "Focus");
        QVERIFY(focus);
        QString runs = v.yearRuns(focus->id);
        QVERIFY2(runs.contains(QStringLiteral("2000\u20132018")), qPrintable(runs));
        const auto sienna = v.find("TOYOTA", "Sienna");
        QVERIFY(sienna && !sienna->imageID);
        bool has2005 = false;
        for (const ModelYear &y : v.yearsFor(sienna->id))
            has2005 = has2005 || y.year == 2005;
        QVERIFY(has2005);
        for (const auto &[make, model, year] : {std::tuple{"TOYOTA", "Camry", 2009}, std::tuple{"JEEP", "Cherokee", 1995},
                                                std::tuple{"FORD", "Focus", 2013}, std::tuple{"FORD", "Focus", 2016}}) {
            bool found = false;
            for (const ModelChoice &m : v.models(year, make))
                found = found || m.model == QLatin1String(model);
            QVERIFY2(found, model);
        }
    }

    void vehicleColumns_data() { bothBuilds(); }
    void vehicleColumns()
    {
        Vorel &v = db();
        // Years before the official catalog come only from other agency
        // records; the catalog range starts at its 1981 floor.
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM vehicle_years WHERE model_year < 1981 AND sources <> 'o'"), 0);
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM vehicle_years WHERE model_year >= 1981 AND instr(sources, 'v') = 0"), 0);
        const auto impala = v.find("CHEVROLET", "Impala");
        QVERIFY(impala);
        QCOMPARE(impala->firstYear, 1970);
        QCOMPARE(impala->firstYearVPIC, 1981);
        QVERIFY(impala->startsAtVPICFloor);
        QCOMPARE(impala->confidence, QStringLiteral("medium"));
        const auto chevelle = v.find("CHEVROLET", "Chevelle");
        QVERIFY(chevelle && !chevelle->firstYearVPIC && !chevelle->lastYearVPIC);
        QCOMPARE(chevelle->confidence, QStringLiteral("low"));
        // Every vehicle's first and last year are those of its year rows.
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM vehicles v WHERE first_year <> (SELECT MIN(model_year) FROM vehicle_years y WHERE y.vehicle_id = v.vehicle_id) "
                              "OR last_year <> (SELECT MAX(model_year) FROM vehicle_years y WHERE y.vehicle_id = v.vehicle_id)"),
                 0);
    }

    void engines_data() { bothBuilds(); }
    void engines()
    {
        Vorel &v = db();
        bool v8 = false;
        for (const EPAConfig &e : v.epa(1118, 2002))
            v8 = v8 || (e.displacement == 5.4 && e.cylinders == 8 && e.transmission == QLatin1String("Automatic 4-spd"));
        QVERIFY(v8);
        QVERIFY(v.epa(1118, 1983).isEmpty());
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM epa WHERE model_year < 1984"), 0);
        // Heavy trucks are not in the EPA listings; electric ones are, as electric.
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM epa e JOIN vehicles v USING (vehicle_id) WHERE v.heavy = 1"), 0);
        const QList<EPAConfig> tesla = v.epa(idOf(v, "TESLA", "Model 3"), 2020);
        QVERIFY(!tesla.isEmpty());
        QVERIFY2(tesla.first().engineText().startsWith(QStringLiteral("Electric (")), qPrintable(tesla.first().engineText()));
    }

    void recalls_data() { bothBuilds(); }
    void recalls()
    {
        Vorel &v = db();
        bool speed = false;
        for (const Recall &r : v.recalls(1118, 2002))
            speed = speed || r.campaign == QLatin1String("05V388000");
        QVERIFY(speed);
        const auto r = v.recall("05V388000");
        QVERIFY(r);
        QCOMPARE(r->typeText(), QStringLiteral("Vehicle recall"));
        QVERIFY(!r->summary.isEmpty() && !r->remedy.isEmpty());
        QVERIFY(NHTSAText::sentenceCase(r->summary).contains(QStringLiteral("speed control deactivation switch")));
        QVERIFY(v.recallVehicles("05V388000").size() >= 20);

        bool pedal = false;
        for (const Recall &rc : v.recalls(idOf(v, "TOYOTA", "Camry"), 2009)) {
            if (rc.campaign != QLatin1String("09V388000"))
                continue;
            for (const QString &c : rc.components)
                pedal = pedal || c.contains(QLatin1String("VEHICLE SPEED CONTROL")) || c.contains(QLatin1String("ENGINE"));
        }
        QVERIFY(pedal);
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM recalls WHERE campaign LIKE '05V388%' OR campaign LIKE '09V388%'"), 2);
        for (const char *type : {"V", "E", "T", "C"})
            QVERIFY2(v.db->scalar("SELECT COUNT(*) FROM recalls WHERE recall_type = ?", {type}) > 0, type);
        QVERIFY(v.db->scalar("SELECT COUNT(*) FROM recalls WHERE do_not_drive = 1") > 0);
        QVERIFY(v.db->scalar("SELECT COUNT(*) FROM recalls WHERE park_outside = 1") > 0);
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM recalls WHERE NOT campaign GLOB '[0-9][0-9][VETC][0-9][0-9][0-9]000' "
                              "OR substr(campaign, 3, 1) <> recall_type"),
                 0);
        // Recalls only link vehicle-years that exist, of their own maker for vehicle recalls.
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM recall_links l WHERE NOT EXISTS (SELECT 1 FROM vehicle_years y "
                              "WHERE y.vehicle_id = l.vehicle_id AND y.model_year = l.model_year)"),
                 0);
        // An equipment recall shows up in the recall sentence as "equipment/other".
        QVERIFY(v.db->scalar("SELECT COUNT(*) FROM recall_links l JOIN recalls r USING (campaign) WHERE r.recall_type <> 'V'") > 0);
        QVERIFY(!v.investigations(idOf(v, "FORD", "Focus"), 2014).isEmpty());
        QVERIFY(!v.investigations(1118, 2002).isEmpty());
    }

    void complaints_data() { bothBuilds(); }
    void complaints()
    {
        Vorel &v = db();
        const ComplaintSummary nav = v.complaints(1118, 2002);
        QCOMPARE(nav.total, 32);
        QVERIFY(nav.flagged().isEmpty());
        bool powerTrain = false;
        for (const ComplaintRow &a : nav.areas)
            powerTrain = powerTrain || (a.component == QLatin1String("POWER TRAIN") && !a.notablyHigh());
        QVERIFY(powerTrain);

        const auto focus = v.find("FORD", "Focus");
        QVERIFY(focus);
        for (qint64 y = 2013; y <= 2016; ++y) {
            const ComplaintSummary s = v.complaints(focus->id, y);
            bool flagged = false;
            for (const ComplaintRow &a : s.areas) {
                QCOMPARE(a.vehicleYearComplaints, s.total);
                flagged = flagged || (a.component == QLatin1String("POWER TRAIN") && a.notablyHigh());
            }
            QVERIFY2(flagged, qPrintable(QString::number(y)));
            QCOMPARE(s.chartSum(), v.db->scalar("SELECT SUM(complaints) FROM complaints WHERE vehicle_id = ? AND model_year = ? AND level = 1", {focus->id, y}));
        }
        const QList<ComplaintRow> flagged2014 = v.complaints(focus->id, 2014).flagged();
        QVERIFY(!flagged2014.isEmpty());
        QCOMPARE(flagged2014.first().component, QStringLiteral("POWER TRAIN"));
        QVERIFY(!v.complaintDetail(focus->id, 2014, "POWER TRAIN").isEmpty());

        const QString focusText = v.knownProblems(*focus, 2014).join(' ');
        QVERIFY2(focusText.contains(QStringLiteral("Owners reported power train problems to NHTSA about")), qPrintable(focusText));
        QVERIFY(focusText.contains(QStringLiteral("as often as for other 2014 vehicles")));
        const QString navText = v.knownProblems(*v.vehicle(1118), 2002).join(' ');
        QVERIFY2(!navText.toLower().contains(QStringLiteral("power train problems")), qPrintable(navText));
        QVERIFY(navText.contains(QStringLiteral("87 manufacturer service bulletins")));
        QVERIFY(navText.contains(QStringLiteral("Only 32 owner complaints")));
        // The recall and bulletin groups named in these lines never speak of failures or reliability.
        const QString both = (focusText + navText).toLower();
        QVERIFY2(!both.contains(QStringLiteral("fail")) && !both.contains(QStringLiteral("reliab")), qPrintable(both));
    }

    // Generated records only concern parts that the vehicles had: nothing
    // about fuel, exhaust or gearboxes for an electric vehicle, and nothing
    // about a part before the model years that had it.
    void recordsFitTheirVehicles_data() { bothBuilds(); }
    void recordsFitTheirVehicles()
    {
        Vorel &v = db();
        const QString electric = QStringLiteral("(SELECT vehicle_id FROM epa GROUP BY vehicle_id HAVING MAX(displacement_l) = 0)");
        const qint64 tesla = idOf(v, "TESLA", "Model 3");
        QVERIFY(v.db->scalar("SELECT COUNT(*) FROM " + electric + " WHERE vehicle_id = ?", {tesla}) == 1);
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM complaints c JOIN components k USING (component_id) WHERE c.vehicle_id IN " + electric +
                              " AND (k.name = 'ENGINE' OR k.name LIKE 'ENGINE:%' OR k.name LIKE '%:GASOLINE' OR k.name LIKE '%:FUEL PUMP' "
                              "OR k.name LIKE '%:MANUAL TRANSMISSION' OR k.name = 'ENGINE AND ENGINE COOLING:ENGINE')"),
                 0);
        QVERIFY(v.db->scalar("SELECT COUNT(*) FROM complaints WHERE vehicle_id = ?", {tesla}) > 0);
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM recall_links l JOIN recalls r USING (campaign) WHERE l.vehicle_id IN " + electric +
                              " AND (r.components LIKE 'ENGINE:%' OR r.components LIKE 'FUEL/PROPULSION SYSTEM:%' OR r.components LIKE 'POWER TRAIN:DRIVELINE%' "
                              "OR r.components LIKE 'POWER TRAIN:AXLE%' OR r.components LIKE '%COOLING SYSTEM%')"),
                 0);
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM inv_links l JOIN investigations i USING (action) WHERE l.vehicle_id IN " + electric +
                              " AND (i.components LIKE 'ENGINE%' OR i.components LIKE 'FUEL%' OR i.components LIKE 'POWER TRAIN:AUTOMATIC%')"),
                 0);
        for (const auto &[component, from] : {std::pair{"STEERING:ELECTRIC POWER ASSIST", 2004}, std::pair{"TIRES:PRESSURE MONITORING", 2006},
                                              std::pair{"AIR BAGS:SIDE/WINDOW", 1998}}) {
            QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM complaints c JOIN components k USING (component_id) WHERE k.name = ? AND c.model_year < ?",
                                  {component, from}),
                     0);
            QVERIFY(v.db->scalar("SELECT COUNT(*) FROM complaints c JOIN components k USING (component_id) WHERE k.name = ? AND c.model_year >= ?",
                                 {component, from}) > 0);
        }
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM recall_links l JOIN recalls r USING (campaign) WHERE r.components LIKE 'STEERING:ELECTRIC%' AND l.model_year < 2004"), 0);
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM recall_links l JOIN recalls r USING (campaign) WHERE r.components LIKE 'AIR BAGS%' AND l.model_year < 1988"), 0);

        // Bulletins: touch screens and tire pressure sensors only on vehicles of their era,
        // fuel, engine and transmission work never on an electric vehicle.
        QSet<qint64> screens, tpms, combustion;
        for (const SQLRow &r : v.db->rows(QStringLiteral("SELECT nhtsa_id, summary, components FROM tsbs"))) {
            const QString text = r.str(1).toLower();
            if (text.contains(QLatin1String("touch screen")))
                screens.insert(r.integer(0));
            if (text.contains(QLatin1String("tire pressure")))
                tpms.insert(r.integer(0));
            if (text.contains(QLatin1String("transmission")) || text.contains(QLatin1String("evaporative")) ||
                text.contains(QLatin1String("valve train")) || text.contains(QLatin1String("misfire")))
                combustion.insert(r.integer(0));
        }
        QSet<qint64> electricIDs;
        for (const SQLRow &r : v.db->rows(electric.mid(1, electric.size() - 2)))
            electricIDs.insert(r.integer(0));
        qint64 early = 0, wrongKind = 0;
        for (const SQLRow &r : v.db->rows(QStringLiteral("SELECT vehicle_id, model_year, ids FROM tsb_links"))) {
            const qint64 year = r.integer(1);
            const bool ev = electricIDs.contains(r.integer(0));
            for (const qint64 id : Vorel::decodeIDs(r.data(2))) {
                early += (year < 2010 && screens.contains(id)) || (year < 2006 && tpms.contains(id));
                wrongKind += ev && combustion.contains(id);
            }
        }
        QVERIFY(!screens.isEmpty() && !tpms.isEmpty() && !combustion.isEmpty());
        QCOMPARE(early, 0);
        QCOMPARE(wrongKind, 0);

        // Held to the page: no trunk, hatch or liftgate bulletin on a pickup, no
        // diesel complaint row where the engine table lists no diesel, no rear
        // axle or driveshaft recall where every listed engine drives the front.
        const QString pickups = QStringLiteral(
            "(SELECT vehicle_id FROM vehicles WHERE vehicle_types LIKE '%Truck%' AND vehicle_types NOT LIKE '%MPV%')");
        QSet<qint64> carBody;
        for (const SQLRow &r : v.db->rows(QStringLiteral(
                 "SELECT nhtsa_id FROM tsbs WHERE summary LIKE '%trunk%' OR summary LIKE '%hatch%' "
                 "OR summary LIKE '%liftgate%' OR summary LIKE '%rear wiper%' OR summary LIKE '%sliding door%'")))
            carBody.insert(r.integer(0));
        qint64 pickupYears = 0;
        for (const SQLRow &r : v.db->rows("SELECT ids FROM tsb_links WHERE vehicle_id IN " + pickups)) {
            const QList<qint64> ids = Vorel::decodeIDs(r.data(0));
            pickupYears += std::any_of(ids.begin(), ids.end(), [&](qint64 id) { return carBody.contains(id); });
        }
        QVERIFY(!carBody.isEmpty());
        QCOMPARE(pickupYears, 0);
        QCOMPARE(
            v.db->scalar(
                "SELECT COUNT(*) FROM complaints c JOIN components k USING (component_id) WHERE k.name LIKE '%:DIESEL' "
                "AND NOT EXISTS (SELECT 1 FROM epa e WHERE e.vehicle_id = c.vehicle_id AND e.model_year = c.model_year "
                "AND e.fuel_type LIKE '%Diesel%')"),
            0);
        QCOMPARE(
            v.db->scalar(
                "SELECT COUNT(*) FROM recall_links l JOIN recalls r USING (campaign) WHERE (r.components LIKE '%AXLE%' "
                "OR r.components LIKE '%DRIVESHAFT%' OR r.summary LIKE '%pinion%' OR r.summary LIKE '%rear axle%') "
                "AND EXISTS (SELECT 1 FROM epa e WHERE e.vehicle_id = l.vehicle_id AND e.model_year = l.model_year) "
                "AND NOT EXISTS (SELECT 1 FROM epa e WHERE e.vehicle_id = l.vehicle_id AND e.model_year = l.model_year "
                "AND e.drive <> 'Front-Wheel Drive')"),
            0);
    }

    // The stored figures follow their definitions, and the lowered threshold
    // of the self-test's mutation run has rows to catch.
    void complaintStatistics_data() { bothBuilds(); }
    void complaintStatistics()
    {
        Vorel &v = db();
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM complaints c WHERE vehicle_year_complaints <> COALESCE((SELECT complaints FROM complaint_totals t "
                              "WHERE t.vehicle_id = c.vehicle_id AND t.model_year = c.model_year), -1)"),
                 0);
        const auto rows = v.db->rows(QStringLiteral(
            "WITH yt AS (SELECT model_year, SUM(complaints) AS n FROM complaint_totals GROUP BY model_year), "
            "at AS (SELECT model_year, component_id, SUM(complaints) AS n FROM complaints GROUP BY model_year, component_id) "
            "SELECT c.complaints, c.vehicle_year_complaints, c.share_of_vehicle, c.peer_share, c.share_index, c.z_score, c.notably_high, "
            "CAST(at.n AS REAL) / yt.n FROM complaints c JOIN yt USING (model_year) JOIN at ON at.model_year = c.model_year AND at.component_id = c.component_id"));
        QCOMPARE(qint64(rows.size()), v.counts().value("complaint_rows"));
        qint64 differUnderMutation = 0, betweenTwoAndThree = 0;
        for (const SQLRow &r : rows) {
            const qint64 n = r.integer(0), total = r.integer(1);
            const double share = r.real(2), peer = r.real(3), index = r.real(4), z = r.real(5), wantPeer = r.real(7);
            QVERIFY(std::isfinite(index) && std::isfinite(z));
            QVERIFY(std::fabs(share - double(n) / double(total)) < 1e-12);
            QVERIFY(std::fabs(peer - wantPeer) < 1e-12);
            QVERIFY(std::fabs(index - share / peer) < 1e-9 * std::max(1.0, index));
            const double var = peer * (1 - peer) / double(total);
            QVERIFY(std::fabs(z - (var > 0 ? (share - peer) / std::sqrt(var) : 0.0)) < 1e-9 * std::max(1.0, std::fabs(z)));
            const bool stored = r.integer(6) == 1;
            QCOMPARE(ComplaintRule::notablyHigh(index, n, total, z), stored);
            ComplaintRule::mutateForSelfTest = true;
            differUnderMutation += ComplaintRule::notablyHigh(index, n, total, z) != stored;
            ComplaintRule::mutateForSelfTest = false;
            betweenTwoAndThree += index >= 2.0 && index < 3.0 && n >= 20 && total >= 50 && z >= 4.0;
        }
        QVERIFY(differUnderMutation > 0);
        QVERIFY(betweenTwoAndThree > 0);
    }

    void bulletins_data() { bothBuilds(); }
    void bulletins()
    {
        Vorel &v = db();
        QCOMPARE(v.tsbCount(1118, 2002), 87);
        const QList<TSB> list = v.tsbs(1118, 2002);
        QCOMPARE(list.size(), 87);
        bool transmission = false;
        for (const TSB &t : list) {
            QVERIFY(!t.date.isEmpty());
            transmission = transmission || t.summary.toUpper().contains(QLatin1String("4R100")) || t.summary.toUpper().contains(QLatin1String("TRANSMISSION"));
        }
        QVERIFY(transmission);
        QVERIFY(!list.first().nhtsaPDFCandidates().isEmpty());
        QVERIFY(list.first().nhtsaPDFCandidates().first().toString().startsWith(TSB::pdfPrefix()));
        // Every packed list decodes to its count of ascending, existing ids.
        const qint64 bulletins = v.db->scalar("SELECT COUNT(*) FROM tsbs");
        for (const SQLRow &r : v.db->rows(QStringLiteral("SELECT ids, count FROM tsb_links"))) {
            const QList<qint64> ids = Vorel::decodeIDs(r.data(0));
            QCOMPARE(qint64(ids.size()), r.integer(1));
            QVERIFY(std::is_sorted(ids.begin(), ids.end()));
            QCOMPARE(Vorel::encodeIDs(ids), r.data(0));
        }
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM tsbs WHERE length(added_date) <> 10 OR added_date < comm_date"), 0);
        QVERIFY(bulletins > 1000);
    }

    void search_data() { bothBuilds(); }
    void search()
    {
        Vorel &v = db();
        const QList<SearchHit> nav = v.search("2002 navigator");
        QVERIFY(!nav.isEmpty());
        QCOMPARE(nav.first().kind, SearchKind(SearchKind::Vehicle));
        QCOMPARE(nav.first().ref, QStringLiteral("1118"));
        QCOMPARE(nav.first().year, 2002);
        QVERIFY(nav.size() == 1 || nav[1].kind != SearchKind(SearchKind::Vehicle));

        QCOMPARE(v.search("P0420").value(0).ref, QStringLiteral("P0420"));
        QVERIFY(hitIDs(v.search("overheating")).contains(QStringLiteral("guide:overheating:0")));
        QVERIFY(hitIDs(v.search("05V388")).contains(QStringLiteral("recall:05V388000:0")));
        const QString f150 = QString::number(idOf(v, "FORD", "F-150"));
        QVERIFY(hitIDs(v.search("f-150")).contains(QStringLiteral("vehicle:") + f150 + QStringLiteral(":0")));
        QVERIFY(hitIDs(v.search("2015 F-150")).contains(QStringLiteral("vehicle:") + f150 + QStringLiteral(":2015")));

        // One row per vehicle, recall, code, guide and OBD-I section.
        const QMap<QString, qint64> c = v.counts();
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM search WHERE kind = 'vehicle'"), c.value("vehicles"));
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM search WHERE kind = 'recall'"), c.value("recalls"));
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM search WHERE kind = 'code'"), c.value("obd_codes"));
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM search WHERE kind = 'guide'"), c.value("guides"));
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM search WHERE kind = 'obd1'"), v.db->scalar("SELECT COUNT(*) FROM obd1"));
        // A recall hit reads as its page: the list row's component, the sheet's case.
        const std::optional<Recall> speed = v.recall(QStringLiteral("05V388000"));
        QVERIFY(speed && speed->summary.toUpper() == speed->summary);
        const SearchHit hit = v.search("05V388000").value(0);
        QVERIFY2(
            hit.title.startsWith(QStringLiteral("05V388000 ") + NHTSAText::display(speed->components.value(0)) + u':'),
            qPrintable(hit.title));
        QString snippet = hit.snippet;
        snippet.remove(u'\u2026');
        QVERIFY2(snippet.size() > 20
                     && (NHTSAText::sentenceCase(speed->summary) + u' ' + NHTSAText::sentenceCase(speed->consequence))
                            .contains(snippet.trimmed()),
                 qPrintable(hit.snippet));
        // A vehicle's type as its page names it.
        QVERIFY(v.db->string("SELECT body FROM search WHERE kind = 'vehicle' AND ref = '1118'")
                    .contains(QStringLiteral("SUV/van (MPV)")));
        // A vehicle text never looks like a trouble code, so a code query lists the code first.
        static const QRegularExpression codeLike(QStringLiteral("\\b[PBCU][0-9][0-9A-F]{3}"), QRegularExpression::CaseInsensitiveOption);
        for (const SQLRow &r : v.db->rows(QStringLiteral("SELECT body FROM search WHERE kind = 'vehicle'")))
            QVERIFY2(!codeLike.match(r.str(0)).hasMatch(), qPrintable(r.str(0)));
    }

    void schemaAndCredits_data() { bothBuilds(); }
    void schemaAndCredits()
    {
        QFETCH(bool, full);
        Vorel &v = db();
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM pragma_table_info('obd_codes')"), 11);
        QCOMPARE(v.db->string("SELECT name FROM pragma_table_info('obd_codes') WHERE cid = 0"), QStringLiteral("code"));
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM sqlite_master WHERE sql LIKE '%narrative%' OR sql LIKE '%cdescr%'"), 0);
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name = 'recall_links_campaign'"), 1);
        QFile file(full ? kFull : kSample);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray header = file.read(20);
        QCOMPARE(int(header[18]), 1); // rollback journal, not WAL
        QVERIFY(!QFileInfo::exists((full ? kFull : kSample) + QStringLiteral("-wal")));
        QVERIFY(!QFileInfo::exists((full ? kFull : kSample) + QStringLiteral(".part")));

        // Every agency record kind is generated here, the two kept recalls
        // aside, and the pictures are drawings; the texts say so. Engines are
        // EPA's and the lists' (generated only for a build's stand-in models).
        const Provenance provenance = Provenance::fromMeta(v.meta);
        for (const Provenance::Kind kind : Provenance::kinds())
            QCOMPARE(v.meta.value(Provenance::metaKey(kind)),
                     kind == Provenance::Kind::Engines && v.meta.contains(QStringLiteral("vpic")) ? QStringLiteral("real") : QStringLiteral("generated"));
        QCOMPARE(v.meta.value("provenance.photos"), QStringLiteral("drawn"));
        QVERIFY(!provenance.sample(Provenance::Kind::Recalls, QStringLiteral("05V388000")));
        QVERIFY(provenance.sample(Provenance::Kind::Recalls, v.db->string("SELECT campaign FROM recalls WHERE campaign NOT LIKE '%388000' LIMIT 1")));
        QVERIFY(!v.recall(QStringLiteral("09V388000"))->notes.contains(QStringLiteral("generated")));
        QCOMPARE(v.meta.value("complaints_label"), provenance.complaintsLabel());
        QVERIFY(!v.meta.value("complaints_label").contains(QStringLiteral("reported to NHTSA")));
        QCOMPARE(v.meta.value("data_credit"), provenance.dataCredit());
        QVERIFY(v.meta.value("data_credit").contains(QStringLiteral("recalls, investigations, service bulletins and complaint counts")));
        // The note and the credits say what is generated and, when the
        // catalogue was used, what came from it.
        const QString note = v.meta.value("recall_note");
        QVERIFY(note.contains(QStringLiteral("generated sample data")));
        const QString vpic = v.meta.value("vpic");
        bool fromCatalogue = false;
        for (const DataSource &s : v.dataSources()) {
            if (s.name.startsWith(QStringLiteral("NHTSA vPIC"))) {
                fromCatalogue = true;
                QVERIFY(s.name.contains(vpic) && s.url.startsWith(QStringLiteral("https://")) && s.retrieved.size() == 10);
            } else if (!s.name.startsWith(QStringLiteral("EPA "))) {
                QVERIFY2(s.name.contains(QStringLiteral("vorelgen")) && s.name.contains(QStringLiteral("generated sample data")), qPrintable(s.name));
            }
        }
        QCOMPARE(fromCatalogue, !vpic.isEmpty());
        for (const char *part : {"recalls", "investigations", "complaint", "bulletins", "EPA's fuel-economy list", "compiled by hand"})
            QVERIFY2(note.contains(QLatin1String(part)), part);
        QCOMPARE(note.contains(QStringLiteral("vPIC")), fromCatalogue);
        const QList<PhotoCredit> photos = v.photos();
        QCOMPARE(photos.size(), 50);
        for (const PhotoCredit &p : photos) {
            QVERIFY(QFileInfo::exists(v.photoURL(p)));
            QVERIFY(p.generationNote.contains(QStringLiteral("not a photograph")));
            QVERIFY(!p.license.isEmpty() && !p.attribution.isEmpty());
            QVERIFY(!p.license.contains(QStringLiteral("BY")));
            QCOMPARE(p.author, QStringLiteral("Brackenfold"));
            QVERIFY(QImage(v.photoURL(p)).size() == QSize(800, 450));
        }
    }

    void researchCrossCheck()
    {
        Vorel &v = *m_full;
        SQLDB research(kResearch, true);
        QCOMPARE(research.scalar("SELECT COUNT(*) FROM recalls"), v.counts().value("recalls"));
        QCOMPARE(research.scalar("SELECT COUNT(*) FROM vehicles"), v.counts().value("vehicles"));
        const QList<QPair<qint64, qint64>> pairs = {{1118, 2002}, {idOf(v, "FORD", "Focus"), 2014}, {idOf(v, "FORD", "F-150"), 2015}};
        for (const auto &[vid, year] : pairs) {
            QStringList a, b;
            for (const SQLRow &r : research.rows(QStringLiteral("SELECT component, complaints FROM vehicle_complaint_summary "
                                                                "WHERE vehicle_id = ? AND model_year = ? AND level = 'L1'"), {vid, year}))
                a << r.str(0) + '=' + r.str(1);
            for (const ComplaintRow &row : v.complaints(vid, year).areas)
                b << row.component + '=' + QString::number(row.complaints);
            a.sort();
            b.sort();
            QVERIFY(!a.isEmpty());
            QCOMPARE(a, b);
            QCOMPARE(research.scalar("SELECT SUM(complaints) FROM complaint_totals WHERE vehicle_id = ? AND model_year = ?", {vid, year}),
                     v.complaints(vid, year).total);
        }
        QSet<qint64> ids;
        for (const SQLRow &r : research.rows(QStringLiteral("SELECT DISTINCT nhtsa_id FROM tsb_vehicles WHERE vehicle_id = 1118 AND model_year = 2002")))
            ids.insert(r.integer(0));
        const QList<qint64> mine = v.tsbIDs(1118, 2002);
        QCOMPARE(ids, QSet<qint64>(mine.begin(), mine.end()));
        QVERIFY(research.scalar("SELECT COUNT(*) FROM recall_vehicles WHERE vehicle_id = 1118 AND model_year = 2002 AND campaign_number = '05V388000'") > 0);
    }

    // Lines, years and engines read from the vPIC catalogue look like the
    // cars an owner knows, and the generated records around them fit.
    void catalogueLines()
    {
        Vorel &v = *m_full;
        if (!v.meta.contains(QStringLiteral("vpic")))
            QSKIP("built without the vPIC catalogue");
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM vehicles WHERE model LIKE 'Sample Model %' OR notes LIKE 'Generated%'"), 0);
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM vehicles WHERE vehicle_types LIKE '%Multipurpose%' OR vehicle_types LIKE '%, %'"), 0);
        QVERIFY(v.db->scalar("SELECT COUNT(*) FROM vehicles WHERE vehicle_types = 'Incomplete Vehicle,Truck' AND heavy = 1") > 0);
        // Real first years; each known car's engine rows: displacements, driven wheels, a gearbox word it cannot have.
        struct Known { const char *make, *model; int first, year; QSet<double> litres; QSet<QString> drives; const char *never; };
        const QList<Known> known = {
            {"HONDA", "Civic", 1973, 1995, {1.5, 1.6}, {"Front-Wheel Drive"}, "AV"},
            {"TOYOTA", "Tacoma", 1995, 2005, {2.7, 4.0}, {"Rear-Wheel Drive", "4-Wheel or All-Wheel Drive"}, "AV"},
            {"TOYOTA", "Prius", 2001, 2012, {1.8}, {"Front-Wheel Drive"}, "A1"},
            {"TOYOTA", "Camry", 1983, 2009, {}, {"Front-Wheel Drive"}, "A1"},
            {"TESLA", "Model 3", 2017, 2019, {0.0}, {QString()}, "spd"}, // after EPA's list: no drive the list does not state
            {"MAZDA", "MX-5 Miata", 1990, 1990, {1.6}, {"Rear-Wheel Drive"}, "AV"},
            {"PORSCHE", "911", 1970, 2014, {}, {"Rear-Wheel Drive", "4-Wheel Drive"}, "AV"},
            {"JEEP", "Cherokee", 1974, 1988, {2.5, 4.0}, {"Rear-Wheel Drive", "4-Wheel or All-Wheel Drive"}, "AV"},
            {"LINCOLN", "Navigator", 1998, 2002, {5.4}, {"Rear-Wheel Drive", "4-Wheel or All-Wheel Drive"}, "Manual"},
        };
        for (const Known &k : known) {
            const auto car = v.find(QLatin1String(k.make), QLatin1String(k.model));
            QVERIFY2(car && car->firstYear == k.first, k.model);
            QSet<double> litres;
            QSet<QString> drives;
            for (const EPAConfig &e : v.epa(car->id, k.year)) {
                litres.insert(e.displacement);
                drives.insert(e.drive);
                QVERIFY2(!e.transmission.contains(QLatin1String(k.never)), qPrintable(QString::fromLatin1(k.model) + ": " + e.transmission));
                QVERIFY2(e.fuel != QLatin1String("Electricity") || e.displacement == 0.0, k.model);
            }
            if (!k.litres.isEmpty())
                QVERIFY2(litres == k.litres, k.model);
            QVERIFY2(drives == k.drives, k.model);
        }
        // Work trucks are hidden with the heavy ones; pickups stay trucks, not MPVs.
        for (const auto &[make, model, heavy] : {std::tuple{"FORD", "F-150", false}, std::tuple{"FORD", "F-350", false},
                                                 std::tuple{"FORD", "L8000", true}, std::tuple{"CHEVROLET", "4500HD", true}}) {
            const auto truck = v.find(QLatin1String(make), QLatin1String(model));
            QVERIFY2(truck && truck->heavy == heavy, model);
            QVERIFY2(truck->kind() == VehicleKind::Truck, model);
        }
        // Legal names fit the date of the record.
        for (const auto &[name, from, until] : {std::tuple{"General Motors Corporation", "1970-01-01", "2009-07-09"},
                                                std::tuple{"General Motors LLC", "2009-07-10", "2099-01-01"},
                                                std::tuple{"DaimlerChrysler Corporation", "1998-01-01", "2007-08-02"}}) {
            QVERIFY(v.db->scalar("SELECT COUNT(*) FROM recalls WHERE manufacturer = ?", {name}) > 0);
            QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM recalls WHERE manufacturer = ? AND (report_date < ? OR report_date > ?)", {name, from, until}), 0);
        }
        // Bulletins: unique numbers, and never the same condition twice on one vehicle-year.
        QCOMPARE(v.db->scalar("SELECT COUNT(*) - COUNT(DISTINCT document_id) FROM tsbs"), 0);
        static const QRegularExpression who(QStringLiteral("(some|of) .*? vehicles"), QRegularExpression::CaseInsensitiveOption);
        for (const auto &[make, model, year] : {std::tuple{"LINCOLN", "Navigator", 2002}, std::tuple{"FORD", "Focus", 2014},
                                                std::tuple{"TESLA", "Model 3", 2020}, std::tuple{"CHEVROLET", "Impala", 2005}}) {
            QSet<QString> texts;
            const QList<TSB> list = v.tsbs(idOf(v, make, model), year);
            for (const TSB &t : list)
                texts.insert(t.summary.toLower().remove(who));
            QCOMPARE(texts.size(), list.size());
        }
    }

    // A technician's sample: the hand-written engines are the only ones a
    // listed line gets, whatever the catalogue's shared engine pools hold.
    void handWrittenEnginesWin()
    {
        Vorel &v = *m_full;
        struct Known { const char *make, *model; int year; QSet<double> litres; };
        const QList<Known> known = {
            {"FORD", "Mustang", 1986, {2.3, 3.8, 5.0}},      {"LINCOLN", "Town Car", 1987, {5.0}},
            {"MERCURY", "Grand Marquis", 1989, {5.0}},       {"FORD", "Crown Victoria", 1995, {4.6}},
            {"CHEVROLET", "Corvette", 2010, {6.2, 7.0}},     {"TOYOTA", "RAV4", 1998, {2.0}},
            {"FORD", "Focus", 2005, {2.0, 2.3}},             {"TOYOTA", "Sienna", 2004, {3.3}},
            {"RAM", "1500", 2019, {3.6, 5.7}},               {"CHEVROLET", "Cruze", 2014, {1.4, 1.8, 2.0}},
            {"VOLKSWAGEN", "Golf", 2004, {1.9, 2.0}},   {"VOLKSWAGEN", "GTI", 2012, {2.0}},
        };
        for (const Known &k : known) {
            const auto car = v.find(QLatin1String(k.make), QLatin1String(k.model));
            QVERIFY2(car, k.model);
            QSet<double> litres;
            for (const EPAConfig &e : v.epa(car->id, k.year))
                litres.insert(e.displacement);
            QVERIFY2(litres == k.litres, qPrintable(QStringLiteral("%1 %2").arg(QLatin1String(k.model)).arg(k.year)));
        }
        // Plug-in hybrids are listed with their engine, never as electric cars.
        for (const auto &[make, model, year] : {std::tuple{"JEEP", "Wrangler", 2022}, std::tuple{"CHRYSLER", "Pacifica", 2018}}) {
            const QList<EPAConfig> rows = v.epa(idOf(v, make, model), year);
            QVERIFY2(!rows.isEmpty(), model);
            QVERIFY2(std::none_of(rows.begin(), rows.end(), [](const EPAConfig &e) { return e.displacement == 0.0; }), model);
            QVERIFY2(std::any_of(rows.begin(), rows.end(), [](const EPAConfig &e) { return e.engineDesc == QLatin1String("PHEV"); }), model);
        }
        // The Golf of 2007-2009 was sold as the Rabbit; catalogue lines end where their patterns do.
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM vehicle_years y JOIN vehicles v USING (vehicle_id) WHERE v.make = 'VOLKSWAGEN' "
                              "AND v.model = 'Golf' AND y.model_year BETWEEN 2007 AND 2009"), 0);
        QCOMPARE(v.db->scalar("SELECT COUNT(*) FROM vehicle_years y JOIN vehicles v USING (vehicle_id) WHERE v.make = 'JEEP' "
                              "AND v.model = 'CJ-7' AND y.model_year = 1976"), 1);
        if (v.meta.contains(QStringLiteral("vpic"))) {
            QVERIFY(!v.find(QStringLiteral("GMC"), QStringLiteral("Cruise Origin AV")));
            for (const auto &[make, model] : {std::pair{"CADILLAC", "ELR"}, std::pair{"CHEVROLET", "SS"}, std::pair{"CHEVROLET", "Silverado LD"}})
                QVERIFY2(v.db->scalar("SELECT last_year FROM vehicles WHERE make = ? AND model = ?", {make, model}) <= 2019, model);
        }
    }

    // A line keeps its id for good, whether it comes from the catalogue or the
    // hand-written list, and no line takes an id reserved for another.
    void idsStayPut()
    {
        QFile f(kContent + QStringLiteral("/fleet_ids.json"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QJsonObject ids = QJsonDocument::fromJson(f.readAll()).object().value(QStringLiteral("ids")).toObject();
        QHash<qint64, QString> owner;
        QHash<QString, qint64> idOf;
        // A renamed line keeps the id of its first name.
        f.seek(0);
        const QJsonObject renames = QJsonDocument::fromJson(f.readAll()).object().value(QStringLiteral("renamed")).toObject();
        const auto lower = [](const QString &k) { return k.section(QLatin1Char('|'), 0, 0) + QLatin1Char('|') + k.section(QLatin1Char('|'), 1).toLower(); };
        for (auto it = ids.begin(); it != ids.end(); ++it) {
            const QString key = lower(renames.value(it.key()).toString(it.key()));
            owner.insert(it.value().toInteger(), key);
            idOf.insert(key, it.value().toInteger());
        }
        QVERIFY(owner.size() >= 2235);
        for (const SQLRow &r : m_full->db->rows(QStringLiteral("SELECT vehicle_id, make, model FROM vehicles"))) {
            const QString key = r.str(1) + QLatin1Char('|') + r.str(2).toLower();
            QVERIFY2(owner.value(r.integer(0), key) == key && idOf.value(key, r.integer(0)) == r.integer(0), qPrintable(key));
        }
    }

    // One line per vehicle: a line merged into another has no row of its own,
    // and its reserved id opens the line it joined.
    void mergedLinesAnswerByTheirIDs()
    {
        QFile f(kContent + QStringLiteral("/fleet_ids.json"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QJsonObject fleet = QJsonDocument::fromJson(f.readAll()).object();
        const QJsonObject ids = fleet.value(QStringLiteral("ids")).toObject();
        const QJsonObject merged = fleet.value(QStringLiteral("merged")).toObject();
        QVERIFY(merged.contains(QStringLiteral("TOYOTA|Scion xB")));
        for (auto it = merged.begin(); it != merged.end(); ++it) {
            const qint64 alias = ids.value(it.key()).toInteger();
            const QStringList into = it.value().toString().split(QLatin1Char('|'));
            const std::optional<VehicleInfo> line = m_full->find(into[0], into[1]);
            QVERIFY2(line && alias > 0, qPrintable(it.key()));
            QCOMPARE(m_full->db->scalar(QStringLiteral("SELECT COUNT(*) FROM vehicles WHERE vehicle_id = ?"), {alias}), 0);
            QCOMPARE(m_full->lineID(alias), line->id);
            QCOMPARE(m_full->vehicle(alias)->id, line->id);
            QCOMPARE(m_full->yearsFor(alias).size(), m_full->yearsFor(line->id).size());
        }
        // Scion's models stand under SCION, as their owners' papers say.
        QCOMPARE(m_full->db->scalar(QStringLiteral("SELECT COUNT(*) FROM vehicles WHERE make = 'TOYOTA' AND model LIKE 'Scion %'")), 0);
        QCOMPARE(m_full->db->scalar(QStringLiteral("SELECT COUNT(*) FROM vehicles WHERE make = 'SCION'")), 8);
    }

    // The hand-written vehicles keep their ids and their own figures in both builds.
    void buildsAgree()
    {
        const auto rows = [](Vorel &v, const QString &ids) {
            QStringList out;
            for (const SQLRow &r : v.db->rows(QStringLiteral("SELECT vehicle_id, make, model, first_year, last_year, image_id FROM vehicles "
                                                             "WHERE vehicle_id IN (%1) ORDER BY vehicle_id").arg(ids)))
                out << r.str(0) + '|' + r.str(1) + '|' + r.str(2) + '|' + r.str(3) + '|' + r.str(4) + '|' + r.str(5);
            return out;
        };
        const QString sampleIDs = m_sample->db->string(QStringLiteral("SELECT group_concat(vehicle_id) FROM vehicles"));
        QCOMPARE(rows(*m_sample, sampleIDs), rows(*m_full, sampleIDs));
        QCOMPARE(m_sample->complaints(1118, 2002).total, m_full->complaints(1118, 2002).total);
        QCOMPARE(m_sample->epa(1118, 2002).size(), m_full->epa(1118, 2002).size());
    }

    void deterministic()
    {
        // Two runs on the same content give the same rows in the same order.
        QTemporaryDir one, two;
        QVERIFY(one.isValid() && two.isValid());
        for (const QTemporaryDir *dir : {&one, &two}) {
            const Run run = generate(kContent, dir->path());
            QVERIFY2(run.status == 0, qPrintable(run.errors));
            QVERIFY(!QFileInfo::exists(dir->path() + QStringLiteral("/vorel.db.part")));
            QCOMPARE(QDir(dir->path() + QStringLiteral("/photos")).entryList({QStringLiteral("*.png")}).size(), 50);
        }
        const auto a = dump(one.path() + QStringLiteral("/vorel.db"));
        const auto b = dump(two.path() + QStringLiteral("/vorel.db"));
        QVERIFY(a.size() > 20);
        QCOMPARE(a.keys(), b.keys());
        for (auto it = a.begin(); it != a.end(); ++it) {
            QVERIFY2(!it.value().isEmpty(), qPrintable(it.key()));
            QVERIFY2(b.value(it.key()) == it.value(), qPrintable(it.key()));
        }
    }

    void missingContentNamesTheFile()
    {
        QTemporaryDir dir;
        QVERIFY(copyContent(dir.path() + QStringLiteral("/content")));
        QVERIFY(QFile::remove(dir.path() + QStringLiteral("/content/guides.json")));
        const Run run = generate(dir.path() + QStringLiteral("/content"), dir.path());
        QCOMPARE(run.status, 1);
        QVERIFY2(run.errors.contains(QStringLiteral("guides.json")), qPrintable(run.errors));
        QVERIFY(!QFileInfo::exists(dir.path() + QStringLiteral("/vorel.db")));
    }

    // Hand-written vehicles that cannot be right are refused with the file named.
    void badVehicleEntries_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("message");
        QTest::newRow("year before 1970") << "years" << "1969-1975" << "year run out of 1970-2026";
        QTest::newRow("year after 2026") << "years" << "2020-2027" << "year run out of 1970-2026";
        QTest::newRow("backwards run") << "years" << "2005-2001" << "year run out of 1970-2026";
        QTest::newRow("not a run") << "years" << "since 1998" << "bad year run";
        QTest::newRow("unknown make") << "make" << "ZEPHYRA" << "a listed make are required";
        QTest::newRow("bad engine") << "engines" << "V8" << "bad engine";
        QTest::newRow("twice") << "model" << "Focus" << "listed twice";
        QTest::newRow("catch-all reason") << "engines" << "2001-2003: 2.0/4 | EPA's list as packaged has no row for this line in these years"
                                          << "needs its own reason";
    }
    void badVehicleEntries()
    {
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(QString, message);
        QTemporaryDir dir;
        const QString content = dir.path() + QStringLiteral("/content");
        QVERIFY(copyContent(content));
        QVERIFY(editJson(content + QStringLiteral("/vehicles.json"), [&](QJsonDocument &d) {
            QJsonObject doc = d.object();
            QJsonArray list = doc.value("vehicles").toArray();
            QJsonObject extra{{"make", "FORD"}, {"model", "Testcar"}, {"types", "Passenger Car"}, {"years", "2001-2003"}};
            extra.insert(field, field == QLatin1String("engines") ? QJsonValue(QJsonArray{value}) : QJsonValue(value));
            list.append(extra);
            doc.insert("vehicles", list);
            d.setObject(doc);
        }));
        const Run run = generate(content, dir.path());
        QCOMPARE(run.status, 1);
        QVERIFY2(run.errors.contains(QStringLiteral("vehicles.json")) && run.errors.contains(message), qPrintable(run.errors));
    }

    void brokenRuleStopsTheBuild()
    {
        // A Sienna with a photo breaks the "no photo" fact: the generator
        // names the rule and leaves no database behind.
        QTemporaryDir dir;
        const QString content = dir.path() + QStringLiteral("/content");
        QVERIFY(copyContent(content));
        QVERIFY(editJson(content + QStringLiteral("/vehicles.json"), [](QJsonDocument &d) {
            QJsonObject doc = d.object();
            QJsonArray list = doc.value("vehicles").toArray();
            for (qsizetype i = 0; i < list.size(); ++i) {
                QJsonObject o = list[i].toObject();
                if (o.value("model") == QLatin1String("Sienna"))
                    o.insert("photo", true);
                else if (o.value("model") == QLatin1String("Camry"))
                    o.remove("photo");
                list[i] = o;
            }
            doc.insert("vehicles", list);
            d.setObject(doc);
        }));
        const Run run = generate(content, dir.path());
        QCOMPARE(run.status, 1);
        QVERIFY2(run.errors.contains(QStringLiteral("broken rule: TOYOTA Sienna")), qPrintable(run.errors));
        QVERIFY(!QFileInfo::exists(dir.path() + QStringLiteral("/vorel.db")));
        QVERIFY(!QFileInfo::exists(dir.path() + QStringLiteral("/vorel.db.part")));
    }

    void brokenGuideStopsTheBuild()
    {
        // An answer that leads back to the first step: the generator names the
        // file and the step, and leaves no database behind.
        QTemporaryDir dir;
        const QString content = dir.path() + QStringLiteral("/content");
        QVERIFY(copyContent(content));
        QJsonObject guide;
        QJsonObject step;
        QVERIFY(editJson(content + QStringLiteral("/guides.json"), [&](QJsonDocument &d) {
            QJsonArray guides = d.array();
            guide = guides.first().toObject();
            QJsonArray nodes = guide.value("nodes").toArray();
            step = nodes.last().toObject();
            step.insert("kind", "do");
            step.insert("yes_node", "start");
            nodes[nodes.size() - 1] = step;
            guide.insert("nodes", nodes);
            guides[0] = guide;
            d.setArray(guides);
        }));
        const Run run = generate(content, dir.path());
        QCOMPARE(run.status, 1);
        const QString where = guide.value("id").toString() + u'/' + step.value("node_id").toString();
        QVERIFY2(run.errors.contains(QStringLiteral("guides.json")) && run.errors.contains(where + QStringLiteral(": leads back to start")),
                 qPrintable(run.errors));
        QVERIFY(!QFileInfo::exists(dir.path() + QStringLiteral("/vorel.db")));
    }

    void agencyFaultStopsTheBuild_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("rule");
        // A template let loose on vehicles it cannot fit: the checks name the broken rule.
        QTest::newRow("pinion nut on front drive") << QStringLiteral("The rear axle pinion nut") << QStringLiteral("fits the");
        QTest::newRow("gear shifts on a CVT") << QStringLiteral("transmission may not shift out of first gear") << QStringLiteral("fits the");
        QTest::newRow("trunk lid on a pickup")
            << QStringLiteral("The rear hatch or trunk lid") << QStringLiteral("without a trunk or hatch");
    }
    void agencyFaultStopsTheBuild()
    {
        QFETCH(QString, text);
        QFETCH(QString, rule);
        QTemporaryDir dir;
        const QString content = dir.path() + QStringLiteral("/content");
        QVERIFY(copyContent(content));
        QFile f(content + QStringLiteral("/agency.json"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QJsonObject doc = QJsonDocument::fromJson(f.readAll()).object();
        f.close();
        bool seeded = false;
        for (const char *key : {"recalls", "bulletins"}) {
            QJsonArray list = doc.value(QLatin1String(key)).toArray();
            for (qsizetype i = 0; i < list.size(); ++i) {
                QJsonObject o = list[i].toObject();
                const QString words = o.value("defect").toVariant().toStringList().join(u' ') + o.value("text").toString();
                if (!words.contains(text))
                    continue;
                o.remove("needs");
                o.remove("ice");
                list[i] = o;
                seeded = true;
            }
            doc.insert(QLatin1String(key), list);
        }
        QVERIFY(seeded);
        QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(QJsonDocument(doc).toJson());
        f.close();
        const Run run = generate(content, dir.path());
        QCOMPARE(run.status, 1);
        QVERIFY2(run.errors.contains(QStringLiteral("broken rule: ")) && run.errors.contains(rule), qPrintable(run.errors));
        QVERIFY(!QFileInfo::exists(dir.path() + QStringLiteral("/vorel.db")));
    }

    void cleanupTestCase()
    {
        ComplaintRule::mutateForSelfTest = false;
    }
};

QTEST_GUILESS_MAIN(TestVorelgen)
#include "test_vorelgen.moc"
