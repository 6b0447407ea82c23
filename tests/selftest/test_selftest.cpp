#include "data/pagechecksum.h"
#include "data/sqldb.h"
#include "platform/prefs.h"
#include "selftest/garagechecks.h"
#include "selftest/guidechecks.h"
#include "selftest/pdfscan.h"
#include "selftest/prefsguard.h"
#include "selftest/selftest.h"
#include "selftest/vehiclechecks.h"
#include "support/fixturedb.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString program = QStringLiteral(FV_BIN_DIR "/fenwhistle-vorel");

struct Run
{
    int status = -1;
    QStringList lines;
};

} // namespace

class TestSelfTest : public QObject
{
    Q_OBJECT

    QTemporaryDir m_tmp; // the runs' temporary folder: nothing may be left in it

    Run run(const QStringList &args, const QString &db, const QString &mutation = QString(),
            const QString &seed = QString())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.remove(QStringLiteral("VOREL_SEED_DB"));
        if (!seed.isNull())
            env.insert(QStringLiteral("VOREL_SEED_DB"), seed);
        env.remove(QStringLiteral("FV_SELFTEST_MUTATE"));
        if (!mutation.isEmpty())
            env.insert(QStringLiteral("FV_SELFTEST_MUTATE"), mutation);
        env.insert(QStringLiteral("VOREL_DB"), db);
        env.insert(QStringLiteral("VOREL_PHOTOS"), QFileInfo(db).absolutePath() + QStringLiteral("/photos"));
        env.insert(QStringLiteral("TMPDIR"), m_tmp.path());
        // The runs' preferences: never the user's own.
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_tmp.filePath(QStringLiteral("config")));
        QProcess p;
        p.setProcessEnvironment(env);
        p.start(program, args);
        if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit)
            return {};
        const QString out = QString::fromUtf8(p.readAllStandardOutput());
        return {p.exitCode(), out.split(u'\n', Qt::SkipEmptyParts)};
    }

    Run selfTest(const QString &db, const QString &mutation = QString())
    {
        return run({QStringLiteral("--selftest")}, db, mutation);
    }

    void expectNoScratch()
    {
        QVERIFY(QDir(m_tmp.path()).entryList({QStringLiteral("fv-selftest-*")}, QDir::AllEntries | QDir::Hidden).isEmpty());
    }

    QString prefsFile() const
    {
        return m_tmp.filePath(QStringLiteral("config/Brackenfold/Fenwhistle Vorel.ini"));
    }

    // The run's four-line answer when the reference database does not open.
    void expectOpenFailure(const Run &r, const QString &db)
    {
        QCOMPARE(r.status, 1);
        QCOMPARE(r.lines.mid(1), (QStringList{"== App database", "FAIL  vorel.db opens from " + db,
                                              "RESULT: 1 FAILED, 0 passed"}));
        expectNoScratch();
    }

    // A fixture that holds both test vehicles and one complaint row whose
    // stored verdict agrees with the rule.
    static void prepareFixture(FixtureDb &db)
    {
        QVERIFY2(db.ok(), qPrintable(db.error()));
        QVERIFY(db.exec(QStringLiteral(
            "INSERT INTO vehicles VALUES (20, 'FORD', 'Focus', 'Ford', 'Passenger Car', 2012, 2018, 2012, 2018, 0, 0, "
            "'high', 'vpic', '', NULL);"
            "DELETE FROM complaints;"
            "INSERT INTO complaints VALUES (1, 2002, 1, 9101, 5, 32, 0.1, 0.1, 1.0, 0.0, 0);")));
    }

    // Changes one byte of the row stored last in a table's first page (the
    // end of its cell area, just before the page's reserved bytes).
    static bool flipLastCellByte(const QString &path, const QString &table)
    {
        qint64 root = 0, pageSize = 0;
        {
            SQLDB db(path, false);
            root = db.scalar(QStringLiteral("SELECT rootpage FROM sqlite_schema WHERE name = ?"), {table});
            pageSize = db.scalar(QStringLiteral("PRAGMA page_size"));
        }
        QFile file(path);
        const qint64 at = root * pageSize - PageChecksum::reserveBytes - 1;
        char byte = 0;
        if (root < 2 || !file.open(QIODevice::ReadWrite) || !file.seek(at) || !file.getChar(&byte) || !file.seek(at))
            return false;
        return file.putChar(char(byte ^ 0x01));
    }

