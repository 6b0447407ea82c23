// Text that keeps its measured lines between layout passes still follows
// every change of its text and font.
#include "kit/kvscale.h"
#include "screens/clampedtext.h"

#include <QFont>
#include <QFontMetricsF>
#include <QTest>
#include <cmath>

class TestScreensTextCache : public QObject
{
    Q_OBJECT

private slots:
    void clampedTextFollowsTextAndFont()
    {
        ClampedText text(12, QFont::Normal, 2);
        text.setText(QStringLiteral("short"));
        const int oneLine = text.heightForWidth(300);
        QCOMPARE(text.linesAt(300).size(), 1);
        QCOMPARE(text.heightForWidth(300), oneLine); // asked again: the same answer

        // A longer text at the same width wraps onto the second line.
        text.setText(QStringLiteral("a much longer sentence that cannot fit on one line of three hundred pixels"));
        QVERIFY(text.heightForWidth(300) > oneLine);
        QCOMPARE(text.linesAt(300).size(), 2);

        // A larger font (the interface zoom) wraps anew at a width seen before.
        text.setText(QStringLiteral("fits at one zoom only"));
        const int w = int(QFontMetricsF(text.font()).horizontalAdvance(text.text())) + 20;
        QCOMPARE(text.heightForWidth(w), oneLine);
        KVScale::shared().setFactor(2.0);
        QCOMPARE(text.linesAt(w).size(), 2);
        QCOMPARE(text.heightForWidth(w), int(std::ceil(2 * QFontMetricsF(text.font()).lineSpacing())));
        KVScale::shared().setFactor(1.0);
        QCOMPARE(text.heightForWidth(w), oneLine);
    }
};

QTEST_MAIN(TestScreensTextCache)
#include "test_screens_textcache.moc"
