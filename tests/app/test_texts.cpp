#include "shell/fvhelp.h"
#include "platform/fvinfo.h"
#include "app/screen.h"
#include "kit/kvrnhelp.h"
#include "kit/kvrnhelptext.h"
#include "kit/kvrnkit.h"

#include <QtTest>

namespace {

QStringList ids(const KVRNHelpTopics &topics)
{
    QStringList out;
    for (const KVRNHelpTopic &t : topics)
        out.append(t.id);
    return out;
}

const KVRNHelpTopic &byID(const KVRNHelpTopics &topics, const QString &id)
{
    for (const KVRNHelpTopic &t : topics) {
        if (t.id == id)
            return t;
    }
    qFatal("no topic");
}

PhotoCredit credit(const QString &make, const QString &model, const QString &attribution)
{
    PhotoCredit c;
    c.make = make;
    c.model = model;
    c.attribution = attribution;
    c.license = QStringLiteral("CC BY-SA 4.0");
    c.licenseURL = QStringLiteral("https://creativecommons.org/licenses/by-sa/4.0/");
    return c;
}

const QStringList order = {"start", "find", "vehicle", "complaints", "codes", "guides", "obd1",
                           "vin", "garage", "report", "search", "data", "photos", "screens"};

} // namespace

class TestTexts : public QObject
{
    Q_OBJECT

private slots:
    void screenRawValues()
    {
        QCOMPARE(Screen::fromRawValue(QStringLiteral("home")), std::optional<Screen>(Screen::Home));
        QCOMPARE(Screen::fromRawValue(QStringLiteral("obd1")), std::optional<Screen>(Screen::Obd1));
        for (const char *bad : {"Home", " home", "", "settings", "OBD1"})
            QVERIFY2(!Screen::fromRawValue(QString::fromLatin1(bad)), bad);
        for (Screen s : Screen::allCases())
            QCOMPARE(Screen::fromRawValue(s.rawValue()), std::optional<Screen>(s));
        QCOMPARE(Screen::sidebar().size(), 8);
        QCOMPARE(Screen::sidebar().last(), Screen(Screen::Credits));
        QCOMPARE(Screen::allCases().back(), Screen(Screen::Search));
        QCOMPARE(Screen(Screen::Vehicle).icon().size(), 32);
        QCOMPARE(Screen(Screen::Obd1).title(), QStringLiteral("OBD-I & Older Vehicles"));
    }

    void fourteenTopicsInOrder()
    {
        QCOMPARE(ids(FVHelp::topics({})), order);
        const QList<PhotoCredit> many(40, credit(QStringLiteral("FORD"), QStringLiteral("F-150"), QStringLiteral("x")));
        QCOMPARE(ids(FVHelp::topics(many)), order);
        const KVRNHelpTopics topics = FVHelp::topics({});
        QCOMPARE(byID(topics, QStringLiteral("complaints")).title,
                 QStringLiteral("Most-reported problem areas and \"notably high\""));
        QCOMPARE(byID(topics, QStringLiteral("photos")).keywords.last(), QStringLiteral("cc by"));
        QVERIFY(byID(topics, QStringLiteral("start")).body.contains(QStringLiteral("Step 8")));
    }

    void everyBodyReadsAsHelpText()
    {
        for (const KVRNHelpTopic &t : FVHelp::topics({credit(QStringLiteral("FORD"), QStringLiteral("F-150"),
                                                              QStringLiteral("B. Author"))})) {
            QVERIFY2(!t.body.isEmpty(), qPrintable(t.id));
            const QList<KVRNHelpBlock> blocks = KVRNHelpText::blocks(t.body);
            QVERIFY2(!blocks.isEmpty(), qPrintable(t.id));
            for (const KVRNHelpBlock &b : blocks) {
                // A block that still shows a marker means a malformed line.
                QVERIFY2(!b.text.startsWith(QStringLiteral("##")) && !b.text.startsWith(QStringLiteral("\u2022")),
                         qPrintable(t.id + QStringLiteral(": ") + b.text));
            }
            for (const QString &k : t.keywords)
                QCOMPARE(k, k.toLower());
        }
    }

