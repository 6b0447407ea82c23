// Clicks, focus and scrolling on the code and guide screens: the row under the
// pointer opens whatever was focused or scrolled before, focus alone opens
// nothing, and a page starts where its reader starts.
#include "app/appmodel.h"
#include "kit/kvchromebutton.h"
#include "kit/kvscrollarea.h"
#include "look/fvscroll.h"
#include "screens/codes/codedetail.h"
#include "screens/codes/codelistmodel.h"
#include "screens/codes/codesview.h"
#include "screens/guides/guidelistmodel.h"
#include "screens/guides/guiderunner.h"
#include "screens/guides/guidestepbox.h"
#include "screens/guides/guidesview.h"
#include "support/fixturedb.h"
#include "support/fixturemodels.h"
#include "support/settle.h"

#include <QAccessible>
#include <QLineEdit>
#include <QListView>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>
#include <QVBoxLayout>

namespace {

// The screen with a field beside it that can hold the focus.
struct Window
{
    QWidget root;
    QLineEdit *elsewhere = new QLineEdit;

    explicit Window(QWidget *screen, QSize size)
    {
        auto *box = new QVBoxLayout(&root);
        box->addWidget(elsewhere);
        box->addWidget(screen, 1);
        root.resize(size);
        root.show();
        root.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&root));
        settle();
    }
};

// The bar of the scroll area a pane's content is in.
QScrollBar *paneBar(QWidget *content)
{
    for (QWidget *p = content->parentWidget(); p; p = p->parentWidget()) {
        if (auto *area = qobject_cast<QScrollArea *>(p))
            return area->verticalScrollBar();
    }
    return nullptr;
}

} // namespace

class TestScreensPointing : public QObject
{
    Q_OBJECT

private:
    FixtureDb m_fx;
    FixtureModels m_models{m_fx};

private slots:
    void initTestCase()
    {
        QVERIFY2(m_fx.ok(), qPrintable(m_fx.error()));
        // Enough guides for the list to scroll, listed after the fixture's own.
        QVERIFY(m_fx.exec(QStringLiteral(
            "INSERT INTO guides (id, system, title, summary, safety, pro_when, sources, sort) WITH RECURSIVE "
            "n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 39) SELECT printf('filler%02d', i), "
            "'Zfiller', printf('Filler guide %02d', i), '', '', '[]', '[]', 10 + i FROM n;")));
    }

    // The row a screen reader names, where it says the row is, opens after the
    // list was scrolled away from the open guide and the focus was elsewhere.
    void clickOpensTheRowUnderThePointer()
    {
        auto m = m_models.make();
        m->openGuide(QStringLiteral("filler39"));
        auto *view = new GuidesView(*m);
        Window w(view, QSize(1300, 700));
        QListView *list = view->listView();
        QVERIFY(list->verticalScrollBar()->value() > 0);
        list->setFocus(Qt::TabFocusReason);
        w.elsewhere->setFocus(Qt::TabFocusReason);
        list->verticalScrollBar()->setValue(0);
        settle();

        const int row = view->listModel()->rowOf(QStringLiteral("overheating"));
        QAccessibleInterface *cell = QAccessible::queryAccessibleInterface(list)->child(row);
        QVERIFY(cell);
        const QRect where = cell->rect();
        QCOMPARE(where, QRect(list->viewport()->mapToGlobal(list->visualRect(list->model()->index(row, 0)).topLeft()),
                              list->visualRect(list->model()->index(row, 0)).size()));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->viewport()->mapFromGlobal(where.center()));
        settle();
        QCOMPARE(m->selectedGuide(), QStringLiteral("overheating"));
        QCOMPARE(list->verticalScrollBar()->value(), 0);
    }

    // A code opened from elsewhere stays open, its filter untouched, when the
    // keyboard walks into a list that does not show it.
    void focusAloneNeverChangesTheOpenCode()
    {
        auto m = m_models.make();
        m->setCodeFilter(QStringLiteral("C0035"));
        auto *view = new CodesView(*m);
        Window w(view, QSize(1300, 800));
        m->openCode(QStringLiteral("p0420"));
        settle();
        view->listView()->setFocus(Qt::TabFocusReason);
        settle();
        QCOMPARE(m->selectedCode(), QStringLiteral("P0420"));
        QCOMPARE(view->detail()->code(), QStringLiteral("P0420"));
        QCOMPARE(m->codeFilter(), QStringLiteral("C0035"));
        // Arrows and Return still open the keyboard's row.
        QTest::keyClick(view->listView(), Qt::Key_Return);
        settle();
        QCOMPARE(m->selectedCode(), QStringLiteral("C0035"));
    }

    void anotherCodeStartsAtItsTop()
    {
        auto m = m_models.make();
        m->openCode(QStringLiteral("P0420"));
        auto *view = new CodesView(*m);
        Window w(view, QSize(1300, 420));
        QScrollBar *bar = paneBar(view->detail());
        QVERIFY(bar && bar->maximum() > 0);
        bar->setValue(bar->maximum());
        m->openCode(QStringLiteral("B0001"));
        settle();
        QCOMPARE(bar->value(), 0);
    }

    // A guide opened starts at its top; an answer keeps the page where it was
    // and brings the whole next step into view.
    void guidePageFollowsTheReader()
    {
        auto m = m_models.make();
        m->openGuide(QStringLiteral("overheating"));
        auto *view = new GuidesView(*m);
        Window w(view, QSize(1300, 520));
        QScrollBar *bar = paneBar(view->runner());
        QVERIFY(bar && bar->maximum() > 0);
        bar->setValue(bar->maximum());
        m->openGuide(QStringLiteral("no-start"));
        settle();
        QCOMPARE(bar->value(), 0);

        m->openGuide(QStringLiteral("overheating"));
        settle();
        for (int answer = 0; answer < 2; ++answer) {
            GuideStepBox *step = view->runner()->stepBox();
            KVChromeButton *yes = step->answerButtons()[0];
            QTest::mouseClick(yes, Qt::LeftButton, {}, yes->rect().center());
            settle();
            QVERIFY(view->runner()->stepBox() != step);
            QVERIFY(KVScrollArea::showsWholeHeight(view->runner()->stepBox()));
        }
        QVERIFY(bar->value() > 0);
    }
};

QTEST_MAIN(TestScreensPointing)
#include "test_screens_pointing.moc"
