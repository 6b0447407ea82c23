// The garage screens offscreen: pending edits across store reloads, rows that
// remove themselves, the forms, removal and export through answered dialogs,
// and the code page's panel with "&" in menu names.
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
#include "screens/garage/garageplainbutton.h"
#include "screens/garage/garageservicepanel.h"
#include "screens/garage/garageview.h"
#include "data/sqldb.h"
#include "kit/kvchromebutton.h"
#include "kit/kvreturnkey.h"
#include "support/fixturedb.h"
#include "support/tabwalk.h"

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

qint64 addVehicle(GarageStore &g, const QString &title, const QString &nickname = {})
{
    GarageVehicle v;
    v.title = title;
    v.nickname = nickname;
    return *GarageActions::add(v, g);
}

} // namespace

class TestGarageViews : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_home;
    FixtureDb m_db;
    std::unique_ptr<AppModel> m_model;
    std::unique_ptr<GarageBody> m_body;
    qint64 m_a = 0;
    qint64 m_b = 0;

    GarageStore &store() { return *m_model->garage(); }

private slots:
    void init()
    {
        QVERIFY(m_db.ok());
        QFile::remove(m_home.filePath(QStringLiteral("garage.sqlite")));
        m_model = std::make_unique<AppModel>(AppModel::Locations{m_db.path(), m_db.photosFolder(),
                                                                 m_home.filePath(QStringLiteral("garage.sqlite"))});
        QVERIFY(m_model->garage());
        m_a = addVehicle(store(), QStringLiteral("2002 Lincoln Navigator"));
        m_b = addVehicle(store(), QStringLiteral("Tom & Jerry"), QStringLiteral("R&D"));
        m_body = std::make_unique<GarageBody>(store(), *m_model);
        m_body->resize(1200, 1400);
        m_body->show();
        settle();
    }
    void cleanup()
    {
        m_body.reset();
        m_model.reset();
    }

    void pendingEditSurvivesReloadAndRowChoiceDropsIt()
    {
        GarageCard *card = m_body->card();
        QVERIFY(!card->saveButton()->isEnabled());
        QTest::keyClicks(card->nickname(), QStringLiteral("Big"));
        QTest::keyClicks(card->mileage(), QStringLiteral("1,500 mi"));
        // Another write reloads the store; the card keeps the edit.
        GarageActions::addCode(QStringLiteral("P0420"), m_a, store(), {});
        settle();
        QCOMPARE(card->nickname()->text(), QStringLiteral("Big"));
        QCOMPARE(card->mileage()->text(), QStringLiteral("1,500 mi")); // as typed
        QVERIFY(card->saveButton()->isEnabled());
        QTest::keyClick(card->nickname(), Qt::Key_Return);
        settle();
        QCOMPARE(store().vehicles().first().nickname, QStringLiteral("Big"));
        QCOMPARE(store().vehicles().first().mileage, 1500);
        QVERIFY(!card->saveButton()->isEnabled());

        QTest::keyClicks(card->vin(), QStringLiteral("X"));
        m_body->rows().at(1)->click();
        settle();
        QCOMPARE(m_model->selectedGarage(), m_b);
        QVERIFY(!card->draft().pending());
        QCOMPARE(card->vin()->text(), QString());
        QCOMPARE(m_body->rows().at(1)->titleText(), QStringLiteral("Tom & Jerry"));
        QCOMPARE(m_body->rows().at(1)->nicknameText(), QStringLiteral("R&D"));
    }

    void codeAndServiceForms()
    {
        GarageCodePanel *codes = m_body->codePanel();
        QTest::keyClicks(codes->codeField(), QStringLiteral("xyz"));
        QVERIFY(!codes->addButton()->isEnabled());
        QTest::keyClick(codes->codeField(), Qt::Key_Return);
        QCOMPARE(codes->noteText(), QStringLiteral("Type a 5-character code such as P0171."));
        QCOMPARE(codes->codeField()->text(), QStringLiteral("xyz"));
        codes->codeField()->setText(QStringLiteral("p0171"));
        QTest::keyClick(codes->codeField(), Qt::Key_Return);
        settle();
        QCOMPARE(store().codes(m_a).size(), 1);
        QCOMPARE(store().codes(m_a).first().code, QStringLiteral("P0171"));
        QCOMPARE(codes->codeField()->text(), QString());
        QCOMPARE(codes->noteText(), QString());
        QCOMPARE(codes->rows().size(), 1);

        GarageServicePanel *service = m_body->servicePanel();
        const QString date = service->dateField()->text();
        QTest::keyClicks(service->titleField(), QStringLiteral("   "));
        QVERIFY(!service->addButton()->isEnabled());
        QTest::keyClicks(service->titleField(), QStringLiteral("Oil change, saw P0301"));
        QTest::keyClicks(service->milesField(), QStringLiteral("45,000"));
        QTest::keyClick(service->titleField(), Qt::Key_Return); // Return does not log
        QVERIFY(store().entries(m_a).isEmpty());
        service->addButton()->click();
        settle();
        QCOMPARE(store().entries(m_a).first().title, QStringLiteral("Oil change, saw P0301"));
        QCOMPARE(store().entries(m_a).first().mileage, 45000);
        QCOMPARE(service->dateField()->text(), date);
        QCOMPARE(service->titleField()->text(), QString());
        QCOMPARE(codes->mentionedText(), QStringLiteral("Also in your notes or service log (included in the report): P0301"));
    }

    void rowsThatRemoveThemselves()
    {
        GarageActions::addCode(QStringLiteral("P0171"), m_a, store(), {});
        ServiceEntry e;
        e.garageID = m_a;
        e.title = QStringLiteral("Brakes");
        GarageActions::log(e, store());
        settle();
        auto *x = m_body->codePanel()->rows().at(0)->findChild<GaragePlainButton *>(QStringLiteral("removeCode"));
        QTest::mouseClick(x, Qt::LeftButton);
        auto *trash = m_body->servicePanel()->rows().at(0)->findChild<GaragePlainButton *>(QStringLiteral("removeEntry"));
        QTest::mouseClick(trash, Qt::LeftButton);
        settle();
        QVERIFY(store().codes(m_a).isEmpty() && store().entries(m_a).isEmpty());
        QVERIFY(m_body->codePanel()->rows().isEmpty() && m_body->servicePanel()->rows().isEmpty());
    }

    void removeAndExport()
    {
        GarageDialogs::confirmRemove = [](QWidget *, const QString &) { return false; };
        m_body->card()->removeButton()->click();
        settle();
        QCOMPARE(store().vehicles().size(), 2);

        m_model->setSelectedGarage(m_b);
        settle();
        QTest::keyClicks(m_body->card()->nickname(), QStringLiteral("edit"));
        GarageDialogs::confirmRemove = [](QWidget *, const QString &) { return true; };
        m_body->card()->removeButton()->click();
        settle();
        QCOMPARE(store().vehicles().size(), 1);
        QVERIFY(!m_model->selectedGarage());
        QCOMPARE(m_body->card()->nickname()->text(), QString()); // the next vehicle, not the dropped edit

        QTemporaryDir out;
        GarageDialogs::chooseFolder = [&](QWidget *) { return std::optional<QString>(out.path()); };
        m_body->exportButton()->click();
        const QString folder = out.path().section(QLatin1Char('/'), -1);
        QCOMPARE(m_body->exportNoteText(),
                 QStringLiteral("Saved My Garage.csv and My Garage.html in ") + folder + QLatin1Char('.'));
        GarageDialogs::chooseFolder = [](QWidget *) { return std::optional<QString>(); };
        m_body->exportButton()->click();
        QVERIFY(m_body->exportNoteText().startsWith(QStringLiteral("Saved"))); // a cancel keeps the note
    }

    void codePagePanel()
    {
        CodeGarageRow row(store(), *m_model, QStringLiteral("P0420"));
        row.show();
        settle();
        const QList<QAction *> entries = row.saveMenu()->menu()->actions();
        QCOMPARE(entries.size(), 2);
        QCOMPARE(entries.at(1)->text(), QStringLiteral("Tom && Jerry (R&&D)"));
        QCOMPARE(row.reportMenu()->menu()->actions().at(1)->menu()->actions().size(), 3);
        QCOMPARE(row.savedWithText(), QString());
        entries.at(1)->trigger();
        entries.at(1)->trigger(); // already there: no second row, still selected
        settle();
        QCOMPARE(store().codes(m_b).size(), 1);
        QCOMPARE(m_model->selectedGarage(), m_b);
        QCOMPARE(row.savedWithText(), QStringLiteral("Saved with: Tom & Jerry"));

        GarageActions::remove(m_a, store());
        GarageActions::remove(m_b, store());
        settle();
        QVERIFY(row.saveMenu()->isHidden());
        QVERIFY(!row.emptyText().isEmpty());
    }
    // Every control of the garage is a Tab stop that shows its focus; Return
    // and Space work the buttons, and the forms refuse bad values with a
    // message, keeping what was typed.
    void keyboardAndInputChecks()
    {
        KVReturnKey::install();
        GarageActions::log({0, m_a, QStringLiteral("2024-01-05"), 1000, QStringLiteral("Oil"), {}, {}}, store());
        GarageActions::addCode(QStringLiteral("P0171"), m_a, store(), {});
        settle();
        m_body->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_body.get()));
        const QList<QWidget *> stops = TabWalk::stops(m_body->rows().first());
        QList<QWidget *> expected{m_body->exportButton()};
        expected << m_body->card()->tabChain() << m_body->servicePanel()->tabChain();
        for (QWidget *w : expected) {
            if (w->isVisible() && w->isEnabled())
                QVERIFY2(stops.contains(w), qPrintable(w->objectName()));
        }
        for (QWidget *w : stops)
            QVERIFY2(TabWalk::showsFocus(w), qPrintable(w->objectName()));

        // The mileage field keeps a refused text and says why; nothing is saved.
        GarageCard *card = m_body->card();
        card->mileage()->setFocus(Qt::TabFocusReason);
        QTest::keyClicks(card->mileage(), QStringLiteral("-5"));
        QCOMPARE(card->mileage()->text(), QStringLiteral("-5"));
        QCOMPARE(card->mileageProblem(), QStringLiteral("Mileage must be a whole number from 0 to 2,000,000."));
        QVERIFY(!card->saveButton()->isEnabled());
        QTest::keyClick(card->mileage(), Qt::Key_Return);
        QCOMPARE(store().vehicles().front().mileage, 1000);
        card->mileage()->selectAll();
        QTest::keyClicks(card->mileage(), QStringLiteral("12,500"));
        QVERIFY(card->mileageProblem().isEmpty());
        card->saveButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(card->saveButton(), Qt::Key_Return);
        QCOMPARE(store().vehicles().front().mileage, 12500);

        // A nickname too long is kept as typed and refused beside the field.
        card->nickname()->setFocus(Qt::TabFocusReason);
        card->nickname()->selectAll();
        QTest::keyClicks(card->nickname(), QString(101, u'n'));
        QCOMPARE(card->lengthProblem(), QStringLiteral("Nickname can be at most 100 characters."));
        QVERIFY(!card->saveButton()->isEnabled());
        QTest::keyClick(card->nickname(), Qt::Key_Backspace);
        QVERIFY(card->lengthProblem().isEmpty());
        QVERIFY(card->saveButton()->isEnabled());

        // The service form: each bad field is named, the entry waits.
        GarageServicePanel *log = m_body->servicePanel();
        log->dateField()->setText(QStringLiteral("2026-13-45"));
        log->costField()->setText(QStringLiteral("abc"));
        log->titleField()->setText(QStringLiteral("Brakes"));
        log->addButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(log->addButton(), Qt::Key_Return);
        QCOMPARE(store().entries(m_a).size(), 1);
        QVERIFY(log->problemText().contains(QStringLiteral("YYYY-MM-DD")) && log->problemText().contains(QStringLiteral("Cost")));
        QVERIFY(log->dateField()->hasFocus());
        QCOMPARE(log->costField()->text(), QStringLiteral("abc"));
        log->dateField()->setText(QStringLiteral("2024-02-01"));
        log->costField()->setText(QStringLiteral("$120.50"));
        log->addButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(log->addButton(), Qt::Key_Space);
        QCOMPARE(store().entries(m_a).size(), 2);
        QVERIFY(log->problemText().isEmpty());

        // The removal question names what goes with the vehicle.
        QString asked;
        GarageDialogs::confirmRemove = [&](QWidget *, const QString &q) { asked = q; return false; };
        card->removeButton()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(card->removeButton(), Qt::Key_Return);
        QCOMPARE(asked, QStringLiteral("Remove 2002 Lincoln Navigator with its 2 service entries and 1 saved code from My Garage?"));
    }

    // A garage that was busy at start-up replaces the screen's error panel when it opens.
    void busyGarageOpensOnTheScreen()
    {
        const QString path = m_home.filePath(QStringLiteral("busy.sqlite"));
        { GarageStore create(path); }
        SQLDB other(path, false);
        other.exec(QStringLiteral("BEGIN EXCLUSIVE"));
        AppModel m(AppModel::Locations{m_db.path(), m_db.photosFolder(), path});
        GarageView view(m);
        QVERIFY(!view.body() && !view.errorText().isEmpty());
        other.exec(QStringLiteral("COMMIT"));
        QTRY_VERIFY_WITH_TIMEOUT(view.body(), 5000);
        QVERIFY(view.errorText().isEmpty());
    }
};

QTEST_MAIN(TestGarageViews)
#include "test_garageviews.moc"
