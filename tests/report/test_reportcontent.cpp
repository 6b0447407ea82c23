#include "data/sqldb.h"
#include "data/vorel.h"
#include "garage/garageactions.h"
#include "garage/garagestore.h"
#include "platform/text.h"
#include "report/troublereport.h"
#include "support/fixturedb.h"

#include <QTemporaryDir>
#include <QTest>

namespace {

QStringList codesOf(const TroubleReport &report)
{
    QStringList out;
    for (const TroubleReportCode &c : report.codes)
        out << c.code;
    return out;
}

TroubleReportCode reportCode(const QString &text, std::optional<QString> seriousness, const QString &campaign = {})
{
    TroubleReportCode c;
    c.code = text;
    if (seriousness) {
        c.info = OBDCode{};
        c.info->title = text + QStringLiteral(" title");
        c.info->seriousness = *seriousness;
        c.info->checkFirst = QStringLiteral("Check for vacuum leaks. Then test the MAF sensor.");
    }
    c.estimate = RepairEstimate::forCode(c.info).first;
    if (!campaign.isEmpty())
        c.recalls.append(Recall{campaign, {}, {}, {}, {}, {}, {}, {}, {}, {}, {}, false, false});
    return c;
}

} // namespace

// Gathering a report from a garage and a reference database, and the texts
// made from a finished report.
class TestReportContent : public QObject
{
    Q_OBJECT

private:
    FixtureDb m_fx;
    std::unique_ptr<Vorel> m_vorel;
    QTemporaryDir m_dir;
    std::unique_ptr<GarageStore> m_store;

