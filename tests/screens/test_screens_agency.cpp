// The rules behind the vehicle page's complaint, recall, investigation and
// bulletin sections, the recall sheet and the credits screen, and the
// bulletin copy finder against a fake HTTP layer.
#include "data/vorel.h"
#include "platform/opener.h"
#include "screens/vehicle/complaintchartrules.h"
#include "screens/credits/creditsrules.h"
#include "screens/vehicle/investigationrules.h"
#include "screens/vehicle/recallrules.h"
#include "screens/search/searchresultsrules.h"
#include "screens/vehicle/tsblistrules.h"
#include "screens/vehicle/tsbopener.h"
#include "support/fakehttp.h"
#include "support/fixturedb.h"

#include <QTest>

namespace {

ComplaintRow area(qint64 complaints, double index = 1, double z = 0, qint64 vehicleYear = 1000)
{
    ComplaintRow r;
    r.level = 1;
    r.component = QStringLiteral("AIR BAGS:FRONTAL");
    r.complaints = complaints;
    r.vehicleYearComplaints = vehicleYear;
    r.shareIndex = index;
    r.zScore = z;
    return r;
}

TSB bulletin(qint64 id, const QString &added, const QString &summary = {}, const QStringList &components = {})
{
    TSB t;
    t.nhtsaID = id;
    t.documentID = QStringLiteral("DOC-") + QString::number(id);
    t.addedDate = added;
    t.type = QStringLiteral("Service bulletin");
    t.summary = summary;
    t.components = components;
    return t;
}

} // namespace

class TestScreensAgency : public QObject
{
    Q_OBJECT

private:
    QList<QUrl> m_opened;

private slots:
    void initTestCase()
    {
        Opener::setOpen([this](const QUrl &url) { m_opened << url; });
    }

    void chartTextsAndBars()
    {
        using R = ComplaintChartRules;
        QCOMPARE(R::countLine(0), QStringLiteral("0 complaints"));
        QCOMPARE(R::countLine(1), QStringLiteral("1 complaint"));
        QCOMPARE(R::countLine(1234), QStringLiteral("1,234 complaints"));
        QCOMPARE(R::caption(QStringLiteral("generated sample counts standing in")),
                 QStringLiteral("Generated sample counts standing in"));
        QCOMPARE(R::caption(QString()), QString());

        QCOMPARE(R::scaleCount({}), 1);
        QCOMPARE(R::scaleCount({area(0)}), 1);
        QList<ComplaintRow> fifteen(15, area(3));
        fifteen.first().complaints = 40;
        QCOMPARE(R::scaleCount(fifteen), 40);
        QCOMPARE(R::shownAreas(fifteen).size(), 12);
        QCOMPARE(R::shownSubAreas(fifteen.mid(0, 11)).size(), 8);

        // Linear against the first area, at least 6, never past the track.
        QCOMPARE(R::barWidth(40, 40, 300), 300.0);
        QCOMPARE(R::barWidth(20, 40, 300), 150.0);
        QCOMPARE(R::barWidth(0, 40, 300), 6.0);
        QCOMPARE(R::barWidth(0, 40, 4), 4.0);
        QCOMPARE(R::barWidth(50, 40, 300), 300.0);
        QCOMPARE(R::barWidth(5, 1, 0), 0.0);

        QCOMPARE(R::tagText(3.46), QStringLiteral("NOTABLY HIGH 3.5\u00d7"));
        ComplaintRow row = area(120, 4.0);
        row.shareOfVehicle = 0.124;
        row.peerShare = 0.031;
        QCOMPARE(R::comparisonLine(row, 2002),
                 QStringLiteral("12% of this vehicle's complaints vs 3% for all 2002 vehicles (4.0\u00d7 the usual share)."));
        QCOMPARE(R::subAreaLine(area(1200, 3.46, 4)), QStringLiteral("\u2022 Frontal: 1,200  (notably high, 3.5\u00d7)"));
        // The rule decides, never the stored flag.
        ComplaintRow flaggedInDb = area(1200, 2.9, 9);
        flaggedInDb.dbFlag = true;
        QCOMPARE(R::subAreaLine(flaggedInDb), QStringLiteral("\u2022 Frontal: 1,200"));

        ComplaintSummary s;
        QVERIFY(!R::totalsLine(s));
        s.injuries = 1;
        s.total = 1234;
        QCOMPARE(*R::totalsLine(s), QStringLiteral("Reports with these complaints: 0 crash, 0 fire, 1 injury and 0 death "
                                                   "report(s), as filed by owners."));
        s.crashes = 1234;
        QVERIFY(R::totalsLine(s)->contains(QStringLiteral(": 1234 crash")));

        const QString a = QStringLiteral("A"), b = QStringLiteral("B");
        QCOMPARE(*R::toggled(std::nullopt, a), a);
        QVERIFY(!R::toggled(a, a));
        QCOMPARE(*R::toggled(a, b), b);
    }

