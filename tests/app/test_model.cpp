#include "app/appmodel.h"
#include "app/fvprefs.h"
#include "data/vorel.h"
#include "garage/garagestore.h"
#include "platform/prefs.h"
#include "support/fixturedb.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

using Field = AppModel::Field;

// Vehicle 1 (Lincoln Navigator) lists 1998 to 2003. The fixture adds a
// vehicle 900 without model years and a vehicle 0.
class TestModel : public QObject
{
    Q_OBJECT

    std::unique_ptr<FixtureDb> m_fixture;
    QTemporaryDir m_dir;
    int m_files = 0;

    AppModel::Locations locations() const
    {
        return {m_fixture->path(), m_fixture->photosFolder(), m_dir.filePath(QStringLiteral("garage.sqlite"))};
    }

    void freshPrefs()
    {
        Prefs::shared().useFile(m_dir.filePath(QStringLiteral("prefs%1.ini").arg(++m_files)));
    }

    static QList<Field> fields(const QSignalSpy &spy)
    {
        QList<Field> out;
        for (const QList<QVariant> &args : spy)
            out.append(args.at(0).value<Field>());
        return out;
    }

private slots:
    void initTestCase()
    {
        m_fixture = std::make_unique<FixtureDb>();
        QVERIFY2(m_fixture->ok(), qPrintable(m_fixture->error()));
        QVERIFY(m_fixture->exec(QStringLiteral(
            "INSERT INTO vehicles (vehicle_id, make, model, make_display, vehicle_types, first_year, last_year, "
            "starts_at_vpic_floor, heavy, confidence, year_source, notes) VALUES "
            "(900, 'TEST', 'Yearless', 'Test', 'Truck', 0, 0, 0, 0, 'low', 'o', ''),"
            "(0, 'TEST', 'Zero', 'Test', 'Truck', 2002, 2002, 0, 0, 'low', 'o', '');"
            "INSERT INTO vehicle_years (vehicle_id, model_year, sources) VALUES (0, 2002, 'o');"
            // 950 was a line merged into the Navigator; 951 names a line that is gone.
            "INSERT INTO meta (key, value) VALUES ('vehicle_aliases', '{\"950\": 1, \"951\": 4040}');")));
        qRegisterMetaType<AppModel::Field>();
    }

    void init() { freshPrefs(); }

    void startsWithBothDatabases()
    {
        AppModel m(locations());
        QVERIFY(m.data());
        QVERIFY(!m.loadError());
        QVERIFY(m.garage());
        QVERIFY(!m.garageError());
        QCOMPARE(m.screen(), Screen(Screen::Home));
        QVERIFY(!m.currentVehicle());
        QVERIFY(!m.includeHeavy());
    }

    // Corruption found by any later query turns the app to its error panel.
    void damagedReferenceDataReachesTheUser()
    {
        FixtureDb copy;
        QVERIFY(copy.ok() && copy.damageTable(QStringLiteral("recalls")));
        AppModel::Locations loc = locations();
        loc.vorelPath = copy.path();
        AppModel m(loc);
        QVERIFY(m.data() && !m.loadError() && !m.dataDamaged());
        QSignalSpy spy(&m, &AppModel::changed);
        QVERIFY(m.data()->recalls(9101, 2002).isEmpty()); // neutral at once
        QTRY_VERIFY(m.dataDamaged());
        QVERIFY(m.loadError()->startsWith(QStringLiteral("The reference data is damaged")));
        QCOMPARE(fields(spy), QList<Field>{Field::LoadError});

        // A failure that is no damage keeps its neutral result quietly.
        AppModel sound(locations());
        QVERIFY(sound.data()->db->rows(QStringLiteral("SELECT 1")).size() == 1);
        QCOMPARE(sound.data()->db->scalar(QStringLiteral("SELECT * FROM nowhere")), 0);
        QTest::qWait(10);
        QVERIFY(!sound.dataDamaged() && !sound.loadError());
    }

