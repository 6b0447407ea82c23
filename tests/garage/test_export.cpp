#include "data/sqldb.h"
#include "garage/garageactions.h"
#include "garage/garageexport.h"
#include "platform/maker.h"
#include "garage/garageexporterror.h"
#include "garage/garagestore.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

// Two vehicles: one with everything (codes, two entries, quotes, a line
// break, markup characters), one with nothing.
struct Sample
{
    QList<GarageVehicle> vehicles{
        {1, 1118, 2002, QStringLiteral("2002 Lincoln <Navigator> & Co"), QStringLiteral("Big \"Blue\""), QStringLiteral("5LMFU28R"),
         QStringLiteral("5.4L V8"), 181900, QStringLiteral("Air ride sags\novernight, &lt;"), {}, {}},
        {2, std::nullopt, std::nullopt, QStringLiteral("Old truck"), {}, {}, {}, std::nullopt, {}, {}, {}},
    };
    QList<ServiceEntry> entries{
        {5, 1, QStringLiteral("2026-10-01"), 181900, QStringLiteral("Oil change"), QStringLiteral("5W-20, \"Motorcraft\""),
         QStringLiteral("$64")},
        {4, 1, QStringLiteral("2026-01-15"), std::nullopt, QStringLiteral("Wipers"), {}, {}},
    };
    QList<GarageCode> codes{
        {1, 1, QStringLiteral("P0171"), QStringLiteral("2025-03-05T14:07:09Z"), QStringLiteral("lean")},
        {2, 1, QStringLiteral("C1234"), QStringLiteral("short"), {}},
    };
};

} // namespace

class TestExport : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    int m_files = 0;

    QString freshFolder()
    {
        const QString path = m_dir.filePath(QStringLiteral("out%1").arg(++m_files));
        QDir().mkpath(path);
        return path;
    }

