// The self-test's small parts on their failure paths: a query that fails, the
// counter's lines, the scratch folder's removal and a child that crashes or
// prints bytes that are not text.
#include "data/sqldb.h"
#include "selftest/checkquery.h"
#include "selftest/fvtestrun.h"
#include "selftest/scratchfolder.h"
#include "selftest/selftest.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

// What the child slot does when this program is started by runChild.
const char *const childRole = "FV_TEST_CHILD_ROLE";

QString read(std::FILE *file)
{
    std::rewind(file);
    QByteArray bytes;
    char buffer[256];
    while (const size_t n = std::fread(buffer, 1, sizeof buffer, file))
        bytes.append(buffer, qsizetype(n));
    return QString::fromUtf8(bytes);
}

} // namespace

class TestSelfTestParts : public QObject
{
    Q_OBJECT

private slots:
    // A count whose statement fails is no count at all, never a zero that
    // would agree with an empty or missing table.
    void failingQueryIsNoCount()
    {
        QTemporaryDir dir;
        SQLDB db(dir.filePath(QStringLiteral("q.db")), false);
        db.exec(QStringLiteral("CREATE TABLE t(n INTEGER); INSERT INTO t VALUES (7), (NULL);"));
        const auto is = [&](const char *sql, std::optional<qint64> expected, const SQLArgs &args = {}) {
            return CheckQuery::scalar(db, QString::fromUtf8(sql), args) == expected;
        };
        QVERIFY(is("SELECT COUNT(*) FROM t", 2));
        QVERIFY(is("SELECT n FROM t WHERE n = ?", 7, {7}));
        QVERIFY(is("SELECT n FROM t WHERE n IS NULL", 0));
        QVERIFY(is("SELECT SUM(n) FROM t WHERE n > 100", 0));
        QVERIFY(is("SELECT n FROM t WHERE n > 100", 0));
        QVERIFY(is("SELECT COUNT(*) FROM missing", std::nullopt));
        QVERIFY(is("SELEKT 1", std::nullopt));
    }

    // Every check is counted on its side and printed as one line.
    void counterLines()
    {
        std::FILE *out = std::tmpfile();
        QVERIFY(out);
        FVTestRun run(out);
        run.begin(QStringLiteral("Group"));
        run.check(true, QStringLiteral("one"));
        run.check(false, QStringLiteral("two — é"));
        run.check(false, QStringLiteral("three"));
        run.line(QStringLiteral("plain"), false);
        QCOMPARE(run.passed, qint64(1));
        QCOMPARE(run.failed, qint64(2));
        QCOMPARE(read(out), QStringLiteral("== Group\nPASS  one\nFAIL  two — é\nFAIL  three\nplain\n"));
        std::fclose(out);
    }

    // The folder lives in the temporary folder under its own name and goes
    // with everything in it, read-only files included.
    void scratchFolderGoesWithItsContents()
    {
        QTemporaryDir tmp;
        const QByteArray before = qgetenv("TMPDIR");
        qputenv("TMPDIR", tmp.path().toUtf8());
        QString path;
        {
            const ScratchFolder scratch;
            path = scratch.path();
            QVERIFY(QDir(path).exists());
            QCOMPARE(QFileInfo(path).absolutePath(), QFileInfo(tmp.path()).absoluteFilePath());
            const QRegularExpression name(QStringLiteral("^fv-selftest-[0-9A-F]{8}(-[0-9A-F]{4}){3}-[0-9A-F]{12}$"));
            QVERIFY2(name.match(QFileInfo(path).fileName()).hasMatch(), qPrintable(path));
            QVERIFY(QDir(path).mkpath(QStringLiteral("a/b")));
            QFile file(path + QStringLiteral("/a/b/locked.pdf"));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write("x");
            file.close();
            QVERIFY(file.setPermissions(QFileDevice::ReadOwner));
            QVERIFY(ScratchFolder().path() != path);
        }
        qputenv("TMPDIR", before);
        QVERIFY(!QFileInfo::exists(path));
        QVERIFY(QDir(tmp.path()).isEmpty());
    }

    // A child that dies by a signal, or prints bytes that are not UTF-8, gives
    // nothing a check could mistake for good output.
    void childThatCrashesOrPrintsBytes()
    {
        qputenv(childRole, "crash");
        QCOMPARE(FVSelfTest::runChild({QStringLiteral("child")}).status, 97);
        qputenv(childRole, "bytes");
        const FVSelfTest::ChildResult bytes = FVSelfTest::runChild({QStringLiteral("child")});
        qunsetenv(childRole);
        QCOMPARE(bytes.status, 0);
        QVERIFY(bytes.output.isEmpty());
        const FVSelfTest::ChildResult plain = FVSelfTest::runChild({QStringLiteral("child")});
        QCOMPARE(plain.status, 0);
        QVERIFY(plain.output.contains(QStringLiteral("PASS   : TestSelfTestParts::child()")));
    }

    // Started by the test above; does nothing when run on its own.
    void child()
    {
        const QByteArray role = qgetenv(childRole);
        if (role == "crash")
            ::kill(::getpid(), SIGKILL);
        if (role == "bytes") {
            std::fputs("GARAGE|\xff\xfe|Big Blue\n", stdout);
            std::fflush(stdout);
        }
    }
};

QTEST_GUILESS_MAIN(TestSelfTestParts)
#include "test_selftestparts.moc"
