// One walk through the whole window with the keyboard alone: picker, vehicle
// page and a bulletin, trouble codes, guides, My Garage with its service log
// and report. Wherever the screen changes, the focus must land on the new
// screen's first control, never out of sight.
#include "everyscreen.h"
#include "shellfixture.h"

#include "app/appmodel.h"
#include "data/vorel.h"
#include "garage/garageactions.h"
#include "garage/garagestore.h"
#include "kit/kvchromebutton.h"
#include "kit/kvreturnkey.h"
#include "kit/kvrnthemes.h"
#include "kit/kvzoom.h"
#include "look/chromerow.h"
#include "platform/netstatus.h"
#include "platform/opener.h"
#include "screens/codes/codelistmodel.h"
#include "screens/codes/codesview.h"
#include "screens/guides/guidelistrules.h"
#include "screens/guides/guidesview.h"
#include "screens/start/homeview.h"
#include "screens/start/pickercolumn.h"
#include "screens/screensetup.h"
#include "screens/search/searchhitrow.h"
#include "screens/search/searchresultsview.h"
#include "screens/vehicle/yearmenubutton.h"
#include "screens/garage/garagebody.h"
#include "screens/garage/garagelineedit.h"
#include "screens/garage/garagelistrow.h"
#include "screens/garage/garageservicepanel.h"
#include "screens/garage/garageview.h"
#include "screens/garage/reportcommands.h"
#include "screens/garage/reportmenu.h"
#include "shell/mainwindow.h"
#include "shell/mainwindowframe.h"
#include "shell/sidebar.h"
#include "shell/sidebarrow.h"
#include "support/fakehttp.h"
#include "support/tabwalk.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

using TabWalk::settle;
using TabWalk::tabTo;

namespace {

QWidget *focused()
{
    return QApplication::focusWidget();
}

void key(Qt::Key k)
{
    QTest::keyClick(focused(), k);
    settle();
}

void type(const QString &text)
{
    QTest::keyClicks(focused(), text);
    settle();
}

template<typename T>
T *focusedIn(QWidget *screen)
{
    QWidget *w = focused();
    return w && screen->isAncestorOf(w) ? qobject_cast<T *>(w) : nullptr;
}

} // namespace

// Counts the windows other than popups that open: a widget shown before it
// has a parent opens as one and takes the keyboard from the main window.
class WindowSpy : public QObject
{
public:
    QStringList opened;

    bool eventFilter(QObject *o, QEvent *e) override
    {
        auto *w = qobject_cast<QWidget *>(o);
        if (e->type() == QEvent::Show && w && w->isWindow() && w->windowType() != Qt::Popup)
            opened << QString::fromLatin1(w->metaObject()->className());
        return false;
    }
};

