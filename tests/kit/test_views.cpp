#include "kit/kvchromebutton.h"
#include "kit/kvdropshadow.h"
#include "kit/kvfocusring.h"
#include "kit/kvfont.h"
#include "kit/kvkittheme.h"
#include "kit/kvnote.h"
#include "kit/kvpanel.h"
#include "kit/kvrntheme.h"
#include "kit/kvrnthemes.h"
#include "kit/kvscale.h"
#include "kit/kvsearchfield.h"
#include "kit/kvsymbolbutton.h"
#include "kit/kvwindowbackground.h"
#include "platform/prefs.h"
#include "support/repaintcheck.h"

#include <QAction>
#include <QApplication>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QImage shot(QWidget *w, QSize size = {})
{
    w->setAttribute(Qt::WA_DontShowOnScreen);
    if (size.isValid())
        w->resize(size);
    w->show();
    QApplication::processEvents();
    return w->grab().toImage();
}

// The widget alone on a transparent image (no window background).
QImage bare(QWidget *w)
{
    QImage img(w->size(), QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    w->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
    return img;
}

} // namespace

class TestViews : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { Prefs::shared().useFile(m_dir.filePath(QStringLiteral("prefs.ini"))); }
    void cleanup()
    {
        KVScale::shared().setFactor(1.0);
        KVRNThemes::setCurrentID(QStringLiteral("cobalt-gunmetal"));
    }

    void chromeButtonSizes_data()
    {
        QTest::addColumn<bool>("compact");
        QTest::addColumn<double>("font");
        QTest::addColumn<double>("padX");
        QTest::addColumn<double>("padY");
        QTest::newRow("regular") << false << 12.5 << 16.0 << 8.0;
        QTest::newRow("compact") << true << 11.0 << 12.0 << 5.0;
    }

    void chromeButtonSizes()
    {
        QFETCH(bool, compact);
        QFETCH(double, font);
        QFETCH(double, padX);
        QFETCH(double, padY);
        for (bool prominent : {false, true}) {
            KVChromeButton b(QStringLiteral("Search"), prominent, compact);
            const QFontMetricsF fm(KVFont::rounded(font, QFont::Bold));
            QCOMPARE(b.sizeHint().height(), int(std::ceil(fm.height() + 2 * padY)));
            QCOMPARE(b.sizeHint().width(), int(std::ceil(fm.horizontalAdvance(QStringLiteral("Search")) + 2 * padX)));
            QCOMPARE(b.prominent(), prominent);
            // Asked again after a change, it measures anew.
            b.setText(QStringLiteral("Search all"));
            QCOMPARE(b.sizeHint().width(), int(std::ceil(fm.horizontalAdvance(QStringLiteral("Search all")) + 2 * padX)));
            b.setCompact(!compact);
            QCOMPARE(b.sizeHint(), KVChromeButton(QStringLiteral("Search all"), prominent, !compact).sizeHint());
        }
    }

    void chromeButtonScalesWithZoom()
    {
        KVChromeButton b(QStringLiteral("Open"));
        const QSize one = b.sizeHint();
        KVScale::shared().setFactor(2.0);
        const QSize two = b.sizeHint();
        // Text does not scale exactly: the font engine rounds sizes to whole pixels.
        QVERIFY(std::abs(two.height() - 2 * one.height()) <= 2);
        QVERIFY(std::abs(two.width() - 2 * one.width()) <= one.width() / 10);
    }

    // The whole capsule takes clicks, the padding too, its cut corners not.
    void chromeButtonHitShape()
    {
        QWidget host;
        auto *b = new KVChromeButton(QStringLiteral("Go"), &host);
        b->move(20, 20);
        shot(&host, QSize(200, 100));
        QSignalSpy clicked(b, &QAbstractButton::clicked);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->width() / 2, 2));
        QCOMPARE(clicked.count(), 1);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(b->height() / 2, b->height() / 2));
        QCOMPARE(clicked.count(), 2);
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(1, 1));
        QCOMPARE(clicked.count(), 2);
    }

    // Prominent takes the accent, the plain grey fill stays in every theme.
    void chromeButtonColours()
    {
        QWidget host;
        auto *plain = new KVChromeButton(QStringLiteral("   "), &host);
        auto *prominent = new KVChromeButton(QStringLiteral("   "), true, false, &host);
        plain->move(10, 10);
        prominent->move(10, 60);
        QImage img = shot(&host, QSize(120, 110));
        auto middle = [&img](QWidget *w) { return img.pixelColor(w->geometry().center()); };
        const QColor grey = middle(plain);
        const QColor blue = middle(prominent);
        QVERIFY(blue.blue() > blue.red() + 60);
        QVERIFY(std::abs(grey.red() - grey.blue()) < 6);

        KVRNThemes::setCurrentID(QStringLiteral("candy-red-titanium"));
        plain->update();
        prominent->update();
        img = host.grab().toImage();
        QCOMPARE(middle(plain), grey);
        QVERIFY(middle(prominent).red() > middle(prominent).blue() + 60);
    }

    void buttonShadowFollowsTheButton()
    {
        QWidget host;
        auto *b = new KVChromeButton(QStringLiteral("Go"), &host);
        b->move(30, 30);
        shot(&host, QSize(200, 120));
        KVDropShadow *shadow = host.findChild<KVDropShadow *>();
        QVERIFY(shadow);
        QCOMPARE(shadow->owner(), b);
        QVERIFY(shadow->isVisible());
        QVERIFY(shadow->geometry().contains(b->geometry()));
        QVERIFY(shadow->geometry().bottom() > b->geometry().bottom() + 2); // cast downwards
        QCOMPARE(host.children().indexOf(shadow) < host.children().indexOf(b), true);
        QVERIFY(shadow->testAttribute(Qt::WA_TransparentForMouseEvents));

        b->move(60, 40);
        QVERIFY(shadow->geometry().contains(b->geometry()));
        b->hide();
        QVERIFY(!shadow->isVisible());
        b->show();
        QVERIFY(shadow->isVisible());
        QPointer<KVDropShadow> guard(shadow);
        delete b;
        QVERIFY(!shadow->isVisible());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(guard.isNull());
    }

    // A shadow made before the owner has a parent joins it when it gets one.
    void shadowJoinsALaterParent()
    {
        auto *b = new KVChromeButton(QStringLiteral("Later"));
        QWidget host;
        auto *box = new QVBoxLayout(&host);
        box->addWidget(b);
        shot(&host, QSize(200, 100));
        KVDropShadow *shadow = host.findChild<KVDropShadow *>();
        QVERIFY(shadow);
        QVERIFY(shadow->isVisible());
        QVERIFY(shadow->geometry().contains(b->geometry()));
    }

    void panelDefaults()
    {
        KVPanel panel;
        QCOMPARE(panel.radius(), 20.0);
        QCOMPARE(panel.padding(), 12.0);
        panel.setContent(new QLabel(QStringLiteral("x")));
        QCOMPARE(panel.contentLayout()->contentsMargins(), QMargins(12, 12, 12, 12));
        shot(&panel, QSize(200, 80));
        const QImage img = bare(&panel);
        // Filled to the edge, the corner cut round.
        QCOMPARE(qAlpha(img.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(img.pixel(100, 40)), 255);
        KVScale::shared().setFactor(1.5);
        QCOMPARE(panel.contentLayout()->contentsMargins(), QMargins(18, 18, 18, 18));

        KVPanel square(0, 4);
        shot(&square, QSize(50, 50));
        const QImage sq = bare(&square);
        QCOMPARE(qAlpha(sq.pixel(0, 0)), 255);
    }

    void searchFieldClearButton()
    {
        KVSearchField field(QStringLiteral("Search help"));
        shot(&field, QSize(300, 40));
        QCOMPARE(field.prompt(), QStringLiteral("Search help"));
        QCOMPARE(field.lineEdit()->placeholderText(), QStringLiteral("Search help"));
        QVERIFY(!field.clearButton()->isVisible());
        QCOMPARE(field.clearButton()->toolTip(), QStringLiteral("Clear search"));

        QSignalSpy changed(&field, &KVSearchField::textChanged);
        QTest::keyClicks(field.lineEdit(), QStringLiteral("  "));
        QCOMPARE(field.text(), QStringLiteral("  "));
        QVERIFY(field.clearButton()->isVisible()); // blanks count as text

        QTest::mouseClick(field.clearButton(), Qt::LeftButton);
        QCOMPARE(field.text(), QString());
        QCOMPARE(changed.last().first().toString(), QString());
        QVERIFY(!field.clearButton()->isVisible());

        field.setText(QStringLiteral("abc"));
        QVERIFY(field.clearButton()->isVisible());
        QCOMPARE(changed.last().first().toString(), QStringLiteral("abc"));
        field.setText(QString());
        QVERIFY(!field.clearButton()->isVisible());
    }

    void searchFieldFollowsTheme()
    {
        KVSearchField field(QStringLiteral("p"));
        shot(&field, QSize(300, 40));
        QCOMPARE(field.lineEdit()->palette().color(QPalette::Text), QColor(0xF2, 0xF5, 0xFA));
        KVRNThemes::setCurrentID(QStringLiteral("rose-gold"));
        field.grab();
        QCOMPARE(field.lineEdit()->palette().color(QPalette::Text), QColor(0xFF, 0xF2, 0xF5));
    }

    // The rim shows the focus however the field got it (as the VIN and garage
    // fields do), and the prompt reads on the field's own dark fill.
    void searchFieldShowsFocusAndReadsItsPrompt()
    {
        QWidget host;
        auto *other = new QLineEdit(&host);
        auto *field = new KVSearchField(QStringLiteral("Search"), &host);
        field->setGeometry(10, 40, 260, 36);
        host.resize(300, 100);
        host.show();
        host.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&host));
        other->setFocus();
        const QPoint edge(1, field->height() / 2);
        const auto rim = [&] { return field->grab().toImage().pixelColor(edge * field->devicePixelRatio()); };
        const QColor ring = KVFocusRing::color();
        const auto near = [](const QColor &a, const QColor &b) {
            return std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) < 40;
        };
        QVERIFY(!near(rim(), ring));
        QTest::mouseClick(field->lineEdit(), Qt::LeftButton);
        QVERIFY(field->showsFocus());
        QVERIFY(near(rim(), ring));
        other->setFocus();
        QVERIFY(!near(rim(), ring));

        using RGB = KVRNTheme::RGB;
        for (const KVRNTheme &t : KVRNThemes::builtIn()) {
            KVRNThemes::setCurrentID(t.id);
            field->grab();
            const RGB prompt = RGB::fromColor(field->lineEdit()->palette().color(QPalette::PlaceholderText));
            for (const RGB &ground : t.grounds())
                QVERIFY2(RGB::contrast(prompt, ground.mixed(RGB(0, 0, 0), 0.35)) >= 4.5, t.id.toUtf8());
        }
    }

    // A popup note holds the keyboard; a shortcut of its window still runs.
    void noteLetsWindowShortcutsThrough()
    {
        QWidget win;
        auto *control = new QLineEdit(&win);
        auto *print = new QAction(QStringLiteral("Print"), &win);
        print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
        win.addAction(print);
        QSignalSpy ran(print, &QAction::triggered);
        win.resize(300, 100);
        win.show();
        QVERIFY(QTest::qWaitForWindowExposed(&win));
        KVNote *note = KVNote::showBeside(control, QStringLiteral("Copied"));
        QVERIFY(QTest::qWaitForWindowExposed(note));
        QTest::keyClick(note, Qt::Key_X, Qt::ControlModifier);
        QVERIFY(KVNote::current());
        QTest::keyClick(note, Qt::Key_P, Qt::ControlModifier);
        QTRY_COMPARE(ran.size(), 1);
        QVERIFY(!KVNote::current());
    }

    void windowBackgroundFollowsTheme()
    {
        KVWindowBackground bg;
        QImage a = shot(&bg, QSize(400, 300));
        QCOMPARE(qAlpha(a.pixel(399, 299)), 255);
        KVRNThemes::setCurrentID(QStringLiteral("candy-red-titanium"));
        QImage b = bg.grab().toImage();
        // The glow at the top-left follows the accent; the sheen does not.
        QVERIFY(a.pixelColor(5, 5).blue() > b.pixelColor(5, 5).blue());
        QVERIFY(b.pixelColor(5, 5).red() > a.pixelColor(5, 5).red());
    }

    // The glows' radii are in points, so a zoom change must repaint the backdrop.
    void windowBackgroundRepaintsOnZoom()
    {
        KVWindowBackground bg;
        QVERIFY(repaintsOnZoom(bg));
    }

    void symbolButtonClicks()
    {
        KVSymbolButton b(QStringLiteral("trash"));
        QSignalSpy clicked(&b, &QAbstractButton::clicked);
        shot(&b);
        QVERIFY(b.width() > 0);
        QTest::mouseClick(&b, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
    }
};

QTEST_MAIN(TestViews)
#include "test_views.moc"
