#include "data/sqldb.h"
#include "garage/garagestore.h"
#include "reportui/garagecopy.h"
#include "reportui/reportcli.h"
#include "support/fixturedb.h"
#include "support/pdfcheck.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <sqlite3.h>
#include <sys/stat.h>
#include <thread>

namespace {

struct Run
{
    int status = -1;
    QString out;
    friend bool operator==(const Run &, const Run &) = default;
};

QByteArray digest(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256) : QByteArray();
}

} // namespace

// The command-line report run as the program itself, without a display.
class TestReportCLI : public QObject
{
    Q_OBJECT

    FixtureDb m_fixture;
    QTemporaryDir m_dir;
    QString m_garage;
    QString m_temp; // the child's temporary folder

    // The child's whole environment, whatever this test runs in: no runtime
    // folder (the mode must make none), private home folders.
    void start(QProcess &p, const QStringList &args, const QString &vorel = QString(),
               const QString &program = QStringLiteral(FV_BIN_DIR "/fenwhistle-vorel"))
    {
        QProcessEnvironment env;
        env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        env.insert(QStringLiteral("HOME"), m_dir.filePath(QStringLiteral("home")));
        env.insert(QStringLiteral("TMPDIR"), m_temp);
        env.insert(QStringLiteral("VOREL_DB"), vorel.isEmpty() ? m_fixture.path() : vorel);
        env.insert(QStringLiteral("VOREL_PHOTOS"), m_fixture.photosFolder());
        // A sanitized build's settings (its leak suppressions) hold for the child too.
        for (const char *name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
            if (qEnvironmentVariableIsSet(name))
                env.insert(QString::fromLatin1(name), qEnvironmentVariable(name));
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(m_dir.path());
        p.start(program, QStringList{QStringLiteral("--fv-trouble-report")} + args);
    }

    QStringList tempEntries() const
    {
        return QDir(m_temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System);
    }

    Run run(const QStringList &args, const QString &vorel = QString(), const QString &program = QString())
    {
        QProcess p;
        if (program.isEmpty())
            start(p, args, vorel);
        else
            start(p, args, vorel, program);
        if (!p.waitForFinished(60000)) {
            p.kill();
            p.waitForFinished();
            return {};
        }
        return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -3, QString::fromUtf8(p.readAllStandardOutput())};
    }

private slots:
    void initTestCase()
    {
        QVERIFY2(m_fixture.ok(), qPrintable(m_fixture.error()));
        m_temp = m_dir.filePath(QStringLiteral("tmp"));
        QVERIFY(QDir().mkpath(m_temp));
        // An older garage: two of today's tables are missing, so the copy is
        // upgraded when opened; the user's file must not be.
        QVERIFY(::mkfifo(QFile::encodeName(m_dir.filePath(QStringLiteral("fifo"))).constData(), 0600) == 0);
        m_garage = m_dir.filePath(QStringLiteral("My Garage.sqlite"));
        SQLDB db(m_garage, false);
        db.exec(QStringLiteral(
            "CREATE TABLE garage(id INTEGER PRIMARY KEY AUTOINCREMENT, vehicle_id INTEGER, model_year INTEGER, "
            "title TEXT NOT NULL, nickname TEXT DEFAULT '', vin TEXT DEFAULT '', engine TEXT DEFAULT '', mileage INTEGER, "
            "notes TEXT DEFAULT '', created TEXT, updated TEXT);"
            "CREATE TABLE codes(id INTEGER PRIMARY KEY AUTOINCREMENT, garage_id INTEGER NOT NULL, code TEXT NOT NULL, "
            "added TEXT DEFAULT '', note TEXT DEFAULT '');"
            "INSERT INTO garage(vehicle_id, model_year, title, nickname, vin) VALUES "
            "(1, 2002, '2002 Lincoln Navigator', 'Big Blue', ''), (NULL, 2009, 'Old sedan', 'Daily CAMRY', '4T1BE46K29U000000');"
            "INSERT INTO codes(garage_id, code, added) VALUES (1, 'P0420', '2025-03-01T10:00:00Z');"));
    }

