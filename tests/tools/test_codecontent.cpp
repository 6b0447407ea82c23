// Checks the trouble-code content (codes.json, code_blocks.json, structure.json)
// and its loader CodeContent::load.
#include "codecontent.h"
#include "support/contentrules.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTest>
#include <algorithm>

namespace {

const QString kContentDir = ContentRules::contentDir();

QString text(const QJsonObject &o, const char *key)
{
    return o.value(QLatin1String(key)).toString();
}

QString allText(const QJsonObject &o)
{
    return text(o, "title") + ' ' + text(o, "meaning") + ' ' + text(o, "causes") + ' ' + text(o, "symptoms")
        + ' ' + text(o, "check_first") + ' ' + text(o, "note");
}

int hexValue(const QString &code)
{
    bool ok = false;
    const int v = code.mid(2).toInt(&ok, 16);
    return ok ? v : -1;
}

bool inRange(const QString &code, const QString &from, const QString &to)
{
    return code.size() == 5 && code.left(2) == from.left(2) && hexValue(code) >= hexValue(from)
        && hexValue(code) <= hexValue(to);
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(data) == data.size();
}

const QByteArray kOneWritten = R"([{"code":"P0001","system":"Powertrain","family":"engine","title":"Hand title",
 "meaning":"Hand meaning","causes":"One; two","symptoms":"Some","check_first":"Look","seriousness":"drive",
 "note":"","review_status":"Draft"}])";

const QByteArray kOneBlock = R"({"defaults":{"note":"","review_status":"Draft"},
 "templates":{"t":{"title":"{Name} circuit","meaning":"The {name} ({code}).","causes":"A; B","symptoms":"Some",
   "check_first":"Look","seriousness":"{level}"}},
 "groups":[{"system":"Powertrain","family":"sensor: xyz","vars":{"name":"xyz sensor","level":"drive"},
   "codes":{"P0002":"t","P0001":"t","P0003":{"template":"t","vars":{"name":"other sensor"},"note":"Own note"}}}]})";

} // namespace

class TestCodeContent : public QObject
{
    Q_OBJECT

    QList<QJsonObject> codes;
    QMap<QString, QJsonObject> byCode;
    QList<OBDCode> records; // the same codes as records, for the shared content rules

private slots:
    void initTestCase()
    {
        QString error = QStringLiteral("unset");
        codes = CodeContent::load(kContentDir, &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QVERIFY(!codes.isEmpty());
        for (const QJsonObject &o : codes) {
            byCode.insert(text(o, "code"), o);
            records.append(ContentRules::codeFromJson(o));
        }
    }

    // --- the loader itself -------------------------------------------------

    void loaderExpandsAndLetsHandWrittenWin()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(writeFile(dir.filePath("codes.json"), kOneWritten));
        QVERIFY(writeFile(dir.filePath("code_blocks.json"), kOneBlock));
        QString error = QStringLiteral("unset");
        const auto got = CodeContent::load(dir.path(), &error);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        QCOMPARE(got.size(), 3);
        QCOMPARE(text(got[0], "code"), QStringLiteral("P0001"));
        QCOMPARE(text(got[0], "title"), QStringLiteral("Hand title")); // hand-written wins
        QCOMPARE(text(got[1], "code"), QStringLiteral("P0002"));
        QCOMPARE(text(got[1], "title"), QStringLiteral("Xyz sensor circuit"));
        QCOMPARE(text(got[1], "meaning"), QStringLiteral("The xyz sensor (P0002)."));
        QCOMPARE(text(got[1], "seriousness"), QStringLiteral("drive"));
        QCOMPARE(text(got[1], "family"), QStringLiteral("sensor: xyz"));
        QCOMPARE(text(got[1], "note"), QString());
        QCOMPARE(text(got[2], "title"), QStringLiteral("Other sensor circuit"));
        QCOMPARE(text(got[2], "note"), QStringLiteral("Own note"));
        for (const QJsonObject &o : got)
            QCOMPARE(QStringList(o.keys()).size(), 11);
    }

