// A rounded rectangle's shadow drawn from a small picture stretched along its
// straight middle matches the shadow of the whole shape, pixel for pixel.
#include "kit/kvshadow.h"
#include "kit/kvshape.h"

#include <QImage>
#include <QPainter>
#include <QTest>

namespace {

QImage drawn(QSize size, double dpr, const std::function<void(QPainter &)> &draw)
{
    QImage image(size * int(dpr), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    QPainter p(&image);
    draw(p);
    return image;
}

int differing(const QImage &a, const QImage &b)
{
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x)
            n += a.pixel(x, y) != b.pixel(x, y);
    }
    return n;
}

} // namespace

class TestShadowSlices : public QObject
{
    Q_OBJECT

private slots:
    void stretchedMatchesWhole_data()
    {
        QTest::addColumn<QRectF>("rect");
        QTest::addColumn<double>("corner");
        QTest::addColumn<double>("dpr");
        QTest::addColumn<QPointF>("offset");
        QTest::newRow("tall panel") << QRectF(40, 30, 300, 700) << 22.0 << 1.0 << QPointF(0, 5);
        QTest::newRow("wide, doubled pixels") << QRectF(20, 20, 500, 120) << 16.0 << 2.0 << QPointF(0, 5);
        QTest::newRow("half-pixel offset") << QRectF(40, 30, 200, 300) << 22.0 << 1.0 << QPointF(0, 7.5);
        QTest::newRow("too small to stretch") << QRectF(40, 30, 60, 50) << 22.0 << 1.0 << QPointF(0, 5);
    }

    void stretchedMatchesWhole()
    {
        QFETCH(QRectF, rect);
        QFETCH(double, corner);
        QFETCH(double, dpr);
        QFETCH(QPointF, offset);
        const QColor color = QColor::fromRgbF(0, 0, 0, 0.45f);
        const QSize size(int(rect.right()) + 60, int(rect.bottom()) + 60);
        const QImage whole = drawn(size, dpr, [&](QPainter &p) {
            KVShadow::paint(p, KVShape::roundedRect(rect, corner), color, 10, offset);
        });
        const QImage stretched = drawn(size, dpr, [&](QPainter &p) {
            KVShadow::paintRoundedRect(p, rect, corner, color, 10, offset);
        });
        QCOMPARE(differing(whole, stretched), 0);
        // Something was drawn well outside the shape.
        QVERIFY(qAlpha(stretched.pixel(int((rect.center().x()) * dpr), int((rect.bottom() + 8) * dpr))) > 0);
    }
};

QTEST_MAIN(TestShadowSlices)
#include "test_shadowslices.moc"
