// The report menus and the code page's panel forward the right vehicle and
// codes; the screen without a garage; keyboard use of the vehicle list; the
// empty garage, saved-code rows and entry rows as shown.
#include "app/appmodel.h"
#include "garage/garageactions.h"
#include "garage/garagestore.h"
#include "screens/garage/codegaragerow.h"
#include "screens/garage/garagebody.h"
#include "screens/garage/garagecard.h"
#include "screens/garage/garagecodepanel.h"
#include "screens/garage/garagedialogs.h"
#include "screens/garage/garagelineedit.h"
#include "screens/garage/garagelistrow.h"
#include "screens/garage/garageservicepanel.h"
#include "screens/garage/garageview.h"
#include "screens/garage/reportcommands.h"
#include "screens/garage/reportmenu.h"
#include "kit/kvchromebutton.h"
#include "kit/kvtextlabel.h"
#include "screens/shared/clampedtext.h"
#include "support/fixturedb.h"

#include <QApplication>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>

namespace {

void settle()
{
    for (int i = 0; i < 4; ++i)
        QCoreApplication::processEvents();
}

// What the installed report commands were called with: "save|print|share title codes".
QStringList calls;

void installRecorder()
{
    calls.clear();
    auto record = [](const char *what) {
        return [what](const GarageVehicle &v, const QStringList &extra) {
            calls << QString::fromLatin1(what) + QLatin1Char(' ') + v.title + QLatin1Char(' ') + extra.join(QLatin1Char(','));
        };
    };
    ReportCommands::install({record("save"), record("print"), record("share")});
}

} // namespace

class TestGarageMenus : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    FixtureDb m_db;
    std::unique_ptr<AppModel> m_model;

    GarageStore &store() { return *m_model->garage(); }
    qint64 add(const QString &title, std::optional<qint64> ref = std::nullopt)
    {
        GarageVehicle v;
        v.title = title;
        v.vehicleID = ref;
        v.year = 2002;
        return *GarageActions::add(v, store());
    }

