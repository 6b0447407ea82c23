// The garage screens' rules without a display: the shown vehicle, the draft,
// mileage reading, form enabling, mentioned codes and the menu and note texts.
#include "garage/garageinput.h"
#include "screens/garage/garagedraft.h"
#include "screens/garage/garagerules.h"

#include <QTest>

namespace {

GarageVehicle vehicle(qint64 id, const QString &title, const QString &nickname = {})
{
    GarageVehicle v;
    v.id = id;
    v.title = title;
    v.nickname = nickname;
    return v;
}

GarageCode code(qint64 garageID, const QString &text)
{
    GarageCode c;
    c.garageID = garageID;
    c.code = text;
    return c;
}

} // namespace

class TestGarageRules : public QObject
{
    Q_OBJECT

private slots:
    void shownVehicle()
    {
        const QList<GarageVehicle> list{vehicle(3, QStringLiteral("A")), vehicle(7, QStringLiteral("B"))};
        QCOMPARE(GarageRules::shownVehicle(list, 7)->id, 7);
        QCOMPARE(GarageRules::shownVehicle(list, std::nullopt)->id, 3);
        QCOMPARE(GarageRules::shownVehicle(list, 99)->id, 3); // stale id
        QVERIFY(!GarageRules::shownVehicle({}, 3));
    }

    void draftLifeCycle()
    {
        const GarageVehicle shown = vehicle(3, QStringLiteral("A"), QStringLiteral("old"));
        GarageDraft d;
        QVERIFY(!d.pending());
        QCOMPARE(d.edited(shown)->nickname, QStringLiteral("old"));
        d.change(shown, [](GarageVehicle &v) { v.nickname = QStringLiteral("new"); });
        d.change(shown, [](GarageVehicle &v) { v.mileage = 10; });
        // Later changes build on the draft, not on the store's copy.
        QCOMPARE(d.value()->nickname, QStringLiteral("new"));
        QCOMPARE(d.value()->mileage, 10);
        // Typed back to the stored value: still pending.
        d.change(shown, [](GarageVehicle &v) { v.nickname = QStringLiteral("old"); });
        QVERIFY(d.pending());
        // A store change meanwhile does not show through the draft.
        GarageVehicle reloaded = shown;
        reloaded.mileage = 500;
        QCOMPARE(d.edited(reloaded)->mileage, 10);
        d.drop();
        QCOMPARE(d.edited(reloaded)->mileage, 500);
        d.change(std::nullopt, [](GarageVehicle &v) { v.vin = QStringLiteral("X"); });
        QVERIFY(!d.pending());
        // A draft never outlives the vehicle it was typed for.
        d.change(shown, [](GarageVehicle &v) { v.vin = QStringLiteral("X"); });
        d.follow(shown);
        QVERIFY(d.pending());
        d.follow(vehicle(4, QStringLiteral("B")));
        QVERIFY(!d.pending());
    }

