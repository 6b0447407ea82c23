#include "app/appmodel.h"
#include "data/sqldb.h"
#include "garage/garageactions.h"
#include "garage/garagestore.h"
#include "platform/prefs.h"
#include "reportui/garagecopy.h"
#include "reportui/printfit.h"
#include "reportui/reportfolder.h"
#include "reportui/reportui.h"
#include "support/fixturedb.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int modeOf(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 ? int(st.st_mode & 0777) : -1;
}

} // namespace

// What the window commands pick from the model, and the files they rely on.
class TestReportUI : public QObject
{
    Q_OBJECT

    FixtureDb m_fixture;
    QTemporaryDir m_dir;

    AppModel::Locations locations(const QString &garage, bool withData = true) const
    {
        return {withData ? m_fixture.path() : m_dir.filePath(QStringLiteral("absent.db")), m_fixture.photosFolder(),
                m_dir.filePath(garage)};
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_fixture.ok(), qPrintable(m_fixture.error()));
        Prefs::shared().useFile(m_dir.filePath(QStringLiteral("prefs.ini")));
    }

    void vehicleAndCodeForTheMenus()
    {
        AppModel model(locations(QStringLiteral("menu.sqlite")));
        QVERIFY(!ReportUI::vehicleForMenu(model));
        GarageVehicle v;
        v.title = QStringLiteral("First");
        const qint64 first = GarageActions::add(v, *model.garage()).value_or(-1);
        v.title = QStringLiteral("Second");
        const qint64 second = GarageActions::add(v, *model.garage()).value_or(-1);

        QCOMPARE(ReportUI::vehicleForMenu(model)->id, first); // nothing selected
        model.setSelectedGarage(second);
        QCOMPARE(ReportUI::vehicleForMenu(model)->title, QStringLiteral("Second"));
        GarageActions::remove(second, *model.garage());
        QCOMPARE(ReportUI::vehicleForMenu(model)->id, first); // the selection is gone

        model.setSelectedCode(QStringLiteral("P0420"));
        model.setScreen(Screen::Vehicle);
        QCOMPARE(ReportUI::extraForMenu(model), QStringList());
        model.setScreen(Screen::Codes);
        QCOMPARE(ReportUI::extraForMenu(model), QStringList{QStringLiteral("P0420")});
        model.setSelectedCode(std::nullopt);
        QCOMPARE(ReportUI::extraForMenu(model), QStringList());

        QVERIFY(ReportUI::report(model, *ReportUI::vehicleForMenu(model), {QStringLiteral("P0171")}));
        const AppModel noData(locations(QStringLiteral("menu.sqlite"), false));
        QVERIFY(!ReportUI::report(noData, *ReportUI::vehicleForMenu(noData), {}));
    }

    void reportsFolderIsPrivate()
    {
        const QString base = m_dir.filePath(QStringLiteral("base"));
        const QString fallback = m_dir.filePath(QStringLiteral("fallback"));
        const QString inBase = QDir(base).filePath(ReportFolder::name());
        const QString inFallback = QDir(fallback).filePath(ReportFolder::name());

        QCOMPARE(ReportFolder::locate({base, fallback}), inBase); // base made too
        QCOMPARE(modeOf(inBase), 0700);
        QFile::setPermissions(inBase, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther
                                          | QFile::ExeOther);
        QCOMPARE(ReportFolder::locate({base, fallback}), inBase);
        QCOMPARE(modeOf(inBase), 0700); // tightened

        // A link in its place, even to a private folder, is not used.
        QVERIFY(QDir(inBase).removeRecursively());
        QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("elsewhere"))));
        QVERIFY(QFile::link(m_dir.filePath(QStringLiteral("elsewhere")), inBase));
        QCOMPARE(ReportFolder::locate({base, fallback}), inFallback);

        // Nor a folder that belongs to someone else (needs the right to give it away).
        QFile::remove(inBase);
        QVERIFY(QDir().mkdir(inBase));
        if (::geteuid() == 0) {
            QCOMPARE(::chown(QFile::encodeName(inBase).constData(), 65534, 65534), 0);
            QCOMPARE(ReportFolder::locate({base, fallback}), inFallback);
        }
        QVERIFY(QFile::remove(inFallback) || QDir(inFallback).removeRecursively());
        QCOMPARE(ReportFolder::locate({QStringLiteral("/proc/none")}), QString());
    }

    void garageCopyIsConsistentAndInMemory()
    {
        const QString path = m_dir.filePath(QStringLiteral("busy.sqlite"));
        {
            GarageStore store(path);
            GarageVehicle v;
            v.title = QStringLiteral("Committed");
            QVERIFY(GarageActions::add(v, store));
        }
        const QStringList before = QDir(m_dir.path()).entryList(QDir::Files);
        // Another connection is half-way through a write.
        SQLDB writer(path, false);
        writer.exec(QStringLiteral("BEGIN IMMEDIATE; UPDATE garage SET title = 'Uncommitted';"));
        {
            const GarageCopy copy(path);
            QVERIFY2(copy.ok(), qPrintable(copy.error()));
            GarageStore read(GarageStore::InMemory{copy.image()});
            QCOMPARE(read.vehicles().value(0).title, QStringLiteral("Committed"));
            QCOMPARE(read.path(), QString());
        }
        writer.exec(QStringLiteral("ROLLBACK;"));
        QCOMPARE(QDir(m_dir.path()).entryList(QDir::Files), before);
    }

    void pagesFitThePaper()
    {
        const PrintFit same = PrintFit::place(QSizeF(612, 792), QRectF(0, 0, 850, 1100));
        QVERIFY(!same.rotate);
        QCOMPARE(same.target, QRectF(0, 0, 850, 1100));
        const PrintFit wide = PrintFit::place(QSizeF(792, 612), QRectF(0, 0, 800, 1200));
        QVERIFY(wide.rotate);
        QCOMPARE(wide.target.width(), 800.0);
        QVERIFY(qAbs(wide.target.height() - 800.0 * 792 / 612) < 1e-9);
        QCOMPARE(wide.target.center(), QPointF(400, 600)); // centred
    }
};

QTEST_MAIN(TestReportUI)
#include "test_report_ui.moc"
