#include "platform/opener.h"

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
