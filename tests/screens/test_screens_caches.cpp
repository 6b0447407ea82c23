// What is measured or drawn once and reused still follows every change.
#include "kit/kvscale.h"
#include "kit/kvshadow.h"
#include "kit/kvshape.h"
#include "screens/shared/clampedtext.h"

#include <QPainter>
#include <QTest>
#include <cmath>

class TestScreensCaches : public QObject
{
    Q_OBJECT

private slots:
    // A panel's shadow stretched from a small picture equals the whole
    // shape's, also at doubled pixels, half-pixel offsets and small sizes,
    // and where only one side is long enough to stretch.
    void stretchedShadowMatchesWhole()
    {
        const QColor color = QColor::fromRgbF(0, 0, 0, 0.45f);
        for (const auto &[rect, dpr, dy] : {std::tuple{QRectF(40, 30, 300, 700), 1.0, 5.0},
                                            {QRectF(20, 20, 500, 120), 2.0, 5.0},
                                            {QRectF(40, 30, 200, 300), 1.0, 7.5}, {QRectF(40, 30, 60, 50), 1.0, 5.0},
                                            {QRectF(40, 30, 600, 124), 1.0, 5.0}, {QRectF(30, 40, 90, 400), 1.0, 5.0},
                                            {QRectF(20, 20, 400, 30), 1.0, 5.0}}) {
            const QImage whole = drawn(rect, dpr, [&](QPainter &p) {
                KVShadow::paint(p, KVShape::roundedRect(rect, 22), color, 10, {0, dy});
            });
            const QImage stretched = drawn(rect, dpr, [&](QPainter &p) {
                KVShadow::paintRoundedRect(p, rect, 22, color, 10, {0, dy});
            });
            QCOMPARE(stretched, whole);
            QVERIFY(qAlpha(whole.pixel(int(rect.center().x() * dpr), int((rect.bottom() + 8) * dpr))) > 0);
        }
    }

    // A capsule's shadow stretched along its length equals the whole shape's,
    // at doubled pixels too; one shorter than its own square falls back.
    void stretchedCapsuleShadowMatchesWhole()
    {
        const QColor color = QColor::fromRgbF(0, 0, 0, 0.4f);
        for (const auto &[rect, dpr, radius, dy] :
             {std::tuple{QRectF(20, 20, 146, 24), 1.0, 3.0, 2.0}, {QRectF(20, 20, 208, 35), 1.0, 6.0, 0.0},
              {QRectF(20, 20, 61, 24), 2.0, 3.0, 2.0}, {QRectF(20, 20, 30, 24), 1.0, 3.0, 2.0},
              {QRectF(20, 20, 24, 90), 1.0, 3.0, 2.0}, {QRectF(20, 20, 400, 41), 1.0, 10.0, 5.0}}) {
            const QImage whole = drawn(rect, dpr, [&](QPainter &p) {
                KVShadow::paint(p, KVShape::capsule(rect), color, radius, {0, dy});
            });
            const QImage stretched =
                drawn(rect, dpr, [&](QPainter &p) { KVShadow::paintCapsule(p, rect, color, radius, {0, dy}); });
            QCOMPARE(stretched, whole);
        }
    }

    // A panel shadow that leaves out what its opaque panel covers gives the
    // same picture once the panel is painted; the middle is not drawn.
    void coveredShadowMatchesOnceCovered()
    {
        const QColor color = QColor::fromRgbF(0, 0, 0, 0.45f);
        for (const auto &[rect, dpr, radius] : {std::tuple{QRectF(40, 30, 300, 700), 1.0, 22.0},
                                                {QRectF(20, 20, 500, 120), 2.0, 22.0},
                                                {QRectF(40, 30, 600, 124), 1.0, 22.0},
                                                {QRectF(20, 20, 400, 60), 1.0, 40.0}}) {
            const auto panel = [&](QPainter &p) {
                p.setRenderHint(QPainter::Antialiasing);
                p.fillPath(KVShape::roundedRect(rect, radius), KVShape::vertical(rect, {Qt::darkGray, Qt::gray}));
            };
            const QImage bare = drawn(rect, dpr, [&](QPainter &p) {
                KVShadow::paintRoundedRect(p, rect, radius, color, 10, {0, 5}, true);
            });
            QCOMPARE(qAlpha(bare.pixel(int(rect.center().x() * dpr), int(rect.center().y() * dpr))), 0);
            const QImage plain = drawn(rect, dpr, [&](QPainter &p) {
                KVShadow::paintRoundedRect(p, rect, radius, color, 10, {0, 5});
                panel(p);
            });
            const QImage covered = drawn(rect, dpr, [&](QPainter &p) {
                KVShadow::paintRoundedRect(p, rect, radius, color, 10, {0, 5}, true);
                panel(p);
            });
            QCOMPARE(covered, plain);
        }
    }

private:
    static QImage drawn(const QRectF &rect, double dpr, const std::function<void(QPainter &)> &draw)
    {
        QImage image(int(rect.right() + 60) * int(dpr), int(rect.bottom() + 60) * int(dpr),
                     QImage::Format_ARGB32_Premultiplied);
        image.setDevicePixelRatio(dpr);
        image.fill(Qt::transparent);
        QPainter p(&image);
        draw(p);
        return image;
    }
};

QTEST_MAIN(TestScreensCaches)
#include "test_screens_caches.moc"