    void investigationAndRecallTexts()
    {
        Investigation inv;
        inv.opened = QStringLiteral("2003-02-01");
        QCOMPARE(InvestigationRules::dates(inv), QStringLiteral("2003-02-01 \u2192 open"));
        inv.closed = QStringLiteral("2003-09-01");
        QCOMPARE(InvestigationRules::dates(inv), QStringLiteral("2003-02-01 \u2192 2003-09-01"));
        QVERIFY(!InvestigationRules::recallLine(inv));
        inv.recallCampaign = QStringLiteral("91V002000");
        QCOMPARE(*InvestigationRules::recallLine(inv), QStringLiteral("Led to recall 91V002000"));

        const auto tagTexts = [](const Recall &r) {
            QStringList out;
            for (const auto &t : RecallRules::tags(r))
                out << t.text;
            return out;
        };
        Recall r;
        r.type = QStringLiteral("V");
        QVERIFY(tagTexts(r).isEmpty());
        r.type = QStringLiteral("E");
        QCOMPARE(tagTexts(r), QStringList{QStringLiteral("Equipment")});
        r.type = QStringLiteral("T");
        QCOMPARE(tagTexts(r), QStringList{QStringLiteral("Tire recall")});
        r.type = QString();
        r.doNotDrive = r.parkOutside = true;
        QCOMPARE(tagTexts(r), (QStringList{"Recall", "DO NOT DRIVE", "PARK OUTSIDE"}));
        QCOMPARE(RecallRules::component(r), QString());
        r.components = {QStringLiteral("FUEL SYSTEM, GASOLINE:DELIVERY:HOSES"), QStringLiteral("TIRES")};
        QCOMPARE(RecallRules::component(r), QStringLiteral("Hoses"));
    }

    void recallSheetTexts()
    {
        Recall r;
        r.type = QStringLiteral("V");
        r.manufacturer = QStringLiteral("Alder Motor Company");
        r.reportDate = QStringLiteral("2004-03-01");
        QCOMPARE(RecallRules::facts(r), QStringLiteral("Vehicle recall \u00b7 Alder Motor Company \u00b7 reported 2004-03-01"));
        r.affected = 12345;
        QVERIFY(RecallRules::facts(r).endsWith(QStringLiteral(" \u00b7 about 12,345 vehicles")));
        r.affected = 1;
        QVERIFY(RecallRules::facts(r).endsWith(QStringLiteral("about 1 vehicles")));

        QCOMPARE(RecallRules::components(r), QString());
        QCOMPARE(RecallRules::body(RecallRules::components(r)), QStringLiteral("\u2014"));
        r.components = {QStringLiteral("AIR BAGS:FRONTAL"), QStringLiteral("SEAT BELTS")};
        QCOMPARE(RecallRules::components(r), QStringLiteral("Air bags \u203a frontal\nSeat belts"));
        r.notes = QStringLiteral("  ");
        QVERIFY(RecallRules::showsNotes(r));

        // Grouped by exact name, names by code point, years ascending, 80 names at most.
        QList<RecallVehicle> rows{{1, 2003, "Ford Explorer"}, {2, 2001, "Ford Explorer"}, {3, 2002, "ford Ka"},
                                  {4, 2001, "Ford Explorer"}, {5, 1999, "Acme Z"}};
        QCOMPARE(RecallRules::coveredText(rows),
                 QStringLiteral("Acme Z: 1999\nFord Explorer: 2001, 2001, 2003\nford Ka: 2002"));
        QList<RecallVehicle> many;
        for (int i = 0; i < 81; ++i)
            many.append({i, 2000, QStringLiteral("Make %1").arg(i, 3, 10, QLatin1Char('0'))});
        const QStringList lines = RecallRules::coveredText(many).split(u'\n');
        QCOMPARE(lines.size(), 80);
        QCOMPARE(lines.last(), QStringLiteral("Make 079: 2000"));
        QCOMPARE(RecallRules::coveredHeading(many.size()), QStringLiteral("Vehicles in this vorel covered (81)"));
        QCOMPARE(RecallRules::note(), QStringLiteral("Recall data from NHTSA. Always confirm open recalls for a "
                                                     "specific VIN at www.nhtsa.gov/recalls."));
    }

