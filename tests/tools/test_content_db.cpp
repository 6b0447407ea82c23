// The hand-written reference content as the program reads it: the generated
// sample database, opened through Vorel, must carry the content exactly as
// written and obey the content rules that the JSON tests check on the files
// (support/contentrules.h), including the look-ups, the code structure and
// the search that only the database answers.

#include "codecontent.h"
#include "data/vorel.h"
#include "support/contentrules.h"

#include <QFileInfo>
#include <QSet>
#include <QtTest>

#include <memory>

namespace {

const QString kSample = QStringLiteral(FV_TESTDATA_DIR "/vorel-sample.db");
const QString kSamplePhotos = QStringLiteral(FV_TESTDATA_DIR "/photos-sample");

QString fail(const QStringList &problems)
{
    return ContentRules::describe(problems);
}

// Records without an equality of their own, as comparable field lists.
QStringList fields(const SafetyNote &s)
{
    return {s.id, s.title, s.text, s.sourceID.value_or(QStringLiteral("<none>"))};
}
QStringList fields(const SourceRef &s)
{
    return {s.id, s.title, s.publisher, s.url};
}
QStringList fields(const OBD1Section &s)
{
    return QStringList{s.id, s.makes, s.years, s.system, s.connector} + s.steps
        + QStringList{s.reading, s.clearing, s.notes} + s.sources;
}
QStringList fields(const EraNote &e)
{
    return {e.years, e.note};
}
QStringList fields(const RefLink &r)
{
    return {QString::number(r.id), r.title, r.url, r.publisher, r.useFor, r.allowed};
}

QStringList hitIDs(const QList<SearchHit> &hits)
{
    QStringList out;
    for (const SearchHit &h : hits)
        out << h.id();
    return out;
}

} // namespace

class TestContentDb : public QObject
{
    Q_OBJECT

    std::unique_ptr<Vorel> m_vorel;
    QList<OBDCode> m_codes;
    QList<Guide> m_guides;
    QHash<QString, SafetyNote> m_safety;
    QHash<QString, SourceRef> m_sources;
    QList<OBD1Section> m_obd1;

    static QJsonArray written(const char *file)
    {
        QString error;
        const QJsonArray array = ContentRules::readArray(QLatin1String(file), &error);
        if (!error.isEmpty())
            qWarning("%s", qPrintable(error));
        return array;
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(QFileInfo::exists(kSample), qPrintable(kSample + " is missing: build the vorel_sample target"));
        m_vorel = std::make_unique<Vorel>(kSample, kSamplePhotos);
        m_codes = m_vorel->allCodes();
        m_guides = m_vorel->guides();
        m_safety = m_vorel->safetyNotes();
        m_sources = m_vorel->sources();
        m_obd1 = m_vorel->obd1Sections();
        QVERIFY(!m_codes.isEmpty() && !m_guides.isEmpty() && !m_safety.isEmpty() && !m_sources.isEmpty()
                && !m_obd1.isEmpty());
    }

    // --- the database carries the content as written ------------------------------