    // A garage locked by another process does not hold up start-up, and
    // opens when it is next asked for.
    void busyGarageOpensLater()
    {
        const QString path = locations().garagePath;
        { GarageStore create(path); }
        SQLDB other(path, false);
        other.exec(QStringLiteral("BEGIN EXCLUSIVE"));
        QElapsedTimer timer;
        timer.start();
        AppModel m(locations());
        QVERIFY(timer.elapsed() < 2000);
        QVERIFY(m.data());
        QVERIFY(!m.garage() && m.garageError());
        other.exec(QStringLiteral("COMMIT"));
        QSignalSpy spy(&m, &AppModel::changed);
        QTRY_VERIFY_WITH_TIMEOUT(m.garage(), 3000);
        QVERIFY(!m.garageError());
        QTRY_VERIFY(fields(spy).contains(Field::Garage));
    }

    void missingReferenceDataStillOpensTheGarage()
    {
        Prefs::shared().setValue(FVPrefs::lastVehicleKey(), QStringLiteral("1:2002"));
        AppModel::Locations loc = locations();
        loc.vorelPath = m_dir.filePath(QStringLiteral("absent.db"));
        AppModel m(loc);
        QVERIFY(!m.data());
        QCOMPARE(m.loadError(), std::optional<QString>(QStringLiteral("Missing data file ") + loc.vorelPath));
        QVERIFY(m.garage());
        QVERIFY(!m.currentVehicle()); // the restore needs the reference data
        m.openVehicle(1, 2002);       // and so does opening a vehicle
        QCOMPARE(m.screen(), Screen(Screen::Home));
    }

    void unopenableGarageLeavesTheReferenceData()
    {
        Prefs::shared().setValue(FVPrefs::lastVehicleKey(), QStringLiteral("1:2002"));
        AppModel::Locations loc = locations();
        loc.garagePath = m_dir.path(); // a folder is no database
        AppModel m(loc);
        QVERIFY(m.data());
        QVERIFY(!m.garage());
        QVERIFY(m.garageError() && !m.garageError()->isEmpty());
        QCOMPARE(m.currentVehicle(), std::optional<qint64>(1));
    }

    void includeHeavyMirrorsTheDefaults()
    {
        {
            AppModel m(locations());
            QSignalSpy spy(&m, &AppModel::changed);
            QSignalSpy prefs(&Prefs::shared(), &Prefs::changed);
            m.setIncludeHeavy(true);
            m.setIncludeHeavy(true); // an equal value is still written and announced
            QCOMPARE(fields(spy), QList<Field>({Field::IncludeHeavy, Field::IncludeHeavy}));
            QCOMPARE(prefs.size(), 2);
        }
        AppModel next(locations());
        QVERIFY(next.includeHeavy());
    }

