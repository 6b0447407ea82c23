// Every screen fits the window's width at the smallest window size and at the
// largest zoom: nothing scrolls sideways.
#include "everyscreen.h"
#include "shellfixture.h"

#include "app/appmodel.h"
#include "platform/prefs.h"
#include "shell/mainwindowframe.h"
#include "platform/netstatus.h"
#include "app/screen.h"
#include "garage/garageactions.h"
#include "garage/garagestore.h"
#include "kit/kvownerfollower.h"
#include "kit/kvscale.h"
#include "kit/kvchromebutton.h"
#include "kit/kvlinklabel.h"
#include "kit/kvsearchfield.h"
#include "kit/kvtextlabel.h"
#include "look/columnscroll.h"
#include "look/tag.h"
#include "screens/garage/garagebody.h"
#include "screens/garage/garagecard.h"
#include "screens/garage/garagesetup.h"
#include "screens/garage/garageview.h"
#include "shell/headerbar.h"
#include "shell/headerfit.h"
#include "shell/mainwindow.h"
#include "shell/sidebar.h"
#include "support/fakehttp.h"
#include "kit/kvzoom.h"
#include "kit/kvzoomhost.h"
#include "look/fvscroll.h"
#include "screens/screensetup.h"
#include "screens/start/homeview.h"
#include "screens/start/pickercolumn.h"
#include "screens/guides/guiderunner.h"
#include "screens/guides/guidesview.h"
#include "screens/vehicle/vehicleview.h"
#include "vin/vinsetup.h"

#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QScrollArea>
#include <QTemporaryDir>
#include <QScrollBar>
#include <QtTest>

