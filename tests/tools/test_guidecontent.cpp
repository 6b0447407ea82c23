// Checks the hand-written guide content read straight from its JSON files:
// guides.json, safety.json, sources.json, obd1.json, eras.json and refs.json.
// Every check collects all the problems it finds, so one run lists them all.
// The content rules themselves are shared with the test of the generated
// database (support/contentrules.h); this test adds the file format and the
// finer wording of the files.
#include "guidecontent.h"
#include "support/contentrules.h"

#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonValue>
#include <QList>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>
#include <QTest>
#include <QUrl>

#include <algorithm>
#include <functional>
#include <utility>

// A change to a small guide's steps.
using TreeChange = std::function<void(QJsonArray &nodes)>;
Q_DECLARE_METATYPE(TreeChange)

namespace {

// A guide whose text mentions one of these must cite the matching safety note.
const QList<std::pair<QString, QString>> kHazardWords = {
    {QStringLiteral("\\b(hybrids?|electric vehicles?|high[- ]voltage)\\b"), QStringLiteral("hv")},
    {QStringLiteral("\\bairbags?\\b"), QStringLiteral("airbag")},
    {QStringLiteral("\\b(coolant(?! temperature)|antifreeze|radiator cap)\\b"), QStringLiteral("coolant")},
    {QStringLiteral("\\b(jack|jacks|jack stands?|jacking)\\b"), QStringLiteral("jack")},
    {QStringLiteral("\\b(gasoline|fuel leaks?|fuel lines?|carburetor cleaner|starting fluid)\\b"),
     QStringLiteral("fuel")},
    {QStringLiteral("\\b(battery clamps?|battery posts?|battery terminals?|jump-start|jumper cables?)\\b"),
     QStringLiteral("battery")},
    {QStringLiteral("\\b(carbon monoxide|exhaust inside)\\b"), QStringLiteral("co")},
    {QStringLiteral("\\b(refrigerant)\\b"), QStringLiteral("refrigerant")},
    {QStringLiteral("\\b(spark tester|ignition voltage|plug wires?)\\b"), QStringLiteral("ignition")},
};

QString fail(const QStringList &problems) { return ContentRules::describe(problems); }

// A JSON list of non-empty strings, or a problem text.
QStringList stringList(const QJsonValue &v, const QString &where, QStringList &problems) {
    QStringList out;
    if (!v.isArray()) {
        problems << where + QStringLiteral(": not a list");
        return out;
    }
    for (const QJsonValue &item : v.toArray()) {
        if (!item.isString() || item.toString().trimmed().isEmpty())
            problems << where + QStringLiteral(": holds an empty or non-text entry");
        else
            out << item.toString();
    }
    return out;
}

// Keys of an object compared with the expected column list.
void checkKeys(const QJsonObject &o, const QStringList &keys, const QString &where, QStringList &problems) {
    QStringList have = o.keys();
    QStringList want = keys;
    have.sort();
    want.sort();
    if (have != want)
        problems << where + QStringLiteral(": keys are [") + have.join(',') + QStringLiteral("], expected [") +
                        want.join(',') + ']';
}

// The steps reached from `from`; at a question `gate` accepts, only its Yes is followed.
QSet<QString> reach(const Guide &g, const QString &from, const std::function<bool(const GuideNode &)> &gate = {}) {
    QSet<QString> seen;
    QStringList todo{from};
    while (!todo.isEmpty()) {
        const std::optional<GuideNode> n = g.node(todo.takeLast());
        if (!n || seen.contains(n->nodeID)) continue;
        seen.insert(n->nodeID);
        if (n->yes) todo << *n->yes;
        if (n->no && !(gate && n->kind == "q" && gate(*n))) todo << *n->no;
    }
    return seen;
}

bool has(const GuideNode &n, const QString &pattern) {
    return (n.text + ' ' + n.detail).contains(QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption));
}

// A small sound tree for the generator's check: start -> a (do) -> b or c.
QJsonArray smallGuide(const TreeChange &change) {
    auto step = [](const char *id, const char *kind, const QJsonValue &yes, const QJsonValue &no) {
        return QJsonObject{{"node_id", id}, {"kind", kind}, {"text", "Step"}, {"detail", "Do this."},
                           {"yes_node", yes}, {"no_node", no}};
    };
    QJsonArray nodes{step("start", "q", "a", "c"), step("a", "do", "b", QJsonValue()),
                     step("b", "end", QJsonValue(), QJsonValue()), step("c", "end", QJsonValue(), QJsonValue())};
    change(nodes);
    return {QJsonObject{{"id", "g"}, {"safety", QJsonArray{"s"}}, {"sources", QJsonArray{"r"}}, {"nodes", nodes}}};
}

}  // namespace