    void sampleRecordsSaySo()
    {
        Provenance made;
        made.setGenerated(Provenance::Kind::Recalls, true);
        made.setDrawnPhotos(true);
        made.keep(QStringLiteral("05V388000"));
        Recall kept, sample;
        kept.campaign = QStringLiteral("05V388000");
        sample.campaign = QStringLiteral("12V001000");
        QVERIFY(RecallRules::anySample(made, {kept, sample}));
        QVERIFY(!RecallRules::anySample(made, {kept}));
        QVERIFY(RecallRules::anySample(made, {}));
        QVERIFY(!RecallRules::anySample(Provenance(), {sample}));
        QCOMPARE(RecallRules::note(true),
                 QStringLiteral("Sample record: NHTSA holds no record of this recall. Always confirm "
                                "open recalls for a specific VIN at www.nhtsa.gov/recalls."));

        SearchHit hit;
        hit.kind = SearchKind::Recall;
        hit.ref = sample.campaign;
        hit.title = QStringLiteral("12V001000 Air bags: 2012 Ford Focus");
        QCOMPARE(SearchResultsRules::titleLine(hit, made), hit.title + QStringLiteral(" \u00b7 sample record"));
        QCOMPARE(SearchResultsRules::titleLine(hit), hit.title);
        hit.ref = kept.campaign;
        QCOMPARE(SearchResultsRules::titleLine(hit, made), hit.title);

        // The credits name what is generated and call drawings drawings; real data reads as before.
        QVERIFY(CreditsRules::statement(made).contains(QStringLiteral("The recalls are generated sample data.")));
        QVERIFY(!CreditsRules::statement(made).contains(QStringLiteral("Recall, complaint")));
        QVERIFY(CreditsRules::photosIntro(made).contains(QStringLiteral("drawings")));
        QVERIFY(CreditsRules::photosIntro().contains(QStringLiteral("Wikimedia Commons")));
        QVERIFY(CreditsRules::statement().startsWith(QStringLiteral("Recall, complaint")));
    }

    void bulletinFilterAndCut()
    {
        QList<TSB> all;
        for (int i = 0; i < 57; ++i)
            all << bulletin(i, QStringLiteral("2003-01-01"), i < 12 ? QStringLiteral("4R100 SHIFT") : QStringLiteral("STALL"),
                            {QStringLiteral("POWER TRAIN")});
        QCOMPARE(TSBListRules::matching(all, QString()).size(), 57);
        QCOMPARE(TSBListRules::matching(all, QStringLiteral("4r100")).size(), 12);
        QCOMPARE(TSBListRules::matching(all, QStringLiteral("4R100")).size(), 12);
        QCOMPARE(TSBListRules::matching(all, QStringLiteral("TRAIN doc-5")).size(), 8); // spans the parts
        QCOMPARE(TSBListRules::matching(all, QStringLiteral(" ")).size(), 57);
        QCOMPARE(TSBListRules::matching(all, QStringLiteral("stall ")).size(), 45);
        QCOMPARE(TSBListRules::matching(all, QStringLiteral("shift ")).size(), 12);
        QCOMPARE(TSBListRules::matching(all, QStringLiteral("shifts")).size(), 0);

        QCOMPARE(TSBListRules::shown(all, false).size(), 40);
        QCOMPARE(TSBListRules::shown(all, true).size(), 57);
        QCOMPARE(TSBListRules::countLine(1200, 57), QStringLiteral("1200 of 57"));

        TSB t = bulletin(910001, QStringLiteral("2019-05-02"), QString(),
                         {QStringLiteral("POWER TRAIN:AUTOMATIC TRANSMISSION"), QStringLiteral("ENGINE"), QStringLiteral("TIRES")});
        QCOMPARE(TSBListRules::components(t), QStringLiteral("Automatic transmission, Engine"));
        QCOMPARE(TSBListRules::summary(t), QStringLiteral("(No summary provided)"));
        QVERIFY(!TSBListRules::showsType(t));
        t.type = QStringLiteral("Recall");
        QVERIFY(TSBListRules::showsType(t));
        QCOMPARE(TSBListRules::buttonText(false), QStringLiteral("Needs internet"));
        QVERIFY(TSBListRules::notHosted(t).endsWith(QStringLiteral("for NHTSA ID 910001.")));
        QVERIFY(TSBListRules::unreachable(t).contains(QStringLiteral("could not be reached")));
    }