private slots:
    void init()
    {
        QVERIFY(m_db.ok());
        QFile::remove(m_home.filePath(QStringLiteral("garage.sqlite")));
        m_model = std::make_unique<AppModel>(AppModel::Locations{m_db.path(), m_db.photosFolder(),
                                                                 m_home.filePath(QStringLiteral("garage.sqlite"))});
        QVERIFY(m_model->garage());
        installRecorder();
    }
    void cleanup() { m_model.reset(); }

    void reportMenuForwardsVehicleAndCodes()
    {
        GarageVehicle a;
        a.title = QStringLiteral("A");
        ReportMenu menu(a);
        QCOMPARE(menu.label(), QStringLiteral("Trouble Code Report (PDF)"));
        const QList<QAction *> entries = menu.menu()->actions();
        QCOMPARE(entries.size(), 3);
        QCOMPARE(entries.at(0)->text(), QStringLiteral("Save as PDF…"));
        entries.at(0)->trigger();
        GarageVehicle b;
        b.title = QStringLiteral("B");
        menu.setVehicle(b);
        for (QAction *action : menu.menu()->actions())
            action->trigger();
        QCOMPARE(calls, (QStringList{QStringLiteral("save A "), QStringLiteral("save B "), QStringLiteral("print B "),
                                     QStringLiteral("share B ")}));
        QCOMPARE(ReportMenu(a, {QStringLiteral("P0420")}, QStringLiteral("Other")).label(), QStringLiteral("Other"));
    }

    void codePanelReportsIncludeItsCode()
    {
        add(QStringLiteral("A"));
        add(QStringLiteral("B"));
        CodeGarageRow row(store(), *m_model, QStringLiteral("P0420"));
        QMenu *second = row.reportMenu()->menu()->actions().at(1)->menu();
        for (QAction *action : second->actions())
            action->trigger();
        QCOMPARE(calls, (QStringList{QStringLiteral("save B P0420"), QStringLiteral("print B P0420"),
                                     QStringLiteral("share B P0420")}));
        // A code the garage cannot take changes nothing.
        CodeGarageRow bad(store(), *m_model, QStringLiteral("XYZ"));
        bad.saveMenu()->menu()->actions().at(0)->trigger();
        QVERIFY(store().codes().isEmpty());
        QVERIFY(!m_model->selectedGarage());
    }

    void screenWithoutGarage()
    {
        QTemporaryDir dir;
        // A folder where the garage file should be cannot be opened as one.
        AppModel broken(AppModel::Locations{m_db.path(), m_db.photosFolder(), dir.path()});
        QVERIFY(!broken.garage());
        GarageView view(broken);
        QVERIFY(!view.body());
        QVERIFY(view.errorText().startsWith(QStringLiteral("My Garage could not be opened: ")));
        QVERIFY(view.errorText().size() > QStringLiteral("My Garage could not be opened: ").size());
    }

    void emptyGarageStillExports()
    {
        GarageBody body(store(), *m_model);
        QVERIFY(!body.showsVehicle());
        QVERIFY(body.listEmptyText().startsWith(QStringLiteral("No vehicles yet.")));
        QTemporaryDir out;
        GarageDialogs::chooseFolder = [&](QWidget *) { return std::optional<QString>(out.path()); };
        body.exportGarage();
        QVERIFY(QFile::exists(out.filePath(QStringLiteral("My Garage.csv"))));
        // A file where the folder should be: the failure is told.
        GarageDialogs::chooseFolder = [&](QWidget *) {
            return std::optional<QString>(out.filePath(QStringLiteral("My Garage.csv")));
        };
        body.exportGarage();
        QVERIFY(body.exportNoteText().startsWith(QStringLiteral("Export failed: ")));
    }

    void listKeyboardAndOpenPage()
    {
        const qint64 a = add(QStringLiteral("A"), 1);
        const qint64 b = add(QStringLiteral("B"));
        GarageBody body(store(), *m_model);
        body.show();
        QApplication::setActiveWindow(&body);
        settle();
        QVERIFY(!body.card()->openButton()->isHidden());
        body.rows().at(0)->setFocus();
        QTest::keyClick(body.rows().at(0), Qt::Key_Down);
        QVERIFY(body.rows().at(1)->hasFocus());
        QTest::keyClick(body.rows().at(1), Qt::Key_Return);
        settle();
        QCOMPARE(m_model->selectedGarage(), b);
        QVERIFY(body.card()->openButton()->isHidden()); // no reference vehicle
        // The form texts stay with the screen: the next add goes to the shown vehicle.
        body.codePanel()->codeField()->setText(QStringLiteral("P0171"));
        body.rows().at(0)->click();
        body.codePanel()->addCode();
        QCOMPARE(store().codes(a).size(), 1);
        body.card()->openPage();
        QCOMPARE(m_model->screen(), Screen::Vehicle);
        QCOMPARE(m_model->currentVehicle(), 1);
    }

    void savedCodeAndEntryRows()
    {
        const qint64 a = add(QStringLiteral("A"));
        GarageActions::addCode(QStringLiteral("P0420"), a, store(), {});
        GarageActions::addCode(QStringLiteral("P1A2B"), a, store(), {});
        ServiceEntry e;
        e.garageID = a;
        e.date = QStringLiteral("2024-03-01");
        e.title = QStringLiteral("Brakes");
        e.mileage = 45000;
        GarageActions::log(e, store());
        GarageBody body(store(), *m_model);
        const QList<QWidget *> rows = body.codePanel()->rows();
        QCOMPARE(rows.size(), 2);
        QCOMPARE(rows.at(1)->findChild<ClampedText *>()->text(), QStringLiteral("Not in the vorel (maker-specific)"));
        QVERIFY(rows.at(0)->findChild<ClampedText *>()->text() != rows.at(1)->findChild<ClampedText *>()->text());
        QStringList entryTexts;
        for (const KVTextLabel *l : body.servicePanel()->rows().at(0)->findChildren<KVTextLabel *>())
            entryTexts << l->text();
        QVERIFY(entryTexts.contains(QStringLiteral("45,000 mi")));
        // The stored mileage was raised; the card shows it as plain digits.
        QCOMPARE(body.card()->mileage()->text(), QStringLiteral("45000"));
        // A refused text stays as typed, with the reason beside it.
        QTest::keyClicks(body.card()->mileage(), QStringLiteral("x"));
        QCOMPARE(body.card()->mileage()->text(), QStringLiteral("45000x"));
        QVERIFY(!body.card()->mileageProblem().isEmpty());
        body.card()->mileage()->selectAll();
        QTest::keyClicks(body.card()->mileage(), QStringLiteral("abc"));
        QCOMPARE(body.card()->mileage()->text(), QStringLiteral("abc"));
        QVERIFY(!body.card()->saveButton()->isEnabled());
    }
};

QTEST_MAIN(TestGarageMenus)
#include "test_garagemenus.moc"