class TestGuideContent : public QObject {
    Q_OBJECT

    QJsonArray guides_, safety_, sources_, obd1_, eras_, refs_;
    QHash<QString, QJsonObject> safetyById_, sourceById_;
    // The same content as records, for the shared content rules.
    QList<Guide> guideRecords_;
    QHash<QString, SafetyNote> safetyRecords_;
    QHash<QString, SourceRef> sourceRecords_;
    QList<OBD1Section> obd1Records_;
    QList<EraNote> eraRecords_;

    static QJsonArray load(const QString &name) {
        QString error;
        const QJsonArray array = ContentRules::readArray(name, &error);
        if (!error.isEmpty()) qWarning("%s", qPrintable(error));
        return array;
    }

    // Every text an owner can read, one entry per field, with where it is.
    QList<std::pair<QString, QString>> ownerTexts() const {
        QList<std::pair<QString, QString>> out;
        for (const QJsonValue &gv : guides_) {
            const QJsonObject g = gv.toObject();
            const QString id = g.value("id").toString();
            for (const char *k : {"system", "title", "summary"})
                out.append({id + '.' + k, g.value(k).toString()});
            for (const QJsonValue &p : g.value("pro_when").toArray()) out.append({id + ".pro_when", p.toString()});
            for (const QJsonValue &nv : g.value("nodes").toArray()) {
                const QJsonObject n = nv.toObject();
                const QString where = id + '/' + n.value("node_id").toString();
                out.append({where + ".text", n.value("text").toString()});
                out.append({where + ".detail", n.value("detail").toString()});
            }
        }
        for (const QJsonValue &v : safety_) {
            const QJsonObject s = v.toObject();
            out.append({"safety " + s.value("id").toString() + ".title", s.value("title").toString()});
            out.append({"safety " + s.value("id").toString() + ".text", s.value("text").toString()});
        }
        for (const QJsonValue &v : sources_) {
            const QJsonObject s = v.toObject();
            out.append({"source " + s.value("source_id").toString() + ".title", s.value("title").toString()});
            out.append({"source " + s.value("source_id").toString() + ".publisher", s.value("publisher").toString()});
        }
        for (const QJsonValue &v : obd1_) {
            const QJsonObject s = v.toObject();
            const QString id = "obd1 " + s.value("id").toString();
            for (const char *k : {"makes", "years", "system", "connector", "reading", "clearing", "notes"})
                out.append({id + '.' + k, s.value(k).toString()});
            for (const QJsonValue &st : s.value("steps").toArray()) out.append({id + ".steps", st.toString()});
        }
        for (const QJsonValue &v : eras_) {
            const QJsonObject e = v.toObject();
            out.append({"era " + e.value("years").toString(), e.value("note").toString()});
        }
        for (const QJsonValue &v : refs_) {
            const QJsonObject r = v.toObject();
            const QString id = "ref " + QString::number(r.value("ref_id").toInt());
            for (const char *k : {"title", "publisher", "use_for", "allowed_use"})
                out.append({id + '.' + k, r.value(k).toString()});
        }
        return out;
    }

private slots:
    void initTestCase() {
        guides_ = load("guides.json");
        safety_ = load("safety.json");
        sources_ = load("sources.json");
        obd1_ = load("obd1.json");
        eras_ = load("eras.json");
        refs_ = load("refs.json");
        QVERIFY2(!guides_.isEmpty(), "guides.json missing, broken or empty");
        QVERIFY2(!safety_.isEmpty(), "safety.json missing, broken or empty");
        QVERIFY2(!sources_.isEmpty(), "sources.json missing, broken or empty");
        QVERIFY2(!obd1_.isEmpty(), "obd1.json missing, broken or empty");
        QVERIFY2(!eras_.isEmpty(), "eras.json missing, broken or empty");
        QVERIFY2(!refs_.isEmpty(), "refs.json missing, broken or empty");
        for (const QJsonValue &v : safety_) safetyById_.insert(v.toObject().value("id").toString(), v.toObject());
        for (const QJsonValue &v : sources_)
            sourceById_.insert(v.toObject().value("source_id").toString(), v.toObject());
        for (const QJsonValue &v : guides_) guideRecords_ << ContentRules::guideFromJson(v.toObject());
        for (const QJsonValue &v : safety_) {
            const SafetyNote note = ContentRules::safetyFromJson(v.toObject());
            safetyRecords_.insert(note.id, note);
        }
        for (const QJsonValue &v : sources_) {
            const SourceRef source = ContentRules::sourceFromJson(v.toObject());
            sourceRecords_.insert(source.id, source);
        }
        for (const QJsonValue &v : obd1_) obd1Records_ << ContentRules::obd1FromJson(v.toObject());
        for (const QJsonValue &v : eras_) eraRecords_ << ContentRules::eraFromJson(v.toObject());
    }

