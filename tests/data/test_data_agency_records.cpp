#include "data/complaintrule.h"
#include "data/complaintsummary.h"
#include "data/nhtsatext.h"
#include "data/provenance.h"
#include "data/recall.h"
#include "data/tsb.h"
#include "data/vorel.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>
#include <QThread>
#include <atomic>
#include <cmath>
#include <limits>

namespace {

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(char(v));
    return out;
}

ComplaintRow area(const char *component, qint64 complaints, double shareIndex, double zScore = 5.0,
                  qint64 vehicleYear = 500)
{
    ComplaintRow r;
    r.level = 1;
    r.component = QString::fromUtf8(component);
    r.complaints = complaints;
    r.vehicleYearComplaints = vehicleYear;
    r.shareIndex = shareIndex;
    r.zScore = zScore;
    return r;
}

struct MutationGuard
{
    ~MutationGuard() { ComplaintRule::mutateForSelfTest = false; }
};

} // namespace

using IDList = QList<qint64>;

class TestAgencyRecords : public QObject
{
    Q_OBJECT

private slots:
    void pretty_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("two levels") << "SERVICE BRAKES, HYDRAULIC" << "Service brakes, hydraulic";
        QTest::newRow("air bags") << "AIR BAGS" << "Air bags";
        QTest::newRow("make kept") << "GMC" << "GMC";
        QTest::newRow("make") << "FORD" << "Ford";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("blanks") << "   " << "";
        QTest::newRow("double blank") << "ELECTRICAL  SYSTEM" << "Electrical system";
        QTest::newRow("later ABS") << "BRAKES ABS" << "Brakes ABS";
        QTest::newRow("ABS with comma") << "BRAKES ABS, PUMP" << "Brakes abs, pump";
        QTest::newRow("bracketed short") << "BRAKES (ABS)" << "Brakes (ABS)";
        QTest::newRow("bracketed long") << "BRAKES (ABCDEF)" << "Brakes (abcdef)";
        QTest::newRow("4WD first") << "4WD DRIVE" << "4WD drive";
        QTest::newRow("A/C later") << "HEATER A/C UNIT" << "Heater A/C unit";
        QTest::newRow("LATCH kept") << "CHILD SEAT LATCH" << "Child seat LATCH";
        QTest::newRow("hood latch") << "LATCHES/LOCKS/LINKAGES HOOD LATCH"
                                    << "Latches/locks/linkages hood latch";
        QTest::newRow("mixed input") << "Power Train" << "Power train";
        QTest::newRow("volt ratings") << "12V/24V/48V BATTERY" << "12V/24V/48V battery";
        QTest::newRow("volts later") << "ELECTRICAL SYSTEM 12V" << "Electrical system 12V";
        // Six characters, seven UTF-16 units: still a short bracketed word.
        QTest::newRow("bracketed with mark") << QString::fromUtf8("BRAKES (A\u0300BCD)")
                                             << QString::fromUtf8("Brakes (A\u0300BCD)");
    }
    void pretty()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(NHTSAText::pretty(in), out);
    }

    void groupAndDisplay_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("group");
        QTest::addColumn<QString>("display");
        QTest::newRow("two levels") << "SERVICE BRAKES, HYDRAULIC:ANTILOCK" << "Service brakes, hydraulic" << "Antilock";
        QTest::newRow("three levels") << "ENGINE AND ENGINE COOLING:ENGINE:GASOLINE" << "Engine and engine cooling"
                                      << "Gasoline";
        QTest::newRow("one level") << "POWER TRAIN" << "Power train" << "Power train";
        QTest::newRow("empty") << "" << "" << "";
        QTest::newRow("colon only") << ":" << ":" << ":";
        QTest::newRow("empty levels") << "::AIR BAGS::FRONTAL:" << "Air bags" << "Frontal";
        QTest::newRow("blank around level") << "AIR BAGS: FRONTAL " << "Air bags" << "Frontal";
        QTest::newRow("hood latch") << "LATCHES/LOCKS/LINKAGES:HOOD:LATCH"
                                    << "Latches/locks/linkages"
                                    << "Latch";
        QTest::newRow("child seat latch") << "CHILD SEAT:LATCH"
                                          << "Child seat"
                                          << "LATCH";
    }
    void groupAndDisplay()
    {
        QFETCH(QString, in);
        QFETCH(QString, group);
        QFETCH(QString, display);
        QCOMPARE(NHTSAText::group(in), group);
        QCOMPARE(NHTSAText::display(in), display);
    }

    void wordSets()
    {
        QCOMPARE(NHTSAText::keepUpper().size(), 23);
        QCOMPARE(NHTSAText::acronyms().size(), 71);
        for (const char *w : {"LATCH", "CV", "AMC", "GMC", "MG"}) {
            QVERIFY2(NHTSAText::keepUpper().contains(w), w);
            QVERIFY2(!NHTSAText::acronyms().contains(w), w);
        }
        QVERIFY(NHTSAText::acronyms().contains("NHTSA"));
        QVERIFY(!NHTSAText::acronyms().contains("abs"));
    }

    void sentenceCase_data()
    {
        QTest::addColumn<QString>("in");
        QTest::addColumn<QString>("out");
        QTest::newRow("two sentences and marker")
            << "THE VEHICLE MAY STALL. FORD WILL NOTIFY OWNERS. *TR" << "The vehicle may stall. Ford will notify owners.";
        QTest::newRow("short stays") << "AIR" << "AIR";
        QTest::newRow("mixed keeps form") << "Air bag may not deploy. *JB" << "Air bag may not deploy.";
        QTest::newRow("several markers") << "  ENGINE MAY STALL *AB *CD\n" << "Engine may stall";
        QTest::newRow("marker glued") << "ENGINE MAY STALL*ABC" << "Engine may stall";
        QTest::newRow("four letters no marker") << "ENGINE MAY STALL *ABCD" << "Engine may stall *abcd";
        QTest::newRow("lower marker stays") << "Engine may stall *ab" << "Engine may stall *ab";
        QTest::newRow("digits kept") << "2019 FORD F-150 WITH V8 SETS P0420 CODE."
                                     << "2019 ford F-150 with V8 sets P0420 code.";
        QTest::newRow("words beside numbers") << "THE 4-SPEED AUTOMATIC ON V-6 MODELS MAY SLIP AT 60,000-MILES (S6)."
                                              << "The 4-speed automatic on V-6 models may slip at 60,000-miles (S6).";
        QTest::newRow("acronyms kept") << "THE PCM AND (ABS) MODULE, A/C. THE TCM." << "The PCM and (ABS) module, A/C. The TCM.";
        QTest::newRow("acronym ends sentence") << "REPLACE THE ABS. DEALERS WILL" << "Replace the ABS. Dealers will";
        QTest::newRow("dash keeps flag") << "MAY STALL. - FORD WILL" << "May stall. - Ford will";
        QTest::newRow("question and bang") << "WHY? BECAUSE! YES" << "Why? Because! Yes";
        QTest::newRow("quote before letter") << "HE SAID. \"STOP NOW\"" << "He said. \"Stop now\"";
        QTest::newRow("repeated blanks kept") << "ENGINE  MAY   STALL" << "Engine  may   stall";
        QTest::newRow("outer whitespace") << "\n\t  FUEL LEAK  \r\n" << "Fuel leak";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("marker only") << "*TR" << "";
        // Three characters written with six UTF-16 units stay as they are.
        QTest::newRow("three marked letters") << QString::fromUtf8("E\u0301E\u0301E\u0301")
                                              << QString::fromUtf8("E\u0301E\u0301E\u0301");
        // Characters beyond the basic plane count as the letters and digits they are.
        QTest::newRow("astral digit") << QString::fromUtf8("ENGINE X\U0001D7CE CODE")
                                      << QString::fromUtf8("Engine X\U0001D7CE code");
        QTest::newRow("astral letters") << QString::fromUtf8("\U00010400\U00010400 ENGINE STALLS")
                                        << QString::fromUtf8("\U00010400\U00010428 engine stalls");
    }
    void sentenceCase()
    {
        QFETCH(QString, in);
        QFETCH(QString, out);
        QCOMPARE(NHTSAText::sentenceCase(in), out);
    }

    void sentenceCaseKeepsNames()
    {
        NHTSAText::setProperNames({{QStringLiteral("Ford"), QStringLiteral("F-150")}, {QStringLiteral("Lincoln"), QStringLiteral("Navigator")},
                                   {QStringLiteral("Ford"), QStringLiteral("Expedition")}, {QStringLiteral("Jeep"), QStringLiteral("Grand Cherokee")},
                                   {QStringLiteral("Chevrolet"), QStringLiteral("Spark")}, {QStringLiteral("GMC"), QStringLiteral("Sierra")}},
                                  {QStringLiteral("Ford Motor Company")});
        QCOMPARE(NHTSAText::sentenceCase(QStringLiteral("FORD MOTOR COMPANY IS RECALLING CERTAIN MODEL YEAR 1994-2002 FORD F-150, "
                                                        "1998-2002 LINCOLN NAVIGATOR AND 2001 JEEP GRAND CHEROKEE VEHICLES.")),
                 QStringLiteral("Ford Motor Company is recalling certain model year 1994-2002 Ford F-150, "
                                "1998-2002 Lincoln Navigator and 2001 Jeep Grand Cherokee vehicles."));
        // A model alone is a name only where a model belongs: after its years or in their list.
        QCOMPARE(NHTSAText::sentenceCase(QStringLiteral("SOME 2000-2003 NAVIGATOR AND EXPEDITION VEHICLES MAY SLIP. "
                                                        "REPLACE THE SPARK PLUGS (ABS).")),
                 QStringLiteral("Some 2000-2003 Navigator and Expedition vehicles may slip. Replace the spark plugs (ABS)."));
        QCOMPARE(NHTSAText::sentenceCase(QStringLiteral("THE 2015 SPARK MAY STALL; THE SPARK PLUG MAY FOUL.")),
                 QStringLiteral("The 2015 Spark may stall; the spark plug may foul."));
        // Models named in capitals or in their own mixed case keep it.
        NHTSAText::setProperNames({{QStringLiteral("Acura"), QStringLiteral("CL")},
                                   {QStringLiteral("Acura"), QStringLiteral("TL")},
                                   {QStringLiteral("Pontiac"), QStringLiteral("Grand LeMans")}},
                                  {});
        QCOMPARE(NHTSAText::sentenceCase(
                     QStringLiteral("SOME 2001-2003 CL AND TL VEHICLES AND THE 1985 GRAND LEMANS MAY STALL.")),
                 QStringLiteral("Some 2001-2003 CL and TL vehicles and the 1985 Grand LeMans may stall."));
        // The reference data's list of names (makes, engine names, agencies,
        // months before a date) on the agency's own sentences.
        QFile file(QStringLiteral(FV_TEST_SOURCE_DIR "/../../tools/vorelgen/content/agency_names.json"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QStringList names;
        for (const QJsonValue &v : QJsonDocument::fromJson(file.readAll()).object().value(QStringLiteral("proper_names")).toArray())
            names << v.toString();
        NHTSAText::setProperNames({{QStringLiteral("Ford"), QStringLiteral("Focus")}}, {QStringLiteral("Ford Motor Company")}, names);
        QCOMPARE(NHTSAText::sentenceCase(QStringLiteral(
                     "FORD MOTOR COMPANY IS RECALLING 2002-2003 FOCUS VEHICLES WITH 2.0L ZETEC ENGINES. THE RECALL BEGAN ON FEBRUARY 10, 2003. "
                     "OWNERS MAY CONTACT FORD AT 1-800-392-3673. OWNERS MAY ALSO CONTACT THE NATIONAL HIGHWAY TRAFFIC SAFETY "
                     "ADMINISTRATION'S VEHICLE SAFETY HOTLINE AT 1-888-327-4236 (TTY 1-800-424-9153), OR GO TO WWW.SAFERCAR.GOV.")),
                 QStringLiteral("Ford Motor Company is recalling 2002-2003 Focus vehicles with 2.0L Zetec engines. The recall began on February 10, 2003. "
                                "Owners may contact Ford at 1-800-392-3673. Owners may also contact the National Highway Traffic Safety "
                                "Administration's vehicle safety hotline at 1-888-327-4236 (TTY 1-800-424-9153), or go to www.safercar.gov."));
        QCOMPARE(NHTSAText::sentenceCase(QStringLiteral("THE ENGINE MAY STALL IN MAY 2004.")), QStringLiteral("The engine may stall in May 2004."));

        NHTSAText::setProperNames({}, {});
        QCOMPARE(NHTSAText::sentenceCase(QStringLiteral("FORD MOTOR COMPANY")), QStringLiteral("Ford motor company"));
    }

    // Names read later: by the first text that needs them until a worker is
    // started, then on the worker, which that text waits for; names set at
    // once afterwards win over a read still running.
    void properNamesReadLater()
    {
        const NHTSAText::ProperNameLists lists{{{QStringLiteral("Lincoln"), QStringLiteral("Navigator")}}, {QStringLiteral("Ford Motor Company")}, {}};
        for (const bool started : {false, true}) {
            std::atomic<int> reads = 0;
            NHTSAText::setProperNamesLater([&] {
                ++reads;
                return lists;
            });
            QThread::msleep(20);
            QCOMPARE(reads.load(), 0);
            if (started)
                NHTSAText::startReadingProperNames();
            QCOMPARE(NHTSAText::sentenceCase(QStringLiteral("FORD MOTOR COMPANY RECALLS THE LINCOLN NAVIGATOR.")),
                     QStringLiteral("Ford Motor Company recalls the Lincoln Navigator."));
            QCOMPARE(reads.load(), 1);
        }
        NHTSAText::setProperNamesLater([] {
            QThread::msleep(50);
            return NHTSAText::ProperNameLists{{}, {QStringLiteral("Ford Motor Company")}, {}};
        });
        NHTSAText::startReadingProperNames();
        NHTSAText::setProperNames({}, {});
        QCOMPARE(NHTSAText::sentenceCase(QStringLiteral("FORD MOTOR COMPANY")), QStringLiteral("Ford motor company"));
    }

    void provenanceFromMeta()
    {
        // Rows missing or unknown read as the agencies' own records.
        const Provenance real = Provenance::fromMeta({{QStringLiteral("provenance.recalls"), QStringLiteral("maybe")}});
        QVERIFY(!real.anyGenerated() && !real.drawnPhotos());
        QCOMPARE(real.dataCredit(), QStringLiteral("Data from NHTSA and EPA; not endorsed by them."));
        QCOMPARE(real.complaintsLabel(), QStringLiteral("owner complaints reported to NHTSA, not failure rates"));

        Provenance made;
        made.setGenerated(Provenance::Kind::Recalls, true);
        made.setGenerated(Provenance::Kind::Complaints, true);
        made.setDrawnPhotos(true);
        made.keep(QStringLiteral("05V388000"));
        QHash<QString, QString> meta;
        for (const auto &[key, value] : made.metaRows())
            meta.insert(key, value);
        const Provenance back = Provenance::fromMeta(meta);
        QVERIFY(back.generated(Provenance::Kind::Recalls) && back.generated(Provenance::Kind::Complaints));
        QVERIFY(!back.generated(Provenance::Kind::Bulletins) && back.drawnPhotos());
        QVERIFY(!back.sample(Provenance::Kind::Recalls, QStringLiteral("05V388000")));
        QVERIFY(back.sample(Provenance::Kind::Recalls, QStringLiteral("12V001000")));
        QVERIFY(!back.sample(Provenance::Kind::Investigations, QStringLiteral("PE12001")));
        QCOMPARE(meta.value(QStringLiteral("data_credit")),
                 QStringLiteral("Vehicle data from NHTSA and EPA (engines: EPA's list for 1984-2015, the makers' figures compiled by hand "
                                "for later years); not endorsed by them. The recalls and complaint counts are generated sample data."));
        QVERIFY(!back.complaintsLabel().contains(QStringLiteral("reported to NHTSA")));
    }

    void recallTypeText_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("text");
        QTest::newRow("V") << "V" << "Vehicle recall";
        QTest::newRow("E") << "E" << "Equipment recall (part sold for this vehicle)";
        QTest::newRow("T") << "T" << "Tire recall";
        QTest::newRow("C") << "C" << "Child seat recall";
        QTest::newRow("v") << "v" << "Recall";
        QTest::newRow("X") << "X" << "Recall";
        QTest::newRow("empty") << "" << "Recall";
    }
    void recallTypeText()
    {
        QFETCH(QString, type);
        QFETCH(QString, text);
        Recall r;
        r.type = type;
        QCOMPARE(r.typeText(), text);
    }

    void tsbGroup()
    {
        TSB t;
        QCOMPARE(t.componentGroup(), QStringLiteral("Other"));
        t.components = {"SERVICE BRAKES, HYDRAULIC:ANTILOCK", "ENGINE"};
        QCOMPARE(t.componentGroup(), QStringLiteral("Service brakes, hydraulic"));
    }

    void tsbCandidates_data()
    {
        QTest::addColumn<QString>("added");
        QTest::addColumn<QString>("folder");
        QTest::newRow("added year wins") << "2019-05-02" << "2019";
        QTest::newRow("exactly four") << "2007" << "2007";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("three characters") << "201" << "";
        QTest::newRow("letter") << "20x9-01-01" << "";
        QTest::newRow("leading blank") << " 2019-01-01" << "";
        QTest::newRow("slash") << "../../x" << "";
        QTest::newRow("full-width digits") << QString::fromUtf8("\uff12\uff10\uff11\uff19-01-01") << "";
        QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0662\u0660\u0661\u0669") << "";
        // The fourth character is a 9 with an accent, not a digit.
        QTest::newRow("marked fourth digit") << QString::fromUtf8("2019\u0301-05-02") << "";
    }
    void tsbCandidates()
    {
        QFETCH(QString, added);
        QFETCH(QString, folder);
        TSB t;
        t.nhtsaID = 10154789;
        t.date = QStringLiteral("2018-12-20");
        t.addedDate = added;
        const QList<QUrl> urls = t.nhtsaPDFCandidates();
        if (folder.isEmpty()) {
            QVERIFY(urls.isEmpty());
            return;
        }
        QCOMPARE(urls.size(), 2);
        const QString base = TSB::pdfPrefix() + folder + QStringLiteral("/MC-10154789-");
        QCOMPARE(urls[0].toString(), base + QStringLiteral("0001.pdf"));
        QCOMPARE(urls[1].toString(), base + QStringLiteral("9999.pdf"));
        QVERIFY(urls[0].toString().startsWith(QStringLiteral("https://")));
        QCOMPARE(urls[0].path(), QStringLiteral("/odi/tsbs/") + folder + QStringLiteral("/MC-10154789-0001.pdf"));
    }

    void tsbFallback()
    {
        QCOMPARE(&TSB::fallbackURL(), &TSB::fallbackURL());
        QCOMPARE(TSB::fallbackURL().scheme(), QStringLiteral("https"));
        QCOMPARE(TSB::fallbackURL().path(), QStringLiteral("/recalls"));
    }

    void rule_data()
    {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        QTest::addColumn<double>("share");
        QTest::addColumn<qint64>("complaints");
        QTest::addColumn<qint64>("vehicleYear");
        QTest::addColumn<double>("z");
        QTest::addColumn<bool>("normal");
        QTest::addColumn<bool>("mutated");
        QTest::newRow("all at bounds") << 3.0 << qint64(20) << qint64(50) << 4.0 << true << true;
        QTest::newRow("19 complaints") << 3.0 << qint64(19) << qint64(50) << 4.0 << false << false;
        QTest::newRow("49 in all") << 3.0 << qint64(20) << qint64(49) << 4.0 << false << false;
        QTest::newRow("share 2.99") << 2.99 << qint64(20) << qint64(50) << 4.0 << false << true;
        QTest::newRow("z 3.99") << 3.0 << qint64(20) << qint64(50) << 3.99 << false << false;
        QTest::newRow("share 2.5") << 2.5 << qint64(30) << qint64(90) << 6.0 << false << true;
        QTest::newRow("share 2.0") << 2.0 << qint64(30) << qint64(90) << 6.0 << false << true;
        QTest::newRow("share 1.99") << 1.99 << qint64(30) << qint64(90) << 6.0 << false << false;
        QTest::newRow("NaN share") << nan << qint64(30) << qint64(90) << 6.0 << false << false;
        QTest::newRow("NaN z") << 5.0 << qint64(30) << qint64(90) << nan << false << false;
        QTest::newRow("high") << 7.5 << qint64(400) << qint64(1200) << 12.0 << true << true;
    }
    void rule()
    {
        QFETCH(double, share);
        QFETCH(qint64, complaints);
        QFETCH(qint64, vehicleYear);
        QFETCH(double, z);
        QFETCH(bool, normal);
        QFETCH(bool, mutated);
        MutationGuard guard;
        QVERIFY(!ComplaintRule::mutateForSelfTest);
        QCOMPARE(ComplaintRule::notablyHigh(share, complaints, vehicleYear, z), normal);
        ComplaintRow row = area("POWER TRAIN", complaints, share, z, vehicleYear);
        row.dbFlag = !normal;
        QCOMPARE(row.notablyHigh(), normal);
        ComplaintRule::mutateForSelfTest = true;
        QCOMPARE(ComplaintRule::notablyHigh(share, complaints, vehicleYear, z), mutated);
        QCOMPARE(row.notablyHigh(), mutated);
    }

    void complaintRowDerived()
    {
        ComplaintRow row = area("AIR BAGS:FRONTAL", 5, 1.0);
        row.level = 2;
        QCOMPARE(row.id(), QStringLiteral("2-AIR BAGS:FRONTAL"));
        QCOMPARE(row.display(), QStringLiteral("Frontal"));
        const ComplaintRow nanRow = area("X", 1, std::numeric_limits<double>::quiet_NaN());
        QVERIFY(!(nanRow == nanRow));
    }

    void summaryFlaggedAndSum()
    {
        MutationGuard guard;
        ComplaintSummary s;
        QVERIFY(s.flagged().isEmpty());
        QCOMPARE(s.chartSum(), qint64(0));
        s.areas = {area("A", 120, 3.5), area("B", 40, 5.0), area("C", 30, 3.5), area("D", 25, 2.5),
                   area("E", 3, 9.0)};
        QCOMPARE(s.chartSum(), qint64(218));
        QStringList order;
        for (const ComplaintRow &r : s.flagged())
            order << r.component;
        QCOMPARE(order, QStringList({"B", "A", "C"}));

        ComplaintRule::mutateForSelfTest = true;
        order.clear();
        for (const ComplaintRow &r : s.flagged())
            order << r.component;
        QCOMPARE(order, QStringList({"B", "A", "C", "D"}));
    }

    void decode_data()
    {
        QTest::addColumn<QByteArray>("packed");
        QTest::addColumn<IDList>("ids");
        QTest::newRow("empty") << QByteArray() << IDList{};
        QTest::newRow("one byte") << bytes({0x05}) << IDList{5};
        QTest::newRow("two") << bytes({0x05, 0x03}) << IDList{5, 8};
        QTest::newRow("three") << bytes({0xAC, 0x02, 0x04, 0xA8, 0x02}) << IDList{300, 304, 600};
        QTest::newRow("cut inside last") << bytes({0xAC, 0x02, 0x04, 0xA8}) << IDList{300, 304};
        QTest::newRow("lone continuation") << bytes({0x80}) << IDList{};
        QTest::newRow("zero delta") << bytes({0x07, 0x00, 0x00}) << IDList{7, 7, 7};
        QTest::newRow("redundant byte") << bytes({0x85, 0x00}) << IDList{5};
        QTest::newRow("worked example") << bytes({0x03, 0x07, 0xBE, 0x01, 0x01}) << IDList{3, 10, 200, 201};
        QTest::newRow("largest id") << bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F})
                                    << IDList{std::numeric_limits<qint64>::max()};
        // Bit 63 set: the id would leave the signed range, so decoding stops.
        QTest::newRow("bit 63") << bytes({0x05, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x01, 0x05})
                                << IDList{5};
        // The running sum passing the signed range stops decoding too.
        QTest::newRow("sum overflow") << bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x01, 0x02})
                                      << IDList{std::numeric_limits<qint64>::max()};
        // Groups at shift 70 and beyond add nothing.
        QTest::newRow("group past 64 bits")
            << bytes({0x81, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0xFF, 0x7F, 0x02})
            << IDList{1, 3};
    }
    void decode()
    {
        QFETCH(QByteArray, packed);
        QFETCH(IDList, ids);
        QCOMPARE(Vorel::decodeIDs(packed), ids);
    }

    void decodeLongOverlongRun()
    {
        // A megabyte of continuation bytes: one number that never ends.
        QByteArray packed(1 << 20, char(0xFF));
        QVERIFY(Vorel::decodeIDs(packed).isEmpty());
        packed.append(char(0x00));
        packed.append(char(0x04));
        // The first number has all 64 bits set and cannot be an id.
        QVERIFY(Vorel::decodeIDs(packed).isEmpty());
        QByteArray zeros(1 << 20, char(0x80));
        zeros.append(char(0x00));
        zeros.append(char(0x04));
        QCOMPARE(Vorel::decodeIDs(zeros), (IDList{0, 4}));
    }

    void roundTrip_data()
    {
        QTest::addColumn<IDList>("ids");
        QTest::newRow("worked example") << IDList{3, 10, 200, 201, 70000, 70001, 9000000};
        QTest::newRow("empty") << IDList{};
        QTest::newRow("zero") << IDList{0};
        QTest::newRow("duplicates") << IDList{5, 5, 6};
        QTest::newRow("group edges") << IDList{127, 128, 16383, 16384, 2097151, 2097152};
        QTest::newRow("extremes") << IDList{1, std::numeric_limits<qint64>::max() - 1, std::numeric_limits<qint64>::max()};
    }
    void roundTrip()
    {
        QFETCH(IDList, ids);
        bool ok = false;
        const QByteArray packed = Vorel::encodeIDs(ids, &ok);
        QVERIFY(ok);
        QCOMPARE(Vorel::decodeIDs(packed), ids);
    }

    void encodeBytes()
    {
        QCOMPARE(Vorel::encodeIDs({300, 304, 600}), bytes({0xAC, 0x02, 0x04, 0xA8, 0x02}));
        QCOMPARE(Vorel::encodeIDs({3, 10, 200, 201}), bytes({0x03, 0x07, 0xBE, 0x01, 0x01}));
        QCOMPARE(Vorel::encodeIDs({0}), bytes({0x00}));
        bool ok = true;
        QVERIFY(Vorel::encodeIDs({5, 4}, &ok).isEmpty());
        QVERIFY(!ok);
        ok = true;
        QVERIFY(Vorel::encodeIDs({-1, 4}, &ok).isEmpty());
        QVERIFY(!ok);
    }
};

QTEST_GUILESS_MAIN(TestAgencyRecords)
#include "test_data_agency_records.moc"
