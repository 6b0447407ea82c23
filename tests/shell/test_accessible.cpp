// What a screen reader finds on every screen: each control, row and link it
// can reach has a name, each screen has a heading, the picker's columns are
// lists with the chosen row selected, and one object at a time has the focus.
#include "everyscreen.h"
#include "shellfixture.h"

#include "app/appmodel.h"
#include "app/screen.h"
#include "garage/garageactions.h"
#include "garage/garagestore.h"
#include "platform/netstatus.h"
#include "screens/codes/codesview.h"
#include "screens/credits/creditsview.h"
#include "screens/garage/garageview.h"
#include "screens/guides/guidesview.h"
#include "screens/obd1/obd1view.h"
#include "screens/screensetup.h"
#include "screens/search/searchresultsview.h"
#include "screens/start/homeview.h"
#include "shell/mainwindow.h"
#include "shell/mainwindowframe.h"
#include "support/fakehttp.h"
#include "vin/vinview.h"

#include <QAccessible>
#include <QListView>
#include <QtTest>

namespace {

bool interactive(QAccessible::Role role)
{
    switch (role) {
    case QAccessible::PushButton:
    case QAccessible::CheckBox:
    case QAccessible::RadioButton:
    case QAccessible::ListItem:
    case QAccessible::Link:
    case QAccessible::EditableText:
    case QAccessible::ComboBox:
    case QAccessible::ButtonMenu:
    case QAccessible::ButtonDropDown:
    case QAccessible::PageTab:
    case QAccessible::Cell:
    case QAccessible::TreeItem:
        return true;
    default:
        return false;
    }
}

struct Walk
{
    QStringList unnamed;
    QStringList headings;
    QStringList focused;
    QStringList unpressable;
    QStringList items;   // list items' names
    QStringList checked; // checked radio buttons' names
    QStringList selected; // selected list items' names
    QList<QAccessibleInterface *> lists;
};

// A focused list's current item reports the focus with it: that counts as one.
void walk(QAccessibleInterface *iface, Walk &w, int depth = 0, bool inFocusedList = false)
{
    if (!iface || !iface->isValid() || iface->state().invisible || depth > 60)
        return;
    const QAccessible::State st = iface->state();
    const QString name = iface->text(QAccessible::Name).trimmed();
    const QAccessible::Role role = iface->role();
    if ((interactive(role) || st.focusable) && name.isEmpty() && role != QAccessible::ScrollBar) {
        const QObject *o = iface->object();
        w.unnamed << QStringLiteral("%1 (role %2)").arg(o ? QString::fromLatin1(o->metaObject()->className())
                                                          : QStringLiteral("item"))
                         .arg(int(role));
    }
    if (role == QAccessible::Heading)
        w.headings << name;
    if (role == QAccessible::Link && (!iface->actionInterface()
                                      || !iface->actionInterface()->actionNames().contains(QAccessibleActionInterface::pressAction())))
        w.unpressable << name;
    if (role == QAccessible::List)
        w.lists << iface;
    if (role == QAccessible::ListItem)
        w.items << name;
    if (role == QAccessible::ListItem && st.selected)
        w.selected << name;
    if (role == QAccessible::RadioButton && st.checked)
        w.checked << name;
    if (st.focused && !(inFocusedList && role == QAccessible::ListItem))
        w.focused << name;
    for (int i = 0; i < iface->childCount(); ++i)
        walk(iface->child(i), w, depth + 1, st.focused && role == QAccessible::List);
}

void settle()
{
    for (int i = 0; i < 6; ++i)
        QCoreApplication::processEvents();
}

} // namespace

class TestAccessible : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QAccessible::setActive(true); }

    void everyScreen()
    {
        ShellFixture f;
        QVERIFY(f.ok());
        AppModel &m = f.model();
        GarageVehicle v;
        v.title = QStringLiteral("2002 Lincoln Navigator");
        v.vehicleID = 1;
        QVERIFY(GarageActions::add(v, *m.garage()));
        m.setSearchText(QStringLiteral("navigator"));
        m.setYear(2002);
        m.setMake(QStringLiteral("LINCOLN"));
        m.openVehicle(1, 2002);
        FakeHttp http;
        registerEveryScreen(m, http);
        MainWindowFrame frame(m, NetStatus::shared());
        frame.resize(1440, 920);
        frame.show();
        frame.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&frame));
        for (Screen screen : Screen::allCases()) {
            m.setScreen(screen);
            settle();
            Walk all;
            walk(QAccessible::queryAccessibleInterface(&frame), all);
            QVERIFY2(all.unnamed.isEmpty(), qPrintable(screen.id() + QStringLiteral(": ") + all.unnamed.join(QStringLiteral(", "))));
            QVERIFY2(all.unpressable.isEmpty(), qPrintable(all.unpressable.join(QStringLiteral(", "))));
            QVERIFY2(all.focused.size() <= 1, qPrintable(screen.id() + QStringLiteral(": ") + all.focused.join(QStringLiteral(", "))));
            Walk page;
            walk(QAccessible::queryAccessibleInterface(frame.content()->screenView()), page);
            QVERIFY2(!page.headings.isEmpty(), qPrintable(screen.id()));
            if (screen == Screen::Codes) {
                // One level chip chosen; each code row says how serious it is.
                QCOMPARE(page.checked.size(), 1);
                QVERIFY(!page.items.isEmpty());
                for (const QString &item : std::as_const(page.items)) {
                    QVERIFY2(item.endsWith(QStringLiteral(", Drive")) || item.endsWith(QStringLiteral(", Drive soon"))
                                 || item.endsWith(QStringLiteral(", Stop")),
                             qPrintable(item));
                }
            }
            if (screen == Screen::Guides) {
                // The guide in the pane is the selected row; the list's
                // current row is not focused once the focus has left it.
                QCOMPARE(page.selected.size(), 1);
                auto *list = frame.content()->screenView()->findChild<QListView *>();
                QVERIFY(list);
                list->setFocus();
                settle();
                QVERIFY(list->currentIndex().isValid());
                QTest::keyClick(list, Qt::Key_Tab);
                settle();
                Walk after;
                walk(QAccessible::queryAccessibleInterface(&frame), after);
                QVERIFY2(after.focused.size() <= 1, qPrintable(after.focused.join(QStringLiteral(", "))));
            }
            if (screen == Screen::Home) {
                // Year, Make, Model: lists whose chosen rows are selected.
                QCOMPARE(page.lists.size(), 3);
                QStringList chosen;
                for (QAccessibleInterface *list : std::as_const(page.lists)) {
                    for (int i = 0; i < list->childCount(); ++i) {
                        QAccessibleInterface *row = list->child(i);
                        if (row->role() == QAccessible::ListItem && row->state().selected)
                            chosen << row->text(QAccessible::Name);
                        QVERIFY(row->role() != QAccessible::ListItem || row->state().selectable);
                    }
                }
                QCOMPARE(chosen, (QStringList{QStringLiteral("2002"), QStringLiteral("Lincoln")}));
            }
        }
    }
};

QTEST_MAIN(TestAccessible)
#include "test_accessible.moc"
