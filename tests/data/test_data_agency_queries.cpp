#include "data/vorel.h"

#include "support/fixturedb.h"

#include <QTest>
#include <memory>
#include <sqlite3.h>

namespace {

QList<qint64> idRange(qint64 first, qint64 count)
{
    QList<qint64> out;
    for (qint64 i = 0; i < count; ++i)
        out << first + i;
    return out;
}

// Bulletin statements seen on a connection, with the number of ids each asked for.
struct BatchCounter
{
    QList<int> batches;

    static int onTrace(unsigned, void *ctx, void *, void *x)
    {
        const QString sql = QString::fromUtf8(static_cast<const char *>(x));
        if (sql.startsWith(QStringLiteral("SELECT nhtsa_id")))
            static_cast<BatchCounter *>(ctx)->batches << int(sql.count(u',') - 6 + 1);
        return 0;
    }
};

VehicleInfo vehicleNamed(qint64 id, const char *model)
{
    VehicleInfo v;
    v.id = id;
    v.make = QStringLiteral("ALDER");
    v.makeDisplay = QStringLiteral("Alder");
    v.model = QString::fromUtf8(model);
    return v;
}

} // namespace

class TestAgencyQueries : public QObject
{
    Q_OBJECT

private:
    FixtureDb m_fixture;
    std::unique_ptr<Vorel> m_vorel;

private slots:
    void initTestCase()
    {
        QVERIFY2(m_fixture.ok(), qPrintable(m_fixture.error()));
        // Bulk bulletins for the batch tests: ids 930001-930801, all of one date.
        QVERIFY(m_fixture.exec(QStringLiteral(
            "INSERT INTO tsbs WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < 801) "
            "SELECT 930000 + n, 'D', '2010-01-01', '2010-01-01', 'TSB', 'ENGINE', 'S' FROM c;")));
        for (const qint64 count : {801, 401, 400, 1}) {
            const qint64 year = count == 801 ? 2009 : count == 401 ? 2010 : count == 400 ? 2011 : 2012;
            const QByteArray packed = Vorel::encodeIDs(idRange(930001, count));
            QVERIFY(m_fixture.exec(QStringLiteral("INSERT INTO tsb_links VALUES (9104, %1, X'%2', %3);")
                                       .arg(year)
                                       .arg(QString::fromLatin1(packed.toHex()))
                                       .arg(count)));
        }
        m_vorel = m_fixture.open();
    }

    void recallsNewestFirst()
    {
        const QList<Recall> list = m_vorel->recalls(9101, 2002);
        QStringList campaigns;
        for (const Recall &r : list)
            campaigns << r.campaign;
        // The link to a campaign without a record is left out.
        QCOMPARE(campaigns, QStringList({"91V002000", "91T004000", "91V001000", "91V003000"}));
        QVERIFY(m_vorel->recalls(9101, 1999).isEmpty());
    }

    void recallFields()
    {
        const std::optional<Recall> r = m_vorel->recall(QStringLiteral("91V001000"));
        QVERIFY(r);
        Recall expected;
        expected.campaign = QStringLiteral("91V001000");
        expected.type = QStringLiteral("V");
        expected.manufacturer = QStringLiteral("Alder Motor Company");
        expected.components = QStringList{"AIR BAGS:FRONTAL", "SEAT BELTS"};
        expected.reportDate = QStringLiteral("2004-03-01");
        expected.affected = 181900;
        expected.initiatedBy = QStringLiteral("MFR");
        expected.summary = QStringLiteral("THE FRONTAL AIR BAG MAY NOT DEPLOY. *TR");
        expected.consequence = QStringLiteral("INJURY RISK.");
        expected.remedy = QStringLiteral("DEALERS WILL REPLACE THE SENSOR.");
        expected.notes = QStringLiteral("N1");
        expected.doNotDrive = true;
        expected.parkOutside = false;
        QCOMPARE(*r, expected);

        const std::optional<Recall> fuel = m_vorel->recall(QStringLiteral("91V003000"));
        QVERIFY(fuel);
        QCOMPARE(fuel->components, QStringList({"FUEL SYSTEM, GASOLINE:DELIVERY", "FUEL SYSTEM, GASOLINE"}));
        QVERIFY(!fuel->affected.has_value());
        QVERIFY(!fuel->doNotDrive); // a stored 2 is not the flag
        QCOMPARE(m_vorel->recall(QStringLiteral("91V002000"))->affected, std::optional<qint64>(0));
        QVERIFY(m_vorel->recall(QStringLiteral("91V002000"))->parkOutside);
        QVERIFY(m_vorel->recall(QStringLiteral("91V005000"))->components.isEmpty());

        QVERIFY(!m_vorel->recall(QStringLiteral("91v001000")));
        QVERIFY(!m_vorel->recall(QStringLiteral(" 91V001000")));
        QVERIFY(!m_vorel->recall(QString()));
    }

