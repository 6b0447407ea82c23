#include "data/sqldb.h"
#include "support/fixturedb.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>
#include <limits>
#include <sqlite3.h>
#include <string>

Q_DECLARE_METATYPE(SQLValue)

// Readable values in failure messages.
char *toString(const SQLValue &v)
{
    QString s;
    switch (v.kind()) {
    case SQLValue::Kind::Int: s = QStringLiteral("int ") + QString::number(v.intValue()); break;
    case SQLValue::Kind::Real: s = QStringLiteral("real ") + QString::number(v.realValue(), 'g', 17); break;
    case SQLValue::Kind::Text: s = QStringLiteral("text \"") + v.textValue() + u'"'; break;
    case SQLValue::Kind::Blob: s = QStringLiteral("blob ") + QString::fromLatin1(v.blobValue().toHex()); break;
    case SQLValue::Kind::Null: s = QStringLiteral("null"); break;
    }
    return qstrdup(s.toUtf8().constData());
}

namespace {

enum Colour { Red, Green, Blue };

// typeof() and the value of one bound argument, read back through SQLite.
std::pair<QString, SQLValue> bound(SQLDB &db, const SQLArg &arg)
{
    const QList<SQLRow> r = db.rows(QStringLiteral("SELECT typeof(?), ?"), {arg, arg});
    return {r.front().str(0), r.front().values.at(1)};
}

bool noOpenStatement(const SQLDB &db)
{
    return sqlite3_next_stmt(db.handle(), nullptr) == nullptr;
}

} // namespace

class TestSql : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<SQLDB> m_db;