private slots:
    void csvGolden()
    {
        const Sample s;
        const QString expected = QStringLiteral(
            "record,vehicle,year,nickname,vin,engine,mileage,date,service,details,cost,notes\n"
            "\"vehicle\",\"2002 Lincoln <Navigator> & Co\",\"2002\",\"Big \"\"Blue\"\"\",\"5LMFU28R\",\"5.4L V8\",\"181900\",\"\",\"\",\"\",\"\",\"Air ride sags\novernight, &lt;\"\n"
            "\"trouble code\",\"2002 Lincoln <Navigator> & Co\",\"2002\",\"Big \"\"Blue\"\"\",\"5LMFU28R\",\"\",\"\",\"2025-03-05\",\"P0171\",\"lean\",\"\",\"\"\n"
            "\"trouble code\",\"2002 Lincoln <Navigator> & Co\",\"2002\",\"Big \"\"Blue\"\"\",\"5LMFU28R\",\"\",\"\",\"short\",\"C1234\",\"\",\"\",\"\"\n"
            "\"service\",\"2002 Lincoln <Navigator> & Co\",\"2002\",\"Big \"\"Blue\"\"\",\"5LMFU28R\",\"\",\"181900\",\"2026-10-01\",\"Oil change\",\"5W-20, \"\"Motorcraft\"\"\",\"$64\",\"\"\n"
            "\"service\",\"2002 Lincoln <Navigator> & Co\",\"2002\",\"Big \"\"Blue\"\"\",\"5LMFU28R\",\"\",\"\",\"2026-01-15\",\"Wipers\",\"\",\"\",\"\"\n"
            "\"vehicle\",\"Old truck\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\"\n");
        QCOMPARE(GarageExport::csv(s.vehicles, s.entries, s.codes), expected);
        QCOMPARE(GarageExport::csv({}, {}, {}),
                 QStringLiteral("record,vehicle,year,nickname,vin,engine,mileage,date,service,details,cost,notes\n"));
    }

    // Control characters from garage text reach neither file; notes and
    // details keep their line feeds and tabs.
    void controlCharactersAreReplaced()
    {
        const QString nul(QChar(0)), esc(QChar(0x1B)), fffd(QChar(QChar::ReplacementCharacter));
        const QList<GarageVehicle> vehicles{{1, std::nullopt, 2002, QStringLiteral("Van") + esc + QStringLiteral("[2J"),
                                             QStringLiteral("Nick\nname"), QStringLiteral("VIN") + nul, {}, std::nullopt,
                                             QStringLiteral("line\n\tindented") + nul, {}, {}}};
        const QList<ServiceEntry> entries{{1, 1, QStringLiteral("2026-01-02"), std::nullopt, QStringLiteral("Oil\rchange"),
                                           QStringLiteral("a\nb") + esc, {}}};
        const QList<GarageCode> codes{{1, 1, QStringLiteral("P0171"), {}, QStringLiteral("note\x07")}};
        const QString csv = GarageExport::csv(vehicles, entries, codes);
        const QString html = GarageExport::html(vehicles, entries, codes, QDateTime(QDate(2026, 1, 2), QTime(3, 4)));
        for (const QString &out : {csv, html}) {
            QVERIFY(!out.contains(nul) && !out.contains(esc) && !out.contains(QChar(7)) && !out.contains(u'\r'));
            QVERIFY(out.contains(QStringLiteral("Van") + fffd + QStringLiteral("[2J")));
            QVERIFY(out.contains(QStringLiteral("Nick name")) && out.contains(QStringLiteral("Oil change")));
            QVERIFY(out.contains(QStringLiteral("line\n\tindented") + fffd));
            QVERIFY(out.contains(QStringLiteral("a\nb") + fffd));
        }
        QVERIFY(csv.contains(QStringLiteral("note") + fffd));
    }

    void htmlGolden_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::newRow("C") << QLocale::c();
        QTest::newRow("German") << QLocale(QLocale::German, QLocale::Germany);
    }
    void htmlGolden()
    {
        QFETCH(QLocale, locale);
        QLocale::setDefault(locale);
        const Sample s;
        const QString head = QStringLiteral(
            "<!doctype html><html><head><meta charset=\"utf-8\"><title>My Garage</title><style>"
            "body{font-family:-apple-system,Helvetica,sans-serif;margin:32px;color:#111}h1{margin:0}"
            "h2{margin-top:28px;border-bottom:2px solid #333}table{border-collapse:collapse;width:100%}"
            "td,th{border:1px solid #bbb;padding:5px 8px;text-align:left;font-size:13px}"
            ".foot{margin-top:30px;font-size:11px;color:#555}</style></head><body>");
        const QString foot = QStringLiteral("<p class=\"foot\">KVRN Fenwhistle Vorel by Brackenfold \u2014 ")
            + Maker::website() + QStringLiteral("</p></body></html>");
        const QString expected = head
            + QStringLiteral(
                  "<h1>My Garage</h1><p>Exported December 8, 2025 at 8:39 PM from KVRN Fenwhistle Vorel</p>"
                  "<h2>2002 Lincoln &lt;Navigator&gt; &amp; Co \u2014 Big \"Blue\"</h2>"
                  "<p>VIN: 5LMFU28R<br>Engine: 5.4L V8<br>Mileage: 181,900<br>Trouble codes: P0171, C1234<br>"
                  "Notes: Air ride sags\novernight, &amp;lt;</p>"
                  "<table><tr><th>Date</th><th>Mileage</th><th>Service</th><th>Details</th><th>Cost</th></tr>"
                  "<tr><td>2026-10-01</td><td>181,900</td><td>Oil change</td><td>5W-20, \"Motorcraft\"</td><td>$64</td></tr>"
                  "<tr><td>2026-01-15</td><td></td><td>Wipers</td><td></td><td></td></tr></table>"
                  "<h2>Old truck</h2><p></p>")
            + foot;
        const QDateTime when(QDate(2025, 12, 8), QTime(20, 39, 59));
        QCOMPARE(GarageExport::html(s.vehicles, s.entries, s.codes, when), expected);

        const QString empty = head
            + QStringLiteral("<h1>My Garage</h1><p>Exported March 5, 2025 at 12:07 AM from KVRN Fenwhistle Vorel</p>") + foot;
        QCOMPARE(GarageExport::html({}, {}, {}, QDateTime(QDate(2025, 3, 5), QTime(0, 7))), empty);
        QLocale::setDefault(QLocale::c());
    }

    void exportWritesBothFilesAtomically()
    {
        const QString folder = freshFolder();
        writeFile(QDir(folder).filePath(QStringLiteral("My Garage.csv")), "old csv");
        writeFile(QDir(folder).filePath(QStringLiteral("My Garage.html")), "old page");
        GarageStore store(QDir(folder).filePath(QStringLiteral("g.sqlite")));
        GarageVehicle v;
        v.title = QStringLiteral("2002 Lincoln Navigator");
        v.nickname = QString::fromUtf8("Grüne Möwe");
        v.mileage = 181900;
        QVERIFY(GarageActions::add(v, store));

        const QStringList files = GarageActions::exportTo(store, folder);
        QCOMPARE(files, (QStringList{QDir(folder).filePath(QStringLiteral("My Garage.csv")),
                                     QDir(folder).filePath(QStringLiteral("My Garage.html"))}));
        const QByteArray csv = readAll(files[0]);
        const QByteArray page = readAll(files[1]);
        QCOMPARE(csv, store.csv().toUtf8());
        QVERIFY(!csv.startsWith("\xEF\xBB\xBF") && !page.startsWith("\xEF\xBB\xBF"));
        QVERIFY(csv.contains(QString::fromUtf8("Grüne Möwe").toUtf8()));
        QVERIFY(page.contains("181,900") && page.contains("Brackenfold"));
        // Nothing left over beside the two files and the database.
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden).size(), 3);
    }

    void exportFailures_data()
    {
        QTest::addColumn<QString>("where");
        QTest::newRow("missing folder") << "missing/folder";
        QTest::newRow("parent is a file") << "a-file/sub";
    }
    void exportFailures()
    {
        QFETCH(QString, where);
        const QString base = freshFolder();
        writeFile(QDir(base).filePath(QStringLiteral("a-file")), "x");
        GarageStore store(QDir(base).filePath(QStringLiteral("g.sqlite")));
        const QString folder = QDir(base).filePath(where);
        try {
            GarageActions::exportTo(store, folder);
            QFAIL("no error");
        } catch (const GarageExportError &e) {
            QVERIFY(e.description().contains(QStringLiteral("My Garage.csv")));
        }
        QVERIFY(!QFile::exists(QDir(folder).filePath(QStringLiteral("My Garage.csv"))));
        QVERIFY(!QFile::exists(QDir(folder).filePath(QStringLiteral("My Garage.html"))));
    }

    void unreadableGarageKeepsEarlierExports()
    {
        const QString folder = freshFolder();
        const QString path = QDir(folder).filePath(QStringLiteral("g.sqlite"));
        GarageStore store(path);
        GarageVehicle v;
        v.title = QStringLiteral("Keep me");
        QVERIFY(GarageActions::add(v, store));
        const QStringList files = GarageActions::exportTo(store, folder);
        const QByteArray good = readAll(files[0]);
        QVERIFY(good.contains("Keep me"));
        {
            SQLDB other(path, false);
            other.exec(QStringLiteral("ALTER TABLE garage RENAME TO garage_old"));
        }
        store.reload();
        QVERIFY(store.vehicles().isEmpty());
        try {
            GarageActions::exportTo(store, folder);
            QFAIL("no error");
        } catch (const GarageExportError &e) {
            QVERIFY(e.description().startsWith(QStringLiteral("My Garage could not be read: ")));
        }
        QCOMPARE(readAll(files[0]), good);
    }
};

QTEST_GUILESS_MAIN(TestExport)
#include "test_export.moc"