    void finderAsksInOrderAndOpensOnce_data()
    {
        QTest::addColumn<QList<int>>("statuses"); // the answers to the requests, in order
        QTest::addColumn<int>("requests");
        QTest::addColumn<int>("opened"); // 0 or 1: the candidate opened; -1 the lookup page
        QTest::addColumn<int>("outcome");
        using O = TSBOpener::Outcome;
        QTest::newRow("first 200") << QList<int>{200} << 1 << 0 << int(O::Opened);
        QTest::newRow("404 then 200") << QList<int>{404, 200} << 2 << 1 << int(O::Opened);
        QTest::newRow("204 and 500") << QList<int>{204, 500} << 2 << -1 << int(O::NotHosted);
        QTest::newRow("no answer twice") << QList<int>{0, 0} << 2 << -1 << int(O::Unreachable);
        QTest::newRow("no answer, then 403") << QList<int>{0, 403} << 2 << -1 << int(O::NotHosted);
    }

    void finderAsksInOrderAndOpensOnce()
    {
        QFETCH(QList<int>, statuses);
        QFETCH(int, requests);
        QFETCH(int, opened);
        QFETCH(int, outcome);
        FakeHttp http;
        http.answer = [&http, statuses](HttpClient::Method, const QUrl &) {
            return HttpReply{statuses.value(http.requests.size() - 1), {}, {}, false};
        };
        m_opened.clear();
        const TSB t = bulletin(910001, QStringLiteral("2019-05-02"));
        QList<int> done;
        QList<QUrl> openedAtDone;
        TSBOpener::open(http, t, nullptr, [&](TSBOpener::Outcome o) {
            done << int(o);
            openedAtDone = m_opened;
        });
        QCOMPARE(http.requests.size(), 1); // the first request starts at once
        QVERIFY(done.isEmpty());
        QTRY_COMPARE(done.size(), 1);
        QTest::qWait(20);
        QCOMPARE(done, QList<int>{outcome});
        QCOMPARE(http.requests.size(), requests);
        const QList<QUrl> candidates = t.nhtsaPDFCandidates();
        for (int i = 0; i < requests; ++i) {
            QCOMPARE(http.requests[i].url, candidates[i]);
            QCOMPARE(http.requests[i].method, HttpClient::Method::Head);
            QCOMPARE(http.requests[i].timeout, std::chrono::milliseconds(12000));
            // A redirect is "not this address": it is never followed.
            QVERIFY(http.requests[i].options.redirects == HttpOptions::Redirects::None);
        }
        const QUrl expected = opened < 0 ? TSB::fallbackURL() : candidates[opened];
        QCOMPARE(m_opened, QList<QUrl>{expected});
        QCOMPARE(openedAtDone, QList<QUrl>{expected}); // opened before done
    }

    void finderWithoutAddressOrReceiver()
    {
        FakeHttp http;
        m_opened.clear();
        int calls = 0;
        TSBOpener::open(http, bulletin(5, QStringLiteral("20x9-01-01")), nullptr, [&](TSBOpener::Outcome o) {
            ++calls;
            QCOMPARE(o, TSBOpener::Outcome::NotHosted);
        });
        QCOMPARE(calls, 0); // never inside open()
        QTRY_COMPARE(calls, 1);
        QVERIFY(http.requests.isEmpty());
        QCOMPARE(m_opened, QList<QUrl>{TSB::fallbackURL()});

        // A receiver gone before the answer: the page still opens, done does not run.
        http.answer = [](HttpClient::Method, const QUrl &) { return HttpReply{200, {}, {}, false}; };
        http.hold = true;
        m_opened.clear();
        auto *receiver = new QObject;
        TSBOpener::open(http, bulletin(6, QStringLiteral("2019-01-01")), receiver, [&](TSBOpener::Outcome) { ++calls; });
        delete receiver;
        http.release();
        QTRY_COMPARE(m_opened.size(), 1);
        QTest::qWait(20);
        QCOMPARE(calls, 1);
    }

