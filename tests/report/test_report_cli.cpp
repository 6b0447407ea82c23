#include "data/sqldb.h"
#include "report/reportcli.h"
#include "support/fixturedb.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run
{
    int status = -1;
    QString out;
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

    Run run(const QStringList &args, const QString &vorel = QString())
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
            env.remove(QString::fromLatin1(name));
        env.insert(QStringLiteral("TMPDIR"), m_temp);
        env.insert(QStringLiteral("VOREL_DB"), vorel.isEmpty() ? m_fixture.path() : vorel);
        env.insert(QStringLiteral("VOREL_PHOTOS"), m_fixture.photosFolder());
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(m_dir.path());
        p.start(QStringLiteral(FV_BIN_DIR "/fenwhistle-vorel"), QStringList{QStringLiteral("--fv-trouble-report")} + args);
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
        QCOMPARE(QDir(m_temp).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden), QStringList());
        QCOMPARE(QFile::exists(m_dir.filePath(QStringLiteral("out.pdf"))), status == 0);
    }

    void referenceDataMissingNamesTheGarage()
    {
        const Run r = run({m_garage, QStringLiteral("out.pdf")}, m_dir.filePath(QStringLiteral("absent.db")));
        QCOMPARE(r.out, QStringLiteral("could not open ") + m_garage + u'\n');
        QCOMPARE(r.status, 2);
        QVERIFY(QDir(m_temp).isEmpty());

        // An empty file is an empty garage: no vehicle, and it stays empty.
        const QString empty = m_dir.filePath(QStringLiteral("empty.sqlite"));
        QVERIFY(QFile(empty).open(QIODevice::WriteOnly));
        QCOMPARE(run({empty, QStringLiteral("out.pdf")}).status, 3);
        QCOMPARE(QFileInfo(empty).size(), 0);
    }

    void otherArgumentsAreNotForThisMode()
    {
        const QString opt = ReportCLI::option();
        QVERIFY(!ReportCLI::handle({QStringLiteral("app")}));
        QVERIFY(!ReportCLI::handle({QStringLiteral("app"), opt, m_garage}));
        QVERIFY(QDir(m_temp).isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestReportCLI)
#include "test_report_cli.moc"