    void statuses_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("line"); // a pattern for the one line printed
        const QString g = QStringLiteral("My Garage.sqlite");
        const QString out = QRegularExpression::escape(m_dir.filePath(QStringLiteral("out.pdf")));
        QTest::newRow("first vehicle, relative paths")
            << QStringList{g, QStringLiteral("out.pdf")} << 0
            << QStringLiteral("wrote %1: 2002 Lincoln Navigator, codes P0420, [1-9]\\d* page\\(s\\)").arg(out);
        QTest::newRow("nickname match, any case, no codes")
            << QStringList{g, QStringLiteral("out.pdf"), QStringLiteral("Camry")} << 0
            << QStringLiteral("wrote %1: Old sedan, codes , [1-9]\\d* page\\(s\\)").arg(out);
        QTest::newRow("the VIN is not searched") << QStringList{g, QStringLiteral("out.pdf"), QStringLiteral("4T1BE")}
                                                 << 3 << QStringLiteral("no matching vehicle");
        QTest::newRow("missing garage") << QStringList{QStringLiteral("absent.sqlite"), QStringLiteral("out.pdf")} << 2
                                        << QStringLiteral("could not open ")
                + QRegularExpression::escape(m_dir.filePath(QStringLiteral("absent.sqlite")));
        QTest::newRow("missing output folder") << QStringList{g, QStringLiteral("no/such/out.pdf")} << 4
                                               << QStringLiteral("write failed: .+");
        QTest::newRow("output is the garage") << QStringList{g, m_dir.filePath(g)} << 4
                                              << QStringLiteral("write failed: output is the garage file");
        QTest::newRow("output links to the garage") << QStringList{g, QStringLiteral("link.pdf")} << 4
                                                    << QStringLiteral("write failed: output is the garage file");
        // Nothing but regular files: a FIFO garage would hang, a device or
        // FIFO output would be replaced by a file.
        const QString fifo = m_dir.filePath(QStringLiteral("fifo"));
        QTest::newRow("garage is a FIFO") << QStringList{fifo, QStringLiteral("out.pdf")} << 2
                                          << QRegularExpression::escape(QStringLiteral("could not open ") + fifo
                                                                        + QStringLiteral(": not a regular file"));
        QTest::newRow("output is a FIFO") << QStringList{g, fifo} << 4
                                          << QRegularExpression::escape(QStringLiteral("write failed: ") + fifo
                                                                        + QStringLiteral(" is not a regular file"));
        QTest::newRow("output is a folder") << QStringList{g, m_temp} << 4
                                            << QRegularExpression::escape(QStringLiteral("write failed: ") + m_temp
                                                                          + QStringLiteral(" is not a regular file"));
    }

    void statuses()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        QFETCH(QString, line);
        QFile::link(m_garage, m_dir.filePath(QStringLiteral("link.pdf")));
        QFile::remove(m_dir.filePath(QStringLiteral("out.pdf")));
        const QByteArray before = digest(m_garage);

        const Run r = run(args);
        QVERIFY2(QRegularExpression(QRegularExpression::anchoredPattern(line + u'\n')).match(r.out).hasMatch(),
                 qPrintable(r.out));
        QCOMPARE(r.status, status);
        QCOMPARE(digest(m_garage), before);
        QCOMPARE(tempEntries(), QStringList());
        QCOMPARE(QFile::exists(m_dir.filePath(QStringLiteral("out.pdf"))), status == 0);
        if (status == 0)
            QCOMPARE(PdfCheck::fileProblems(m_dir.filePath(QStringLiteral("out.pdf"))), QStringList());
    }

    void withoutThePDFModuleNothingIsWritten()
    {
        // The program copied where no PDF module lies beside it.
        const QString program = m_dir.filePath(QStringLiteral("alone/bin/fenwhistle-vorel"));
        QVERIFY(QDir().mkpath(QFileInfo(program).path()));
        QVERIFY(QFile::copy(QStringLiteral(FV_BIN_DIR "/fenwhistle-vorel"), program));
        QFile::remove(m_dir.filePath(QStringLiteral("out.pdf")));
        const Run r = run({QStringLiteral("My Garage.sqlite"), QStringLiteral("out.pdf")}, QString(), program);
        QCOMPARE(r.out, QStringLiteral("write failed: The PDF could not be made.\n"));
        QCOMPARE(r.status, 4);
        QVERIFY(!QFile::exists(m_dir.filePath(QStringLiteral("out.pdf"))));
    }

    void walGarageIsLeftAsItWas()
    {
        const QString wal = m_dir.filePath(QStringLiteral("wal.sqlite"));
        QVERIFY(QFile::copy(m_garage, wal));
        {
            SQLDB db(wal, false);
            db.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        }
        QVERIFY(!QFile::exists(wal + QStringLiteral("-wal")));
        const QByteArray before = digest(wal);
        QCOMPARE(run({wal, QStringLiteral("wal.pdf")}).status, 0);
        QCOMPARE(digest(wal), before);
        QVERIFY(!QFile::exists(wal + QStringLiteral("-wal")));
        QVERIFY(!QFile::exists(wal + QStringLiteral("-shm")));
    }

    void killedRunsLeaveNothing()
    {
        for (int i = 0; i < 12; ++i) {
            QProcess p;
            start(p, {m_garage, QStringLiteral("killed.pdf")});
            QVERIFY(p.waitForStarted());
            QTest::qWait(15 * i);
            if (i % 2)
                p.kill();
            else
                p.terminate();
            // A run may end by itself while the test waits; that counts too.
            QVERIFY(p.state() == QProcess::NotRunning || p.waitForFinished(60000));
        }
        QCOMPARE(tempEntries(), QStringList());
    }

    void busyGarageIsWaitedForUntilTheDeadline()
    {
        const QString path = m_dir.filePath(QStringLiteral("busy.sqlite"));
        QVERIFY(QFile::copy(m_garage, path));
        sqlite3 *writer = nullptr;
        QCOMPARE(sqlite3_open(QFile::encodeName(path).constData(), &writer), SQLITE_OK);
        QCOMPARE(sqlite3_exec(writer, "BEGIN EXCLUSIVE; UPDATE garage SET notes = 'x'", nullptr, nullptr, nullptr),
                 SQLITE_OK);
        const GarageCopy refused(path, std::chrono::milliseconds(300));
        QVERIFY(refused.busy() && !refused.ok());

        // Released while the copy waits: it gets the garage as committed.
        std::thread release([writer] {
            std::this_thread::sleep_for(std::chrono::milliseconds(400));
            sqlite3_exec(writer, "COMMIT", nullptr, nullptr, nullptr);
        });
        const GarageCopy copy(path, std::chrono::seconds(30));
        release.join();
        sqlite3_close(writer);
        QVERIFY2(copy.ok(), qPrintable(copy.error()));
        GarageStore store(GarageStore::InMemory{copy.image()});
        QCOMPARE(store.vehicles().value(0).notes, QStringLiteral("x"));
        QVERIFY(!GarageStore::busyMessage().isEmpty());
    }

    void referenceDataMissingNamesTheGarage()
    {
        const Run r = run({m_garage, QStringLiteral("out.pdf")}, m_dir.filePath(QStringLiteral("absent.db")));
        QCOMPARE(r.out, QStringLiteral("could not open ") + m_garage + u'\n');
        QCOMPARE(r.status, 2);
        QCOMPARE(tempEntries(), QStringList());

        // An empty file is an empty garage: nothing to report, and it stays empty.
        const QString empty = m_dir.filePath(QStringLiteral("empty.sqlite"));
        QVERIFY(QFile(empty).open(QIODevice::WriteOnly));
        QCOMPARE(run({empty, QStringLiteral("out.pdf")}),
                 (Run{2, QStringLiteral("could not open ") + empty + QStringLiteral(": it holds no vehicles\n")}));
        QCOMPARE(QFileInfo(empty).size(), 0);
    }

    // The command-line cases the summary table lists, as the program runs them.
    void commandLineCases()
    {
        QVERIFY(!ReportCLI::handle({QStringLiteral("app")}));
        // A wrong number of arguments: the usage, no window, no home folder.
        const QString home = m_dir.filePath(QStringLiteral("home"));
        QDir(home).removeRecursively();
        for (const QStringList &args : {QStringList{m_garage}, QStringList{m_garage, "a.pdf", "camry", "more"}}) {
            QProcess p;
            start(p, args);
            QVERIFY(p.waitForFinished(60000));
            QCOMPARE(p.exitCode(), 2);
            QCOMPARE(p.readAllStandardOutput(), QByteArray());
            QVERIFY(p.readAllStandardError().startsWith("usage: fenwhistle-vorel --fv-trouble-report <garage.sqlite>"));
        }
        QVERIFY(!QFileInfo::exists(home));

        // Controls and bidirectional marks of the path and the stored texts
        // stay out of the one summary line.
        const QString hostile = m_dir.filePath(QStringLiteral("hostile.sqlite"));
        QVERIFY(QFile::copy(m_garage, hostile));
        {
            SQLDB db(hostile, false);
            db.run(QStringLiteral("UPDATE garage SET title = ? WHERE id = 2"),
                   {QStringLiteral("Evil\u202Eexe.pdf\u2028next\x1b[2J\u2066x")});
        }
        const Run r = run({hostile, QStringLiteral("two\nlines\u200F.pdf"), QStringLiteral("camry")});
        QCOMPARE(r.status, 0);
        QCOMPARE(r.out, QStringLiteral("wrote ") + m_dir.filePath(QStringLiteral("two lines\uFFFD.pdf"))
                     + QStringLiteral(": Evil\uFFFDexe.pdf\uFFFDnext\uFFFD[2J\uFFFDx, codes , 2 page(s)\n"));

        // A garage that is no garage, or one with no vehicle in it.
        const QString text = m_dir.filePath(QStringLiteral("text.sqlite"));
        QFile f(text);
        QVERIFY(f.open(QIODevice::WriteOnly) && f.write(QByteArray(4096, 'x')) == 4096);
        f.close();
        QCOMPARE(run({text, QStringLiteral("out.pdf")}).status, 2);
        const QString none = m_dir.filePath(QStringLiteral("none.sqlite"));
        QVERIFY(QFile::copy(m_garage, none));
        SQLDB(none, false).run(QStringLiteral("DELETE FROM garage"));
        QCOMPARE(run({none, QStringLiteral("out.pdf")}).status, 2);

        // The snapshot mode on damaged reference data says why it ends with 3.
        const QString damaged = m_dir.filePath(QStringLiteral("damaged.db"));
        QVERIFY(QFile::copy(m_fixture.path(), damaged));
        QVERIFY(FixtureDb::damageTable(damaged, QStringLiteral("vehicles")));
        const QString runtime = m_dir.filePath(QStringLiteral("run"));
        QVERIFY(QDir().mkpath(runtime) && QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
        const auto mode = [&](const QStringList &args, int status, const QByteArray &said) {
            QProcess p;
            QProcessEnvironment env;
            env.insert(QStringLiteral("PATH"), qEnvironmentVariable("PATH"));
            env.insert(QStringLiteral("HOME"), home);
            env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
            env.insert(QStringLiteral("VOREL_DB"), damaged);
            env.insert(QStringLiteral("VOREL_PHOTOS"), m_fixture.photosFolder());
            env.insert(QStringLiteral("FV_GARAGE_PATH"), m_dir.filePath(QStringLiteral("snapshot.sqlite")));
            p.setProcessEnvironment(env);
            p.start(QStringLiteral(FV_BIN_DIR "/fenwhistle-vorel"), args);
            QVERIFY(p.waitForFinished(120000));
            QCOMPARE(p.exitCode(), status);
            QVERIFY2((p.readAllStandardOutput() + p.readAllStandardError()).contains(said), said.constData());
        };
        mode({QStringLiteral("--fv-snapshot"), m_dir.filePath(QStringLiteral("shots"))}, 3, "The reference data is damaged");
        QDir(home).removeRecursively();
    }
};

QTEST_GUILESS_MAIN(TestReportCLI)
#include "test_report_cli.moc"
