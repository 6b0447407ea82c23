#include "app/dispatch.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Run
{
    int status = -1;
    QString out;
};

QProcessEnvironment environment(const QString &platform, int selfTestStatus, const QString &runtime)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    if (!platform.isEmpty())
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), platform);
    env.insert(QStringLiteral("FV_TEST_SELFTEST_STATUS"), QString::number(selfTestStatus));
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
    env.insert(QStringLiteral("FV_GARAGE_PATH"), runtime + QStringLiteral("/garage.sqlite"));
    env.insert(QStringLiteral("VOREL_DB"), runtime + QStringLiteral("/absent.db"));
    return env;
}

const QString helper = QStringLiteral(FV_BIN_DIR "/app_test_dispatch");

} // namespace

class TestDispatch : public QObject
{
    Q_OBJECT

    QTemporaryDir m_runtime;

    Run run(const QStringList &args, const QString &platform = QString(), int selfTestStatus = 0)
    {
        QProcess p;
        p.setProcessEnvironment(environment(platform, selfTestStatus, m_runtime.path()));
        p.start(helper, args);
        if (!p.waitForFinished(20000)) {
            p.kill();
            p.waitForFinished();
            return {-2, QString()};
        }
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -3,
                QString::fromUtf8(p.readAllStandardOutput()).trimmed()};
    }

private slots:
    void initTestCase()
    {
        QFile::setPermissions(m_runtime.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void modesInOrder_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("selfTestStatus");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("out");
        QTest::newRow("child beats self-test") << QStringList{"--selftest", "--fv-child-garage-write", "7"} << 1 << 7
                                               << "child offscreen";
        QTest::newRow("child read") << QStringList{"--fv-child-garage-read", "9"} << 0 << 9 << "child offscreen";
        QTest::newRow("child beats snapshot") << QStringList{"--fv-snapshot", "3", "--fv-child-garage-read", "5"} << 0
                                              << 5 << "child offscreen";
        QTest::newRow("snapshot beats report") << QStringList{"--fv-trouble-report", "4", "x", "--fv-snapshot", "2"}
                                               << 0 << 2 << "snapshot offscreen";
        QTest::newRow("report beats self-test") << QStringList{"--fv-trouble-report", "4", "x", "--selftest"} << 1
                                                << 4 << "report offscreen";
        QTest::newRow("declined report, then self-test") << QStringList{"--selftest", "--fv-trouble-report", "4"} << 1
                                                         << 1 << "selftest offscreen";
        QTest::newRow("self-test anywhere") << QStringList{"a", "--selftest", "b"} << 1 << 1 << "selftest offscreen";
        QTest::newRow("self-test last") << QStringList{"a", "--selftest"} << 0 << 0 << "selftest offscreen";
        QTest::newRow("status 0 still ends") << QStringList{"--fv-snapshot", "0"} << 0 << 0 << "snapshot offscreen";
        QTest::newRow("large status") << QStringList{"--fv-snapshot", "200"} << 0 << 200 << "snapshot offscreen";
    }

    void modesInOrder()
    {
        QFETCH(QStringList, args);
        QFETCH(int, selfTestStatus);
        QFETCH(int, status);
        QFETCH(QString, out);
        const Run r = run(args, QString(), selfTestStatus);
        QCOMPARE(r.out, out);
        QCOMPARE(r.status, status);
    }

    void aChosenPlatformIsKept()
    {
        const Run r = run({QStringLiteral("--fv-snapshot"), QStringLiteral("0")}, QStringLiteral("minimal"));
        QCOMPARE(r.out, QStringLiteral("snapshot minimal"));
    }

    void lookalikesStartTheWindow()
    {
        // Neither spelling is "--selftest": the windowed application starts,
        // which takes the single-instance lock in the runtime folder.
        for (const QString &arg : {QStringLiteral("--SELFTEST"), QStringLiteral("--selftests")}) {
            const QString lock = m_runtime.filePath(QStringLiteral("com.brackenfold.FenwhistleVorel.lock"));
            QFile::remove(lock);
            QProcess p;
            p.setProcessEnvironment(environment(QStringLiteral("offscreen"), 1, m_runtime.path()));
            p.start(helper, {arg});
            QVERIFY(p.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(lock), 10000);
            QCOMPARE(p.state(), QProcess::Running);

            // A second windowed copy hands over and ends at once with 0.
            const Run second = run({}, QStringLiteral("offscreen"));
            QCOMPARE(second.status, 0);
            QCOMPARE(second.out, QString());
            QCOMPARE(p.state(), QProcess::Running);

            p.kill();
            p.waitForFinished();
            QVERIFY(p.readAllStandardOutput().isEmpty());
        }
    }

    void registryOrderIsFixed()
    {
        // Filled in reverse order, the slots still answer in their own order.
        QStringList calls;
        Dispatch::clear();
        Dispatch::setSelfTest([&] {
            calls << QStringLiteral("selftest");
            return 9;
        });
        Dispatch::setMode(Dispatch::Slot::Report, {QStringLiteral("--r")}, [&](const QStringList &) {
            calls << QStringLiteral("report");
            return std::optional<int>();
        });
        Dispatch::setMode(Dispatch::Slot::GarageChild, {QStringLiteral("--c")}, [&](const QStringList &) {
            calls << QStringLiteral("child");
            return std::optional<int>();
        });
        QCOMPARE(Dispatch::run({QStringLiteral("app"), QStringLiteral("--selftest")}), std::optional<int>(9));
        QCOMPARE(calls, QStringList({"child", "report", "selftest"}));
        QVERIFY(!Dispatch::run({QStringLiteral("app")}));
        QVERIFY(Dispatch::isCommandLine({QStringLiteral("app"), QStringLiteral("--r")}));
        QVERIFY(!Dispatch::isCommandLine({QStringLiteral("app"), QStringLiteral("--fv-snapshot")}));
        Dispatch::clear();
        // With nothing filled in, no option is recognised.
        QVERIFY(!Dispatch::isCommandLine({QStringLiteral("app"), QStringLiteral("--selftest")}));
        QVERIFY(!Dispatch::run({QStringLiteral("app"), QStringLiteral("--selftest")}));
    }
};

QTEST_GUILESS_MAIN(TestDispatch)
#include "test_dispatch.moc"
