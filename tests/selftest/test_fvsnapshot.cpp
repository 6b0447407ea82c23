// The snapshot mode on the generated sample database: its refusal without a
// scratch garage, a run whose folder cannot be written, and the two user
// defaults it must leave as it found them.
#include "app/appmodel.h"
#include "garage/garagestore.h"
#include "platform/prefs.h"
#include "screens/screensetup.h"
#include "selftest/fvsnapshot.h"
#include "vin/vinsetup.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

class TestFVSnapshot : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_tmp;
    QStringList m_lines;

    std::optional<int> run(const QString &folder)
    {
        m_lines.clear();
        return FVSnapshot::handle({QStringLiteral("app"), QStringLiteral("--fv-snapshot"), folder},
                                  [this](const QString &line) { m_lines.append(line); });
    }
    QString prefsFile() const { return m_tmp.filePath(QStringLiteral("prefs.ini")); }

private slots:
    void initTestCase()
    {
        if (!QFileInfo::exists(qEnvironmentVariable("VOREL_DB")))
            QSKIP("the sample reference database has not been generated (target vorel_sample)");
        Prefs::shared().useFile(prefsFile());
        ScreenSetup::registerAll();
        VINSetup::registerScreen();
    }

    void notAskedFor()
    {
        QStringList lines;
        QCOMPARE(FVSnapshot::handle({QStringLiteral("app"), QStringLiteral("--fv-snapshot")},
                                    [&](const QString &line) { lines.append(line); }),
                 2);
        QCOMPARE(lines, QStringList{QStringLiteral("usage: fenwhistle-vorel --fv-snapshot <folder>")});
        QVERIFY(!FVSnapshot::handle({QStringLiteral("app"), QStringLiteral("--selftest")}, {}));
    }

    // Without a scratch garage nothing is opened: not the model, not the
    // user's garage.
    void refusesWithoutGaragePath()
    {
        qunsetenv("FV_GARAGE_PATH");
        const QString folder = m_tmp.filePath(QStringLiteral("refused"));
        QCOMPARE(run(folder), 2);
        QCOMPARE(m_lines, QStringList{QStringLiteral("Set FV_GARAGE_PATH to a scratch file so the real garage is never touched.")});
        QVERIFY(QFileInfo(folder).isDir());
        QVERIFY(QDir(folder).isEmpty());
        QVERIFY(!AppModel::sharedExists());
    }

    // A garage path that is set but empty names no scratch garage either.
    void refusesWithAnEmptyGaragePath()
    {
        qputenv("FV_GARAGE_PATH", QByteArray());
        QCOMPARE(run(m_tmp.filePath(QStringLiteral("refused-empty"))), 2);
        QCOMPARE(m_lines, QStringList{QStringLiteral("Set FV_GARAGE_PATH to a scratch file so the real garage is never touched.")});
        QVERIFY(!AppModel::sharedExists());
    }

    // A folder that cannot be written fails the run, shot by shot; the
    // defaults come back as they were (a value kept, an absent key absent),
    // written to disk.
    void unwritableFolderFailsAndDefaultsComeBack()
    {
        const QString garage = m_tmp.filePath(QStringLiteral("g.sqlite"));
        qputenv("FV_GARAGE_PATH", garage.toUtf8());
        Prefs::shared().setValue(QStringLiteral("kvrn.theme"), QStringLiteral("rose-gold"));
        Prefs::shared().remove(QStringLiteral("fv.lastVehicle"));

        QFile blocker(m_tmp.filePath(QStringLiteral("a-file")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        QCOMPARE(run(blocker.fileName() + QStringLiteral("/shots")), 1);
        QVERIFY(m_lines.contains(QStringLiteral("could not write 01-find-vehicle.png")));
        QVERIFY(m_lines.contains(QStringLiteral("could not write 01-find-vehicle-top.png")));
        QVERIFY(m_lines.contains(QStringLiteral("could not write 01b-picker-only.png")));
        QVERIFY(m_lines.filter(QStringLiteral("wrote")).isEmpty());

        const QSettings onDisk(prefsFile(), QSettings::IniFormat);
        QCOMPARE(onDisk.value(QStringLiteral("kvrn.theme")).toString(), QStringLiteral("rose-gold"));
        QVERIFY(!onDisk.contains(QStringLiteral("fv.lastVehicle")));

        // The empty scratch garage got the demo vehicle and its two entries.
        const GarageStore store(garage);
        QCOMPARE(store.vehicles().size(), 1);
        QCOMPARE(store.vehicles().first().nickname, QStringLiteral("Big Blue"));
        QCOMPARE(store.entries().size(), 2);
    }

    // A second run writes every file and leaves a garage that holds a
    // vehicle alone; a stored last vehicle survives it, an absent theme key
    // stays absent.
    void writesEveryShot()
    {
        Prefs::shared().remove(QStringLiteral("kvrn.theme"));
        Prefs::shared().setValue(QStringLiteral("fv.lastVehicle"), QStringLiteral("1:1999"));
        const QString folder = m_tmp.filePath(QStringLiteral("shots"));
        // The offscreen platform's note on every shown window stays out of
        // standard error.
        QTest::failOnWarning(QRegularExpression(QStringLiteral("propagateSizeHints")));
        QCOMPARE(run(folder), 0);
        QCOMPARE(m_lines.size(), 13);
        QVERIFY(m_lines.first().startsWith(QStringLiteral("wrote 01-find-vehicle.png 1440x")));
        QCOMPARE(m_lines.last(), QStringLiteral("wrote 01b-picker-only.png"));
        const QFileInfoList files = QDir(folder).entryInfoList({QStringLiteral("*.png")}, QDir::Files);
        QCOMPARE(files.size(), 25);
        for (const QFileInfo &file : files)
            QVERIFY2(file.size() > 0, qPrintable(file.fileName()));

        const QSettings onDisk(prefsFile(), QSettings::IniFormat);
        QVERIFY(!onDisk.contains(QStringLiteral("kvrn.theme")));
        QCOMPARE(onDisk.value(QStringLiteral("fv.lastVehicle")).toString(), QStringLiteral("1:1999"));
        QCOMPARE(GarageStore(qEnvironmentVariable("FV_GARAGE_PATH")).vehicles().size(), 1);
    }

    // One side shot that cannot be written fails the run on its own; every
    // other file is still written.
    void oneShotThatCannotBeWrittenFailsTheRun()
    {
        const QString folder = m_tmp.filePath(QStringLiteral("blocked"));
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/01-find-vehicle-top.png")));
        QCOMPARE(run(folder), 1);
        QCOMPARE(m_lines.size(), 14);
        QCOMPARE(m_lines.filter(QStringLiteral("could not")),
                 QStringList{QStringLiteral("could not write 01-find-vehicle-top.png")});
        QVERIFY(m_lines.first().startsWith(QStringLiteral("wrote 01-find-vehicle.png ")));
        QCOMPARE(QDir(folder).entryInfoList({QStringLiteral("*.png")}, QDir::Files).size(), 24);
    }
};

QTEST_MAIN(TestFVSnapshot)
#include "test_fvsnapshot.moc"
