#include "platform/singleinstance.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QDir>
#include <QProcess>
#include <QSettings>
#include <QTemporaryDir>
#include <QtTest>

// Two processes of one program: the second hands over to the first.
class TestSingle : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

    void startPrimary(QProcess &p)
    {
        p.start(QStringLiteral(FV_BIN_DIR "/app_test_single"), {m_dir.path(), QStringLiteral("20000")});
        QVERIFY(p.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(p.canReadLine(), 10000);
        QCOMPARE(p.readLine().trimmed(), QByteArray("primary"));
    }

    void runSecondary()
    {
        QProcess q;
        q.start(QStringLiteral(FV_BIN_DIR "/app_test_single"), {m_dir.path(), QStringLiteral("20000")});
        QVERIFY(q.waitForFinished(10000));
        QCOMPARE(q.exitStatus(), QProcess::NormalExit);
        QCOMPARE(q.exitCode(), 0);
        QCOMPARE(q.readAllStandardOutput().trimmed(), QByteArray("secondary"));
    }

private slots:
    // A preference set just before the program ends is there next time.
    void prefsOutliveTheProcess()
    {
        const QString file = m_dir.filePath(QStringLiteral("prefs.ini"));
        QProcess p;
        p.start(QStringLiteral(FV_BIN_DIR "/app_test_prefs"), {file, QStringLiteral("theme"), QStringLiteral("dusk")});
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 0);
        QCOMPARE(QSettings(file, QSettings::IniFormat).value(QStringLiteral("theme")).toString(), QStringLiteral("dusk"));
    }

    // Without a runtime folder, the guard lives only in a folder of the
    // user's own; a planted one makes the program run unguarded.
    void privateFallbackFolder()
    {
        QTemporaryDir parent;
        const QString dir = SingleInstance::privateFolder(parent.path());
        QVERIFY(!dir.isEmpty());
        QCOMPARE(QFileInfo(dir).permissions() & 0x0077, QFile::Permissions());
        QVERIFY(QFile::setPermissions(dir, QFile::Permissions(0x7777)));
        QVERIFY(SingleInstance::privateFolder(parent.path()).isEmpty());
        QVERIFY(QDir(dir).removeRecursively());
        QVERIFY(QFile::link(parent.path(), dir));
        QVERIFY(SingleInstance::privateFolder(parent.path()).isEmpty());
    }

    void secondCopyHandsOver()
    {
        QProcess first;
        startPrimary(first);
        runSecondary();
        QTRY_VERIFY_WITH_TIMEOUT(first.canReadLine(), 10000);
        QCOMPARE(first.readLine().trimmed(), QByteArray("activated"));

        // A lock held for a long time is not taken for stale.
        QFile lock(m_dir.filePath(QStringLiteral("probe.lock")));
        QVERIFY(lock.open(QIODevice::ReadWrite));
        QVERIFY(lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime));
        lock.close();
        runSecondary();
        QTRY_VERIFY_WITH_TIMEOUT(first.canReadLine(), 10000);
        QCOMPARE(first.readLine().trimmed(), QByteArray("activated"));

        first.kill(); // dies without cleaning up: lock and socket files stay
        first.waitForFinished();
        QVERIFY(QFileInfo::exists(m_dir.filePath(QStringLiteral("probe.lock"))));

        QProcess next;
        startPrimary(next); // the stale lock is taken over
        runSecondary();
        QTRY_VERIFY_WITH_TIMEOUT(next.canReadLine(), 10000);
        QCOMPARE(next.readLine().trimmed(), QByteArray("activated"));
        next.kill();
        next.waitForFinished();
    }
};

QTEST_GUILESS_MAIN(TestSingle)
#include "test_single.moc"
