#include "data/sqldb.h"
#include "garage/garageactions.h"
#include "garage/garagestore.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <thread>

namespace {

GarageVehicle demoVehicle(const QString &title = QStringLiteral("2002 Lincoln Navigator"))
{
    GarageVehicle v;
    v.vehicleID = 1118;
    v.year = 2002;
    v.title = title;
    v.nickname = QStringLiteral("Big Blue");
    v.engine = QStringLiteral("5.4L V8");
    v.mileage = 181250;
    v.notes = QStringLiteral("Air ride sags overnight");
    return v;
}

ServiceEntry entry(qint64 garageID, const QString &date, std::optional<qint64> mileage = std::nullopt,
                   const QString &title = QStringLiteral("Oil change"))
{
    return ServiceEntry{0, garageID, date, mileage, title, QString(), QString()};
}

} // namespace

class TestStore : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;

    QString freshPath() { return m_dir.filePath(QStringLiteral("g%1.sqlite").arg(++m_files)); }
    qint64 count(const QString &path, const QString &sql)
    {
        SQLDB db(path, false);
        return db.scalar(sql);
    }

private slots:
    void defaultURL_data()
    {
        QTest::addColumn<QByteArray>("env");
        QTest::addColumn<bool>("chosen");
        QTest::newRow("set") << QByteArray("elsewhere/x.sqlite") << true;
        QTest::newRow("empty") << QByteArray("") << false;
    }
    void defaultURL()
    {
        QFETCH(QByteArray, env);
        QFETCH(bool, chosen);
        const QString folder = qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Brackenfold/Fenwhistle Vorel");
        QVERIFY(!qEnvironmentVariable("XDG_DATA_HOME").isEmpty());
        QDir(folder).removeRecursively();
        qputenv("FV_GARAGE_PATH", env);
        const QString url = GarageStore::defaultURL();
        qunsetenv("FV_GARAGE_PATH");
        if (chosen) {
            QCOMPARE(url, QString::fromUtf8(env));
            QVERIFY(!QFileInfo::exists(folder));
        } else {
            QCOMPARE(url, folder + QStringLiteral("/My Garage.sqlite"));
            QVERIFY(QFileInfo(folder).isDir());
        }
    }

    void openCreatesSchemaOnce()
    {
        const QString path = m_dir.filePath(QStringLiteral("new/deeper/My Garage.sqlite"));
        {
            GarageStore store(path);
            QVERIFY(store.vehicles().isEmpty());
            QVERIFY(store.readError().isEmpty());
            QVERIFY(GarageActions::add(demoVehicle(), store));
        }
        GarageStore again(path);
        QCOMPARE(again.vehicles().size(), 1);
        QCOMPARE(count(path, QStringLiteral("SELECT count(*) FROM info")), 1);
        QCOMPARE(count(path, QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'table' AND name IN "
                                            "('garage', 'service', 'codes', 'info')")),
                 4);
        SQLDB db(path, false);
        QCOMPARE(db.string(QStringLiteral("PRAGMA journal_mode")), QStringLiteral("delete"));
        QCOMPARE(db.string(QStringLiteral("SELECT value FROM info WHERE key = 'created_by'")),
                 QStringLiteral("KVRN Fenwhistle Vorel (Brackenfold)"));
    }

    void addStoresFreshRowsAndNeverReusesIDs()
    {
        GarageStore store(freshPath());
        QSignalSpy spy(&store, &GarageStore::changed);
        GarageVehicle v = demoVehicle();
        v.id = 7;
        v.created = QStringLiteral("yesterday");
        const auto first = GarageActions::add(v, store);
        const auto second = GarageActions::add(v, store);
        QVERIFY(first && second && *first != *second);
        QCOMPARE(spy.count(), 2);
        const GarageVehicle &stored = store.vehicles().at(0);
        QCOMPARE(stored.id, *first);
        QCOMPARE(stored.title, v.title);
        QCOMPARE(stored.mileage, v.mileage);
        static const QRegularExpression iso(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\dZ$"));
        QVERIFY2(iso.match(stored.created).hasMatch(), qPrintable(stored.created));
        QVERIFY(iso.match(stored.updated).hasMatch());

        QVERIFY(GarageActions::remove(*second, store));
        const auto third = GarageActions::add(v, store);
        QVERIFY(third && *third > *second);
    }

    void entriesNewestDateFirst()
    {
        GarageStore store(freshPath());
        const qint64 id = *GarageActions::add(demoVehicle(), store);
        const qint64 a = *GarageActions::log(entry(id, QStringLiteral("2023-12-31")), store);
        const qint64 b = *GarageActions::log(entry(id, QStringLiteral("2024-01-05")), store);
        const qint64 c = *GarageActions::log(entry(id, QStringLiteral("2024-01-05")), store);
        // Dates typed before the form checked them.
        qint64 d = 0;
        qint64 e = 0;
        {
            SQLDB other(store.path(), false);
            other.run(QStringLiteral("INSERT INTO service(garage_id, date, title) VALUES (?, '10/1/2024', 'x')"), {id});
            d = other.lastInsertID();
            other.run(QStringLiteral("INSERT INTO service(garage_id, date, title) VALUES (?, '9/1/2024', 'x')"), {id});
            e = other.lastInsertID();
        }
        store.reload();
        QList<qint64> order;
        for (const ServiceEntry &s : store.entries(id))
            order.append(s.id);
        // Dates compare as text ("9/..." > "2024-..." > "10/..."); equal dates
        // list the later-added entry first.
        QCOMPARE(order, (QList<qint64>{e, c, b, a, d}));
    }

    void mileageRaise_data()
    {
        QTest::addColumn<std::optional<qint64>>("start");
        QTest::addColumn<std::optional<qint64>>("reading");
        QTest::addColumn<std::optional<qint64>>("after");
        using M = std::optional<qint64>;
        QTest::newRow("none, reading 0") << M() << M(0) << M();
        QTest::newRow("none, reading 5") << M() << M(5) << M(5);
        QTest::newRow("lower reading") << M(60000) << M(50000) << M(60000);
        QTest::newRow("equal reading") << M(60000) << M(60000) << M(60000);
        QTest::newRow("higher reading") << M(60000) << M(70000) << M(70000);
        QTest::newRow("no reading") << M(60000) << M() << M(60000);
    }
    void mileageRaise()
    {
        QFETCH(std::optional<qint64>, start);
        QFETCH(std::optional<qint64>, reading);
        QFETCH(std::optional<qint64>, after);
        const QString path = freshPath();
        GarageStore store(path);
        GarageVehicle v = demoVehicle();
        v.mileage = start;
        const qint64 id = *GarageActions::add(v, store);
        {
            SQLDB db(path, false);
            db.run(QStringLiteral("UPDATE garage SET updated = 'old'"));
        }
        QVERIFY(GarageActions::log(entry(id, QStringLiteral("2024-01-01"), reading), store));
        QCOMPARE(store.vehicles().at(0).mileage, after);
        QCOMPARE(store.vehicles().at(0).updated == QStringLiteral("old"), after == start);
    }

    void mileageNeverLoweredFromStaleList()
    {
        const QString path = freshPath();
        GarageStore store(path);
        const qint64 id = *GarageActions::add(demoVehicle(), store); // 181,250
        {
            SQLDB other(path, false);
            other.run(QStringLiteral("UPDATE garage SET mileage = 190000"));
        }
        QCOMPARE(store.vehicles().at(0).mileage, std::optional<qint64>(181250));
        QVERIFY(GarageActions::log(entry(id, QStringLiteral("2024-01-01"), 185000), store));
        QCOMPARE(store.vehicles().at(0).mileage, std::optional<qint64>(190000));
    }

    void logIsAllOrNothing()
    {
        const QString path = freshPath();
        GarageStore store(path);
        const qint64 id = *GarageActions::add(demoVehicle(), store);
        {
            SQLDB other(path, false);
            other.exec(QStringLiteral("CREATE TRIGGER stop BEFORE UPDATE ON garage BEGIN SELECT RAISE(ABORT, 'stopped'); END"));
        }
        QVERIFY(!GarageActions::log(entry(id, QStringLiteral("2024-01-01"), 200000), store));
        QCOMPARE(count(path, QStringLiteral("SELECT count(*) FROM service")), 0);
        // An entry that raises nothing still goes in.
        QVERIFY(GarageActions::log(entry(id, QStringLiteral("2024-01-01"), 100), store));
        QCOMPARE(store.entries().size(), 1);
    }

    void codesDeduplicated()
    {
        GarageStore store(freshPath());
        const qint64 car = *GarageActions::add(demoVehicle(), store);
        const qint64 van = *GarageActions::add(demoVehicle(QStringLiteral("2010 Ford E-350")), store);
        const auto first = GarageActions::addCode(QStringLiteral(" p0-171 "), car, store, QStringLiteral("first"));
        QVERIFY(first);
        QCOMPARE(store.codes(car).at(0).code, QStringLiteral("P0171"));
        QCOMPARE(GarageActions::addCode(QStringLiteral("P0171"), car, store, QStringLiteral("second")), first);
        QCOMPARE(GarageActions::addCode(QString::fromUtf8("P0１７１"), car, store, QString()), first);
        QCOMPARE(store.codes(car).size(), 1);
        QCOMPARE(store.codes(car).at(0).note, QStringLiteral("first"));
        const auto other = GarageActions::addCode(QStringLiteral("P0171"), van, store, QString());
        QVERIFY(other && *other != *first);
        QVERIFY(!GarageActions::addCode(QStringLiteral("P4171"), car, store, QString()));
        QVERIFY(!GarageActions::addCode(QStringLiteral("P0300"), van + 100, store, QString()));
        QCOMPARE(store.codes().size(), 2);
    }

    void saveChangesOnlyEditableFields()
    {
        GarageStore store(freshPath());
        const qint64 id = *GarageActions::add(demoVehicle(), store);
        GarageVehicle edited = store.vehicles().at(0);
        edited.title = QStringLiteral("Renamed");
        edited.year = 1999;
        edited.nickname = QStringLiteral("Edited");
        edited.mileage = std::nullopt;
        QVERIFY(GarageActions::save(edited, store));
        const GarageVehicle &now = store.vehicles().at(0);
        QCOMPARE(now.title, QStringLiteral("2002 Lincoln Navigator"));
        QCOMPARE(now.year, std::optional<qint64>(2002));
        QCOMPARE(now.nickname, QStringLiteral("Edited"));
        QCOMPARE(now.mileage, std::optional<qint64>());

        QVERIFY(GarageActions::remove(id, store));
        QVERIFY(!GarageActions::save(edited, store));
        QVERIFY(store.vehicles().isEmpty());
    }

    void removeTakesOnlyItsOwnRows()
    {
        GarageStore store(freshPath());
        const qint64 keep = *GarageActions::add(demoVehicle(), store);
        const qint64 gone = *GarageActions::add(demoVehicle(), store);
        for (qint64 id : {keep, gone}) {
            QVERIFY(GarageActions::log(entry(id, QStringLiteral("2024-01-01")), store));
            QVERIFY(GarageActions::addCode(QStringLiteral("P0171"), id, store, QString()));
        }
        QVERIFY(GarageActions::remove(gone, store));
        QCOMPARE(store.vehicles().size(), 1);
        QCOMPARE(store.entries().size(), 1);
        QCOMPARE(store.codes().size(), 1);
        QCOMPARE(store.entries().at(0).garageID, keep);
        QCOMPARE(store.codes().at(0).garageID, keep);
        QVERIFY(GarageActions::remove(gone, store));
        QVERIFY(GarageActions::removeEntry(99999, store));
        QVERIFY(GarageActions::removeCode(99999, store));
        QVERIFY(GarageActions::removeEntry(store.entries().at(0).id, store));
        QVERIFY(GarageActions::removeCode(store.codes().at(0).id, store));
        QVERIFY(store.entries().isEmpty() && store.codes().isEmpty());
    }

    void removeIsAllOrNothing()
    {
        const QString path = freshPath();
        GarageStore store(path);
        const qint64 id = *GarageActions::add(demoVehicle(), store);
        QVERIFY(GarageActions::log(entry(id, QStringLiteral("2024-01-01")), store));
        QVERIFY(GarageActions::addCode(QStringLiteral("P0171"), id, store, QString()));
        {
            SQLDB other(path, false);
            other.exec(QStringLiteral("CREATE TRIGGER stop BEFORE DELETE ON garage BEGIN SELECT RAISE(ABORT, 'stopped'); END"));
        }
        QSignalSpy spy(&store, &GarageStore::changed);
        QVERIFY(!GarageActions::remove(id, store));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(count(path, QStringLiteral("SELECT count(*) FROM service")), 1);
        QCOMPARE(count(path, QStringLiteral("SELECT count(*) FROM codes")), 1);
        QCOMPARE(count(path, QStringLiteral("SELECT count(*) FROM garage")), 1);
        // The connection is usable afterwards: no transaction was left open.
        QVERIFY(GarageActions::add(demoVehicle(), store));
    }

    void waitsForAnotherWriter()
    {
        const QString path = freshPath();
        GarageStore store(path);
        auto other = std::make_unique<SQLDB>(path, false);
        other->exec(QStringLiteral("BEGIN IMMEDIATE; INSERT INTO info VALUES ('held', 'x')"));
        std::thread release([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            other->exec(QStringLiteral("COMMIT"));
        });
        QElapsedTimer timer;
        timer.start();
        const auto id = GarageActions::add(demoVehicle(), store);
        const qint64 waited = timer.elapsed();
        release.join();
        QVERIFY(id);
        QVERIFY2(waited >= 300, qPrintable(QString::number(waited)));
        QCOMPARE(store.vehicles().size(), 1);
    }

    void givesUpOnALockHeldTooLong()
    {
        const QString path = freshPath();
        GarageStore store(path);
        const qint64 id = *GarageActions::add(demoVehicle(), store);
        SQLDB other(path, false);
        other.exec(QStringLiteral("BEGIN IMMEDIATE"));
        QElapsedTimer timer;
        timer.start();
        QVERIFY(!GarageActions::log(entry(id, QStringLiteral("2024-01-01"), 200000), store));
        QVERIFY(timer.elapsed() >= GarageStore::busyTimeoutMs - 500);
        QVERIFY(store.entries().isEmpty());
        other.exec(QStringLiteral("ROLLBACK"));
        QVERIFY(GarageActions::log(entry(id, QStringLiteral("2024-01-01"), 200000), store));
        QCOMPARE(store.vehicles().at(0).mileage, std::optional<qint64>(200000));
    }

    // Opening a complete garage only reads: another writer's lock does not
    // stop it, and one that keeps readers out makes it give up soon, as busy.
    void openingOnlyReads()
    {
        const QString path = freshPath();
        {
            GarageStore store(path);
            QVERIFY(GarageActions::add(demoVehicle(), store));
        }
        SQLDB other(path, false);
        other.exec(QStringLiteral("BEGIN IMMEDIATE; INSERT INTO info VALUES ('held', 'x')"));
        QElapsedTimer timer;
        timer.start();
        {
            GarageStore store(path, GarageStore::openBusyTimeoutMs);
            QVERIFY2(timer.elapsed() < 1000, qPrintable(QString::number(timer.elapsed())));
            QCOMPARE(store.vehicles().size(), 1);
            QVERIFY(!store.readOnly());
        }
        other.exec(QStringLiteral("COMMIT; BEGIN EXCLUSIVE"));
        timer.restart();
        try {
            GarageStore blocked(path, GarageStore::openBusyTimeoutMs);
            QFAIL("opened through an exclusive lock");
        } catch (const SQLError &e) {
            QVERIFY(e.busy());
            QCOMPARE(e.description(), QStringLiteral("My Garage is busy (another program is writing it)"));
        }
        QVERIFY(timer.elapsed() < 2000);
        other.exec(QStringLiteral("ROLLBACK"));
    }

    void missingTableIsReadAround()
    {
        const QString path = freshPath();
        GarageStore store(path);
        const qint64 id = *GarageActions::add(demoVehicle(), store);
        QVERIFY(GarageActions::addCode(QStringLiteral("P0171"), id, store, QString()));
        QVERIFY(store.readError().isEmpty());
        {
            SQLDB db(path, false);
            db.exec(QStringLiteral("DROP TABLE service"));
        }
        store.reload();
        QCOMPARE(store.vehicles().size(), 1);
        QCOMPARE(store.codes().size(), 1);
        QVERIFY(store.entries().isEmpty());
        QVERIFY(!store.readError().isEmpty());
    }

    void codesMentioned()
    {
        GarageStore store(freshPath());
        GarageVehicle v = demoVehicle();
        v.notes = QStringLiteral("P0171 came back, still P0171");
        const qint64 id = *GarageActions::add(v, store);
        ServiceEntry e = entry(id, QStringLiteral("2024-01-01"), std::nullopt, QStringLiteral("Cleared p0300"));
        e.details = QStringLiteral("then U0100");
        QVERIFY(GarageActions::log(e, store));
        QCOMPARE(store.codesMentioned(id), (QStringList{"P0171", "P0300", "U0100"}));
        QVERIFY(store.codesMentioned(id + 1).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestStore)
#include "test_store.moc"