    void recallVehiclesByNameThenYear()
    {
        const QList<RecallVehicle> list = m_vorel->recallVehicles(QStringLiteral("91V001000"));
        const QList<RecallVehicle> expected{{9101, 2002, "Alder Ridgeback"},
                                            {9101, 2003, "Alder Ridgeback"},
                                            {9102, 2014, "Alder Tern"}};
        QCOMPARE(list, expected);
        QVERIFY(m_vorel->recallVehicles(QStringLiteral("nothing")).isEmpty());
    }

    void investigationsNewestFirst()
    {
        const QList<Investigation> list = m_vorel->investigations(9101, 2002);
        QCOMPARE(list.size(), 2);
        QCOMPARE(list[0].action, QStringLiteral("EA91002"));
        QCOMPARE(list[0].components, QStringList({"AIR BAGS:SIDE", "SEAT BELTS"}));
        QCOMPARE(list[0].recallCampaign, QStringLiteral("91V002000"));
        QCOMPARE(list[0].closed, QStringLiteral("2006-08-01"));
        QCOMPARE(list[0].subject, QStringLiteral("SIDE AIR BAG"));
        QCOMPARE(list[1].action, QStringLiteral("PE91001"));
        QCOMPARE(list[1].recallCampaign, QString());
        QCOMPARE(list[1].summary, QStringLiteral("SUMMARY ONE"));
        QVERIFY(m_vorel->investigations(9102, 2014).isEmpty());
    }

    void bulletinIDsAndCount()
    {
        QCOMPARE(m_vorel->tsbIDs(9101, 2002), (QList<qint64>{910001, 910002, 910003, 910004, 910005, 910006, 910099}));
        QCOMPARE(m_vorel->tsbCount(9101, 2002), qint64(7));
        QVERIFY(m_vorel->tsbIDs(9101, 1999).isEmpty());
        QCOMPARE(m_vorel->tsbCount(9101, 1999), qint64(0));
        QVERIFY(m_vorel->tsbs(9101, 1999).isEmpty());
        // Ids stored as text are no packed list; the count is still read.
        QVERIFY(m_vorel->tsbIDs(9103, 2012).isEmpty());
        QCOMPARE(m_vorel->tsbCount(9103, 2012), qint64(3));
    }

    void bulletinsOrdered()
    {
        const QList<TSB> list = m_vorel->tsbs(9101, 2002);
        QList<qint64> ids;
        for (const TSB &t : list)
            ids << t.nhtsaID;
        QCOMPARE(ids, (QList<qint64>{910005, 910003, 910002, 910001, 910004, 910006}));
        const TSB &t = list[3];
        QCOMPARE(t.documentID, QStringLiteral("T-01"));
        QCOMPARE(t.date, QStringLiteral("2003-05-01"));
        QCOMPARE(t.addedDate, QStringLiteral("2019-05-02"));
        QCOMPARE(t.type, QStringLiteral("TSB"));
        QCOMPARE(t.components, QStringList({"POWER TRAIN:AUTOMATIC TRANSMISSION"}));
        QCOMPARE(t.summary, QStringLiteral("4R100 SHIFT FLARE"));
        QCOMPARE(t.componentGroup(), QStringLiteral("Power train"));
        QVERIFY(t.nhtsaPDFCandidates().first().toString().contains(QStringLiteral("/odi/tsbs/2019/MC-910001-0001.pdf")));
        QCOMPARE(list[2].components, QStringList({"POWER TRAIN"}));
        QCOMPARE(list[0].componentGroup(), QStringLiteral("Other"));
    }

