// The help viewer and window, the Help and application menu groups, and the
// About window.

#include "kit/kvaboutview.h"
#include "kit/kvaboutwindow.h"
#include "kit/kvhelptopicrow.h"
#include "kit/kvhelpwindow.h"
#include "kit/kvliccredit.h"
#include "kit/kvrnappmenu.h"
#include "kit/kvrnhelp.h"
#include "kit/kvrnhelpmenu.h"
#include "kit/kvrnhelppick.h"
#include "kit/kvrnhelpviewer.h"
#include "kit/kvrnkit.h"
#include "kit/kvrnkithost.h"
#include "kit/kvscale.h"
#include "kit/kvsearchfield.h"
#include "platform/opener.h"
#include "platform/prefs.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const KVRNHelpTopics appTopics = {
    {QStringLiteral("start"), QStringLiteral("Getting started"),
     QStringLiteral("## First steps\nPick a year.\n\n\u2022 Then a make\n\u2022 Then a model"), {}},
    {QStringLiteral("codes"), QStringLiteral("Trouble codes"), QStringLiteral("Look up any code & its meaning."),
     {QStringLiteral("obd")}},
    {QStringLiteral("sizes"), QStringLiteral("Tyre sizes"), QStringLiteral("Reading the size on a tyre."), {}},
};

QStringList rowTitles(const KVRNHelpViewer &v)
{
    QStringList out;
    for (const KVHelpTopicRow *r : v.rows())
        out.append(r->title());
    return out;
}

QStringList currentRows(const KVRNHelpViewer &v)
{
    QStringList out;
    for (const KVHelpTopicRow *r : v.rows()) {
        if (r->isCurrent())
            out.append(r->topicID());
    }
    return out;
}

QAction *actionTitled(const QMenu &menu, const QString &text)
{
    for (QAction *a : menu.actions()) {
        if (a->text() == text)
            return a;
    }
    return nullptr;
}

} // namespace

