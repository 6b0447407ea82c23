// Every screen fits the window's width at the smallest window size and at the
// largest zoom: nothing scrolls sideways.
#include "shellfixture.h"

#include "app/appmodel.h"
#include "shell/mainwindowframe.h"
#include "platform/netstatus.h"
#include "app/screen.h"
#include "screens/garage/garagesetup.h"
#include "shell/sidebar.h"
#include "kit/kvzoom.h"
#include "kit/kvzoomhost.h"
#include "look/fvscroll.h"
#include "screens/screensetup.h"
#include "vin/vinsetup.h"

#include <QScrollArea>
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
            // Nor is a page cut off by its scroll area, which never scrolls sideways.
            for (const FVScroll *page : frame.findChildren<FVScroll *>()) {
                const QScrollArea *area = page->scrollArea();
                if (area && area->isVisible() && area->widget()) {
                    QVERIFY2(area->widget()->width() <= area->viewport()->width(),
                             qPrintable(QStringLiteral("%1: %2 px in a %3 px area")
                                            .arg(screen.id())
                                            .arg(area->widget()->width())
                                            .arg(area->viewport()->width())));
                }
            }
        }
        KVZoom::actualSize();
    }
};

QTEST_MAIN(TestReflow)
#include "test_reflow.moc"