    void loaderRejectsBrokenFiles_data()
    {
        QTest::addColumn<QByteArray>("written");
        QTest::addColumn<QByteArray>("blocks");
        QTest::newRow("codes not JSON") << QByteArray("[{") << kOneBlock;
        QTest::newRow("blocks not JSON") << kOneWritten << QByteArray("{\"templates\":");
        QTest::newRow("codes not an array") << QByteArray("{}") << kOneBlock;
        QTest::newRow("missing key") << QByteArray(kOneWritten).replace("\"note\":\"\",", "") << kOneBlock;
        QTest::newRow("extra key") << QByteArray(kOneWritten).replace("\"note\":\"\",", "\"note\":\"\",\"x\":\"y\",")
                                   << kOneBlock;
        QTest::newRow("number field") << QByteArray(kOneWritten).replace("\"drive\"", "3") << kOneBlock;
        QTest::newRow("bad code") << QByteArray(kOneWritten).replace("P0001", "p0001") << kOneBlock;
        QTest::newRow("duplicate written")
            << QByteArray("[") + kOneWritten.mid(1, kOneWritten.size() - 2) + "," + kOneWritten.mid(1) << kOneBlock;
        QTest::newRow("unknown template") << kOneWritten << QByteArray(kOneBlock).replace("\"P0002\":\"t\"", "\"P0002\":\"u\"");
        QTest::newRow("unknown placeholder") << kOneWritten << QByteArray(kOneBlock).replace("{code}", "{nope}");
        QTest::newRow("unknown template key") << kOneWritten << QByteArray(kOneBlock).replace("\"symptoms\":\"Some\"", "\"symptom\":\"Some\"");
        QTest::newRow("missing field") << kOneWritten << QByteArray(kOneBlock).replace("\"check_first\":\"Look\",", "");
        // The rules every finished code obeys.
        QTest::newRow("unknown family") << QByteArray(kOneWritten).replace("\"engine\"", "\"engines\"") << kOneBlock;
        QTest::newRow("thin text") << QByteArray(kOneWritten).replace("\"Some\"", "\" \"") << kOneBlock;
        QTest::newRow("one cause") << QByteArray(kOneWritten).replace("One; two", "One") << kOneBlock;
        QTest::newRow("empty cause") << QByteArray(kOneWritten).replace("One; two", "One; ") << kOneBlock;
        QTest::newRow("seriousness") << QByteArray(kOneWritten).replace("\"drive\"", "\"soon\"") << kOneBlock;
        QTest::newRow("system") << QByteArray(kOneWritten).replace("Powertrain", "Chassis") << kOneBlock;
        QTest::newRow("unfinished word") << QByteArray(kOneWritten).replace("Hand meaning", "TODO meaning") << kOneBlock;
        // What a technician checks in a code text.
        const QByteArray chassis = QByteArray(kOneWritten).replace("P0001", "C0001").replace("Powertrain", "Chassis")
                                       .replace("Hand meaning", "Makers differ");
        QTest::newRow("chassis claims every make") << QByteArray(chassis).replace("Look", "Means the same on every make")
                                                   << kOneBlock;
        QTest::newRow("chassis silent on makers") << QByteArray(chassis).replace("Makers differ", "Wheel sensor") << kOneBlock;
        QTest::newRow("engine computer in a transmission text")
            << QByteArray(kOneWritten).replace("\"engine\"", "\"transmission\"")
                   .replace("Hand meaning", "The transmission computer uses it. The engine computer sees a low signal.")
            << kOneBlock;
        QTest::newRow("5-volt supply on a knock sensor")
            << QByteArray(kOneWritten).replace("\"engine\"", "\"knock sensor\"").replace("One; two", "Wiring; 5-volt supply")
            << kOneBlock;
        QTest::newRow("open reads high on a 5-volt sensor")
            << QByteArray(kOneWritten).replace("Hand title", "Pressure sensor circuit high")
                   .replace("One; two", "Open wire (an open reads high); shared 5-volt supply")
            << kOneBlock;
        QTest::newRow("duplicate across groups")
            << kOneWritten
            << QByteArray(kOneBlock).replace("\"groups\":[", "\"groups\":[{\"system\":\"Powertrain\",\"family\":\"engine\","
                                                             "\"vars\":{\"name\":\"n\",\"level\":\"drive\"},\"codes\":{\"P0002\":\"t\"}},");
    }
    void loaderRejectsBrokenFiles()
    {
        QFETCH(QByteArray, written);
        QFETCH(QByteArray, blocks);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(writeFile(dir.filePath("codes.json"), written));
        QVERIFY(writeFile(dir.filePath("code_blocks.json"), blocks));
        QString error;
        QVERIFY(CodeContent::load(dir.path(), &error).isEmpty());
        QVERIFY(!error.isEmpty());
        QVERIFY(CodeContent::load(dir.path(), nullptr).isEmpty()); // a null error pointer is allowed
    }