    void finderTellsWhetherABrowserTookIt()
    {
        using O = TSBOpener::Outcome;
        const TSB t = bulletin(910001, QStringLiteral("2019-05-02"));
        Opener::setHandler([](const QUrl &, const Opener::Done &done) { done(false); }); // no browser
        FakeHttp http; // no route
        QList<TSBOpener::Result> found;
        TSBOpener::find(http, t, nullptr, [&found](const TSBOpener::Result &r) { found << r; });
        QTRY_COMPARE(found.size(), 1);
        QCOMPARE(found[0].outcome, O::Unreachable);
        QCOMPARE(found[0].address, TSB::fallbackURL());
        QVERIFY(!found[0].opened);

        // What the line beside the bulletin says in each case.
        const auto status = [&t](O o, bool opened) { return TSBListRules::status(t, {o, TSB::fallbackURL(), opened}); };
        QVERIFY(status(O::Opened, true).text.isEmpty());
        QCOMPARE(status(O::NotHosted, true).text, TSBListRules::notHosted(t));
        QVERIFY(status(O::NotHosted, true).address.isEmpty());
        QCOMPARE(status(O::Unreachable, true).text, TSBListRules::unreachable(t));
        for (O o : {O::Opened, O::NotHosted, O::Unreachable}) {
            const TSBListRules::Status s = status(o, false);
            QVERIFY2(s.text.contains(QStringLiteral("no web browser could be opened")), qPrintable(s.text));
            QVERIFY(!s.text.contains(QStringLiteral(" is open"))); // never claims a page opened
            QCOMPARE(s.address, TSB::fallbackURL().toString());
        }
        QVERIFY(status(O::NotHosted, false).text.endsWith(QStringLiteral("for NHTSA ID 910001.")));
        Opener::setOpen([this](const QUrl &url) { m_opened << url; });
    }

    void creditsRows()
    {
        FixtureDb fx;
        QVERIFY2(fx.ok(), qPrintable(fx.error()));
        const auto data = fx.open();
        QVERIFY(!CreditsRules::webLink(QString()));
        QVERIFY(!CreditsRules::webLink(QStringLiteral("not a link")));
        QVERIFY(!CreditsRules::webLink(QStringLiteral("javascript:alert(1)")));
        QVERIFY(!CreditsRules::webLink(QStringLiteral("file:///etc/passwd")));
        QVERIFY(!CreditsRules::webLink(QStringLiteral("https://")));
        QVERIFY(CreditsRules::webLink(QStringLiteral("https://example.org/x")));

        const QList<DataSource> sources = data->dataSources();
        QCOMPARE(sources.size(), 2);
        const auto first = CreditsRules::sourceRow(sources.first());
        QCOMPARE(first.name, QStringLiteral("EPA fuel economy"));
        QVERIFY(first.link);
        QCOMPARE(CreditsRules::sourceRow({QStringLiteral("X"), QString(), QStringLiteral("2025-01-10T08:00")}).retrieved,
                 QStringLiteral("Retrieved 2025-01-10"));
        QCOMPARE(CreditsRules::sourceRow({QStringLiteral("X"), QString(), QStringLiteral("2025")}).retrieved,
                 QStringLiteral("Retrieved 2025"));
        QVERIFY(CreditsRules::sourceRow({QStringLiteral("Generated"), QString(), QString()}).retrieved.isEmpty());

        PhotoCredit p;
        p.make = QStringLiteral("LINCOLN");
        p.model = QStringLiteral("Navigator");
        const auto row = CreditsRules::photoRow(p);
        QCOMPARE(row.title, QStringLiteral("Lincoln Navigator"));
        QCOMPARE(row.licenseText, QStringLiteral("License: "));
        QVERIFY(!row.licenseLink && !row.sourcePage);

        QVERIFY(!CreditsRules::refRow({1, "T", "ftp://x.org/", "P", {}, {}}));
        QCOMPARE(CreditsRules::refRow({1, "T", "https://x.org/", "P", {}, {}})->text, QStringLiteral("T \u2014 P"));
        QCOMPARE(CreditsRules::websiteText(QUrl(QStringLiteral("https://www.example.com/"))), QStringLiteral("example.com"));
    }
};

QTEST_MAIN(TestScreensAgency)
#include "test_screens_agency.moc"
