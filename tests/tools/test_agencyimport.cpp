// The generator's import of the agencies' own files: the flat-file reader, the
// matching of agency names to vehicle lines, and whole builds from the fixture
// files in tests/tools/agency (written in the published layouts).

#include "data/packedids.h"
#include "data/sqldb.h"
#include "epanames.h"
#include "flatfile.h"
#include "namealiases.h"
#include "vehiclematch.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QString kFixtures = QStringLiteral(FV_TEST_SOURCE_DIR "/agency");
// The same records in the agencies' older layouts: recalls of 22 fields with a
// byte-order mark, investigations of 10, complaints of 48, bulletins whose
// components carry their numeric codes.
const QString kOlder = QStringLiteral(FV_TEST_SOURCE_DIR "/agency-older");

QString write(const QTemporaryDir &dir, const QString &name, const QByteArray &bytes)
{
    QFile f(dir.filePath(name));
    f.open(QIODevice::WriteOnly);
    f.write(bytes);
    return f.fileName();
}

const FlatFile::Layouts kThree = FlatFile::grown({"ID", "DATE", "YEAR", "NOTE"}, {3, 4});

// Reads the whole file; the error text when it fails.
QString readAll(const QString &path)
{
    try {
        FlatFile f(path, kThree);
        while (f.next()) {
            f.date(1);
            f.year(2);
        }
    } catch (const GenError &e) {
        return e.message;
    }
    return {};
}

struct Run
{
    int status = -1;
    QString out, err;
};