    void loaderKeepsAChassisCodeThatNamesTheMakers()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(writeFile(dir.filePath("codes.json"), QByteArray(kOneWritten).replace("P0001", "C0001")
                                                          .replace("Powertrain", "Chassis")
                                                          .replace("Hand meaning", "On GM vehicles makers differ")));
        QVERIFY(writeFile(dir.filePath("code_blocks.json"), kOneBlock));
        QString error;
        QCOMPARE(CodeContent::load(dir.path(), &error).size(), 4);
        QVERIFY2(error.isEmpty(), qPrintable(error));
        const auto row = [](const char *prefix, const char *meaning) {
            return QJsonArray{QJsonObject{{"prefix", prefix}, {"kind", "group"}, {"meaning", meaning}}};
        };
        QVERIFY(!CodeContent::structureProblem(row("C0", "Generic chassis code: means the same on every make.")).isEmpty());
        QVERIFY(CodeContent::structureProblem(row("C0", "Makers do not all follow it.")).isEmpty());
        QVERIFY(CodeContent::structureProblem(row("P0", "Generic code: means the same on every make.")).isEmpty());
    }

    void loaderReportsMissingFiles()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QString error;
        QVERIFY(CodeContent::load(dir.path(), &error).isEmpty());
        QVERIFY(!error.isEmpty());
        QVERIFY(writeFile(dir.filePath("code_blocks.json"), kOneBlock));
        error.clear();
        QVERIFY(CodeContent::load(dir.path(), &error).isEmpty()); // codes.json still missing
        QVERIFY(!error.isEmpty());
    }

    // --- shape of the shipped content ----------------------------------------

    void exactlyElevenStringKeysSortedNoDuplicates()
    {
        const QStringList keys = CodeContent::keys();
        QCOMPARE(keys, QStringList({"code", "system", "family", "title", "meaning", "causes", "symptoms",
                                    "check_first", "seriousness", "note", "review_status"}));
        QString previous;
        for (const QJsonObject &o : codes) {
            QCOMPARE(o.size(), 11);
            for (const QString &k : keys)
                QVERIFY2(o.value(k).isString(), qPrintable(text(o, "code") + " " + k));
            const QString code = text(o, "code");
            QVERIFY2(code > previous, qPrintable("not sorted or duplicate: " + code));
            previous = code;
        }
        QCOMPARE(QSet<QString>(byCode.keyBegin(), byCode.keyEnd()).size(), codes.size());
    }

    // The generator's family list is the one the content rules know.
    void generatorFamiliesMatchTheContentRules()
    {
        QCOMPARE(CodeContent::families(), ContentRules::familyKeys());
        QVERIFY(CodeContent::isKnownFamily(QStringLiteral("sensor: fuel composition")));
        QVERIFY(!CodeContent::isKnownFamily(QStringLiteral("sensor: ")));
    }

    // Structure, system, family, no thin field, seriousness and review status.
    void everyCodeFollowsTheRecordRules()
    {
        const QStringList problems = ContentRules::codeProblems(records);
        QVERIFY2(problems.isEmpty(), qPrintable(ContentRules::describe(problems)));
    }

    // Counts per group, no duplicates, only generic groups.
    void theListIsCompleteAndGeneric()
    {
        const QStringList problems = ContentRules::codeListProblems(records);
        QVERIFY2(problems.isEmpty(), qPrintable(ContentRules::describe(problems)));
    }

    void codeNumbersAreRealAssignments()
    {
        // Generic codes in these ranges are decimal-numbered; a letter in the last
        // two places almost always means a code was computed with hex arithmetic.
        const QSet<QString> hexTail = {"P0A0F", "P0A7F", "P0AA1", "P0AA6", "P203F", "P20E8", "P20EE", "P2BAD", "C003A"};
        const QRegularExpression letterTail(QStringLiteral("[A-F]"));
        for (const QJsonObject &o : codes) {
            const QString code = text(o, "code");
            if (letterTail.match(code.mid(3)).hasMatch())
                QVERIFY2(hexTail.contains(code), qPrintable(code));
        }
    }

    void manyCommonCodesAreWrittenByHand()
    {
        QFile f(kContentDir + "/codes.json");
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QJsonArray written = QJsonDocument::fromJson(f.readAll()).array();
        QVERIFY2(written.size() >= 100, qPrintable(QString::number(written.size())));
        QSet<QString> hand;
        for (const QJsonValue &v : written)
            hand.insert(v.toObject().value("code").toString());
        for (const char *c : {"P0300", "P0301", "P0302", "P0303", "P0304", "P0305", "P0306", "P0307", "P0308",
                              "P0171", "P0172", "P0174", "P0175", "P0420", "P0430", "P0440", "P0442", "P0455",
                              "P0456", "P0457", "P0101", "P0128", "P0135", "P0141", "P0325", "P0335", "P0340",
                              "P0011", "P0401", "P0700", "P0121", "P2135", "U0100", "U0121", "B0001", "C0035"})
            QVERIFY2(hand.contains(c), c);
        // What the loader returns for a hand-written code is the hand-written text.
        for (const QJsonValue &v : written) {
            const QJsonObject o = v.toObject();
            QCOMPARE(byCode.value(o.value("code").toString()), o);
        }
    }

    void sensibleLengths()
    {
        for (const QJsonObject &o : codes) {
            const QString code = text(o, "code");
            for (const char *k : {"title", "meaning", "causes", "symptoms", "check_first", "seriousness"})
                QVERIFY2(!text(o, k).contains('\n'), qPrintable(code + " line break in " + k));
            const QString note = text(o, "note");
            QVERIFY2(note.isEmpty() || (note.trimmed().size() > 2 && note == note.trimmed()), qPrintable(code + " note"));
            QVERIFY2(text(o, "title").size() <= 100, qPrintable(code + " title too long"));
            QVERIFY2(!text(o, "title").endsWith('.'), qPrintable(code + " title ends with a full stop"));
            for (const char *k : {"meaning", "causes", "symptoms", "check_first", "note"})
                QVERIFY2(text(o, k).size() <= 900, qPrintable(code + " too long " + k));
            QVERIFY2(text(o, "meaning").size() >= 40, qPrintable(code + " meaning too short to explain"));
        }
    }

    void listsAndParagraphsDisplayCleanly()
    {
        // The screens split a text at ";" into bullet points, so a ";" inside
        // parentheses would break a sentence apart; a paragraph ends with a full stop.
        const QRegularExpression doubled(QStringLiteral("\\b(\\w+) \\1\\b"), QRegularExpression::CaseInsensitiveOption);
        for (const QJsonObject &o : codes) {
            const QString code = text(o, "code");
            for (const char *k : {"title", "meaning", "causes", "symptoms", "check_first", "note"}) {
                const QString v = text(o, k);
                int depth = 0;
                for (const QChar c : v) {
                    if (c == '(')
                        ++depth;
                    else if (c == ')')
                        --depth;
                    QVERIFY2(depth >= 0, qPrintable(code + " unbalanced ) in " + k));
                    QVERIFY2(!(c == ';' && depth > 0), qPrintable(code + " ; inside parentheses in " + k));
                }
                QVERIFY2(depth == 0, qPrintable(code + " unbalanced ( in " + k));
                QVERIFY2(v.count('"') % 2 == 0, qPrintable(code + " unbalanced quote in " + k));
                QVERIFY2(!doubled.match(v).hasMatch(), qPrintable(code + " doubled word in " + k + ": " + doubled.match(v).captured(0)));
            }
            const QString check = text(o, "check_first");
            if (!check.contains(';'))
                QVERIFY2(check.endsWith('.'), qPrintable(code + " check_first paragraph without full stop"));
            if (!text(o, "note").isEmpty())
                QVERIFY2(text(o, "note").endsWith('.'), qPrintable(code + " note without full stop"));
        }
    }

    void causesAreAListOfSeveral()
    {
        for (const QJsonObject &o : codes) {
            const QStringList causes = text(o, "causes").split(';');
            QVERIFY2(causes.size() >= 2, qPrintable(text(o, "code") + " needs at least two causes"));
            for (const QString &c : causes)
                QVERIFY2(c.trimmed().size() > 2, qPrintable(text(o, "code") + " empty cause"));
        }
    }

    // --- pinned codes --------------------------------------------------------

    void pinnedCodes()
    {
        const QStringList problems = ContentRules::pinnedCodeProblems([this](const QString &c) -> std::optional<OBDCode> {
            if (!byCode.contains(c))
                return std::nullopt;
            return ContentRules::codeFromJson(byCode.value(c));
        });
        QVERIFY2(problems.isEmpty(), qPrintable(ContentRules::describe(problems)));
    }

    // Chassis and body codes carry the standard's current generic meaning, not an
    // older maker's numbering (C0035-C0050 as the four wheel speed sensors),
    // which a row names only as that maker's.
    void chassisAndBodyTitlesAreTheStandards()
    {
        const QList<std::pair<const char *, const char *>> titles = {
            {"C0031", "Left front wheel speed sensor"},  {"C0034", "Right front wheel speed sensor"},
            {"C0035", "Right front wheel speed sensor supply"}, {"C0037", "Left rear wheel speed sensor"},
            {"C003A", "Right rear wheel speed sensor"}, {"C0040", "Brake pedal switch A"},
            {"C0045", "Brake pressure sensor B"}, {"C0055", "Steering wheel position sensor signal D"},
            {"B0081", "First row center seatbelt load limiter deployment control"},
        };
        for (const auto &[code, title] : titles)
            QCOMPARE(text(byCode.value(code), "title"), QString::fromUtf8(title));
        for (const char *c : {"C0035", "C0040", "C0045", "C0055", "B0081"})
            QVERIFY2(!allText(byCode.value(c)).contains("passenger presence", Qt::CaseInsensitive) &&
                         !text(byCode.value(c), "meaning").section(QLatin1String("GM"), 0, 0).contains(QLatin1String("left front")),
                     c);
        // Every transmission fluid pressure sensor/switch series is complete.
        for (const QString letter : {"A", "B", "C", "D"})
            for (const QString kind : {"", " range/performance", " low", " high", " intermittent"}) {
                const QString title = "Transmission fluid pressure sensor/switch " + letter + " circuit" + kind;
                QVERIFY2(std::any_of(codes.cbegin(), codes.cend(), [&](const QJsonObject &o) { return text(o, "title") == title; }),
                         qPrintable(title));
            }
    }

    // Where GM's chassis numbering differs from the standard's, the row gives the
    // standard's meaning and names GM's; C0050, which the standard leaves
    // unassigned, is GM's own.
    void chassisCodesNameWhereMakersDiffer()
    {
        const QList<std::pair<const char *, const char *>> gm = {
            {"C0035", "left front wheel speed sensor"}, {"C0040", "right front wheel speed sensor"},
            {"C0045", "left rear wheel speed sensor"}, {"C0050", "right rear wheel speed sensor"}};
        for (const auto &[code, part] : gm) {
            const QString meaning = text(byCode.value(code), "meaning");
            QVERIFY2(meaning.contains("GM vehicles") && meaning.contains(QLatin1String(part)), code);
        }
        QVERIFY(text(byCode.value("C0050"), "meaning").contains("unassigned"));
        QVERIFY(text(byCode.value("C0035"), "check_first").contains("left front wheel"));
    }

    // Each circuit type gets the causes that can produce its code: an open reads
    // low on a three-wire 5-volt sensor and high on a two-wire sensor fed
    // through a resistor; a part without a 5-volt supply is never blamed on one.
    void causesFitTheCircuitType()
    {
        for (const char *c : {"P0107", "P0122", "P0192", "P0237", "P0452", "P2228"})
            QVERIFY2(text(byCode.value(c), "causes").contains(QRegularExpression("unplugged|broken (signal|5-volt)", QRegularExpression::CaseInsensitiveOption)), c);
        for (const char *c : {"P0108", "P0123", "P0193", "P0238", "P0453", "P2229"}) {
            const QString causes = text(byCode.value(c), "causes");
            QVERIFY2(!causes.contains("unplugged", Qt::CaseInsensitive) && causes.contains("ground wire"), c);
        }
        const QList<std::pair<const char *, const char *>> twoWire = {
            {"P0073", "P0072"}, {"P0113", "P0112"}, {"P0183", "P0182"}, {"P0198", "P0197"}, {"P0713", "P0712"}};
        for (const auto &[high, low] : twoWire) {
            QVERIFY2(text(byCode.value(high), "causes").startsWith("Unplugged connector or broken wire"), high);
            QVERIFY2(!text(byCode.value(low), "causes").contains("nplugged"), low);
        }
        for (const char *c : {"P0414", "P0417", "P0445", "P0448"}) // an open sets the "circuit open" code
            QVERIFY2(!text(byCode.value(c), "causes").contains(QRegularExpression("unplugged|broken", QRegularExpression::CaseInsensitiveOption)), c);
        for (const char *c : {"P0330", "P0840", "P0845", "P0870", "P0875"})
            QVERIFY2(!allText(byCode.value(c)).contains("5-volt"), c);
        for (const char *c : {"P0710", "P0791", "P0840", "P0880", "P0961", "P0972"})
            QVERIFY2(!text(byCode.value(c), "meaning").contains("engine computer"), c);
    }

    // One glow plug's code names that plug's circuit, not the shared supply;
    // rows a technician found wrong stay mended.
    void singleRowsReadRight()
    {
        for (int cyl = 1; cyl <= 12; ++cyl) {
            const QJsonObject o = byCode.value(QStringLiteral("P%1").arg(670 + cyl, 4, 10, QLatin1Char('0')));
            QVERIFY2(text(o, "causes").contains(QStringLiteral("cylinder %1").arg(cyl)) && !text(o, "causes").contains("fuse"),
                     qPrintable(text(o, "code")));
        }
        QVERIFY(!text(byCode.value("P0297"), "causes").contains("larger"));
        QVERIFY(!text(byCode.value("P0177"), "causes").contains("fuel just added"));
        QVERIFY(text(byCode.value("P0532"), "causes").contains("refrigerant"));
    }

    // --- the right family and seriousness for well-known code ranges ------------

    void rangesHaveTheirFamilies()
    {
        struct Range
        {
            const char *from, *to;
            QStringList families;
        };
        const QList<Range> ranges = {
            {"P0300", "P0312", {"misfire"}},
            {"P0130", "P0167", {"oxygen sensor", "oxygen sensor heater"}},
            {"P0030", "P0032", {"oxygen sensor heater"}},
            {"P0036", "P0038", {"oxygen sensor heater"}},
            {"P0033", "P0035", {"turbo / supercharger"}},
            {"P0050", "P0058", {"oxygen sensor heater"}},
            {"P0201", "P0212", {"injector"}},
            {"P0230", "P0232", {"fuel pump"}},
            {"P0325", "P0334", {"knock sensor"}},
            {"P0335", "P0349", {"crank / cam sensor"}},
            {"P0351", "P0362", {"ignition coil"}},
            {"P0400", "P0409", {"EGR"}},
            {"P0410", "P0419", {"secondary air"}},
            {"P0420", "P0439", {"catalyst"}},
            {"P0440", "P0457", {"EVAP"}},
            {"P0171", "P0175", {"fuel trim"}},
            {"P0010", "P0025", {"variable valve timing"}},
            {"P0016", "P0019", {"timing"}},
            {"P0101", "P0104", {"air metering"}},
            {"P0116", "P0119", {"cooling"}},
            {"P0125", "P0126", {"cooling"}},
            {"P0128", "P0128", {"cooling"}},
            {"P0217", "P0217", {"cooling"}},
            {"P0480", "P0485", {"cooling fan"}},
            {"P0520", "P0524", {"oil pressure"}},
            {"P0560", "P0563", {"charging"}},
            {"P0600", "P0610", {"engine computer"}},
            {"P0700", "P0700", {"transmission", "transmission computer"}},
            {"P0705", "P0718", {"transmission", "transmission computer"}},
            {"P0720", "P0723", {"transmission", "transmission computer"}},
            {"P0725", "P0799", {"transmission", "transmission computer"}},
            {"P0571", "P0573", {"brake switch"}},
            {"P0719", "P0719", {"brake switch"}},
            {"P0724", "P0724", {"brake switch"}},
            {"P0A00", "P0AFF", {"hybrid / EV"}},
            {"P2135", "P2138", {"electronic throttle"}},
            {"P2195", "P2198", {"oxygen sensor"}},
            {"P2096", "P2099", {"fuel trim"}},
            {"U0001", "U0FFF", {"network"}},
            {"B0001", "B00FF", {"airbag (SRS)"}},
        };
        for (const Range &r : ranges) {
            for (const QJsonObject &o : codes) {
                const QString code = text(o, "code");
                if (!inRange(code, r.from, r.to))
                    continue;
                if (QString(r.from) == "P0010" && inRange(code, "P0016", "P0019"))
                    continue; // cam/crank correlation is a timing code
                if (QString(r.from) == "P0130" && inRange(code, "P0148", "P0149"))
                    continue; // fuel delivery and fuel timing errors sit among the oxygen sensor codes
                QVERIFY2(r.families.contains(text(o, "family")),
                         qPrintable(code + " has family " + text(o, "family")));
            }
        }
    }

    void seriousnessFitsTheRisk()
    {
        for (const QJsonObject &o : codes) {
            const QString code = text(o, "code");
            const QString level = text(o, "seriousness");
            const QString f = text(o, "family");
            const QString t = text(o, "title").toLower();
            // Misfires: unburned fuel can overheat the converter and start a fire.
            if (f == "misfire" && t.contains("misfire detected"))
                QVERIFY2(level == "stop", qPrintable(code));
            // Overheating and low oil pressure destroy an engine.
            if (t.contains("overtemperature") || t.contains("overheat"))
                QVERIFY2(level == "stop", qPrintable(code));
            if (f == "oil pressure" && t.contains("too low"))
                QVERIFY2(level == "stop", qPrintable(code));
            // Brakes, steering and airbags are never "just drive".
            if (f == "ABS / chassis" || f == "steering" || f == "airbag (SRS)")
                QVERIFY2(level != "drive", qPrintable(code));
            // Every seriousness "stop" explains why in a note and tells the owner to stop or tow.
            if (level == "stop") {
                static const QRegularExpression stopWords(
                    QStringLiteral("stop driving|do not drive|don't drive|towed|pull over|stop the engine"),
                    QRegularExpression::CaseInsensitiveOption);
                QVERIFY2(stopWords.match(text(o, "note")).hasMatch(), qPrintable(code + " is stop but its note doesn't say stop or tow"));
            }
        }
        QCOMPARE(text(byCode["P0455"], "seriousness"), QStringLiteral("drive"));
    }

    // A switched (ground-side) control circuit reads high on a short to power;
    // an open circuit sets the open or low code, so a "high" code never blames one.
    void controlCircuitHighMeansShortToPower()
    {
        const QRegularExpression high(QStringLiteral("(control|injector|actuator).*circuit high"),
                                      QRegularExpression::CaseInsensitiveOption);
        const QRegularExpression open(QStringLiteral("\\b(open|broken|unplugged)\\b"), QRegularExpression::CaseInsensitiveOption);
        int seen = 0;
        for (const QJsonObject &o : codes) {
            const QString title = text(o, "title");
            if (!high.match(title).hasMatch() || title.contains(QLatin1String("sensor")))
                continue;
            ++seen;
            QVERIFY2(!open.match(text(o, "causes")).hasMatch(), qPrintable(text(o, "code") + " blames an open circuit"));
            QVERIFY2(text(o, "meaning").contains(QLatin1String("short")), qPrintable(text(o, "code") + " meaning"));
        }
        QVERIFY(seen >= 40);
    }

    // --- wording -----------------------------------------------------------------

    void wordingRules()
    {
        for (const QJsonObject &o : codes) {
            const QString code = text(o, "code");
            const QString all = allText(o);
            const QString lower = all.toLower();
            QVERIFY2(!lower.contains("fail"), qPrintable(code + ": fail"));
            QVERIFY2(!lower.contains("reliab"), qPrintable(code + ": reliab"));
            QStringList problems;
            for (const char *k : {"title", "meaning", "causes", "symptoms", "check_first", "seriousness", "note"})
                problems << ContentRules::wordingProblems(code + ' ' + k, text(o, k));
            QVERIFY2(problems.isEmpty(), qPrintable(ContentRules::describe(problems)));
            // Plain words: no leftover placeholder or markup.
            QVERIFY2(!all.contains('{') && !all.contains('}') && !all.contains('<') && !all.contains('_'),
                     qPrintable(code));
            QVERIFY2(!all.contains("--") && !all.contains("..") && !all.contains(" ,") && !all.contains(" ."),
                     qPrintable(code + " punctuation"));
            // Owners read this: the meaning is written as sentences.
            QVERIFY2(text(o, "meaning").endsWith('.'), qPrintable(code + " meaning must end with a full stop"));
            for (const char *k : {"title", "meaning", "causes", "symptoms", "check_first", "note"}) {
                const QString v = text(o, k);
                QVERIFY2(v.isEmpty() || v.at(0).isUpper() || v.at(0).isDigit() || v.at(0) == '\'',
                         qPrintable(code + " " + k + " starts in lower case"));
            }
        }
    }

    void safetyWarningsGoWithRiskyAdvice()
    {
        for (const QJsonObject &o : codes) {
            const QString code = text(o, "code");
            const QString advice = (text(o, "check_first") + ' ' + text(o, "note")).toLower();
            const QString all = allText(o).toLower();
            const QString f = text(o, "family");
            // Hybrid high voltage.
            if (f == "hybrid / EV" || all.contains("high-voltage") || all.contains("hybrid"))
                QVERIFY2(advice.contains("orange") && advice.contains("trained"), qPrintable(code + ": high voltage"));
            // Airbags.
            if (f == "airbag (SRS)")
                QVERIFY2(advice.contains("professional") && advice.contains("do not"), qPrintable(code + ": airbag"));
            // Hot coolant.
            if (advice.contains("coolant level") || advice.contains("radiator cap") || advice.contains("coolant reservoir"))
                QVERIFY2(advice.contains("cold") || advice.contains("cool down") || advice.contains("cooled"),
                         qPrintable(code + ": hot coolant"));
            // Fuel.
            static const QStringList fuel = {"fuel leak", "fuel smell", "smell of fuel", "fuel line", "raw fuel",
                                             "fuel dripping", "wet fuel", "measure the fuel pressure",
                                             "fuel pressure test", "smell fuel"};
            bool fuelRisk = false;
            for (const QString &w : fuel)
                fuelRisk = fuelRisk || advice.contains(w);
            if (fuelRisk)
                QVERIFY2(advice.contains("spark") || advice.contains("flame") || advice.contains("smok"),
                         qPrintable(code + ": fuel"));
            // Working under the car.
            static const QStringList lifting = {"jack", "raise the car", "raise the vehicle", "lift the car",
                                                "lift the vehicle", "lifting", "get under", "crawl under", "lifted"};
            bool lifts = false;
            for (const QString &w : lifting)
                lifts = lifts || advice.contains(w);
            if (lifts)
                QVERIFY2(advice.contains("jack stands") || advice.contains("ramps") || advice.contains("shop"),
                         qPrintable(code + ": lifting"));
        }
    }

    // --- obd_structure rows --------------------------------------------------------

    void structureRows()
    {
        QFile f(kContentDir + "/structure.json");
        QVERIFY(f.open(QIODevice::ReadOnly));
        QJsonParseError pe{};
        const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &pe);
        QCOMPARE(pe.error, QJsonParseError::NoError);
        QVERIFY(doc.isArray());
        QVERIFY2(CodeContent::structureProblem(doc.array()).isEmpty(), qPrintable(CodeContent::structureProblem(doc.array())));
        QMap<QString, QString> rows; // first row per prefix wins, as in the look-up
        QSet<QString> seen;
        for (const QJsonValue &v : doc.array()) {
            QVERIFY(v.isObject());
            const QJsonObject o = v.toObject();
            QCOMPARE(o.size(), 3);
            for (const char *k : {"prefix", "kind", "meaning"})
                QVERIFY(o.value(QLatin1String(k)).isString());
            QVERIFY(!text(o, "prefix").isEmpty());
            QVERIFY(text(o, "kind").size() > 2 && text(o, "meaning").size() > 20);
            const QString p = text(o, "prefix");
            QVERIFY2(!seen.contains(p), qPrintable("duplicate prefix " + p));
            seen.insert(p);
            rows.insert(p, text(o, "meaning"));
            const QStringList problems = ContentRules::wordingProblems("structure " + p, text(o, "meaning"));
            QVERIFY2(problems.isEmpty(), qPrintable(ContentRules::describe(problems)));
        }
        for (const QString l : {"P", "B", "C", "U"}) {
            QVERIFY2(rows.contains(l), qPrintable(l));
            for (const QString d : {"0", "1", "2", "3"})
                QVERIFY2(rows.contains(l + d), qPrintable(l + d));
        }
        for (const QChar c : QStringLiteral("0123456789A"))
            QVERIFY2(rows.contains(QStringLiteral("P0%1/P2%1").arg(c)), qPrintable(QString(c)));

        // The look-up: letter, letter and digit, then third character of a P code.
        auto explain = [&](const QString &code) {
            QStringList lines;
            if (rows.contains(code.left(1)))
                lines << code.left(1) + ": " + rows[code.left(1)];
            if (rows.contains(code.left(2)))
                lines << code.left(2) + ": " + rows[code.left(2)];
            const QString third = QStringLiteral("P0%1/P2%1").arg(code.at(2));
            if (code.startsWith('P') && rows.contains(third))
                lines << "Third character " + code.mid(2, 1) + ": " + rows[third];
            return lines;
        };
        QVERIFY(explain("P1234").join(QString()).contains("vehicle maker"));
        QCOMPARE(explain("P1234").size(), 3);
        QCOMPARE(explain("P0A1F").size(), 3);
        for (const char *maker : {"B1234", "C1234", "U1234", "B2234", "C2234", "U2234", "P3000"})
            QVERIFY2(explain(maker).join(QString()).contains("vehicle maker"), maker);
        QVERIFY(!explain("P0300").join(QString()).contains("vehicle maker"));
        QCOMPARE(explain("U0100").size(), 2);
    }
};

QTEST_GUILESS_MAIN(TestCodeContent)
#include "test_codecontent.moc"
