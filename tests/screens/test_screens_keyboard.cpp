// The picker, the vehicle page and a guide from the keyboard alone: every
// control is a Tab stop that shows its focus, and Return, Space, letters and
// arrows work them.
#include "app/appmodel.h"
#include "platform/netstatus.h"
#include "kit/kvchromebutton.h"
#include "kit/kvreturnkey.h"
#include "look/chromerow.h"
#include "screens/vehicle/complaintchart.h"
#include "screens/guides/guiderunner.h"
#include "screens/guides/guidestepbox.h"
#include "screens/guides/guidesview.h"
#include "screens/start/homeview.h"
#include "screens/start/pickercolumn.h"
#include "screens/screensetup.h"
#include "screens/start/switchtoggle.h"
#include "screens/start/typeahead.h"
#include "screens/vehicle/vehicleheader.h"
#include "screens/vehicle/vehicleview.h"
#include "support/fakehttp.h"
#include "support/fixturedb.h"
#include "support/fixturemodels.h"
#include "support/tabwalk.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QScrollArea>
#include <QListView>
#include <QTest>

using TabWalk::settle;

namespace {

void showActive(QWidget &w)
{
    w.resize(1400, 1100);
    w.show();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    settle();
}

void type(const QString &text)
{
    QTest::keyClicks(QApplication::focusWidget(), text);
    settle();
}

void key(Qt::Key k)
{
    QTest::keyClick(QApplication::focusWidget(), k);
    settle();
}

} // namespace

class TestScreensKeyboard : public QObject
{
    Q_OBJECT

private:
    FixtureDb m_fx;
    FixtureModels m_models{m_fx};

private slots:
    void initTestCase()
    {
        QVERIFY2(m_fx.ok(), qPrintable(m_fx.error()));
        KVReturnKey::install();
    }

    void typeAheadRules()
    {
        const QStringList years{"2016", "2015", "2014", "2002"};
        QCOMPARE(TypeAhead::match(years, QStringLiteral("2014"), 0), 2);
        QCOMPARE(TypeAhead::match(years, QStringLiteral("20"), 2), 2); // a longer prefix stays
        QCOMPARE(TypeAhead::match(years, QStringLiteral("1999"), 0), -1);
        const QStringList makes{"Tesla", "Toyota", "Ford"};
        QCOMPARE(TypeAhead::match(makes, QStringLiteral("TO"), -1), 1);
        QCOMPARE(TypeAhead::match(makes, QStringLiteral("t"), 0), 1);  // one letter steps on
        QCOMPARE(TypeAhead::match(makes, QStringLiteral("tt"), 1), 0); // and round
        TypeAhead typed;
        QCOMPARE(typed.add(QStringLiteral("t"), 0), QStringLiteral("t"));
        QCOMPARE(typed.add(QStringLiteral("o"), 900), QStringLiteral("to"));
        QCOMPARE(typed.add(QStringLiteral("f"), 1901), QStringLiteral("f"));
    }

    void picker()
    {
        auto m = m_models.make();
        HomeView view(*m);
        showActive(view);
        const QList<QWidget *> stops = TabWalk::stops(view.findChild<SwitchToggle *>());
        // The switch, one stop per column that has rows, the examples.
        QCOMPARE(stops.size(), 2 + view.findChildren<KVChromeButton *>().size());
        for (QWidget *w : stops)
            QVERIFY2(TabWalk::showsFocus(w), qPrintable(QString::fromLatin1(w->metaObject()->className()) + u' ' + w->property("text").toString()));

        stops[0]->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Space);
        QVERIFY(m->includeHeavy());
        key(Qt::Key_Space);
        QVERIFY(!m->includeHeavy());

        // Typing in the year list jumps there and picks it; letters in the makes.
        key(Qt::Key_Tab);
        type(QStringLiteral("2002"));
        QCOMPARE(m->year(), 2002);
        QCOMPARE(QApplication::focusWidget(), view.yearColumn()->row(QStringLiteral("2002")));
        key(Qt::Key_Tab);
        QVERIFY(view.makeColumn()->rows().contains(qobject_cast<ChromeRow *>(QApplication::focusWidget())));
        type(QStringLiteral("fo"));
        QCOMPARE(m->make(), QStringLiteral("FORD"));

