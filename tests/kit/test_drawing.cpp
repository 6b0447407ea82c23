#include "kit/kvbands.h"
#include "kit/kvfont.h"
#include "kit/kvglow.h"
#include "kit/kvmenustyle.h"
#include "kit/kvscale.h"
#include "kit/kvshadow.h"
#include "kit/kvshape.h"
#include "kit/kvsymbols.h"

#include <QApplication>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QScrollBar>
#include <QStyleFactory>
#include <QtTest>
#include <functional>
#include <thread>

namespace {

int alphaSum(const QImage &img)
{
    long long sum = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            sum += qAlpha(img.pixel(x, y));
    return int(sum);
}

} // namespace

class TestDrawing : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { KVScale::shared().setFactor(1.0); }

    void fontFaces_data()
    {
        QTest::addColumn<int>("weight");
        QTest::addColumn<QString>("family");
        QTest::addColumn<bool>("bold");
        QTest::newRow("thin") << int(QFont::Thin) << "Quicksand Light" << false;
        QTest::newRow("light") << int(QFont::Light) << "Quicksand Light" << false;
        QTest::newRow("regular") << int(QFont::Normal) << "Quicksand" << false;
        QTest::newRow("medium") << int(QFont::Medium) << "Quicksand Medium" << false;
        QTest::newRow("semibold") << int(QFont::DemiBold) << "Quicksand" << true;
        QTest::newRow("bold") << int(QFont::Bold) << "Quicksand" << true;
        QTest::newRow("heavy") << int(QFont::ExtraBold) << "Quicksand" << true;
        QTest::newRow("black") << int(QFont::Black) << "Quicksand" << true;
    }

    // Each weight lands on an installed face: the family really resolves.
    void fontFaces()
    {
        QFETCH(int, weight);
        QFETCH(QString, family);
        QFETCH(bool, bold);
        const QFont f = KVFont::rounded(13, QFont::Weight(weight));
        QCOMPARE(f.families().first(), family);
        QCOMPARE(f.families().last(), QStringLiteral("DejaVu Sans"));
        const QFontInfo info(f);
        QCOMPARE(info.family(), family);
        QCOMPARE(info.weight() >= QFont::Bold, bold);
    }

    void fontSizeFollowsZoom()
    {
        const double regular = KVFont::pixelSizeOf(KVFont::rounded(12.5));
        QVERIFY(std::abs(regular - 12.5) < 0.01);
        KVScale::shared().setFactor(2.0);
        QVERIFY(std::abs(KVFont::pixelSizeOf(KVFont::rounded(12.5)) - 25.0) < 0.01);
    }

    // Glyphs Quicksand lacks come from DejaVu Sans.
    void fontFallback()
    {
        const QFont f = KVFont::rounded(13);
        QVERIFY(!QRawFont::fromFont(f).supportsCharacter(QChar(0x2713)));
        QImage img(40, 40, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            p.setFont(f);
            p.setPen(Qt::black);
            p.drawText(QRectF(0, 0, 40, 40), Qt::AlignCenter, QString(QChar(0x2713)));
        }
        QVERIFY(alphaSum(img) > 0);
    }

    void symbolTable()
    {
        const QRawFont icons = QRawFont::fromFont(KVSymbols::font(13));
        QCOMPARE(icons.familyName(), QStringLiteral("Material Icons"));
        const QStringList names = KVSymbols::names();
        QVERIFY(names.size() >= 22);
        for (const QString &name : names) {
            const QString g = KVSymbols::glyph(name);
            QCOMPARE(g.size(), 1);
            QVERIFY2(icons.supportsCharacter(g.at(0)), qPrintable(name));
        }
        for (const char *used : {"magnifyingglass", "xmark.circle.fill", "wrench.and.screwdriver.fill", "wifi",
                                 "wifi.slash", "car.fill", "gauge.with.dots.needle.67percent", "flag.checkered",
                                 "checkmark.seal.fill", "circle.fill", "chevron.right", "doc.richtext"})
            QVERIFY2(KVSymbols::known(QString::fromLatin1(used)), used);
        QVERIFY(KVSymbols::glyph(QStringLiteral("no.such.symbol")).isEmpty());
        QVERIFY(!KVSymbols::known(QStringLiteral("Magnifyingglass")));
        QVERIFY(std::abs(KVSymbols::extent(10) - 12.0) < 1e-9);
    }

    void shapes()
    {
        // The radius is limited to half the shorter side.
        const QRectF r(0, 0, 100, 30);
        QCOMPARE(KVShape::roundedRect(r, 40).boundingRect(), r);
        QVERIFY(KVShape::roundedRect(r, 40).contains(QPointF(50, 15)));
        QVERIFY(!KVShape::capsule(r).contains(QPointF(1, 1)));
        QVERIFY(KVShape::capsule(r).contains(QPointF(15, 1.5)));
        // Radius 0: square corners.
        QVERIFY(KVShape::roundedRect(r, 0).contains(QPointF(0.2, 0.2)));
        // Continuous corners cut deeper into the corner than a circular arc.
        const QRectF big(0, 0, 200, 200);
        const QPointF nearCorner(4, 4);
        QVERIFY(!KVShape::roundedRect(big, 20, true).contains(nearCorner));
        QVERIFY(!KVShape::roundedRect(big, 20, false).contains(QPointF(2, 2)));
        QCOMPARE(KVShape::roundedRect(big, 20, true).boundingRect(), big);
        QVERIFY(KVShape::roundedRect(QRectF(), 5).isEmpty());
    }

    void gradients()
    {
        const QLinearGradient g = KVShape::vertical(QRectF(0, 10, 50, 100),
                                                    {Qt::white, Qt::gray, Qt::black});
        QCOMPARE(g.start(), QPointF(0, 10));
        QCOMPARE(g.finalStop(), QPointF(0, 110));
        QCOMPARE(g.stops().size(), 3);
        QCOMPARE(g.stops()[1].first, 0.5);

        // The angular gradient runs clockwise on screen: a quarter turn
        // clockwise from 0° (straight down) shows the second of five colours.
        QImage img(101, 101, QImage::Format_ARGB32);
        img.fill(Qt::black);
        {
            QPainter p(&img);
            p.fillRect(img.rect(), KVShape::angular(QPointF(50.5, 50.5), {Qt::red, Qt::green, Qt::red, Qt::blue, Qt::red}));
        }
        const QColor down = img.pixelColor(50, 95);
        const QColor up = img.pixelColor(50, 5);
        QVERIFY2(down.green() > 200 && down.blue() < 60, qPrintable(down.name()));
        QVERIFY2(up.blue() > 200 && up.green() < 60, qPrintable(up.name()));

        QVERIFY(std::abs(KVShape::white(0.4, 0.5).alphaF() - 0.5) < 1e-3);
        QVERIFY(std::abs(KVShape::white(0.4, 0.5).redF() - 0.4) < 1e-3);
        QVERIFY(std::abs(KVShape::faded(QColor::fromRgbF(1, 0, 0, 0.5f), 0.5).alphaF() - 0.25) < 1e-3);
    }

    void strokeInsideStaysInside()
    {
        QImage img(60, 40, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            p.setRenderHint(QPainter::Antialiasing);
            KVShape::strokeRoundedRectInside(p, QRectF(10, 10, 40, 20), 6, 2, QBrush(Qt::white));
        }
        // Nothing outside the rectangle, the line on its edge.
        for (int x = 0; x < 60; ++x) {
            QCOMPARE(qAlpha(img.pixel(x, 9)), 0);
            QCOMPARE(qAlpha(img.pixel(x, 30)), 0);
        }
        QVERIFY(qAlpha(img.pixel(30, 10)) > 200);
        QVERIFY(qAlpha(img.pixel(30, 11)) > 200);
        QCOMPARE(qAlpha(img.pixel(30, 20)), 0);
    }

    // Borders drawn inside their shapes cover the area between the outline
    // and the outline moved in by the width, to within anti-aliasing.
    void insideBordersCoverTheirRing()
    {
        const QRectF r(6.5, 5, 120, 44);
        // Area of a rounded rectangle whose corners are quarter circles.
        const auto area = [](const QRectF &box, double radius) {
            return box.width() * box.height() - (4 - M_PI) * radius * radius;
        };
        const QList<std::pair<std::function<void(QPainter &)>, double>> cases = {
            {[r](QPainter &p) { KVShape::strokeRoundedRectInside(p, r, 14, 1.6, QBrush(Qt::white), false); },
             area(r, 14) - area(r.adjusted(1.6, 1.6, -1.6, -1.6), 12.4)},
            {[r](QPainter &p) { KVShape::strokeRoundedRectInside(p, r, 1, 3, QBrush(Qt::white), false); },
             area(r, 1.5) - area(r.adjusted(3, 3, -3, -3), 0)},
            {[r](QPainter &p) { KVShape::strokeCapsuleInside(p, r, 2, QBrush(Qt::white)); },
             area(r, 22) - area(r.adjusted(2, 2, -2, -2), 20)},
            {[](QPainter &p) { KVShape::strokeCircleInside(p, {60, 30}, 20, 2.5, QBrush(Qt::white)); },
             M_PI * (20 * 20 - 17.5 * 17.5)},
        };
        for (const auto &[draw, expected] : cases) {
            QImage img(140, 60, QImage::Format_ARGB32_Premultiplied);
            img.fill(Qt::transparent);
            {
                QPainter p(&img);
                p.setRenderHint(QPainter::Antialiasing);
                draw(p);
            }
            const double covered = alphaSum(img) / 255.0;
            QVERIFY2(std::abs(covered - expected) <= expected / 100, qPrintable(QStringLiteral("%1 %2").arg(covered).arg(expected)));
        }
    }

    void blurSpreadsAndKeepsMass()
    {
        QImage img(41, 41, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        for (int y = 15; y <= 25; ++y)
            for (int x = 15; x <= 25; ++x)
                img.setPixel(x, y, qRgba(0, 0, 0, 255));
        const int before = alphaSum(img);
        KVShadow::blurAlpha(img, 3.0);
        QVERIFY(qAlpha(img.pixel(20, 20)) < 255);
        QVERIFY(qAlpha(img.pixel(11, 20)) > 0);       // spread past the edge
        QVERIFY(qAlpha(img.pixel(20, 20)) > qAlpha(img.pixel(13, 20)));
        QVERIFY(std::abs(alphaSum(img) - before) < before / 50);
        QCOMPARE(qAlpha(img.pixel(20, 16)), qAlpha(img.pixel(20, 24))); // symmetric
    }

    // The blur's working memory outlives a call: a small picture blurred
    // after a larger one matches the same picture blurred on a fresh thread.
    void blurAfterLargerMatchesFresh()
    {
        const auto picture = [](int w, int h, int seed) {
            QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
            img.fill(Qt::transparent);
            for (int y = h / 4; y < h - h / 5; ++y)
                for (int x = w / 6; x < w - w / 3; ++x)
                    img.setPixel(x, y, qRgba(0, 0, 0, (x * 7 + y * 13 + seed) % 256));
            return img;
        };
        QImage fresh = picture(57, 31, 1);
        std::thread([&] { KVShadow::blurAlpha(fresh, 2.5); }).join();
        QImage large(300, 220, QImage::Format_ARGB32_Premultiplied);
        large.fill(Qt::black);
        KVShadow::blurAlpha(large, 6.0);
        QImage small = picture(57, 31, 1);
        KVShadow::blurAlpha(small, 2.5);
        QCOMPARE(small, fresh);
        QVERIFY(small != picture(57, 31, 1));
    }

    // A rendered shadow is the shape's coverage blurred, then every pixel
    // scaled by its alpha from the premultiplied colour.
    void shadowIsBlurredCoverageTinted()
    {
        for (const QColor &color : {QColor(255, 0, 0, 128), QColor(20, 200, 90), QColor(0, 0, 0, 115)}) {
            for (double radius : {0.0, 1.3, 10.0}) {
                QPainterPath path;
                path.addRoundedRect(QRectF(0.5, 0.25, 37, 23), 6, 6);
                QPointF origin;
                const QImage shadow = KVShadow::render(path, color, radius, 1.0, &origin);
                QImage expected(shadow.size(), QImage::Format_ARGB32_Premultiplied);
                expected.fill(Qt::transparent);
                {
                    QPainter p(&expected);
                    p.setRenderHint(QPainter::Antialiasing);
                    p.translate(-origin);
                    p.fillPath(path, Qt::black);
                }
                KVShadow::blurAlpha(expected, KVShadow::sigma(radius));
                const QRgb c = qPremultiply(color.rgba());
                for (int y = 0; y < expected.height(); ++y) {
                    for (int x = 0; x < expected.width(); ++x) {
                        const int a = qAlpha(expected.pixel(x, y));
                        expected.setPixel(x, y, qRgba(qRed(c) * a / 255, qGreen(c) * a / 255, qBlue(c) * a / 255,
                                                      qAlpha(c) * a / 255));
                    }
                }
                QCOMPARE(shadow, expected);
            }
        }
    }

    void shadowRenderIsCachedAndTinted()
    {
        QPainterPath path;
        path.addEllipse(QRectF(10, 10, 20, 20));
        QPointF origin1, origin2;
        const QImage a = KVShadow::render(path, QColor(255, 0, 0, 128), 4, 1.0, &origin1);
        const QImage b = KVShadow::render(path, QColor(255, 0, 0, 128), 4, 1.0, &origin2);
        QCOMPARE(a.cacheKey(), b.cacheKey());
        QCOMPARE(origin1, origin2);
        QVERIFY(origin1.x() < 10 && origin1.y() < 10);
        const QColor centre = QColor::fromRgba(qUnpremultiply(a.pixel(int(20 - origin1.x()), int(20 - origin1.y()))));
        QCOMPARE(centre.green(), 0);
        QVERIFY(centre.red() > 240);
        QVERIFY(std::abs(centre.alpha() - 128) <= 3);

        // The same shape elsewhere reuses the picture at another origin.
        QPainterPath moved = path.translated(100, 0);
        QPointF origin3;
        const QImage c = KVShadow::render(moved, QColor(255, 0, 0, 128), 4, 1.0, &origin3);
        QCOMPARE(c.cacheKey(), a.cacheKey());
        QCOMPARE(origin3, origin1 + QPointF(100, 0));

        const QMarginsF reach = KVShadow::reach(10, QPointF(0, 5));
        QVERIFY(reach.bottom() > reach.top());
        QCOMPARE(reach.left(), reach.right());
        QVERIFY(reach.top() >= 0);
    }

    // A one-colour gradient paints the flat colour's pixels: filled and
    // stroked, translucent or opaque, under a mask of many rectangles, over
    // a background of varied colours.
    void flatGradientIsTheFlatColour()
    {
        QImage background(300, 240, QImage::Format_ARGB32_Premultiplied);
        {
            QPainter p(&background);
            QLinearGradient g(0, 0, 300, 240);
            g.setColorAt(0, QColor(10, 200, 30));
            g.setColorAt(1, QColor(250, 20, 120, 200));
            p.fillRect(background.rect(), g);
        }
        for (const double alpha : {0.28, 0.35, 0.6, 1.0}) {
            const QColor color = QColor::fromRgbF(0.1f, 0.2f, 0.7f, float(alpha));
            for (const QRectF &r : {QRectF(10, 10, 120, 220), QRectF(20.5, 30.25, 260, 60)}) {
                QImage images[2] = {background, background};
                for (int i = 0; i < 2; ++i) {
                    QPainter p(&images[i]);
                    p.setRenderHint(QPainter::Antialiasing);
                    p.setClipRegion(QRegion(KVShape::roundedRect(r, 16).toFillPolygon().toPolygon()));
                    const QBrush brush = i ? QBrush(KVShape::flat(r, color)) : QBrush(color);
                    p.fillPath(KVShape::roundedRect(r, 16), brush);
                    KVShape::strokeRoundedRectInside(p, r.adjusted(3, 3, -3, -3), 13, 1, brush);
                }
                QCOMPARE(images[1], images[0]);
            }
        }
    }

    // A glow filled only around its disc matches one filled over the whole
    // area, but for the gradient's rounding (one level): centres inside,
    // beyond an edge and off a corner, on a painter moved by a fraction.
    void glowMatchesWholeFill()
    {
        QImage background(400, 300, QImage::Format_ARGB32_Premultiplied);
        {
            QPainter p(&background);
            QLinearGradient g(0, 0, 400, 300);
            g.setColorAt(0, QColor(10, 60, 90));
            g.setColorAt(1, QColor(200, 30, 120));
            p.fillRect(background.rect(), g);
        }
        const QRectF area(0, 0, 400, 300);
        const QColor color = QColor::fromRgbF(0.9f, 0.4f, 0.1f, 0.22f);
        for (const QPointF &center : {QPointF(200, 150), QPointF(340, -30), QPointF(-20, 330)}) {
            QImage images[2] = {background, background};
            for (int i = 0; i < 2; ++i) {
                QPainter p(&images[i]);
                p.setRenderHint(QPainter::Antialiasing);
                p.translate(0.25, 0.5);
                if (i) {
                    KVGlow::paint(p, area, center, color, 12, 150);
                } else {
                    QRadialGradient g(center, 150);
                    g.setColorAt(0, color);
                    g.setColorAt(12.0 / 150, color);
                    g.setColorAt(1, KVShape::faded(color, 0));
                    p.fillRect(area, g);
                }
            }
            QVERIFY(images[1] != background);
            for (int y = 0; y < images[0].height(); ++y) {
                for (int x = 0; x < images[0].width(); ++x) {
                    const QRgb a = images[0].pixel(x, y), b = images[1].pixel(x, y);
                    QVERIFY(std::abs(qRed(a) - qRed(b)) <= 1 && std::abs(qGreen(a) - qGreen(b)) <= 1
                            && std::abs(qBlue(a) - qBlue(b)) <= 1);
                }
            }
        }
    }

    // Drawn band by band, a tall panel and a scroll bar keep every pixel.
    void bandsKeepPixels()
    {
        const auto draw = [](QPainter &p) {
            p.setRenderHint(QPainter::Antialiasing);
            const QRectF r(3.5, 2.25, 40, 290);
            p.fillPath(KVShape::roundedRect(r, 12), KVShape::vertical(r, {Qt::red, QColor(0, 0, 255, 90)}));
            KVShape::strokeRoundedRectInside(p, r, 12, 1.6, QBrush(QColor(0, 0, 0, 120)));
        };
        QImage once(50, 300, QImage::Format_ARGB32_Premultiplied), banded = once;
        once.fill(Qt::transparent);
        banded.fill(Qt::transparent);
        {
            QPainter p(&once);
            draw(p);
            QPainter q(&banded);
            int calls = 0;
            KVBands::paint(q, banded.rect(), [&] { ++calls, draw(q); });
            QCOMPARE(calls, 5);
        }
        QCOMPARE(banded, once);

        // A scroll bar drawn by the application's style in band pictures.
        std::unique_ptr<QStyle> fusion(QStyleFactory::create(QStringLiteral("Fusion")));
        KVMenuStyle style(QStringLiteral("Fusion"));
        QScrollBar bar(Qt::Vertical);
        bar.resize(14, 700);
        bar.setRange(0, 2000);
        bar.setPageStep(600);
        for (int value : {0, 900, 2000}) {
            bar.setValue(value);
            QImage images[2];
            for (QStyle *s : {fusion.get(), static_cast<QStyle *>(&style)}) {
                bar.setStyle(s);
                QImage &image = images[s == fusion.get() ? 0 : 1];
                image = QImage(bar.size(), QImage::Format_ARGB32_Premultiplied);
                image.fill(Qt::transparent);
                bar.render(&image);
            }
            QCOMPARE(images[1], images[0]);
        }
    }
};

QTEST_MAIN(TestDrawing)
#include "test_drawing.moc"
