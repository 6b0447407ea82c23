#include "platform/text.h"

#include <QTest>
#include <clocale>
#include <limits>

class TestText : public QObject
{
    Q_OBJECT

private slots:
    void parseInt64_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<qint64>("value");
        QTest::newRow("plus") << "+42" << true << qint64(42);
        QTest::newRow("minus") << "-7" << true << qint64(-7);
        QTest::newRow("zero") << "0" << true << qint64(0);
        QTest::newRow("max") << "9223372036854775807" << true << std::numeric_limits<qint64>::max();
        QTest::newRow("min") << "-9223372036854775808" << true << std::numeric_limits<qint64>::min();
        QTest::newRow("past max") << "9223372036854775808" << false << qint64(0);
        QTest::newRow("past min") << "-9223372036854775809" << false << qint64(0);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("sign only") << "-" << false << qint64(0);
        QTest::newRow("two signs") << "+-1" << false << qint64(0);
        QTest::newRow("point") << "42.0" << false << qint64(0);
        QTest::newRow("letters") << "42abc" << false << qint64(0);
        QTest::newRow("leading blank") << " 42" << false << qint64(0);
        QTest::newRow("trailing blank") << "42 " << false << qint64(0);
        QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0664\u0662") << false << qint64(0);
        QTest::newRow("full-width digits") << QString::fromUtf8("\uff14\uff12") << false << qint64(0);
    }
    void parseInt64()
    {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(qint64, value);
        const auto got = Text::parseInt64(text);
        QCOMPARE(got.has_value(), ok);
        if (ok)
            QCOMPARE(*got, value);
    }

    void groupedUnderCLocale()
    {
        std::setlocale(LC_ALL, "C");
        QCOMPARE(Text::grouped(2235), QStringLiteral("2,235"));
        QCOMPARE(Text::grouped(181900), QStringLiteral("181,900"));
        QCOMPARE(Text::grouped(999), QStringLiteral("999"));
        QCOMPARE(Text::grouped(1000000), QStringLiteral("1,000,000"));
        QCOMPARE(Text::grouped(0), QStringLiteral("0"));
        QCOMPARE(Text::grouped(-1234), QStringLiteral("-1,234"));
        QCOMPARE(Text::grouped(std::numeric_limits<qint64>::min()), QStringLiteral("-9,223,372,036,854,775,808"));
    }

    void percentEncodedUri()
    {
        QCOMPARE(Text::immutableFileUri(QStringLiteral("/tmp/a b/vörel#1?.db")),
                 QStringLiteral("file:///tmp/a%20b/v%C3%B6rel%231%3F.db?immutable=1"));
        QCOMPARE(Text::immutableFileUri(QStringLiteral("//srv/x.db")), QStringLiteral("file:////srv/x.db?immutable=1"));
        QCOMPARE(Text::immutableFileUri(QStringLiteral("rel/x.db")), QStringLiteral("file:rel/x.db?immutable=1"));
        QCOMPARE(Text::percentEncodePath(QStringLiteral("/x/100%")), QStringLiteral("/x/100%25"));
    }

    void trimsKeepTheirSetsApart()
    {
        const QString text = QStringLiteral("\n \tP0420 \t\n");
        QCOMPARE(Text::trimBlanks(text), QStringLiteral("\n \tP0420 \t\n"));
        QCOMPARE(Text::trimBlanks(QStringLiteral(" \t x \t")), QStringLiteral("x"));
        QCOMPARE(Text::trimBlanksAndLineBreaks(text), QStringLiteral("P0420"));
        QCOMPARE(Text::trimBlanks(QString::fromUtf8("\u00a0x\u00a0")), QStringLiteral("x"));
        QCOMPARE(Text::trimBlanksAndLineBreaks(QStringLiteral("\r\n")), QString());
    }

    void shortestDouble()
    {
        QCOMPARE(Text::shortestDouble(1.0), QStringLiteral("1.0"));
        QCOMPARE(Text::shortestDouble(-3.0), QStringLiteral("-3.0"));
        QCOMPARE(Text::shortestDouble(2.5), QStringLiteral("2.5"));
        QCOMPARE(Text::shortestDouble(0.1), QStringLiteral("0.1"));
        QCOMPARE(Text::shortestDouble(0.0), QStringLiteral("0.0"));
        QCOMPARE(Text::shortestDouble(1e20), QStringLiteral("1e+20"));
        QCOMPARE(Text::shortestDouble(0.1 + 0.2).toDouble(), 0.1 + 0.2);
    }

    void fixedRoundsLikePrintf()
    {
        QCOMPARE(Text::fixed(2.25, 1), QStringLiteral("2.2"));
        QCOMPARE(Text::fixed(2.35, 1), QStringLiteral("2.4"));
        QCOMPARE(Text::fixed(5.0, 1), QStringLiteral("5.0"));
        QCOMPARE(Text::fixed(-0.04, 1), QStringLiteral("-0.0"));
        QCOMPARE(Text::fixed(1234567.891, 2), QStringLiteral("1234567.89"));
    }

    void foldIgnoresCaseAndDiacritics()
    {
        QCOMPARE(Text::fold(QStringLiteral("Crème BRÛLÉE")), QStringLiteral("creme brulee"));
        QCOMPARE(Text::fold(QStringLiteral("Straße")), Text::fold(QStringLiteral("STRASSE")));
    }

    void graphemesKeepMarksWithTheirLetter()
    {
        QCOMPARE(Text::graphemes(QStringLiteral("e\u0301x")), (QStringList{QStringLiteral("e\u0301"), QStringLiteral("x")}));
        QVERIFY(Text::graphemes(QString()).isEmpty());
        QCOMPARE(Text::clipped(QStringLiteral("abc"), 3), QStringLiteral("abc"));
        QCOMPARE(Text::clipped(QStringLiteral("abe\u0301x"), 3), QStringLiteral("abe\u0301\u2026"));
        QCOMPARE(Text::clipped(QStringLiteral("ab"), 0), QStringLiteral("\u2026"));
    }

    void printableReplacesWhatCannotBePrinted()
    {
        const QString emoji = QString::fromUcs4(U"\U0001F697");
        const QString in = QStringLiteral("a\tb\r\nc\rd") + QChar(0) + QStringLiteral("\x7F\x85\uFDEF\uFFFE")
            + QChar(0xD800) + QString::fromUcs4(U"\U0010FFFF") + emoji + QStringLiteral("\u00e9");
        const QString bad = QStringLiteral("\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD\uFFFD");
        QCOMPARE(Text::printable(in, true), QStringLiteral("a\tb\nc\nd") + bad + emoji + QStringLiteral("\u00e9"));
        QCOMPARE(Text::printable(in, false), QStringLiteral("a b c d") + bad + emoji + QStringLiteral("\u00e9"));
    }

    void plural()
    {
        QCOMPARE(Text::plural(1, QStringLiteral("recall")), QStringLiteral("recall"));
        QCOMPARE(Text::plural(0, QStringLiteral("recall")), QStringLiteral("recalls"));
        QCOMPARE(Text::plural(2, QStringLiteral("child"), QStringLiteral("children")), QStringLiteral("children"));
    }
};

QTEST_GUILESS_MAIN(TestText)
#include "test_text.moc"
