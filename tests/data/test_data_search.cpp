#include "data/vorel.h"
#include "support/fixturedb.h"
#include "support/sqltrace.h"

#include <QRegularExpression>
#include <QTest>
#include <limits>

namespace {

const QStringList kCore{QStringLiteral("fixture_core.sql")};

QStringList ids(const QList<SearchHit> &hits)
{
    QStringList out;
    for (const SearchHit &h : hits)
        out << h.id();
    return out;
}

// The match expressions that the traced full-text statements were given.
QStringList matchTexts(const SqlTrace &trace)
{
    QStringList out;
    const QString open = QStringLiteral("MATCH '");
    const QString close = QStringLiteral("' ORDER BY bm25");
    for (const QString &sql : trace.expanded) {
        const qsizetype a = sql.indexOf(open);
        const qsizetype b = sql.lastIndexOf(close);
        if (a >= 0 && b > a)
            out << sql.mid(a + open.size(), b - a - open.size()).replace(QStringLiteral("''"), QStringLiteral("'"));
    }
    return out;
}

bool kindsInOrder(const QList<SearchHit> &hits)
{
    for (qsizetype i = 1; i < hits.size(); ++i)
        if (hits[i - 1].kind.value() > hits[i].kind.value())
            return false;
    return true;
}

} // namespace

