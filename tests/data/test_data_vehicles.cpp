#include "data/vorel.h"
#include "support/fixturedb.h"
#include "support/sqltrace.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTest>
#include <limits>

namespace {

const QStringList kCore{QStringLiteral("fixture_core.sql")};

QString openError(const QString &path)
{
    try {
        Vorel v(path, QStringLiteral("/nonexistent/photos"));
        return QStringLiteral("(opened)");
    } catch (const SQLError &e) {
        return e.description();
    }
}

// A database holding only a meta table with the given rows (and components).
QString metaOnly(FixtureDb &fx, const QString &rows)
{
    fx.exec(QStringLiteral("DELETE FROM meta;") + rows);
    return fx.error();
}

struct EnvGuard
{
    QByteArray name;
    QByteArray old;
    bool had;
    explicit EnvGuard(const char *n) : name(n), old(qgetenv(n)), had(qEnvironmentVariableIsSet(n)) {}
    ~EnvGuard()
    {
        if (had)
            qputenv(name.constData(), old);
        else
            qunsetenv(name.constData());
    }
};

VehicleInfo withTypes(const QString &types, const QString &model)
{
    VehicleInfo v;
    v.types = types;
    v.model = model;
    return v;
}

EPAConfig engine(double litres, qint64 cylinders, bool turbo, bool supercharger, const QString &desc,
                 const QString &motor = {})
{
    EPAConfig c;
    c.displacement = litres;
    c.cylinders = cylinders;
    c.turbo = turbo;
    c.supercharger = supercharger;
    c.engineDesc = desc;
    c.evMotor = motor;
    return c;
}

} // namespace

class TestVehicles : public QObject
{
    Q_OBJECT

private:
    FixtureDb m_fx{kCore};
    std::unique_ptr<Vorel> m_v;

private slots:
    void initTestCase()
    {
        QVERIFY2(m_fx.ok(), qPrintable(m_fx.error()));
        m_v = m_fx.open();
    }

    // ---- Opening ----

    void everyFixtureLoadsTogether()
    {
        FixtureDb all;
        QVERIFY2(all.ok(), qPrintable(all.error()));
        std::unique_ptr<Vorel> v = all.open();
        QVERIFY(v->vehicle(1));
        QCOMPARE(v->meta.value(QStringLiteral("data_credit")), QStringLiteral("Data: NHTSA, EPA."));
    }

    void missingFile()
    {
        const QString path = m_fx.folder() + QStringLiteral("/nope/vorel.db");
        QCOMPARE(openError(path), QStringLiteral("Missing data file ") + path);
    }

    void openedOnAnOddPath()
    {
        FixtureDb fx(kCore, QStringLiteral("réf data #1.db"));
        QVERIFY2(fx.ok(), qPrintable(fx.error()));
        QVERIFY(fx.path().contains(QStringLiteral("réf data #1.db")));
        std::unique_ptr<Vorel> v = fx.open();
        QCOMPARE(v->vehicle(1)->name(), QStringLiteral("Lincoln Navigator"));
    }

