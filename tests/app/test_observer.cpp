#include "app/appmodel.h"
#include "app/modelobserver.h"
#include "platform/netstatus.h"
#include "platform/prefs.h"

#include <QTemporaryDir>
#include <QtTest>

// The observer that every screen uses to fold bursts of changes into one
// refresh.
class TestObserver : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    std::unique_ptr<AppModel> m_model;

private slots:
    void initTestCase()
    {
        Prefs::shared().useFile(m_dir.filePath(QStringLiteral("prefs.ini")));
        // No reference data: the model still works as a state holder.
        m_model = std::make_unique<AppModel>(AppModel::Locations{m_dir.filePath(QStringLiteral("none.db")), QString(),
                                                                 m_dir.filePath(QStringLiteral("g.sqlite"))});
    }

    void burstGivesOneRefresh()
    {
        QObject owner;
        int refreshes = 0;
        Screen seen;
        auto *obs = new ModelObserver(&owner, [&] {
            ++refreshes;
            seen = m_model->screen();
        });
        obs->watchModel(*m_model);
        m_model->setSearchText(QStringLiteral("brake"));
        m_model->runSearch();
        m_model->setCodeFilter(QStringLiteral("x"));
        QCOMPARE(refreshes, 0); // nothing until the event loop turns
        QVERIFY(obs->pending());
        QCoreApplication::processEvents();
        QCOMPARE(refreshes, 1);
        QCOMPARE(seen, Screen(Screen::Search)); // the refresh sees the final state
        QCoreApplication::processEvents();
        QCOMPARE(refreshes, 1);

        m_model->setScreen(Screen::Home);
        QCoreApplication::processEvents();
        QCOMPARE(refreshes, 2);
    }

    void fieldsFilter()
    {
        QObject owner;
        int refreshes = 0;
        auto *obs = new ModelObserver(&owner, [&] { ++refreshes; });
        obs->watchModel(*m_model, {AppModel::Field::VinText});
        m_model->setSearchText(QStringLiteral("other"));
        m_model->setScreen(Screen::Codes);
        QCoreApplication::processEvents();
        QCOMPARE(refreshes, 0);
        m_model->setVinText(QStringLiteral("1FT"));
        QCoreApplication::processEvents();
        QCOMPARE(refreshes, 1);
    }

    void prefsNetAndOtherSignals()
    {
        QObject owner;
        int refreshes = 0;
        auto *obs = new ModelObserver(&owner, [&] { ++refreshes; });
        obs->watchPrefs({QStringLiteral("kvrn.theme")});
        obs->watchNet();
        Prefs::shared().setValue(QStringLiteral("fv.includeHeavy"), true);
        QCoreApplication::processEvents();
        QCOMPARE(refreshes, 0);
        Prefs::shared().setValue(QStringLiteral("kvrn.theme"), QStringLiteral("rose-gold"));
        NetStatus::shared().override(false);
        NetStatus::shared().override(true);
        QCoreApplication::processEvents();
        QCOMPARE(refreshes, 1);

        QObject sender;
        obs->watch(&sender, &QObject::objectNameChanged);
        sender.setObjectName(QStringLiteral("a"));
        QCoreApplication::processEvents();
        QCOMPARE(refreshes, 2);
        obs->watchGarage(nullptr); // no store: nothing to watch, no failure
    }

    void refreshNowDropsThePendingOne()
    {
        QObject owner;
        int refreshes = 0;
        auto *obs = new ModelObserver(&owner, [&] { ++refreshes; });
        obs->watchModel(*m_model);
        m_model->setYear(2002);
        obs->refreshNow();
        QCOMPARE(refreshes, 1);
        QVERIFY(!obs->pending());
        QCoreApplication::processEvents();
        QCOMPARE(refreshes, 1);
        // A change after refreshNow() schedules again.
        m_model->setYear(2003);
        QCoreApplication::processEvents();
        QCOMPARE(refreshes, 2);
        QCOMPARE(obs->refreshCount(), 2);
    }

    void ownerGoneBeforeTheRefresh()
    {
        int refreshes = 0;
        auto *owner = new QObject;
        auto *obs = new ModelObserver(owner, [&] { ++refreshes; });
        obs->watchModel(*m_model);
        m_model->setYear(1999);
        delete owner;
        QCoreApplication::processEvents();
        m_model->setYear(2000);
        QCoreApplication::processEvents();
        QCOMPARE(refreshes, 0);
    }
};

QTEST_GUILESS_MAIN(TestObserver)
#include "test_observer.moc"