    void codesAsWritten()
    {
        QString error;
        const QList<QJsonObject> content = CodeContent::load(ContentRules::contentDir(), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QHash<QString, OBDCode> stored;
        for (const OBDCode &c : std::as_const(m_codes))
            stored.insert(c.code, c);
        QStringList problems;
        QSet<QString> expected;
        for (const QJsonObject &o : content) {
            const OBDCode c = ContentRules::codeFromJson(o);
            expected.insert(c.code);
            if (!stored.contains(c.code))
                problems << c.code + ": not in the database";
            else if (stored.value(c.code) != c)
                problems << c.code + ": stored differently from what was written";
        }
        for (const QString &code : stored.keys())
            if (!expected.contains(code))
                problems << code + ": in the database but not in the content";
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    void guidesAndNotesAsWritten()
    {
        QList<Guide> guides;
        for (const QJsonValue &v : written("guides.json"))
            guides << ContentRules::guideFromJson(v.toObject());
        QCOMPARE(m_guides.size(), guides.size());
        for (qsizetype i = 0; i < guides.size(); ++i)
            QVERIFY2(m_guides.at(i) == guides.at(i), qPrintable(guides.at(i).id + " differs from what was written"));
        // No step row outside the guides that own it.
        qint64 steps = 0;
        for (const Guide &g : std::as_const(m_guides))
            steps += g.nodes.size();
        QCOMPARE(m_vorel->db->scalar("SELECT COUNT(*) FROM guide_nodes"), steps);

        const QJsonArray safety = written("safety.json"), sources = written("sources.json");
        QCOMPARE(m_safety.size(), safety.size());
        for (const QJsonValue &v : safety) {
            const SafetyNote note = ContentRules::safetyFromJson(v.toObject());
            QCOMPARE(fields(m_safety.value(note.id)), fields(note));
        }
        QCOMPARE(m_sources.size(), sources.size());
        for (const QJsonValue &v : sources) {
            const SourceRef source = ContentRules::sourceFromJson(v.toObject());
            QCOMPARE(fields(m_sources.value(source.id)), fields(source));
        }
    }

    void obd1ErasAndRefsAsWritten()
    {
        const QJsonArray obd1 = written("obd1.json"), eras = written("eras.json"), refs = written("refs.json");
        QCOMPARE(m_obd1.size(), obd1.size());
        for (qsizetype i = 0; i < obd1.size(); ++i)
            QCOMPARE(fields(m_obd1.at(i)), fields(ContentRules::obd1FromJson(obd1.at(i).toObject())));
        const QList<EraNote> storedEras = m_vorel->eraNotes();
        QCOMPARE(storedEras.size(), eras.size());
        for (qsizetype i = 0; i < eras.size(); ++i)
            QCOMPARE(fields(storedEras.at(i)), fields(ContentRules::eraFromJson(eras.at(i).toObject())));
        const QList<RefLink> storedRefs = m_vorel->refs();
        QCOMPARE(storedRefs.size(), refs.size());
        for (qsizetype i = 0; i < refs.size(); ++i)
            QCOMPARE(fields(storedRefs.at(i)), fields(ContentRules::refFromJson(refs.at(i).toObject())));
    }

    // --- trouble codes -----------------------------------------------------------------

    void codesFollowTheRules()
    {
        const QStringList problems = ContentRules::codeProblems(m_codes) + ContentRules::codeListProblems(m_codes);
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    void pinnedCodesThroughTheLookUp()
    {
        const QStringList problems =
            ContentRules::pinnedCodeProblems([this](const QString &c) { return m_vorel->code(c); });
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
        // The look-up takes what an owner types: any case, blanks and tabs around it.
        QCOMPARE(m_vorel->code(QStringLiteral(" p0300\t")), m_vorel->code(QStringLiteral("P0300")));
        QVERIFY(!m_vorel->code(QStringLiteral("P0300\n")));
    }

    void codesComeInScreenOrder()
    {
        // Powertrain, then network, then body, then chassis; each by code.
        const QString letters = QStringLiteral("PUBC");
        for (qsizetype i = 1; i < m_codes.size(); ++i) {
            const OBDCode &a = m_codes.at(i - 1), &b = m_codes.at(i);
            const auto ra = letters.indexOf(a.code.at(0)), rb = letters.indexOf(b.code.at(0));
            QVERIFY2(ra < rb || (ra == rb && a.code < b.code), qPrintable(a.code + " before " + b.code));
        }
    }

    void codeStructure()
    {
        const std::optional<QStringList> maker = m_vorel->explainStructure(QStringLiteral("P1234"));
        QVERIFY(maker);
        QCOMPARE(maker->size(), 3); // letter, group, third character
        QVERIFY2(maker->join(QString()).contains(QLatin1String("defined by the vehicle maker"), Qt::CaseInsensitive),
                 qPrintable(maker->join('\n')));
        QVERIFY(!m_vorel->explainStructure(QStringLiteral("hello")));
        // Every listed code reads as generic: a letter line and a group line, no maker wording.
        QStringList problems;
        for (const OBDCode &c : std::as_const(m_codes)) {
            const std::optional<QStringList> lines = m_vorel->explainStructure(c.code);
            if (!lines || lines->size() < 2)
                problems << c.code + ": no letter and group explanation";
            else if (lines->join(QString()).contains(QLatin1String("vehicle maker"), Qt::CaseInsensitive))
                problems << c.code + ": explained as maker-specific";
        }
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    void codesAreFoundBySearch()
    {
        for (const char *c : {"P0171", "P0300", "P0420", "P0457"}) {
            const std::optional<OBDCode> code = m_vorel->code(QLatin1String(c));
            QVERIFY2(code, c);
            const QList<SearchHit> hits = m_vorel->search(QString::fromLatin1(c).toLower());
            QVERIFY2(!hits.isEmpty(), c);
            QCOMPARE(hits.first().id(), QStringLiteral("code:%1:0").arg(c));
            QCOMPARE(hits.first().title, code->code + ' ' + code->title);
            QCOMPARE(hitIDs(hits).count(hits.first().id()), 1);
        }
        const QList<SearchHit> maker = m_vorel->search(QStringLiteral("P1234"));
        QVERIFY(!maker.isEmpty());
        QCOMPARE(maker.first().title, QStringLiteral("P1234 (not in our list)"));
        QVERIFY(hitIDs(m_vorel->search(QStringLiteral("system too lean"))).contains(QStringLiteral("code:P0171:0")));
    }

    // --- guides ----------------------------------------------------------------------------

    void guidesAreSoundTrees()
    {
        QStringList problems;
        for (const Guide &g : std::as_const(m_guides))
            problems << ContentRules::guideTreeProblems(g);
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    void guideListAndCitations()
    {
        const QStringList problems = ContentRules::guideListProblems(m_guides)
            + ContentRules::citationProblems(m_guides, m_safety, m_sources)
            + ContentRules::safetyAndSourceProblems(m_safety, m_sources);
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    void guidesAreFoundBySearch()
    {
        QStringList problems;
        for (const Guide &g : std::as_const(m_guides))
            if (!hitIDs(m_vorel->search(g.title)).contains(QStringLiteral("guide:") + g.id + QStringLiteral(":0")))
                problems << g.id + ": not found by its title \"" + g.title + '"';
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    // --- OBD-I and eras ---------------------------------------------------------------------

    void obd1AndEras()
    {
        const QStringList problems =
            ContentRules::obd1Problems(m_obd1, m_sources) + ContentRules::eraProblems(m_vorel->eraNotes());
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
        QVERIFY(hitIDs(m_vorel->search(QStringLiteral("ALDL"))).contains(QStringLiteral("obd1:gm:0")));
    }

    // --- wording over every text the program shows from this content -----------------------

    void wording()
    {
        QStringList problems;
        auto check = [&](const QString &where, const QString &text) {
            problems << ContentRules::wordingProblems(where, text);
        };
        for (const OBDCode &c : std::as_const(m_codes)) {
            const std::pair<const char *, QString> texts[] = {
                {"title", c.title},       {"meaning", c.meaning},        {"causes", c.causes},
                {"symptoms", c.symptoms}, {"check first", c.checkFirst}, {"note", c.note}};
            for (const auto &[name, text] : texts)
                check(c.code + ' ' + name, text);
        }
        for (const Guide &g : std::as_const(m_guides)) {
            check(g.id + " title", g.title);
            check(g.id + " summary", g.summary);
            for (const QString &p : g.proWhen)
                check(g.id + " see-a-professional point", p);
            for (const GuideNode &n : g.nodes) {
                check(g.id + '/' + n.nodeID + " text", n.text);
                check(g.id + '/' + n.nodeID + " detail", n.detail);
            }
        }
        for (const OBD1Section &s : std::as_const(m_obd1)) {
            for (const QString &t : QStringList{s.makes, s.connector, s.reading, s.clearing, s.notes} + s.steps)
                check("OBD-I " + s.id, t);
        }
        for (const SafetyNote &s : std::as_const(m_safety)) {
            check("safety " + s.id, s.title);
            check("safety " + s.id, s.text);
        }
        for (const EraNote &e : m_vorel->eraNotes())
            check("era " + e.years, e.note);
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }
};

QTEST_GUILESS_MAIN(TestContentDb)
#include "test_content_db.moc"
