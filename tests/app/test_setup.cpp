#include "app/appmodel.h"
#include "platform/fvinfo.h"
#include "shell/fvsetup.h"
#include "garage/garagestore.h"
#include "kit/kvaboutwindow.h"
#include "kit/kvrnhelp.h"
#include "kit/kvrnkit.h"
#include "kit/kvrnkithost.h"
#include "kit/kvscale.h"
#include "kit/kvzoom.h"
#include "platform/prefs.h"
#include "support/fixturedb.h"

#include <QTemporaryDir>
#include <QtTest>

// The shared model and the one-time set-up, against a fixture database named
// through VOREL_DB and a scratch garage named through FV_GARAGE_PATH.
class TestSetup : public QObject
{
    Q_OBJECT

    std::unique_ptr<FixtureDb> m_fixture;
    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        m_fixture = std::make_unique<FixtureDb>();
        QVERIFY2(m_fixture->ok(), qPrintable(m_fixture->error()));
        qputenv("VOREL_DB", m_fixture->path().toUtf8());
        qputenv("VOREL_PHOTOS", m_fixture->photosFolder().toUtf8());
        qputenv("FV_GARAGE_PATH", m_dir.filePath(QStringLiteral("My Garage.sqlite")).toUtf8());
        Prefs::shared().useFile(m_dir.filePath(QStringLiteral("prefs.ini")));
        Prefs::shared().setValue(KVZoom::key(), 1.5);
        Prefs::shared().setValue(QStringLiteral("fv.lastVehicle"), QStringLiteral("1:2002"));
    }

    void configureMakesTheModelAndInstallsTheKit()
    {
        QVERIFY(!AppModel::sharedExists());
        QVERIFY(!FVSetup::configured());
        FVSetup::configure();
        QVERIFY(FVSetup::configured());
        QVERIFY(AppModel::sharedExists());

        AppModel &m = AppModel::shared();
        QVERIFY(m.data());
        QVERIFY(m.garage());
        QCOMPARE(m.garage()->path(), m_dir.filePath(QStringLiteral("My Garage.sqlite")));
        QCOMPARE(m.currentVehicle(), std::optional<qint64>(1));
        QCOMPARE(&AppModel::shared(), &m);

        QCOMPARE(KVRNKitHost::appName(), FVInfo::appName());
        const KVRNHelpTopics all = KVRNHelp::allTopics();
        QCOMPARE(all.size(), 16);
        QCOMPARE(all.first().id, QStringLiteral("start"));
        // The photo credits of the reference data reach the help.
        QVERIFY(KVRNHelp::search(QStringLiteral("A. Author")).size() == 1);
        QVERIFY(KVRNHelp::search(QStringLiteral("A. Author")).first().body.contains(
            QStringLiteral("\u2022 Lincoln Navigator: A. Author, CC BY-SA 4.0 License: CC BY-SA 4.0")));
        QCOMPARE(KVRNAbout::extraLines(), FVSetup::aboutExtraLines());
        // The stored zoom is applied.
        QCOMPARE(KVScale::factor(), 1.5);
    }

    void secondConfigureDoesNothing()
    {
        KVRNKit::install(QStringLiteral("Changed"), {});
        FVSetup::configure();
        QCOMPARE(KVRNKitHost::appName(), QStringLiteral("Changed"));
        QCOMPARE(KVRNHelp::allTopics().size(), 2);
        QCOMPARE(KVRNAbout::extraLines().size(), 2);
    }

    void aboutLines()
    {
        QCOMPARE(FVSetup::aboutExtraLines(),
                 QStringList({QStringLiteral("Troubleshooting reference for 1970\u20132026 vehicles."),
                              QStringLiteral("Data from NHTSA and EPA; not endorsed by them.")}));
    }
};

QTEST_GUILESS_MAIN(TestSetup)
#include "test_setup.moc"
