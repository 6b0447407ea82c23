#include "kit/kvscale.h"
#include "kit/kvtextlabel.h"

#include <QtTest>

// A wrapped label, selectable or not, measures its own sizes; they must be
// QLabel's to the pixel, or a line is cut.
class TestTextLabel : public QObject
{
    Q_OBJECT

    static void sameAsQLabel(KVTextLabel &label)
    {
        const QByteArray what = label.text().left(30).toUtf8() + " @" + QByteArray::number(label.font().pointSizeF());
        QCOMPARE(label.sizeHint(), label.QLabel::sizeHint());
        QCOMPARE(label.minimumSizeHint(), label.QLabel::minimumSizeHint());
        for (int width : {-7, 0, 1, 37, 120, 189, 341, 887, 5000})
            QVERIFY2(label.heightForWidth(width) == label.QLabel::heightForWidth(width),
                     what + " w" + QByteArray::number(width));
    }

private slots:
    void sizesAreQLabels()
    {
        const QStringList texts = {
            QStringLiteral("Brake"),
            QStringLiteral("The transmission control module may shift harshly from second to third gear when cold. "
                           "Reprogram the module with the latest software and road test the vehicle.  Twice spaced. "),
            QStringLiteral("First paragraph of some words\n\nthird after an empty one\n"),
            QStringLiteral("Fallback glyphs \u2122 \u00e9 \u4e2d\u6587 \U0001F600 and an unbreakable "
                           "Supercalifragilisticexpialidociouslyreprogrammablemodule word"),
            QStringLiteral("2015 Brakes & ABS: front caliper bolts may loosen"),
        };
        for (double zoom : {1.0, 1.5}) {
            KVScale::shared().setFactor(zoom);
            for (const QString &text : texts) {
                for (const auto &[points, weight, tracking] :
                     {std::tuple{12.0, QFont::Normal, 0.0}, {17.5, QFont::Bold, 0.0}, {9.0, QFont::Medium, 1.2}}) {
                    for (bool selectable : {true, false}) {
                        KVTextLabel label(text, points, weight);
                        label.setWordWrap(true);
                        if (selectable)
                            label.setTextInteractionFlags(Qt::TextSelectableByMouse);
                        label.setTracking(tracking);
                        sameAsQLabel(label);
                    }
                }
            }
        }
        KVScale::shared().setFactor(1.0);
        // Margins, a minimum height and a change of text are honoured too.
        for (bool selectable : {true, false}) {
            KVTextLabel label(texts[1], 12);
            label.setWordWrap(true);
            if (selectable)
                label.setTextInteractionFlags(Qt::TextSelectableByMouse);
            label.setContentsMargins(3, 4, 5, 6);
            label.setMinimumHeight(50);
            sameAsQLabel(label);
            label.setPlain(texts[2]);
            sameAsQLabel(label);
            // A narrow maximum and a top alignment change the plain shape.
            label.setPlain(texts[3]);
            label.setMaximumWidth(140);
            label.setAlignment(Qt::AlignLeft | Qt::AlignTop);
            sameAsQLabel(label);
        }
    }
};

QTEST_MAIN(TestTextLabel)
#include "test_textlabel.moc"
