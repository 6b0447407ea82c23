#include "data/vehicleinfo.h"
#include "kit/kvchromebutton.h"
#include "kit/kvdropshadow.h"
#include "kit/kvrnthemes.h"
#include "kit/kvscale.h"
#include "look/bezel.h"
#include "look/chromerow.h"
#include "look/draftlabel.h"
#include "look/fvalert.h"
#include "look/fvpalette.h"
#include "look/gaugelabel.h"
#include "look/tag.h"
#include "look/vehiclesilhouette.h"
#include "kit/kvtextlabel.h"
#include "platform/prefs.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <QVBoxLayout>
#include <QtTest>

namespace {

QImage shot(QWidget *w, QSize size = {})
{
    w->setAttribute(Qt::WA_DontShowOnScreen);
    if (size.isValid())
        w->resize(size);
    else
        w->adjustSize();
    w->show();
    QApplication::processEvents();
    return w->grab().toImage();
}

// A black host, so that what a widget draws stands out.
struct Host : QWidget
{
    Host()
    {
        QPalette pal;
        pal.setColor(QPalette::Window, Qt::black);
        setPalette(pal);
        setAutoFillBackground(true);
    }
};

QList<QPointF> points(const QPainterPath &path)
{
    QList<QPointF> list;
    for (int i = 0; i < path.elementCount(); ++i)
        list << QPointF(path.elementAt(i));
    return list;
}

} // namespace