class TestKeyWalk : public QObject
{
    Q_OBJECT

private slots:
    void walk()
    {
        KVReturnKey::install();
        ShellFixture f;
        QVERIFY(f.ok());
        AppModel &m = f.model();
        FakeHttp http;
        Opener::setOpen({});
        int reportsSaved = 0;
        ReportCommands::install({[&](const GarageVehicle &, const QStringList &) { ++reportsSaved; }, {}, {}});
        registerEveryScreen(m, http);
        MainWindowFrame frame(m, NetStatus::shared());
        frame.resize(1440, 920);
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        settle();
        const auto screen = [&] { return frame.content()->screenView(); };
        const auto switchTo = [&](int digit) {
            QTest::keyClick(&frame, Qt::Key(Qt::Key_0 + digit), Qt::ControlModifier);
            settle();
        };

        WindowSpy windows;
        qApp->installEventFilter(&windows);
        // The window opens in the year list; year, make, then Return on a model.
        auto *home = qobject_cast<HomeView *>(screen());
        QVERIFY(home);
        QVERIFY(home->yearColumn()->rows().contains(qobject_cast<ChromeRow *>(focused())));
        type(QStringLiteral("2002"));
        key(Qt::Key_Tab);
        type(QStringLiteral("lin"));
        QCOMPARE(m.make(), QStringLiteral("LINCOLN"));
        key(Qt::Key_Tab);
        key(Qt::Key_Return);
        QCOMPARE(m.screen(), Screen::Vehicle);
        QVERIFY(focusedIn<YearMenuButton>(screen()));
        // Back in the picker, the keyboard is on the model again.
        QTest::keyClick(&frame, Qt::Key_Left, Qt::AltModifier);
        settle();
        home = qobject_cast<HomeView *>(screen());
        QVERIFY(home && home->modelColumn()->rows().contains(qobject_cast<ChromeRow *>(focused())));
        key(Qt::Key_Return);
        QVERIFY(focusedIn<YearMenuButton>(screen()));

        // A bulletin's "Open at NHTSA" is reached by Tab and works on Return
        // (the fixture's bulletins belong to another vehicle).
        m.setCurrentVehicle(9101);
        m.setCurrentYear(2002);
        settle();
        auto *openTSB = screen()->findChild<QAbstractButton *>(QStringLiteral("openTSB"));
        QVERIFY(openTSB && tabTo(openTSB));
        key(Qt::Key_Return);
        QTRY_VERIFY(!http.requests.isEmpty());

        // The codes screen starts in its filter, the guides in their list at
        // the guide shown.
        switchTo(3);
        QVERIFY(focusedIn<QLineEdit>(screen()));
        const QString firstShown = GuideListRules::shown(m.data()->guides(), std::nullopt)->id;
        switchTo(4);
        QVERIFY(focusedIn<QListView>(screen()));
        key(Qt::Key_Return);
        QCOMPARE(m.selectedGuide(), firstShown);

        // Back on the vehicle page, into My Garage.
        switchTo(2);
        QVERIFY(focusedIn<YearMenuButton>(screen()));
        key(Qt::Key_Tab);
        QCOMPARE(focused()->property("text").toString(), QStringLiteral("Add to My Garage"));
        key(Qt::Key_Return);
        QCOMPARE(m.garage()->vehicles().size(), 1);

        // The garage starts at its vehicle; a service entry from the keyboard,
        // after which the form is ready for the next one.
        switchTo(7);
        QVERIFY(focusedIn<GarageListRow>(screen()));
        GarageServicePanel *log = screen()->findChild<GarageBody *>()->servicePanel();
        QVERIFY(tabTo(log->titleField()));
        type(QStringLiteral("Oil change"));
        QVERIFY(tabTo(log->addButton()));
        key(Qt::Key_Return);
        QCOMPARE(m.garage()->entries(m.garage()->vehicles().front().id).size(), 1);
        QCOMPARE(focused(), static_cast<QWidget *>(log->dateField()));

        // The report menu opens on Return; its first item saves.
        auto *report = screen()->findChild<ReportMenu *>();
        QVERIFY(report && tabTo(report));
        QTimer::singleShot(0, [] {
            auto *menu = qobject_cast<QMenu *>(QApplication::activePopupWidget());
            QVERIFY(menu);
            QTest::keyClick(menu, Qt::Key_Down);
            QTest::keyClick(menu, Qt::Key_Return);
        });
        key(Qt::Key_Return);
        QCOMPARE(reportsSaved, 1);
        QVERIFY2(windows.opened.isEmpty(), qPrintable(windows.opened.join(u' ')));

        // A theme change builds the content anew: the keyboard starts in it.
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        KVRNThemes::setCurrentID(QStringLiteral("midnight-black"));
        settle();
        QVERIFY(focusedIn<GarageListRow>(screen()));
        KVRNThemes::setCurrentID(QStringLiteral("cobalt-gunmetal"));
        settle();

        // The results take the keyboard; a hit opens on Return, and the back
        // step returns to the same results with the keyboard on the first.
        m.setSearchText(QStringLiteral("lincoln"));
        m.runSearch();
        settle();
        auto *results = qobject_cast<SearchResultsView *>(screen());
        QVERIFY(results && focused() == results->rows().value(0));
        key(Qt::Key_Tab);
        QCOMPARE(focused(), results->rows().value(1));
        QTest::keyClick(focused(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focused(), results->rows().value(0));
        key(Qt::Key_Return);
        QCOMPARE(m.screen(), Screen::Vehicle);
        QTest::keyClick(&frame, Qt::Key_Left, Qt::AltModifier);
        settle();
        QCOMPARE(screen(), results);
        QCOMPARE(focused(), results->rows().value(0));
        Opener::reset();
    }

    // In the smallest window at 200%: on every screen, a Shift+Tab walk from
    // the sidebar back through the page keeps each control it reaches whole
    // in view; the code list opens the code the arrows move to.
    void smallWindow()
    {
        ShellFixture f;
        AppModel &m = f.model();
        FakeHttp http;
        registerEveryScreen(m, http);
        GarageVehicle v;
        v.title = QStringLiteral("2002 Lincoln Navigator");
        v.vehicleID = 9101;
        QVERIFY(GarageActions::add(v, *m.garage()));
        KVZoom::setValue(2.0);
        MainWindowFrame frame(m, NetStatus::shared());
        frame.resize(MainWindowFrame::minimumWindowSize());
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        m.setCurrentVehicle(9101);
        m.setCurrentYear(2002);
        m.setSelectedCode(QStringLiteral("P0420"));
        m.openGuide(QStringLiteral("overheating"));
        for (Screen screen : {Screen::Home, Screen::Vehicle, Screen::Codes, Screen::Guides, Screen::Obd1, Screen::Vin,
                              Screen::Garage, Screen::Credits}) {
            frame.content()->screenView()->setFocus(); // the keyboard follows into the next screen
            m.setScreen(screen);
            // A new screen's rows turn over a few passes (more in a slow,
            // sanitized build): wait until its sizes hold for 150 ms.
            QTest::qWait(100);
            const auto sizes = [&frame] {
                QList<QSize> out;
                for (const QWidget *w : frame.content()->screenView()->findChildren<QWidget *>())
                    out.append(w->size());
                return out;
            };
            for (int held = 0, i = 0; held < 3 && i < 60; ++i) {
                const QList<QSize> before = sizes();
                QTest::qWait(50);
                held = sizes() == before ? held + 1 : 0;
            }
            QWidget *page = frame.content()->screenView();
            // The page starts at its top, whatever its first control.
            for (const QScrollArea *area : page->findChildren<QScrollArea *>())
                QVERIFY2(area->verticalScrollBar()->value() == 0, qPrintable(screen.id()));
            frame.content()->sidebar()->row(screen)->setFocus(Qt::TabFocusReason);
            int onPage = 0;
            for (int i = 0; i < 30; ++i) {
                QTest::keyClick(focused(), Qt::Key_Tab, Qt::ShiftModifier);
                settle();
                QWidget *w = focused();
                // A slow (sanitized) build may need more passes to bring the control into view.
                const auto whole = [&] {
                    const QRect r = w->visibleRegion().boundingRect();
                    return r == w->rect() || (!r.isEmpty() && (w->width() > page->width() || w->height() > 200));
                };
                const bool inView = QTest::qWaitFor(whole, 2000);
                const QRect shown = w->visibleRegion().boundingRect();
                const QString where = QStringLiteral("%1 %2 %3: %4,%5 %6x%7 shown of %8x%9")
                                          .arg(screen.id(), QString::fromLatin1(w->metaObject()->className()), w->objectName())
                                          .arg(shown.x()).arg(shown.y()).arg(shown.width()).arg(shown.height())
                                          .arg(w->width()).arg(w->height());
                // A control taller or wider than the view shows in part.
                QVERIFY2(inView, qPrintable(where));
                onPage += page->isAncestorOf(w) ? 1 : 0;
            }
            QVERIFY2(onPage > 0, qPrintable(screen.id()));
        }
        QCOMPARE(frame.content()->sidebar()->findChild<QScrollArea *>()->horizontalScrollBar()->value(), 0);

        m.setSelectedCode(std::nullopt);
        m.setScreen(Screen::Codes);
        settle();
        auto *list = frame.content()->screenView()->findChild<QListView *>(QStringLiteral("codeList"));
        auto *field = frame.content()->screenView()->findChild<QLineEdit *>();
        QVERIFY(list && field);
        field->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Down);
        QCOMPARE(focused(), static_cast<QWidget *>(list));
        key(Qt::Key_Down);
        key(Qt::Key_Down);
        const auto *codes = static_cast<const CodeListModel *>(list->model());
        QCOMPARE(list->currentIndex().row(), 2);
        // The row the arrows reach shows in the page's view, whole.
        const QRect row = list->visualRect(list->currentIndex());
        QCOMPARE(list->viewport()->visibleRegion().intersected(row).boundingRect(), row);
        QCOMPARE(m.selectedCode().value_or(QString()), codes->codeAt(2));

        KVZoom::actualSize();
    }
};

QTEST_MAIN(TestKeyWalk)
#include "test_keywalk.moc"
