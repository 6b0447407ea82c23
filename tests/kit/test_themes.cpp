#include "kit/kvkittheme.h"
#include "kit/kvrntheme.h"
#include "kit/kvrnthememenu.h"
#include "kit/kvrnthemeroot.h"
#include "kit/kvrnthemes.h"
#include "platform/prefs.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>
#include <cmath>

using RGB = KVRNTheme::RGB;

class TestThemes : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    // A fresh, empty settings store and the default id back at its start value.
    void freshStore()
    {
        static int n = 0;
        Prefs::shared().useFile(m_dir.filePath(QStringLiteral("prefs%1.ini").arg(++n)));
        KVRNThemes::setDefaultID(QStringLiteral("cobalt-gunmetal"));
    }

    static QStringList ids(const QList<KVRNTheme> &themes)
    {
        QStringList list;
        for (const KVRNTheme &t : themes)
            list << t.id;
        return list;
    }

private slots:
    void init() { freshStore(); }

    void builtInCatalogue()
    {
        const QList<KVRNTheme> &themes = KVRNThemes::builtIn();
        QCOMPARE(ids(themes), (QStringList{"cobalt-gunmetal", "candy-red-titanium", "rose-gold", "lavender-pearl",
                                           "midnight-black", "brushed-gray"}));
        QStringList names;
        QHash<int, int> families;
        QSet<QRgb> accents;
        for (const KVRNTheme &t : themes) {
            names << t.name;
            ++families[int(t.family)];
            accents.insert(t.accent.color().rgb());
        }
        QCOMPARE(names, (QStringList{"Cobalt Gunmetal", "Candy Red Titanium", "Rose Gold", "Lavender Pearl",
                                     "Midnight Black", "Brushed Gray"}));
        QCOMPARE(families.value(int(KVRNTheme::Family::Masculine)), 2);
        QCOMPARE(families.value(int(KVRNTheme::Family::Feminine)), 2);
        QCOMPARE(families.value(int(KVRNTheme::Family::Black)), 1);
        QCOMPARE(families.value(int(KVRNTheme::Family::Gray)), 1);
        QCOMPARE(accents.size(), 6);

        const KVRNTheme &gray = themes.last();
        QCOMPARE(gray.bg, RGB::fromHex(0x3A3D42));
        QCOMPARE(gray.panelTop, RGB::fromHex(0x6A6E75));
        QCOMPARE(gray.panelBottom, RGB::fromHex(0x45484E));
        QCOMPARE(gray.text, RGB::fromHex(0xFFFFFF));
        QCOMPARE(gray.dim, RGB::fromHex(0xD9DCE1));
        QCOMPARE(gray.accent, RGB::fromHex(0x1F6FD1));
    }

    // Every theme is dark and readable: light text on a dark background, the
    // panel gradient running from light to dark, above the background.
    void themesAreDarkAndReadable()
    {
        for (const KVRNTheme &t : KVRNThemes::builtIn()) {
            const QByteArray what = t.id.toUtf8();
            QVERIFY2(t.bg.luminance() < 0.05, what);
            QVERIFY2(t.text.luminance() > t.bg.luminance(), what);
            QVERIFY2(RGB::contrast(t.text, t.bg) >= 7.0, what);
            QVERIFY2(RGB::contrast(t.text, t.panelTop) >= 4.5, what);
            QVERIFY2(RGB::contrast(t.dim, t.bg) >= 4.5, what);
            QVERIFY2(t.panelTop.luminance() > t.panelBottom.luminance(), what);
            QVERIFY2(t.panelBottom.luminance() > t.bg.luminance(), what);
        }
    }

    void rgbConversions()
    {
        const RGB a = RGB::fromHex(0x2F7BF2);
        QCOMPARE(a, RGB(47 / 255.0, 123 / 255.0, 242 / 255.0));
        QCOMPARE(RGB::fromHex(0xFF2F7BF2), a); // bits above 24 ignored
        QCOMPARE(a.color(), QColor(0x2F, 0x7B, 0xF2));
        QCOMPARE(a.color().alphaF(), 1.0f);

        const RGB black(0, 0, 0), white(1, 1, 1);
        QCOMPARE(RGB::contrast(black, white), 21.0);
        QCOMPARE(RGB::contrast(white, black), 21.0);
        QCOMPARE(RGB::contrast(a, a), 1.0);
        QCOMPARE(RGB::contrast(a, white), RGB::contrast(white, a));

        // 0.04 lies above the 0.03928 threshold: the power curve applies.
        const double curve = std::pow((0.04 + 0.055) / 1.055, 2.4);
        QVERIFY(std::abs(RGB(0.04, 0.04, 0.04).luminance() - curve) < 1e-12);
        QVERIFY(std::abs(RGB(0.039, 0, 0).luminance() - 0.2126 * 0.039 / 12.92) < 1e-12);
        QVERIFY(std::abs(RGB(0, 1, 0).luminance() - 0.7152) < 1e-12);

        // A readable shade: unchanged when it already reads, else the least mix
        // toward the end that reads on the grounds (lighter on dark, darker on light).
        QCOMPARE(RGB::readable(white, {black, RGB(0.2, 0.2, 0.2)}), white);
        const RGB grey(0.5, 0.5, 0.5);
        const RGB onDark = RGB::readable(grey, {RGB(0.25, 0.25, 0.25), RGB(0.3, 0.3, 0.3)});
        const RGB onLight = RGB::readable(grey, {white, RGB(0.9, 0.9, 0.9)});
        QVERIFY(onDark.r > grey.r && onLight.r < grey.r);
        QVERIFY(RGB::contrast(onDark, RGB(0.25, 0.25, 0.25)) > RGB::contrast(onDark, RGB(0.3, 0.3, 0.3)));
        QVERIFY(RGB::contrast(onDark, RGB(0.3, 0.3, 0.3)) >= 4.5 && RGB::contrast(onDark, RGB(0.3, 0.3, 0.3)) < 4.6);
        QVERIFY(RGB::contrast(onLight, RGB(0.9, 0.9, 0.9)) >= 4.5);
    }

    void familiesAndEquality()
    {
        QCOMPARE(KVRNTheme::familyFromRawValue(QStringLiteral("black")), KVRNTheme::Family::Black);
        QVERIFY(!KVRNTheme::familyFromRawValue(QStringLiteral("Black")));
        QVERIFY(!KVRNTheme::familyFromRawValue(QString()));
        for (auto f : {KVRNTheme::Family::Masculine, KVRNTheme::Family::Feminine, KVRNTheme::Family::Black,
                       KVRNTheme::Family::Gray, KVRNTheme::Family::Extra})
            QCOMPARE(KVRNTheme::familyFromRawValue(KVRNTheme::familyRawValue(f)), f);

        KVRNTheme a = KVRNThemes::builtIn().first();
        KVRNTheme b = a;
        b.accent = RGB(1, 0, 0);
        b.name = QStringLiteral("Other");
        QVERIFY(a == b);
        b.id = QStringLiteral("other");
        QVERIFY(!(a == b));
    }

    void resolution()
    {
        QCOMPARE(KVRNThemes::current().id, QStringLiteral("cobalt-gunmetal"));
        QCOMPARE(KVRNThemes::currentID(), QStringLiteral("cobalt-gunmetal"));

        KVRNThemes::setCurrentID(QStringLiteral("lavender-pearl"));
        QCOMPARE(KVRNThemes::current().id, QStringLiteral("lavender-pearl"));
        const KVKitTheme kit = KVRNThemes::current().kitTheme();
        QCOMPARE(kit.accent, QColor(0x9B, 0x7B, 0xE8));
        QCOMPARE(kit.rim.rgb(), QColor(Qt::white).rgb());
        QVERIFY(std::abs(kit.rim.alphaF() - 0.25) < 1e-3);
        QCOMPARE(kit.panelTop, QColor(0x40, 0x37, 0x5A));

        KVRNThemes::setCurrentID(QStringLiteral("no-such-theme"));
        QCOMPARE(KVRNThemes::currentID(), QStringLiteral("no-such-theme"));
        QCOMPARE(KVRNThemes::current().id, QStringLiteral("cobalt-gunmetal"));

        KVRNThemes::setCurrentID(QString());
        QCOMPARE(KVRNThemes::currentID(), QString());
        QCOMPARE(KVRNThemes::current().id, QStringLiteral("cobalt-gunmetal"));

        // Case counts.
        KVRNThemes::setCurrentID(QStringLiteral("Rose-Gold"));
        QCOMPARE(KVRNThemes::current().id, QStringLiteral("cobalt-gunmetal"));
    }

    void defaultIDIsReadAtEachResolution()
    {
        KVRNThemes::setDefaultID(QStringLiteral("midnight-black"));
        QCOMPARE(KVRNThemes::current().id, QStringLiteral("midnight-black"));
        KVRNThemes::setCurrentID(QStringLiteral("unknown"));
        QCOMPARE(KVRNThemes::current().id, QStringLiteral("midnight-black"));
        KVRNThemes::setDefaultID(QStringLiteral("also-unknown"));
        QCOMPARE(KVRNThemes::current().id, QStringLiteral("cobalt-gunmetal"));
    }

    void registration()
    {
        const qsizetype before = KVRNThemes::all().size();
        KVRNTheme rose = KVRNThemes::builtIn()[2];
        rose.accent = RGB(0, 1, 0);
        KVRNTheme one{QStringLiteral("test-one"), QStringLiteral("One"), KVRNTheme::Family::Extra,
                      RGB(0, 0, 0), RGB(0.2, 0.2, 0.2), RGB(0.1, 0.1, 0.1), RGB(1, 1, 1), RGB(0.7, 0.7, 0.7),
                      RGB(0, 0.5, 1)};
        KVRNTheme oneAgain = one;
        oneAgain.name = QStringLiteral("One again");
        KVRNTheme two = one;
        two.id = QStringLiteral("test-two");
        KVRNThemes::registerThemes({rose, one, oneAgain, two});

        const QList<KVRNTheme> all = KVRNThemes::all();
        QCOMPARE(all.size(), before + 2);
        QCOMPARE(all[all.size() - 2].id, QStringLiteral("test-one"));
        QCOMPARE(all[all.size() - 2].name, QStringLiteral("One"));
        QCOMPARE(all.last().id, QStringLiteral("test-two"));
        // The built-in theme keeps its colours.
        QCOMPARE(KVRNThemes::named(QStringLiteral("rose-gold")).accent, RGB::fromHex(0xE0789A));

        KVRNThemes::setCurrentID(QStringLiteral("test-two"));
        QCOMPARE(KVRNThemes::current().id, QStringLiteral("test-two"));
        KVRNThemes::setDefaultID(QStringLiteral("test-one"));
        KVRNThemes::setCurrentID(QStringLiteral("missing"));
        QCOMPARE(KVRNThemes::current().id, QStringLiteral("test-one"));
    }

    void rootRebuildsOnAnotherID()
    {
        int builds = 0;
        KVRNThemeRoot root([&builds] {
            ++builds;
            return new QLabel(QStringLiteral("content"));
        });
        QCOMPARE(builds, 1);
        QCOMPARE(root.themeID(), QStringLiteral("cobalt-gunmetal"));
        QCOMPARE(root.palette().color(QPalette::WindowText), QColor(0xF2, 0xF5, 0xFA));
        QPointer<QWidget> first = root.content();

        KVRNThemes::setCurrentID(QStringLiteral("cobalt-gunmetal")); // same id: kept
        QCOMPARE(builds, 1);
        QCOMPARE(root.content(), first.data());

        KVRNThemes::setCurrentID(QStringLiteral("rose-gold"));
        QCOMPARE(builds, 2);
        QVERIFY(root.content() != first.data());
        QCOMPARE(root.themeID(), QStringLiteral("rose-gold"));
        QCOMPARE(root.content()->palette().color(QPalette::WindowText), QColor(0xFF, 0xF2, 0xF5));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(first.isNull());

        // Keyed on the stored text, coloured by the fallback theme.
        KVRNThemes::setCurrentID(QStringLiteral("nonsense"));
        QCOMPARE(builds, 3);
        QCOMPARE(root.themeID(), QStringLiteral("nonsense"));
        QCOMPARE(root.palette().color(QPalette::WindowText), QColor(0xF2, 0xF5, 0xFA));

        // Other settings do not touch it.
        Prefs::shared().setValue(QStringLiteral("kvrn.zoom"), 1.3);
        QCOMPARE(builds, 3);
    }

    void rootKeepsTheDefaultOfItsCreation()
    {
        KVRNThemes::setDefaultID(QStringLiteral("midnight-black"));
        KVRNThemeRoot root([] { return new QWidget; });
        QCOMPARE(root.themeID(), QStringLiteral("midnight-black"));
        KVRNThemes::setDefaultID(QStringLiteral("cobalt-gunmetal"));
        QCOMPARE(root.themeID(), QStringLiteral("midnight-black"));
    }

    void themeMenu()
    {
        std::unique_ptr<QMenu> menu(KVRNThemeMenu::make());
        QCOMPARE(menu->title(), QStringLiteral("Theme"));
        const QList<QAction *> actions = menu->actions();
        QCOMPARE(actions.size(), KVRNThemes::all().size());
        QCOMPARE(actions.first()->text(), QStringLiteral("Cobalt Gunmetal"));
        QCOMPARE(actions[5]->text(), QStringLiteral("Brushed Gray"));
        for (QAction *a : actions)
            QVERIFY(a->shortcut().isEmpty());
        auto checked = [&actions] {
            QStringList ids;
            for (QAction *a : actions) {
                if (a->isChecked())
                    ids << a->data().toString();
            }
            return ids;
        };
        QCOMPARE(checked(), QStringList{QStringLiteral("cobalt-gunmetal")});

        actions[2]->trigger();
        QCOMPARE(Prefs::shared().value(KVRNThemes::key()).toString(), QStringLiteral("rose-gold"));
        QCOMPARE(checked(), QStringList{QStringLiteral("rose-gold")});

        // Choosing the checked item again keeps it.
        actions[2]->trigger();
        QCOMPARE(checked(), QStringList{QStringLiteral("rose-gold")});

        KVRNThemes::setCurrentID(QStringLiteral("gone"));
        QCOMPARE(checked(), QStringList());
        actions[4]->trigger();
        QCOMPARE(KVRNThemes::currentID(), QStringLiteral("midnight-black"));
        QCOMPARE(checked(), QStringList{QStringLiteral("midnight-black")});

        QCOMPARE(KVRNThemeMenu::escaped(QStringLiteral("Salt & Pepper")), QStringLiteral("Salt && Pepper"));
    }
};

QTEST_MAIN(TestThemes)
#include "test_themes.moc"
