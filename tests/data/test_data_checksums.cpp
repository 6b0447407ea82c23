// Page checksums of the reference database: a sealed file whose pages are
// damaged one at a time never reads back changed rows without a damage
// report, memory-mapped or not; a file without checksums reads as before.
#include "data/pagechecksum.h"
#include "data/sqldb.h"
#include "data/vorel.h"
#include "support/fixturedb.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

namespace {

using Rows = QList<QList<SQLValue>>;

// Every row of every stored table (the search index's own tables included).
Rows everyRow(SQLDB &db)
{
    Rows out;
    const QList<SQLRow> tables = db.rows(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND sql NOT LIKE 'CREATE VIRTUAL%' ORDER BY name"));
    for (const SQLRow &table : tables) {
        for (const SQLRow &row : db.rows(QStringLiteral("SELECT * FROM \"%1\"").arg(table.str(0))))
            out.append(row.values);
    }
    return out;
}

QByteArray readAll(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeAll(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

class TestDataChecksums : public QObject
{
    Q_OBJECT

    FixtureDb m_plain;
    FixtureDb m_sealed;
    QTemporaryDir m_tmp;

private slots:
    void initTestCase()
    {
        QVERIFY2(m_plain.ok() && m_sealed.ok(), qPrintable(m_plain.error() + m_sealed.error()));
        QCOMPARE(PageChecksum::seal(m_sealed.path()), QString());
        QVERIFY(!PageChecksum::seal(m_tmp.filePath(QStringLiteral("absent.db"))).isEmpty());
    }

    // Sealing keeps the data; a file without checksums reads as it did.
    void sealedAndPlainReadAlike()
    {
        SQLDB plain(m_plain.path(), true);
        SQLDB sealed(m_sealed.path(), true);
        const Rows rows = everyRow(plain);
        QVERIFY(rows.size() > 50);
        QCOMPARE(everyRow(sealed), rows);
        QCOMPARE(sealed.string(QStringLiteral("PRAGMA quick_check")), QStringLiteral("ok"));
        QVERIFY(!plain.damaged() && !sealed.damaged());
        QVERIFY(m_plain.open());
    }

    // 16 bytes changed in one page at a time, every page in turn: the rows
    // read back unchanged or the read fails as damage, and SQLite's check of
    // the whole file finds every one of them.
    void damageSweep()
    {
        const QByteArray pristine = readAll(m_sealed.path());
        const Rows expected = [&] {
            SQLDB db(m_sealed.path(), true);
            return everyRow(db);
        }();
        const int pageSize = (uchar(pristine[16]) << 8) | uchar(pristine[17]);
        const int pages = int(pristine.size() / pageSize);
        QVERIFY(pages > 10);
        const QString copy = m_tmp.filePath(QStringLiteral("damaged.db"));
        int silent = 0, caught = 0;
        for (int page = 0; page < pages; ++page) {
            QByteArray bytes = pristine;
            const int at = page * pageSize + (page * 97) % (pageSize - 16);
            for (int i = at; i < at + 16; ++i)
                bytes[i] = char(bytes[i] ^ 0xa5);
            QVERIFY(writeAll(copy, bytes));
            SQLDB db(copy, true);
            if (page % 2)
                db.exec(QStringLiteral("PRAGMA mmap_size = 67108864"));
            try {
                if (everyRow(db) != expected)
                    ++silent;
            } catch (const SQLError &e) {
                QVERIFY2(e.damaged(), qPrintable(e.description()));
            }
            // SQLite's own check reads every page; a page it cannot read
            // becomes a finding, or stops it as damage.
            const bool found = db.string(QStringLiteral("PRAGMA quick_check")) != QLatin1String("ok");
            if (found || db.damaged())
                ++caught;
        }
        QCOMPARE(silent, 0);
        QCOMPARE(caught, pages);
    }

    // A file cut short inside its last page is damage too.
    void cutShortIsDamage()
    {
        const QByteArray pristine = readAll(m_sealed.path());
        const QString copy = m_tmp.filePath(QStringLiteral("short.db"));
        QVERIFY(writeAll(copy, pristine.chopped(100)));
        SQLDB db(copy, true);
        QVERIFY_THROWS_EXCEPTION(SQLError, db.rows(QStringLiteral("PRAGMA quick_check")));
        QVERIFY(db.damaged());
    }
};

QTEST_GUILESS_MAIN(TestDataChecksums)
#include "test_data_checksums.moc"
