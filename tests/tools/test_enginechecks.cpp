// The generator's engine rules on a small hand-made database: a clean one
// passes, and each seeded fault stops the build naming its rule.

#include "data/sqldb.h"
#include "enginechecks.h"
#include "model.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

namespace {

const QString kSchema = QStringLiteral(FV_TESTS_DIR "/../tools/vorelgen/schema.sql");

Engine engine(int from, int to, double litres, int cylinders)
{
    Engine e;
    e.from = from;
    e.to = to;
    e.litres = litres;
    e.cylinders = cylinders;
    return e;
}

} // namespace

class TestEngineChecks : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;
    std::unique_ptr<SQLDB> m_db;
    Model m_model;

    // A hand-written front-drive car of 2001-2003 with one 2.0 L four, and a
    // catalogue line of 2001-2026 listed for every year but its last.
    void fill()
    {
        QFile f(kSchema);
        QVERIFY(f.open(QIODevice::ReadOnly));
        m_db = std::make_unique<SQLDB>(m_dir.filePath(QStringLiteral("t%1.db").arg(++m_files)), false);
        m_db->exec(QString::fromUtf8(f.readAll()));
        m_model = Model();
        for (const qint64 id : {1, 2}) {
            Vehicle v;
            v.id = id;
            v.make = QStringLiteral("FORD");
            v.model = id == 1 ? QStringLiteral("Testcar") : QStringLiteral("Other");
            v.tier = id == 1 ? 0 : 1;
            for (int y = 2001; y <= (id == 1 ? 2003 : 2026); ++y)
                v.years.append(y);
            v.engines = {engine(2001, v.years.last(), 2.0, 4)};
            v.engines.first().fromCatalog = v.tier > 0;
            m_model.vehicles.append(v);
            m_db->run(QStringLiteral("INSERT INTO vehicles (vehicle_id, make, model, make_display, vehicle_types, first_year, last_year, "
                                     "starts_at_vpic_floor, heavy, confidence, year_source, notes) "
                                     "VALUES (?, 'FORD', ?, 'Ford', 'Passenger Car', 2001, ?, 0, 0, 'high', 'vpic', '')"),
                      {id, v.model, v.years.last()});
            for (const int y : v.years) {
                m_db->run(QStringLiteral("INSERT INTO vehicle_years (vehicle_id, model_year, sources) VALUES (?, ?, 'v')"), {id, y});
                if (id == 1 || y < 2026)
                    m_db->run(QStringLiteral("INSERT INTO epa VALUES (?, ?, 'Testcar', 2.0, 4, 'Manual 5-spd', 'Front-Wheel Drive', "
                                             "'Compact Cars', 'Regular Gasoline', '', 0, 0, '')"),
                              {id, y});
            }
        }
    }

    QString failure()
    {
        try {
            checkEngines(*m_db, m_model);
        } catch (const GenError &e) {
            return e.message;
        }
        return QString();
    }

