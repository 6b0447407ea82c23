#include "kit/kvfontwarmup.h"
#include "kit/kvlazyicon.h"
#include "kit/kvmenustyle.h"
#include "kit/kvsymbols.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QtTest>

#include <fontconfig/fontconfig.h>

class TestStartup : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // As at the app's start: before any text is measured.
        KVFontWarmup::start();
        KVFontWarmup::finish();
    }

    // The icon is made only when first drawn, and then draws as the made one.
    void lazyIconWaitsForFirstUse()
    {
        QPixmap dot(16, 16);
        dot.fill(Qt::red);
        int made = 0;
        const QIcon icon = KVLazyIcon::icon([&] {
            ++made;
            return QIcon(dot);
        });
        const QIcon copy = icon;
        QVERIFY(!icon.isNull());
        QCOMPARE(made, 0);
        QCOMPARE(copy.pixmap(16, 16).toImage(), dot.toImage());
        QCOMPARE(icon.actualSize(QSize(32, 32)), QSize(16, 16));
        QCOMPARE(made, 1);
        QVERIFY(KVLazyIcon::icon(nullptr).isNull());
    }

    // The menu bar's overflow arrows look as the platform style draws them.
    void menuStyleOverflowArrows()
    {
        KVMenuStyle style(QStyleFactory::create(QStringLiteral("Fusion")));
        for (const auto which : {QStyle::SP_ToolBarHorizontalExtensionButton, QStyle::SP_ToolBarVerticalExtensionButton}) {
            const QIcon ours = style.standardIcon(which);
            const QIcon plain = style.baseStyle()->standardIcon(which);
            QVERIFY(!ours.isNull());
            QCOMPARE(ours.pixmap(16, 16).toImage(), plain.pixmap(16, 16).toImage());
        }
    }

    // With the TrueType file installed, the icon face comes only from it;
    // without it, no rule is made.
    void iconFaceFromTrueType()
    {
        QVERIFY(KVFontWarmup::iconFaceRules(QStringLiteral("/nonexistent/MaterialIcons-Regular.ttf")).isEmpty());
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("Some&Face.ttf"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const QByteArray rules = KVFontWarmup::iconFaceRules(path);
        QVERIFY(rules.contains("<glob>*/Some&amp;Face.woff</glob>"));
        QVERIFY(rules.contains("<glob>*/Some&amp;Face.woff2</glob>"));

        FcPattern *pattern = FcNameParse(reinterpret_cast<const FcChar8 *>("Material Icons"));
        FcObjectSet *objects = FcObjectSetBuild(FC_FILE, nullptr);
        FcFontSet *set = FcFontList(nullptr, pattern, objects);
        QStringList files;
        for (int i = 0; set && i < set->nfont; ++i) {
            FcChar8 *file = nullptr;
            if (FcPatternGetString(set->fonts[i], FC_FILE, 0, &file) == FcResultMatch)
                files << QString::fromUtf8(reinterpret_cast<const char *>(file));
        }
        FcFontSetDestroy(set);
        FcObjectSetDestroy(objects);
        FcPatternDestroy(pattern);
        if (files.isEmpty())
            QSKIP("the icon face is not installed");
        const bool ttf = std::any_of(files.cbegin(), files.cend(), [](const QString &f) { return f.endsWith(".ttf"); });
        if (ttf)
            QCOMPARE(files.filter(QStringLiteral(".woff")), QStringList());

        // Either way the symbols draw.
        QImage img(40, 40, QImage::Format_ARGB32_Premultiplied);
        img.fill(Qt::transparent);
        QPainter p(&img);
        KVSymbols::draw(p, QStringLiteral("magnifyingglass"), QRectF(0, 0, 40, 40), 20, Qt::black);
        p.end();
        bool inked = false;
        for (int y = 0; y < img.height() && !inked; ++y)
            for (int x = 0; x < img.width() && !inked; ++x)
                inked = qAlpha(img.pixel(x, y)) > 0;
        QVERIFY(inked);
    }
};

QTEST_MAIN(TestStartup)
#include "test_startup.moc"