// One sample build with the agencies' files of `agency`.
Run build(const QString &agency, const QString &out, const QString &research = QString())
{
    QStringList args = {"--profile", "sample", "--content", FV_SOURCE_DIR "/tools/vorelgen/content", "--schema",
                        FV_SOURCE_DIR "/tools/vorelgen/schema.sql", "--out", out, "--photos", out + QStringLiteral("-photos"),
                        "--agency-dir", agency};
    if (!research.isEmpty())
        args << "--research" << research;
    if (QFile::exists(QStringLiteral(FV_VPIC_DB)))
        args << "--vpic" << FV_VPIC_DB << "--vpic-version" << FV_VPIC_VERSION;
    QProcess p;
    p.start(QStringLiteral(FV_BIN_DIR "/vorelgen"), args);
    p.waitForFinished(300000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

} // namespace

class TestAgencyImport : public QObject
{
    Q_OBJECT

private slots:
    void readsRecordsAndWindows1252()
    {
        QTemporaryDir dir;
        const QString path = write(dir, "F.txt", "\xEF\xBB\xBF" "1\t20240229\t9999\tDRIVER\x92S SIDE \x96 CAF\xC9\r\n\r\n2\t\t2015\t\r\n");
        FlatFile f(path, kThree);
        QVERIFY(f.next());
        QCOMPARE(f.text(0), QStringLiteral("1")); // the byte-order mark is no part of it
        QCOMPARE(f.date(1), QStringLiteral("2024-02-29"));
        QVERIFY(!f.year(2));
        QCOMPARE(f.text(3), QStringLiteral("DRIVER\u2019S SIDE \u2013 CAF\u00C9"));
        QVERIFY(f.next()); // the blank line is skipped
        QCOMPARE(f.line(), 3);
        QCOMPARE(f.date(1), QString());
        QCOMPARE(*f.year(2), 2015);
        QVERIFY(!f.next());

        // A layout grown at the end reads a later one with more fields.
        FlatFile later(write(dir, "G.txt", "1\t\t2001\tX\tY\n"), {"ID", "DATE", "YEAR", "NOTE"}, {3, 4});
        QVERIFY(later.next());
        QCOMPARE(later.text(4), QStringLiteral("Y"));
    }

    void badInputNamesFileLineAndField_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("error");
        QTest::newRow("impossible date") << QByteArray("1\t20230230\t2001\n") << "F.txt, line 1, field 2 (DATE): \"20230230\" is not a date";
        QTest::newRow("year") << QByteArray("1\t\t2001\n2\t\t20X5\n") << "F.txt, line 2, field 3 (YEAR): \"20X5\" is not a model year";
        QTest::newRow("unpublished layout") << QByteArray("1\t2\n") << "F.txt, line 1: 2 fields; the published layouts of this file have 3, 4";
        QTest::newRow("field count") << QByteArray("1\t\t2001\n2\t\t2001\tX\n") << "F.txt, line 2: 4 fields, where the file's other records have 3";
        QTest::newRow("truncated") << QByteArray("1\t\t2001\t\n2\t200") << "F.txt, line 2: truncated last record";
        QTest::newRow("cut inside a field") << QByteArray("1\t\t2001\r\n2\t\t20") << "F.txt, line 2: truncated last record";
        QTest::newRow("empty") << QByteArray() << "F.txt, line 1: no records";
        QTest::newRow("blank lines") << QByteArray("\r\n\n") << "F.txt, line 2: no records";
        QTest::newRow("binary") << QByteArray("PK\x03\x04\0\0\t\t\n", 9) << "F.txt, line 1: a NUL byte";
    }
    void badInputNamesFileLineAndField()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, error);
        QTemporaryDir dir;
        const QString message = readAll(write(dir, "F.txt", bytes));
        QVERIFY2(message.contains(error), qPrintable(message));
    }

    void matchesAgencyNamesToLines()
    {
        Model m;
        Vehicle f150;
        f150.id = 7;
        f150.make = QStringLiteral("FORD");
        f150.model = QStringLiteral("F-150");
        f150.years = {2014, 2015};
        Vehicle navigator;
        navigator.id = 1118;
        navigator.make = QStringLiteral("LINCOLN");
        navigator.model = QStringLiteral("Navigator");
        navigator.years = {2002};
        m.vehicles = {f150, navigator};
        VehicleMatcher matcher(m);
        const auto id = [&](const char *make, const char *model, int year) {
            const Vehicle *v = matcher.match(QLatin1String(make), QLatin1String(model), year);
            return v ? v->id : 0;
        };
        QCOMPARE(id("FORD", "F150", 2015), 7);
        QCOMPARE(id("FORD", "F-150 SUPERCREW 4X4", 2014), 7);
        QCOMPARE(id("LINCOLN", "NAVIGATOR", 2002), 1118);
        QCOMPARE(id("LINCOLN", "NAVIGATOR", 2003), 0); // no such model year
        QCOMPARE(id("MERCURY", "NAVIGATOR", 2002), 0);
        QCOMPARE(id("FORD", "F", 2015), 0); // a word is matched whole
    }

    // The reviewed table of NHTSA's names, on the names it was written for.
    void matchesNamesThroughTheAliasTable()
    {
        QFile file(QStringLiteral(FV_SOURCE_DIR "/tools/vorelgen/content/agency_names.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const NameAliases aliases = NameAliases::fromJson(QJsonDocument::fromJson(file.readAll()).object().value("aliases").toArray());
        Model m;
        const auto line = [&](const char *make, const char *model, QList<int> years, const char *catalog = "") {
            Vehicle v;
            v.id = m.vehicles.size() + 1;
            v.make = QLatin1String(make);
            v.model = QLatin1String(model);
            v.catalogName = QLatin1String(catalog);
            v.years = years;
            m.vehicles.append(v);
        };
        line("OLDSMOBILE", "Ninety Eight (98)", {1990});
        line("OLDSMOBILE", "Delta 88", {1990});
        line("BMW", "525i", {1990});
        line("BMW", "750iL", {1990});
        line("BMW", "750i", {2010});
        line("VOLVO", "760 Series", {1988});
        line("VOLVO", "240", {1988}, "240 Series");
        for (const char *e : {"E-150", "E-250", "E-350"})
            line("FORD", e, {1990});
        line("FORD", "F-150", {1990, 2005});
        line("FORD", "F-250 Super Duty", {2005}, "F-250");
        line("DODGE", "D-Series", {1990});
        line("DODGE", "Ram Van", {1990});
        line("DODGE", "Colt", {1990});
        line("DODGE", "Ram 1500", {2005}, "Ram");
        line("MERCEDES-BENZ", "M-Class", {2000});
        line("CHEVROLET", "Lumina", {1992});
        line("CHEVROLET", "Lumina APV", {1992});
        line("CHEVROLET", "Silverado 1500", {2005}, "Silverado");
        VehicleMatcher matcher(m, aliases);
        const auto lines = [&](const char *make, const char *model, int year) {
            QStringList out;
            for (const Vehicle *v : matcher.matchAll(QLatin1String(make), QLatin1String(model), year))
                out << v->model;
            return out.join(QLatin1Char(','));
        };
        QCOMPARE(lines("OLDSMOBILE", "98", 1990), QStringLiteral("Ninety Eight (98)"));
        QCOMPARE(lines("OLDSMOBILE", "88 ROYALE", 1990), QStringLiteral("Delta 88"));
        QCOMPARE(lines("BMW", "525", 1990), QStringLiteral("525i"));
        QCOMPARE(lines("BMW", "750", 1990), QStringLiteral("750iL"));
        QCOMPARE(lines("BMW", "750", 2010), QStringLiteral("750i"));
        QCOMPARE(lines("VOLVO", "760", 1988), QStringLiteral("760 Series"));
        QCOMPARE(lines("VOLVO", "244", 1988), QStringLiteral("240"));
        QCOMPARE(lines("VOLVO", "245", 1988), QStringLiteral("240"));
        QCOMPARE(lines("FORD", "ECONOLINE", 1990), QStringLiteral("E-150,E-250,E-350"));
        QCOMPARE(lines("FORD", "ECONOLINE E250", 1990), QStringLiteral("E-250"));
        QCOMPARE(lines("FORD", "F SERIES (LIGHT)", 1990), QStringLiteral("F-150"));
        QCOMPARE(lines("FORD", "F SERIES (LIGHT)", 2005), QStringLiteral("F-150"));
        QCOMPARE(lines("DODGE", "B350", 1990), QStringLiteral("Ram Van"));
        QCOMPARE(lines("DODGE", "D250", 1990), QStringLiteral("D-Series"));
        QCOMPARE(lines("MERCEDES BENZ", "ML320", 2000), QStringLiteral("M-Class"));
        QCOMPARE(lines("CHEVROLET", "LUMINA MINIVAN", 1992), QStringLiteral("Lumina APV"));
        // Siblings kept apart.
        QCOMPARE(lines("DODGE", "COLT VISTA", 1990), QString());
        QCOMPARE(lines("DODGE", "COLT", 1990), QStringLiteral("Colt"));
        QCOMPARE(lines("CHEVROLET", "LUMINA", 1992), QStringLiteral("Lumina"));
        QCOMPARE(lines("CHEVROLET", "SILVERADO 2500", 2005), QString());
        QCOMPARE(lines("DODGE", "RAM 2500", 2005), QString());
        QCOMPARE(lines("DODGE", "RAM 1500 QUAD CAB", 2005), QStringLiteral("Ram 1500"));
        // One complaint names one vehicle-year: a name for several lines matches none.
        QVERIFY(!matcher.match(QStringLiteral("FORD"), QStringLiteral("ECONOLINE"), 1990));
    }

    // Every older layout, and each NHTSA file alone in a folder: the kinds
    // without a file stay generated and the build says so.
    void buildsFromOlderLayoutsAndFromEachFileAlone()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("older.db"));
        Run run = build(kOlder, out);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QVERIFY(run.out.contains(QLatin1String("holds no vehicles.csv: the engine listings stay generated")));
        QVERIFY(run.out.contains(QLatin1String("FLAT_CMPL.txt: 60 records, 60 linked")));
        {
            SQLDB db(out, true);
            QCOMPARE(db.string("SELECT group_concat(campaign, ' ') FROM (SELECT campaign FROM recalls ORDER BY 1)"),
                     QStringLiteral("05V388000 08T011000 09V388000"));
            QCOMPARE(db.string("SELECT components FROM tsbs WHERE nhtsa_id = 10000101"), QStringLiteral("SERVICE BRAKES, HYDRAULIC"));
            QCOMPARE(db.scalar("SELECT SUM(complaints) FROM complaint_totals"), 60);
            QCOMPARE(db.string("SELECT value FROM meta WHERE key = 'provenance.complaints'"), QStringLiteral("real"));
            QVERIFY(!db.string("SELECT value FROM meta WHERE key = 'recall_note'").section("Generated: ", 1).contains("recalls"));
        }
        const QMap<QString, QString> alone = {{"FLAT_RCL_PRE_2010.txt", "provenance.recalls"},
                                              {"FLAT_INV.txt", "provenance.investigations"},
                                              {"FLAT_CMPL.txt", "provenance.complaints"},
                                              {"FLAT_TSBS.txt", "provenance.bulletins"}};
        for (auto it = alone.begin(); it != alone.end(); ++it) {
            const QString folder = dir.filePath(it.key() + QStringLiteral(".d"));
            QDir().mkpath(folder);
            QFile::copy(kFixtures + QLatin1Char('/') + it.key(), folder + QLatin1Char('/') + it.key());
            run = build(folder, out);
            QVERIFY2(run.status == 0, qPrintable(it.key() + QLatin1Char(' ') + run.err));
            QCOMPARE(run.out.count(QLatin1String("stay generated")), 4);
            SQLDB db(out, true);
            // The engines are EPA's in every build.
            QCOMPARE(db.scalar("SELECT COUNT(*) FROM meta WHERE key LIKE 'provenance.%' AND value = 'real'"
                               " AND key <> 'provenance.engines'"),
                     1);
            QCOMPARE(db.string("SELECT value FROM meta WHERE key = ?", {it.value()}), QStringLiteral("real"));
        }
    }

    void buildsTheDatabaseFromTheFixtures()
    {
        QTemporaryDir dir;
        const QString out = dir.filePath(QStringLiteral("vorel.db"));
        const Run run = build(kFixtures, out, dir.filePath(QStringLiteral("research.db")));
        QVERIFY2(run.status == 0, qPrintable(run.err));
        // The unmatched records, per file.
        QVERIFY(run.out.contains(QLatin1String("FLAT_CMPL.txt: 212 records, 210 linked to a vehicle-year, 1 naming no vehicle line of this build, "
                                               "1 of unknown model year; most often unmatched: ZEBRA QUUX 2015 (1)")));
        QVERIFY(run.out.contains(QLatin1String("FORD THUNDERBOLT XYZ 2015 (1)")));

        SQLDB db(out, true);
        // One campaign over many models and years, its duplicate line counted once.
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM recalls"), 6);
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM recall_links WHERE campaign = '05V388000'"), 40);
        QCOMPARE(db.string("SELECT components FROM recalls WHERE campaign = '05V388000'"), QStringLiteral("VEHICLE SPEED CONTROL|ELECTRICAL SYSTEM:WIRING"));
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM recall_links WHERE campaign = '05V388000' AND vehicle_id = 1118 AND model_year = 2002"), 1);
        // Upper-case names with trims, the newer layout's advice flags, empty and long fields, Windows-1252 text.
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM recall_links l JOIN vehicles v USING (vehicle_id) WHERE campaign = '24V200000' AND v.model = 'F-150'"), 2);
        QCOMPARE(db.scalar("SELECT park_outside * 10 + do_not_drive FROM recalls WHERE campaign = '24V200000'"), 10);
        QCOMPARE(db.scalar("SELECT do_not_drive FROM recalls WHERE campaign = '24V300000'"), 1);
        QVERIFY(db.rows("SELECT potentially_affected FROM recalls WHERE campaign = '23V100000'").value(0).isNull(0));
        QCOMPARE(db.scalar("SELECT length(summary) FROM recalls WHERE campaign = '23V100000'"), 4049);
        QVERIFY(db.string("SELECT summary FROM recalls WHERE campaign = '24V200000'").contains(QStringLiteral("circuit \u2013 owners\u2019")));
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM recall_links WHERE campaign = '08T011000'"), 0); // year 9999
        QCOMPARE(db.string("SELECT closed || '/' || recall_campaign FROM investigations WHERE action = 'EA05004'"), QStringLiteral("2005-10-21/05V388000"));
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM inv_links WHERE action = 'PE16005'"), 5);

        // Bulletins of both layouts, with their packed lists.
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM tsbs"), 8);
        QCOMPARE(PackedIDs::decode(db.rows("SELECT ids FROM tsb_links WHERE vehicle_id = 1118 AND model_year = 2002").value(0).data(0)),
                 (QList<qint64>{10000100, 10000101, 10000102, 10000103, 10000104, 10000200}));
        QCOMPARE(db.string("SELECT comm_type || '|' || components FROM tsbs WHERE nhtsa_id = 10200300"),
                 QStringLiteral("Service Bulletin/Repair Instructions|ELECTRICAL SYSTEM|POWER TRAIN"));

        // Complaints: a complaint naming two components counts once in the total.
        QCOMPARE(db.string("SELECT complaints || ',' || injuries FROM complaint_totals WHERE vehicle_id = 1118 AND model_year = 2002"), QStringLiteral("9,1"));
        const QString focus = QStringLiteral("(SELECT vehicle_id FROM vehicles WHERE make = 'FORD' AND model = 'Focus')");
        QCOMPARE(db.string("SELECT complaints || ',' || crashes FROM complaint_totals WHERE model_year = 2014 AND vehicle_id = " + focus), QStringLiteral("55,3"));
        QCOMPARE(db.scalar("SELECT notably_high FROM complaints JOIN components USING (component_id) WHERE name = 'POWER TRAIN' AND model_year = 2014 "
                           "AND vehicle_id = " + focus), 1);
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM complaints WHERE notably_high = 1"), 3); // also the Camry's brakes
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM components WHERE name = 'ENGINE AND ENGINE COOLING:ENGINE'"), 1);
        QCOMPARE(db.scalar("SELECT complaints FROM complaint_totals t JOIN vehicles v USING (vehicle_id) WHERE v.model = 'F-150' AND t.model_year = 2015"), 4);

        // The given EPA file replaces the content's list for the vehicle-years it
        // lists (the 2002 Navigator's two rows, the 2015 F-150's one); the sources say EPA lists them.
        QCOMPARE(db.string("SELECT group_concat(variant, ',') FROM (SELECT variant FROM epa WHERE vehicle_id = 1118 AND model_year = 2002 ORDER BY 1)"),
                 QStringLiteral("Navigator 2WD,Navigator 4WD"));
        QCOMPARE(db.scalar("SELECT turbo FROM epa WHERE variant = 'F150 Pickup 2WD' AND model_year = 2015"), 1);
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM epa e JOIN vehicles v USING (vehicle_id) WHERE v.model = 'F-150' AND e.model_year = 2015"), 1);
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM vehicle_years y JOIN vehicles v USING (vehicle_id) WHERE v.model = 'Navigator' AND y.model_year = 2002 "
                           "AND instr(y.sources, 'e') > 0"), 1);

        // Every file credited with its date; only what was not imported is called generated.
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM data_sources WHERE name LIKE 'NHTSA % file %' OR name LIKE 'EPA % file %'"), 8);
        QCOMPARE(db.scalar("SELECT COUNT(*) FROM data_sources WHERE name LIKE 'vorelgen: recalls%'"), 0);

        // The research database holds the same records.
        SQLDB research(dir.filePath(QStringLiteral("research.db")), true);
        QCOMPARE(research.scalar("SELECT COUNT(*) FROM recall_vehicles"), db.scalar("SELECT COUNT(*) FROM recall_links"));
        QCOMPARE(research.scalar("SELECT SUM(complaints) FROM complaint_totals"), db.scalar("SELECT SUM(complaints) FROM complaint_totals"));
    }

    // EPA's published vehicles.csv, an older copy without baseModel, and the
    // packaged export with its own column names give the same row.
    void readsEpaListInEveryLayout_data()
    {
        QTest::addColumn<QByteArray>("csv");
        QTest::newRow("published") << QByteArray("year,make,model,baseModel,displ,cylinders,trany,drive,VClass,fuelType,eng_dscr,tCharger,sCharger,evMotor\n"
                                                 "2002,Lincoln,Navigator 2WD,Navigator,5.4,8,Automatic 4-spd,Rear-Wheel Drive,Standard Sport Utility Vehicle 2WD,Regular,,,,\n");
        QTest::newRow("without baseModel") << QByteArray("year,make,model,displ,cylinders,trany,drive,VClass,fuelType\r\n"
                                                         "2002,Lincoln,Navigator 2WD,5.4,8,Automatic 4-spd,Rear-Wheel Drive,Standard Sport Utility Vehicle 2WD,Regular\r\n");
        QTest::newRow("packaged") << QByteArray("\"id\",\"make\",\"model\",\"year\",\"class\",\"trans\",\"drive\",\"cyl\",\"displ\",\"fuel\",\"hwy\",\"cty\"\n"
                                                "1,\"Lincoln\",\"Navigator 2WD\",2002,\"Standard Sport Utility Vehicle 2WD\",\"Automatic 4-spd\",\"Rear-Wheel Drive\",8,5.4,\"Regular\",17,12\n"
                                                "2,\"Lincoln\",\"Navigator 2WD\",2002,\"Standard Sport Utility Vehicle 2WD\",\"NA\",\"Rear-Wheel Drive\",8,NA,\"Regular\",17,12\n");
    }
    void readsEpaListInEveryLayout()
    {
        QFETCH(QByteArray, csv);
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath(QStringLiteral("agency")));
        write(dir, QStringLiteral("agency/vehicles.csv"), csv);
        const QString out = dir.filePath(QStringLiteral("vorel.db"));
        const Run run = build(dir.filePath(QStringLiteral("agency")), out);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        SQLDB db(out, true);
        QCOMPARE(db.string("SELECT group_concat(displacement_l || '|' || cylinders || '|' || transmission || '|' || drive || '|' || fuel_type || '|' || variant) "
                           "FROM epa WHERE vehicle_id = 1118 AND model_year = 2002"),
                 QStringLiteral("5.4|8|Automatic 4-spd|Rear-Wheel Drive|Regular Gasoline|Navigator 2WD"));
    }

    // The reviewed names table keeps sibling models apart and folds body,
    // drive and trim words into their line.
    void epaNamesKeepSiblingsApart()
    {
        const EpaNames names = EpaNames::load(QStringLiteral(FV_SOURCE_DIR "/tools/vorelgen/content/epa/names.json"));
        const auto line = [&](const char *make, const char *model, int year, double litres = 0.0) {
            const EpaNames::Answer a = names.look(QLatin1String(make), QLatin1String(model), year, litres);
            QStringList lines;
            for (const EpaNames::Line &l : a.lines)
                lines << l.make + QLatin1Char('|') + l.line;
            return a.outcome == EpaNames::Outcome::Mapped ? lines.join(QStringLiteral(" + "))
                   : a.outcome == EpaNames::Outcome::LeftOut ? QStringLiteral("left out") : QString();
        };
        QCOMPARE(line("Plymouth", "Colt Vista", 1990), QStringLiteral("PLYMOUTH|Colt Vista"));
        QCOMPARE(line("Plymouth", "Colt", 1990), QStringLiteral("PLYMOUTH|Colt"));
        QCOMPARE(line("Chevrolet", "Silverado C15 2WD", 2010), QStringLiteral("CHEVROLET|Silverado 1500"));
        QCOMPARE(line("Chevrolet", "Silverado 2500 2WD", 2001), QStringLiteral("left out"));
        QCOMPARE(line("Lexus", "IS 350", 2010), QStringLiteral("LEXUS|IS"));
        QCOMPARE(line("Lexus", "ES 300", 1995), QStringLiteral("LEXUS|ES"));
        QCOMPARE(line("Porsche", "911 Carrera 4/2", 1995), QStringLiteral("PORSCHE|911"));
        QCOMPARE(line("Ford", "F250 Pickup 2WD", 1990), QStringLiteral("FORD|F-250"));
        QCOMPARE(line("Scion", "tC", 2008), QStringLiteral("SCION|tC"));
        QCOMPARE(line("Roush Performance", "Stage 3 Mustang", 2008), QStringLiteral("left out"));
        QCOMPARE(line("Ford", "No Such Model", 2008), QString());
        // One name for two lines; a series name split by the engine's size.
        QCOMPARE(line("Ferrari", "328 GTS/GTB", 1987), QStringLiteral("FERRARI|328 GTB + FERRARI|328 GTS"));
        QCOMPARE(line("BMW", "5 Series", 1986, 2.7), QStringLiteral("BMW|528e"));
        QCOMPARE(line("BMW", "5 Series", 1986, 3.4), QStringLiteral("BMW|535i + BMW|535i/535is"));
        QCOMPARE(line("BMW", "5 Series", 1986, 3.0), QStringLiteral("left out"));
        QCOMPARE(line("McLaren Automotive", "MP4-12C Coupe", 2012), QStringLiteral("MCLAREN|MP4-12C"));
        // A name left out needs its reason.
        bool refused = false;
        try {
            EpaNames::fromJson(QJsonDocument::fromJson(R"({"left_out": {"Ford": {"F350": ""}}})").object(), QStringLiteral("t"));
        } catch (const GenError &) {
            refused = true;
        }
        QVERIFY(refused);
        refused = false;
        try {
            EpaNames::fromJson(QJsonDocument::fromJson(R"({"names": {"Ford": {"F150": "F-150 + "}}})").object(), QStringLiteral("t"));
        } catch (const GenError &) {
            refused = true;
        }
        QVERIFY(refused);
    }

    void aFailedImportLeavesTheOldDatabase()
    {
        QTemporaryDir dir;
        QDir().mkpath(dir.filePath(QStringLiteral("agency")));
        for (const QString &f : QDir(kFixtures).entryList(QDir::Files))
            QFile::copy(kFixtures + QLatin1Char('/') + f, dir.filePath(QStringLiteral("agency/") + f));
        QFile inv(dir.filePath(QStringLiteral("agency/FLAT_INV.txt")));
        inv.open(QIODevice::Append);
        inv.write("PE20001\tFORD\tFOCUS\t2014\tENGINE\tFord\t20201301\t\t\tStall\tStalls.\r\n");
        inv.close();
        const QString out = write(dir, "vorel.db", "the old database");
        const Run run = build(dir.filePath(QStringLiteral("agency")), out);
        QCOMPARE(run.status, 1);
        QVERIFY2(run.err.contains(QLatin1String("FLAT_INV.txt, line 24, field 7 (ODATE): \"20201301\" is not a date")), qPrintable(run.err));
        QFile old(out);
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("the old database"));
        QVERIFY(!QFile::exists(out + QStringLiteral(".part")));
    }
};

QTEST_GUILESS_MAIN(TestAgencyImport)
#include "test_agencyimport.moc"
