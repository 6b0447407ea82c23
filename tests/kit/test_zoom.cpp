#include "kit/kvscale.h"
#include "kit/kvzoom.h"
#include "platform/prefs.h"

#include <QTemporaryDir>
#include <QtTest>
#include <cmath>
#include <limits>

class TestZoom : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    void freshStore()
    {
        static int n = 0;
        Prefs::shared().useFile(m_dir.filePath(QStringLiteral("prefs%1.ini").arg(++n)));
    }

private slots:
    void clampRounds_data()
    {
        QTest::addColumn<double>("in");
        QTest::addColumn<double>("out");
        QTest::newRow("below") << 0.5 << 0.85;
        QTest::newRow("above") << 3.0 << 2.0;
        QTest::newRow("inside") << 1.15 << 1.15;
        QTest::newRow("half away from zero") << 1.125 << 1.13;
        QTest::newRow("1.005 is 100.4999") << 1.005 << 1.0;
        QTest::newRow("just below min") << 0.844 << 0.85;
        QTest::newRow("min itself") << 0.85 << 0.85;
        QTest::newRow("negative") << -1.0 << 0.85;
        QTest::newRow("+inf") << std::numeric_limits<double>::infinity() << 2.0;
        QTest::newRow("-inf") << -std::numeric_limits<double>::infinity() << 0.85;
        QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << 0.85;
    }

    void clampRounds()
    {
        QFETCH(double, in);
        QFETCH(double, out);
        QCOMPARE(KVZoom::clamp(in), out);
    }

    void storedValueReads_data()
    {
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<double>("value");
        QTest::newRow("absent") << QVariant() << 1.0;
        QTest::newRow("zero") << QVariant(0.0) << 1.0;
        QTest::newRow("text") << QVariant(QStringLiteral("big")) << 1.0;
        QTest::newRow("nan") << QVariant(std::numeric_limits<double>::quiet_NaN()) << 1.0;
        QTest::newRow("five") << QVariant(5.0) << 2.0;
        QTest::newRow("three decimals") << QVariant(1.234) << 1.23;
        QTest::newRow("number as text") << QVariant(QStringLiteral("1.5")) << 1.5;
    }

    void storedValueReads()
    {
        QFETCH(QVariant, stored);
        QFETCH(double, value);
        freshStore();
        if (stored.isValid())
            Prefs::shared().setValue(KVZoom::key(), stored);
        QCOMPARE(KVZoom::value(), value);
    }

    void menuSteps()
    {
        freshStore();
        KVZoom::zoomIn();
        QCOMPARE(Prefs::shared().value(KVZoom::key()).toDouble(), 1.15);
        QList<double> seen;
        for (int i = 0; i < 7; ++i) {
            KVZoom::zoomIn();
            seen.append(KVZoom::value());
        }
        QCOMPARE(seen, QList<double>({1.3, 1.45, 1.6, 1.75, 1.9, 2.0, 2.0}));

        seen.clear();
        for (int i = 0; i < 9; ++i) {
            KVZoom::zoomOut();
            seen.append(KVZoom::value());
        }
        QCOMPARE(seen, QList<double>({1.85, 1.7, 1.55, 1.4, 1.25, 1.1, 0.95, 0.85, 0.85}));

        KVZoom::setLevel(150);
        QCOMPARE(KVZoom::value(), 1.5);
        KVZoom::zoomIn();
        QCOMPARE(KVZoom::value(), 1.65);
        KVZoom::actualSize();
        QCOMPARE(KVZoom::value(), 1.0);

        freshStore();
        KVZoom::zoomOut(); // absent counts as 1.0
        QCOMPARE(KVZoom::value(), 0.85);
    }

    void storedValueSurvivesARestart()
    {
        freshStore();
        const QString file = m_dir.filePath(QStringLiteral("restart.ini"));
        Prefs::shared().useFile(file);
        KVZoom::setLevel(115);
        KVZoom::zoomIn();
        Prefs::shared().sync();
        Prefs::shared().useFile(file); // a new run reads the file afresh
        QCOMPARE(KVZoom::value(), 1.3);
    }

    void levelsStoreTheirPercent()
    {
        QCOMPARE(KVZoom::levels().size(), 7);
        QCOMPARE(KVZoom::levelTitle(KVZoom::levels().first()), QStringLiteral("85%"));
        QCOMPARE(KVZoom::levelTitle(KVZoom::levels().last()), QStringLiteral("200%"));
        freshStore();
        for (int p : KVZoom::levels()) {
            KVZoom::setLevel(p);
            QCOMPARE(Prefs::shared().value(KVZoom::key()).toDouble(), p / 100.0);
        }
    }

    void scaleFollowsTheStoredFactor()
    {
        freshStore();
        Prefs::shared().setValue(KVZoom::key(), 0.0);
        KVZoom::bindScale();
        QCOMPARE(KVScale::factor(), 1.0);
        KVZoom::setLevel(175);
        QCOMPARE(KVScale::factor(), 1.75);
        // A write of the key by anyone else reaches the scale as well, clamped.
        Prefs::shared().setValue(KVZoom::key(), 9.0);
        QCOMPARE(KVScale::factor(), 2.0);
        Prefs::shared().setValue(KVZoom::key(), QStringLiteral("junk"));
        QCOMPARE(KVScale::factor(), 1.0);
        QCOMPARE(KVScale::pt(10), 10.0);
    }
};

QTEST_GUILESS_MAIN(TestZoom)
#include "test_zoom.moc"
