#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int status = -1;
    QString out;
};

QProcess *start(const QStringList &args)
{
    auto *p = new QProcess;
    p->setProgram(QStringLiteral(FV_BIN_DIR "/garage_test_child"));
    p->setArguments(args);
    p->setProcessChannelMode(QProcess::SeparateChannels);
    p->start();
    return p;
}

Run finish(QProcess *p)
{
    Run r;
    if (p->waitForFinished(60000) && p->exitStatus() == QProcess::NormalExit) {
        r.status = p->exitCode();
        r.out = QString::fromUtf8(p->readAllStandardOutput());
    }
    delete p;
    return r;
}

Run child(const QStringList &args)
{
    return finish(start(args));
}

} // namespace

class TestProcesses : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;

private slots:
    void writtenByOneReadByTheNext()
    {
        const QString path = m_dir.filePath(QStringLiteral("relaunch/My Garage.sqlite"));
        QCOMPARE(child({QStringLiteral("write"), path}).status, 0);
        const Run read = child({QStringLiteral("read"), path});
        QCOMPARE(read.status, 0);
        QCOMPARE(read.out, QStringLiteral("GARAGE|2002 Lincoln Navigator|Big Blue|181900|Air ride sags overnight\n"
                                          "SERVICE|2026-10-01|Oil change|$64\n"));
    }

    void concurrentWritersWaitForEachOther()
    {
        const QString path = m_dir.filePath(QStringLiteral("busy.sqlite"));
        const int times = 25;
        QList<QProcess *> writers;
        for (int k = 0; k < 3; ++k)
            writers.append(start({QStringLiteral("write"), path, QString::number(times)}));
        for (QProcess *p : writers)
            QCOMPARE(finish(p).status, 0);
        const Run read = child({QStringLiteral("read"), path});
        QCOMPARE(read.status, 0);
        QCOMPARE(read.out.count(QStringLiteral("GARAGE|")), 3 * times);
        QCOMPARE(read.out.count(QStringLiteral("SERVICE|")), 3 * times);
        QCOMPARE(read.out.count(QStringLiteral("|181900|")), 3 * times);
    }

    void readOnlyGarageOpensForReading()
    {
        QDir(m_dir.path()).mkdir(QStringLiteral("ro"));
        const QString path = m_dir.filePath(QStringLiteral("ro/My Garage.sqlite"));
        QCOMPARE(child({QStringLiteral("write"), path}).status, 0);
        const auto readable = QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther;
        const auto enterable = QFile::ExeOwner | QFile::ExeGroup | QFile::ExeOther;
        QVERIFY(QFile::setPermissions(path, readable));
        QVERIFY(QFile::setPermissions(m_dir.filePath(QStringLiteral("ro")), readable | enterable));
        QVERIFY(QFile::setPermissions(m_dir.path(), QFile::WriteOwner | readable | enterable));
        const Run run = child({QStringLiteral("readonly"), path});
        QCOMPARE(run.status, 0);
        QVERIFY2(run.out.startsWith(QStringLiteral("1|1|My Garage is read-only")), qPrintable(run.out));
    }

    void unopenableFile()
    {
        const QString file = m_dir.filePath(QStringLiteral("plain"));
        QFile f(file);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const Run read = child({QStringLiteral("read"), file + QStringLiteral("/My Garage.sqlite")});
        QCOMPARE(read.status, 3);
        QVERIFY(read.out.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestProcesses)
#include "test_processes.moc"
