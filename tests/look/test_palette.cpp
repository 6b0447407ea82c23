#include "kit/kvkittheme.h"
#include "kit/kvrnthemes.h"
#include "kit/kvscale.h"
#include "look/fvbackground.h"
#include "look/fvpalette.h"
#include "look/fvthemeroot.h"
#include "platform/prefs.h"
#include "support/repaintcheck.h"

#include <QApplication>
#include <QLabel>
#include <QLayout>
#include <QPaintEngine>
#include <QPainter>
#include <QTemporaryDir>
#include <QtTest>

class TestPalette : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { Prefs::shared().useFile(m_dir.filePath(QStringLiteral("prefs.ini"))); }
    void cleanup() { Prefs::shared().remove(KVRNThemes::key()); }

    void paletteOfEveryTheme()
    {
        for (const KVRNTheme &t : KVRNThemes::builtIn()) {
            KVRNThemes::setCurrentID(t.id);
            const FVPalette p = FVPalette::current();
            QCOMPARE(p.bg, t.bg.color());
            QCOMPARE(p.panelTop, t.panelTop.color());
            QCOMPARE(p.panelBottom, t.panelBottom.color());
            QCOMPARE(p.text, t.text.color());
            QCOMPARE(p.dim, t.dimText().color()); // the theme's own where it reads
            if (t.id != QLatin1String("brushed-gray"))
                QCOMPARE(p.dim, t.dim.color());
            QCOMPARE(p.accent, t.accent.color());
        }
        KVRNThemes::setCurrentID(QStringLiteral("midnight-black"));
        QCOMPARE(FVPalette::current().accent, QColor(0x5A, 0xA9, 0xFF));
        KVRNThemes::setCurrentID(QStringLiteral("not-a-theme"));
        QCOMPARE(FVPalette::current().accent, QColor(0x2F, 0x7B, 0xF2));
    }

    // Text in the accent or in amber, and links, read at 4.5:1 on both ends of
    // every theme's panels, in a shade of their own hue; fills keep the colours.
    void textColoursReadOnPanels()
    {
        using RGB = KVRNTheme::RGB;
        for (const KVRNTheme &t : KVRNThemes::builtIn()) {
            KVRNThemes::setCurrentID(t.id);
            const FVPalette p = FVPalette::current();
            const QColor link = KVKitTheme::current().widgetPalette(p.accent).color(QPalette::Link);
            const QList<std::pair<QColor, QColor>> texts{{p.accentText(), p.accent}, {link, p.accent}};
            for (const auto &[text, base] : texts) {
                const QByteArray what = (t.id + QLatin1Char(' ') + text.name()).toUtf8();
                for (const QColor &panel : {p.panelTop, p.panelBottom})
                    QVERIFY2(RGB::contrast(RGB::fromColor(text), RGB::fromColor(panel)) >= 4.5, what);
                if (text != base)
                    QVERIFY2(std::abs(text.hsvHueF() - base.hsvHueF()) < 0.01, what);
            }
            QCOMPARE(p.readable(p.text), p.text);
        }
        KVRNThemes::setCurrentID(QStringLiteral("brushed-gray"));
        QVERIFY(FVPalette::current().accentText() != FVPalette::current().accent);
        QCOMPARE(FVPalette::current().accent, QColor(0x1F, 0x6F, 0xD1));
    }

    // Every text and ring colour against what lies behind it, in every theme,
    // computed from the palette: a theme added later is held to the same
    // ratios (an extra theme with a grey panel and a mid accent included).
    void everyThemeReadsEveryPair()
    {
        using RGB = KVRNTheme::RGB;
        KVRNThemes::registerThemes({KVRNTheme{QStringLiteral("test-pale"), QStringLiteral("Pale"),
                                              KVRNTheme::Family::Extra, RGB::fromHex(0x2E3238), RGB::fromHex(0x5A5F68),
                                              RGB::fromHex(0x3A3E45), RGB::fromHex(0xFFFFFF), RGB::fromHex(0xC8CCD2),
                                              RGB::fromHex(0x6C8CFF)}});
        const auto ratio = [](const QColor &a, const QColor &b) {
            return RGB::contrast(RGB::fromColor(a), RGB::fromColor(b));
        };
        for (const KVRNTheme &t : KVRNThemes::all()) {
            KVRNThemes::setCurrentID(t.id);
            const FVPalette p = FVPalette::current();
            const KVKitTheme kit = KVKitTheme::current();
            const QColor warning = FVPalette::amberText();
            const QList<QColor> grounds{p.panelTop, p.panelBottom, p.bg};
            for (const QColor &ground : grounds) {
                const QByteArray what = t.id.toUtf8() + " on " + ground.name().toUtf8();
                for (const QColor &text : {p.text, p.dim, p.accentText(), warning, kit.dim})
                    QVERIFY2(ratio(text, ground) >= 4.5, what + " text " + text.name().toUtf8());
                for (const QColor &ring : {p.focusColor, kit.focus})
                    QVERIFY2(ratio(ring, ground) >= 3.0, what + " ring " + ring.name().toUtf8());
            }
            // Text on the accent fills as drawn (prominent button, list row,
            // sidebar row, help topic), at either end and the middle of the
            // gradient, over every ground and a black well; the fill keeps the
            // accent's own colour. The ring's inner line on a selected row too.
            for (const auto &[top, bottom] : {std::pair{0.95, 0.6}, {0.95, 0.55}, {1.0, 0.55}, {0.8, 0.8}}) {
                const QList<QColor> fill = kit.accentFill(top, bottom);
                QCOMPARE(fill.size(), 2);
                for (const QColor &stop : fill)
                    QCOMPARE(stop.rgb(), p.accent.rgb());
                const double mid = (fill[0].alphaF() + fill[1].alphaF()) / 2;
                for (const double alpha : {double(fill[0].alphaF()), mid, double(fill[1].alphaF())}) {
                    for (const QColor &ground : grounds + QList<QColor>{Qt::black}) {
                        const QColor under = RGB::fromColor(ground).mixed(RGB::fromColor(p.accent), alpha).color();
                        QVERIFY2(ratio(p.onAccent(), under) >= 4.5,
                                 t.id.toUtf8() + " at " + QByteArray::number(alpha) + " on " + ground.name().toUtf8());
                    }
                }
            }
            QCOMPARE(kit.onAccent, p.onAccent());
            const QPalette widgets = kit.widgetPalette(p.accent);
            QCOMPARE(widgets.color(QPalette::HighlightedText), p.onAccent());
            QVERIFY2(ratio(p.onAccent(), widgets.color(QPalette::Highlight)) >= 4.5, t.id.toUtf8());
            // Warnings stay warm (amber to yellow), never plain white.
            QVERIFY2(warning.hsvHueF() > 0.07 && warning.hsvHueF() < 0.17 && warning.hsvSaturationF() > 0.25,
                     (t.id + QLatin1Char(' ') + warning.name()).toUtf8());
        }
        // The fills themselves are the theme's.
        KVRNThemes::setCurrentID(QStringLiteral("midnight-black"));
        QCOMPARE(FVPalette::current().accent, QColor(0x5A, 0xA9, 0xFF));
        QVERIFY(FVPalette::current().onAccent() != QColor(Qt::white));
        KVRNThemes::setCurrentID(QStringLiteral("candy-red-titanium"));
        QCOMPARE(FVPalette::current().onAccent(), QColor(Qt::white));
        // The default theme's blue reads white text where its fill lies over the dark panels.
        KVRNThemes::setCurrentID(QStringLiteral("cobalt-gunmetal"));
        QCOMPARE(FVPalette::current().onAccent(), QColor(Qt::white));
    }

    void fixedColours()
    {
        auto same = [](const QColor &c, double r, double g, double b) {
            return std::abs(c.redF() - r) < 1e-4 && std::abs(c.greenF() - g) < 1e-4 && std::abs(c.blueF() - b) < 1e-4
                   && c.alphaF() == 1.0f;
        };
        QVERIFY(same(FVPalette::green(), 0.12, 0.55, 0.30));
        QVERIFY(same(FVPalette::amber(), 0.80, 0.47, 0.0));
        QVERIFY(same(FVPalette::red(), 0.78, 0.13, 0.12));
        QVERIFY(same(FVPalette::draft(), 0.55, 0.33, 0.0));
        QCOMPARE(FVPalette::color(Seriousness::Drive), FVPalette::green());
        QCOMPARE(FVPalette::color(Seriousness::Soon), FVPalette::amber());
        QCOMPARE(FVPalette::color(Seriousness::Stop), FVPalette::red());
        // Fixed colours do not follow the theme.
        KVRNThemes::setCurrentID(QStringLiteral("rose-gold"));
        QVERIFY(same(FVPalette::red(), 0.78, 0.13, 0.12));
    }

    void rootHandsDownTextAndTint()
    {
        KVRNThemes::setCurrentID(QStringLiteral("lavender-pearl"));
        FVThemeRoot root([] { return new QLabel(QStringLiteral("x")); });
        QCOMPARE(root.content()->palette().color(QPalette::WindowText), QColor(0xF6, 0xF2, 0xFF));
        // The accent's own hue, opaque, as dark as white text on it needs.
        const QColor highlight = root.content()->palette().color(QPalette::Highlight);
        QVERIFY(std::abs(highlight.hsvHue() - QColor(0x9B, 0x7B, 0xE8).hsvHue()) <= 6 && highlight.alpha() == 255);
        QVERIFY(highlight.value() < 0xE8);
        QCOMPARE(root.content()->font().family(), QStringLiteral("Quicksand"));

        KVRNThemes::setCurrentID(QStringLiteral("rose-gold"));
        QCOMPARE(root.content()->palette().color(QPalette::Highlight), QColor(0xE0, 0x78, 0x9A));
    }

    // A builder that takes the root makes its content in place, again on a
    // theme switch while shown.
    void rootBuildsInPlace()
    {
        QList<QWidget *> given;
        FVThemeRoot root([&given](QWidget *parent) -> QWidget * {
            given.append(parent);
            return new QLabel(QStringLiteral("x"), parent);
        });
        QCOMPARE(given, QList<QWidget *>{&root});
        QCOMPARE(root.layout()->indexOf(root.content()), 0);
        root.show();
        KVRNThemes::setCurrentID(QStringLiteral("midnight-black"));
        QCOMPARE(given.size(), 2);
        QVERIFY(root.content()->isVisible());
        QCOMPARE(root.layout()->count(), 1);
    }

    // The glows' radii are in points, so a zoom change must repaint the backdrop widget.
    void backgroundRepaintsOnZoom()
    {
        FVBackground bg;
        QVERIFY(repaintsOnZoom(bg));
    }

    // The backdrop fills edge to edge, the accent glows upper right and lower left.
    void backgroundGlows()
    {
        KVRNThemes::setCurrentID(QStringLiteral("candy-red-titanium"));
        QImage img(1000, 700, QImage::Format_ARGB32);
        img.fill(Qt::transparent);
        {
            QPainter p(&img);
            FVBackground::paint(p, QRectF(img.rect()));
        }
        for (QPoint corner : {QPoint(0, 0), QPoint(999, 0), QPoint(0, 699), QPoint(999, 699)})
            QCOMPARE(qAlpha(img.pixel(corner)), 255);
        const QColor upperRight = img.pixelColor(850, 5);
        const QColor upperLeft = img.pixelColor(5, 5);
        QVERIFY(upperRight.red() > upperLeft.red() + 10);
        const QColor lowerLeft = img.pixelColor(5, 690);
        const QColor lowerRight = img.pixelColor(995, 690);
        QVERIFY(lowerLeft.red() > lowerRight.red());
    }

    // The copied backdrop has the pixels of one drawn directly (a pixmap is
    // drawn on directly), also where only some rectangles are repainted; small
    // and window-sized backdrops alike, also after the cache let some go.
    void backgroundCopiesKeepPixels()
    {
        KVRNThemes::setCurrentID(QStringLiteral("candy-red-titanium"));
        for (int width = 640; width <= 2640; width += 400) {
            const QSize size(width, width * 3 / 4);
            QPixmap direct(size);
            direct.fill(Qt::transparent);
            QImage copied(size, QImage::Format_ARGB32_Premultiplied);
            QImage part = copied;
            copied.fill(Qt::transparent);
            part.fill(Qt::green);
            const QRegion dirty = QRegion(10, 20, 300, 200) + QRegion(400, 250, 200, 220);
            part.paintEngine()->setSystemClip(dirty);
            for (QPaintDevice *device : std::initializer_list<QPaintDevice *>{&direct, &copied, &part}) {
                QPainter p(device);
                p.setRenderHint(QPainter::Antialiasing);
                FVBackground::paint(p, QRectF(QPointF(0, 0), size));
            }
            const QImage reference = direct.toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QCOMPARE(copied, reference);
            for (QPoint at : {QPoint(10, 20), QPoint(309, 219), QPoint(400, 469), QPoint(599, 250), QPoint(320, 230)})
                QCOMPARE(part.pixel(at), dirty.contains(at) ? reference.pixel(at) : QColor(Qt::green).rgba());
        }
        // A backdrop drawn ahead on a worker (premultiplied) is the one a
        // paint would draw: taken by an RGB32 window image, drawn anew for a
        // premultiplied one of the same size.
        const QSize size(1000, 700);
        FVBackground::prepare(size, 1.0);
        QImage ahead(size, QImage::Format_RGB32), drawn(size, QImage::Format_ARGB32_Premultiplied);
        for (QImage *image : {&ahead, &drawn}) {
            QPainter p(image);
            p.setRenderHint(QPainter::Antialiasing);
            FVBackground::paint(p, QRectF(QPointF(0, 0), size));
        }
        QCOMPARE(ahead.format(), QImage::Format_RGB32);
        QCOMPARE(ahead.convertToFormat(drawn.format()), drawn);
    }
};

QTEST_MAIN(TestPalette)
#include "test_palette.moc"
