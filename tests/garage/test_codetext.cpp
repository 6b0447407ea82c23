#include "garage/garagestore.h"

#include <QTest>

class TestCodeText : public QObject
{
    Q_OBJECT

private slots:
    void find_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("codes");
        const QStringList none;
        const QStringList p0171{QStringLiteral("P0171")};
        QTest::newRow("upper-cased, repeat dropped")
            << "Codes p0171 and P0171, then U0100." << QStringList{"P0171", "U0100"};
        QTest::newRow("letter after") << "P0171x" << none;
        QTest::newRow("letter before") << "xP0171" << none;
        QTest::newRow("underscore after") << "P0171_2" << none;
        QTest::newRow("parentheses") << "(P0171)" << p0171;
        QTest::newRow("hyphen after") << "P0171-" << p0171;
        QTest::newRow("full stop after") << "P0171." << p0171;
        QTest::newRow("any digit second") << "P4171" << QStringList{"P4171"};
        QTest::newRow("space inside") << "P 0171" << none;
        QTest::newRow("hyphen inside") << "P0-171" << none;
        QTest::newRow("six word characters") << "P01711" << none;
        QTest::newRow("glued codes") << "P0171P0172" << none;
        QTest::newRow("hex letters, either case") << "see b1a2f" << QStringList{"B1A2F"};
        QTest::newRow("line feeds, text order")
            << "rough idle P0300\nOil change\nsaw c1234 again\nU0100" << QStringList{"P0300", "C1234", "U0100"};
        QTest::newRow("accented letter before") << QString::fromUtf8("éP0171") << none;
        QTest::newRow("accented letter after") << QString::fromUtf8("P0171é") << none;
        QTest::newRow("combining mark after") << QString::fromUtf8("P0171\u0301") << none;
        QTest::newRow("Cyrillic before") << QString::fromUtf8("кодP0171") << none;
        QTest::newRow("Han before") << QString::fromUtf8("码P0171") << none;
        QTest::newRow("Arabic-Indic digit after") << QString::fromUtf8("P0171\u0661") << none;
        QTest::newRow("astral letter before") << QString::fromUtf8("\U0001D400P0171") << none;
        QTest::newRow("zero-width joiner after") << QString::fromUtf8("P0171\u200D") << none;
        QTest::newRow("circled letter before") << QString::fromUtf8("\u24B6P0171") << none;
        QTest::newRow("emoji before") << QString::fromUtf8("\U0001F697P0171") << p0171;
        QTest::newRow("ideographic and no-break spaces")
            << QString::fromUtf8("\u3000P0171\u00A0") << p0171;
        QTest::newRow("zero-width space after") << QString::fromUtf8("P0171\u200B ok") << none;
        QTest::newRow("soft hyphen after") << QString::fromUtf8("P0171\u00AD") << none;
        QTest::newRow("format character between letter and code") << QString::fromUtf8("x\u200BP0171") << none;
        QTest::newRow("format character before") << QString::fromUtf8("\u200BP0171") << p0171;
        QTest::newRow("stray mark before, after a blank") << QString::fromUtf8("see \u0301P0171") << p0171;
        QTest::newRow("stray mark at the start") << QString::fromUtf8("\u0301P0171") << p0171;
        QTest::newRow("mark on a letter before") << QString::fromUtf8("e\u0301P0171") << none;
        QTest::newRow("full-width digit is no digit") << QString::fromUtf8("P0\uFF11 71 P0１７１") << none;
        QTest::newRow("empty") << "" << none;
    }
    void find()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, codes);
        QCOMPARE(GarageStore::findCodes(text), codes);
    }

    void normalize_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("code"); // empty: rejected
        QTest::newRow("blanks and hyphen") << " p0-171 " << "P0171";
        QTest::newRow("hex letters") << "b1a2f" << "B1A2F";
        QTest::newRow("inner blanks") << "c0 30 0" << "C0300";
        QTest::newRow("plain") << "U0100" << "U0100";
        QTest::newRow("highest family") << "b3fff" << "B3FFF";
        QTest::newRow("line breaks and tab") << "P0\n17\r\n\t1" << "P0171";
        QTest::newRow("ideographic and no-break spaces") << QString::fromUtf8("P0\u3000171\u00A0") << "P0171";
        QTest::newRow("full-width digits folded") << QString::fromUtf8("P0１７１") << "P0171";
        QTest::newRow("full-width hex letters folded") << QString::fromUtf8("p0ａＦ1") << "P0AF1";
        QTest::newRow("blank with a mark is one blank character") << QString::fromUtf8("P0171 \u0301") << "P0171";
        QTest::newRow("four") << "P017" << "";
        QTest::newRow("six") << "P01711" << "";
        QTest::newRow("first letter") << "X0171" << "";
        QTest::newRow("full-width first letter") << QString::fromUtf8("Ｐ0171") << "";
        QTest::newRow("second character") << "P4171" << "";
        QTest::newRow("not hexadecimal") << "P01G1" << "";
        QTest::newRow("empty") << "" << "";
        QTest::newRow("blanks and hyphens only") << " - -\t" << "";
        QTest::newRow("en dash is kept") << QString::fromUtf8("P0\u2013171") << "";
        QTest::newRow("zero-width space is kept") << QString::fromUtf8("P0\u200B171") << "";
        QTest::newRow("marked digit") << QString::fromUtf8("P017\u0301 1") << "";
        QTest::newRow("hyphen with a mark is kept") << QString::fromUtf8("P0171-\u0301") << "";
        QTest::newRow("astral character") << QString::fromUtf8("P017\U0001F697") << "";
    }
    void normalize()
    {
        QFETCH(QString, text);
        QFETCH(QString, code);
        const auto got = GarageStore::normalizeCode(text);
        QCOMPARE(got.value_or(QString()), code);
    }
};

QTEST_GUILESS_MAIN(TestCodeText)
#include "test_codetext.moc"