    void mileage_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("field");
        QTest::newRow("grouped with unit") << QStringLiteral("1,500 mi") << QStringLiteral("1500");
        QTest::newRow("minus refused") << QStringLiteral("-5") << QString();
        QTest::newRow("decimal refused") << QStringLiteral("1.5") << QString();
        QTest::newRow("letters") << QStringLiteral("abc") << QString();
        QTest::newRow("empty") << QString() << QString();
        QTest::newRow("twenty digits") << QStringLiteral("12345678901234567890") << QString();
        QTest::newRow("other numerals") << QStringLiteral("١٢٣") << QString();
        QTest::newRow("fraction") << QStringLiteral("12½") << QString();
    }
    void mileage()
    {
        QFETCH(QString, typed);
        QFETCH(QString, field);
        QCOMPARE(GarageRules::mileageField(GarageInput::mileage(typed).value), field);
    }

    void entryForm()
    {
        QVERIFY(GarageRules::canAddCode(QStringLiteral("p0171")));
        QVERIFY(!GarageRules::canAddCode(QStringLiteral("P01")));
        QVERIFY(!GarageRules::canAddCode(QStringLiteral("P4171")));
        QVERIFY(!GarageRules::canAddEntry(QStringLiteral(" \t ")));
        QVERIFY(GarageRules::canAddEntry(QStringLiteral(" x")));

        const ServiceEntry e = GarageRules::entry(4, QStringLiteral(" 3/1/2024"), QStringLiteral("45,000 mi"),
                                                  QStringLiteral("  Oil change \t"), QStringLiteral(" d "),
                                                  QStringLiteral("$40 "));
        QCOMPARE(e.garageID, 4);
        QCOMPARE(e.date, QStringLiteral(" 3/1/2024"));
        QCOMPARE(e.mileage, 45000);
        QCOMPARE(e.title, QStringLiteral("Oil change"));
        QCOMPARE(e.details, QStringLiteral(" d "));
        QCOMPARE(e.cost, QStringLiteral("$40 "));
        QCOMPARE(GarageRules::entry(4, {}, {}, QStringLiteral("a\n"), {}, {}).title, QStringLiteral("a\n"));
        QCOMPARE(GarageRules::entryMileage(45000), QStringLiteral("45,000 mi"));
        QCOMPARE(GarageRules::entryMileage(std::nullopt), QString());
        QVERIFY(QDate::fromString(GarageRules::today(), Qt::ISODate).isValid());
    }

    void mentionedCodes()
    {
        const QStringList mentioned{QStringLiteral("P0300"), QStringLiteral("P0420"), QStringLiteral("P1A2B")};
        const QList<GarageCode> saved{code(1, QStringLiteral("P0420"))};
        auto known = [](const QString &c) { return c != QStringLiteral("P1A2B"); };
        QCOMPARE(GarageRules::mentionedCodes(mentioned, saved, known), QStringList{QStringLiteral("P0300")});
        QVERIFY(GarageRules::mentionedCodes(mentioned, saved, nullptr).isEmpty()); // no reference data
        QCOMPARE(GarageRules::mentionedLine({QStringLiteral("P0300"), QStringLiteral("P0171")}),
                 QStringLiteral("Also in your notes or service log (included in the report): P0300, P0171"));
    }

    void menuNamesAndSavedWith()
    {
        const GarageVehicle a = vehicle(1, QStringLiteral("Tom & Jerry"), QStringLiteral("R&D"));
        const GarageVehicle b = vehicle(2, QStringLiteral("B"));
        QCOMPARE(GarageRules::displayName(a), QStringLiteral("Tom & Jerry (R&D)"));
        QCOMPARE(GarageRules::displayName(b), QStringLiteral("B"));
        QCOMPARE(GarageRules::menuText(GarageRules::displayName(a)), QStringLiteral("Tom && Jerry (R&&D)"));

        const QList<GarageCode> codes{code(2, QStringLiteral("P0420")), code(9, QStringLiteral("P0420")),
                                      code(1, QStringLiteral("p0420")), code(1, QStringLiteral("P0420"))};
        // Order of saving; a code of a vehicle no longer listed and a case variant are skipped.
        QCOMPARE(GarageRules::savedWith(QStringLiteral("P0420"), codes, {a, b}),
                 (QStringList{QStringLiteral("B"), QStringLiteral("Tom & Jerry")}));
    }

    void notes()
    {
        QCOMPARE(GarageRules::exportNote({QStringLiteral("/h/Documents/My Garage.csv"),
                                          QStringLiteral("/h/Documents/My Garage.html")},
                                         QStringLiteral("/h/Documents")),
                 QStringLiteral("Saved My Garage.csv and My Garage.html in Documents."));
        QCOMPARE(GarageRules::errorPanelText(std::nullopt),
                 QStringLiteral("My Garage could not be opened: unknown error"));
        QCOMPARE(GarageRules::removeQuestion(QStringLiteral("2002 Lincoln Navigator"), 3, 1),
                 QStringLiteral("Remove 2002 Lincoln Navigator with its 3 service entries and 1 saved code from My Garage?"));
        QCOMPARE(GarageRules::removeQuestion(QStringLiteral("A"), 1, 0),
                 QStringLiteral("Remove A with its 1 service entry from My Garage?"));
        QCOMPARE(GarageRules::removeQuestion(QStringLiteral("A"), 0, 0), QStringLiteral("Remove A from My Garage?"));
    }
};

QTEST_GUILESS_MAIN(TestGarageRules)
#include "test_garagerules.moc"
