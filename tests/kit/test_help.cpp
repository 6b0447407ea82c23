#include "kit/kvrnhelp.h"
#include "kit/kvrnhelptext.h"
#include "kit/kvrnkit.h"
#include "kit/kvrnkithost.h"
#include "kit/kvrnthemes.h"

#include <QtTest>

namespace {

QStringList ids(const KVRNHelpTopics &topics)
{
    QStringList out;
    for (const KVRNHelpTopic &t : topics)
        out.append(t.id);
    return out;
}

KVRNHelpTopic topic(const char *id, const char *title, const QString &body, const QStringList &keywords = {})
{
    return {QString::fromUtf8(id), QString::fromUtf8(title), body, keywords};
}

} // namespace

class TestHelp : public QObject
{
    Q_OBJECT

private slots:
    void kitTopicsBeforeInstall()
    {
        // Runs first: nothing installed yet.
        QCOMPARE(ids(KVRNHelp::allTopics()), QStringList({"look", "about"}));
        const KVRNHelpTopic look = KVRNHelp::lookTopic();
        QCOMPARE(look.title, QStringLiteral("Themes and interface zoom"));
        QCOMPARE(look.body.split(u'\n').size(), 8);
        QCOMPARE(look.body.split(u'\n').at(2), QString());
        QVERIFY(!look.body.endsWith(u'\n'));
        // Zoom Out is written with the minus sign U+2212, not a hyphen.
        QVERIFY(look.body.contains(QStringLiteral("Zoom Out (Ctrl+\u2212)")));
    }

    void installReplacesNameAndTopics()
    {
        KVRNKit::install(QStringLiteral("Demo"), {});
        QCOMPARE(ids(KVRNHelp::allTopics()), QStringList({"look", "about"}));
        const KVRNHelpTopic about = KVRNHelp::aboutTopic();
        QCOMPARE(about.body, QStringLiteral("Demo is made by Brackenfold (KVRN).\n\nWebsite, updates and support: ")
                                 + KVRNKitHost::creditURL().toString());
        QCOMPARE(KVRNKitHost::creditURL().scheme(), QStringLiteral("https"));

        KVRNKit::install(QStringLiteral("Other"), {topic("a", "A", "x")});
        QCOMPARE(ids(KVRNHelp::allTopics()), QStringList({"a", "look", "about"}));
        QVERIFY(KVRNHelp::aboutTopic().body.startsWith(QStringLiteral("Other is made by")));
    }

    void installRegistersOnlyNewThemes()
    {
        KVRNTheme rose;
        rose.id = QStringLiteral("rose-gold");
        rose.name = QStringLiteral("Impostor");
        KVRNKit::install(QStringLiteral("Demo"), {}, {rose});
        QCOMPARE(KVRNThemes::all().size(), 6);
        QCOMPARE(KVRNThemes::named(QStringLiteral("rose-gold")).name, QStringLiteral("Rose Gold"));
    }

    void applicationTopicReplacesKitTopic()
    {
        KVRNKit::install(QStringLiteral("Demo"),
                         {topic("about", "Mine", "own"), topic("b", "B", "y")});
        const KVRNHelpTopics all = KVRNHelp::allTopics();
        QCOMPARE(ids(all), QStringList({"about", "b", "look"}));
        QCOMPARE(all.first().title, QStringLiteral("Mine"));
    }

    void searchRules()
    {
        KVRNKit::install(QStringLiteral("Demo"),
                         {
                             topic("body", "Screens", "Make it bigger with the zoom menu."),
                             topic("cafe", "Places", QStringLiteral("The caf\u00e9 by the road.")),
                             topic("size", "Text size", "Pick a size."),
                             topic("plain", "Cafe notes", "plain"),
                         });
        // Blank queries give everything in order.
        QCOMPARE(ids(KVRNHelp::search(QString())), ids(KVRNHelp::allTopics()));
        QCOMPARE(ids(KVRNHelp::search(QStringLiteral(" \t\n "))), ids(KVRNHelp::allTopics()));

        // Capitals are ignored; a title match comes before a body match.
        QCOMPARE(ids(KVRNHelp::search(QStringLiteral("ZOOM"))), QStringList({"look", "body"}));
        // Accents are ignored both ways; "Cafe notes" matches in its title.
        QCOMPARE(ids(KVRNHelp::search(QStringLiteral("cafe"))), QStringList({"plain", "cafe"}));
        QCOMPARE(ids(KVRNHelp::search(QStringLiteral("CAF\u00c9"))), QStringList({"plain", "cafe"}));
        // Every word must be found somewhere; a missing one empties the result.
        QCOMPARE(ids(KVRNHelp::search(QStringLiteral("dark theme"))), QStringList({"look"}));
        QVERIFY(KVRNHelp::search(QStringLiteral("zoom xylophone")).isEmpty());
        // Substrings count ("them" in "Themes").
        QVERIFY(ids(KVRNHelp::search(QStringLiteral("them"))).contains(QStringLiteral("look")));
        // "size": a later topic with it in the title comes before the look
        // topic, which has it only in its keywords.
        QCOMPARE(ids(KVRNHelp::search(QStringLiteral("size"))), QStringList({"size", "look"}));
        // A keyword phrase matches word by word.
        QCOMPARE(ids(KVRNHelp::search(QStringLiteral("font size"))), QStringList({"look"}));
        // The id is not searched.
        QVERIFY(!ids(KVRNHelp::search(QStringLiteral("body"))).contains(QStringLiteral("body")));
        // The kit's about topic is found through its keywords.
        QVERIFY(ids(KVRNHelp::search(QStringLiteral("support website"))).contains(QStringLiteral("about")));
    }