    void bulletinBatches_data()
    {
        QTest::addColumn<qint64>("year");
        QTest::addColumn<QList<int>>("batches");
        QTest::newRow("one id") << qint64(2012) << QList<int>{1};
        QTest::newRow("400 ids") << qint64(2011) << QList<int>{400};
        QTest::newRow("401 ids") << qint64(2010) << QList<int>{400, 1};
        QTest::newRow("801 ids") << qint64(2009) << QList<int>{400, 400, 1};
        QTest::newRow("no row") << qint64(2008) << QList<int>{};
    }
    void bulletinBatches()
    {
        QFETCH(qint64, year);
        QFETCH(QList<int>, batches);
        BatchCounter counter;
        sqlite3_trace_v2(m_vorel->db->handle(), SQLITE_TRACE_STMT, &BatchCounter::onTrace, &counter);
        const QList<TSB> list = m_vorel->tsbs(9104, year);
        sqlite3_trace_v2(m_vorel->db->handle(), 0, nullptr, nullptr);
        QCOMPARE(counter.batches, batches);
        qint64 total = 0;
        for (int n : batches)
            total += n;
        QCOMPARE(qint64(list.size()), total);
        // One date throughout: the higher id comes first.
        for (qsizetype i = 1; i < list.size(); ++i)
            QVERIFY(list[i - 1].nhtsaID > list[i].nhtsaID);
    }

    void complaintSummary()
    {
        const ComplaintSummary s = m_vorel->complaints(9101, 2002);
        QCOMPARE(s.total, qint64(32));
        QCOMPARE(s.crashes, qint64(1));
        QCOMPARE(s.injuries, qint64(2));
        QStringList ids;
        for (const ComplaintRow &r : s.areas)
            ids << r.id();
        // Equal counts by ascending component id; an unknown id shows as "?".
        QCOMPARE(ids, QStringList({"1-POWER TRAIN", "1-AIR BAGS", "1-?"}));
        QCOMPARE(s.chartSum(), qint64(32));
        QVERIFY(s.flagged().isEmpty());
        QVERIFY(s.areas[0].dbFlag);
        QCOMPARE(s.areas[0].vehicleYearComplaints, qint64(32));
        QCOMPARE(s.areas[0].shareOfVehicle, 0.375);
        QCOMPARE(s.areas[0].peerShare, 0.3);

        const ComplaintSummary none = m_vorel->complaints(9101, 1999);
        QCOMPARE(none, ComplaintSummary());
        // Areas without a totals row and the other way round.
        QCOMPARE(m_vorel->complaints(9102, 2015).areas.size(), 0);
        QCOMPARE(m_vorel->complaints(9102, 2015).total, qint64(1));
    }

    void complaintFlaggedByRuleOnly()
    {
        const ComplaintSummary s = m_vorel->complaints(9102, 2014);
        QStringList flagged;
        for (const ComplaintRow &r : s.flagged())
            flagged << r.component;
        QCOMPARE(flagged, QStringList({"POWER TRAIN", "ELECTRICAL SYSTEM", "SERVICE BRAKES, HYDRAULIC", "STEERING",
                                       "SUSPENSION", "AIR BAGS"}));
    }

    void complaintDetailExactGroup()
    {
        QStringList names;
        for (const ComplaintRow &r : m_vorel->complaintDetail(9101, 2002, QStringLiteral("AIR BAGS"))) {
            QCOMPARE(r.level, qint64(2));
            names << r.component;
        }
        QCOMPARE(names, QStringList({"AIR BAGS:FRONTAL", "AIR BAGS:SIDE"}));
        QCOMPARE(m_vorel->complaintDetail(9101, 2002, QStringLiteral("AIR BAGS EXTRA")).size(), 1);
        QVERIFY(m_vorel->complaintDetail(9101, 2002, QStringLiteral("air bags")).isEmpty());
    }