private slots:
    void missingDatabaseEndsAtOnce_data()
    {
        QTest::addColumn<QString>("mutation");
        QTest::addColumn<QString>("tail");
        QTest::newRow("plain") << QString() << QString();
        QTest::newRow("mutation without a known word") << "Vin" << " — MUTATION \"Vin\": failures are EXPECTED";
    }

    void missingDatabaseEndsAtOnce()
    {
        QFETCH(QString, mutation);
        QFETCH(QString, tail);
        const QString db = m_tmp.path() + QStringLiteral("/absent/vorel.db");
        const Run r = selfTest(db, mutation);
        QCOMPARE(r.status, 1);
        QCOMPARE(r.lines.size(), 4);
        const QRegularExpression banner(QRegularExpression::anchoredPattern(
            QStringLiteral("KVRN Fenwhistle Vorel self-test — \\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ") +
            QRegularExpression::escape(tail)));
        QVERIFY2(banner.match(r.lines[0]).hasMatch(), qPrintable(r.lines[0]));
        QCOMPARE(r.lines[1], "== App database");
        QCOMPARE(r.lines[2], "FAIL  vorel.db opens from " + db);
        QCOMPARE(r.lines[3], "RESULT: 1 FAILED, 0 passed");
        expectNoScratch();
    }

    // A file that is there but is no reference database ends the run at its
    // first check, as a missing one does.
    void unreadableDatabaseEndsAtOnce_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("sql");
        QTest::newRow("empty file") << QByteArray() << QString();
        QTest::newRow("not a database") << QByteArray("SQLite format 2\0 but really a note\n").repeated(200) << QString();
        QTest::newRow("no meta table") << QByteArray() << "DROP TABLE meta;";
        QTest::newRow("no components table") << QByteArray() << "DROP TABLE components;";
    }

    void unreadableDatabaseEndsAtOnce()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, sql);
        FixtureDb db;
        QVERIFY(db.ok());
        if (sql.isEmpty()) {
            QFile file(db.path());
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QCOMPARE(file.write(bytes), bytes.size());
        } else {
            QVERIFY(db.exec(sql));
        }
        expectOpenFailure(selfTest(db.path()), db.path());
    }

    // A table that cannot be read or is gone fails its count, even where the
    // build's record says 0, and the run still ends with its result line.
    void unreadableTablesFailTheirCounts_data()
    {
        const QString intact = "FAIL  every page of the file reads back intact (SQLite quick_check)";
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("damaged");
        QTest::addColumn<bool>("sealed");
        QTest::addColumn<QStringList>("failures");
        const QString zero = "UPDATE meta SET value = json_set(value, '$.investigations', 0, '$.tsb_links', 0) "
                             "WHERE key = 'counts';";
        QTest::newRow("dropped, counted as none")
            << zero + "DROP TABLE investigations; DROP TABLE tsb_links;" << QString() << false
            << QStringList{"FAIL  investigations: 0 rows, same as the build report",
                           "FAIL  service-bulletin links decode to the counted total (0)"};
        QTest::newRow("damaged images") << QString() << "images" << false
                                        << QStringList{"FAIL  images: 0 rows, same as the build report", intact};
        QTest::newRow("damaged search index") << QString() << "search_data" << false
                                              << QStringList{"FAIL  FTS5 search index built (0 entries)", intact};
        // One byte of a recall changed: only the page checksum tells.
        QTest::newRow("sealed, one byte of recalls") << QString() << "recalls" << true << QStringList{intact};
    }

    void unreadableTablesFailTheirCounts()
    {
        QFETCH(QString, sql);
        QFETCH(QString, damaged);
        QFETCH(bool, sealed);
        QFETCH(QStringList, failures);
        FixtureDb db;
        prepareFixture(db);
        QVERIFY(sql.isEmpty() || db.exec(sql));
        if (sealed) {
            QCOMPARE(PageChecksum::seal(db.path()), QString());
            QVERIFY(flipLastCellByte(db.path(), damaged));
        } else {
            QVERIFY(damaged.isEmpty() || db.damageTable(damaged));
        }
        const Run r = selfTest(db.path());
        QCOMPARE(r.status, 1);
        const QString all = r.lines.join(u'\n');
        for (const QString &line : failures)
            QVERIFY2(r.lines.contains(line), qPrintable(all));
        QVERIFY2(!r.lines.isEmpty() && r.lines.back().startsWith("RESULT: ") && r.lines.back().contains(" FAILED, "),
                 qPrintable(all));
        expectNoScratch();
    }

    // The 1970s check needs 1970s models: none at all is no pass.
    void earlyModelsCheckNeedsModels()
    {
        const QString label = "1970s models come from NHTSA record mentions (marked low confidence)";
        FixtureDb db;
        prepareFixture(db);
        QVERIFY(selfTest(db.path()).lines.contains("FAIL  " + label));
        FixtureDb found;
        prepareFixture(found);
        QVERIFY(found.exec("INSERT INTO vehicles VALUES (21, 'CHEVROLET', 'Nova', 'Chevrolet', 'Passenger Car', 1975, "
                           "1975, NULL, NULL, 0, 0, 'low', 'nhtsa', '', NULL);"
                           "INSERT INTO vehicle_years (vehicle_id, model_year, sources) VALUES (21, 1975, 'o');"));
        QVERIFY(selfTest(found.path()).lines.contains("PASS  " + label));
    }

    // A copy without page checksums (a dump read back, an older build) is named.
    void uncheckedDataFails()
    {
        const QString unsealed = "FAIL  the reference data carries no page checksums; damage could go unseen";
        FixtureDb db;
        prepareFixture(db);
        QVERIFY(selfTest(db.path()).lines.contains(unsealed));
        QCOMPARE(PageChecksum::seal(db.path()), QString());
        const QStringList lines = selfTest(db.path()).lines;
        QVERIFY(lines.contains("PASS  the reference data carries page checksums") && !lines.contains(unsealed));
    }

    // Whether the run ends early or goes through every group, the user's
    // preferences are as they were, an absent theme staying absent.
    void prefsSurviveTheRun_data()
    {
        QTest::addColumn<bool>("whole");
        QTest::addColumn<bool>("themed");
        QTest::newRow("whole run, theme chosen") << true << true;
        QTest::newRow("whole run, no theme") << true << false;
        QTest::newRow("ends at the database") << false << true;
    }

    void prefsSurviveTheRun()
    {
        QFETCH(bool, whole);
        QFETCH(bool, themed);
        QFile::remove(prefsFile());
        {
            QSettings prefs(prefsFile(), QSettings::IniFormat);
            if (themed)
                prefs.setValue("kvrn.theme", "rose-gold");
            prefs.setValue("fv.lastVehicle", "1:2002");
            prefs.setValue("kvrn.zoom", 1.25);
            prefs.setValue("garage/sort", "nickname");
        }
        const auto stored = [this] {
            const QSettings prefs(prefsFile(), QSettings::IniFormat);
            QStringList out;
            for (const QString &key : prefs.allKeys())
                out.append(key + '=' + prefs.value(key).toString());
            return out;
        };
        const QStringList before = stored();
        QCOMPARE(before.size(), themed ? 4 : 3);

        FixtureDb db;
        prepareFixture(db);
        const Run r = selfTest(whole ? db.path() : m_tmp.filePath("absent.db"));
        QVERIFY(!r.lines.isEmpty() && r.lines.back().startsWith("RESULT: "));
        QCOMPARE(r.lines.contains("== Look, help and wording"), whole);
        QCOMPARE(stored(), before);
    }

    void missingVehiclesEndTheRun()
    {
        FixtureDb db; // has no Focus
        const Run r = selfTest(db.path());
        QCOMPARE(r.status, 1);
        QVERIFY(r.lines.size() > 4);
        QCOMPARE(r.lines.mid(r.lines.size() - 3, 2),
                 (QStringList{"== Vehicle page: 2002 Lincoln Navigator, 2013-2016 Ford Focus", "FAIL  test vehicles found"}));
        QVERIFY(r.lines.back().startsWith("RESULT: "));
        expectNoScratch();
    }

    // A research database that does not open, is no database or is named by
    // an empty value only brings the note.
    void wholeRunFormat_data()
    {
        QTest::addColumn<QString>("seed");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("missing") << m_tmp.filePath(QStringLiteral("none.db")) << QByteArray();
        QTest::newRow("empty value") << QStringLiteral("") << QByteArray();
        QTest::newRow("empty file") << m_tmp.filePath(QStringLiteral("empty.db")) << QByteArray("");
        QTest::newRow("not a database") << m_tmp.filePath(QStringLiteral("text.db"))
                                        << QByteArray("no database here, only some text\n").repeated(200);
    }

    void wholeRunFormat()
    {
        QFETCH(QString, seed);
        QFETCH(QByteArray, bytes);
        if (!bytes.isNull()) {
            QFile file(seed);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
            QCOMPARE(file.write(bytes), bytes.size());
        }
        FixtureDb db;
        prepareFixture(db);
        const Run r = run({QStringLiteral("--selftest")}, db.path(), QString(), seed);
        QCOMPARE(r.status, 1); // the fixture is far too small for the size checks
        QStringList titles;
        qsizetype passed = 0;
        qsizetype failed = 0;
        for (const QString &line : r.lines.mid(1, r.lines.size() - 3)) {
            if (line.startsWith("== "))
                titles.append(line.mid(3));
            else if (line.startsWith("PASS  "))
                ++passed;
            else if (line.startsWith("FAIL  "))
                ++failed;
            else if (!line.startsWith("SKIP  "))
                QFAIL(qPrintable("stray line: " + line));
        }
        QCOMPARE(titles, (QStringList{"App database", "Year → Make → Model picker",
                                      "Vehicle page: 2002 Lincoln Navigator, 2013-2016 Ford Focus", "Photos and credits",
                                      "Search (SQLite FTS5)", "Trouble codes", "Troubleshooting guides",
                                      "OBD-I and older vehicles", "VIN: model year and check digit (offline)",
                                      "My Garage: survives a relaunch", "Trouble Code Report (PDF)",
                                      "Look, help and wording"}));
        QCOMPARE(r.lines[r.lines.size() - 2], "(Set VOREL_SEED_DB to cross-check against the research database.)");
        QCOMPARE(r.lines.back(), QStringLiteral("RESULT: %1 FAILED, %2 passed").arg(failed).arg(passed));
        QVERIFY(passed > 0);
        expectNoScratch();
    }

    void complaintRowsCheckNeedsTheWholeTable_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("line");
        const QString counted = "UPDATE meta SET value = json_set(value, '$.complaint_rows', 1) WHERE key = 'counts';";
        const QString label = "the app's \"notably high\" rule gives the same answer as the research database on all ";
        QTest::newRow("counted") << counted << "PASS  " + label + "1 rows (0 differ, 0 flagged)";
        QTest::newRow("not counted") << QString() << "FAIL  " + label + "0 rows (0 differ, 0 flagged)";
        QTest::newRow("unreadable") << counted + "ALTER TABLE complaints RENAME TO gone;"
                                    << "FAIL  " + label + "1 rows (0 differ, 0 flagged)";
    }

    void complaintRowsCheckNeedsTheWholeTable()
    {
        QFETCH(QString, sql);
        QFETCH(QString, line);
        FixtureDb db;
        prepareFixture(db);
        QVERIFY(sql.isEmpty() || db.exec(sql));
        const Run r = selfTest(db.path());
        QVERIFY2(r.lines.contains(line), qPrintable(r.lines.join(u'\n')));
    }

    void mutationFlagFailsTheComplaintRule()
    {
        FixtureDb db;
        prepareFixture(db);
        // Stored "not notably high", but the lowered bound of 2.0 says yes.
        QVERIFY(db.exec("UPDATE meta SET value = json_set(value, '$.complaint_rows', 1) WHERE key = 'counts';"
                        "UPDATE complaints SET complaints = 30, vehicle_year_complaints = 60, share_index = 2.5, "
                        "z_score = 5.0;"));
        const QString label = "the app's \"notably high\" rule gives the same answer as the research database on all "
                              "1 rows (";
        QVERIFY(selfTest(db.path()).lines.contains("PASS  " + label + "0 differ, 0 flagged)"));
        const Run r = selfTest(db.path(), "xflagx");
        QVERIFY(r.lines.front().endsWith(" — MUTATION \"xflagx\": failures are EXPECTED"));
        QVERIFY(r.lines.contains("FAIL  " + label + "1 differ, 1 flagged)"));
        QCOMPARE(r.status, 1);
    }

    void garageChildren()
    {
        const QString file = m_tmp.path() + QStringLiteral("/garage/My Garage.sqlite");
        const QString db = m_tmp.path() + QStringLiteral("/absent.db");
        QCOMPARE(run({"--fv-child-garage-write", file}, db).status, 0);
        QCOMPARE(run({"--fv-child-garage-write", file}, db).status, 0);
        // The write option without a path counts as absent.
        const Run read = run({"--fv-child-garage-read", file, "--fv-child-garage-write"}, db);
        QCOMPARE(read.status, 0);
        const QString garage = "GARAGE|2002 Lincoln Navigator|Big Blue|181900|Air ride sags overnight";
        const QString service = "SERVICE|2026-10-01|Oil change|$64";
        QCOMPARE(read.lines, (QStringList{garage, garage, service, service}));

        const Run broken = run({"--fv-child-garage-read", "/proc/none/garage.sqlite"}, db);
        QCOMPARE(broken.status, 3);
        QVERIFY(broken.lines.isEmpty());
        QCOMPARE(run({"--fv-child-garage-write", "/proc/none/garage.sqlite"}, db).status, 3);

        // A last option has no path: neither child mode, so the self-test runs.
        const Run next = run({"--selftest", "--fv-child-garage-write"}, db);
        QCOMPARE(next.status, 1);
        QCOMPARE(next.lines.size(), 4);
    }

    // A research database without the vehicles' figures fails the cross-check
    // line by line instead of passing on empty answers.
    void crossCheckOnAnEmptyResearchDatabase()
    {
        FixtureDb db;
        prepareFixture(db);
        const QString seedPath = m_tmp.filePath(QStringLiteral("seed.db"));
        {
            SQLDB seed(seedPath, false);
            seed.exec(QStringLiteral(
                "CREATE TABLE recalls(id); CREATE TABLE vehicles(id);"
                "CREATE TABLE vehicle_complaint_summary(component, complaints, vehicle_id, model_year, level);"
                "CREATE TABLE complaint_totals(complaints, vehicle_id, model_year);"
                "CREATE TABLE tsb_vehicles(nhtsa_id, vehicle_id, model_year);"
                "CREATE TABLE recall_vehicles(vehicle_id, model_year, campaign_number);"));
        }
        const Run r = run({QStringLiteral("--selftest")}, db.path(), QString(), seedPath);
        const qsizetype at = r.lines.indexOf(QStringLiteral("== Cross-check against the research database (read-only)"));
        QVERIFY2(at > 0, qPrintable(r.lines.join(u'\n')));
        const QStringList group = r.lines.mid(at + 1, 6);
        QCOMPARE(group[1], QStringLiteral("FAIL  2002 Lincoln Navigator: every chart bar and the total equal the research "
                                          "database (0 complaints)"));
        QVERIFY(group[2].startsWith(QStringLiteral("FAIL  2014 Ford Focus: ")));
        QVERIFY(group[3].startsWith(QStringLiteral("FAIL  2015 Ford F-150: ")));
        QCOMPARE(group[5], QStringLiteral("FAIL  05V388 is linked to the 2002 Navigator in the research database too"));
        QVERIFY(r.lines.back().startsWith(QStringLiteral("RESULT: ")));
        expectNoScratch();
    }

    // On the full generated database with its research database every one of
    // the thirteen groups runs and passes.
    void fullRunPasses()
    {
        const QString full = QStringLiteral(FV_RESOURCE_DIR "/vorel.db");
        const QString seed = QStringLiteral(FV_TESTDATA_DIR "/research-full.db");
        if (!QFileInfo::exists(full) || !QFileInfo::exists(seed))
            QSKIP("the full databases have not been generated");
        const Run r = run({QStringLiteral("--selftest")}, full, QString(), seed);
        QVERIFY2(r.status == 0, qPrintable(r.lines.filter(QStringLiteral("FAIL  ")).join(u'\n')));
        QCOMPARE(r.lines.filter(QRegularExpression(QStringLiteral("^== "))).size(), 13);
        QVERIFY(r.lines.back().startsWith(QStringLiteral("RESULT: ALL ")));
        expectNoScratch();
    }

    // The relaunch check needs both lines of the read child and two clean exits.
    void garageReadBack()
    {
        const QString garage = QStringLiteral("GARAGE|2002 Lincoln Navigator|Big Blue|181900|Air ride sags overnight\n");
        const QString service = QStringLiteral("SERVICE|2026-10-01|Oil change|$64\n");
        QVERIFY(GarageChecks::readBack(0, 0, garage + service));
        QVERIFY(!GarageChecks::readBack(0, 0, garage));
        QVERIFY(!GarageChecks::readBack(4, 0, garage + service));
        QVERIFY(!GarageChecks::readBack(0, 0, garage.chopped(1) + QStringLiteral(" and more\n") + service));
    }

    void childRunnerStartsThisProgram()
    {
        // Here "this program" is the test itself: it lists its functions.
        const FVSelfTest::ChildResult listed = FVSelfTest::runChild({"-functions"});
        QCOMPARE(listed.status, 0);
        QVERIFY(listed.output.contains("childRunnerStartsThisProgram()"));
        QCOMPARE(FVSelfTest::runChild({"noSuchFunction"}).status, 1);
    }

    void guideWalk_data()
    {
        QTest::addColumn<QList<GuideNode>>("nodes");
        QTest::addColumn<QString>("source");
        QTest::addColumn<QStringList>("problems");
        const auto q = [](const char *id, const char *yes, const char *no) {
            return GuideNode{id, "q", "?", "", QString(yes), QString(no)};
        };
        const auto end = [](const char *id) { return GuideNode{id, "end", "", "Stop.", std::nullopt, std::nullopt}; };
        QTest::newRow("diamond") << QList<GuideNode>{q("a", "b", "c"), q("b", "d", "d"), q("c", "d", "d"), end("d")}
                                 << "https://x.org" << QStringList{};
        QTest::newRow("loop to the start") << QList<GuideNode>{q("a", "b", "c"), q("b", "a", "c"), end("c")}
                                           << "https://x.org" << QStringList{"g: loop at a"};
        GuideNode leaky = end("c");
        leaky.yes = "a";
        QTest::newRow("end goes on, unreachable step, plain http source")
            << QList<GuideNode>{q("a", "c", "c"), leaky, end("z")} << "http://x.org"
            << QStringList{"g/c: end must stop and say what to do", "g: loop at a", "g: loop at a",
                           "g: 1 unreachable step(s)", "g: sources"}; // each path to c loops once
    }

    void guideWalk()
    {
        QFETCH(QList<GuideNode>, nodes);
        QFETCH(QString, source);
        QFETCH(QStringList, problems);
        const Guide g{"g", "", "", "", {"jack"}, {"pro"}, {"s"}, nodes};
        const QHash<QString, SafetyNote> notes{{"jack", SafetyNote{"jack", "", "", std::nullopt}}};
        const QHash<QString, SourceRef> sources{{"s", SourceRef{"s", "", "", source}}};
        QCOMPARE(GuideChecks::problems({g}, notes, sources), problems);
        QCOMPARE(GuideChecks::problems({Guide{"e", "", "", "", {}, {}, {}, {}}}, notes, sources), QStringList{"e: empty"});
    }

    void bulletinPacking()
    {
        QCOMPARE(VehicleChecks::packIDs({3, 10, 200, 201}), QByteArray("\x03\x07\xBE\x01\x01"));
        QCOMPARE(VehicleChecks::packIDs({0, 9000000}).size(), 5);
    }

    void pdfScan()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath("a/b"));
        for (const char *name : {"a/b/Manual.PDF", "a/notes.pdf.txt", "top.pdf"}) {
            QFile f(dir.filePath(name));
            QVERIFY(f.open(QIODevice::WriteOnly));
        }
        PdfScan::Result r = PdfScan::find(dir.path(), 3);
        QVERIFY(r.listed);
        r.found.sort();
        QCOMPARE(r.found, (QStringList{"a/b/Manual.PDF", "top.pdf"}));
        QCOMPARE(PdfScan::find(dir.path(), 1).found.size(), 1);
        // A folder that cannot be listed is not a clean one.
        QVERIFY(!PdfScan::find(dir.filePath("missing"), 3).listed);
        QVERIFY(!PdfScan::find(dir.filePath("top.pdf"), 3).listed);
    }

    void prefsComeBack()
    {
        QTemporaryDir dir;
        const QString file = dir.filePath("prefs.ini");
        Prefs &prefs = Prefs::shared();
        prefs.useFile(file);
        prefs.setValue("kvrn.theme", "rose-gold");
        prefs.setValue("fv.lastVehicle", "1:2002");
        prefs.sync();
        {
            PrefsGuard guard;
            prefs.setValue("kvrn.theme", "midnight-black");
            prefs.remove("fv.lastVehicle");
            prefs.setValue("kvrn.zoom", 1.5);
        }
        const QSettings disk(file, QSettings::IniFormat);
        QCOMPARE(disk.allKeys().size(), 2);
        QCOMPARE(disk.value("kvrn.theme").toString(), "rose-gold");
        QCOMPARE(disk.value("fv.lastVehicle").toString(), "1:2002");
    }
};

QTEST_GUILESS_MAIN(TestSelfTest)
#include "test_selftest.moc"
