#include "platform/desktoptool.h"
#include "platform/opener.h"
#include "platform/opentexts.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestOpener : public QObject
{
    Q_OBJECT

private slots:
    void defaultOpensOnlyWebAddressesAndOwnFiles()
    {
        QVERIFY(Opener::allowed(QUrl(QStringLiteral("https://www.nhtsa.gov/recalls"))));
        QVERIFY(Opener::allowed(QUrl(QStringLiteral("HTTP://example.org/a"))));
        QVERIFY(!Opener::allowed(QUrl(QStringLiteral("ftp://example.org/a"))));
        QVERIFY(!Opener::allowed(QUrl(QStringLiteral("javascript:alert(1)"))));
        QVERIFY(!Opener::allowed(QUrl(QStringLiteral("https:///nohost"))));
        QVERIFY(!Opener::allowed(QUrl()));

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("report.pdf"));
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(!Opener::allowed(QUrl::fromLocalFile(path)));
        Opener::noteWritten(path);
        QVERIFY(Opener::allowed(QUrl::fromLocalFile(path)));
        // The same file named another way is still the same file.
        QVERIFY(Opener::allowed(QUrl::fromLocalFile(dir.path() + QStringLiteral("/./report.pdf"))));
        QVERIFY(!Opener::allowed(QUrl::fromLocalFile(dir.filePath(QStringLiteral("other.pdf")))));
        QVERIFY(!Opener::allowed(QUrl::fromLocalFile(QStringLiteral("/etc/passwd"))));
        // The folder that holds a written file ("Show in folder"), not others.
        QVERIFY(Opener::allowed(QUrl::fromLocalFile(dir.path())));
        QVERIFY(!Opener::allowed(QUrl::fromLocalFile(QDir::tempPath() + QStringLiteral("/.."))));
    }

    void tellsWhetherItOpened()
    {
        QList<bool> heard;
        const auto listen = [&heard](bool opened) { heard.append(opened); };
        // The default says no for what it refuses, and without a desktop.
        Opener::open(QUrl(QStringLiteral("javascript:alert(1)")), nullptr, listen);
        Opener::open(QUrl(QStringLiteral("https://example.org")), nullptr, listen);
        QVERIFY(heard.isEmpty()); // never inside open()
        QTRY_COMPARE(heard, (QList<bool>{false, false}));

        Opener::setHandler([](const QUrl &url, const Opener::Done &done) { done(url.host() == QLatin1String("ok.example")); });
        QVERIFY(Opener::canOpenFolders());
        heard.clear();
        Opener::open(QUrl(QStringLiteral("https://ok.example")), nullptr, listen);
        Opener::open(QUrl(QStringLiteral("https://no.example")), nullptr, listen);
        auto *gone = new QObject;
        Opener::open(QUrl(QStringLiteral("https://ok.example")), gone, listen);
        delete gone;
        QTRY_COMPARE(heard, (QList<bool>{true, false}));
        Opener::setOpen({}); // a replaced opener counts as having opened
        Opener::open(QUrl(QStringLiteral("https://no.example")), nullptr, listen);
        QTRY_COMPARE(heard.size(), 3);
        QVERIFY(heard.last());
        Opener::reset();
    }

    void desktopToolsReportTheirExitStatus()
    {
        const QString sh = DesktopTool::find(QStringLiteral("sh"));
        QVERIFY(!sh.isEmpty());
        QVERIFY(DesktopTool::find(QStringLiteral("no-such-tool-here")).isEmpty());
        QList<bool> heard;
        const auto listen = [&heard](bool ok) { heard.append(ok); };
        DesktopTool::run(sh, {QStringLiteral("-c"), QStringLiteral("exit 3")}, 60000, listen); // "no method available"
        QTRY_COMPARE(heard, QList<bool>{false});
        DesktopTool::run(sh, {QStringLiteral("-c"), QStringLiteral("exit 0")}, 60000, listen);
        QTRY_COMPARE(heard, (QList<bool>{false, true}));
        DesktopTool::run(QStringLiteral("/nonexistent/xdg-open"), {}, 60000, listen);
        QTRY_COMPARE(heard, (QList<bool>{false, true, false}));
    }

    void notOpenedTexts()
    {
        const OpenTexts web = OpenTexts::notOpened(QUrl(QStringLiteral("https://www.nhtsa.gov/recalls")));
        QVERIFY(web.message.startsWith(QStringLiteral("No web browser could be opened")));
        QCOMPARE(web.detail, QStringLiteral("https://www.nhtsa.gov/recalls"));
        QCOMPARE(web.copyLabel, QStringLiteral("Copy address"));
        QCOMPARE(web.copiedLabel(), QStringLiteral("Address copied"));
        const OpenTexts folder = OpenTexts::notOpened(QUrl::fromLocalFile(QDir::tempPath()));
        QVERIFY(folder.message.contains(QStringLiteral("file manager")));
        QCOMPARE(folder.detail, QDir::tempPath());
        QCOMPARE(folder.copiedLabel(), QStringLiteral("Path copied"));
    }

    void replaceableForTheRestOfTheProcess()
    {
        QList<QUrl> seen;
        Opener::setOpen([&](const QUrl &u) { seen.append(u); });
        Opener::open(QUrl(QStringLiteral("https://example.org")));
        QCOMPARE(seen.size(), 1);
        Opener::setOpen({}); // a no-op
        Opener::open(QUrl(QStringLiteral("https://example.org")));
        QCOMPARE(seen.size(), 1);
        Opener::reset();
        // Without a GUI application the default does nothing.
        Opener::open(QUrl(QStringLiteral("https://example.org")));
    }
};

QTEST_GUILESS_MAIN(TestOpener)
#include "test_opener.moc"
