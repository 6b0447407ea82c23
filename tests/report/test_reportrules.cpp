#include "report/repairestimate.h"
#include "report/reportlinks.h"
#include "report/troublereport.h"

#include <QLocale>
#include <QTest>

namespace {

OBDCode code(const QString &family, const QString &system = QStringLiteral("Powertrain"),
             const QString &seriousness = QStringLiteral("drive soon"))
{
    OBDCode c;
    c.family = family;
    c.system = system;
    c.seriousness = seriousness;
    return c;
}

Recall recall(const QString &campaign, const QStringList &components)
{
    Recall r;
    r.campaign = campaign;
    r.components = components;
    return r;
}

QStringList campaigns(const QList<Recall> &list)
{
    QStringList out;
    for (const Recall &r : list)
        out << r.campaign;
    return out;
}

} // namespace

Q_DECLARE_METATYPE(std::optional<OBDCode>)

// Estimates, recall links and guide links: pure rules over a code's family.
class TestReportRules : public QObject
{
    Q_OBJECT

private slots:
    void forCodeBranches_data()
    {
        QTest::addColumn<std::optional<OBDCode>>("info");
        QTest::addColumn<qint64>("low");
        QTest::addColumn<qint64>("high");
        QTest::addColumn<bool>("own");
        QTest::newRow("unknown") << std::optional<OBDCode>() << 100LL << 200LL << true;
        QTest::newRow("family") << std::optional(code("fuel trim")) << 20LL << 600LL << true;
        QTest::newRow("catalyst") << std::optional(code("catalyst")) << 150LL << 2500LL << true;
        QTest::newRow("upper-case key") << std::optional(code("EVAP")) << 25LL << 600LL << true;
        QTest::newRow("sensor") << std::optional(code("sensor: intake air temperature")) << 75LL << 450LL << true;
        QTest::newRow("actuator") << std::optional(code("actuator: purge")) << 150LL << 900LL << true;
        QTest::newRow("network") << std::optional(code("module", "Network")) << 100LL << 1200LL << false;
        QTest::newRow("chassis") << std::optional(code("module", "Chassis")) << 150LL << 1200LL << false;
        // Keys are case-sensitive: "evap" is no key and falls to the general estimate.
        QTest::newRow("wrong case") << std::optional(code("evap")) << 100LL << 1000LL << false;
        QTest::newRow("general") << std::optional(code("module", "Body")) << 100LL << 1000LL << false;
    }

    void forCodeBranches()
    {
        QFETCH(std::optional<OBDCode>, info);
        QFETCH(qint64, low);
        QFETCH(qint64, high);
        QFETCH(bool, own);
        const auto [estimate, flag] = RepairEstimate::forCode(info);
        QCOMPARE(estimate.low, low);
        QCOMPARE(estimate.high, high);
        QCOMPARE(flag, own);
        QVERIFY(!estimate.fix.isEmpty());
    }

    void rangeIsGroupedInAnyLocale()
    {
        QCOMPARE(RepairEstimate::makerSpecific().range(), QStringLiteral("$100\u2013$200"));
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        QCOMPARE((RepairEstimate{QString(), 1000, 4000}.range()), QStringLiteral("$1,000\u2013$4,000"));
        QLocale::setDefault(QLocale::c());
    }

    void recallMatching()
    {
        const Recall engine = recall("A", {"ENGINE AND ENGINE COOLING", "POWER TRAIN"});
        const Recall fuel = recall("B", {"Fuel System, Gasoline"});
        const Recall twice = recall("C", {"FUEL SYSTEM", "FUEL SYSTEM, DIESEL"});
        const QList<Recall> all{engine, fuel, twice};
        QCOMPARE(campaigns(ReportLinks::recalls(all, code("misfire"))), QStringList{"A"});
        QCOMPARE(campaigns(ReportLinks::recalls(all, code("transmission"))), QStringList{"A"});
        QCOMPARE(campaigns(ReportLinks::recalls(all, code("fuel pump"))), (QStringList{"B", "C"}));
        QVERIFY(ReportLinks::recalls(all, std::nullopt).isEmpty());

        QCOMPARE(ReportLinks::recallKeywords(code("oxygen sensor heater")),
                 (QStringList{"ENGINE", "EXHAUST", "EMISSION"}));
        QCOMPARE(ReportLinks::recallKeywords(code("module", "Network")), QStringList{"ELECTRICAL"});
        QCOMPARE(ReportLinks::recallKeywords(code("knock sensor")), QStringList{"ENGINE"});
        // "abs" inside "absolute" is no brake word.
        QCOMPARE(ReportLinks::recallKeywords(code("sensor: manifold absolute pressure")), QStringList{"ENGINE"});
        QCOMPARE(ReportLinks::recallKeywords(code("ABS / chassis")).first(), QStringLiteral("SERVICE BRAKES"));
    }