class TestReflow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        ScreenSetup::registerAll();
        VINSetup::registerScreen();
        GarageSetup::registerScreen();
    }

    // The sidebar keeps its full width wherever the content has room beside
    // it and gives the content what it needs in a small zoomed window.
    void sidebarWidth()
    {
        QCOMPARE(Sidebar::widthFor(900), Sidebar::fullWidth);
        QCOMPARE(Sidebar::widthFor(720), Sidebar::fullWidth); // 1440 px at 200%
        QVERIFY(Sidebar::widthFor(450) < Sidebar::fullWidth); // 900 px at 200%
        QVERIFY(450 - Sidebar::widthFor(450) >= Sidebar::contentMinimum);
        QCOMPARE(Sidebar::widthFor(100), Sidebar::narrowest);
    }

    // Stacked, the tag goes up beside a short title and gives its room to
    // the search box; beside a long title it stays on the search line.
    void headerTag()
    {
        const HeaderFit shortTitle = HeaderFit::fit(600, 200, 400, 430, 200, 150, 40);
        QVERIFY(shortTitle.stacked && shortTitle.tagUp);
        QCOMPARE(shortTitle.searchWidth, 350);
        const HeaderFit longTitle = HeaderFit::fit(600, 450, 400, 430, 200, 150, 40);
        QVERIFY(longTitle.stacked && !longTitle.tagUp);
        QCOMPARE(longTitle.searchWidth, 200);
        QVERIFY(!HeaderFit::fit(1200, 200, 400, 430, 200, 150, 40).tagUp);
    }

    void noSidewaysScrolling_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<int>("zoom");
        QTest::newRow("smallest window") << QSize(900, 600) << 100;
        QTest::newRow("largest zoom") << QSize(1440, 920) << 200;
        QTest::newRow("smallest window, largest zoom") << QSize(900, 600) << 200;
    }
    void noSidewaysScrolling()
    {
        QFETCH(QSize, window);
        QFETCH(int, zoom);
        ShellFixture f;
        AppModel &m = f.model();
        m.setSearchText(QStringLiteral("navigator"));
        m.openVehicle(9101, 2002);
        m.setSelectedCode(QStringLiteral("P0420"));
        m.setSelectedGuide(QStringLiteral("overheating"));
        GarageVehicle saved; // the code's garage row then offers its commands
        saved.title = QStringLiteral("2002 Lincoln Navigator");
        saved.vehicleID = 9101;
        QVERIFY(GarageActions::add(saved, *m.garage()));
        FakeHttp http;
        registerEveryScreen(m, http);
        KVZoom::setLevel(zoom);
        MainWindowFrame frame(m, NetStatus::shared());
        frame.setAttribute(Qt::WA_DontShowOnScreen);
        frame.resize(window);
        frame.show();
        for (Screen screen : Screen::allCases()) {
            m.setScreen(screen);
            for (int i = 0; i < 6; ++i)
                QCoreApplication::processEvents();
            KVZoomHost *host = frame.zoomHost();
            const QString where = QStringLiteral("%1: content %2 px in a %3 px view")
                                      .arg(screen.id())
                                      .arg(host->widget()->width())
                                      .arg(host->viewport()->width());
            QVERIFY2(host->widget()->width() <= host->viewport()->width(), qPrintable(where));
            for (const QScrollBar *bar : frame.findChildren<QScrollBar *>()) {
                if (bar->orientation() == Qt::Horizontal && bar->isVisible())
                    QVERIFY2(bar->maximum() == 0, qPrintable(screen.id()));
            }
            // The page title ends in an ellipsis where it is cut, whole in its tooltip.
            const auto *title = frame.findChild<KVTextLabel *>(QStringLiteral("pageTitle"));
            QVERIFY(title && title->width() <= title->parentWidget()->width());
            if (title->isCut())
                QCOMPARE(title->toolTip(), title->text());
            for (const KVLinkLabel *link : frame.findChildren<KVLinkLabel *>()) {
                if (link->isVisible() && link->isCut())
                    QVERIFY(link->toolTip().startsWith(link->text()));
            }
            // A code or guide stacked under its list scrolls with the page, not
            // in a strip of its own.
            if (zoom == 200 && window.width() == 900 && (screen == Screen::Codes || screen == Screen::Guides)) {
                const QString pane = screen == Screen::Codes ? QStringLiteral("CodeDetail") : QStringLiteral("GuideRunner");
                int found = 0;
                for (const FVScroll *page : frame.findChildren<FVScroll *>()) {
                    const QWidget *inner = page->content()->findChild<QWidget *>();
                    if (page->isVisible() && inner && inner->inherits(qPrintable(pane))) {
                        ++found;
                        QTRY_VERIFY2(page->wholeHeight(), qPrintable(pane));
                    }
                }
                QCOMPARE(found, 1);
            }
            // At 200% the picker's columns stand under one another, the models readable.
            if (auto *home = qobject_cast<HomeView *>(frame.content()->screenView()); home && zoom == 200)
                QTRY_VERIFY(home->modelColumn()->width() > KVScale::ipt(200));
            // No widget reaches past its parent's edge, where it would be cut.
            QStringList cut;
            QTRY_VERIFY2((cut = cutOff(frame.content())).isEmpty(),
                         qPrintable(screen.id() + QStringLiteral(": ") + cut.join(QStringLiteral(", "))));
            // Nor is a page or list cut off by its scroll area, which never scrolls sideways.
            for (const QScrollArea *area : frame.findChildren<QScrollArea *>()) {
                if (area->isVisible() && area->widget()) {
                    // Rows turn after the resize that narrows them, a turn of the event loop later.
                    QTRY_VERIFY2(area->widget()->width() <= area->viewport()->width(),
                             qPrintable(QStringLiteral("%1: %2 px in a %3 px area")
                                            .arg(screen.id())
                                            .arg(area->widget()->width())
                                            .arg(area->viewport()->width())));
                }
            }
        }
        KVZoom::actualSize();
        ScreenSetup::registerAll();
        VINSetup::registerScreen();
        GarageSetup::registerScreen();
    }

    // A full vehicle page (photo, chips, chart, investigations, bulletins)
    // fits its scroll area at the smallest window and the largest zoom.
    void vehiclePageFits()
    {
        const QString sample = QStringLiteral(FV_TESTDATA_DIR "/vorel-sample.db");
        if (!QFileInfo::exists(sample))
            QSKIP("the sample reference database has not been generated (target vorel_sample)");
        QTemporaryDir home;
        Prefs::shared().useFile(home.filePath(QStringLiteral("prefs.ini")));
        AppModel m(AppModel::Locations{sample, QStringLiteral(FV_TESTDATA_DIR "/photos-sample"),
                                       home.filePath(QStringLiteral("garage.sqlite"))});
        FakeHttp http;
        MainWindow::registerScreen(Screen::Vehicle,
                                   [&] { return ScreenSetup::vehiclePage(m, NetStatus::shared(), http); });
        KVZoom::setLevel(200);
        QStringList over;
        int room = 0;
        {
        MainWindowFrame frame(m, NetStatus::shared());
        frame.setAttribute(Qt::WA_DontShowOnScreen);
        frame.resize(900, 600);
        frame.show();
        m.openVehicle(1118, 2002); // Navigator: photo, chart, investigation, 87 bulletins
        const FVScroll *page = nullptr;
        QTRY_VERIFY((page = shownPage(frame.findChild<VehicleView *>())) != nullptr);
        for (int i = 0; i < 6; ++i)
            QCoreApplication::processEvents();
        const QScrollArea *area = page->scrollArea();
        room = area->viewport()->width();
        for (const QWidget *w : area->widget()->findChildren<QWidget *>()) {
            if (w->isVisible() && w->mapTo(area->widget(), QPoint(w->width(), 0)).x() > room)
                over << QStringLiteral("%1 %2 (%3 px)").arg(w->metaObject()->className(), w->objectName()).arg(w->width());
        }
        // Every section as tall as its content at the page's width, and no
        // room left over below the last.
        QStringList cut;
        QTRY_VERIFY2((cut = cutOff(page->content())).isEmpty(), qPrintable(cut.join(QStringLiteral(", "))));
        const QWidget *credit = page->content()->findChild<QWidget *>(QStringLiteral("credit"));
        const int slack = page->content()->height() - credit->geometry().bottom();
        QVERIFY2(slack <= KVScale::ipt(20) + 1, qPrintable(QString::number(slack)));
        // Back to 100% with the full page open: every row turns back without
        // one layout pass nesting in another's.
        KVZoom::actualSize();
        for (int i = 0; i < 6; ++i)
            QCoreApplication::processEvents();
        QVERIFY(page->scrollArea()->horizontalScrollBar()->maximum() == 0);
        }
        ScreenSetup::registerAll();
        QVERIFY2(over.isEmpty(), qPrintable(QStringLiteral("%1 px area: ").arg(room) + over.join(QStringLiteral(", "))));
    }

    // My Garage with a full vehicle (card, codes, service log) at the smallest
    // window and the largest zoom: nothing past the right edge of its column,
    // and the header leaves the search box room to type.
    void garageFits()
    {
        ShellFixture f;
        AppModel &m = f.model();
        GarageStore &g = *m.garage();
        GarageVehicle v;
        v.title = QStringLiteral("2002 Lincoln Navigator");
        v.vehicleID = 9101;
        const std::optional<qint64> id = GarageActions::add(v, g);
        QVERIFY(id);
        ServiceEntry e;
        e.garageID = *id;
        e.date = QStringLiteral("2026-06-12");
        e.mileage = 176400;
        e.title = QStringLiteral("Rear air springs and the compressor relay");
        e.details = QStringLiteral("Both sides replaced");
        e.cost = QStringLiteral("$1,410.00");
        QVERIFY(GarageActions::log(e, g));
        QVERIFY(GarageActions::addCode(QStringLiteral("P0300"), *id, g, QString()));
        MainWindow::registerScreen(Screen::Garage, [&] { return new GarageView(m); });
        KVZoom::setLevel(200);
        MainWindowFrame frame(m, NetStatus::shared());
        frame.setAttribute(Qt::WA_DontShowOnScreen);
        frame.resize(900, 600);
        frame.show();
        m.setScreen(Screen::Garage);
        GarageBody *body = nullptr;
        QTRY_VERIFY((body = frame.findChild<GarageBody *>()) && body->showsVehicle());
        for (int i = 0; i < 8; ++i)
            QCoreApplication::processEvents();
        // Stacked: the list sits in the one scrolling column, above the card.
        const ColumnScroll *column = nullptr;
        for (const ColumnScroll *c : body->findChildren<ColumnScroll *>()) {
            if (c->content()->isAncestorOf(body->card()))
                column = c;
        }
        QVERIFY(column && column->scrollArea());
        const QWidget *content = column->content();
        QVERIFY(content->isAncestorOf(body->exportButton()));
        QStringList over;
        QTRY_VERIFY2((over = pastRightEdge(content, column->scrollArea()->viewport()->width())).isEmpty(),
                      qPrintable(over.join(QStringLiteral(", "))));
        const Header *header = frame.findChild<Header *>();
        QTRY_VERIFY(header->searchField()->width() >= KVScale::ipt(140));
        QVERIFY(header->onlineTag()->mapTo(header, QPoint(header->onlineTag()->width(), 0)).x() <= header->width());
        // Wide again, the list goes back beside the card.
        KVZoom::actualSize();
        frame.resize(1440, 920);
        QTRY_VERIFY(!content->isAncestorOf(body->exportButton()));
        GarageSetup::registerScreen();
    }

    // In the window, Tab from the guide list goes into the open guide.
    void guideAfterList()
    {
        ShellFixture f;
        AppModel &m = f.model();
        MainWindow::registerScreen(Screen::Guides, [&] { return new GuidesView(m); });
        MainWindowFrame frame(m, NetStatus::shared());
        frame.resize(1200, 800);
        frame.show();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        m.setScreen(Screen::Guides);
        m.openGuide(QStringLiteral("overheating"));
        for (int i = 0; i < 6; ++i)
            QCoreApplication::processEvents();
        GuidesView *view = frame.findChild<GuidesView *>();
        QVERIFY(view && view->runner()->stepBox());
        view->listView()->setFocus(Qt::TabFocusReason);
        // Return on another focused guide opens it.
        const QString before = m.selectedGuide().value_or(QString());
        QTest::keyClick(view->listView(), Qt::Key_Down);
        QTest::keyClick(view->listView(), Qt::Key_Return);
        for (int i = 0; i < 6; ++i)
            QCoreApplication::processEvents();
        QVERIFY(m.selectedGuide() && *m.selectedGuide() != before);
        QWidget *w = view->listView();
        for (int i = 0; i < 40 && !view->runner()->isAncestorOf(w); ++i) {
            QTest::keyClick(w, Qt::Key_Tab);
            QCoreApplication::processEvents();
            w = QApplication::focusWidget();
            QVERIFY2(view->isAncestorOf(w), qPrintable(QStringLiteral("Tab left the screen for %1").arg(w ? w->metaObject()->className() : "nothing")));
        }
        QVERIFY(view->runner()->isAncestorOf(w));
        ScreenSetup::registerAll();
    }

