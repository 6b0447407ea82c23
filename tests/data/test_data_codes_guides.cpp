#include "data/vorel.h"
#include "support/fixturedb.h"
#include "support/sqltrace.h"

#include <QDir>
#include <QTest>

namespace {

const QStringList kCore{QStringLiteral("fixture_core.sql")};

QStringList codesOf(const QList<OBDCode> &codes)
{
    QStringList out;
    for (const OBDCode &c : codes)
        out << c.code;
    return out;
}

GuideNode step(const char *id, std::optional<QString> yes = std::nullopt)
{
    return GuideNode{QString::fromUtf8(id), QStringLiteral("q"), QStringLiteral("text"), QString(), yes, std::nullopt};
}

} // namespace

class TestCodesGuides : public QObject
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

    // ---- Seriousness and code records ----

    void seriousnessTexts()
    {
        const auto all = Seriousness::allCases();
        QCOMPARE(all.size(), size_t(3));
        QVERIFY(all[0] == Seriousness::Drive && all[1] == Seriousness::Soon && all[2] == Seriousness::Stop);
        QCOMPARE(Seriousness(Seriousness::Drive).rawValue(), QStringLiteral("drive"));
        QCOMPARE(Seriousness(Seriousness::Soon).rawValue(), QStringLiteral("drive soon"));
        QCOMPARE(Seriousness(Seriousness::Stop).rawValue(), QStringLiteral("stop"));
        QCOMPARE(Seriousness(Seriousness::Drive).title(), QStringLiteral("Drive"));
        QCOMPARE(Seriousness(Seriousness::Soon).title(), QStringLiteral("Drive soon"));
        QCOMPARE(Seriousness(Seriousness::Stop).title(), QStringLiteral("Stop"));
        QCOMPARE(Seriousness(Seriousness::Drive).explanation(),
                 QStringLiteral("Usually OK to keep driving. Fix it when convenient."));
        QCOMPARE(Seriousness(Seriousness::Soon).explanation(),
                 QStringLiteral("Drive gently and get it checked soon. It can get worse or cause other damage."));
        QCOMPARE(Seriousness(Seriousness::Stop).explanation(),
                 QStringLiteral("Stop driving, or drive only a very short, gentle distance. Risk of damage or a safety "
                                "system not working."));
        for (const Seriousness s : all)
            QCOMPARE(Seriousness::fromRawValue(s.rawValue()), std::optional<Seriousness>(s));
        QVERIFY(!Seriousness::fromRawValue(QStringLiteral("soon")));
        QVERIFY(!Seriousness::fromRawValue(QStringLiteral("Stop")));
        QVERIFY(!Seriousness::fromRawValue(QString()));
        QVERIFY(qHash(Seriousness(Seriousness::Stop)) != qHash(Seriousness(Seriousness::Drive)));
    }

    void level_data()
    {
        QTest::addColumn<QString>("stored");
        QTest::addColumn<int>("level");
        QTest::newRow("drive") << "drive" << int(Seriousness::Drive);
        QTest::newRow("drive soon") << "drive soon" << int(Seriousness::Soon);
        QTest::newRow("stop") << "stop" << int(Seriousness::Stop);
        QTest::newRow("capital Stop") << "Stop" << int(Seriousness::Soon);
        QTest::newRow("urgent") << "urgent" << int(Seriousness::Soon);
        QTest::newRow("empty") << "" << int(Seriousness::Soon);
        QTest::newRow("blank") << "stop " << int(Seriousness::Soon);
    }
    void level()
    {
        QFETCH(QString, stored);
        QFETCH(int, level);
        OBDCode c;
        c.seriousness = stored;
        QCOMPARE(int(c.level().level()), level);
    }

    // ---- Code queries ----

    void allCodesOrder()
    {
        // P, then U, then B, then every other letter; each group by code.
        QCOMPARE(codesOf(m_v->allCodes()),
                 (QStringList{"P0171", "P0301", "P0420", "P0A80", "U0001", "U0100", "B0001", "B1000", "C0035"}));
        const OBDCode p0301 = m_v->allCodes()[1];
        QCOMPARE(p0301, *m_v->code(QStringLiteral("P0301")));
        QCOMPARE(p0301.level(), Seriousness(Seriousness::Stop));
        QCOMPARE(p0301.checkFirst, QStringLiteral("Swap the coil with another cylinder"));
        QCOMPARE(p0301.note, QStringLiteral("A flashing light can overheat the catalytic converter."));
        QCOMPARE(p0301.reviewStatus, QStringLiteral("reviewed"));
        QCOMPARE(p0301.family, QStringLiteral("misfire"));
    }

    void codeLookUp_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("found");
        QTest::newRow("exact") << "P0420" << "P0420";
        QTest::newRow("lower with blanks") << "p0301   " << "P0301";
        QTest::newRow("tabs") << "\tu0100\t" << "U0100";
        QTest::newRow("no-break space") << QStringLiteral("\u00a0b0001") << "B0001";
        QTest::newRow("line break") << "P0301\n" << "";
        QTest::newRow("inner blank") << "P 0301" << "";
        QTest::newRow("unknown") << "P1F00" << "";
        QTest::newRow("empty") << "" << "";
    }
    void codeLookUp()
    {
        QFETCH(QString, text);
        QFETCH(QString, found);
        const std::optional<OBDCode> c = m_v->code(text);
        QCOMPARE(c ? c->code : QString(), found);
    }

    void structure_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("wellFormed");
        QTest::addColumn<QStringList>("lines");
        const QString p = QStringLiteral("P: Powertrain (engine, transmission, emissions)");
        QTest::newRow("P0301") << "P0301" << true
                               << QStringList{p, "P0: Generic code: the same meaning on every vehicle",
                                              "Third character 3: Ignition system or misfire"};
        QTest::newRow("lower hex") << "p0a1f" << true
                                   << QStringList{p, "P0: Generic code: the same meaning on every vehicle",
                                                  "Third character A: Hybrid propulsion"};
        QTest::newRow("P2 series") << "P2301" << true
                                   << QStringList{p, "P2: Generic code (second series)",
                                                  "Third character 3: Ignition system or misfire"};
        QTest::newRow("maker P1") << " P1F00 " << true << QStringList{p, "P1: Set by the vehicle maker"};
        QTest::newRow("P3 no rows") << "P3999" << true << QStringList{p};
        QTest::newRow("B") << "B0001" << true << QStringList{"B: Body (airbags, seats, lights)", "B0: Generic body code"};
        QTest::newRow("C") << "C1234" << true << QStringList{"C: Chassis (brakes, steering, suspension)"};
        QTest::newRow("U") << "U0100" << true
                           << QStringList{"U: Network (communication between modules)", "U0: Generic network code"};
        QTest::newRow("four") << "P030" << false << QStringList();
        QTest::newRow("six") << "P03011" << false << QStringList();
        QTest::newRow("G") << "P03G1" << false << QStringList();
        QTest::newRow("X") << "X0301" << false << QStringList();
        QTest::newRow("Z") << "P9ZZZ" << false << QStringList();
        QTest::newRow("line break") << "P0301\n" << false << QStringList();
        QTest::newRow("full-width digit") << QStringLiteral("P030\uff11") << false << QStringList();
        QTest::newRow("empty") << "" << false << QStringList();
    }
    void structure()
    {
        QFETCH(QString, text);
        QFETCH(bool, wellFormed);
        QFETCH(QStringList, lines);
        const std::optional<QStringList> got = m_v->explainStructure(text);
        QCOMPARE(got.has_value(), wellFormed);
        if (got)
            QCOMPARE(*got, lines);
    }

    void structureWithoutTable()
    {
        FixtureDb fx(kCore);
        QVERIFY(fx.exec(QStringLiteral("DROP TABLE obd_structure; DROP TABLE obd_codes;")));
        std::unique_ptr<Vorel> v = fx.open();
        QCOMPARE(v->explainStructure(QStringLiteral("P0301")), std::optional<QStringList>(QStringList()));
        QVERIFY(!v->explainStructure(QStringLiteral("P030")));
        QVERIFY(v->allCodes().isEmpty());
        QVERIFY(!v->code(QStringLiteral("P0301")));
    }

    // ---- Guide records ----

    void guideStartAndNode()
    {
        Guide g;
        QVERIFY(!g.start());
        QVERIFY(!g.node(QStringLiteral("a")));
        g.nodes = {step(""), step("a", QStringLiteral("first")), step("a", QStringLiteral("second"))};
        QCOMPARE(g.start()->nodeID, QString());
        QVERIFY(!g.node(std::nullopt)); // even though a node has an empty id
        QCOMPARE(g.node(QString())->nodeID, QString());
        QCOMPARE(g.node(QStringLiteral("a"))->yes, std::optional<QString>(QStringLiteral("first")));
        QVERIFY(!g.node(QStringLiteral("A")));
        Guide h = g;
        QVERIFY(g == h);
        h.nodes[2].no = QString();
        QVERIFY(g != h);
    }

    void jsonList_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("list");
        QTest::newRow("strings") << R"(["a", "b c", ""])" << QStringList{"a", "b c", ""};
        QTest::newRow("empty array") << "[]" << QStringList();
        QTest::newRow("unicode") << R"(["\u00e9t\u00e9"])" << QStringList{QStringLiteral("été")};
        QTest::newRow("number inside") << R"(["a", 2])" << QStringList();
        QTest::newRow("null inside") << R"(["a", null])" << QStringList();
        QTest::newRow("nested") << R"([["a"]])" << QStringList();
        QTest::newRow("object") << R"({"a": "b"})" << QStringList();
        QTest::newRow("bare string") << R"("a")" << QStringList();
        QTest::newRow("null") << "null" << QStringList();
        QTest::newRow("empty text") << "" << QStringList();
        QTest::newRow("broken") << R"(["a")" << QStringList();
        QTest::newRow("trailing garbage") << R"(["a"] x)" << QStringList();
    }
    void jsonList()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, list);
        QCOMPARE(Vorel::jsonList(text), list);
    }

    // ---- Guide queries ----

    void guides()
    {
        const QList<Guide> gs = m_v->guides();
        QStringList ids;
        for (const Guide &g : gs)
            ids << g.id;
        QCOMPARE(ids, (QStringList{"no-start", "overheating", "brakes"}));

        const Guide &heat = gs[1];
        QCOMPARE(heat.system, QStringLiteral("Cooling"));
        QCOMPARE(heat.title, QStringLiteral("Engine overheating"));
        QCOMPARE(heat.safety, (QStringList{"hot-coolant", "jack"}));
        QCOMPARE(heat.proWhen, (QStringList{"The gauge reaches the red", "Coolant mixes with oil"}));
        QCOMPARE(heat.sources, QStringList{"nhtsa-cooling"});
        QStringList nodeIds;
        for (const GuideNode &n : heat.nodes)
            nodeIds << n.nodeID;
        QCOMPARE(nodeIds, (QStringList{"level", "topup", "fan", "done"}));
        QCOMPARE(heat.start()->text, QStringLiteral("Is the coolant level low when the engine is cold?"));
        QCOMPARE(heat.start()->detail, QStringLiteral("Check the reservoir marks."));
        const GuideNode topup = *heat.node(QStringLiteral("topup"));
        QCOMPARE(topup.kind, QStringLiteral("do"));
        QCOMPARE(topup.yes, std::optional<QString>(QStringLiteral("done")));
        QVERIFY(!topup.no); // NULL: no branch
        QCOMPARE(heat.node(QStringLiteral("fan"))->no, std::optional<QString>(QString())); // empty, not absent
        QCOMPARE(heat.node(QStringLiteral("done"))->kind, QStringLiteral("end"));

        // Each list column reads on its own.
        const Guide &noStart = gs[0];
        QVERIFY(noStart.safety.isEmpty());
        QCOMPARE(noStart.proWhen, QStringList{"It still will not start after a jump"});
        QVERIFY(noStart.sources.isEmpty());
        QCOMPARE(noStart.nodes.size(), 2);

        const Guide &brakes = gs[2];
        QVERIFY(brakes.nodes.isEmpty());
        QVERIFY(!brakes.start());
        QCOMPARE(brakes.safety, QStringList{"jack"});
        QVERIFY(brakes.proWhen.isEmpty());
        QVERIFY(brakes.sources.isEmpty()); // a number inside the array
    }

    void guidesWithoutNodeTable()
    {
        FixtureDb fx(kCore);
        QVERIFY(fx.exec(QStringLiteral("DROP TABLE guide_nodes")));
        const QList<Guide> gs = fx.open()->guides();
        QCOMPARE(gs.size(), 3);
        for (const Guide &g : gs)
            QVERIFY(g.nodes.isEmpty());
        QVERIFY(fx.exec(QStringLiteral("DROP TABLE guides")));
        QVERIFY(fx.open()->guides().isEmpty());
    }

    void safetyNotesAndSources()
    {
        const QHash<QString, SafetyNote> notes = m_v->safetyNotes();
        QCOMPARE(notes.size(), 2);
        QCOMPARE(notes[QStringLiteral("hot-coolant")].sourceID, std::optional<QString>(QStringLiteral("nhtsa-cooling")));
        QVERIFY(!notes[QStringLiteral("jack")].sourceID);
        QCOMPARE(notes[QStringLiteral("jack")].title, QStringLiteral("Use jack stands"));
        const QHash<QString, SourceRef> sources = m_v->sources();
        QCOMPARE(sources.size(), 2);
        QCOMPARE(sources[QStringLiteral("epa-obd")].url, QStringLiteral("https://www.epa.gov/obd"));
        QCOMPARE(sources[QStringLiteral("epa-obd")].publisher, QStringLiteral("EPA"));
        QCOMPARE(sources[QStringLiteral("epa-obd")].id, QStringLiteral("epa-obd"));
    }

    void laterRowWinsForAnId()
    {
        FixtureDb fx(kCore);
        QVERIFY(fx.exec(QStringLiteral(
            "DROP TABLE safety; CREATE TABLE safety (id, title, text, source_id);"
            "INSERT INTO safety VALUES ('a', 'first', 't', NULL), ('a', 'second', 't', 's');"
            "DROP TABLE sources; CREATE TABLE sources (source_id, title, publisher, url);"
            "INSERT INTO sources VALUES ('s', 'one', 'p', 'u1'), ('s', 'two', 'p', 'u2');")));
        std::unique_ptr<Vorel> v = fx.open();
        QCOMPARE(v->safetyNotes().value(QStringLiteral("a")).title, QStringLiteral("second"));
        QCOMPARE(v->sources().value(QStringLiteral("s")).url, QStringLiteral("u2"));
        QVERIFY(fx.exec(QStringLiteral("DROP TABLE safety; DROP TABLE sources;")));
        v = fx.open();
        QVERIFY(v->safetyNotes().isEmpty());
        QVERIFY(v->sources().isEmpty());
    }

    // ---- OBD-I, eras, photos, references, data sources ----

    void obd1()
    {
        const QList<OBD1Section> s = m_v->obd1Sections();
        QCOMPARE(s.size(), 3);
        QCOMPARE(s[0].id, QStringLiteral("ford-eec"));
        QVERIFY(s[0].steps.isEmpty()); // not JSON: listed without steps
        QCOMPARE(s[0].sources, (QStringList{"nhtsa-cooling", "epa-obd"}));
        QCOMPARE(s[0].notes, QStringLiteral("Key on, engine off first."));
        QCOMPARE(s[1].id, QStringLiteral("gm-aldl"));
        QCOMPARE(s[1].steps, (QStringList{"Find the ALDL connector", "Jump terminals A and B", "Count the flashes"}));
        QCOMPARE(s[1].makes, QStringLiteral("GM"));
        QCOMPARE(s[1].years, QStringLiteral("1982-1995"));
        QCOMPARE(s[1].system, QStringLiteral("ALDL"));
        QCOMPARE(s[1].connector, QStringLiteral("12-pin ALDL under the dash"));
        QCOMPARE(s[1].reading, QStringLiteral("Flashes of the check-engine light"));
        QCOMPARE(s[1].clearing, QStringLiteral("Remove the ECM fuse for 30 seconds"));
        QCOMPARE(s[2].id, QStringLiteral("chrysler"));
        QVERIFY(s[2].steps.isEmpty());
        QVERIFY(s[2].sources.isEmpty());
    }

    void eras()
    {
        const QList<EraNote> e = m_v->eraNotes();
        QCOMPARE(e.size(), 3);
        QCOMPARE(e[0].years, QStringLiteral("1970-1980"));
        QCOMPARE(e[2].note, QStringLiteral("OBD-II: one connector and generic codes."));
    }

    void photosInOrder()
    {
        QStringList order;
        for (const PhotoCredit &p : m_v->photos())
            order << p.make + u'/' + p.model;
        QCOMPARE(order, (QStringList{"Ford/Explorer", "Ford/F-150", "Ford/Zephyr", "Lincoln/Navigator", "Zz/Absolute",
                                     "Zz/Sub"}));
        const PhotoCredit p = *m_v->photo(1);
        QCOMPARE(p.file, QStringLiteral("lincoln_navigator.jpg"));
        QCOMPARE(p.license, QStringLiteral("CC BY-SA 4.0"));
        QCOMPARE(p.licenseURL, QStringLiteral("https://creativecommons.org/licenses/by-sa/4.0/"));
        QCOMPARE(p.author, QStringLiteral("A. Author"));
        QCOMPARE(p.credit, QStringLiteral("Photo: A. Author"));
        QCOMPARE(p.attribution, QStringLiteral("A. Author, CC BY-SA 4.0"));
        QCOMPARE(p.pageURL, QStringLiteral("https://commons.wikimedia.org/wiki/File:Navigator.jpg"));
        QCOMPARE(p.generationNote, QStringLiteral("first generation"));
        QVERIFY(!m_v->photo(std::nullopt));
        QVERIFY(!m_v->photo(99));
    }

    void photoWithoutIdRunsNoQuery()
    {
        SqlTrace trace(*m_v->db);
        QVERIFY(!m_v->photo(std::nullopt));
        QVERIFY(trace.sql.isEmpty());
    }

    void photoLocation()
    {
        const QString folder = m_fx.photosFolder();
        QCOMPARE(m_v->photoURL(*m_v->photo(2)), folder + QStringLiteral("/ford_f150.jpg"));
        // A trailing separator on the folder makes no double separator.
        Vorel v(m_fx.path(), folder + u'/');
        QCOMPARE(v.photoURL(*v.photo(2)), folder + QStringLiteral("/ford_f150.jpg"));
    }

    void photoNamesOutsideTheFolder_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("located");
        QTest::newRow("plain") << "a.jpg" << true;
        QTest::newRow("blank and accent") << "Café photo.jpg" << true;
        QTest::newRow("dots inside name") << "v1.2.jpg" << true;
        QTest::newRow("parent") << "../a.jpg" << false;
        QTest::newRow("parent alone") << ".." << false;
        QTest::newRow("dot") << "." << false;
        QTest::newRow("absolute") << "/etc/passwd" << false;
        QTest::newRow("subfolder") << "sub/a.jpg" << false;
        // A backslash is an ordinary character of a name here.
        QTest::newRow("backslash") << "..\\a.jpg" << true;
        QTest::newRow("double dot inside") << "Ford..Focus.png" << true;
        QTest::newRow("empty") << "" << false;
    }
    void photoNamesOutsideTheFolder()
    {
        QFETCH(QString, file);
        QFETCH(bool, located);
        PhotoCredit p;
        p.file = file;
        const QString url = m_v->photoURL(p);
        QCOMPARE(!url.isEmpty(), located);
        if (located)
            QCOMPARE(QFileInfo(url).dir().absolutePath(), QDir(m_fx.photosFolder()).absolutePath());
    }

    void fixturePhotosOutsideTheFolderHaveNoLocation()
    {
        QVERIFY(m_v->photoURL(*m_v->photo(4)).isEmpty());
        QVERIFY(m_v->photoURL(*m_v->photo(5)).isEmpty());
        QVERIFY(m_v->photoURL(*m_v->photo(6)).isEmpty());
    }

    void refsAndDataSources()
    {
        const QList<RefLink> r = m_v->refs();
        QCOMPARE(r.size(), 2);
        QCOMPARE(r[0].id, 1);
        QCOMPARE(r[0].title, QStringLiteral("Recalls data"));
        QCOMPARE(r[1].url, QStringLiteral("https://vpic.nhtsa.dot.gov/api/"));
        QCOMPARE(r[1].useFor, QStringLiteral("VIN decoding"));
        QCOMPARE(r[1].allowed, QStringLiteral("Public API"));
        const QList<DataSource> d = m_v->dataSources();
        QCOMPARE(d.size(), 2);
        QCOMPARE(d[0].name, QStringLiteral("EPA fuel economy"));
        QCOMPARE(d[0].retrieved, QStringLiteral("2025-01-08"));
        QCOMPARE(d[1].url, QStringLiteral("https://www.nhtsa.gov/nhtsa-datasets-and-apis"));
    }

    void statementsAsWritten()
    {
        SqlTrace trace(*m_v->db);
        m_v->allCodes();
        m_v->code(QStringLiteral(" p0420 "));
        m_v->explainStructure(QStringLiteral("P0420"));
        m_v->guides();
        m_v->safetyNotes();
        m_v->sources();
        m_v->obd1Sections();
        m_v->eraNotes();
        m_v->photos();
        m_v->refs();
        m_v->dataSources();
        QCOMPARE(trace.sql, (QStringList{
            "SELECT * FROM obd_codes ORDER BY CASE substr(code, 1, 1) WHEN 'P' THEN 0 WHEN 'U' THEN 1 WHEN 'B' THEN 2 ELSE 3 END, code",
            "SELECT * FROM obd_codes WHERE code = ?",
            "SELECT prefix, kind, meaning FROM obd_structure",
            "SELECT guide_id, node_id, kind, text, detail, yes_node, no_node FROM guide_nodes ORDER BY guide_id, sort",
            "SELECT id, system, title, summary, safety, pro_when, sources FROM guides ORDER BY sort",
            "SELECT id, title, text, source_id FROM safety",
            "SELECT source_id, title, publisher, url FROM sources",
            "SELECT id, makes, years, system, connector, steps, reading, clearing, notes, sources FROM obd1 ORDER BY sort",
            "SELECT years, note FROM obd_eras",
            "SELECT image_id, file, make, model, license, license_url, author, credit, attribution_text, commons_page_url, generation_note FROM images ORDER BY make, model",
            "SELECT ref_id, title, url, publisher, use_for, allowed_use FROM refs ORDER BY ref_id",
            "SELECT name, url, retrieved_at FROM data_sources ORDER BY name",
        }));
        QVERIFY(trace.expanded[1].endsWith(QStringLiteral("WHERE code = 'P0420'")));
    }

    void failuresReadAsEmpty()
    {
        FixtureDb fx(kCore);
        QVERIFY(fx.exec(QStringLiteral(
            "DROP TABLE obd1; DROP TABLE obd_eras; DROP TABLE images; DROP TABLE refs; DROP TABLE data_sources;")));
        std::unique_ptr<Vorel> v = fx.open();
        QVERIFY(v->obd1Sections().isEmpty());
        QVERIFY(v->eraNotes().isEmpty());
        QVERIFY(v->photos().isEmpty());
        QVERIFY(!v->photo(1));
        QVERIFY(v->refs().isEmpty());
        QVERIFY(v->dataSources().isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestCodesGuides)
#include "test_data_codes_guides.moc"
