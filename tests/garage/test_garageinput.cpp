#include "data/sqldb.h"
#include "garage/garageactions.h"
#include "garage/garageinput.h"
#include "garage/garagestore.h"

#include <QTemporaryDir>
#include <QTest>

// What the garage accepts as mileage, date and cost, in the forms and in the store.
class TestGarageInput : public QObject
{
    Q_OBJECT

private slots:
    void mileage_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qint64>("value");
        QTest::newRow("empty") << QString() << true << qint64(-1);
        QTest::newRow("grouped, unit") << QStringLiteral(" 45,000 mi ") << true << qint64(45000);
        QTest::newRow("zero") << QStringLiteral("0") << true << qint64(0);
        QTest::newRow("highest") << QStringLiteral("2000000") << true << qint64(2000000);
        QTest::newRow("leading zeros") << QStringLiteral("00012") << true << qint64(12);
        QTest::newRow("one more") << QStringLiteral("2,000,001") << false << qint64(-1);
        QTest::newRow("huge") << QStringLiteral("99999999999") << false << qint64(-1);
        QTest::newRow("negative") << QStringLiteral("-5") << false << qint64(-1);
        QTest::newRow("letters") << QStringLiteral("abc") << false << qint64(-1);
        QTest::newRow("decimals") << QStringLiteral("1.5") << false << qint64(-1);
        QTest::newRow("bad grouping") << QStringLiteral("1,50") << false << qint64(-1);
        QTest::newRow("other numerals") << QStringLiteral("١٢٣") << false << qint64(-1);
    }
    void mileage()
    {
        QFETCH(QString, typed);
        QFETCH(bool, ok);
        QFETCH(qint64, value);
        const GarageInput::Mileage m = GarageInput::mileage(typed);
        QCOMPARE(m.ok(), ok);
        QCOMPARE(m.value, value < 0 ? std::nullopt : std::optional<qint64>(value));
        QCOMPARE(GarageInput::mileageProblem(m.value).isEmpty(), true);
    }

    void datesAndCosts()
    {
        const QDate today(2026, 12, 9);
        for (const char *good : {"", "2026-12-09", "2024-02-29", "1970-01-01"})
            QVERIFY2(GarageInput::dateProblem(QString::fromUtf8(good), today).isEmpty(), good);
        for (const char *bad : {"2026-13-45", "2023-02-29", "2026-12-10", "12/1/2024", "2026-1-05", " 2026-01-05", "soon"})
            QVERIFY2(!GarageInput::dateProblem(QString::fromUtf8(bad), today).isEmpty(), bad);
        QCOMPARE(GarageInput::dateProblem(QStringLiteral("2026-12-10"), today), QStringLiteral("Date can't be in the future."));

        for (const char *good : {"", "0", "$40", "18.4", "$ 1,234.50", ".99", "1000000", "1,000,000.00"})
            QVERIFY2(GarageInput::costProblem(QString::fromUtf8(good)).isEmpty(), good);
        for (const char *bad : {"abc", "-5", "1.234", "1000000.01", "12,34", "1.", "$$4", "99999999999999999999"})
            QVERIFY2(!GarageInput::costProblem(QString::fromUtf8(bad)).isEmpty(), bad);
    }

    void lengths()
    {
        QVERIFY(GarageInput::nicknameProblem(QString(100, u'n')).isEmpty());
        QVERIFY(!GarageInput::nicknameProblem(QString(101, u'n')).isEmpty());
        QVERIFY(GarageInput::vinProblem(QStringLiteral(" 1ftfw1et-5dfc1 0312 ")).isEmpty()); // 17 once cleaned
        QVERIFY(!GarageInput::vinProblem(QStringLiteral("1FTFW1ET5DFC103120")).isEmpty());
        QVERIFY(GarageInput::notesProblem(QString(20000, u'x')).isEmpty());
        QCOMPARE(GarageInput::notesProblem(QString(20001, u'x')), QStringLiteral("Notes can be at most 20,000 characters."));
        QVERIFY(!GarageInput::detailsProblem(QString(20001, u'x')).isEmpty());
    }

    // A value that bypasses the forms is refused by the store, with a reason;
    // what was stored before the checks is kept and may be saved unchanged.
    void storeRefuses()
    {
        QTemporaryDir dir;
        GarageStore store(dir.filePath(QStringLiteral("g.sqlite")));
        GarageVehicle v;
        v.title = QStringLiteral("2002 Lincoln Navigator");
        v.mileage = 99999999999;
        QVERIFY(!GarageActions::add(v, store));
        QVERIFY(store.writeError().contains(QStringLiteral("2,000,000")));
        QVERIFY(store.vehicles().isEmpty());
        v.mileage = 181250;
        const qint64 id = *GarageActions::add(v, store);
        QVERIFY(store.writeError().isEmpty());

        const QString tomorrow = QDate::currentDate().addDays(1).toString(Qt::ISODate);
        const ServiceEntry refused[] = {{0, id, QStringLiteral("2026-13-45"), {}, QStringLiteral("a"), {}, {}},
                                        {0, id, tomorrow, {}, QStringLiteral("a"), {}, {}},
                                        {0, id, {}, -5, QStringLiteral("a"), {}, {}},
                                        {0, id, {}, {}, QStringLiteral("a"), {}, QStringLiteral("abc")}};
        for (const ServiceEntry &e : refused) {
            QVERIFY(!GarageActions::log(e, store));
            QVERIFY(!store.writeError().isEmpty());
        }
        QVERIFY(store.entries(id).isEmpty());
        QCOMPARE(store.vehicles().front().mileage, 181250); // no raise from a refused entry
        QVERIFY(GarageActions::log({0, id, QStringLiteral("2024-01-05"), 185000, QStringLiteral("a"), {}, QStringLiteral("$18.40")}, store));

        {
            SQLDB other(store.path(), false);
            other.run(QStringLiteral("UPDATE garage SET mileage = 99999999999"));
        }
        store.reload();
        GarageVehicle held = store.vehicles().front();
        QCOMPARE(held.mileage, 99999999999);
        held.nickname = QStringLiteral("Big Blue");
        QVERIFY(GarageActions::save(held, store));
        QCOMPARE(store.vehicles().front().mileage, 99999999999);
        held.mileage = 3000000;
        QVERIFY(!GarageActions::save(held, store));
        QCOMPARE(store.vehicles().front().mileage, 99999999999);

        // Texts too long: refused when written, kept when stored before.
        held = store.vehicles().front();
        held.notes = QString(20001, u'x');
        QVERIFY(!GarageActions::save(held, store));
        QVERIFY(store.writeError().contains(QStringLiteral("20,000")));
        QVERIFY(!GarageActions::log({0, id, {}, {}, QStringLiteral("a"), QString(20001, u'x'), {}}, store));
        {
            SQLDB other(store.path(), false);
            other.run(QStringLiteral("UPDATE garage SET notes = ?, nickname = ?"), {QString(30000, u'x'), QString(200, u'n')});
        }
        store.reload();
        held = store.vehicles().front();
        held.engine = QStringLiteral("5.4L V8");
        QVERIFY(GarageActions::save(held, store));
        QCOMPARE(store.vehicles().front().notes.size(), 30000);
        QCOMPARE(store.vehicles().front().nickname.size(), 200);
    }
};

QTEST_GUILESS_MAIN(TestGarageInput)
#include "test_garageinput.moc"