    void openerIsReplaceable()
    {
        std::optional<QString> seen;
        int calls = 0;
        KVRNHelp::opener() = [&](const std::optional<QString> &t) {
            seen = t;
            ++calls;
        };
        KVRNKitHost::showHelp()(QStringLiteral("vin"));
        QCOMPARE(calls, 1);
        QCOMPARE(seen, std::optional<QString>(QStringLiteral("vin")));
        KVRNHelp::show();
        QCOMPARE(calls, 2);
        QVERIFY(!seen);
        KVRNHelp::opener() = nullptr;
        KVRNHelp::show(QStringLiteral("x")); // nothing set: nothing happens
    }

    void textBlocks_data()
    {
        QTest::addColumn<QString>("line");
        QTest::addColumn<int>("kind"); // -1: no block
        QTest::addColumn<QString>("text");
        QTest::newRow("heading") << "## Themes" << int(KVRNHelpBlock::Heading) << "Themes";
        QTest::newRow("indented heading") << " \t## Themes " << int(KVRNHelpBlock::Heading) << "Themes";
        QTest::newRow("two spaces keep one") << "##  Wide" << int(KVRNHelpBlock::Heading) << " Wide";
        QTest::newRow("no space after ##") << "##Tight" << int(KVRNHelpBlock::Paragraph) << "##Tight";
        QTest::newRow("only ## and space") << "## " << int(KVRNHelpBlock::Paragraph) << "##";
        QTest::newRow("bullet") << QStringLiteral("\u2022 One") << int(KVRNHelpBlock::Bullet) << "One";
        QTest::newRow("lone bullet sign") << QStringLiteral("\u2022") << int(KVRNHelpBlock::Paragraph)
                                          << QStringLiteral("\u2022");
        QTest::newRow("no-break spaces trimmed") << QStringLiteral("\u00a0Text\u00a0") << int(KVRNHelpBlock::Paragraph)
                                                 << "Text";
        QTest::newRow("markup shown as is") << "*bold* [link](x)" << int(KVRNHelpBlock::Paragraph)
                                            << "*bold* [link](x)";
        QTest::newRow("blank") << " \t " << -1 << "";
    }

    void textBlocks()
    {
        QFETCH(QString, line);
        QFETCH(int, kind);
        QFETCH(QString, text);
        const QList<KVRNHelpBlock> blocks = KVRNHelpText::blocks(QStringLiteral("\n") + line + QStringLiteral("\n\n"));
        if (kind < 0) {
            QVERIFY(blocks.isEmpty());
            return;
        }
        QCOMPARE(blocks.size(), 1);
        QCOMPARE(int(blocks.first().kind), kind);
        QCOMPARE(blocks.first().text, text);
    }

    void blocksKeepLineOrder()
    {
        const auto blocks = KVRNHelpText::blocks(KVRNHelp::lookTopic().body);
        QCOMPARE(blocks.size(), 7);
        QCOMPARE(blocks[0], (KVRNHelpBlock{KVRNHelpBlock::Heading, QStringLiteral("Themes")}));
        QCOMPARE(blocks[2], (KVRNHelpBlock{KVRNHelpBlock::Heading, QStringLiteral("Interface zoom")}));
        QCOMPARE(blocks[4].kind, KVRNHelpBlock::Bullet);
    }
};

QTEST_GUILESS_MAIN(TestHelp)
#include "test_help.moc"
