#include "data/epaconfig.h"
#include "data/sqldb.h"
#include "data/statementcache.h"
#include "data/vorel.h"
#include "support/fixturedb.h"

#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <limits>
#include <sqlite3.h>

namespace {

int statementCount(const SQLDB &db, bool busyOnly = false)
{
    int n = 0;
    for (sqlite3_stmt *s = sqlite3_next_stmt(db.handle(), nullptr); s; s = sqlite3_next_stmt(db.handle(), s))
        n += !busyOnly || sqlite3_stmt_busy(s);
    return n;
}

} // namespace

// Kept statements on a read-only connection behave as freshly prepared ones;
// the page's single reads give what the separate queries give.
class TestStatements : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    QString m_path;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        m_path = m_dir.filePath(QStringLiteral("ro.sqlite"));
        SQLDB rw(m_path, false);
        rw.exec(QStringLiteral("CREATE TABLE t (a INTEGER, b TEXT); INSERT INTO t VALUES (1, 'x'), (2, 'y'), (3, 'z');"));
    }

    void reusedStatementsGiveFreshResults()
    {
        SQLDB db(m_path, true);
        for (int round = 0; round < 3; ++round) {
            for (qint64 above = 0; above < 3; ++above) {
                const QList<SQLRow> rows = db.rows(QStringLiteral("SELECT b FROM t WHERE a > ? ORDER BY a"), {above});
                QCOMPARE(rows.size(), 3 - above);
                QCOMPARE(rows.front().str(0), QString(QChar(char16_t(u'x' + above))));
            }
        }
        // Bindings are cleared: a later call with fewer arguments reads NULL.
        QCOMPARE(db.rows(QStringLiteral("SELECT ?, ?"), {1, 2}).front().integer(1), 2);
        QCOMPARE(db.rows(QStringLiteral("SELECT ?, ?"), {1, 2}).front().integer(1), 2);
        QVERIFY(db.rows(QStringLiteral("SELECT ?, ?"), {7}).front().isNull(1));
        // `run` on a query leaves no statement part-way.
        QCOMPARE(db.run(QStringLiteral("SELECT a FROM t WHERE a > ?"), {0}), 0);
        QCOMPARE(db.run(QStringLiteral("SELECT a FROM t WHERE a > ?"), {0}), 0);
        QVERIFY(statementCount(db) > 0);
        QCOMPARE(statementCount(db, true), 0);
    }

    void failuresKeepTheirTexts()
    {
        SQLDB db(m_path, true);
        const qint64 min = std::numeric_limits<qint64>::min();
        for (int round = 0; round < 3; ++round) {
            try {
                db.rows(QStringLiteral("SELECT abs(?)"), {min});
                QFAIL("no error");
            } catch (const SQLError &e) {
                QCOMPARE(e.description(), QStringLiteral("integer overflow"));
            }
            QCOMPARE(db.scalar(QStringLiteral("SELECT abs(?)"), {min}), 0);
            QCOMPARE(db.scalar(QStringLiteral("SELECT abs(?)"), {-5}), 5);
        }
        QCOMPARE(statementCount(db, true), 0);
    }

    // A table dropped under a kept statement fails as a fresh prepare would.
    void schemaChangeUnderAKeptStatement()
    {
        SQLDB db(m_path, true);
        db.exec(QStringLiteral("CREATE TEMP TABLE x (a); INSERT INTO x VALUES (4);"));
        const QString sql = QStringLiteral("SELECT a FROM x WHERE a > ?");
        QCOMPARE(db.scalar(sql, {0}), 4);
        QCOMPARE(db.scalar(sql, {0}), 4);
        db.exec(QStringLiteral("DROP TABLE x"));
        for (int round = 0; round < 2; ++round) {
            try {
                db.rows(sql, {0});
                QFAIL("no error");
            } catch (const SQLError &e) {
                QCOMPARE(e.description(), QStringLiteral("no such table: x in: ") + sql);
            }
        }
        db.exec(QStringLiteral("CREATE TEMP TABLE x (z, a); INSERT INTO x VALUES (0, 9);"));
        QCOMPARE(db.scalar(sql, {0}), 9);
    }

    void cacheStaysBounded()
    {
        sqlite3 *handle = nullptr;
        QCOMPARE(sqlite3_open_v2(":memory:", &handle, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
        {
            StatementCache cache(handle, true, 4);
            int rc = 0;
            for (int round = 0; round < 2; ++round) {
                for (int k = 0; k < 10; ++k) {
                    sqlite3_stmt *s = cache.acquire(QStringLiteral("SELECT %1 + ?").arg(k), rc);
                    QVERIFY(s);
                    cache.release(s);
                }
            }
            QCOMPARE(cache.size(), 4);
            // A text in use is not handed out twice.
            sqlite3_stmt *a = cache.acquire(QStringLiteral("SELECT 9 + ?"), rc);
            sqlite3_stmt *b = cache.acquire(QStringLiteral("SELECT 9 + ?"), rc);
            QVERIFY(a && b && a != b);
            cache.release(b);
            cache.release(a);
            QVERIFY(!cache.acquire(QStringLiteral("-- nothing"), rc));
            QCOMPARE(rc, SQLITE_OK);
        }
        QCOMPARE(sqlite3_next_stmt(handle, nullptr), nullptr);
        sqlite3_close(handle);
    }

    // Every vehicle-year of the fixtures, links without a vehicle included.
    void recordsMatchTheSeparateReads()
    {
        FixtureDb fx;
        QVERIFY2(fx.ok(), qPrintable(fx.error()));
        const std::unique_ptr<Vorel> v = fx.open();
        const QList<SQLRow> keys = v->db->rows(QStringLiteral(
            "SELECT vehicle_id, model_year FROM vehicle_years UNION SELECT vehicle_id, model_year FROM tsb_links "
            "UNION SELECT vehicle_id, model_year FROM recall_links UNION SELECT vehicle_id, model_year FROM "
            "complaint_totals UNION SELECT vehicle_id, model_year FROM inv_links"));
        QVERIFY(keys.size() > 10);
        for (const SQLRow &key : keys) {
            const qint64 id = key.integer(0), year = key.integer(1);
            VehicleInfo info = v->vehicle(id).value_or(VehicleInfo{});
            info.id = id;
            const VehicleYearRecords r = v->records(id, year);
            QCOMPARE(r.complaints, v->complaints(id, year));
            QCOMPARE(r.recalls, v->recalls(id, year));
            QCOMPARE(r.investigations, v->investigations(id, year));
            QCOMPARE(r.tsbCount, v->tsbCount(id, year));
            QCOMPARE(r.tsbs, v->tsbs(id, year));
            QCOMPARE(Vorel::knownProblems(info, year, r), v->knownProblems(info, year));
            QCOMPARE(Vorel::yearRuns(v->yearsFor(id)), v->yearRuns(id));
        }
    }

    void engineIdentifiersAreRandom()
    {
        QSet<QUuid> ids;
        for (int i = 0; i < 200; ++i) {
            const QUuid id = EPAConfig().id;
            QCOMPARE(id.version(), QUuid::Random);
            QCOMPARE(id.variant(), QUuid::DCE);
            ids.insert(id);
        }
        QCOMPARE(ids.size(), 200);
    }
};

QTEST_GUILESS_MAIN(TestStatements)
#include "test_data_statements.moc"