private slots:
    void cleanDatabasePasses()
    {
        fill();
        QCOMPARE(failure(), QString());
        // A hybrid's electrically variable gearbox is no belt CVT, whatever the engine.
        m_db->exec(QStringLiteral("UPDATE epa SET displacement_l = 6.0, cylinders = 8, drive = 'Rear-Wheel Drive', "
                                  "transmission = 'Automatic (variable gear ratios)', engine_desc = 'HEV' WHERE vehicle_id = 2"));
        QCOMPARE(failure(), QString());
    }

    void seededFaultsFail_data()
    {
        QTest::addColumn<QString>("sql");
        QTest::addColumn<QString>("rule");
        QTest::newRow("no cylinders") << "UPDATE epa SET cylinders = 0 WHERE model_year = 2002" << "at most 1.2 L each";
        QTest::newRow("1.5 L a cylinder") << "UPDATE epa SET displacement_l = 6.0 WHERE model_year = 2002" << "at most 1.2 L each";
        QTest::newRow("front-drive V8") << "UPDATE epa SET displacement_l = 5.7, cylinders = 8 WHERE model_year = 2002" << "no front-drive engine";
        QTest::newRow("plain diesel") << "UPDATE epa SET fuel_type = 'Diesel' WHERE model_year = 2002" << "turbocharged";
        QTest::newRow("CVT behind a V8")
            << "UPDATE epa SET displacement_l = 4.6, cylinders = 8, drive = 'Rear-Wheel Drive', transmission = 'Automatic (variable gear ratios)'"
            << "continuously variable";
        QTest::newRow("row twice") << "INSERT INTO epa SELECT * FROM epa WHERE vehicle_id = 1 AND model_year = 2003" << "no engine row twice";
        QTest::newRow("electric row without an electric version")
            << "INSERT INTO epa VALUES (1, 2002, 'Testcar', 0, 0, 'Automatic (A1)', 'Front-Wheel Drive', 'Compact Cars', 'Electricity', '', 0, 0, '150 kW')"
            << "electric rows only where";
        QTest::newRow("plug-in hybrid as an electric car")
            << "UPDATE epa SET displacement_l = 0, engine_desc = 'PHEV' WHERE model_year = 2002" << "electric rows, and only they";
        QTest::newRow("year of a hand-written line missing") << "DELETE FROM epa WHERE vehicle_id = 1 AND model_year = 2002"
                                                             << "every light-duty year of a hand-written line";
        QTest::newRow("too few years covered") << "DELETE FROM epa WHERE vehicle_id = 2" << "light-duty vehicle-years from 1984";
    }
    void seededFaultsFail()
    {
        QFETCH(QString, sql);
        QFETCH(QString, rule);
        fill();
        m_db->exec(sql);
        const QString message = failure();
        QVERIFY2(message.startsWith(QStringLiteral("broken rule: ")) && message.contains(rule), qPrintable(message));
    }

    // With EPA's list read, a hand-written engine of 1985-2014 is one EPA
    // lists for the line and year, or its entry says why it stands.
    void handWrittenEngineAgainstEpa()
    {
        fill();
        m_model.imported.engines = true;
        for (const int y : {2001, 2002, 2003})
            m_model.epaListed.insert(quint64(1) << 16 | quint64(y));
        for (const int y : {2001, 2002, 2003}) {
            EpaRow r;
            r.vid = 1;
            r.year = y;
            r.litres = 2.05; // EPA's 2.0 within 0.1 L
            r.cylinders = 4;
            m_model.epa.append(r);
        }
        QCOMPARE(failure(), QString());
        m_model.vehicles[0].engines.append(engine(2002, 2002, 3.0, 6));
        QVERIFY2(failure().contains(QStringLiteral("one EPA lists for the line and year (3 L, 6 cylinders) (FORD Testcar 2002)")), qPrintable(failure()));
        // A reason stands only for years EPA does not list: in 2002 EPA's rows are the line's.
        m_model.vehicles[0].engines.last().reason = QStringLiteral("a version EPA did not rate");
        QVERIFY2(failure().contains(QStringLiteral("reason stands only for years EPA does not list")), qPrintable(failure()));
        m_model.epaListed.remove(quint64(1) << 16 | quint64(2002));
        m_model.vehicles[0].engines.first().reason = QStringLiteral("a version EPA did not rate");
        QCOMPARE(failure(), QString());
        m_model.vehicles[0].engines.first().reason.clear();
        m_model.epaListed.insert(quint64(1) << 16 | quint64(2002));
        // A year EPA does not list at all needs the reason too.
        m_model.vehicles[0].engines.removeLast();
        m_model.epaListed.remove(quint64(1) << 16 | quint64(2003));
        QVERIFY2(failure().contains(QStringLiteral("states its reason (FORD Testcar 2003)")), qPrintable(failure()));
    }

    // The hand-written list is a line's whole list: a catalogue engine on it,
    // or an electric row it does not name, is refused.
    void handWrittenListIsTheAuthority()
    {
        fill();
        m_model.vehicles[0].engines.append(engine(2002, 2002, 1.6, 4));
        m_model.vehicles[0].engines.last().fromCatalog = true;
        QVERIFY2(failure().contains(QStringLiteral("lists only its own engines")), qPrintable(failure()));
        fill();
        Engine motor;
        motor.from = motor.to = 2002;
        motor.evMotor = QStringLiteral("150 kW");
        m_model.vehicles[0].engines.append(motor);
        m_db->exec(QStringLiteral("INSERT INTO epa VALUES (1, 2002, 'Testcar', 0, 0, 'Automatic (A1)', 'Front-Wheel Drive', "
                                  "'Compact Cars', 'Electricity', '', 0, 0, '150 kW')"));
        QCOMPARE(failure(), QString());
    }
};

QTEST_GUILESS_MAIN(TestEngineChecks)
#include "test_enginechecks.moc"