class TestWidgets : public QObject
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

    void silhouetteKindFromVehicle_data()
    {
        QTest::addColumn<QString>("types");
        QTest::addColumn<QString>("model");
        QTest::addColumn<int>("kind");
        QTest::newRow("truck") << "Truck" << "F-150" << int(VehicleKind::Truck);
        QTest::newRow("mpv") << "Multipurpose Passenger Vehicle (MPV)" << "Explorer" << int(VehicleKind::Suv);
        QTest::newRow("van") << "Multipurpose Passenger Vehicle (MPV)" << "Grand Caravan" << int(VehicleKind::Van);
        QTest::newRow("car") << "Passenger Car" << "Camry" << int(VehicleKind::Car);
    }

    void silhouetteKindFromVehicle()
    {
        QFETCH(QString, types);
        QFETCH(QString, model);
        QFETCH(int, kind);
        VehicleInfo v;
        v.types = types;
        v.model = model;
        VehicleSilhouette s(v.kind());
        QCOMPARE(int(s.kind()), kind);
    }

    // A van differs from an SUV only at the windscreen's start and the glass's front edge.
    void vanAndSuvDiffer()
    {
        const QList<QPointF> suv = points(VehicleSilhouette::silhouette(VehicleKind::Suv, 100, 100));
        const QList<QPointF> van = points(VehicleSilhouette::silhouette(VehicleKind::Van, 100, 100));
        QCOMPARE(suv.size(), van.size());
        QList<int> differ;
        for (qsizetype i = 0; i < suv.size(); ++i) {
            if (suv[i] != van[i])
                differ << int(i);
        }
        QCOMPARE(differ.size(), 1);
        QCOMPARE(suv[differ[0]], QPointF(34, 16));
        QCOMPARE(van[differ[0]], QPointF(30, 16));

        const QList<QPointF> suvGlass = points(VehicleSilhouette::windows(VehicleKind::Suv, 100, 100));
        const QList<QPointF> vanGlass = points(VehicleSilhouette::windows(VehicleKind::Van, 100, 100));
        QCOMPARE(suvGlass[0], QPointF(35.5, 21));
        QCOMPARE(vanGlass[0], QPointF(32, 21));
        QCOMPARE(suvGlass[3], QPointF(29.5, 37));
        QCOMPARE(vanGlass[3], QPointF(26, 37));
        QCOMPARE(suvGlass[1], vanGlass[1]);
        QCOMPARE(suvGlass[2], vanGlass[2]);
    }

    void outlinesSitOnTheWheelLine()
    {
        for (VehicleKind k : {VehicleKind::Car, VehicleKind::Suv, VehicleKind::Van, VehicleKind::Truck}) {
            const QRectF box = VehicleSilhouette::silhouette(k, 220, 100).boundingRect();
            QVERIFY(std::abs(box.bottom() - 74) < 1e-9);
            QVERIFY(box.left() >= 0.03 * 220 - 1e-9 && box.right() <= 0.98 * 220 + 1e-9);
            // Glass lies inside the body.
            const QPainterPath body = VehicleSilhouette::silhouette(k, 220, 100);
            QVERIFY(body.contains(VehicleSilhouette::windows(k, 220, 100).boundingRect().center()));
        }
        // The truck's bed is flat at 0.42 h behind the cab.
        const QPainterPath truck = VehicleSilhouette::silhouette(VehicleKind::Truck, 100, 100);
        QVERIFY(points(truck).contains(QPointF(58, 42)));
        QVERIFY(points(truck).contains(QPointF(96, 42)));
    }

    void silhouetteFits()
    {
        QCOMPARE(VehicleSilhouette::fit(QSizeF(440, 200)), QRectF(0, 0, 440, 200));
        QCOMPARE(VehicleSilhouette::fit(QSizeF(440, 400)), QRectF(0, 100, 440, 200));
        QCOMPARE(VehicleSilhouette::fit(QSizeF(880, 200)), QRectF(220, 0, 440, 200));
        const QRectF d = VehicleSilhouette::fit(QSizeF(440, 400));
        QCOMPARE(0.32 * d.height(), 64.0);
        QVERIFY(std::abs(VehicleSilhouette::kWheels[0] * d.width() - 101.2) < 1e-9);
        QVERIFY(std::abs(VehicleSilhouette::kWheels[1] * d.width() - 338.8) < 1e-9);
        QCOMPARE(0.74 * d.height(), 148.0);
    }

    // A theme change alters the glass tint (and the glow), never the body.
    void silhouetteThemeChangesOnlyGlass()
    {
        VehicleSilhouette s(VehicleKind::Suv);
        const QImage a = shot(&s, QSize(440, 200));
        KVRNThemes::setCurrentID(QStringLiteral("candy-red-titanium"));
        const QImage b = s.grab().toImage();
        const QPoint body(int(0.60 * 440), int(0.48 * 200));
        const QPoint glass(int(0.60 * 440), int(0.29 * 200));
        QCOMPARE(a.pixelColor(body), b.pixelColor(body));
        QVERIFY(a.pixelColor(glass) != b.pixelColor(glass));
        QVERIFY(b.pixelColor(glass).red() > a.pixelColor(glass).red());
        QCOMPARE(s.accessibleName(), QStringLiteral("Vehicle outline (no photo available)"));
        QCOMPARE(s.heightForWidth(440), 200);
    }

    void bezelDefaultsAndWidth()
    {
        Host host;
        auto *box = new QVBoxLayout(&host);
        box->setContentsMargins(20, 20, 20, 20);
        auto *bezel = new Bezel;
        auto *label = new QLabel(QStringLiteral("short"));
        bezel->setContent(label);
        box->addWidget(bezel);
        box->addStretch(1);
        const QImage img = shot(&host, QSize(500, 300));
        QCOMPARE(bezel->radius(), 22.0);
        QCOMPARE(bezel->padding(), 16.0);
        QCOMPARE(bezel->width(), 460); // the whole width offered
        QCOMPARE(label->geometry().topLeft(), QPoint(16, 16));
        QCOMPARE(bezel->height(), label->sizeHint().height() + 32);
        // Its shadow falls below it, outside its own rectangle.
        const QRect g = bezel->geometry();
        const QColor under = img.pixelColor(g.center().x(), g.bottom() + 4);
        QVERIFY(under == QColor(Qt::black)); // black shadow on black
        KVDropShadow *shadow = host.findChild<KVDropShadow *>();
        QVERIFY(shadow && shadow->geometry().bottom() > g.bottom() + 5);
        // Panel fill at the middle, no fill past the rounded corner.
        QVERIFY(img.pixelColor(g.center()) != QColor(Qt::black));
        QCOMPARE(img.pixelColor(g.topLeft() + QPoint(1, 1)), QColor(Qt::black));

        KVScale::shared().setFactor(2.0);
        QCOMPARE(bezel->contentLayout()->contentsMargins(), QMargins(32, 32, 32, 32));
    }

    void gaugeLabel()
    {
        GaugeLabel plain(QStringLiteral("Known for"));
        QCOMPARE(plain.shownText(), QStringLiteral("KNOWN FOR"));
        QCOMPARE(plain.dotColor(), FVPalette::current().accent);
        GaugeLabel red(QStringLiteral("Known for"), FVPalette::red());
        QCOMPARE(red.dotColor(), FVPalette::red());
        QCOMPARE(red.sizeHint(), plain.sizeHint());
        KVRNThemes::setCurrentID(QStringLiteral("rose-gold"));
        QCOMPARE(plain.dotColor(), QColor(0xE0, 0x78, 0x9A));
        const QImage img = shot(&plain);
        QVERIFY(img.height() >= 8);
        // The dot's rim shows the dot colour.
        const QColor edge = img.pixelColor(1, img.height() / 2);
        QVERIFY(edge.red() > edge.green());
    }

    void tagsKeepTheirIdealSize()
    {
        Tag plain(QStringLiteral("Online"), FVPalette::green());
        Tag withIcon(QStringLiteral("Online"), FVPalette::green(), QStringLiteral("wifi"));
        QCOMPARE(plain.accessibleName(), QStringLiteral("Online"));
        QCOMPARE(withIcon.accessibleName(), QStringLiteral("Online"));
        QVERIFY(withIcon.sizeHint().width() > plain.sizeHint().width() + 5);
        QCOMPARE(plain.sizePolicy().horizontalPolicy(), QSizePolicy::Fixed);
        Tag longer(QStringLiteral("Online and then a good deal more text"), FVPalette::green());
        QVERIFY(longer.sizeHint().width() > plain.sizeHint().width());
        QCOMPARE(longer.sizeHint().height(), plain.sizeHint().height());
        // A new label is measured anew (the hint is kept per font).
        plain.setLabel(longer.accessibleName(), FVPalette::green());
        QCOMPARE(plain.sizeHint(), longer.sizeHint());

        Host host;
        auto *tag = new Tag(QStringLiteral("Stop"), FVPalette::red(), QString(), &host);
        tag->move(10, 10);
        const QImage img = shot(&host, QSize(200, 60));
        QCOMPARE(tag->size(), tag->sizeHint());
        const QColor fill = img.pixelColor(tag->geometry().left() + 4, tag->geometry().center().y());
        QVERIFY(fill.red() > 120 && fill.green() < 60);

        DraftLabel draft;
        QCOMPARE(draft.text(), QStringLiteral("Draft \u2014 under technician review"));
        QCOMPARE(draft.color(), FVPalette::draft());
        QCOMPARE(draft.icon(), QStringLiteral("wrench.and.screwdriver.fill"));
    }

    void chromeRowSelection()
    {
        Host host;
        auto *box = new QVBoxLayout(&host);
        int clicks = 0;
        auto *off = new ChromeRow(false, [&clicks] { ++clicks; }, new QLabel(QStringLiteral("2001")));
        auto *on = new ChromeRow(true, {}, new QLabel(QStringLiteral("2002")));
        auto *alsoOn = new ChromeRow(true, {}, new QLabel(QStringLiteral("2003")));
        box->addWidget(off);
        box->addWidget(on);
        box->addWidget(alsoOn);
        box->addStretch(1);
        const QImage img = shot(&host, QSize(400, 200));

        QCOMPARE(off->width(), on->width());
        QVERIFY(off->width() > 300);
        QCOMPARE(off->label()->geometry().left(), 12);
        QCOMPARE(off->label()->geometry().top(), 7);
        const QColor onAccent = KVRNThemes::current().onAccent().color();
        QCOMPARE(on->foreground(), onAccent);
        QCOMPARE(off->foreground(), QColor(0xF2, 0xF5, 0xFA));
        QCOMPARE(off->label()->palette().color(QPalette::WindowText), QColor(0xF2, 0xF5, 0xFA));
        QCOMPARE(on->label()->palette().color(QPalette::WindowText), onAccent);

        // Selected rows lie on the accent; an unselected one shows nothing behind its label.
        const QPoint inOn = on->geometry().topLeft() + QPoint(on->width() - 20, on->height() / 2);
        const QPoint inAlsoOn = alsoOn->geometry().topLeft() + QPoint(alsoOn->width() - 20, alsoOn->height() / 2);
        const QPoint inOff = off->geometry().topLeft() + QPoint(off->width() - 20, off->height() / 2);
        QVERIFY(img.pixelColor(inOn).blue() > 150);
        QVERIFY(img.pixelColor(inAlsoOn).blue() > 150);
        QCOMPARE(img.pixelColor(inOff), QColor(Qt::black));

        // A click far right of the short label still counts.
        QTest::mouseClick(off, Qt::LeftButton, {}, QPoint(off->width() - 5, off->height() / 2));
        QCOMPARE(clicks, 1);
        QTest::mouseClick(off->label(), Qt::LeftButton);
        QCOMPARE(clicks, 2);

        off->setSelected(true);
        QCOMPARE(off->label()->palette().color(QPalette::WindowText), onAccent);
        KVRNThemes::setCurrentID(QStringLiteral("rose-gold"));
        on->setSelected(false);
        QCOMPARE(on->label()->palette().color(QPalette::WindowText), QColor(0xFF, 0xF2, 0xF5));
    }

    // Return presses the default, Escape answers none, a click its button;
    // a theme change while it is open rebuilds it with the same texts.
    void alertAnswers()
    {
        const auto answer = [](const std::function<void(QDialog *)> &act) {
            QTimer::singleShot(0, [act] {
                auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                QVERIFY(dialog);
                act(dialog);
            });
            return FVAlert::ask(nullptr, QStringLiteral("T"), QStringLiteral("Remove <b>x</b>?"), QStringLiteral("Note"),
                                {QStringLiteral("Remove"), QStringLiteral("Cancel")}, 1);
        };
        QCOMPARE(answer([](QDialog *d) { QTest::keyClick(d, Qt::Key_Return); }), 1);
        QCOMPARE(answer([](QDialog *d) { QTest::keyClick(d, Qt::Key_Escape); }), -1);
        QCOMPARE(answer([](QDialog *d) { d->findChildren<KVChromeButton *>().constFirst()->click(); }), 0);
        QCOMPARE(answer([](QDialog *d) {
                     KVRNThemes::setCurrentID(QStringLiteral("rose-gold"));
                     QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
                     const auto *message = d->findChild<KVTextLabel *>(QStringLiteral("message"));
                     QVERIFY(message && message->text() == QStringLiteral("Remove <b>x</b>?"));
                     QCOMPARE(message->textFormat(), Qt::PlainText);
                     QTest::keyClick(d, Qt::Key_Return);
                 }),
                 1);
    }
};

QTEST_MAIN(TestWidgets)
#include "test_widgets.moc"