private slots:
    void init()
    {
        QVERIFY(m_dir.isValid());
        m_db = std::make_unique<SQLDB>(m_dir.filePath(QStringLiteral("rw.sqlite")), false);
        m_db->exec(QStringLiteral("DROP TABLE IF EXISTS t; CREATE TABLE t (a INTEGER UNIQUE, b);"));
    }
    void cleanup() { m_db.reset(); }

    // ---- Opening ----

    void readOnlyOpenOfMissingFileFails()
    {
        const QString path = m_dir.filePath(QStringLiteral("missing.db"));
        try {
            SQLDB db(path, true);
            QFAIL("opened a missing file");
        } catch (const SQLError &e) {
            QCOMPARE(e.description(), QStringLiteral("SQLite open failed (") + path + QStringLiteral("): unable to open database file"));
        }
        QVERIFY(!QFileInfo::exists(path));
    }

    void readWriteOpenCreatesTheFile()
    {
        const QString path = m_dir.filePath(QStringLiteral("new.sqlite"));
        {
            SQLDB db(path, false);
            QCOMPARE(db.path(), path);
            QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master")), 0);
            db.exec(QStringLiteral("CREATE TABLE x (v)"));
        }
        QVERIFY(QFileInfo(path).isFile());
    }

    void readOnlyOpenOfAnOddPath()
    {
        QDir(m_dir.path()).mkpath(QStringLiteral("ref data/ö ü"));
        const QString path = m_dir.filePath(QStringLiteral("ref data/ö ü/vorel #1?%20.db"));
        {
            SQLDB rw(path, false);
            rw.exec(QStringLiteral("CREATE TABLE x (v); INSERT INTO x VALUES ('Crème');"));
        }
        SQLDB ro(path, true);
        QCOMPARE(ro.path(), path);
        QCOMPARE(ro.string(QStringLiteral("SELECT v FROM x")), QStringLiteral("Crème"));
        // Read-only really: a write fails and leaves the connection usable.
        try {
            ro.run(QStringLiteral("INSERT INTO x VALUES (1)"));
            QFAIL("wrote to a read-only connection");
        } catch (const SQLError &e) {
            QCOMPARE(e.description(), QStringLiteral("attempt to write a readonly database"));
        }
        QCOMPARE(ro.scalar(QStringLiteral("SELECT count(*) FROM x")), 1);
        // The percent sign in the name was encoded, not read as an escape.
        QVERIFY(!QFileInfo::exists(m_dir.filePath(QStringLiteral("ref data/ö ü/vorel #1? .db"))));
    }

    void readOnlyOpenOfAPathWithTwoLeadingSlashes()
    {
        const QString path = m_dir.filePath(QStringLiteral("slashes.db"));
        {
            SQLDB rw(path, false);
            rw.exec(QStringLiteral("CREATE TABLE x (v); INSERT INTO x VALUES (7);"));
        }
        // "//tmp/..." names the same file; its first folder is no URI host.
        QVERIFY(path.startsWith(u'/'));
        const QString doubled = u'/' + path;
        SQLDB ro(doubled, true);
        QCOMPARE(ro.path(), doubled);
        QCOMPARE(ro.scalar(QStringLiteral("SELECT v FROM x")), 7);
    }

    // ---- Error texts ----

    void prepareFailureCarriesTheSql()
    {
        const QString sql = QStringLiteral("SELEC 1");
        try {
            m_db->rows(sql);
            QFAIL("no error");
        } catch (const SQLError &e) {
            QCOMPARE(e.description(), QStringLiteral("near \"SELEC\": syntax error in: SELEC 1"));
            QCOMPARE(QString::fromUtf8(e.what()), e.description());
        }
        try {
            m_db->run(QStringLiteral("SELECT * FROM nope"));
            QFAIL("no error");
        } catch (const SQLError &e) {
            QCOMPARE(e.description(), QStringLiteral("no such table: nope in: SELECT * FROM nope"));
        }
    }

    void emptyStatementIsAFailure()
    {
        for (const QString &sql : {QString(), QStringLiteral("   "), QStringLiteral("-- only a comment")}) {
            try {
                m_db->rows(sql);
                QFAIL("an empty statement ran");
            } catch (const SQLError &e) {
                QVERIFY2(e.description().endsWith(QStringLiteral(" in: ") + sql), qPrintable(e.description()));
            }
        }
    }

    void stepFailureIsTheMessageAlone()
    {
        m_db->run(QStringLiteral("INSERT INTO t (a) VALUES (1)"));
        try {
            m_db->run(QStringLiteral("INSERT INTO t (a) VALUES (?)"), {1});
            QFAIL("no error");
        } catch (const SQLError &e) {
            QCOMPARE(e.description(), QStringLiteral("UNIQUE constraint failed: t.a"));
        }
        try {
            m_db->rows(QStringLiteral("SELECT 1 UNION ALL SELECT abs(-9223372036854775807 - 1)"));
            QFAIL("no error");
        } catch (const SQLError &e) {
            QCOMPARE(e.description(), QStringLiteral("integer overflow"));
        }
        QVERIFY(noOpenStatement(*m_db));
        // The connection is still usable.
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM t")), 1);
    }

    void execFailureIsTheMessageAlone()
    {
        try {
            m_db->exec(QStringLiteral("CREATE TABLE u (v); DROP TABLE nope;"));
            QFAIL("no error");
        } catch (const SQLError &e) {
            QCOMPARE(e.description(), QStringLiteral("no such table: nope"));
        }
        // The statements before the failing one ran.
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name = 'u'")), 1);
    }

    void lastErrorAndInsertId()
    {
        QCOMPARE(m_db->run(QStringLiteral("INSERT INTO t (a, b) VALUES (?, ?)"), {5, QStringLiteral("x")}), 1);
        const qint64 id = m_db->lastInsertID();
        QVERIFY(id > 0);
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT rowid FROM t WHERE a = 5")), id);
        try {
            m_db->rows(QStringLiteral("SELECT nocolumn FROM t"));
        } catch (const SQLError &) {
        }
        QCOMPARE(m_db->lastError(), QStringLiteral("no such column: nocolumn"));
    }

    void runReportsTheChangeCount()
    {
        m_db->exec(QStringLiteral("INSERT INTO t (a) VALUES (1), (2), (3)"));
        QCOMPARE(m_db->run(QStringLiteral("UPDATE t SET b = 'x' WHERE a >= ?"), {2}), 2);
        // A SELECT that yields rows succeeds after its first row and reports the
        // connection's change count of the last change.
        QCOMPARE(m_db->run(QStringLiteral("SELECT a FROM t")), 2);
        QVERIFY(noOpenStatement(*m_db));
    }

    void scalarAndStringNeverThrow()
    {
        QCOMPARE(m_db->scalar(QStringLiteral("SELEC 1")), 0);
        QCOMPARE(m_db->string(QStringLiteral("SELEC 1")), QString());
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT a FROM t")), 0);
        QCOMPARE(m_db->string(QStringLiteral("SELECT a FROM t")), QString());
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT abs(-9223372036854775807 - 1)")), 0);
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT ?"), {QStringLiteral("12")}), 12);
        QCOMPARE(m_db->string(QStringLiteral("SELECT ?"), {2.5}), QStringLiteral("2.5"));
        QVERIFY(noOpenStatement(*m_db));
    }

    // ---- Binding ----

    void bindsByType()
    {
        SQLDB &db = *m_db;
        QCOMPARE(bound(db, std::nullopt).first, QStringLiteral("null"));
        QCOMPARE(bound(db, nullptr).first, QStringLiteral("null"));
        QCOMPARE(bound(db, std::optional<qint64>()).first, QStringLiteral("null"));
        QCOMPARE(bound(db, std::optional<qint64>(7)).second, SQLValue::fromInt(7));
        QCOMPARE(bound(db, 42).second, SQLValue::fromInt(42));
        QCOMPARE(bound(db, std::numeric_limits<qint64>::min()).second, SQLValue::fromInt(std::numeric_limits<qint64>::min()));
        QCOMPARE(bound(db, 7u).second, SQLValue::fromInt(7));
        QCOMPARE(bound(db, 2.5).second, SQLValue::fromReal(2.5));
        QCOMPARE(bound(db, 0.5f).second, SQLValue::fromReal(0.5));
        QCOMPARE(bound(db, true).second, SQLValue::fromInt(1));
        QCOMPARE(bound(db, false).second, SQLValue::fromInt(0));
        QCOMPARE(bound(db, Blue).second, SQLValue::fromInt(2));
        // C strings are text, never booleans.
        QCOMPARE(bound(db, "0").second, SQLValue::fromText(QStringLiteral("0")));
        QCOMPARE(bound(db, "P0420").second, SQLValue::fromText(QStringLiteral("P0420")));
        const char *none = nullptr;
        QCOMPARE(bound(db, none).second, SQLValue::fromText(QString()));
        QCOMPARE(bound(db, u"Crème").second, SQLValue::fromText(QStringLiteral("Crème")));
        QCOMPARE(bound(db, std::string("std")).second, SQLValue::fromText(QStringLiteral("std")));
        QCOMPARE(bound(db, QLatin1String("latin")).second, SQLValue::fromText(QStringLiteral("latin")));
        QCOMPARE(bound(db, QStringView(u"view")).second, SQLValue::fromText(QStringLiteral("view")));
        QCOMPARE(bound(db, 'x').second, SQLValue::fromText(QStringLiteral("x")));
        QCOMPARE(bound(db, QStringLiteral("ö €")).second, SQLValue::fromText(QStringLiteral("ö €")));
        QCOMPARE(bound(db, QDate(2024, 2, 29)).second, SQLValue::fromText(QStringLiteral("2024-02-29")));
        QCOMPARE(bound(db, QByteArray("a\0b", 3)).second, SQLValue::fromBlob(QByteArray("a\0b", 3)));
    }

    void emptyBytesBindAsAnEmptyBlob()
    {
        const auto [type, value] = bound(*m_db, QByteArray());
        QCOMPARE(type, QStringLiteral("blob"));
        QCOMPARE(value, SQLValue::fromBlob(QByteArray()));
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT length(?)"), {QByteArray()}), 0);
        m_db->run(QStringLiteral("INSERT INTO t (a, b) VALUES (?, ?)"), {1, QByteArray()});
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT b IS NOT NULL AND typeof(b) = 'blob' FROM t")), 1);
    }

    void textWithAZeroKeepsItsTail()
    {
        const QString withZero = QStringLiteral("ab") + QChar(0) + QStringLiteral("cd");
        QCOMPARE(bound(*m_db, withZero).second, SQLValue::fromText(withZero));
        m_db->run(QStringLiteral("INSERT INTO t (a, b) VALUES (1, ?)"), {withZero});
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT length(CAST(b AS BLOB)) FROM t")), 5);
        QCOMPARE(m_db->string(QStringLiteral("SELECT b FROM t")), withZero);
    }

    void extraArgumentsAreIgnored()
    {
        QCOMPARE(m_db->run(QStringLiteral("INSERT INTO t (a) VALUES (?)"), {3, 4, QStringLiteral("five")}), 1);
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT a FROM t")), 3);
        // Missing arguments leave parameters NULL.
        QCOMPARE(m_db->string(QStringLiteral("SELECT typeof(?) || typeof(?)"), {1}), QStringLiteral("integernull"));
    }

    // ---- Reading columns ----

    void readsEachStorageClass()
    {
        const QList<SQLRow> rows = m_db->rows(QStringLiteral(
            "SELECT 1, 2.5, 'text', x'00ff', NULL, x'', CAST(x'610062' AS TEXT), CAST(x'61ff62' AS TEXT)"));
        QCOMPARE(rows.size(), 1);
        const SQLRow &r = rows.front();
        QCOMPARE(r.values.size(), 8);
        QCOMPARE(r.values[0], SQLValue::fromInt(1));
        QCOMPARE(r.values[1], SQLValue::fromReal(2.5));
        QCOMPARE(r.values[2], SQLValue::fromText(QStringLiteral("text")));
        QCOMPARE(r.values[3], SQLValue::fromBlob(QByteArray("\x00\xff", 2)));
        QCOMPARE(r.values[4], SQLValue::null());
        QCOMPARE(r.values[5], SQLValue::fromBlob(QByteArray()));
        // Text keeps a zero byte; invalid UTF-8 becomes the replacement character.
        QCOMPARE(r.values[6], SQLValue::fromText(QStringLiteral("a") + QChar(0) + QStringLiteral("b")));
        QCOMPARE(r.values[7], SQLValue::fromText(QStringLiteral("a") + QChar(0xFFFD) + QStringLiteral("b")));
    }

    void rowsReadsEveryRowInOrder()
    {
        m_db->exec(QStringLiteral("INSERT INTO t (a, b) VALUES (3, 'c'), (1, 'a'), (2, 'b')"));
        const QList<SQLRow> rows = m_db->rows(QStringLiteral("SELECT a, b FROM t WHERE a > ? ORDER BY a"), {0});
        QCOMPARE(rows.size(), 3);
        for (int i = 0; i < 3; ++i) {
            QCOMPARE(rows[i].integer(0), i + 1);
            QCOMPARE(rows[i].str(1), QString(QChar(u'a' + i)));
        }
        QVERIFY(m_db->rows(QStringLiteral("SELECT a FROM t WHERE a > 9")).isEmpty());
        QVERIFY(noOpenStatement(*m_db));
    }

    void eachReadsInPlaceAsRowsDo()
    {
        // Repeated short texts (shared from the row before), an empty text
        // after a NULL and the other way round, long texts, numbers as text.
        const QString sql = QStringLiteral(
            "WITH v(a, b, c) AS (VALUES ('v', NULL, 1), ('v', '', 2.5), ('w', NULL, '42'), ('w', 'x', x'0102'), "
            "(NULL, '', ' 7'), ('', 'x', 1e300)) SELECT a, b, c, printf('%.*c', 60, 'z') FROM v");
        const QList<SQLRow> rows = m_db->rows(sql);
        QCOMPARE(rows.size(), 6);
        int seen = 0;
        m_db->each(sql, {}, [&](const SQLRow &live) {
            const SQLRow &stored = rows[seen++];
            QVERIFY(live.values.isEmpty());
            for (qsizetype c = -1; c <= 4; ++c) {
                QCOMPARE(live.str(c), stored.str(c));
                QCOMPARE(live.str(c).isNull(), stored.str(c).isNull());
                QCOMPARE(live.integer(c), stored.integer(c));
                QCOMPARE(live.optInt(c), stored.optInt(c));
                QCOMPARE(live.real(c), stored.real(c));
                QCOMPARE(live.data(c), stored.data(c));
                QCOMPARE(live.isNull(c), stored.isNull(c));
            }
        });
        QCOMPARE(seen, 6);
        QVERIFY(noOpenStatement(*m_db));
    }

    void eachFailingPartWayThrowsAfterItsRows()
    {
        QList<qint64> got;
        try {
            m_db->each(QStringLiteral("WITH v(x) AS (VALUES (1), (2), (3)) "
                                      "SELECT CASE WHEN x < 3 THEN x ELSE abs(-9223372036854775807 - 1) END FROM v"),
                       {}, [&got](const SQLRow &r) { got << r.integer(0); });
            QFAIL("no error");
        } catch (const SQLError &e) {
            QCOMPARE(e.description(), QStringLiteral("integer overflow"));
        }
        QCOMPARE(got, (QList<qint64>{1, 2}));
        QVERIFY(noOpenStatement(*m_db));
    }

    void integerReader_data()
    {
        QTest::addColumn<SQLValue>("value");
        QTest::addColumn<qint64>("integer");
        QTest::addColumn<bool>("present");
        const qint64 minI = std::numeric_limits<qint64>::min();
        QTest::newRow("int") << SQLValue::fromInt(-12) << qint64(-12) << true;
        QTest::newRow("real down") << SQLValue::fromReal(3.9) << qint64(3) << true;
        QTest::newRow("real toward zero") << SQLValue::fromReal(-3.9) << qint64(-3) << true;
        QTest::newRow("real nan") << SQLValue::fromReal(std::nan("")) << qint64(0) << true;
        QTest::newRow("real inf") << SQLValue::fromReal(HUGE_VAL) << qint64(0) << true;
        QTest::newRow("real -inf") << SQLValue::fromReal(-HUGE_VAL) << qint64(0) << true;
        QTest::newRow("real 2^63") << SQLValue::fromReal(9223372036854775808.0) << qint64(0) << true;
        QTest::newRow("real -1e19") << SQLValue::fromReal(-1e19) << qint64(0) << true;
        QTest::newRow("real -2^63") << SQLValue::fromReal(-9223372036854775808.0) << minI << true;
        QTest::newRow("text plus") << SQLValue::fromText(QStringLiteral("+42")) << qint64(42) << true;
        QTest::newRow("text minus") << SQLValue::fromText(QStringLiteral("-7")) << qint64(-7) << true;
        QTest::newRow("text point") << SQLValue::fromText(QStringLiteral("42.0")) << qint64(0) << true;
        QTest::newRow("text empty") << SQLValue::fromText(QString()) << qint64(0) << true;
        QTest::newRow("text letters") << SQLValue::fromText(QStringLiteral("abc")) << qint64(0) << true;
        QTest::newRow("text leading blank") << SQLValue::fromText(QStringLiteral(" 1")) << qint64(0) << true;
        QTest::newRow("text too big") << SQLValue::fromText(QStringLiteral("9223372036854775808")) << qint64(0) << true;
        QTest::newRow("blob") << SQLValue::fromBlob(QByteArray("7")) << qint64(0) << true;
        QTest::newRow("null") << SQLValue::null() << qint64(0) << false;
    }
    void integerReader()
    {
        QFETCH(SQLValue, value);
        QFETCH(qint64, integer);
        QFETCH(bool, present);
        const SQLRow row({value});
        QCOMPARE(row.integer(0), integer);
        QCOMPARE(row.optInt(0).has_value(), present);
        if (present)
            QCOMPARE(*row.optInt(0), integer);
        QCOMPARE(row.isNull(0), !present);
    }

    void realReader_data()
    {
        QTest::addColumn<SQLValue>("value");
        QTest::addColumn<double>("real");
        QTest::newRow("int") << SQLValue::fromInt(-3) << -3.0;
        QTest::newRow("real") << SQLValue::fromReal(0.25) << 0.25;
        QTest::newRow("text") << SQLValue::fromText(QStringLiteral("2.5")) << 2.5;
        QTest::newRow("text exponent") << SQLValue::fromText(QStringLiteral("-1e3")) << -1000.0;
        QTest::newRow("text hex") << SQLValue::fromText(QStringLiteral("0x10")) << 16.0;
        QTest::newRow("text inf") << SQLValue::fromText(QStringLiteral("inf")) << HUGE_VAL;
        QTest::newRow("text letters") << SQLValue::fromText(QStringLiteral("abc")) << 0.0;
        QTest::newRow("text trailing") << SQLValue::fromText(QStringLiteral("2.5x")) << 0.0;
        QTest::newRow("text leading blank") << SQLValue::fromText(QStringLiteral(" 2.5")) << 0.0;
        QTest::newRow("text empty") << SQLValue::fromText(QString()) << 0.0;
        QTest::newRow("blob") << SQLValue::fromBlob(QByteArray("1")) << 0.0;
        QTest::newRow("null") << SQLValue::null() << 0.0;
    }
    void realReader()
    {
        QFETCH(SQLValue, value);
        QFETCH(double, real);
        QCOMPARE(SQLRow({value}).real(0), real);
    }

    void textReader_data()
    {
        QTest::addColumn<SQLValue>("value");
        QTest::addColumn<QString>("text");
        QTest::newRow("int") << SQLValue::fromInt(-5) << "-5";
        QTest::newRow("whole real") << SQLValue::fromReal(1.0) << "1.0";
        QTest::newRow("real") << SQLValue::fromReal(2.5) << "2.5";
        QTest::newRow("shortest") << SQLValue::fromReal(0.1 + 0.2) << "0.30000000000000004";
        QTest::newRow("large") << SQLValue::fromReal(1e16) << "1e+16";
        QTest::newRow("small") << SQLValue::fromReal(1e-5) << "1e-05";
        QTest::newRow("text") << SQLValue::fromText(QStringLiteral("as is ")) << "as is ";
        QTest::newRow("blob") << SQLValue::fromBlob(QByteArray("ab")) << "";
        QTest::newRow("null") << SQLValue::null() << "";
    }
    void textReader()
    {
        QFETCH(SQLValue, value);
        QFETCH(QString, text);
        QCOMPARE(SQLRow({value}).str(0), text);
    }

    void bytesReader()
    {
        const SQLRow row({SQLValue::fromBlob(QByteArray("\x01\x02", 2)), SQLValue::fromText(QStringLiteral("t")),
                          SQLValue::fromInt(1), SQLValue::null()});
        QCOMPARE(row.data(0), QByteArray("\x01\x02", 2));
        QVERIFY(row.data(1).isEmpty());
        QVERIFY(row.data(2).isEmpty());
        QVERIFY(row.data(3).isEmpty());
    }

    void indexPastTheRowIsNeutral()
    {
        const SQLRow row({SQLValue::fromInt(9)});
        for (qsizetype i : {qsizetype(1), qsizetype(100), qsizetype(-1)}) {
            QCOMPARE(row.integer(i), 0);
            QVERIFY(!row.optInt(i));
            QCOMPARE(row.real(i), 0.0);
            QCOMPARE(row.str(i), QString());
            QVERIFY(row.data(i).isEmpty());
            QVERIFY(row.isNull(i));
        }
        QCOMPARE(SQLRow().str(0), QString());
    }

    void damageIsReportedOnceAndKept()
    {
        const QString path = m_dir.filePath(QStringLiteral("damaged.sqlite"));
        {
            SQLDB rw(path, false);
            rw.exec(QStringLiteral("CREATE TABLE k (v); INSERT INTO k VALUES (1); CREATE TABLE big (v);"
                                   "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
                                   "INSERT INTO big SELECT printf('%0100d', i) FROM n;"));
        }
        QVERIFY(FixtureDb::damageTable(path, QStringLiteral("big")));
        SQLDB db(path, true);
        int reports = 0;
        db.setDamageHandler([&] { ++reports; });
        QCOMPARE(db.scalar(QStringLiteral("SELECT v FROM k")), 1);
        QVERIFY(!db.damaged());
        // Swallowed by a neutral reader, still noted.
        QCOMPARE(db.scalar(QStringLiteral("SELECT count(*) FROM big WHERE v LIKE '%7'")), 0);
        QVERIFY(db.damaged());
        try {
            db.rows(QStringLiteral("SELECT * FROM big"));
            QFAIL("read a damaged table");
        } catch (const SQLError &e) {
            QVERIFY(e.damaged());
        }
        QCOMPARE(reports, 1);

        // A file that is no database at all.
        const QString junk = m_dir.filePath(QStringLiteral("junk.db"));
        QFile f(junk);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
        f.close();
        SQLDB other(junk, true);
        QCOMPARE(other.scalar(QStringLiteral("SELECT count(*) FROM sqlite_schema")), 0);
        QVERIFY(other.damaged());
        // Other failures are no damage.
        QCOMPARE(m_db->scalar(QStringLiteral("SELECT * FROM nowhere")), 0);
        QVERIFY(!m_db->damaged());
    }

    void valueEquality()
    {
        QVERIFY(SQLValue::fromInt(1) != SQLValue::fromReal(1.0));
        QVERIFY(SQLValue::fromText(QStringLiteral("1")) != SQLValue::fromInt(1));
        QVERIFY(SQLValue::fromBlob(QByteArray("ab")) == SQLValue::fromBlob(QByteArray("ab")));
        QVERIFY(SQLValue::fromBlob(QByteArray()) != SQLValue::null());
        QVERIFY(SQLValue::fromText(QString()) != SQLValue::null());
        QVERIFY(SQLValue::null() == SQLValue());
        QCOMPARE(SQLValue::fromReal(2).kind(), SQLValue::Kind::Real);
    }
};

QTEST_GUILESS_MAIN(TestSql)
#include "test_data_sql.moc"