    void restoreLastVehicle_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<qint64>("vehicle"); // -1: nothing restored
        QTest::addColumn<qint64>("year");
        QTest::newRow("plain") << "1:2002" << qint64(1) << qint64(2002);
        QTest::newRow("empty piece") << "1::2002" << qint64(1) << qint64(2002);
        QTest::newRow("non-numeric piece") << "1:abc:2002" << qint64(1) << qint64(2002);
        QTest::newRow("plus sign") << "+1:2002" << qint64(1) << qint64(2002);
        QTest::newRow("unlisted year takes the latest") << "1:1850" << qint64(1) << qint64(2003);
        QTest::newRow("one number") << "1" << qint64(-1) << qint64(0);
        QTest::newRow("three numbers") << "1:2002:7" << qint64(-1) << qint64(0);
        QTest::newRow("empty") << "" << qint64(-1) << qint64(0);
        QTest::newRow("word") << "abc" << qint64(-1) << qint64(0);
        QTest::newRow("blank inside") << "1: 2002" << qint64(-1) << qint64(0);
        QTest::newRow("out of range") << "1:99999999999999999999" << qint64(-1) << qint64(0);
        QTest::newRow("unknown vehicle") << "999:2002" << qint64(-1) << qint64(0);
        QTest::newRow("merged-away id opens its line") << "950:2001" << qint64(1) << qint64(2001);
        QTest::newRow("alias of no line") << "951:2001" << qint64(-1) << qint64(0);
    }

    void restoreLastVehicle()
    {
        QFETCH(QString, stored);
        QFETCH(qint64, vehicle);
        QFETCH(qint64, year);
        Prefs::shared().setValue(FVPrefs::lastVehicleKey(), stored);
        AppModel m(locations());
        QCOMPARE(m.screen(), Screen(Screen::Home));
        if (vehicle < 0) {
            QVERIFY(!m.currentVehicle());
            QVERIFY(!m.currentYear());
        } else {
            QCOMPARE(m.currentVehicle(), std::optional<qint64>(vehicle));
            QCOMPARE(m.currentYear(), std::optional<qint64>(year));
        }
        // The restore never rewrites the stored value.
        QCOMPARE(Prefs::shared().value(FVPrefs::lastVehicleKey()).toString(), stored);
    }

    void openVehicleChoosesTheYear()
    {
        AppModel m(locations());
        m.setTsbFilter(QStringLiteral("brake"));
        m.setExpandedArea(QStringLiteral("ENGINE"));
        m.setYear(2010);
        m.setRecallShown(QStringLiteral("05V388000"));
        QSignalSpy spy(&m, &AppModel::changed);
        m.openVehicle(1, 2001);
        QCOMPARE(fields(spy), QList<Field>({Field::CurrentVehicle, Field::CurrentYear, Field::TsbFilter,
                                            Field::ExpandedArea, Field::Screen}));
        QCOMPARE(m.currentYear(), std::optional<qint64>(2001));
        QCOMPARE(m.screen(), Screen(Screen::Vehicle));
        QCOMPARE(m.tsbFilter(), QString());
        QVERIFY(!m.expandedArea());
        QCOMPARE(Prefs::shared().value(FVPrefs::lastVehicleKey()).toString(), QStringLiteral("1:2001"));
        // The picker and the recall sheet are not touched.
        QCOMPARE(m.year(), std::optional<qint64>(2010));
        QCOMPARE(m.recallShown(), std::optional<QString>(QStringLiteral("05V388000")));

        m.openVehicle(1, 1990);
        QCOMPARE(m.currentYear(), std::optional<qint64>(2003));
        m.openVehicle(1, std::nullopt);
        QCOMPARE(m.currentYear(), std::optional<qint64>(2003));
        QCOMPARE(Prefs::shared().value(FVPrefs::lastVehicleKey()).toString(), QStringLiteral("1:2003"));
    }

    // A vehicle saved on a line later merged into another opens that line,
    // with its years, and is remembered by the line's own id.
    void openVehicleByMergedID()
    {
        AppModel m(locations());
        m.openVehicle(950, 1999);
        QCOMPARE(m.currentVehicle(), std::optional<qint64>(1));
        QCOMPARE(m.currentYear(), std::optional<qint64>(1999));
        QCOMPARE(Prefs::shared().value(FVPrefs::lastVehicleKey()).toString(), QStringLiteral("1:1999"));
        m.openVehicle(951, 2002);
        QCOMPARE(m.currentVehicle(), std::optional<qint64>(1));
    }

    void openVehicleWithoutYears()
    {
        AppModel m(locations());
        m.openVehicle(1, 2002);
        m.openVehicle(900, 2002);
        QCOMPARE(m.currentVehicle(), std::optional<qint64>(900));
        QVERIFY(!m.currentYear());
        QCOMPARE(m.screen(), Screen(Screen::Vehicle));
        QCOMPARE(Prefs::shared().value(FVPrefs::lastVehicleKey()).toString(), QStringLiteral("1:2002"));
    }

    void openUnknownVehicleChangesNothing()
    {
        AppModel m(locations());
        m.setTsbFilter(QStringLiteral("x"));
        m.setExpandedArea(QStringLiteral("y"));
        QSignalSpy spy(&m, &AppModel::changed);
        m.openVehicle(12345, 2002);
        QCOMPARE(spy.size(), 0);
        QCOMPARE(m.tsbFilter(), QStringLiteral("x"));
        QVERIFY(!Prefs::shared().contains(FVPrefs::lastVehicleKey()));
    }

    void codeGuideAndSearch()
    {
        AppModel m(locations());
        m.setCodeFilter(QStringLiteral("misfire"));
        m.setCodeLevel(Seriousness::Stop);
        m.openCode(QStringLiteral("p0301"));
        QCOMPARE(m.selectedCode(), std::optional<QString>(QStringLiteral("P0301")));
        QCOMPARE(m.screen(), Screen(Screen::Codes));
        QCOMPARE(m.codeFilter(), QStringLiteral("misfire"));
        QCOMPARE(m.codeLevel(), std::optional<Seriousness>(Seriousness::Stop));

        m.openGuide(QStringLiteral("no-start"));
        m.setGuidePath({QStringLiteral("q1"), QStringLiteral("q2")});
        m.setScreen(Screen::Home);
        m.openGuide(QStringLiteral("no-start"));
        QVERIFY(m.guidePath().isEmpty());
        QCOMPARE(m.screen(), Screen(Screen::Guides));

        m.setScreen(Screen::Home);
        for (const QString &blank : {QString(), QStringLiteral("   "), QStringLiteral("\t\u00a0")}) {
            m.setSearchText(blank);
            m.runSearch();
            QCOMPARE(m.screen(), Screen(Screen::Home));
        }
        m.setSearchText(QStringLiteral(" brake "));
        m.runSearch();
        QCOMPARE(m.screen(), Screen(Screen::Search));
        QCOMPARE(m.searchText(), QStringLiteral(" brake "));
        m.setScreen(Screen::Home);
        m.setSearchText(QStringLiteral("\n\n"));
        m.runSearch();
        QCOMPARE(m.screen(), Screen(Screen::Search));
    }

    void openSearchHits()
    {
        AppModel m(locations());
        m.setScreen(Screen::Search);
        m.open(SearchHit{SearchKind::Recall, QStringLiteral("05V388000"), {}, {}, {}});
        QCOMPARE(m.recallShown(), std::optional<QString>(QStringLiteral("05V388000")));
        QCOMPARE(m.screen(), Screen(Screen::Search));

        m.open(SearchHit{SearchKind::Obd1, QStringLiteral("anything"), {}, {}, {}});
        QCOMPARE(m.screen(), Screen(Screen::Obd1));

        m.open(SearchHit{SearchKind::Code, QStringLiteral("p0420"), {}, {}, {}});
        QCOMPARE(m.selectedCode(), std::optional<QString>(QStringLiteral("P0420")));
        QCOMPARE(m.screen(), Screen(Screen::Codes));

        m.open(SearchHit{SearchKind::Guide, QStringLiteral("overheat"), {}, {}, {}});
        QCOMPARE(m.selectedGuide(), std::optional<QString>(QStringLiteral("overheat")));
        QCOMPARE(m.screen(), Screen(Screen::Guides));

        m.open(SearchHit{SearchKind::Vehicle, QStringLiteral("1"), {}, {}, 2002});
        QCOMPARE(m.currentVehicle(), std::optional<qint64>(1));
        QCOMPARE(m.currentYear(), std::optional<qint64>(2002));
        QCOMPARE(m.screen(), Screen(Screen::Vehicle));

        // A reference that is not a number opens nothing, not even vehicle 0.
        m.setScreen(Screen::Search);
        QSignalSpy spy(&m, &AppModel::changed);
        m.open(SearchHit{SearchKind::Vehicle, QStringLiteral("abc"), {}, {}, 2002});
        m.open(SearchHit{SearchKind::Vehicle, QString(), {}, {}, 2002});
        QCOMPARE(spy.size(), 0);
        QCOMPARE(m.currentVehicle(), std::optional<qint64>(1));
        // Vehicle 0 itself still opens when named.
        m.open(SearchHit{SearchKind::Vehicle, QStringLiteral("0"), {}, {}, std::nullopt});
        QCOMPARE(m.currentVehicle(), std::optional<qint64>(0));
    }
};

QTEST_GUILESS_MAIN(TestModel)
#include "test_model.moc"
