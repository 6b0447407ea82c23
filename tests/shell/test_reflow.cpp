// Every screen fits the window's width at the smallest window size and at the
// largest zoom: nothing scrolls sideways.
#include "shellfixture.h"

#include "app/appmodel.h"
#include "shell/mainwindowframe.h"
#include "platform/netstatus.h"
#include "app/screen.h"
#include "screens/garage/garagesetup.h"
#include "kit/kvzoom.h"
#include "kit/kvzoomhost.h"
#include "screens/screensetup.h"
#include "vin/vinsetup.h"

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

    void noSidewaysScrolling_data()
    {
        QTest::addColumn<QSize>("window");
        QTest::addColumn<int>("zoom");
        QTest::newRow("smallest window") << QSize(900, 600) << 100;
        QTest::newRow("largest zoom") << QSize(1440, 920) << 200;
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
            QVERIFY2(host->widget()->width() <= host->viewport()->width(), qPrintable(screen.id()));
            for (const QScrollBar *bar : frame.findChildren<QScrollBar *>()) {
                if (bar->orientation() == Qt::Horizontal && bar->isVisible())
                    QVERIFY2(bar->maximum() == 0, qPrintable(screen.id()));
            }
        }
        KVZoom::actualSize();
    }
};

QTEST_MAIN(TestReflow)
#include "test_reflow.moc"