class TestSearch : public QObject
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

    // ---- Records ----

    void kinds()
    {
        const QStringList raw{"vehicle", "code", "guide", "obd1", "recall"};
        const auto all = SearchKind::allCases();
        for (size_t i = 0; i < all.size(); ++i) {
            QCOMPARE(all[i].rawValue(), raw[qsizetype(i)]);
            QCOMPARE(SearchKind::fromRawValue(raw[qsizetype(i)]), std::optional<SearchKind>(all[i]));
        }
        QVERIFY(!SearchKind::fromRawValue(QStringLiteral("OBD1")));
        QVERIFY(!SearchKind::fromRawValue(QStringLiteral("vehicles")));
        QVERIFY(!SearchKind::fromRawValue(QString()));
    }

    void hitIdentity()
    {
        SearchHit a{SearchKind::Vehicle, QStringLiteral("12"), QStringLiteral("T"), QString(), std::nullopt};
        SearchHit b = a;
        b.year = 2002;
        QCOMPARE(a.id(), QStringLiteral("vehicle:12:0"));
        QCOMPARE(b.id(), QStringLiteral("vehicle:12:2002"));
        QVERIFY(a != b);
        b.year.reset();
        QVERIFY(a == b);
        b.snippet = QStringLiteral("other");
        QVERIFY(a != b);
        QCOMPARE(a.id(), b.id());
        QCOMPARE((SearchHit{SearchKind::Obd1, QStringLiteral("gm"), {}, {}, {}}).id(), QStringLiteral("obd1:gm:0"));
    }

    // ---- Code first ----

    void exactCodeComesFirst()
    {
        const QList<SearchHit> hits = m_v->search(QStringLiteral("  p0420\n"));
        QVERIFY(!hits.isEmpty());
        const SearchHit &first = hits.front();
        QCOMPARE(first.kind, SearchKind(SearchKind::Code));
        QCOMPARE(first.ref, QStringLiteral("P0420"));
        QCOMPARE(first.title, QStringLiteral("P0420 Catalyst system efficiency below threshold (bank 1)"));
        QCOMPARE(first.snippet, QStringLiteral("The catalytic converter is not cleaning the exhaust as well as it should."));
        QVERIFY(!first.year);
        // The full-text row of the same code is not listed again; P0301 mentions P0420.
        QCOMPARE(ids(hits), (QStringList{"code:P0420:0", "code:P0301:0"}));
    }

    void codeHitFollowsVehicles()
    {
        FixtureDb fx(kCore);
        QVERIFY(fx.exec(QStringLiteral("INSERT INTO search VALUES ('vehicle', '3', 'Ford Explorer', 'P0420 is common')")));
        const QList<SearchHit> hits = fx.open()->search(QStringLiteral("P0420"));
        QCOMPARE(ids(hits), (QStringList{"vehicle:3:0", "code:P0420:0", "code:P0301:0"}));
    }

    void wellFormedCodeNotInTheList()
    {
        const QList<SearchHit> hits = m_v->search(QStringLiteral("p1f00"));
        QCOMPARE(hits.size(), 1);
        QCOMPARE(hits[0].id(), QStringLiteral("code:P1F00:0"));
        QCOMPARE(hits[0].title, QStringLiteral("P1F00 (not in our list)"));
        QCOMPARE(hits[0].snippet, QStringLiteral("See how to read this code's structure."));
        QVERIFY(m_v->search(QStringLiteral("P9ZZZ")).isEmpty());
        QVERIFY(m_v->search(QStringLiteral("X1234")).isEmpty());
    }

    void codeHitOnlyForAWholeCode()
    {
        const QList<SearchHit> hits = m_v->search(QStringLiteral("P0301 misfire"));
        QCOMPARE(ids(hits), QStringList{"code:P0301:0"});
        QCOMPARE(hits[0].title, QStringLiteral("P0301 Cylinder 1 misfire detected"));
        QVERIFY(hits[0].snippet.contains(QStringLiteral("misfire")));
    }

    // ---- Model year ----

    void yearNarrowsVehicles()
    {
        const QList<SearchHit> hits = m_v->search(QStringLiteral("2015 F-150"));
        QCOMPARE(ids(hits), (QStringList{"vehicle:2:2015", "recall:14V123000:0"}));
        QCOMPARE(hits[0].year, std::optional<qint64>(2015));
        QVERIFY(!hits[1].year);
    }

    void yearKeepsOnlyVehiclesOfThatYear()
    {
        const QList<SearchHit> hits = m_v->search(QStringLiteral("ford 2015"));
        QStringList vehicles;
        for (const SearchHit &h : hits)
            if (h.kind == SearchKind::Vehicle) {
                vehicles << h.ref;
                QCOMPARE(h.year, std::optional<qint64>(2015));
            } else {
                QVERIFY(!h.year);
            }
        vehicles.sort();
        QCOMPARE(vehicles, (QStringList{"2", "7"}));
        QVERIFY(kindsInOrder(hits));
        QVERIFY(ids(hits).contains(QStringLiteral("obd1:ford-eec:0")));
        QVERIFY(ids(hits).contains(QStringLiteral("guide:no-start:0")));
    }

    void navigatorOf2002()
    {
        const QList<SearchHit> hits = m_v->search(QStringLiteral("2002 navigator"));
        QCOMPARE(ids(hits), (QStringList{"vehicle:1:2002", "recall:05V388000:0"}));
        QCOMPARE(hits[0].title, QStringLiteral("Lincoln Navigator"));
        // No year for a year the vehicle lacks.
        QCOMPARE(ids(m_v->search(QStringLiteral("1997 navigator"))), QStringList{"recall:05V388000:0"});
        // Without a year the vehicle hit has none.
        QCOMPARE(ids(m_v->search(QStringLiteral("navigator"))), (QStringList{"vehicle:1:0", "recall:05V388000:0"}));
    }

    void yearTokens_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("match");
        QTest::newRow("second year stays a term") << "2002 1999 navigator" << "\"1999\"* \"navigator\"*";
        QTest::newRow("1969 is a term") << "1969 gremlin" << "\"1969\"* \"gremlin\"*";
        QTest::newRow("2031 is a term") << "gremlin 2031" << "\"gremlin\"* \"2031\"*";
        QTest::newRow("1970 is a year") << "1970 gremlin" << "\"gremlin\"*";
        QTest::newRow("2030 is a year") << "gremlin 2030" << "\"gremlin\"*";
        QTest::newRow("five digits") << "20020 gremlin" << "\"20020\"* \"gremlin\"*";
        QTest::newRow("sign splits off") << "+1999 gremlin" << "\"gremlin\"*";
        QTest::newRow("short number") << "+199 gremlin" << "\"199\"* \"gremlin\"*";
        QTest::newRow("dash stays") << "-199 gremlin" << "\"-199\"* \"gremlin\"*";
        QTest::newRow("other digits") << QStringLiteral("\u0662\u0660\u0660\u0662 gremlin")
                                      << QStringLiteral("\"\u0662\u0660\u0660\u0662\"* \"gremlin\"*");
    }
    void yearTokens()
    {
        QFETCH(QString, query);
        QFETCH(QString, match);
        SqlTrace trace(*m_v->db);
        m_v->search(query);
        QCOMPARE(matchTexts(trace), QStringList{match});
    }

    // A long query of repeated words costs no more than the words once; the
    // full-text query takes at most the first 32 different words.
    void repeatedAndExcessTermsAreDropped()
    {
        SqlTrace trace(*m_v->db);
        const QList<SearchHit> once = m_v->search(QStringLiteral("navigator"));
        QCOMPARE(m_v->search(QStringLiteral("navigator ").repeated(300)), once);
        QStringList words;
        for (int i = 0; i < 50; ++i)
            words << QStringLiteral("w%1").arg(i);
        m_v->search(words.join(u' '));
        const QStringList matches = matchTexts(trace);
        QCOMPARE(matches.size(), 3);
        QCOMPARE(matches[1], matches[0]);
        QCOMPARE(matches[2].count(u'*'), Vorel::maxSearchTerms);
        QVERIFY(matches[2].endsWith(QStringLiteral("\"w31\"*")));
    }

    void onlyAYear()
    {
        SqlTrace trace(*m_v->db);
        QVERIFY(m_v->search(QStringLiteral("2002")).isEmpty());
        QVERIFY(m_v->search(QStringLiteral(" 2002, ")).isEmpty());
        QVERIFY(matchTexts(trace).isEmpty()); // no terms: no full-text query
    }

    void badVehicleReference()
    {
        FixtureDb fx(kCore);
        QVERIFY(fx.exec(QStringLiteral("INSERT INTO search VALUES ('vehicle', 'abc', 'Navigator clone', 'navigator')")));
        std::unique_ptr<Vorel> v = fx.open();
        QVERIFY(ids(v->search(QStringLiteral("navigator"))).contains(QStringLiteral("vehicle:abc:0")));
        QCOMPARE(ids(v->search(QStringLiteral("2002 navigator"))), (QStringList{"vehicle:1:2002", "recall:05V388000:0"}));
    }

    void failingYearCountDropsTheVehicle()
    {
        FixtureDb fx(kCore);
        QVERIFY(fx.exec(QStringLiteral("DROP TABLE vehicle_years")));
        std::unique_ptr<Vorel> v = fx.open();
        QCOMPARE(ids(v->search(QStringLiteral("2002 navigator"))), QStringList{"recall:05V388000:0"});
        QCOMPARE(ids(v->search(QStringLiteral("navigator"))), (QStringList{"vehicle:1:0", "recall:05V388000:0"}));
    }

    void duplicatesByIdentity()
    {
        FixtureDb fx(kCore);
        QVERIFY(fx.exec(QStringLiteral("INSERT INTO search VALUES ('vehicle', '1', 'Lincoln Navigator L', 'navigator')")));
        std::unique_ptr<Vorel> v = fx.open();
        QCOMPARE(ids(v->search(QStringLiteral("navigator"))), (QStringList{"vehicle:1:0", "recall:05V388000:0"}));
        // The same reference under another kind is another hit.
        QVERIFY(fx.exec(QStringLiteral("INSERT INTO search VALUES ('guide', '1', 'Navigator notes', 'navigator')")));
        QCOMPARE(ids(fx.open()->search(QStringLiteral("navigator"))),
                 (QStringList{"vehicle:1:0", "guide:1:0", "recall:05V388000:0"}));
        QCOMPARE(ids(v->search(QStringLiteral("navigator 2003"))), (QStringList{"vehicle:1:2003", "recall:05V388000:0"}));
    }

    // ---- Ranking and order ----

    void kindOrder()
    {
        const QList<SearchHit> hits = m_v->search(QStringLiteral("lincoln"));
        QCOMPARE(ids(hits), (QStringList{"vehicle:1:0", "guide:no-start:0", "obd1:ford-eec:0", "recall:05V388000:0"}));
        QVERIFY(kindsInOrder(m_v->search(QStringLiteral("ford"))));
    }

    void bm25WithinAKind()
    {
        // The guide titled with the word ranks above the one that only mentions it.
        QCOMPARE(ids(m_v->search(QStringLiteral("overheating"))), (QStringList{"guide:overheating:0", "guide:no-start:0"}));
        // Two mentions in the body rank above one.
        QCOMPARE(ids(m_v->search(QStringLiteral("converter"))), (QStringList{"code:P0420:0", "code:P0301:0"}));
    }

    void titleCountsEightTimes()
    {
        FixtureDb fx(kCore);
        QVERIFY(fx.exec(QStringLiteral(
            "INSERT INTO search VALUES ('guide', 'idle', 'Rough idle', 'shudder shudder shudder at a stop light'),"
            "('guide', 'shudder', 'Shudder when stopped', 'the car shakes at a stop light')")));
        QCOMPARE(ids(fx.open()->search(QStringLiteral("shudder"))), (QStringList{"guide:shudder:0", "guide:idle:0"}));
    }

    void unknownKindsAreSkipped()
    {
        QVERIFY(m_v->search(QStringLiteral("bulletin")).isEmpty());
    }

    void snippetIsCutWithoutMarkers()
    {
        const QList<SearchHit> hits = m_v->search(QStringLiteral("thermostat"));
        QCOMPARE(ids(hits), QStringList{"guide:overheating:0"});
        const QString s = hits[0].snippet;
        QVERIFY2(s.startsWith(QStringLiteral("\u2026")) || s.endsWith(QStringLiteral("\u2026")), qPrintable(s));
        QVERIFY(s.contains(QStringLiteral("thermostat")));
        QVERIFY(!s.contains(u'[') && !s.contains(u'<'));
        QVERIFY(s.split(u' ', Qt::SkipEmptyParts).size() <= 14);
    }

    void statementAsWritten()
    {
        SqlTrace trace(*m_v->db);
        m_v->search(QStringLiteral("2002 navigator"));
        QCOMPARE(trace.sql, (QStringList{
            "SELECT * FROM obd_codes WHERE code = ?",
            "SELECT rowid, kind, ref, title, bm25(search, 0, 0, 0, 1.0) FROM search WHERE search MATCH ? ORDER BY bm25(search, 0, 0, 8.0, 1.0)",
            "SELECT COUNT(*) FROM vehicle_years WHERE vehicle_id = ? AND model_year = ?",
            "SELECT rowid, snippet(search, 3, '', '', '\u2026', 14) FROM search WHERE search MATCH ? AND +rowid IN (SELECT value FROM json_each(?))",
        }));
        QVERIFY(trace.expanded[2].endsWith(QStringLiteral("WHERE vehicle_id = 1 AND model_year = 2002")));
    }

    // A kind with many strong rows crowds no other kind out: each keeps its
    // best five, and recalls that match only through their title's component
    // words come after those that match in their summary or vehicles.
    void everyKindKeepsItsBest()
    {
        FixtureDb fx(kCore);
        QVERIFY(fx.exec(QStringLiteral(
            "INSERT INTO search (kind, ref, title, body) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
            "FROM n WHERE i < 250) SELECT 'recall', 'C' || i, 'C' || i || ' Service brakes, hydraulic: 2005 Ford "
            "F-750', 'The hose may leak and the stopping distance grow.' FROM n;"
            "INSERT INTO search (kind, ref, title, body) WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 "
            "FROM n WHERE i < 70) SELECT 'code', 'C0' || (100 + i), 'C0' || (100 + i) || ' Brake sensor ' || i, "
            "'A wheel speed sensor.' FROM n;"
            "INSERT INTO search VALUES ('recall', 'B1', 'B1 Power train: 2010 Brakeman Coach', 'Shifts hard.')")));
        const QList<SearchHit> hits = fx.open()->search(QStringLiteral("brake"));
        QCOMPARE(hits.size(), 60);
        // The best five codes, the guide and five recalls lead; then the other codes.
        QVERIFY(kindsInOrder(hits.mid(0, 11)));
        QCOMPARE(hits[5].kind, SearchKind(SearchKind::Guide));
        QVERIFY(kindsInOrder(hits.mid(11)));
        QCOMPARE(hits[11].kind, SearchKind(SearchKind::Code));
        QStringList kinds;
        for (const SearchHit &h : hits)
            kinds << h.kind.rawValue();
        QCOMPARE(kinds.count(QStringLiteral("guide")), 1);
        QVERIFY(ids(hits).contains(QStringLiteral("guide:brakes:0")));
        QCOMPARE(kinds.count(QStringLiteral("recall")), 5);
        QCOMPARE(kinds.count(QStringLiteral("code")), 54);
        // The recall matching in its summary, then the one in its vehicles,
        // ahead of the stronger titles that name only the component.
        QStringList recalls = ids(hits).mid(6, 2);
        recalls.sort();
        QCOMPARE(recalls, (QStringList{"recall:14V123000:0", "recall:B1:0"}));
        QVERIFY(hits[8].title.startsWith(QStringLiteral("C")));
        QVERIFY(!hits[8].snippet.isEmpty());
    }

    // ---- Limits ----

    void limits()
    {
        SqlTrace trace(*m_v->db);
        QCOMPARE(m_v->search(QStringLiteral("filler")).size(), 60);
        QCOMPARE(m_v->search(QStringLiteral("filler"), 5).size(), 5);
        // Vehicles sort first and can push the other kinds out of the cut.
        const QList<SearchHit> two = m_v->search(QStringLiteral("ford"), 2);
        QCOMPARE(two.size(), 2);
        QCOMPARE(two[0].kind, SearchKind(SearchKind::Vehicle));
        QCOMPARE(two[1].kind, SearchKind(SearchKind::Vehicle));
        QCOMPARE(ids(m_v->search(QStringLiteral("p0420"), 1)), QStringList{"code:P0420:0"});
        // Below 1: nothing at all, and no statement runs.
        trace.clear();
        QVERIFY(m_v->search(QStringLiteral("filler"), 0).isEmpty());
        QVERIFY(m_v->search(QStringLiteral("filler"), -1).isEmpty());
        QVERIFY(m_v->search(QStringLiteral("P0420"), 0).isEmpty());
        QVERIFY(trace.sql.isEmpty());
        // An absurd limit does not overflow into a negative LIMIT.
        QCOMPARE(m_v->search(QStringLiteral("filler"), std::numeric_limits<qint64>::max()).size(), 300);
    }

    // ---- Failures ----

    void failingFullTextKeepsTheCodeHit()
    {
        FixtureDb fx(kCore);
        QVERIFY(fx.exec(QStringLiteral("DROP TABLE search")));
        std::unique_ptr<Vorel> v = fx.open();
        QCOMPARE(ids(v->search(QStringLiteral("P0420"))), QStringList{"code:P0420:0"});
        QVERIFY(v->search(QStringLiteral("navigator")).isEmpty());
    }

    // ---- What a user can type ----

    void tokens_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<QString>("match");
        QTest::newRow("model with dash") << "F-150" << "\"f-150\"*";
        QTest::newRow("comma") << "p0420," << "\"p0420\"*";
        QTest::newRow("operators") << "\"*(:)^ OR NEAR" << "\"or\"* \"near\"*";
        QTest::newRow("near group") << "NEAR(brake fluid, 3)" << "\"near\"* \"brake\"* \"fluid\"* \"3\"*";
        QTest::newRow("and not") << "brake AND NOT fluid" << "\"brake\"* \"and\"* \"not\"* \"fluid\"*";
        QTest::newRow("column filter") << "title:navigator" << "\"title\"* \"navigator\"*";
        QTest::newRow("column set") << "{title body}: x" << "\"title\"* \"body\"* \"x\"*";
        QTest::newRow("caret and star") << "^navigator*" << "\"navigator\"*";
        QTest::newRow("quotes") << "say \"hello\" it's" << "\"say\"* \"hello\"* \"it\"* \"s\"*";
        QTest::newRow("sql") << "'; DROP TABLE search; --" << "\"drop\"* \"table\"* \"search\"* \"--\"*";
        QTest::newRow("plus") << "a+b" << "\"a\"* \"b\"*";
        QTest::newRow("slash") << "x/y" << "\"x/y\"*";
        QTest::newRow("lone dash") << "brake - fluid" << "\"brake\"* \"-\"* \"fluid\"*";
        QTest::newRow("lone slash") << "/" << "\"/\"*";
        QTest::newRow("accents") << QStringLiteral("Crème BRÛLÉE") << QStringLiteral("\"crème\"* \"brûlée\"*");
        QTest::newRow("combining mark") << QStringLiteral("Cre\u0300me") << QStringLiteral("\"cre\u0300me\"*");
        QTest::newRow("emoji between") << QStringLiteral("brake\U0001F697fluid") << "\"brake\"* \"fluid\"*";
        QTest::newRow("non-BMP letters") << QStringLiteral("\U0001D400\U0001D401") << QStringLiteral("\"\U0001D400\U0001D401\"*");
        QTest::newRow("zero char") << QStringLiteral("a") + QChar(0) + QStringLiteral("b") << "\"a\"* \"b\"*";
        QTest::newRow("tabs and breaks") << "\tbrake\nfluid\r\n" << "\"brake\"* \"fluid\"*";
    }
    void tokens()
    {
        QFETCH(QString, query);
        QFETCH(QString, match);
        SqlTrace trace(*m_v->db);
        m_v->search(query);
        QCOMPARE(matchTexts(trace), QStringList{match});
    }

    void hostileQueries_data()
    {
        QTest::addColumn<QString>("query");
        const char *queries[] = {
            "", "   ", "\t\n", "\"", "\"\"", "*", "**", "\"*(:)^ OR NEAR", "OR", "NEAR", "AND", "NOT", "NEAR(",
            "(", ")", ":", "^", "-", "--", "/", "'", "''", "\"navigator", "navigator\"", "nav*gator", "a OR b",
            "a NOT b", "NEAR(a b, 1)", "title:", "{title}:", "col:val", ".", "..", "...", "+", "'; DROP TABLE search; --",
            "\\", "%", "_", "?", "P0420\"", "\"P0420\"", "2002 \"", "* 2002", "OR 2015 NEAR", "\xf0\x9f\x9a\x97",
        };
        for (const char *q : queries)
            QTest::newRow(q) << QString::fromUtf8(q);
        QTest::newRow("zero char") << QString(QChar(0));
        QTest::newRow("long") << QStringLiteral("brake ").repeated(2000);
        QTest::newRow("long operators") << QStringLiteral("\"*(:)^ ").repeated(2000);
    }
    void hostileQueries()
    {
        QFETCH(QString, query);
        SqlTrace trace(*m_v->db);
        const QList<SearchHit> hits = m_v->search(query);
        QVERIFY(hits.size() <= 60);
        // Whatever reached MATCH is valid FTS5: running it again must not throw.
        for (const QString &match : matchTexts(trace)) {
            try {
                m_v->db->rows(QStringLiteral("SELECT count(*) FROM search WHERE search MATCH ?"), {match});
            } catch (const SQLError &e) {
                QFAIL(qPrintable(e.description()));
            }
            // Every term is quoted: nothing outside the quotes but blanks and stars.
            QString outside = match;
            outside.remove(QRegularExpression(QStringLiteral("\"[^\"]*\"")));
            QVERIFY2(outside.remove(u' ').remove(u'*').isEmpty(), qPrintable(match));
        }
    }

    void blankQueriesRunNothing()
    {
        SqlTrace trace(*m_v->db);
        for (const QString &q : {QString(), QStringLiteral("   "), QStringLiteral("\n\t "), QStringLiteral("\"*(:)^")})
            QVERIFY(m_v->search(q).isEmpty());
        // Only the code look-up may run; never the full-text statement.
        QVERIFY(matchTexts(trace).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestSearch)
#include "test_data_search.moc"