    // The rows carry exactly the columns of their tables, with the right JSON types.
    void rowShapes() {
        QStringList problems;
        for (int i = 0; i < guides_.size(); ++i) {
            const QJsonObject g = guides_.at(i).toObject();
            const QString where = "guide #" + QString::number(i);
            checkKeys(g, {"id", "system", "title", "summary", "safety", "pro_when", "sources", "nodes"}, where,
                      problems);
            for (const char *k : {"id", "system", "title", "summary"})
                if (!g.value(k).isString()) problems << where + ": " + k + " is not text";
            for (const char *k : {"safety", "pro_when", "sources", "nodes"})
                if (!g.value(k).isArray()) problems << where + ": " + k + " is not a list";
            for (const char *k : {"safety", "pro_when", "sources"}) stringList(g.value(k), where + '.' + k, problems);
            for (const QJsonValue &nv : g.value("nodes").toArray()) {
                const QJsonObject n = nv.toObject();
                const QString nw = where + '/' + n.value("node_id").toString();
                checkKeys(n, {"node_id", "kind", "text", "detail", "yes_node", "no_node"}, nw, problems);
                for (const char *k : {"node_id", "kind", "text", "detail"})
                    if (!n.value(k).isString()) problems << nw + ": " + k + " is not text";
                for (const char *k : {"yes_node", "no_node"})
                    if (!n.value(k).isString() && !n.value(k).isNull())
                        problems << nw + ": " + k + " is neither text nor null";
            }
        }
        for (const QJsonValue &v : safety_) {
            const QJsonObject s = v.toObject();
            checkKeys(s, {"id", "title", "text", "source_id"}, "safety " + s.value("id").toString(), problems);
        }
        for (const QJsonValue &v : sources_) {
            const QJsonObject s = v.toObject();
            checkKeys(s, {"source_id", "title", "publisher", "url"}, "source " + s.value("source_id").toString(),
                      problems);
        }
        for (const QJsonValue &v : obd1_) {
            const QJsonObject s = v.toObject();
            checkKeys(s,
                      {"id", "makes", "years", "system", "connector", "steps", "reading", "clearing", "notes",
                       "sources"},
                      "obd1 " + s.value("id").toString(), problems);
            for (const char *k : {"steps", "sources"})
                stringList(s.value(k), "obd1 " + s.value("id").toString() + '.' + k, problems);
        }
        for (const QJsonValue &v : eras_) checkKeys(v.toObject(), {"years", "note"}, "era", problems);
        for (const QJsonValue &v : refs_)
            checkKeys(v.toObject(), {"ref_id", "title", "url", "publisher", "use_for", "allowed_use"}, "ref",
                      problems);
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    // The expected guides once each, enough steps, the overheating walk, owner-style titles.
    void guideList() {
        QStringList problems = ContentRules::guideListProblems(guideRecords_);
        for (const Guide &g : std::as_const(guideRecords_))
            if (g.id == "rough-idle" && !g.title.startsWith("Rough idle"))
                problems << "rough-idle title should start with \"Rough idle\": " + g.title;
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    // Every guide is a sound Yes/No tree: step rules and every path walked from the start.
    void guideTrees() {
        QStringList problems;
        for (const Guide &g : std::as_const(guideRecords_)) problems << ContentRules::guideTreeProblems(g);
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    // Each guide cites safety notes, see-a-professional points and https sources that exist.
    void guideCitations() {
        const QStringList problems = ContentRules::citationProblems(guideRecords_, safetyRecords_, sourceRecords_);
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    // Safety notes: unique ids, real text, and a source that exists when one is named.
    void safetyNotes() {
        QStringList problems;
        QSet<QString> ids;
        for (const QJsonValue &v : safety_) {
            const QJsonObject s = v.toObject();
            const QString id = s.value("id").toString();
            if (id.isEmpty() || ids.contains(id)) problems << "safety id empty or repeated: " + id;
            ids.insert(id);
            if (s.value("title").toString().trimmed().size() < 4) problems << id + ": title";
            if (s.value("text").toString().trimmed().size() < 80) problems << id + ": text too short to be useful";
            const QJsonValue src = s.value("source_id");
            if (!src.isNull() && !(src.isString() && sourceById_.contains(src.toString())))
                problems << id + ": source_id must be null or a known source";
        }
        problems << ContentRules::safetyAndSourceProblems(safetyRecords_, sourceRecords_);
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    // Sources: unique ids, addresses of public (.gov) bodies, each one used
    // (https addresses: safetyNotes).
    void sourceList() {
        QStringList problems;
        QSet<QString> ids, urls, used;
        for (const QJsonValue &v : sources_) {
            const QJsonObject s = v.toObject();
            const QString id = s.value("source_id").toString();
            const QString url = s.value("url").toString();
            if (id.isEmpty() || ids.contains(id)) problems << "source id empty or repeated: " + id;
            ids.insert(id);
            if (urls.contains(url)) problems << id + ": same address as another source";
            urls.insert(url);
            if (s.value("title").toString().trimmed().size() < 4) problems << id + ": title";
            if (s.value("publisher").toString().trimmed().size() < 3) problems << id + ": publisher";
            if (!QUrl(url).host().endsWith(".gov")) problems << id + ": not a public (.gov) body: " + url;
        }
        for (const QJsonValue &gv : guides_)
            for (const QJsonValue &s : gv.toObject().value("sources").toArray()) used.insert(s.toString());
        for (const QJsonValue &v : safety_)
            if (v.toObject().value("source_id").isString()) used.insert(v.toObject().value("source_id").toString());
        for (const QJsonValue &v : obd1_)
            for (const QJsonValue &s : v.toObject().value("sources").toArray()) used.insert(s.toString());
        for (const QString &id : std::as_const(ids))
            if (!used.contains(id)) problems << id + ": source is never cited";
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    // OBD-I: every promised section, complete, with sources and the real procedures.
    void obd1Sections() {
        QStringList problems = ContentRules::obd1Problems(obd1Records_, sourceRecords_);
        QHash<QString, QJsonObject> byId;
        for (const QJsonValue &v : obd1_) {
            const QString id = v.toObject().value("id").toString();
            if (byId.contains(id)) problems << "obd1 id repeated: " + id;
            byId.insert(id, v.toObject());
        }
        for (auto it = byId.constBegin(); it != byId.constEnd(); ++it) {
            const QString id = it.key();
            const QJsonObject s = it.value();
            for (const char *k : {"makes", "years", "system", "connector", "reading", "clearing", "notes"})
                if (s.value(k).toString().trimmed().size() < 3) problems << id + ": empty " + k;
            if (s.value("steps").toArray().size() < 3) problems << id + ": fewer than 3 numbered steps";
            const QString years = s.value("years").toString();
            static const QRegularExpression yearsRe(QStringLiteral("^(19[789]\\d|20[0-2]\\d)\u2013(19[789]\\d|20[0-2]\\d)$"));
            if (!yearsRe.match(years).hasMatch()) problems << id + ": years should read like 1981\u20131995: " + years;
        }
        if (byId.contains("pre-computer") &&
            byId.value("pre-computer").value("years").toString() != ContentRules::eraYears().at(0))
            problems << "pre-computer: years must be 1970\u20131980";

        // The real procedures of each system, by their key terms.
        const QList<std::pair<QString, QStringList>> terms = {
            {"gm", {"ALDL", "terminal A", "B", "code 12", "Check Engine", "fuse", "climate control"}},
            {"ford", {"EEC-IV", "self-test", "STAR", "voltmeter", "STI", "signal-return", "11", "Mazda"}},
            {"chrysler", {"ON, OFF, ON, OFF, ON", "55", "don't start the engine"}},
            {"toyota", {"TE1", "T and E1", "DIAGNOSIS", "EFI fuse"}},
            {"honda", {"LED", "service check connector", "BACK UP", "long flashes"}},
            {"nissan", {"mode selector", "Mode II", "Mode III", "red", "green", "55", "clockwise", "counterclockwise"}},
            {"general", {"16-pin", "OBD-II", "flashes"}},
            {"pre-computer", {"timing light", "choke", "vacuum", "emissions label"}},
        };
        for (const auto &[id, words] : terms) {
            if (!byId.contains(id)) continue;
            const QJsonObject s = byId.value(id);
            QString all;
            for (const char *k : {"makes", "system", "connector", "reading", "clearing", "notes"})
                all += s.value(k).toString() + '\n';
            for (const QJsonValue &st : s.value("steps").toArray()) all += st.toString() + '\n';
            for (const QString &w : words)
                if (!all.contains(w)) problems << id + ": procedure text lacks \"" + w + '"';
        }
        // Sections that use a jumper must say not to bridge other terminals, and to remove it.
        for (const QString &id : {QStringLiteral("gm"), QStringLiteral("toyota")}) {
            const QString steps = QJsonDocument(byId.value(id).value("steps").toArray()).toJson();
            if (!steps.contains("Don't connect any other terminals") || !steps.contains("remove the jumper"))
                problems << id + ": jumper steps must warn about other terminals and removing the jumper";
        }
        // Sections that open panels near the computer must warn about airbag wiring.
        for (const QString &id : {QStringLiteral("honda"), QStringLiteral("nissan")}) {
            const QString steps = QJsonDocument(byId.value(id).value("steps").toArray()).toJson();
            if (!steps.contains("airbag")) problems << id + ": steps must warn about airbag connectors";
        }
        // The engine-running Ford test must carry its moving-parts caution.
        if (!byId.value("ford").value("reading").toString().contains("clear of the fan"))
            problems << "ford: engine-running test needs its fan and belt caution";
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    // Exactly the three diagnostic eras, in order, with en dashes.
    void eras() {
        const QStringList problems = ContentRules::eraProblems(eraRecords_);
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    // Public reference links: integer ids, unique, https, every field filled.
    void refs() {
        QStringList problems;
        QSet<int> ids;
        QVERIFY2(refs_.size() >= 3, "want a handful of public reference links");
        for (const QJsonValue &v : refs_) {
            const QJsonObject r = v.toObject();
            const QJsonValue idv = r.value("ref_id");
            const int id = idv.toInt(-1);
            if (!idv.isDouble() || idv.toDouble() != id || id <= 0) problems << "ref_id must be a positive integer";
            if (ids.contains(id)) problems << "ref_id repeated: " + QString::number(id);
            ids.insert(id);
            for (const char *k : {"title", "url", "publisher", "use_for", "allowed_use"})
                if (r.value(k).toString().trimmed().size() < 3) problems << QString::number(id) + ": empty " + k;
            const QUrl u(r.value("url").toString(), QUrl::StrictMode);
            if (!r.value("url").toString().startsWith("https://") || !u.isValid() || !u.host().endsWith(".gov"))
                problems << QString::number(id) + ": not a public https address";
        }
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    // Wording over every owner-facing text.
    void wording() {
        QStringList problems;
        for (const auto &[where, text] : ownerTexts()) problems << ContentRules::wordingProblems(where, text);
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    // A “…” guide reference names the start of a real guide title.
    void guideCrossReferences() {
        QStringList titles, problems;
        for (const QJsonValue &gv : guides_) titles << gv.toObject().value("title").toString();
        static const QRegularExpression ref(QStringLiteral("\u201C([^\u201D]+)\u201D guide"));
        int found = 0;
        for (const auto &[where, text] : ownerTexts()) {
            auto it = ref.globalMatch(text);
            while (it.hasNext()) {
                const QString name = it.next().captured(1);
                ++found;
                bool ok = false;
                for (const QString &t : std::as_const(titles))
                    if (t.startsWith(name)) ok = true;
                if (!ok) problems << where + ": refers to a guide \"" + name + "\" that does not exist";
            }
        }
        QVERIFY2(found > 0, "expected guides to point to each other");
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    // The generator refuses a guide whose answers lead nowhere, loop or skip a step.
    void generatorRefusesBrokenTrees_data() {
        using Change = TreeChange;
        QTest::addColumn<Change>("change");
        QTest::addColumn<QString>("problem");
        auto set = [](int i, const char *key, const QJsonValue &v) {
            return Change([=](QJsonArray &n) { QJsonObject o = n[i].toObject(); o[key] = v; n[i] = o; });
        };
        QTest::newRow("sound") << Change([](QJsonArray &) {}) << QString();
        QTest::newRow("loop") << set(1, "yes_node", "start") << "g/a: leads back to start (a loop)";
        QTest::newRow("missing step") << set(1, "yes_node", "z") << "g/a: leads to the missing step z";
        QTest::newRow("question without No") << set(0, "no_node", QJsonValue()) << "g/start: a question needs both";
        QTest::newRow("same answers") << set(0, "no_node", "a") << "g/start: Yes and No lead to the same step";
        QTest::newRow("action that branches") << set(1, "no_node", "c") << "g/a: an action needs one next step";
        QTest::newRow("end that goes on") << set(2, "yes_node", "c") << "g/b: an end leads on";
        QTest::newRow("end without advice") << set(3, "detail", " ") << "g/c: an end must say what to do";
        QTest::newRow("unknown kind") << set(3, "kind", "stop") << "g/c: unknown kind";
        QTest::newRow("empty next") << set(1, "yes_node", "") << "g/a: a next step is neither";
        QTest::newRow("unreached") << set(0, "no_node", "b") << "g/c: no answer leads to it";
        QTest::newRow("twice") << set(3, "node_id", "b") << "g: a step has no id of its own";
    }
    void generatorRefusesBrokenTrees() {
        QFETCH(TreeChange, change);
        QFETCH(QString, problem);
        const QJsonArray safety{QJsonObject{{"id", "s"}}}, sources{QJsonObject{{"source_id", "r"}}};
        const QStringList found = GuideContent::problems(smallGuide(change), safety, sources);
        if (problem.isEmpty())
            QVERIFY2(found.isEmpty(), qPrintable(fail(found)));
        else
            QVERIFY2(found.size() >= 1 && found.first().startsWith(problem), qPrintable(fail(found)));
        QVERIFY(!GuideContent::problems(smallGuide([](QJsonArray &) {}), {}, sources).isEmpty());
        QVERIFY2(GuideContent::problems(guides_, safety_, sources_).isEmpty(),
                 qPrintable(fail(GuideContent::problems(guides_, safety_, sources_))));
    }

    // The owner's checklist over every guide: one rule for one symptom, steps
    // that agree with the safety notes, no question an owner can't answer.
    void ownerChecklist() {
        QStringList problems;
        const auto isSlip = [](const GuideNode &n) { return n.kind == "q" && has(n, "engine speed (also )?(flare|rise)"); };
        for (const Guide &g : std::as_const(guideRecords_)) {
            for (const GuideNode &n : g.nodes) {
                const QString at = g.id + '/' + n.nodeID;
                if (has(n, "answer (No|Yes) if you (can't|cannot|are not sure|aren't sure|don't know)|"
                           "if you (can't|cannot|are not sure|aren't sure|don't know)[^.;:]*, answer (No|Yes)"))
                    problems << at + ": tells the owner to guess an answer";
                // A flashing check engine light: never a test drive, always a tow if it keeps flashing.
                if (n.kind == "q" && has(n, "\\bflashing\\b") && has(n, "check engine light")) {
                    for (const QString &id : reach(g, *n.yes, [](const GuideNode &q) { return has(q, "still flashing"); })) {
                        const GuideNode r = *g.node(id);
                        if (has(r, "clear the codes and drive")) problems << at + ": a test drive while it flashes at " + id;
                        if (r.kind == "end" && !has(r, "keeps flashing|still flashing|flashes") ) problems << at + ": " + id + " drops the flashing rule";
                        if (r.kind == "end" && !has(r, "towed")) problems << at + ": " + id + " never says tow";
                    }
                }
                if (n.kind == "end" && has(n, "knock") && has(n, "under load") && !has(n, "towed"))
                    problems << at + ": a knock that grows under load must mean stop and tow";
                if (n.kind == "q" && isSlip(n) && !has(*g.node(n.yes), "towed"))
                    problems << at + ": slipping must lead to a tow";
                for (const QString &sentence : (n.text + ' ' + n.detail).split(QRegularExpression("(?<=[.:;])\\s")))
                    if (sentence.contains("garage") && sentence.contains(QRegularExpression("\\b(run|Ready|engine|regeneration)")) &&
                        !sentence.contains("even with the door open"))
                        problems << at + ": an engine near a garage, against the exhaust note";
            }
            // Until slipping is ruled out, no end lets the owner drive on without a word about towing.
            if (std::ranges::any_of(g.nodes, isSlip))
                for (const QString &id : reach(g, "start", isSlip))
                    if (g.node(id)->kind == "end" && has(*g.node(id), "drive gently") && !has(*g.node(id), "tow"))
                        problems << g.id + '/' + id + ": drives gently on before slipping is asked about";
            // Hybrids never run with the hood open: a hybrid question's Yes leads elsewhere.
            if (g.safety.contains("hv"))
                for (const QString &id : reach(g, "start", [](const GuideNode &q) { return q.text.contains("hybrid"); })) {
                    const GuideNode n = *g.node(id);
                    if (has(n, "hood open|open the hood") && has(n, "running|idling|restarted|A/C on") && !has(n, "hybrid.*fully off"))
                        problems << g.id + '/' + id + ": runs the engine with the hood open on a hybrid";
                }
            // The battery light: the belt is looked at before any driving.
            for (const QString &id : reach(g, "start", [](const GuideNode &q) { return has(q, "\\bbelt\\b"); })) {
                const GuideNode n = *g.node(id);
                if (has(n, "battery") && has(n, "drive straight") && !has(n, "\\bbelt\\b"))
                    problems << g.id + '/' + id + ": drives on with the battery light before the belt is checked";
            }
            // No timing light on an engine that won't run.
            for (const GuideNode &q : g.nodes)
                if (q.kind == "q" && has(q, "crank but not start|won't start"))
                    for (const QString &id : reach(g, *q.yes))
                        if (has(*g.node(id), "timing light") && !has(*g.node(id), "only on a running engine"))
                            problems << g.id + '/' + id + ": a timing light on an engine that won't run";
        }
        // Leaks: where the spot is comes first; at a wheel the brakes are checked before anything else.
        const auto leaks = std::find_if(guideRecords_.cbegin(), guideRecords_.cend(), [](const Guide &g) { return g.id == "leaks"; });
        QVERIFY(leaks != guideRecords_.cend());
        const std::optional<GuideNode> where = leaks->node(leaks->start()->yes);
        const std::optional<GuideNode> brakes = where ? leaks->node(where->yes) : std::nullopt;
        if (!where || !has(*where, "near a wheel") || !brakes || brakes->kind != "q" || !has(*brakes, "brake fluid.*pedal") ||
            !has(*leaks->node(brakes->no), "don't drive"))
            problems << "leaks: the first question is not a wheel, whose Yes checks the brake fluid and pedal";
        for (const GuideNode &n : leaks->nodes)
            if (n.kind == "end" && has(n, "power steering") && !has(n, "transmission fluid"))
                problems << "leaks/" + n.nodeID + ": red fluid at the front named power steering fluid alone";
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    // A guide that talks about a hazard must cite the matching safety note.
    void hazardsHaveWarnings() {
        QStringList problems;
        QList<std::pair<QRegularExpression, QString>> rules;
        for (const auto &[pattern, note] : kHazardWords)
            rules.append({QRegularExpression(pattern, QRegularExpression::CaseInsensitiveOption), note});
        for (const QJsonValue &gv : guides_) {
            const QJsonObject g = gv.toObject();
            const QString id = g.value("id").toString();
            QString all = g.value("title").toString() + '\n' + g.value("summary").toString() + '\n';
            for (const QJsonValue &p : g.value("pro_when").toArray()) all += p.toString() + '\n';
            for (const QJsonValue &nv : g.value("nodes").toArray())
                all += nv.toObject().value("text").toString() + '\n' + nv.toObject().value("detail").toString() + '\n';
            QStringList safety;
            for (const QJsonValue &s : g.value("safety").toArray()) safety << s.toString();
            for (const auto &[re, note] : rules) {
                const auto m = re.match(all);
                if (m.hasMatch() && !safety.contains(note))
                    problems << id + ": mentions \"" + m.captured(0) + "\" but doesn't cite the " + note + " note";
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }
};

QTEST_APPLESS_MAIN(TestGuideContent)
#include "test_guidecontent.moc"