    void splicedConstantsAreExact()
    {
        const KVRNHelpTopics topics = FVHelp::topics({});
        QVERIFY(byID(topics, QStringLiteral("complaints"))
                    .body.startsWith(QStringLiteral("The chart counts ") + FVInfo::complaintsLabel() + u'.'));
        QVERIFY(byID(topics, QStringLiteral("codes"))
                    .body.contains(QStringLiteral("Every code is marked \"Draft \u2014 under technician review\".")));
        const QString data = byID(topics, QStringLiteral("data")).body;
        QVERIFY(data.startsWith(FVInfo::dataCredit() + QStringLiteral("\n\n")));
        QVERIFY(data.endsWith(QStringLiteral("\n\n") + FVInfo::disclaimer()));
        QVERIFY(FVInfo::reportFooter().endsWith(QStringLiteral(" \u2014 ") + FVInfo::website().toString()));
        QVERIFY(FVInfo::reportFooter().startsWith(FVInfo::appName() + QStringLiteral(" by Brackenfold")));
    }

    void topicsFollowProvenance()
    {
        Provenance made;
        for (const Provenance::Kind kind : Provenance::kinds())
            made.setGenerated(kind, true);
        made.setDrawnPhotos(true);
        const KVRNHelpTopics topics = FVHelp::topics({}, made);
        const QString data = byID(topics, QStringLiteral("data")).body;
        QVERIFY(data.startsWith(made.dataCredit() + QStringLiteral("\n\n")));
        QVERIFY(data.contains(QStringLiteral("\u2022 Recalls, owner-complaint counts, defect investigations and service-bulletin "
                                             "summaries: generated sample data")));
        QVERIFY(!data.contains(QStringLiteral("downloaded")) && !data.contains(QStringLiteral("Wikimedia")));
        QVERIFY(data.endsWith(FVInfo::disclaimer()));
        QVERIFY(byID(topics, QStringLiteral("complaints")).body.startsWith(QStringLiteral("The chart counts ") + made.complaintsLabel()));
        QVERIFY(byID(topics, QStringLiteral("photos")).body.startsWith(QStringLiteral("Every vehicle picture is a simple drawing")));
        // Real bulletins beside generated recalls: each kind credited for what it is.
        Provenance mixed;
        mixed.setGenerated(Provenance::Kind::Recalls, true);
        const QString mixedData = byID(FVHelp::topics({}, mixed), QStringLiteral("data")).body;
        QVERIFY(mixedData.contains(QStringLiteral("\u2022 Owner-complaint counts, defect investigations and service-bulletin summaries: "
                                                  "the U.S. National Highway Traffic Safety Administration (NHTSA).")));
        QVERIFY(mixedData.contains(QStringLiteral("\u2022 Recalls: generated sample data")));
    }

    void photosBodyListsEveryCredit()
    {
        const QString intro = FVHelp::photosBody({});
        QVERIFY(intro.endsWith(QStringLiteral("(Help \u2192 Photo Credits\u2026).\n\n")));

        const QString body = FVHelp::photosBody({
            credit(QStringLiteral("LINCOLN"), QStringLiteral("Navigator"), QStringLiteral("A. Author, CC BY-SA 4.0")),
            credit(QStringLiteral("FORD"), QStringLiteral("e-Class"), QStringLiteral("two\nlines")),
        });
        const QStringList lines = body.mid(intro.size()).split(u'\n');
        QCOMPARE(lines.size(), 2);
        // Make in readable case, model as stored.
        QCOMPARE(lines[0], QStringLiteral("\u2022 Lincoln Navigator: A. Author, CC BY-SA 4.0 License: CC BY-SA 4.0 "
                                          "https://creativecommons.org/licenses/by-sa/4.0/"));
        QVERIFY(lines[1].startsWith(QStringLiteral("\u2022 Ford e-Class: two lines License: ")));
    }

    void helpSearchFindsTheRightTopics()
    {
        KVRNKit::install(FVInfo::appName(), FVHelp::topics({credit(QStringLiteral("FORD"), QStringLiteral("Focus"),
                                                                   QStringLiteral("C. Author"))}));
        const auto finds = [](const char *query, const char *id) {
            return ids(KVRNHelp::search(QString::fromUtf8(query))).contains(QString::fromLatin1(id));
        };
        QVERIFY(finds("cc by", "photos"));
        QVERIFY(finds("bigger", "screens"));
        QVERIFY(finds("mechanic", "report"));
        QVERIFY(finds("pdf", "report"));
        QVERIFY(finds("notably", "complaints"));
        QVERIFY(finds("check digit", "vin"));
        QVERIFY(finds("C. AUTHOR", "photos"));
        // Accents in the query are ignored.
        QVERIFY(finds("m\u00e9chanic", "report"));
        QCOMPARE(KVRNHelp::allTopics().size(), 16);
        QCOMPARE(ids(KVRNHelp::allTopics()).mid(14), QStringList({"look", "about"}));
    }
};

QTEST_GUILESS_MAIN(TestTexts)
#include "test_texts.moc"
