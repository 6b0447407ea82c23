// The main window: screen switch, sidebar, header and search box, error panel,
// recall sheet, and the menu bar.

#include "shellfixture.h"

#include "app/appmodel.h"
#include "app/backstep.h"
#include "shell/headerfit.h"
#include "platform/fvinfo.h"
#include "shell/headerbar.h"
#include "shell/headertitle.h"
#include "shell/mainwindow.h"
#include "shell/mainwindowframe.h"
#include "shell/menubar.h"
#include "shell/menubarmodel.h"
#include "platform/netstatus.h"
#include "shell/sidebar.h"
#include "shell/sidebarrow.h"
#include "data/vorel.h"
#include "kit/kvchromebutton.h"
#include "kit/kvmnemonics.h"
#include "kit/kvrnkit.h"
#include "kit/kvrnthemes.h"
#include "kit/kvscale.h"
#include "kit/kvsearchfield.h"
#include "kit/kvsymbolbutton.h"
#include "kit/kvzoom.h"
#include "kit/kvzoomhost.h"
#include "look/fvpalette.h"
#include "look/tag.h"
#include "platform/prefs.h"

#include <QDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QtTest>

namespace {

void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::processEvents();
}

QStringList titles(const QMenu *menu)
{
    QStringList out;
    for (const QAction *a : menu->actions())
        out.append(a->isSeparator() ? QStringLiteral("-") : a->text());
    return out;
}

QMenu *menuTitled(const QMenuBar &bar, const QString &title)
{
    for (QAction *a : bar.actions()) {
        if (a->text() == title)
            return a->menu();
    }
    return nullptr;
}

QStringList labelTexts(const QWidget *w)
{
    QStringList out;
    for (const QLabel *l : w->findChildren<QLabel *>())
        out.append(l->text());
    return out;
}

} // namespace

class TestWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        KVRNKit::install(FVInfo::appName(), {});
        NetStatus::shared().override(true);
    }

    void cleanup()
    {
        MainWindow::clearMakers();
        MenuBarModel::setReportCommands({});
        NetStatus::shared().override(true);
    }

    void headerTitleRule()
    {
        ShellFixture f;
        QVERIFY(f.ok());
        const Vorel *data = f.model().data();
        QVERIFY(data);
        using HeaderTitle::title;
        QCOMPARE(title(Screen::Vehicle, data, 1, 2002), QStringLiteral("2002 Lincoln Navigator"));
        QCOMPARE(title(Screen::Vehicle, data, 1, std::nullopt), QStringLiteral(" Lincoln Navigator"));
        QCOMPARE(title(Screen::Vehicle, data, std::nullopt, 2002), QStringLiteral("Vehicle"));
        QCOMPARE(title(Screen::Vehicle, data, 999, 2002), QStringLiteral("Vehicle"));
        QCOMPARE(title(Screen::Vehicle, nullptr, 1, 2002), QStringLiteral("Vehicle"));
        QCOMPARE(title(Screen::Search, data, 1, 2002), QStringLiteral("Search Results"));
        QCOMPARE(title(Screen::Obd1, data, 1, 2002), QStringLiteral("OBD-I & Older Vehicles"));
    }

    void headerFollowsModel()
    {
        ShellFixture f;
        AppModel &m = f.model();
        Header header(m, NetStatus::shared());
        QCOMPARE(header.title(), QStringLiteral("Find a Vehicle"));
        m.setScreen(Screen::Vehicle);
        settle();
        QCOMPARE(header.title(), QStringLiteral("Vehicle"));
        m.openVehicle(1, 2002);
        settle();
        QCOMPARE(header.title(), QStringLiteral("2002 Lincoln Navigator"));
        QCOMPARE(header.searchField()->prompt(), Header::searchPrompt());
    }

    void searchBox()
    {
        ShellFixture f;
        AppModel &m = f.model();
        Header header(m, NetStatus::shared());
        KVSearchField *field = header.searchField();
        QLineEdit *edit = field->lineEdit();

        // Typing edits the model's text at once and runs nothing.
        QTest::keyClicks(edit, QStringLiteral("P0420"));
        QCOMPARE(m.searchText(), QStringLiteral("P0420"));
        QCOMPARE(m.screen(), Screen::Home);
        QVERIFY(field->clearButton()->isVisibleTo(field));

        QTest::keyClick(edit, Qt::Key_Return);
        QCOMPARE(m.screen(), Screen::Search);
        settle();
        QCOMPARE(header.title(), QStringLiteral("Search Results"));

        // The clear button only clears: the results screen stays.
        QTest::mouseClick(field->clearButton(), Qt::LeftButton);
        QCOMPARE(m.searchText(), QString());
        QCOMPARE(m.screen(), Screen::Search);
        QVERIFY(!field->clearButton()->isVisibleTo(field));

        // Blanks only: neither Return nor the button leaves the screen.
        m.setScreen(Screen::Codes);
        edit->setText(QStringLiteral("  \t "));
        QTest::keyClick(edit, Qt::Key_Return);
        QTest::mouseClick(header.searchButton(), Qt::LeftButton);
        QCOMPARE(m.screen(), Screen::Codes);
        QVERIFY(field->clearButton()->isVisibleTo(field));

        // The button is the same action as Return; the model's text shows in the box.
        m.setSearchText(QStringLiteral("overheating"));
        settle();
        QCOMPARE(field->text(), QStringLiteral("overheating"));
        QVERIFY(header.searchButton()->prominent() && header.searchButton()->compact());
        QTest::mouseClick(header.searchButton(), Qt::LeftButton);
        QCOMPARE(m.screen(), Screen::Search);
        QCOMPARE(m.searchText(), QStringLiteral("overheating"));
    }

    void searchBoxLook()
    {
        // The header's box: 12 by 8 points around the field, 430 wide, on a
        // capsule of black at 0.4 with a rim from black at 0.7 (top) to white
        // at 0.35 (bottom).
        ShellFixture f;
        Header header(f.model(), NetStatus::shared());
        header.setAttribute(Qt::WA_DontShowOnScreen);
        header.resize(1200, header.sizeHint().height());
        header.show();
        settle();
        KVSearchField *field = header.searchField();
        QCOMPARE(field->layout()->contentsMargins(),
                 QMargins(KVScale::ipt(12), KVScale::ipt(8), KVScale::ipt(12), KVScale::ipt(8)));
        QCOMPARE(field->width(), KVScale::ipt(430));
        QImage shot(field->size(), QImage::Format_ARGB32);
        shot.fill(Qt::transparent);
        field->render(&shot, QPoint(), QRegion(), QWidget::DrawChildren);
        const int x = shot.width() / 2;
        const QColor fill = shot.pixelColor(x, KVScale::ipt(4)); // inside the top padding
        QVERIFY2(qAbs(fill.alpha() - 102) <= 3, qPrintable(fill.name(QColor::HexArgb)));
        QVERIFY(fill.red() <= 2);
        const QColor top = shot.pixelColor(x, 0);
        QVERIFY2(qAbs(top.alpha() - 209) <= 6 && top.red() <= 2, qPrintable(top.name(QColor::HexArgb)));
        const QColor bottom = shot.pixelColor(x, shot.height() - 1);
        QVERIFY2(qAbs(bottom.alpha() - 156) <= 6 && qAbs(bottom.red() - 146) <= 8,
                 qPrintable(bottom.name(QColor::HexArgb)));
    }

    void onlineTag()
    {
        ShellFixture f;
        Header header(f.model(), NetStatus::shared());
        Tag *tag = header.onlineTag();
        QCOMPARE(tag->text(), QStringLiteral("Online"));
        QCOMPARE(tag->color(), FVPalette::green());
        QCOMPARE(tag->icon(), QStringLiteral("wifi"));

        const QString title = header.title();
        NetStatus::shared().override(false);
        settle();
        tag = header.onlineTag();
        QCOMPARE(tag->text(), QStringLiteral("Offline"));
        QCOMPARE(tag->color(), QColor::fromRgbF(0.35f, 0.35f, 0.35f));
        QCOMPARE(tag->icon(), QStringLiteral("wifi.slash"));
        QCOMPARE(header.title(), title);
        settle();
        QCOMPARE(header.findChildren<Tag *>().size(), qsizetype(1));
    }

    void sidebarRows()
    {
        ShellFixture f;
        AppModel &m = f.model();
        Sidebar sidebar(m);
        QStringList names;
        for (const SidebarRow *r : sidebar.rows())
            names.append(r->title());
        QCOMPARE(names, QStringList({"Find a Vehicle", "Vehicle", "Trouble Codes", "Troubleshooting Guides",
                                     "OBD-I & Older Vehicles", "VIN Decoder", "My Garage", "Data & Photo Credits"}));
        QCOMPARE(sidebar.width(), KVScale::ipt(236));

        // No vehicle yet: the Vehicle row is faded and does nothing.
        SidebarRow *vehicle = sidebar.row(Screen::Vehicle);
        QVERIFY(!vehicle->available());
        QTest::mouseClick(vehicle, Qt::LeftButton);
        QCOMPARE(m.screen(), Screen::Home);
        QVERIFY(sidebar.row(Screen::Home)->selected());

        QTest::mouseClick(sidebar.row(Screen::Codes), Qt::LeftButton);
        QCOMPARE(m.screen(), Screen::Codes);
        settle();
        QVERIFY(sidebar.row(Screen::Codes)->selected());
        QVERIFY(!sidebar.row(Screen::Home)->selected());
        QCOMPARE(sidebar.row(Screen::Codes)->foreground(), FVPalette::current().onAccent());

        // The search results count as Find a Vehicle, and only that row is selected.
        m.setScreen(Screen::Search);
        settle();
        int selected = 0;
        for (const SidebarRow *r : sidebar.rows())
            selected += r->selected() ? 1 : 0;
        QCOMPARE(selected, 1);
        QVERIFY(sidebar.row(Screen::Home)->selected());

        m.openVehicle(1, 2002);
        settle();
        QVERIFY(vehicle->available());
        m.setScreen(Screen::Home);
        QTest::mouseClick(vehicle, Qt::LeftButton);
        QCOMPARE(m.screen(), Screen::Vehicle);

        // A shortcut's screen change takes the focus ring along the rows.
        sidebar.show();
        QApplication::setActiveWindow(&sidebar);
        QVERIFY(QTest::qWaitForWindowActive(&sidebar));
        vehicle->setFocus();
        m.setScreen(Screen::Guides);
        settle();
        QVERIFY(sidebar.row(Screen::Guides)->hasFocus());
    }

    void screenSwitch()
    {
        ShellFixture f;
        AppModel &m = f.model();
        int made = 0;
        MainWindow::registerScreen(Screen::Vin, [&made] {
            ++made;
            return new QLabel(QStringLiteral("vin view"));
        });
        MainWindow window(m, NetStatus::shared());
        QVERIFY(!window.showsLoadError());

        // Screens nobody registered: an empty panel with the title.
        QVERIFY(labelTexts(window.screenView()).isEmpty());
        QVERIFY(window.screenView()->findChild<QWidget *>(QStringLiteral("placeholderTitle")));

        m.setScreen(Screen::Vin);
        settle();
        QCOMPARE(made, 1);
        QWidget *vin = window.screenView();
        QCOMPARE(qobject_cast<QLabel *>(vin)->text(), QStringLiteral("vin view"));

        // The same screen again keeps the view (and its state).
        m.setScreen(Screen::Vin);
        settle();
        QCOMPARE(window.screenView(), vin);
        QCOMPARE(made, 1);

        // Away and back: a fresh view.
        m.setScreen(Screen::Home);
        settle();
        QCOMPARE(window.shownScreen(), Screen::Home);
        m.setScreen(Screen::Vin);
        settle();
        QCOMPARE(made, 2);

        // A kept screen is made once and hidden while another shows.
        MainWindow::registerScreen(Screen::Credits, [&made] {
            ++made;
            return new QLabel(QStringLiteral("credits"));
        }, MainWindow::Keep::Yes);
        m.setScreen(Screen::Credits);
        settle();
        QWidget *credits = window.screenView();
        m.setScreen(Screen::Home);
        settle();
        QVERIFY(credits->isHidden() && window.isAncestorOf(credits));
        m.setScreen(Screen::Credits);
        settle();
        QCOMPARE(window.screenView(), credits);
        QCOMPARE(made, 3);

        // The Go menu drives the same switch; Search… shows the start screen.
        MenuDef go = MenuBarModel::goMenu(m);
        go.entries[2].action();
        settle();
        QCOMPARE(window.shownScreen(), Screen::Codes);
        m.setScreen(Screen::Search);
        go.entries.last().action();
        QCOMPARE(m.screen(), Screen::Home);
        go.entries[1].action(); // Vehicle also without a vehicle
        QCOMPARE(m.screen(), Screen::Vehicle);
    }

    void goMenuShortcuts()
    {
        ShellFixture f;
        const MenuDef go = MenuBarModel::goMenu(f.model());
        QCOMPARE(go.title, QStringLiteral("Go"));
        QCOMPARE(go.entries.size(), 10);
        for (int i = 0; i < 7; ++i) {
            QCOMPARE(go.entries[i].title, Screen::sidebar()[i].title());
            QCOMPARE(go.entries[i].shortcuts, QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key(Qt::Key_1 + i))});
        }
        QCOMPARE(go.entries[7].title, QStringLiteral("Data & Photo Credits"));
        QVERIFY(go.entries[7].shortcuts.isEmpty());
        QCOMPARE(go.entries[8].kind, MenuEntry::Kind::Separator);
        QCOMPARE(go.entries[9].title, QStringLiteral("Search\u2026"));
        QCOMPARE(go.entries[9].shortcuts, QList<QKeySequence>{QKeySequence(Qt::CTRL | Qt::Key_F)});
    }

    void damageFoundLaterShowsThePanel()
    {
        ShellFixture f(ShellFixture::Data::Damaged);
        AppModel &m = f.model();
        MainWindow window(m, NetStatus::shared());
        QVERIFY(!window.showsLoadError());
        m.data()->recalls(9101, 2002);
        settle();
        QVERIFY(window.showsLoadError());
        QCOMPARE(labelTexts(window.screenView()), QStringList{AppModel::damagedText()});
    }

    void loadErrorPanel()
    {
        ShellFixture f(ShellFixture::Data::Missing);
        AppModel &m = f.model();
        QVERIFY(m.loadError());
        int made = 0;
        for (Screen s : Screen::allCases())
            MainWindow::registerScreen(s, [&made] {
                ++made;
                return new QLabel(QStringLiteral("screen"));
            });
        MainWindow window(m, NetStatus::shared());
        const QString expected = MainWindow::loadErrorText(*m.loadError());
        QVERIFY(expected.startsWith(QStringLiteral("The reference data could not be opened: ")));
        for (Screen s : Screen::allCases()) {
            m.setScreen(s);
            settle();
            QVERIFY(window.showsLoadError());
            QCOMPARE(labelTexts(window.screenView()), QStringList{expected});
            QCOMPARE(window.header()->title(), s == Screen::Vehicle ? QStringLiteral("Vehicle") : s.title());
        }
        QCOMPARE(made, 0);
        // A search still switches the screen; the panel stays.
        m.setSearchText(QStringLiteral("brakes"));
        m.runSearch();
        settle();
        QCOMPARE(window.header()->title(), QStringLiteral("Search Results"));
        QVERIFY(window.showsLoadError());
    }

    void recallSheet()
    {
        ShellFixture f;
        AppModel &m = f.model();
        QStringList asked;
        std::function<void()> close;
        MainWindow::setRecallSheetMaker([&](const QString &campaign, std::function<void()> dismiss) {
            asked.append(campaign);
            close = dismiss;
            return new QLabel(campaign);
        });
        MainWindow window(m, NetStatus::shared());
        m.setScreen(Screen::Codes);
        m.setRecallShown(QStringLiteral("02V123000"));
        settle();
        QDialog *sheet = window.recallSheet();
        QVERIFY(sheet);
        QVERIFY(sheet->isVisible());
        QCOMPARE(sheet->windowModality(), Qt::WindowModal);
        QVERIFY(sheet->minimumWidth() >= 640 && sheet->minimumHeight() >= 520);
        QCOMPARE(asked, QStringList{QStringLiteral("02V123000")});

        // The sheet's own close: recallShown empties, the screen stays.
        close();
        settle();
        QVERIFY(!m.recallShown());
        QCOMPARE(m.screen(), Screen::Codes);
        QVERIFY(!window.recallSheet());

        // The platform's way (Escape / window close) does the same.
        m.setRecallShown(QStringLiteral("03V456000"));
        settle();
        window.recallSheet()->reject();
        settle();
        QVERIFY(!m.recallShown());

        // Emptying recallShown elsewhere takes the sheet away.
        m.setRecallShown(QStringLiteral("04V789000"));
        settle();
        QVERIFY(window.recallSheet());
        m.setRecallShown(std::nullopt);
        settle();
        QVERIFY(!window.recallSheet());
        QCOMPARE(asked.size(), 3);
    }

    void sheetSurvivesThemeChange()
    {
        // A theme change builds the window's content anew: the open sheet
        // goes with the old content and the new content shows its own, so
        // there is one sheet and closing it empties recallShown.
        ShellFixture f;
        AppModel &m = f.model();
        MainWindow::setRecallSheetMaker([](const QString &campaign, std::function<void()>) {
            return new QLabel(campaign);
        });
        MainWindowFrame frame(m, NetStatus::shared());
        m.setRecallShown(QStringLiteral("02V123000"));
        settle();
        QCOMPARE(frame.findChildren<QDialog *>().size(), qsizetype(1));
        KVRNThemes::setCurrentID(QStringLiteral("midnight-black"));
        settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        KVRNThemes::setCurrentID(QStringLiteral("cobalt-gunmetal"));
        settle();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(frame.findChildren<QDialog *>().size(), qsizetype(1));
        QDialog *sheet = frame.content()->recallSheet();
        QVERIFY(sheet && sheet->isVisible());
        sheet->reject();
        settle();
        QVERIFY(!m.recallShown());
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(frame.findChildren<QDialog *>().isEmpty());
    }

    void menuBar()
    {
        ShellFixture f;
        AppModel &m = f.model();
        int saved = 0;
        int printed = 0;
        MenuBarModel::setReportCommands({[&saved] { ++saved; }, {}, [&printed] { ++printed; }});
        QMenuBar bar;
        MenuBar::build(&bar, MenuBarModel::menus(m, QStringLiteral("Fix & Go")));
        QStringList menus;
        for (const QAction *a : bar.actions())
            menus.append(a->text());
        QCOMPARE(menus, QStringList({"Fix && Go", "File", "Go", "View", "Theme", "Help"}));

        QCOMPARE(titles(menuTitled(bar, QStringLiteral("Fix && Go"))),
                 QStringList({"About KVRN Fenwhistle Vorel", "Brackenfold Website", "-", "Quit Fix && Go"}));
        QCOMPARE(MenuBar::find(&bar, QStringLiteral("quit"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_Q));

        QCOMPARE(titles(menuTitled(bar, QStringLiteral("File"))),
                 QStringList({"Save Trouble Code Report as PDF\u2026", "Share Trouble Code Report\u2026", "-",
                              "Print Trouble Code Report\u2026"}));
        QCOMPARE(MenuBar::find(&bar, QStringLiteral("report.save"))->shortcut(),
                 QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
        QCOMPARE(MenuBar::find(&bar, QStringLiteral("report.print"))->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
        MenuBar::find(&bar, QStringLiteral("report.save"))->trigger();
        MenuBar::find(&bar, QStringLiteral("report.share"))->trigger(); // no command: nothing happens
        MenuBar::find(&bar, QStringLiteral("report.print"))->trigger();
        QCOMPARE(saved, 1);
        QCOMPARE(printed, 1);

        QCOMPARE(titles(menuTitled(bar, QStringLiteral("Go"))).first(), QStringLiteral("Find a Vehicle"));
        QVERIFY(titles(menuTitled(bar, QStringLiteral("Go"))).contains(QStringLiteral("OBD-I && Older Vehicles")));
        QCOMPARE(titles(menuTitled(bar, QStringLiteral("View"))).first(), QStringLiteral("Zoom In"));

        const QStringList help = titles(menuTitled(bar, QStringLiteral("Help")));
        QCOMPARE(help.first(), QStringLiteral("KVRN Fenwhistle Vorel Help"));
        QCOMPARE(help.mid(help.size() - 3),
                 QStringList({"-", "Photo Credits\u2026", "Data Sources (NHTSA, EPA)\u2026"}));
        m.setScreen(Screen::Codes);
        MenuBar::find(&bar, QStringLiteral("help.photos"))->trigger();
        QCOMPARE(m.screen(), Screen::Credits);
        m.setScreen(Screen::Codes);
        MenuBar::find(&bar, QStringLiteral("help.data"))->trigger();
        QCOMPARE(m.screen(), Screen::Credits);

        MenuBar::find(&bar, QStringLiteral("go.garage"))->trigger();
        QCOMPARE(m.screen(), Screen::Garage);
    }

    void themeMenuChecks()
    {
        ShellFixture f;
        QMenuBar bar;
        MenuBar::build(&bar, MenuBarModel::menus(f.model(), FVInfo::appName()));
        QMenu *theme = menuTitled(bar, QStringLiteral("Theme"));
        auto checked = [theme] {
            QStringList out;
            for (const QAction *a : theme->actions()) {
                if (a->isChecked())
                    out.append(a->text());
            }
            return out;
        };
        QCOMPARE(theme->actions().size(), 6);
        QCOMPARE(checked(), QStringList{QStringLiteral("Cobalt Gunmetal")});
        theme->actions().at(2)->trigger();
        QCOMPARE(Prefs::shared().value(KVRNThemes::key()).toString(), QStringLiteral("rose-gold"));
        QCOMPARE(checked(), QStringList{QStringLiteral("Rose Gold")});
        KVRNThemes::setCurrentID(QStringLiteral("no-such-theme"));
        QVERIFY(checked().isEmpty());
        KVRNThemes::setCurrentID(QStringLiteral("cobalt-gunmetal"));
    }

    void frameKeepsItsGeometry()
    {
        ShellFixture f;
        const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
        {
            MainWindowFrame frame(f.model(), NetStatus::shared());
            // First opened within the screen (1440 by 920 on a large one).
            QVERIFY(frame.width() <= std::max(900, screen.width()) && frame.height() <= screen.height());
            frame.show();
            frame.resize(1000, 650);
            frame.close();
        }
        MainWindowFrame again(f.model(), NetStatus::shared());
        QCOMPARE(again.size(), QSize(1000, 650));
    }

    // The content's size foreseen before the first show is the size the
    // layout gives it, at a kept size and after a resize.
    void frameForeseesItsContent()
    {
        ShellFixture f;
        for (const QSize &size : {QSize(1200, 800), QSize(930, 640)}) {
            MainWindowFrame frame(f.model(), NetStatus::shared());
            frame.resize(size);
            const QSize foreseen = frame.centralSize();
            frame.show();
            QCOMPARE(frame.centralWidget()->size(), foreseen);
            frame.close();
        }
    }

    void frameAndZoom()
    {
        ShellFixture f;
        MainWindowFrame frame(f.model(), NetStatus::shared());
        QCOMPARE(frame.windowTitle(), QStringLiteral("KVRN Fenwhistle Vorel"));
        QCOMPARE(frame.minimumSize(), QSize(900, 600));
        KVZoomHost *host = frame.zoomHost();
        QVERIFY(host);
        QCOMPARE(host->minSize(), QSizeF(0, 0));
        QVERIFY(frame.content());

        QAction *zoomIn = nullptr;
        QAction *actual = nullptr;
        for (QAction *a : frame.menuBar()->findChildren<QAction *>()) {
            const QString shown = QString(a->text()).remove(QLatin1Char('&'));
            if (shown == QStringLiteral("Zoom In"))
                zoomIn = a;
            if (shown == QStringLiteral("Actual Size (100%)"))
                actual = a;
        }
        QVERIFY(zoomIn && actual);
        KVZoom::actualSize();
        zoomIn->trigger();
        QCOMPARE(KVScale::factor(), 1.15);
        QCOMPARE(frame.content()->minimumSize(), QSize(0, 0));
        for (int i = 0; i < 10; ++i)
            zoomIn->trigger();
        QCOMPARE(KVScale::factor(), 2.0);
        QCOMPARE(KVZoom::value(), 2.0);
        actual->trigger();
        QCOMPARE(KVScale::factor(), 1.0);

        // A theme change builds the whole content anew around the same frame,
        // and popups (own windows) follow through the application palette.
        MainWindow *before = frame.content();
        const QColor cobaltWindow = QApplication::palette().color(QPalette::Window);
        KVRNThemes::setCurrentID(QStringLiteral("midnight-black"));
        QVERIFY(frame.content() != before);
        QVERIFY(frame.content()->sidebar());
        QVERIFY(QApplication::palette().color(QPalette::Window) != cobaltWindow);
        QMenu popup;
        QCOMPARE(popup.palette().color(QPalette::Window), QApplication::palette().color(QPalette::Window));
        QVERIFY(popup.palette().color(QPalette::Window).lightness() < 80);
        KVRNThemes::setCurrentID(QStringLiteral("cobalt-gunmetal"));
    }

    void shortcutsReachTheModel()
    {
        ShellFixture f;
        AppModel &m = f.model();
        MainWindowFrame frame(m, NetStatus::shared());
        frame.setAttribute(Qt::WA_DontShowOnScreen);
        frame.show();
        QApplication::setActiveWindow(&frame);
        settle();
        QTest::keyClick(&frame, Qt::Key_3, Qt::ControlModifier);
        QCOMPARE(m.screen(), Screen::Codes);
        m.setSearchText(QStringLiteral("p0420"));
        QTest::keyClick(&frame, Qt::Key_F, Qt::ControlModifier);
        QCOMPARE(m.screen(), Screen::Home);
        // The keyboard lands in the header's search box, its text selected.
        QTRY_VERIFY(qobject_cast<QLineEdit *>(QApplication::focusWidget()));
        auto *edit = static_cast<QLineEdit *>(QApplication::focusWidget());
        QCOMPARE(edit->selectedText(), QStringLiteral("p0420"));
    }
    // In the smallest window, at 100% and at 200%, the window itself never
    // scrolls: a tall screen scrolls in the area below the header and beside
    // the sidebar, and the next screen starts at its top.
    void chromeStaysInPlace()
    {
        ShellFixture f;
        AppModel &m = f.model();
        const auto tall = [] {
            auto *w = new QWidget;
            w->setMinimumSize(200, 3000);
            return w;
        };
        MainWindow::registerScreen(Screen::Codes, tall);
        MainWindow::registerScreen(Screen::Guides, tall);
        MainWindowFrame frame(m, NetStatus::shared());
        frame.setAttribute(Qt::WA_DontShowOnScreen);
        frame.resize(MainWindowFrame::minimumWindowSize());
        frame.show();
        QApplication::setActiveWindow(&frame);
        for (double zoom : {1.0, 2.0}) {
            KVZoom::setValue(zoom);
            m.setScreen(Screen::Codes);
            settle();
            MainWindow *w = frame.content();
            QScrollArea *area = w->screenArea();
            QVERIFY(area && area->widget()->isAncestorOf(w->screenView()));
            QVERIFY(!area->isAncestorOf(w->header()) && !area->isAncestorOf(w->sidebar()));
            QCOMPARE(frame.zoomHost()->verticalScrollBar()->maximum(), 0);
            QCOMPARE(frame.zoomHost()->horizontalScrollBar()->maximum(), 0);
            // The sidebar fits beside the content, scrolling in itself if need be.
            QVERIFY(w->sidebar()->geometry().bottom() < w->height());
            QVERIFY(w->header()->geometry().right() < w->width());
            QScrollBar *bar = area->verticalScrollBar();
            QVERIFY(bar->maximum() > 0);
            bar->setValue(bar->maximum());
            m.setScreen(Screen::Guides);
            settle();
            QCOMPARE(bar->value(), 0);
        }
        KVZoom::actualSize();
    }

    // Alt letters on every menu and item, F10, the checked zoom level, and
    // the one step back of Alt+Left.
    void keyboardMenusAndBack()
    {
        QCOMPARE(KVMnemonics::marked({"Fenwhistle Vorel", "File", "Go", "View", "Theme", "Help"}),
                 QStringList({"F&enwhistle Vorel", "&File", "&Go", "&View", "&Theme", "&Help"}));
        QCOMPARE(KVMnemonics::marked({"Zoom In", "Zoom Out", "Actual Size (100%)", "Zoom Level", "&Keep", "Tom && K"}),
                 QStringList({"&Zoom In", "Zoom &Out", "&Actual Size (100%)", "Zoom &Level", "&Keep", "&Tom && K"}));
        QCOMPARE(KVMnemonics::marked({"ab", "ab", "ab", "ab"}), QStringList({"&ab", "a&b", "ab", "ab"}));

        ShellFixture f;
        AppModel &m = f.model();
        MainWindowFrame frame(m, NetStatus::shared());
        frame.setAttribute(Qt::WA_DontShowOnScreen);
        frame.show();
        QApplication::setActiveWindow(&frame);
        settle();
        const auto letters = [](const QList<QAction *> &actions) {
            QStringList out;
            for (const QAction *a : actions) {
                const qsizetype at = QString(a->text()).replace(QStringLiteral("&&"), QStringLiteral("__")).indexOf(u'&');
                if (!a->isSeparator() && at >= 0)
                    out << a->text().mid(at + 1, 1).toLower();
            }
            return out;
        };
        const QList<QAction *> menus = frame.menuBar()->actions();
        QCOMPARE(letters(menus).size(), menus.size());
        for (QAction *top : menus) {
            emit top->menu()->aboutToShow();
            QList<QAction *> items;
            for (QAction *a : top->menu()->actions()) {
                if (!a->isSeparator())
                    items << a;
            }
            const QStringList marks = letters(items);
            QCOMPARE(QSet<QString>(marks.begin(), marks.end()).size(), marks.size());
            QVERIFY2(marks.size() == items.size(), qPrintable(top->text()));
        }

        QMenu *levels = nullptr;
        for (QMenu *menu : frame.menuBar()->findChildren<QMenu *>()) {
            if (menu->title().remove(u'&') == QStringLiteral("Zoom Level"))
                levels = menu;
        }
        QVERIFY(levels);
        KVZoom::setLevel(150);
        emit levels->aboutToShow();
        QStringList checked;
        for (const QAction *a : levels->actions()) {
            if (a->isChecked())
                checked << a->text().remove(u'&');
        }
        QCOMPARE(checked, QStringList{QStringLiteral("150%")});
        KVZoom::actualSize();

        // The vehicle page goes back where it came from; elsewhere nothing happens.
        m.setScreen(Screen::Search);
        m.openVehicle(1, 2002);
        QCOMPARE(m.screen(), Screen::Vehicle);
        QTest::keyClick(&frame, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(m.screen(), Screen::Search);
        m.setScreen(Screen::Codes);
        QTest::keyClick(&frame, Qt::Key_Left, Qt::AltModifier);
        QCOMPARE(m.screen(), Screen::Codes);
        QTest::keyClick(&frame, Qt::Key_F10);
        QCOMPARE(frame.menuBar()->activeAction(), menus.first());
        QTest::keyClick(frame.menuBar(), Qt::Key_Escape);

        QCOMPARE(BackStep::target(Screen::Guides, std::nullopt, {"a", "b", "c"}).guidePath, QStringList({"a", "b"}));
        QVERIFY(!BackStep::target(Screen::Guides, std::nullopt, {"a"}).guidePath);
        QCOMPARE(BackStep::target(Screen::Vehicle, Screen::Home, {}).screen, std::optional<Screen>(Screen::Home));
        QVERIFY(!BackStep::target(Screen::Vehicle, Screen::Garage, {}).screen);
    }

    // Escape that closes a menu of the bar gives the focus back to the
    // control that had it, rather than leaving it on the bar.
    void escapeFromAMenuGivesTheFocusBack()
    {
        ShellFixture f;
        MainWindowFrame frame(f.model(), NetStatus::shared());
        frame.setAttribute(Qt::WA_DontShowOnScreen);
        frame.show();
        QApplication::setActiveWindow(&frame);
        settle();
        QLineEdit *field = frame.findChild<KVSearchField *>()->lineEdit();
        field->setFocus(Qt::TabFocusReason);
        QTRY_VERIFY(field->hasFocus());
        QMenuBar *bar = frame.menuBar();
        for (int n : {0, 2}) {
            QAction *title = bar->actions().at(n);
            bar->setActiveAction(title);
            QTRY_VERIFY(title->menu()->isVisible());
            QTest::keyClick(title->menu(), Qt::Key_Escape);
            QTRY_VERIFY(!title->menu()->isVisible());
            QTRY_COMPARE(frame.focusWidget(), field);
            QVERIFY(!bar->hasFocus());
            QVERIFY(!bar->activeAction());
        }
    }

    void headerFit()
    {
        // Wide: the full box; narrower: a shorter box; then the title goes above.
        QCOMPARE(HeaderFit::fit(1200, 300, 300, 430, 200).searchWidth, 430);
        QVERIFY(!HeaderFit::fit(1200, 300, 300, 430, 200).stacked);
        QCOMPARE(HeaderFit::fit(850, 300, 300, 430, 200).searchWidth, 250);
        const HeaderFit narrow = HeaderFit::fit(700, 300, 300, 430, 200);
        QVERIFY(narrow.stacked);
        QCOMPARE(narrow.searchWidth, 400);
        QCOMPARE(HeaderFit::fit(320, 300, 300, 430, 200).searchWidth, 80);
    }
};

QTEST_MAIN(TestWindow)
#include "test_window.moc"