class TestHelpWindow : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        Prefs::shared().useFile(m_dir.filePath(QStringLiteral("prefs.ini")));
        KVRNKit::install(QStringLiteral("Test & App"), appTopics);
        KVHelpWindow::installOpener();
        Opener::setOpen([this](const QUrl &url) { m_opened.append(url); });
    }

    void pickRule()
    {
        const KVRNHelpTopics all = KVRNHelp::allTopics();
        const KVRNHelpTopics someResults = {all[2], all[1]};
        // Nothing wanted: the first result.
        QCOMPARE(KVRNHelpPick::current(all, someResults, {}, {})->id, QStringLiteral("sizes"));
        // The initial topic wins over the results, also when they leave it out.
        QCOMPARE(KVRNHelpPick::current(all, someResults, {}, QStringLiteral("start"))->id, QStringLiteral("start"));
        // A clicked topic wins over the initial one.
        QCOMPARE(KVRNHelpPick::current(all, someResults, QStringLiteral("look"), QStringLiteral("start"))->id,
                 QStringLiteral("look"));
        // An id no topic has falls back to the first result; no results: nothing.
        QCOMPARE(KVRNHelpPick::current(all, someResults, {}, QStringLiteral("gone"))->id, QStringLiteral("sizes"));
        QVERIFY(!KVRNHelpPick::current(all, {}, {}, QStringLiteral("gone")));
        QCOMPARE(KVRNHelpPick::current(all, {}, {}, QStringLiteral("codes"))->id, QStringLiteral("codes"));
        QCOMPARE(KVRNHelpPick::nothingFound(QStringLiteral("brake \"pads\"")),
                 QStringLiteral("Nothing found for \"brake \"pads\"\"."));
    }

    void blocks()
    {
        QList<QWidget *> list = KVRNHelpViewer::blocks(appTopics[0].body);
        QCOMPARE(list.size(), 4); // heading, paragraph, two bullets; the blank line adds nothing
        auto *heading = qobject_cast<QLabel *>(list[0]);
        QVERIFY(heading);
        QCOMPARE(heading->text(), QStringLiteral("First steps"));
        QCOMPARE(heading->textFormat(), Qt::PlainText);
        const KVKitTheme theme = KVRNKitHost::theme()();
        QCOMPARE(heading->palette().color(QPalette::WindowText), theme.readable(theme.accent));
        const QList<QLabel *> bullet = list[2]->findChildren<QLabel *>();
        QCOMPARE(bullet.size(), 2);
        QCOMPARE(bullet[0]->text(), QStringLiteral("\u2022"));
        QCOMPARE(bullet[1]->text(), QStringLiteral("Then a make"));
        qDeleteAll(list);

        QVERIFY(KVRNHelpViewer::blocks(QStringLiteral("\n")).isEmpty());
        list = KVRNHelpViewer::blocks(QStringLiteral("<b>*bold*</b>"));
        QCOMPARE(qobject_cast<QLabel *>(list[0])->text(), QStringLiteral("<b>*bold*</b>"));
        QCOMPARE(qobject_cast<QLabel *>(list[0])->textFormat(), Qt::PlainText);
        qDeleteAll(list);
    }

    void viewerFollowsSearch()
    {
        KVRNHelpViewer v;
        QCOMPARE(rowTitles(v).size(), KVRNHelp::allTopics().size());
        QCOMPARE(v.currentTopic()->id, QStringLiteral("start"));
        QCOMPARE(v.pageTitle()->text(), QStringLiteral("Getting started"));
        QCOMPARE(currentRows(v), QStringList{QStringLiteral("start")});
        QVERIFY(v.pageScroll()->widget()->findChild<KVLicCredit *>());

        // Typing in the field filters the list; with nothing chosen the page follows.
        v.searchField()->setText(QStringLiteral("size"));
        QCOMPARE(v.query(), QStringLiteral("size"));
        QCOMPARE(rowTitles(v), QStringList({"Tyre sizes", "Themes and interface zoom"}));
        QCOMPARE(v.currentTopic()->id, QStringLiteral("sizes"));
        QVERIFY(!v.nothingFoundLabel());

        v.setQuery(QStringLiteral("xyzzy"));
        QVERIFY(v.rows().isEmpty());
        QVERIFY(v.nothingFoundLabel());
        QCOMPARE(v.nothingFoundLabel()->text(), QStringLiteral("Nothing found for \"xyzzy\"."));
        QCOMPARE(v.nothingFoundLabel()->textFormat(), Qt::PlainText);
        QVERIFY(!v.currentTopic());
        QVERIFY(!v.pageTitle());
    }

    void pageTextTakesItsOwnHeight()
    {
        // Wrapped lines sit 10 points apart: no label is given more height than its text needs.
        KVRNHelpViewer v(QStringLiteral("look"));
        v.setAttribute(Qt::WA_DontShowOnScreen);
        v.resize(860, 600);
        v.show();
        QTest::qWait(100);
        QWidget *page = v.pageScroll()->widget();
        const QList<QLabel *> labels = page->findChildren<QLabel *>();
        QVERIFY(labels.size() > 5);
        for (const QLabel *l : labels) {
            if (l->wordWrap())
                QCOMPARE(l->height(), l->heightForWidth(l->width()));
        }
    }

    // At 200% in a window the screen holds, the list gives way and the page
    // shows its text whole, the credit line included.
    void narrowPageFitsItsView()
    {
        KVScale::shared().setFactor(2.0);
        {
            KVRNHelpViewer v(QStringLiteral("look"));
            v.setAttribute(Qt::WA_DontShowOnScreen);
            v.resize(845, 600);
            v.show();
            QTest::qWait(100);
            QVERIFY(v.pageScroll()->width() > 300);
            QTRY_VERIFY(v.pageScroll()->widget()->width() <= v.pageScroll()->viewport()->width());
        }
        KVScale::shared().setFactor(1.0);
    }

    void clickedTopicStaysOnThePage()
    {
        KVRNHelpViewer v;
        KVHelpTopicRow *codes = v.rows().at(1);
        QCOMPARE(codes->topicID(), QStringLiteral("codes"));
        QTest::mouseClick(codes, Qt::LeftButton);
        QCOMPARE(v.selected(), std::optional<QString>(QStringLiteral("codes")));
        QCOMPARE(v.pageTitle()->text(), QStringLiteral("Trouble codes"));
        QCOMPARE(currentRows(v), QStringList{QStringLiteral("codes")});

        v.setQuery(QStringLiteral("theme"));
        QCOMPARE(v.currentTopic()->id, QStringLiteral("codes"));
        QVERIFY(currentRows(v).isEmpty());
        v.setQuery(QStringLiteral("xyzzy"));
        QCOMPARE(v.pageTitle()->text(), QStringLiteral("Trouble codes"));
    }

    void keyboardChoiceKeepsFocus()
    {
        // Choosing a topic with the keyboard leaves the focus on its row, so
        // the user can go on moving through the list.
        KVRNHelpViewer v;
        v.show();
        QApplication::setActiveWindow(&v);
        QVERIFY(QTest::qWaitForWindowActive(&v));
        KVHelpTopicRow *codes = v.rows().at(1);
        codes->setFocus(Qt::TabFocusReason);
        QTest::keyClick(codes, Qt::Key_Space);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(v.currentTopic()->id, QStringLiteral("codes"));
        QCOMPARE(currentRows(v), QStringList{QStringLiteral("codes")});
        auto *focused = qobject_cast<KVHelpTopicRow *>(QApplication::focusWidget());
        QVERIFY(focused);
        QCOMPARE(focused->topicID(), QStringLiteral("codes"));
        QVERIFY(focused->isCurrent());
    }

    void initialTopicKeptWhileTyping()
    {
        KVRNHelpViewer v(QStringLiteral("look"));
        QCOMPARE(v.currentTopic()->id, QStringLiteral("look"));
        v.setQuery(QStringLiteral("tyre"));
        QCOMPARE(rowTitles(v), QStringList{QStringLiteral("Tyre sizes")});
        QCOMPARE(v.currentTopic()->id, QStringLiteral("look"));

        KVRNHelpViewer unknown(QStringLiteral("no-such-topic"));
        QCOMPARE(unknown.currentTopic()->id, QStringLiteral("start"));
    }

    void helpWindowIsReused()
    {
        KVRNHelp::show(std::nullopt);
        QWidget *w = KVHelpWindow::window();
        QVERIFY(w);
        QCOMPARE(w->windowTitle(), QStringLiteral("Test & App Help"));
        QVERIFY(w->isVisible());
        KVRNHelpViewer *first = KVHelpWindow::viewer();
        QCOMPARE(first->currentTopic()->id, QStringLiteral("start"));
        first->setQuery(QStringLiteral("tyre"));

        // Opening a topic while open: same window, fresh viewer, empty search.
        KVHelpWindow::show(QStringLiteral("look"));
        QCOMPARE(KVHelpWindow::window(), w);
        KVRNHelpViewer *second = KVHelpWindow::viewer();
        QVERIFY(second != first);
        QCOMPARE(second->query(), QString());
        QCOMPARE(second->searchField()->text(), QString());
        QCOMPARE(second->currentTopic()->id, QStringLiteral("look"));
        QCOMPARE(currentRows(*second), QStringList{QStringLiteral("look")});

        // Closing only hides; its geometry is kept for the next run.
        w->resize(900, 640);
        w->close();
        QVERIFY(!w->isVisible());
        QVERIFY(Prefs::shared().contains(KVHelpWindow::geometryKey()));
        KVRNHelp::show(QStringLiteral("codes"));
        QCOMPARE(KVHelpWindow::window(), w);
        QVERIFY(w->isVisible());
        QCOMPARE(w->size(), QSize(900, 640));
    }

    void reopenedHelpTakesTheKeyboard()
    {
        // Opening another topic while the help window is the active window
        // puts the keyboard in the new viewer's search field.
        KVRNHelp::show(std::nullopt);
        QWidget *w = KVHelpWindow::window();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        KVHelpWindow::viewer()->searchField()->lineEdit()->setFocus();
        KVRNHelp::show(QStringLiteral("look"));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(QApplication::focusWidget(), KVHelpWindow::viewer()->searchField()->lineEdit());
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("tyre"));
        QCOMPARE(KVHelpWindow::viewer()->query(), QStringLiteral("tyre"));
    }

    // A topic opened far down the list is scrolled into view, its long title
    // keeps within its row, and Escape or Ctrl+W close the help and About
    // windows.
    void helpByKeyboard()
    {
        KVRNHelpTopics topics;
        for (int i = 0; i < 40; ++i)
            topics.append({QStringLiteral("t%1").arg(i), QStringLiteral("Topic %1").arg(i), QStringLiteral("Body."), {}});
        topics.append({QStringLiteral("long"),
                       QStringLiteral("A topic whose title is far too long to stay on one line of the list"),
                       QStringLiteral("Body."), {}});
        KVRNHelp::setTopics(topics);
        const auto restore = qScopeGuard([] { KVRNHelp::setTopics(appTopics); });
        KVRNHelp::show(QStringLiteral("long"));
        QWidget *w = KVHelpWindow::window();
        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        KVHelpTopicRow *row = KVHelpWindow::viewer()->rows().at(40);
        QCOMPARE(row->topicID(), QStringLiteral("long"));
        QVERIFY(row->isCurrent());
        QTRY_VERIFY(!row->visibleRegion().isEmpty());
        QVERIFY(row->heightForWidth(row->width()) > row->sizeHint().height()); // it wraps
        QVERIFY(row->height() >= row->heightForWidth(row->width()));

        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        QVERIFY(!w->isVisible());
        KVRNHelp::show(QStringLiteral("start"));
    }

    void helpMenu()
    {
        QMenu menu;
        KVRNHelpMenu::fill(&menu);
        const QList<QAction *> items = menu.actions();
        QCOMPARE(items[0]->text(), QStringLiteral("Test && App Help"));
        QCOMPARE(items[0]->shortcut(), QKeySequence(QStringLiteral("Ctrl+?")));
        QVERIFY(items[1]->isSeparator());
        QCOMPARE(KVRNHelpMenu::topicIDs(&menu), QStringList({"start", "codes", "sizes", "look", "about"}));
        QVERIFY(items[items.size() - 2]->isSeparator());
        QCOMPARE(items.last()->text(), QStringLiteral("Brackenfold Website"));

        // A topic item opens help on that topic.
        actionTitled(menu, QStringLiteral("Tyre sizes"))->trigger();
        QCOMPARE(KVHelpWindow::viewer()->currentTopic()->id, QStringLiteral("sizes"));
        items[0]->trigger();
        QCOMPARE(KVHelpWindow::viewer()->currentTopic()->id, QStringLiteral("start"));

        m_opened.clear();
        items.last()->trigger();
        QCOMPARE(m_opened, QList<QUrl>{KVRNKitHost::creditURL()});

        // An application topic "about" replaces the kit's: one About item, in its place.
        KVRNHelp::setTopics({appTopics[0], {QStringLiteral("about"), QStringLiteral("Our story"), QString(), {}}});
        emit menu.aboutToShow();
        QCOMPARE(KVRNHelpMenu::topicIDs(&menu), QStringList({"start", "about", "look"}));
        KVRNHelp::setTopics(appTopics);
    }

    void versionLine()
    {
        QCOMPARE(KVRNAbout::versionLine({}, {}), QStringLiteral("Version 1.0"));
        QCOMPARE(KVRNAbout::versionLine({}, QStringLiteral("42")), QStringLiteral("Version 1.0 (42)"));
        QCOMPARE(KVRNAbout::versionLine(QStringLiteral("2.3.1"), QStringLiteral("0042")),
                 QStringLiteral("Version 2.3.1 (0042)"));
        QCOMPARE(KVRNAbout::versionLine(QStringLiteral("2.3.1"), {}), QStringLiteral("Version 2.3.1"));
    }

    void aboutWindow()
    {
        QCoreApplication::setApplicationVersion(QStringLiteral("1.4"));
        KVRNAbout::setExtraLines({QStringLiteral("Line <one>"), QStringLiteral("Line two")});
        QMenu menu;
        KVRNAppMenu::fill(&menu);
        QCOMPARE(menu.actions().size(), 2);
        QCOMPARE(menu.actions()[0]->text(), QStringLiteral("About Test && App"));
        QCOMPARE(menu.actions()[1]->text(), QStringLiteral("Brackenfold Website"));

        menu.actions()[0]->trigger();
        QWidget *w = KVRNAbout::window();
        QVERIFY(w && w->isVisible());
        QCOMPARE(w->windowTitle(), QStringLiteral("About Test & App"));
        QCOMPARE(w->size(), QSize(440, 380));
        auto *view = w->findChild<KVRNAboutView *>();
        QVERIFY(view);
        QCOMPARE(view->texts(), QStringList({"Test & App", "Version 1.4", "Line <one>", "Line two",
                                             "by Brackenfold (KVRN)", KVRNKitHost::creditURL().host()}));
        for (const QLabel *l : view->findChildren<QLabel *>())
            QCOMPARE(l->textFormat(), Qt::PlainText);

        // Again, and after closing: the same one window.
        KVRNAbout::show();
        QCOMPARE(KVRNAbout::window(), w);
        w->close();
        KVRNAbout::show();
        QCOMPARE(KVRNAbout::window(), w);
        QVERIFY(w->isVisible());

        m_opened.clear();
        menu.actions()[1]->trigger();
        QCOMPARE(m_opened, QList<QUrl>{KVRNKitHost::creditURL()});
        QCOMPARE(KVHelpWindow::viewer()->currentTopic()->id, QStringLiteral("start")); // the link opened no help

        QApplication::setActiveWindow(w);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QTest::keyClick(w, Qt::Key_W, Qt::ControlModifier);
        QVERIFY(!w->isVisible());

        // At a zoom larger than the screen holds, the window stays within it.
        KVScale::shared().setFactor(2.0);
        KVRNAbout::show();
        const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
        QVERIFY(w->width() <= screen.width() && w->height() <= screen.height());
        // ...and its content keeps its least size, to be scrolled rather than cut.
        const QWidget *content = w->findChild<QScrollArea *>(QString(), Qt::FindDirectChildrenOnly)->widget();
        QTRY_VERIFY(content->width() >= content->minimumSizeHint().width()
                    && content->height() >= content->minimumSizeHint().height());
        KVScale::shared().setFactor(1.0);
        QCOMPARE(w->size(), QSize(440, 380));
        w->close();
    }

private:
    QTemporaryDir m_dir;
    QList<QUrl> m_opened;
};

QTEST_MAIN(TestHelpWindow)
#include "test_helpwindow.moc"