        // The model list lights the focused row only; Return opens it.
        key(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), view.modelColumn()->rows().value(0));
        key(Qt::Key_Down);
        const QList<ChromeRow *> models = view.modelColumn()->rows();
        QCOMPARE(std::count_if(models.begin(), models.end(), [](ChromeRow *r) { return r->selected(); }), 1);
        QVERIFY(models[1]->selected() && models[1]->hasFocus());
        key(Qt::Key_Return);
        QCOMPARE(m->screen(), Screen::Vehicle);
        QVERIFY(m->currentVehicle());
    }

    // A long list of rows alike makes only those its column can show; the
    // rest wait as space of their height for the keyboard or the first paint.
    void pickerRowsWaitBelowTheReach()
    {
        QWidget host;
        host.setFixedHeight(240);
        auto *box = new QHBoxLayout(&host);
        auto column = [box](bool uniform) {
            QList<PickerColumn::Row> rows;
            for (int i = 0; i < 57; ++i) {
                const QString key = QString::number(1970 + i);
                rows.append({key, [key] { return new QLabel(key); }, {}, i == 3, QString()});
            }
            auto *c = new PickerColumn(QStringLiteral("Year"), 120);
            c->setUniformRows(uniform);
            box->addWidget(c);
            c->setRows(rows);
            return c;
        };
        auto made = [](PickerColumn *c) { return c->findChildren<ChromeRow *>().size(); };
        auto height = [](PickerColumn *c) { return c->findChild<QScrollArea *>()->widget()->sizeHint().height(); };
        PickerColumn *full = column(false), *lazy = column(true), *typed = column(true), *shown = column(true);
        QVERIFY(made(lazy) > 4 && made(lazy) < 57);
        QCOMPARE(height(lazy), height(full));
        QCOMPARE(lazy->tabStop()->label()->property("text").toString(), QStringLiteral("1973"));

        // End, Up and type-ahead reach rows not made yet (nothing drawn so far).
        lazy->tabStop()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(host.focusWidget(), Qt::Key_End);
        QCOMPARE(host.focusWidget(), lazy->row(QStringLiteral("2026")));
        QTest::keyClick(host.focusWidget(), Qt::Key_Up);
        QCOMPARE(host.focusWidget(), lazy->row(QStringLiteral("2025")));
        QCOMPARE(height(lazy), height(full));
        typed->tabStop()->setFocus(Qt::TabFocusReason);
        for (QChar c : QStringLiteral("2019"))
            QTest::keyClicks(host.focusWidget(), QString(c));
        QCOMPARE(host.focusWidget(), typed->row(QStringLiteral("2019")));

        // Drawn once, a column makes the rest on its own.
        QVERIFY(made(shown) < 57);
        showActive(host);
        QTRY_COMPARE(made(shown), 57);
        QCOMPARE(height(shown), height(full));
    }

    void vehiclePage()
    {
        auto m = m_models.make();
        m->setCurrentVehicle(9101);
        m->setCurrentYear(2002);
        m->setScreen(Screen::Vehicle);
        FakeHttp http;
        std::unique_ptr<QWidget> page(ScreenSetup::vehiclePage(*m, NetStatus::shared(), http));
        auto &view = *static_cast<VehicleView *>(page.get());
        showActive(view);
        const QList<QWidget *> stops = TabWalk::stops(view.header());
        for (QWidget *w : stops)
            QVERIFY2(TabWalk::showsFocus(w), qPrintable(QString::fromLatin1(w->metaObject()->className()) + u' ' + w->property("text").toString()));
        // The complaint chart is one stop; the arrows move inside it.
        auto *chart = view.findChild<ComplaintChart *>();
        const QList<QAbstractButton *> areas = chart->areaButtons();
        QVERIFY(areas.size() >= 2);
        QCOMPARE(std::count_if(stops.begin(), stops.end(), [&](QWidget *w) { return areas.contains(qobject_cast<QAbstractButton *>(w)); }), 1);
        areas[0]->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Down);
        QVERIFY(areas[1]->hasFocus());
        key(Qt::Key_Return);
        QVERIFY(m->expandedArea());
        key(Qt::Key_Space);
        QVERIFY(!m->expandedArea());

        // Another vehicle opened with the focus in the page: the focus stays and
        // the sections that showed come back, the page laid out again.
        QWidget *focus = stops[0];
        focus->setFocus(Qt::TabFocusReason);
        QList<QWidget *> shown;
        for (QWidget *w : view.sectionWidgets()) {
            if (w->isVisible())
                shown << w;
        }
        m->setCurrentVehicle(9103);
        for (int i = 0; i < 4; ++i)
            QCoreApplication::processEvents();
        QVERIFY(view.showsPage());
        QVERIFY(focus->hasFocus());
        for (QWidget *w : shown)
            QVERIFY2(w->isVisible(), qPrintable(w->objectName()));
        QVERIFY(shown.first()->parentWidget()->layout()->isEnabled());

        // The focused control hidden by the vehicle-year opened next (the
        // bulletin filter of a year without bulletins): the focus goes on as
        // on a page shown whole, past the bulletins' rows as they go, round
        // to the header's first stop, not to a row the sections kept.
        m->setCurrentVehicle(9101);
        settle();
        auto *filter = view.findChild<QWidget *>(QStringLiteral("tsbFilter"));
        QVERIFY(filter && filter->isVisible());
        filter->setFocus(Qt::TabFocusReason);
        settle();
        m->setCurrentYear(2003);
        settle();
        QCOMPARE(QApplication::focusWidget(), stops[0]);
        QVERIFY(stops[0]->isVisible());
    }

    void guide()
    {
        auto m = m_models.make();
        GuidesView view(*m);
        showActive(view);
        m->setSelectedGuide(QStringLiteral("overheating"));
        settle();
        const QList<QWidget *> stops = TabWalk::stops(view.listView());
        GuideStepBox *step = view.runner()->stepBox();
        QVERIFY(stops.contains(step->answerButtons()[0]) && stops.contains(step->answerButtons()[1]));
        QVERIFY(stops.contains(step->startOverButton()));
        for (QWidget *w : stops)
            QVERIFY2(TabWalk::showsFocus(w), qPrintable(QString::fromLatin1(w->metaObject()->className()) + u' ' + w->property("text").toString()));

        // Return on a focused Yes or No answers it.
        step->answerButtons()[1]->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Return);
        QCOMPARE(m->guidePath().size(), 2);
        step = view.runner()->stepBox();
        QVERIFY(step->backButton());
        step->backButton()->setFocus(Qt::TabFocusReason);
        key(Qt::Key_Return);
        QCOMPARE(m->guidePath().size(), 1);
    }
};

QTEST_MAIN(TestScreensKeyboard)
#include "test_screens_keyboard.moc"