    void emptyDatabaseFailsAtTheMetaQuery()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("empty.db"));
        { SQLDB db(path, false); } // an empty file
        QCOMPARE(openError(path), QStringLiteral("no such table: meta in: SELECT key, value FROM meta"));
        // A database with meta but no components fails at the second query.
        {
            SQLDB db(path, false);
            db.exec(QStringLiteral("CREATE TABLE meta (key, value)"));
        }
        QCOMPARE(openError(path),
                 QStringLiteral("no such table: components in: SELECT component_id, name FROM components"));
    }

    void folderIsNoDatabase()
    {
        QTemporaryDir dir;
        // It exists, so SQLite is asked and refuses it.
        QVERIFY(openError(dir.path()).startsWith(QStringLiteral("SQLite open failed (") + dir.path() + QStringLiteral("): ")));
    }

    void notADatabase()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("text.db"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        QCOMPARE(openError(path), QStringLiteral("file is not a database in: SELECT key, value FROM meta"));
    }

    void openedReadOnly()
    {
        try {
            m_v->db->run(QStringLiteral("DELETE FROM meta"));
            QFAIL("the reference database took a write");
        } catch (const SQLError &e) {
            QCOMPARE(e.description(), QStringLiteral("attempt to write a readonly database"));
        }
        QCOMPARE(m_v->db->path(), m_fx.path());
        QCOMPARE(m_v->photosFolder, m_fx.photosFolder());
    }

    void laterMetaRowWins()
    {
        FixtureDb fx(kCore);
        QVERIFY(fx.exec(QStringLiteral("INSERT INTO meta VALUES ('k', 'first'), ('k', 'second')")));
        QCOMPARE(fx.open()->meta.value(QStringLiteral("k")), QStringLiteral("second"));
    }

    void counts()
    {
        const QMap<QString, qint64> c = m_v->counts();
        QCOMPARE(c.value(QStringLiteral("vehicles")), 12);
        QCOMPARE(c.value(QStringLiteral("complaints_total")), 120);
        QCOMPARE(c.size(), 6);
    }

    void largeCountsReadExactly()
    {
        FixtureDb fx(kCore);
        QVERIFY2(metaOnly(fx, QStringLiteral("INSERT INTO meta VALUES ('counts', "
                                             "'{\"max\": 9223372036854775807, \"odd\": 9007199254740993, \"whole\": 1e2}')"))
                     .isEmpty(),
                 qPrintable(fx.error()));
        const QMap<QString, qint64> c = fx.open()->counts();
        QCOMPARE(c.size(), 3);
        QCOMPARE(c.value(QStringLiteral("max")), std::numeric_limits<qint64>::max());
        QCOMPARE(c.value(QStringLiteral("odd")), Q_INT64_C(9007199254740993));
        QCOMPARE(c.value(QStringLiteral("whole")), 100);
    }

    void badCounts_data()
    {
        QTest::addColumn<QString>("rows");
        QTest::newRow("missing") << "";
        QTest::newRow("array") << "INSERT INTO meta VALUES ('counts', '[1, 2]')";
        QTest::newRow("text value") << "INSERT INTO meta VALUES ('counts', '{\"vehicles\": \"12\"}')";
        QTest::newRow("fraction") << "INSERT INTO meta VALUES ('counts', '{\"vehicles\": 1.5}')";
        QTest::newRow("boolean") << "INSERT INTO meta VALUES ('counts', '{\"vehicles\": true}')";
        QTest::newRow("null") << "INSERT INTO meta VALUES ('counts', '{\"vehicles\": null}')";
        QTest::newRow("nested") << "INSERT INTO meta VALUES ('counts', '{\"vehicles\": {\"a\": 1}}')";
        QTest::newRow("broken") << "INSERT INTO meta VALUES ('counts', '{\"vehicles\": 12')";
        QTest::newRow("empty") << "INSERT INTO meta VALUES ('counts', '')";
        QTest::newRow("huge") << "INSERT INTO meta VALUES ('counts', '{\"vehicles\": 1e30}')";
    }
    void badCounts()
    {
        QFETCH(QString, rows);
        FixtureDb fx(kCore);
        QVERIFY2(metaOnly(fx, rows).isEmpty(), qPrintable(fx.error()));
        QVERIFY(fx.open()->counts().isEmpty());
    }

    void missingPhotoFolderDoesNotStopOpening()
    {
        Vorel v(m_fx.path(), m_fx.folder() + QStringLiteral("/no such folder"));
        const std::optional<PhotoCredit> p = v.photo(1);
        QVERIFY(p);
        QVERIFY(!QFileInfo::exists(v.photoURL(*p)));
    }

    void bundledLocations()
    {
        EnvGuard db("VOREL_DB"), photos("VOREL_PHOTOS");
        qputenv("VOREL_DB", "");
        qputenv("VOREL_PHOTOS", "");
        QVERIFY(Vorel::bundledURL().endsWith(QStringLiteral("/vorel.db")));
        QVERIFY(Vorel::bundledPhotos().endsWith(QStringLiteral("/photos/")));
        qputenv("VOREL_DB", m_fx.path().toUtf8());
        qputenv("VOREL_PHOTOS", "/some/photos");
        QCOMPARE(Vorel::bundledURL(), m_fx.path());
        QCOMPARE(Vorel::bundledPhotos(), QStringLiteral("/some/photos"));
        // The defaults are read at the call.
        Vorel v;
        QCOMPARE(v.photosFolder, QStringLiteral("/some/photos"));
        QVERIFY(v.vehicle(2));
        qputenv("VOREL_DB", (m_fx.folder() + QStringLiteral("/gone.db")).toUtf8());
        QCOMPARE(openError(Vorel::bundledURL()), QStringLiteral("Missing data file ") + m_fx.folder() + QStringLiteral("/gone.db"));
    }

    // ---- Records ----

    void kind_data()
    {
        QTest::addColumn<QString>("types");
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("kind");
        const QString mpv = QStringLiteral("Multipurpose Passenger Vehicle (MPV)");
        QTest::newRow("truck") << "Truck" << "F-150" << int(VehicleKind::Truck);
        QTest::newRow("upper truck") << "TRUCK" << "F-150" << int(VehicleKind::Truck);
        QTest::newRow("caravan") << mpv << "Grand Caravan" << int(VehicleKind::Van);
        QTest::newRow("odyssey") << mpv << "Odyssey" << int(VehicleKind::Van);
        QTest::newRow("minivan") << mpv << "Minivan" << int(VehicleKind::Van);
        QTest::newRow("upper van") << mpv << "SAVANA VAN" << int(VehicleKind::Van);
        QTest::newRow("suv") << mpv << "Explorer" << int(VehicleKind::Suv);
        QTest::newRow("truck and mpv") << QStringLiteral("Truck, ") + mpv << "Savana Van" << int(VehicleKind::Van);
        QTest::newRow("truck and mpv suv") << QStringLiteral("Truck, ") + mpv << "Suburban" << int(VehicleKind::Suv);
        QTest::newRow("car") << "Passenger Car" << "Corvette" << int(VehicleKind::Car);
        QTest::newRow("van model car") << "Passenger Car" << "Vanden Plas" << int(VehicleKind::Car);
        QTest::newRow("empty") << "" << "" << int(VehicleKind::Car);
    }
    void kind()
    {
        QFETCH(QString, types);
        QFETCH(QString, model);
        QFETCH(int, kind);
        QCOMPARE(int(withTypes(types, model).kind()), kind);
    }

    void nameAndEquality()
    {
        VehicleInfo a;
        a.makeDisplay = QStringLiteral("Lincoln");
        a.model = QStringLiteral("Navigator");
        QCOMPARE(a.name(), QStringLiteral("Lincoln Navigator"));
        VehicleInfo b = a;
        QVERIFY(a == b);
        b.imageID = 3;
        QVERIFY(a != b);
        a.model.clear();
        QCOMPARE(a.name(), QStringLiteral("Lincoln "));
        QVERIFY((ModelChoice{1, QStringLiteral("M"), QStringLiteral("v"), false}
                 != ModelChoice{1, QStringLiteral("M"), QStringLiteral("v"), true}));
    }

    void engineText_data()
    {
        QTest::addColumn<EPAConfig>("config");
        QTest::addColumn<QString>("text");
        QTest::newRow("turbo sidi") << engine(2.0, 4, true, false, "SIDI") << "2.0L 4-cyl turbo (SIDI)";
        QTest::newRow("rounded") << engine(5.654, 8, false, false, "") << "5.7L 8-cyl";
        QTest::newRow("half to even down") << engine(2.25, 4, false, false, "") << "2.2L 4-cyl";
        QTest::newRow("half to even up") << engine(2.75, 4, false, false, "") << "2.8L 4-cyl";
        QTest::newRow("both chargers") << engine(3.5, 6, true, true, "") << "3.5L 6-cyl turbo supercharged";
        QTest::newRow("electric") << engine(0, 0, true, false, "X", "150 kW") << "Electric (150 kW)";
        QTest::newRow("zero, no motor") << engine(0, 0, false, false, "") << "0.0L";
        EPAConfig unnamed = engine(0, 0, false, false, "");
        unnamed.fuel = QStringLiteral("Electricity");
        QTest::newRow("electric, motor not named") << unnamed << "Electric";
        QTest::newRow("no cylinders") << engine(1.3, -1, false, true, "") << "1.3L supercharged";
        QTest::newRow("motor with engine") << engine(1.8, 4, false, false, "HEV", "60 kW") << "1.8L 4-cyl (HEV)";
    }
    void engineText()
    {
        QFETCH(EPAConfig, config);
        QFETCH(QString, text);
        QCOMPARE(config.engineText(), text);
    }

    void epaEquality()
    {
        EPAConfig a = engine(3.5, 6, true, false, "FFV");
        a.variant = QStringLiteral("V");
        a.transmission = QStringLiteral("Automatic (S6)");
        a.drive = QStringLiteral("4WD");
        EPAConfig b = a;
        b.id = QUuid::createUuid();
        b.fuel = QStringLiteral("Premium");
        b.vehicleClass = QStringLiteral("Other");
        QVERIFY(a == b);
        QVERIFY(a.id != b.id);
        EPAConfig c = a;
        c.drive = QStringLiteral("2WD");
        QVERIFY(a != c);
        EPAConfig d = a;
        d.engineDesc.clear(); // changes the engine text
        QVERIFY(a != d);
        QVERIFY(EPAConfig().id != EPAConfig().id);
    }

    // ---- Queries ----

    void years()
    {
        const QList<qint64> expected{2016, 2015, 2014, 2004, 2003, 2002, 2001, 2000, 1999, 1998, 1997, 1975};
        QCOMPARE(m_v->years(), expected);
    }

    void makes()
    {
        const auto m = [](const char *make, const char *display, qint64 n) {
            return MakeChoice{QString::fromUtf8(make), QString::fromUtf8(display), n};
        };
        QCOMPARE(m_v->makes(2002), (QList<MakeChoice>{m("DODGE", "Dodge", 1), m("FORD", "Ford", 3),
                                                      m("HONDA", "Honda", 1), m("LINCOLN", "Lincoln", 1)}));
        QCOMPARE(m_v->makes(2002, true),
                 (QList<MakeChoice>{m("DODGE", "Dodge", 1), m("FORD", "Ford", 3), m("FREIGHTLINER", "Freightliner", 1),
                                    m("HONDA", "Honda", 1), m("LINCOLN", "Lincoln", 1)}));
        QCOMPARE(m_v->makes(2015), (QList<MakeChoice>{m("FORD", "Ford", 1), m("GMC", "GMC", 1)}));
        QCOMPARE(m_v->makes(2015, true), (QList<MakeChoice>{m("FORD", "Ford", 2), m("FREIGHTLINER", "Freightliner", 1),
                                                            m("GMC", "GMC", 1)}));
        // The picker's filter keeps only heavy = 0: a stored 2 counts as heavy
        // there, though the vehicle record reads it as not heavy.
        QVERIFY(m_v->makes(1975).isEmpty());
        QCOMPARE(m_v->makes(1975, true), (QList<MakeChoice>{m("AMC", "AMC", 1)}));
        QVERIFY(m_v->makes(1950).isEmpty());

        // Names sort without regard to case: "Bentley" before "BMW".
        FixtureDb fx(kCore);
        QVERIFY(fx.exec(QStringLiteral(
            "INSERT INTO vehicles (vehicle_id, make, model, make_display, vehicle_types, first_year, last_year, "
            "first_year_vpic, last_year_vpic, starts_at_vpic_floor, heavy, confidence, year_source, notes, image_id) VALUES "
            "(50, 'BMW', '325i', 'BMW', 'Passenger Car', 1990, 1990, 1990, 1990, 0, 0, 'high', 'vpic', '', NULL), "
            "(51, 'BENTLEY', 'Turbo R', 'Bentley', 'Passenger Car', 1990, 1990, 1990, 1990, 0, 0, 'high', 'vpic', '', NULL); "
            "INSERT INTO vehicle_years (vehicle_id, model_year, sources) VALUES (50, 1990, 'vpic'), (51, 1990, 'vpic');")));
        QCOMPARE(fx.open()->makes(1990), (QList<MakeChoice>{m("BENTLEY", "Bentley", 1), m("BMW", "BMW", 1)}));
    }

    void models()
    {
        QCOMPARE(m_v->models(2002, QStringLiteral("FORD")),
                 (QList<ModelChoice>{{11, QStringLiteral("escort wagon"), QStringLiteral("o"), false},
                                     {3, QStringLiteral("Explorer"), QStringLiteral("v"), false},
                                     {10, QStringLiteral("RANGER"), QStringLiteral("v"), false}}));
        QCOMPARE(m_v->models(2015, QStringLiteral("FORD"), true),
                 (QList<ModelChoice>{{2, QStringLiteral("F-150"), QStringLiteral("v"), false},
                                     {7, QStringLiteral("F-750"), QStringLiteral("v"), true}}));
        QCOMPARE(m_v->models(2015, QStringLiteral("FORD")).size(), 1);
        QCOMPARE(m_v->models(2016, QStringLiteral("FORD")).front().sources, QStringLiteral("vo"));
        // The make must match the stored key exactly.
        QVERIFY(m_v->models(2002, QStringLiteral("Ford")).isEmpty());
        QVERIFY(m_v->models(2002, QStringLiteral("FREIGHTLINER")).isEmpty());
    }

    void find()
    {
        QCOMPARE(m_v->find(QStringLiteral("lincoln"), QStringLiteral("NAVIGATOR"))->id, 1);
        QCOMPARE(m_v->find(QStringLiteral("FORD"), QStringLiteral("f-150"))->model, QStringLiteral("F-150"));
        QVERIFY(!m_v->find(QStringLiteral("LINCOLN "), QStringLiteral("Navigator")));
        QVERIFY(!m_v->find(QStringLiteral("LINCOLN"), QStringLiteral("Navigator ")));
        QVERIFY(!m_v->find(QStringLiteral("LINCOLN"), QStringLiteral("Town Car")));
    }

    void vehicle()
    {
        VehicleInfo expected{1, QStringLiteral("LINCOLN"), QStringLiteral("Navigator"), QStringLiteral("Lincoln"),
                             QStringLiteral("Multipurpose Passenger Vehicle (MPV)"), 1998, 2003, 1998, 2003, false,
                             false, QStringLiteral("high"), QStringLiteral("vpic"), QString(), 1};
        QCOMPARE(m_v->vehicle(1), std::optional<VehicleInfo>(expected));
        QCOMPARE(m_v->vehicle(1)->kind(), VehicleKind::Suv);

        const std::optional<VehicleInfo> corvette = m_v->vehicle(8);
        QVERIFY(corvette);
        QVERIFY(!corvette->firstYearVPIC);
        QCOMPARE(corvette->lastYearVPIC, std::optional<qint64>(2004));
        QCOMPARE(corvette->notes, QStringLiteral("Years from records."));
        QVERIFY(!corvette->imageID);

        const std::optional<VehicleInfo> gremlin = m_v->vehicle(12);
        QVERIFY(!gremlin->heavy); // stored as 2
        QVERIFY(gremlin->startsAtVPICFloor);
        QVERIFY(m_v->vehicle(6)->heavy);
        QVERIFY(!m_v->vehicle(-1));
        QVERIFY(!m_v->vehicle(999));
    }

    void yearsForAndRuns()
    {
        QCOMPARE(m_v->yearsFor(2), (QList<ModelYear>{{2014, QStringLiteral("v")}, {2015, QStringLiteral("v")},
                                                     {2016, QStringLiteral("vo")}}));
        QCOMPARE(m_v->yearRuns(8), QStringLiteral("1997\u20131999, 2001, 2003\u20132004"));
        QCOMPARE(m_v->yearRuns(1), QStringLiteral("1998\u20132003"));
        QCOMPARE(m_v->yearRuns(4), QStringLiteral("2002"));
        // Every stored year counts here, also those outside the picker's range.
        QCOMPARE(m_v->yearRuns(12), QStringLiteral("1969, 1975, 2031"));
        QCOMPARE(m_v->yearRuns(999), QString());
        QVERIFY(m_v->yearsFor(999).isEmpty());
    }

    void epa()
    {
        const QList<EPAConfig> configs = m_v->epa(2, 2015);
        QStringList lines;
        for (const EPAConfig &c : configs)
            lines << c.variant + QStringLiteral(" | ") + c.engineText() + QStringLiteral(" | ") + c.drive;
        QCOMPARE(lines, (QStringList{QStringLiteral("F150 Pickup 2WD | 2.7L 6-cyl turbo | Rear-Wheel Drive"),
                                     QStringLiteral("F150 Pickup 2WD | 3.5L 6-cyl turbo (FFV) | Rear-Wheel Drive"),
                                     QStringLiteral("F150 Pickup 4WD | 3.5L 6-cyl turbo (FFV) | 4-Wheel Drive"),
                                     QStringLiteral("F150 Pickup 2WD | 5.0L 8-cyl | Rear-Wheel Drive")}));
        QCOMPARE(configs[0].transmission, QStringLiteral("Automatic (S6)"));
        QCOMPARE(configs[0].vehicleClass, QStringLiteral("Standard Pickup Trucks 2WD"));
        QCOMPARE(configs[0].fuel, QStringLiteral("Regular Gasoline"));
        QCOMPARE(configs[0].cylinders, 6);
        QCOMPARE(configs[0].displacement, 2.7);

        const QList<EPAConfig> ev = m_v->epa(2, 2016);
        QCOMPARE(ev.size(), 1);
        QCOMPARE(ev[0].engineText(), QStringLiteral("Electric (150 kW)"));
        QVERIFY(ev[0].turbo);

        // Each call makes fresh identities.
        QSet<QUuid> ids;
        for (const EPAConfig &c : configs + m_v->epa(2, 2015))
            ids.insert(c.id);
        QCOMPARE(ids.size(), 8);
        QVERIFY(m_v->epa(2, 1990).isEmpty());
    }

    void statementsAsWritten()
    {
        SqlTrace trace(*m_v->db);
        m_v->years();
        m_v->makes(2002);
        m_v->models(2002, QStringLiteral("FORD"), true);
        m_v->find(QStringLiteral("ford"), QStringLiteral("f-150"));
        m_v->yearsFor(2);
        m_v->epa(2, 2015);
        const QStringList expected{
            QStringLiteral("SELECT DISTINCT model_year FROM vehicle_years WHERE model_year BETWEEN 1970 AND 2030 ORDER BY model_year DESC"),
            QStringLiteral("SELECT v.make, v.make_display, COUNT(*) FROM vehicle_years y JOIN vehicles v ON v.vehicle_id = y.vehicle_id\n"
                           "WHERE y.model_year = ? AND (? = 1 OR v.heavy = 0) GROUP BY v.make ORDER BY v.make_display COLLATE NOCASE"),
            QStringLiteral("SELECT v.vehicle_id, v.model, y.sources, v.heavy FROM vehicle_years y JOIN vehicles v ON v.vehicle_id = y.vehicle_id\n"
                           "WHERE y.model_year = ? AND v.make = ? AND (? = 1 OR v.heavy = 0) ORDER BY v.model COLLATE NOCASE"),
            QStringLiteral("SELECT vehicle_id FROM vehicles WHERE make = ? COLLATE NOCASE AND model = ? COLLATE NOCASE"),
            QStringLiteral("SELECT vehicle_id, make, model, make_display, vehicle_types, first_year, last_year, first_year_vpic, last_year_vpic,\n"
                           "       starts_at_vpic_floor, heavy, confidence, year_source, notes, image_id FROM vehicles WHERE vehicle_id = ?"),
            QStringLiteral("SELECT model_year, sources FROM vehicle_years WHERE vehicle_id = ? ORDER BY model_year"),
            QStringLiteral("SELECT variant, displacement_l, cylinders, transmission, drive, vehicle_class, fuel_type, engine_desc, turbo, supercharger, ev_motor\n"
                           "FROM epa WHERE vehicle_id = ? AND model_year = ? ORDER BY displacement_l, variant"),
        };
        QCOMPARE(trace.sql, expected);
        // The heavy flag binds as the integer 1 or 0; the make as text.
        QVERIFY(trace.expanded[1].contains(QStringLiteral("WHERE y.model_year = 2002 AND (0 = 1 OR v.heavy = 0)")));
        QVERIFY(trace.expanded[2].contains(QStringLiteral("WHERE y.model_year = 2002 AND v.make = 'FORD' AND (1 = 1 OR")));
        QVERIFY(trace.expanded[3].endsWith(QStringLiteral("make = 'ford' COLLATE NOCASE AND model = 'f-150' COLLATE NOCASE")));
        QVERIFY(trace.expanded[6].endsWith(QStringLiteral("WHERE vehicle_id = 2 AND model_year = 2015 ORDER BY displacement_l, variant")));
    }

    void failuresReadAsEmpty()
    {
        FixtureDb fx(kCore);
        QVERIFY(fx.exec(QStringLiteral("DROP TABLE vehicle_years; DROP TABLE vehicles; DROP TABLE epa;")));
        std::unique_ptr<Vorel> v = fx.open();
        QVERIFY(v->years().isEmpty());
        QVERIFY(v->makes(2002, true).isEmpty());
        QVERIFY(v->models(2002, QStringLiteral("FORD"), true).isEmpty());
        QVERIFY(!v->find(QStringLiteral("FORD"), QStringLiteral("F-150")));
        QVERIFY(!v->vehicle(1));
        QVERIFY(v->yearsFor(1).isEmpty());
        QCOMPARE(v->yearRuns(1), QString());
        QVERIFY(v->epa(2, 2015).isEmpty());
        QVERIFY(sqlite3_next_stmt(v->db->handle(), nullptr) == nullptr);
    }

    void readAheadGivesTheSameAnswersOnce()
    {
        const QList<std::pair<QString, QString>> names{{QStringLiteral("ford"), QStringLiteral("f-150")},
                                                       {QStringLiteral("FORD"), QStringLiteral("NoSuchModel")}};
        const QList<qint64> years = m_v->years();
        const std::optional<VehicleInfo> truck = m_v->find(names[0].first, names[0].second);
        QVERIFY(truck && !years.isEmpty());

        // Answered from the worker's connection: nothing runs on db.
        std::unique_ptr<Vorel> v = m_fx.open();
        v->readYearsAhead();
        v->findAhead(names);
        {
            SqlTrace trace(*v->db);
            QCOMPARE(v->years(), years);
            QCOMPARE(v->find(names[0].first, names[0].second)->id, truck->id);
            QVERIFY(!v->find(names[1].first, names[1].second));
            QVERIFY(trace.sql.isEmpty());
            // Each answer is taken once; later calls read afresh.
            QCOMPARE(v->years(), years);
            QCOMPARE(v->find(names[0].first, names[0].second)->model, truck->model);
            QCOMPARE(trace.sql.size(), 3);
        }

        // A worker that cannot open the file leaves the reading to db.
        FixtureDb fx(kCore);
        std::unique_ptr<Vorel> gone = fx.open();
        QVERIFY(QFile::rename(fx.path(), fx.path() + QStringLiteral(".moved")));
        gone->readYearsAhead();
        gone->findAhead(names);
        QCOMPARE(gone->years(), years);
        QCOMPARE(gone->find(names[0].first, names[0].second)->model, truck->model);
    }
};

QTEST_GUILESS_MAIN(TestVehicles)
#include "test_data_vehicles.moc"