    void knownProblems_data()
    {
        QTest::addColumn<qint64>("id");
        QTest::addColumn<QString>("model");
        QTest::addColumn<qint64>("year");
        QTest::addColumn<QStringList>("lines");
        QTest::newRow("few complaints, recalls, bulletins")
            << qint64(9101) << "Ridgeback" << qint64(2002)
            << QStringList{QString::fromUtf8("Only 32 owner complaints on file for the 2002 Alder Ridgeback \u2014 too few "
                                             "to compare problem areas."),
                           QString::fromUtf8("3 vehicle safety recalls (air bags \u00B7 fuel system, gasoline) plus 1 "
                                             "equipment/other recall."),
                           "7 manufacturer service bulletins; most often about electrical system (2), power train (2), "
                           "engine (1)."};
        QTest::newRow("three flagged areas")
            << qint64(9102) << "Tern" << qint64(2014)
            << QStringList{QString::fromUtf8("Owners reported power train problems to NHTSA about 6.2\u00D7 as often as "
                                             "for other 2014 vehicles (1,234 complaints)."),
                           QString::fromUtf8("Owners reported electrical system problems to NHTSA about 4.2\u00D7 as "
                                             "often as for other 2014 vehicles (60 complaints)."),
                           QString::fromUtf8("Owners reported service brakes, hydraulic problems to NHTSA about 3.5\u00D7 "
                                             "as often as for other 2014 vehicles (40 complaints)."),
                           "1 vehicle safety recall (air bags)."};
        QTest::newRow("many complaints, none stands out")
            << qint64(9102) << "Tern" << qint64(2013)
            << QStringList{"No problem area stands out in owner complaints for the 2013 Alder Tern (1,234,567 "
                           "complaints in all)."};
        QTest::newRow("one complaint, tire recall, one bulletin")
            << qint64(9102) << "Tern" << qint64(2015)
            << QStringList{QString::fromUtf8("Only 1 owner complaint on file for the 2015 Alder Tern \u2014 too few to "
                                             "compare problem areas."),
                           "0 vehicle safety recalls plus 1 equipment/other recall.",
                           "1 manufacturer service bulletin; most often about steering (1)."};
        QTest::newRow("no complaints, recall without components")
            << qint64(9102) << "Tern" << qint64(2016)
            << QStringList{"No owner complaints on file with NHTSA for the 2016 Alder Tern.",
                           "1 vehicle safety recall (other)."};
        QTest::newRow("49 complaints")
            << qint64(9102) << "Tern" << qint64(2017)
            << QStringList{QString::fromUtf8("Only 49 owner complaints on file for the 2017 Alder Tern \u2014 too few to "
                                             "compare problem areas.")};
        QTest::newRow("50 complaints")
            << qint64(9102) << "Tern" << qint64(2018)
            << QStringList{"No problem area stands out in owner complaints for the 2018 Alder Tern (50 complaints in "
                           "all)."};
        QTest::newRow("count without readable bulletins")
            << qint64(9103) << "Hauler" << qint64(2012)
            << QStringList{"No owner complaints on file with NHTSA for the 2012 Alder Hauler.",
                           "3 manufacturer service bulletins."};
        QTest::newRow("many bulletins, grouped count")
            << qint64(9104) << "Bulk" << qint64(2009)
            << QStringList{"No owner complaints on file with NHTSA for the 2009 Alder Bulk.",
                           "801 manufacturer service bulletins; most often about engine (801)."};
    }
    void knownProblems()
    {
        QFETCH(qint64, id);
        QFETCH(QString, model);
        QFETCH(qint64, year);
        QFETCH(QStringList, lines);
        const QStringList got = m_vorel->knownProblems(vehicleNamed(id, model.toUtf8().constData()), year);
        QCOMPARE(got, lines);
        const QString joined = got.join(u' ').toLower();
        QVERIFY(!joined.contains(QStringLiteral("fail")));
        QVERIFY(!joined.contains(QStringLiteral("reliab")));
    }
};

QTEST_GUILESS_MAIN(TestAgencyQueries)
#include "test_data_agency_queries.moc"