    void guideIDs_data()
    {
        QTest::addColumn<std::optional<OBDCode>>("info");
        QTest::addColumn<QString>("code");
        QTest::addColumn<QStringList>("ids");
        QTest::newRow("unknown P") << std::optional<OBDCode>() << "P1234" << QStringList{"check-engine", "computers"};
        QTest::newRow("unknown B") << std::optional<OBDCode>() << "B1234" << QStringList{"warning-lights", "computers"};
        QTest::newRow("empty code") << std::optional(code("fuel trim")) << "" << QStringList{"check-engine", "rough-idle"};
        QTest::newRow("catalyst") << std::optional(code("catalyst")) << "P0420"
                                  << QStringList{"check-engine", "smells", "smoke"};
        QTest::newRow("sensor") << std::optional(code("sensor: intake air temperature")) << "P0113"
                                << QStringList{"check-engine", "rough-idle", "wiring"};
        QTest::newRow("no repeats") << std::optional(code("variable valve timing")) << "P0011"
                                    << QStringList{"check-engine", "noises", "rough-idle"};
        QTest::newRow("absolute") << std::optional(code("sensor: manifold absolute pressure")) << "P0106"
                                  << QStringList{"check-engine", "wiring"};
        QTest::newRow("abs") << std::optional(code("ABS / chassis")) << "C0035"
                             << QStringList{"warning-lights", "brakes"};
        QTest::newRow("first id kept") << std::optional(code("oil pressure")) << "B0520"
                                       << QStringList{"warning-lights", "noises"};
    }

    void guideIDs()
    {
        QFETCH(std::optional<OBDCode>, info);
        QFETCH(QString, code);
        QFETCH(QStringList, ids);
        QCOMPARE(ReportLinks::guideIDs(info, code), ids);
    }

    void codeDerivedTexts()
    {
        TroubleReportCode c;
        QCOMPARE(c.urgency(), 1);
        QVERIFY(c.causesRanked().isEmpty());
        c.info = code("fuel trim", "Fuel", "stop");
        c.info->causes = QStringLiteral(" vacuum leak;\n dirty MAF sensor.;; . ;\u00e9tat");
        QCOMPARE(c.causesRanked(), (QStringList{"Vacuum leak", "Dirty MAF sensor", "\u00c9tat"}));
        QCOMPARE(c.urgency(), 0);
        c.info->seriousness = QStringLiteral("drive");
        QCOMPARE(c.urgency(), 2);
        c.info->seriousness = QStringLiteral("Stop"); // not a stored level: drive soon
        QCOMPARE(c.urgency(), 1);
    }

    void component()
    {
        QCOMPARE(TroubleReport::component(recall("A", {})), QStringLiteral("Other"));
        QCOMPARE(TroubleReport::component(recall("A", {" \t", "POWER TRAIN"})), QStringLiteral("Other"));
        QCOMPARE(TroubleReport::component(recall("A", {"::"})), QString());
        QCOMPARE(TroubleReport::component(recall("A", {"\tSERVICE BRAKES, HYDRAULIC::ABS", "X"})),
                 QStringLiteral("Service brakes, hydraulic \u00b7 ABS"));
    }

    void summaryExcerptCutsWholeCharacters()
    {
        Recall r;
        r.summary = QString(240, u'a');
        QCOMPARE(TroubleReport::summaryExcerpt(r), r.summary);
        // 239 letters, then a surrogate pair as the 240th and 241st characters.
        r.summary = QString(239, u'a') + QStringLiteral("\U0001F697\U0001F697");
        QCOMPARE(TroubleReport::summaryExcerpt(r), QString(239, u'a') + QStringLiteral("\U0001F697\u2026"));
    }
};

QTEST_GUILESS_MAIN(TestReportRules)
#include "test_reportrules.moc"
