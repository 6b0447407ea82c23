#include "look/appicon.h"
#include "look/fvpalette.h"
#include "look/gaugelogo.h"
#include "look/gaugemath.h"
#include "look/seriousnessdial.h"
#include "platform/prefs.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

class TestGauge : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { Prefs::shared().useFile(m_dir.filePath(QStringLiteral("prefs.ini"))); }

    void logoTicksAndNeedle()
    {
        QCOMPARE(FVGauge::logoTickAngle(0), 135.0);
        QCOMPARE(FVGauge::logoTickAngle(5), 270.0); // straight up
        QCOMPARE(FVGauge::logoTickAngle(10), 405.0);
        int red = 0;
        for (int i = 0; i < FVGauge::kLogoTicks; ++i)
            red += FVGauge::logoTickIsRed(i);
        QCOMPARE(red, 3);
        QVERIFY(!FVGauge::logoTickIsRed(7));
        QVERIFY(FVGauge::logoTickIsRed(8));

        QCOMPARE(FVGauge::logoNeedleAngle(0), FVGauge::logoTickAngle(0));
        QCOMPARE(FVGauge::logoNeedleAngle(1), FVGauge::logoTickAngle(10));
        const double standard = FVGauge::logoNeedleAngle(0.68);
        QVERIFY(std::abs(standard - 318.6) < 1e-9);
        QVERIFY(standard > FVGauge::logoTickAngle(6) && standard < FVGauge::logoTickAngle(7));
        QVERIFY(FVGauge::logoNeedleAngle(1.2) > 405.0); // not limited
    }

    void polarIsClockwiseOnScreen()
    {
        const QPointF c(10, 10);
        const QPointF down = FVGauge::polar(c, 5, 90);
        QVERIFY(std::abs(down.x() - 10) < 1e-9 && std::abs(down.y() - 15) < 1e-9);
        const QPointF up = FVGauge::polar(c, 5, 270);
        QVERIFY(std::abs(up.y() - 5) < 1e-9);
        const QPointF lowerLeft = FVGauge::polar(c, 5, 135);
        QVERIFY(lowerLeft.x() < 10 && lowerLeft.y() > 10);
    }

    void dialBandsAndNeedle()
    {
        const double gap = 0.004 * 360.0;
        const double starts[] = {180, 240, 300};
        for (int i = 0; i < 3; ++i) {
            const FVGauge::Band b = FVGauge::dialBand(i);
            QVERIFY(std::abs(360.0 * b.from - (starts[i] + gap)) < 1e-9);
            QVERIFY(std::abs(360.0 * b.to - (starts[i] + 60 - gap)) < 1e-9);
            // The needle of the level points into the middle of its band.
            const Seriousness level = Seriousness::allCases()[size_t(i)];
            QCOMPARE(FVGauge::dialNeedleAngle(level), starts[i] + 30);
            QVERIFY(std::abs(360.0 * (b.from + b.to) / 2 - FVGauge::dialNeedleAngle(level)) < 1e-9);
        }
        QCOMPARE(FVGauge::dialNeedleAngle(Seriousness::Soon), 270.0);
        QCOMPARE(FVGauge::dialBandOpacity(1, Seriousness::Soon), 1.0);
        QCOMPARE(FVGauge::dialBandOpacity(0, Seriousness::Soon), 0.35);
        QCOMPARE(FVGauge::dialBandOpacity(2, Seriousness::Soon), 0.35);
    }

    void logoSize()
    {
        GaugeLogo logo;
        QCOMPARE(logo.gaugeSize(), 44.0);
        QCOMPARE(logo.value(), 0.68);
        QCOMPARE(logo.sizeHint(), QSize(44, 44));
        GaugeLogo big(90);
        QCOMPARE(big.sizeHint(), QSize(90, 90));
    }

    // The logo widget draws its disc a few rows at a time: the pixels are
    // those of the whole mark drawn at once, at any size.
    void logoWidgetDrawsTheWholeMark()
    {
        for (const double size : {44.0, 90.0, 30.0}) {
            GaugeLogo logo(size, 0.68);
            logo.resize(logo.sizeHint());
            QImage widget(logo.size(), QImage::Format_ARGB32_Premultiplied);
            widget.fill(Qt::transparent);
            logo.render(&widget, QPoint(), QRegion(), QWidget::DrawChildren);
            QImage whole(logo.size(), QImage::Format_ARGB32_Premultiplied);
            whole.fill(Qt::transparent);
            {
                QPainter p(&whole);
                p.setRenderHint(QPainter::Antialiasing);
                p.scale(logo.width() / size, logo.height() / size);
                GaugeLogo::paintMark(p, size, 0.68, FVPalette::current().accent);
            }
            QCOMPARE(widget, whole);
        }
    }

    void dialLayout()
    {
        SeriousnessDial dial(Seriousness::Soon, 130);
        QCOMPARE(dial.caption(), QStringLiteral("DRIVE SOON"));
        QCOMPARE(dial.accessibleName(), QStringLiteral("Seriousness: Drive soon"));
        QCOMPARE(SeriousnessDial::dialHeight(130), 78.0);
        const QFontMetricsF fm(SeriousnessDial::captionFont());
        QCOMPARE(dial.sizeHint().height(), int(std::ceil(78 + 4 + fm.height())));
        QCOMPARE(dial.sizeHint().width(), 130);
        SeriousnessDial standard(Seriousness::Drive);
        QCOMPARE(standard.dialSize(), 120.0);
    }

    // The lit band is drawn at full strength, the others faded; the needle of
    // "soon" stands straight up, white.
    void dialDrawing()
    {
        QWidget host;
        QPalette black;
        black.setColor(QPalette::Window, Qt::black);
        host.setPalette(black);
        auto *dial = new SeriousnessDial(Seriousness::Soon, 130, &host);
        host.setAttribute(Qt::WA_DontShowOnScreen);
        host.resize(dial->sizeHint());
        host.show();
        QApplication::processEvents();
        const QImage img = host.grab().toImage();
        const double c = 65;
        // Middle of each band, at radius 0.43·130 = 55.9 from the centre (65, 65).
        const QColor soon = img.pixelColor(int(c), int(c - 55.9));
        const QColor drive = img.pixelColor(int(c - 55.9 * std::cos(M_PI / 6)), int(c - 55.9 * std::sin(M_PI / 6)));
        QVERIFY2(soon.red() > 190 && soon.green() > 100 && soon.blue() < 40, qPrintable(soon.name()));
        // Green at opacity 0.35 over black.
        QVERIFY2(drive.green() > 35 && drive.green() < 65 && drive.red() < 25, qPrintable(drive.name()));
        const QColor needle = img.pixelColor(int(c), int(c - 30));
        QVERIFY2(needle.red() > 240 && needle.green() > 240 && needle.blue() > 240, qPrintable(needle.name()));
        // Nothing of the dial below 0.6·size except the caption's own rows.
        QCOMPARE(img.pixelColor(int(c), 80), QColor(Qt::black));
        QVERIFY(img.pixelColor(int(c), 72) != QColor(Qt::black)); // the hub reaches 0.06·size below the centre
    }

    // The window icon draws its sizes on demand and answers as the icon of
    // every size drawn: listed sizes exactly, sizes between them scaled alike.
    void appIconMatchesEverySizeDrawn()
    {
        QIcon drawn;
        QList<QSize> listed;
        for (int px : AppIcon::sizes()) {
            drawn.addPixmap(QPixmap::fromImage(AppIcon::image(px)));
            listed << QSize(px, px);
        }
        const QIcon icon = AppIcon::icon();
        QVERIFY(!icon.isNull());
        QCOMPARE(icon.availableSizes(), listed);
        for (const QSize size : {QSize(48, 48), QSize(40, 40), QSize(700, 700), QSize(64, 30)}) {
            QCOMPARE(icon.actualSize(size), drawn.actualSize(size));
            QCOMPARE(icon.pixmap(size).toImage(), drawn.pixmap(size).toImage());
        }
    }
};

QTEST_MAIN(TestGauge)
#include "test_gauge.moc"