private:
    // The visible widgets of `content` that reach past `room` pixels (but
    // shadows, drawn outside their owners on purpose).
    static QStringList pastRightEdge(const QWidget *content, int room)
    {
        QStringList over;
        for (const QWidget *w : content->findChildren<QWidget *>()) {
            if (w->isVisible() && !qobject_cast<const KVOwnerFollower *>(w) && w->mapTo(content, QPoint(w->width(), 0)).x() > room)
                over << QStringLiteral("%1 %2 (%3 px in %4)").arg(w->metaObject()->className(), w->objectName()).arg(w->width()).arg(room);
        }
        return over;
    }

    // The visible widgets under `root` that reach outside their parent or
    // wrap into more lines than they have room for, but
    // for those a scroll area shows a part of and the rings and shadows drawn
    // outside their owners on purpose.
    static QStringList cutOff(const QWidget *root)
    {
        QStringList cut;
        for (const QWidget *w : root->findChildren<QWidget *>()) {
            const QWidget *p = w->parentWidget();
            if (!w->isVisible() || qobject_cast<const KVOwnerFollower *>(w) || !p ||
                qobject_cast<const QAbstractScrollArea *>(p->parentWidget()))
                continue;
            // A widget shorter than its height at its width (a wrapped text, a panel).
            if (w->hasHeightForWidth() && w->height() < w->heightForWidth(w->width())) {
                const auto *label = qobject_cast<const QLabel *>(w);
                cut << QStringLiteral("%1 %2 \"%3\" (%4 px of %5)")
                           .arg(w->metaObject()->className(), w->objectName(), label ? label->text().left(30) : QString())
                           .arg(w->height()).arg(w->heightForWidth(w->width()));
            }
            if (!p->rect().contains(w->geometry()))
                cut << QStringLiteral("%1 %2 in %3 %4 (%5,%6 %7x%8 in %9x%10)")
                           .arg(w->metaObject()->className(), w->objectName(), p->metaObject()->className(), p->objectName())
                           .arg(w->x()).arg(w->y()).arg(w->width()).arg(w->height()).arg(p->width()).arg(p->height());
        }
        return cut;
    }

    // The visible scroll page inside `screen`.
    static const FVScroll *shownPage(const VehicleView *screen)
    {
        if (!screen || !screen->isVisible() || !screen->showsPage())
            return nullptr;
        for (const FVScroll *page : screen->findChildren<FVScroll *>()) {
            if (page->scrollArea() && page->scrollArea()->isVisible())
                return page;
        }
        return nullptr;
    }
};

QTEST_MAIN(TestReflow)
#include "test_reflow.moc"
