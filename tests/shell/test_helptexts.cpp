#include "shell/fvhelp.h"
#include "shell/helptexts.h"

#include <QRegularExpression>
#include <QtTest>

class TestHelpTexts : public QObject
{
    Q_OBJECT

private slots:
    void parsesTopicsAndTexts()
    {
        const HelpTexts t = HelpTexts::parse(QStringLiteral(
            "notes [topic x]\r\n[topic a]\r\ntitle: A \"one\"\nkeywords: b, check engine ,c\n## Head\n\n"
            "line [text y]\n\n\n[text n]\n\u2022 {v}\n[topic z]\nbody only\n"));
        QCOMPARE(t.topics().size(), 2);
        QCOMPARE(t.topics()[0].id, QStringLiteral("a"));
        QCOMPARE(t.topics()[0].title, QStringLiteral("A \"one\""));
        QCOMPARE(t.topics()[0].keywords, QStringList({"b", "check engine", "c"}));
        QCOMPARE(t.topics()[0].body, QStringLiteral("## Head\n\nline [text y]"));
        QCOMPARE(t.topics()[1].body, QStringLiteral("body only"));
        QVERIFY(t.topics()[1].title.isEmpty());
        QCOMPARE(t.text(QStringLiteral("n")), QStringLiteral("\u2022 {v}"));
        QVERIFY(t.text(QStringLiteral("missing")).isEmpty());
    }

    void fillsInOnePass()
    {
        const QHash<QString, QString> v = {{QStringLiteral("a"), QStringLiteral("{b}")}, {QStringLiteral("b"), QStringLiteral("B")}};
        QCOMPARE(HelpTexts::fill(QStringLiteral("{a}-{b}-{c}-{}"), v), QStringLiteral("{b}-B-{c}-{}"));
    }

    // Every slot of the bundled texts is filled, whatever the data, and a
    // credit that looks like a slot is shown as written.
    void bundledTopicsLeaveNoSlotOpen()
    {
        PhotoCredit c;
        c.make = QStringLiteral("FORD");
        c.attribution = QStringLiteral("{appName}");
        const QRegularExpression slot(QStringLiteral("\\{[A-Za-z]+\\}"));
        for (int mask = 0; mask < 64; ++mask) {
            Provenance p;
            for (int i = 0; i < Provenance::kinds().size(); ++i)
                p.setGenerated(Provenance::kinds()[i], mask & (1 << i));
            p.setDrawnPhotos(mask & 32);
            const KVRNHelpTopics topics = FVHelp::topics({c}, p);
            QCOMPARE(topics.size(), 14);
            for (const KVRNHelpTopic &t : topics) {
                QVERIFY(!t.title.isEmpty() && !t.keywords.isEmpty());
                QString body = t.body;
                body.remove(QStringLiteral(": {appName} License"));
                QVERIFY2(!body.contains(slot), qPrintable(t.id + QString::number(mask)));
            }
        }
    }
};

QTEST_GUILESS_MAIN(TestHelpTexts)
#include "test_helptexts.moc"