    GarageVehicle addVehicle(std::optional<qint64> vid, qint64 year, const QString &notes, const QString &engine = {})
    {
        GarageVehicle v;
        v.vehicleID = vid;
        v.year = year;
        v.title = QStringLiteral("Garage title");
        v.notes = notes;
        v.engine = engine;
        v.id = GarageActions::add(v, *m_store).value_or(-1);
        return v;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_fx.exec(QStringLiteral(
            "INSERT INTO guides (id, system, title, summary, safety, pro_when, sources, sort) VALUES "
            "('check-engine', 'Engine', 'Check-engine light', '', '[]', '[]', '[]', 4),"
            "('misfire', 'Engine', 'Misfire', '', '[]', '[]', '[]', 5);"
            "INSERT INTO epa (vehicle_id, model_year, variant, displacement_l, cylinders, transmission, drive, "
            "vehicle_class, fuel_type, engine_desc, turbo, supercharger, ev_motor) VALUES "
            "(2, 2015, 'X', 6.2, 8, 'A', 'R', 'C', 'G', '', 0, 0, ''),"
            "(2, 2015, 'X', 4.6, 8, 'A', 'R', 'C', 'G', '', 0, 0, ''),"
            "(2, 2015, 'X', 1.5, 4, 'A', 'R', 'C', 'G', '', 0, 0, '');")));
        QVERIFY2(m_fx.ok(), qPrintable(m_fx.error()));
        m_vorel = m_fx.open();
        m_store = std::make_unique<GarageStore>(m_dir.filePath(QStringLiteral("g.sqlite")));
    }

    void gathersCodesInThreePasses()
    {
        const GarageVehicle v = addVehicle(9101, 2002, QStringLiteral("Shop read P0301, p0420 and P0999."));
        GarageActions::addCode(QStringLiteral("p0171"), v.id, *m_store, QStringLiteral("lean"));
        GarageActions::addCode(QStringLiteral("P0420"), v.id, *m_store, QString());
        GarageActions::addCode(QStringLiteral("P0171"), v.id, *m_store, QString());
        GarageActions::log(ServiceEntry{0, v.id, QStringLiteral("2026-10-21"), std::nullopt,
                                        QStringLiteral("Fixed P0171"), QStringLiteral("P0A80 gone"), QString()},
                           *m_store);
        const TroubleReport r = TroubleReport::build(
            v, *m_store, *m_vorel, {"hello", "P01", "P0301", "u 0100", "P1234", "p-1234"});

        // P0999 is not in the reference list: left out from the notes, kept when looked up.
        QCOMPARE(codesOf(r), (QStringList{"P0171", "P0420", "P0301", "P0A80", "U0100", "P1234"}));
        QVERIFY(r.codes[0].source.startsWith(QStringLiteral("Saved with this vehicle on 20")));
        QCOMPARE(r.codes[0].ownerNote, QStringLiteral("lean"));
        QCOMPARE(r.codes[2].source, TroubleReport::mentionedSource());
        QCOMPARE(r.codes[4].source, TroubleReport::lookedUpSource());

        const TroubleReportCode &unknown = r.codes[5];
        QVERIFY(!unknown.info && unknown.structure && !unknown.structure->isEmpty());
        QCOMPARE(unknown.estimate, RepairEstimate::makerSpecific());
        QVERIFY(r.codes[0].info && !r.codes[0].structure);

        // Guides that exist, in related-id order; ids naming no guide are skipped.
        QCOMPARE(r.codes[2].guides.size(), 2);
        QCOMPARE(r.codes[2].guides[1].id, QStringLiteral("misfire"));
        QCOMPARE(r.allRecalls.size(), 4);
        QCOMPARE(r.vehicleLine(), QStringLiteral("2002 Alder Ridgeback"));
        QCOMPARE(r.engine, QStringLiteral("Not recorded"));
        QVERIFY(!r.version.isEmpty());

        QCOMPARE(TroubleReport::savedSource(QStringLiteral("2026-10-2")), QStringLiteral("Saved with this vehicle"));
    }

    void everyGarageTextIsMadePrintable()
    {
        const QString hostile = QStringLiteral("a") + QChar(0) + QStringLiteral("b\uFFFF\uFDD0\x01" "c\r\nd")
            + QString::fromUcs4(U"\U0001FFFE");
        GarageVehicle v = addVehicle(std::nullopt, 2002, QString());
        GarageActions::addCode(QStringLiteral("P0301"), v.id, *m_store, hostile);
        // Today's checks refuse such a date and cost; an older garage may still hold them.
        {
            SQLDB raw(m_dir.filePath(QStringLiteral("g.sqlite")), false);
            raw.run(QStringLiteral("INSERT INTO service(garage_id, date, mileage, title, details, cost) VALUES (?,?,5,?,?,?)"),
                    {v.id, hostile, hostile, hostile, hostile});
        }
        m_store->reload();
        for (QString *field : {&v.title, &v.nickname, &v.vin, &v.engine, &v.notes})
            *field = hostile;
        const TroubleReport r = TroubleReport::build(v, *m_store, *m_vorel);

        const QString line = QStringLiteral("a\uFFFDb\uFFFD\uFFFD\uFFFDc d\uFFFD");
        for (const QString &field : {r.vehicle.title, r.vehicle.nickname, r.vehicle.vin, r.engine, r.vehicleLine()})
            QCOMPARE(field, line);
        QCOMPARE(r.vehicle.notes, QStringLiteral("a\uFFFDb\uFFFD\uFFFD\uFFFDc\nd\uFFFD"));
        QCOMPARE(r.service.size(), 1);
        const ServiceEntry e = r.service.value(0);
        for (const QString &field : {e.date, e.title, e.details, e.cost})
            QCOMPARE(Text::printable(field, false), field);
        const QString note = r.codes.value(0).ownerNote;
        QVERIFY(note.startsWith(u'a'));
        QCOMPARE(Text::printable(note, true), note);
        QVERIFY(!r.pdfData().isEmpty());
        const QString name = r.suggestedFileName();
        QVERIFY(std::none_of(name.cbegin(), name.cend(), [](QChar c) { return c.unicode() < 0x20; }));
    }

    void engineAndUnlinkedVehicle()
    {
        const TroubleReport epa = TroubleReport::build(addVehicle(2, 2015, {}), *m_store, *m_vorel);
        QVERIFY2(epa.engine.startsWith(QStringLiteral("Not recorded (offered that year: ")), qPrintable(epa.engine));
        QCOMPARE(epa.engine.count(QStringLiteral("; ")), 3);
        QVERIFY(epa.engine.endsWith(u')'));

        const TroubleReport own = TroubleReport::build(addVehicle(2, 2015, {}, "5.0L V8"), *m_store, *m_vorel);
        QCOMPARE(own.engine, QStringLiteral("5.0L V8"));

        const TroubleReport loose = TroubleReport::build(addVehicle(std::nullopt, 2015, {}), *m_store, *m_vorel);
        QVERIFY(!loose.info && loose.make.isEmpty() && loose.allRecalls.isEmpty());
        QCOMPARE(loose.vehicleLine(), QStringLiteral("Garage title"));
        QCOMPARE(loose.engine, QStringLiteral("Not recorded"));
        QCOMPARE(loose.mileageText(), QStringLiteral("Not recorded"));
    }

    void fileNames()
    {
        TroubleReport r;
        r.make = QStringLiteral("Toyota");
        r.model = QStringLiteral("Camry");
        r.year = 2009;
        r.vehicle.nickname = QStringLiteral("Test/Commuter: 2");
        QCOMPARE(r.suggestedFileName(), QStringLiteral("2009 Toyota Camry (Test-Commuter- 2) - Trouble Code Report.pdf"));

        // 300 characters of two bytes each, then a letter with a combining mark.
        r.vehicle.nickname = QString(300, QChar(0x00e9)) + QStringLiteral("e\u0301");
        const QString name = r.suggestedFileName();
        QVERIFY(name.toUtf8().size() <= 255);
        QVERIFY(name.toUtf8().size() >= 254);
        QVERIFY(name.startsWith(QStringLiteral("2009 Toyota Camry (\u00e9")));
        QVERIFY(name.endsWith(QStringLiteral("\u00e9 - Trouble Code Report.pdf")));
    }

    void summaryWithoutCodes()
    {
        TroubleReport r;
        r.vehicle.title = QStringLiteral("Old truck");
        r.engine = QStringLiteral("Not recorded");
        QCOMPARE(r.mechanicSummary(),
                 (QStringList{"Vehicle: Old truck, engine not recorded, mileage not recorded.",
                              "No trouble codes are saved for this vehicle yet.",
                              "Please confirm the cause before replacing parts, and give me a written estimate "
                              "first."}));

        // Engines offered that year follow in lower case too; a mileage reads as it is.
        r.engine = QStringLiteral("Not recorded (offered that year: 2.4L)");
        r.vehicle.mileage = 1200;
        QCOMPARE(r.mechanicSummary().constFirst(),
                 QStringLiteral("Vehicle: Old truck, engine not recorded (offered that year: 2.4L), 1,200 miles."));
    }

    void summaryOrderRecallsAndWork()
    {
        TroubleReport r;
        r.year = 2009;
        r.make = QStringLiteral("Toyota");
        r.model = QStringLiteral("Camry");
        r.engine = QStringLiteral("2.4L");
        r.vehicle.nickname = QStringLiteral("Commuter");
        r.vehicle.mileage = 142410;
        r.vehicle.vin = QStringLiteral("VIN1");
        r.codes = {reportCode("P0001", "drive"), reportCode("P1234", std::nullopt),
                   reportCode("P0003", "stop", "10V017000"), reportCode("P0004", "drive soon", "09V388000"),
                   reportCode("P0005", "drive soon", "10V017000")};
        for (int i = 5; i >= 1; --i)
            r.service.append(ServiceEntry{i, 0, QStringLiteral("2026-01-0%1").arg(i), {}, QStringLiteral("Job %1").arg(i),
                                          QStringLiteral("details"), QStringLiteral("$5")});
        r.codes[0].info->checkFirst = QStringLiteral("Look for leaks; check hoses");
        const QStringList s = r.mechanicSummary();
        QCOMPARE(s.size(), 10);
        QCOMPARE(s[0], QStringLiteral("Vehicle: 2009 Toyota Camry (Commuter), engine 2.4L, 142,410 miles, VIN VIN1."));
        QCOMPARE(s[1], QStringLiteral("P0003 P0003 title \u2014 STOP. Please check first: Check for vacuum leaks. "
                                      "Typical fix: rough cost $100\u2013$1,000."));
        QCOMPARE(s[2], QStringLiteral("P1234 Maker-specific or uncommon code (not in the vorel). Please check first: "
                                      "Read the maker's definition with a factory-level scan tool. Typical fix: rough "
                                      "cost $100\u2013$200."));
        QVERIFY(s[3].startsWith(QStringLiteral("P0004")) && s[4].startsWith(QStringLiteral("P0005")));
        // A check text without a full stop gets one before the next sentence.
        QCOMPARE(s[5], QStringLiteral("P0001 P0001 title \u2014 DRIVE. Please check first: Look for leaks; check hoses. "
                                      "Typical fix: rough cost $100\u2013$1,000."));
        QCOMPARE(s[6], QStringLiteral("Most urgent: Stop \u2014 Stop driving, or drive only a very short, gentle "
                                      "distance. Risk of damage or a safety system not working."));
        QCOMPARE(s[7], QStringLiteral("Please check whether these recalls are done: 09V388000, 10V017000."));
        QCOMPARE(s[8], QStringLiteral("Recent work already done: 2026-01-05 Job 5; 2026-01-04 Job 4; 2026-01-03 Job 3."));
    }

    void summaryUnknownCodesAndUnmatchedRecalls()
    {
        TroubleReport r;
        r.codes = {reportCode("P1234", std::nullopt)};
        r.allRecalls.append(Recall{});
        QStringList s = r.mechanicSummary();
        QCOMPARE(s.size(), 4);
        QVERIFY(!s.join(u'\n').contains(QStringLiteral("Most urgent")));
        QVERIFY(s[2].endsWith(QStringLiteral("this model year has 1 recall \u2014 please check that they are done.")));
        r.allRecalls.append(Recall{});
        r.service.append(ServiceEntry{1, 0, QStringLiteral("2026-01-01"), {}, QStringLiteral("Oil change."), {}, {}});
        s = r.mechanicSummary();
        QVERIFY(s[2].contains(QStringLiteral("has 2 recalls \u2014")));
        QCOMPARE(s[3], QStringLiteral("Recent work already done: 2026-01-01 Oil change."));
    }
};

QTEST_GUILESS_MAIN(TestReportContent)
#include "test_reportcontent.moc"
