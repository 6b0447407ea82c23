// Checks the hand-written guide content read straight from its JSON files:
// guides.json, safety.json, sources.json, obd1.json, eras.json and refs.json.
// Every check collects all the problems it finds, so one run lists them all.
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

#include <utility>

namespace {

const QString kContentDir = QStringLiteral(FV_TESTS_DIR "/../tools/vorelgen/content");

// The guide ids the app, the report's links and the self-test rely on, in order.
const QStringList kGuideIds = {
    "no-crank", "crank-no-start", "overheating", "rough-idle", "misfire", "check-engine", "trans",
    "brakes", "steering", "suspension", "charging", "ac", "shorts", "leaks", "smells", "noises",
    "differential", "wiring", "computers", "carbureted", "warning-lights", "stalls", "smoke",
};

// Safety notes that the guides, taken together, must cite.
const QStringList kRequiredSafety = {"jack", "coolant", "fuel", "airbag", "battery", "hv"};

const QStringList kObd1Ids = {"general", "gm", "ford", "chrysler", "toyota", "honda", "nissan",
                              "not-covered", "pre-computer"};

const QStringList kEraYears = {QStringLiteral("1970\u20131980"), QStringLiteral("1981\u20131995"),
                               QStringLiteral("1996\u20132026")};

// Outside companies (parts and tool makers, shops, publishers, fluid and tire
// brands, tech firms) that no owner-facing text may name. Matched as whole
// words, case-insensitively.
const QStringList kCompanies = {
    "kestrelby", "bosch", "denso", "nippondenso", "delphi", "delco", "acdelco", "ac delco", "motorcraft",
    "mopar", "ngk", "autolite", "champion", "hitachi", "aisin", "valeo", "bendix", "brembo", "monroe",
    "kyb", "moog", "gates", "dayco", "holley", "edelbrock", "rochester", "weber", "carter", "lucas",
    "prestone", "valvoline", "castrol", "pennzoil", "quaker state", "mobil 1", "freon", "wd-40",
    "fix-a-flat", "rain-x", "loctite", "permatex", "bondo", "seafoam", "sea foam", "stp", "k&n", "wix",
    "fram", "interstate", "diehard", "optima", "exide", "duralast", "autozone", "o'reilly", "napa",
    "advance auto", "pep boys", "jiffy lube", "midas", "meineke", "firestone", "goodyear", "michelin",
    "bridgestone", "snap-on", "matco", "craftsman", "harbor freight", "autel", "innova", "actron",
    "bluedriver", "fixd", "fluke", "haynes", "chilton", "alldata", "mitchell", "identifix", "walmart",
    "amazon", "google", "apple", "microsoft", "openai", "anthropic", "chatgpt", "wikipedia", "wikimedia",
    "youtube", "facebook", "ase", "sae", "aaa",
};

// Words that must never reach an owner: unfinished-text placeholders.
const QStringList kBannedWords = {"todo", "fixme", "tbd", "lorem", "xxx", "placeholder"};

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

QString fail(const QStringList &problems) { return problems.join(QStringLiteral("\n  ")); }

bool isString(const QJsonValue &v) { return v.isString(); }

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

}  // namespace

class TestGuideContent : public QObject {
    Q_OBJECT

    QJsonArray guides_, safety_, sources_, obd1_, eras_, refs_;
    QHash<QString, QJsonObject> safetyById_, sourceById_;

    static QJsonArray load(const QString &name) {
        QFile f(kContentDir + '/' + name);
        if (!f.open(QIODevice::ReadOnly)) {
            qWarning("cannot open %s", qPrintable(name));
            return {};
        }
        QJsonParseError err;
        const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &err);
        if (err.error != QJsonParseError::NoError || !doc.isArray()) {
            qWarning("%s: %s", qPrintable(name), qPrintable(err.errorString()));
            return {};
        }
        return doc.array();
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
        }
        for (const QJsonValue &v : eras_) checkKeys(v.toObject(), {"years", "note"}, "era", problems);
        for (const QJsonValue &v : refs_)
            checkKeys(v.toObject(), {"ref_id", "title", "url", "publisher", "use_for", "allowed_use"}, "ref",
                      problems);
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    // The 23 guides, once each, with owner-style titles and summaries.
    void guideList() {
        QStringList ids, titles, problems;
        for (const QJsonValue &gv : guides_) {
            const QJsonObject g = gv.toObject();
            const QString id = g.value("id").toString();
            ids << id;
            titles << g.value("title").toString();
            for (const char *k : {"system", "title", "summary"})
                if (g.value(k).toString().trimmed().size() < 3) problems << id + ": empty " + k;
        }
        QCOMPARE(ids.size(), kGuideIds.size());
        for (const QString &id : kGuideIds)
            if (ids.count(id) != 1) problems << id + QStringLiteral(" appears ") + QString::number(ids.count(id)) + " times";
        for (const QString &id : ids)
            if (!kGuideIds.contains(id)) problems << "unexpected guide id " + id;
        if (QSet<QString>(titles.begin(), titles.end()).size() != titles.size()) problems << "two guides share a title";
        const int rough = ids.indexOf("rough-idle");
        if (rough >= 0 && !titles.at(rough).startsWith("Rough idle"))
            problems << "rough-idle title should start with \"Rough idle\": " + titles.at(rough);
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    // Every step obeys its kind's rules; the start step comes first.
    void stepRules() {
        QStringList problems;
        for (const QJsonValue &gv : guides_) {
            const QJsonObject g = gv.toObject();
            const QString id = g.value("id").toString();
            const QJsonArray nodes = g.value("nodes").toArray();
            if (nodes.isEmpty()) {
                problems << id + ": empty";
                continue;
            }
            QSet<QString> names;
            for (const QJsonValue &nv : nodes) {
                const QString nid = nv.toObject().value("node_id").toString();
                if (nid.isEmpty()) problems << id + ": a step has no id";
                if (names.contains(nid)) problems << id + "/" + nid + ": duplicate step id";
                names.insert(nid);
            }
            if (nodes.first().toObject().value("node_id").toString() != "start")
                problems << id + ": the first step is not \"start\"";
            for (const QJsonValue &nv : nodes) {
                const QJsonObject n = nv.toObject();
                const QString where = id + '/' + n.value("node_id").toString();
                const QString kind = n.value("kind").toString();
                const QString text = n.value("text").toString().trimmed();
                const QString detail = n.value("detail").toString().trimmed();
                const QJsonValue yes = n.value("yes_node"), no = n.value("no_node");
                if (text.size() < 8) problems << where + ": step text missing or too short";
                if (kind == "q") {
                    if (!isString(yes) || !names.contains(yes.toString()) || !isString(no) ||
                        !names.contains(no.toString()))
                        problems << where + ": question needs yes and no";
                    else if (yes.toString() == no.toString())
                        problems << where + ": yes and no lead to the same step";
                    if (!text.endsWith('?')) problems << where + ": a question should end with a question mark";
                } else if (kind == "do") {
                    if (!isString(yes) || !names.contains(yes.toString()) || !no.isNull())
                        problems << where + ": step needs one next (in yes_node)";
                    if (text.endsWith('?')) problems << where + ": an action step is worded as a question";
                } else if (kind == "end") {
                    if (!yes.isNull() || !no.isNull() || detail.isEmpty())
                        problems << where + ": end must stop and say what to do";
                    if (detail.size() < 40) problems << where + ": end detail too thin to act on";
                    if (text.endsWith('?')) problems << where + ": an end step is worded as a question";
                } else {
                    problems << where + ": unknown kind \"" + kind + '"';
                }
            }
        }
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    // Walks every path from the start (as the self-test does): no loops, every
    // step reachable, and every path ends in an end step.
    void treesWalk() {
        QStringList problems;
        for (const QJsonValue &gv : guides_) {
            const QJsonObject g = gv.toObject();
            const QString id = g.value("id").toString();
            const QJsonArray nodes = g.value("nodes").toArray();
            if (nodes.isEmpty()) continue;
            QHash<QString, QJsonObject> byId;
            for (const QJsonValue &nv : nodes) {
                const QJsonObject n = nv.toObject();
                if (!byId.contains(n.value("node_id").toString())) byId.insert(n.value("node_id").toString(), n);
            }
            QList<std::pair<QString, QSet<QString>>> stack;
            stack.append({nodes.first().toObject().value("node_id").toString(), {}});
            QSet<QString> seen;
            int paths = 0;
            while (!stack.isEmpty() && paths < 100000) {
                auto [p, path] = stack.takeLast();
                if (path.contains(p)) {
                    problems << id + ": loop at " + p;
                    continue;
                }
                seen.insert(p);
                const auto it = byId.constFind(p);
                if (it == byId.constEnd()) {
                    problems << id + ": a branch points to missing step " + p;
                    continue;
                }
                QSet<QString> next = path;
                next.insert(p);
                bool leaf = true;
                for (const char *k : {"yes_node", "no_node"}) {
                    const QJsonValue v = it->value(k);
                    if (v.isString()) {
                        stack.append({v.toString(), next});
                        leaf = false;
                    }
                }
                if (leaf) {
                    ++paths;
                    if (it->value("kind").toString() != "end") problems << id + '/' + p + ": a path stops before an end step";
                }
            }
            if (paths >= 100000) problems << id + ": too many paths to walk";
            if (seen.size() != nodes.size())
                problems << id + ": " + QString::number(nodes.size() - seen.size()) + " unreachable step(s)";
        }
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    // Enough steps overall and per guide; the overheating walk start -> cool -> fan exists.
    void stepCountsAndOverheatingPath() {
        int total = 0;
        QStringList problems;
        QJsonArray overheating;
        for (const QJsonValue &gv : guides_) {
            const QJsonObject g = gv.toObject();
            const int n = g.value("nodes").toArray().size();
            total += n;
            if (n < 10) problems << g.value("id").toString() + ": only " + QString::number(n) + " steps";
            if (g.value("id").toString() == "overheating") overheating = g.value("nodes").toArray();
        }
        QVERIFY2(total >= 250, qPrintable(QString::number(total) + " steps in all, need at least 250"));
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));

        QHash<QString, QJsonObject> byId;
        for (const QJsonValue &nv : overheating) byId.insert(nv.toObject().value("node_id").toString(), nv.toObject());
        auto leadsTo = [&](const QString &from, const QString &to) {
            const QJsonObject n = byId.value(from);
            return n.value("yes_node").toString() == to || n.value("no_node").toString() == to;
        };
        QVERIFY2(!overheating.isEmpty() && overheating.first().toObject().value("node_id").toString() == "start",
                 "overheating must begin at \"start\"");
        QVERIFY2(byId.contains("cool") && byId.contains("fan"), "overheating needs steps \"cool\" and \"fan\"");
        QVERIFY2(leadsTo("start", "cool"), "overheating: start must lead to cool");
        QVERIFY2(leadsTo("cool", "fan"), "overheating: cool must lead to fan");
    }

    // Each guide cites safety notes, see-a-professional points and https sources that exist.
    void guideCitations() {
        QStringList problems;
        QSet<QString> cited;
        for (const QJsonValue &gv : guides_) {
            const QJsonObject g = gv.toObject();
            const QString id = g.value("id").toString();
            const QStringList safety = stringList(g.value("safety"), id + ".safety", problems);
            const QStringList pro = stringList(g.value("pro_when"), id + ".pro_when", problems);
            const QStringList srcs = stringList(g.value("sources"), id + ".sources", problems);
            if (safety.isEmpty()) problems << id + ": safety";
            if (pro.isEmpty()) problems << id + ": see-a-professional points";
            if (srcs.isEmpty()) problems << id + ": sources";
            if (QSet<QString>(pro.begin(), pro.end()).size() != pro.size()) problems << id + ": repeated pro_when point";
            for (const QString &s : safety) {
                cited.insert(s);
                if (!safetyById_.contains(s)) problems << id + ": cites unknown safety note " + s;
            }
            if (QSet<QString>(safety.begin(), safety.end()).size() != safety.size()) problems << id + ": safety id twice";
            for (const QString &s : srcs) {
                if (!sourceById_.contains(s))
                    problems << id + ": cites unknown source " + s;
                else if (!sourceById_.value(s).value("url").toString().startsWith("https://"))
                    problems << id + ": source " + s + " is not https";
            }
            if (QSet<QString>(srcs.begin(), srcs.end()).size() != srcs.size()) problems << id + ": source id twice";
        }
        for (const QString &need : kRequiredSafety)
            if (!cited.contains(need)) problems << "no guide cites the safety note " + need;
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
        for (const QString &need : kRequiredSafety)
            if (!ids.contains(need)) problems << "safety note missing: " + need;
        QVERIFY2(problems.isEmpty(), qPrintable(fail(problems)));
    }

    // Sources: unique ids, https addresses of public (.gov) bodies, each one used.
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
            const QUrl u(url, QUrl::StrictMode);
            if (!url.startsWith("https://") || !u.isValid() || u.host().isEmpty())
                problems << id + ": not a valid https address: " + url;
            else if (!u.host().endsWith(".gov"))
                problems << id + ": not a public (.gov) body: " + u.host();
            if (url.contains(' ')) problems << id + ": address contains a space";
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
        QStringList problems;
        QHash<QString, QJsonObject> byId;
        for (const QJsonValue &v : obd1_) {
            const QString id = v.toObject().value("id").toString();
            if (byId.contains(id)) problems << "obd1 id repeated: " + id;
            byId.insert(id, v.toObject());
        }
        for (const QString &id : kObd1Ids)
            if (!byId.contains(id)) problems << "obd1 section missing: " + id;
        for (auto it = byId.constBegin(); it != byId.constEnd(); ++it) {
            const QString id = it.key();
            const QJsonObject s = it.value();
            if (!kObd1Ids.contains(id)) problems << "unexpected obd1 section " + id;
            for (const char *k : {"makes", "years", "system", "connector", "reading", "clearing", "notes"})
                if (s.value(k).toString().trimmed().size() < 3) problems << id + ": empty " + k;
            const QStringList steps = stringList(s.value("steps"), id + ".steps", problems);
            if (steps.size() < 3) problems << id + ": fewer than 3 numbered steps";
            const QStringList srcs = stringList(s.value("sources"), id + ".sources", problems);
            if (id != "not-covered" && srcs.isEmpty()) problems << id + ": no sources";
            for (const QString &src : srcs)
                if (!sourceById_.contains(src) || !sourceById_.value(src).value("url").toString().startsWith("https://"))
                    problems << id + ": unknown or non-https source " + src;
            const QString years = s.value("years").toString();
            static const QRegularExpression yearsRe(QStringLiteral("^(19[789]\\d|20[0-2]\\d)\u2013(19[789]\\d|20[0-2]\\d)$"));
            if (!yearsRe.match(years).hasMatch()) problems << id + ": years should read like 1981\u20131995: " + years;
        }
        if (byId.contains("not-covered") && !byId.value("not-covered").value("reading").toString().contains("Not covered"))
            problems << "not-covered: reading must say \"Not covered\"";
        if (byId.contains("pre-computer") && byId.value("pre-computer").value("years").toString() != kEraYears.at(0))
            problems << "pre-computer: years must be 1970\u20131980";

        // The real procedures of each system, by their key terms.
        const QList<std::pair<QString, QStringList>> terms = {
            {"gm", {"ALDL", "terminal A", "B", "code 12", "Check Engine", "fuse"}},
            {"ford", {"EEC-IV", "self-test", "STAR", "voltmeter", "STI", "signal-return", "11"}},
            {"chrysler", {"ON, OFF, ON, OFF, ON", "55", "don't start the engine"}},
            {"toyota", {"TE1", "E1", "DIAGNOSIS", "EFI fuse"}},
            {"honda", {"LED", "service check connector", "BACK UP", "long flashes"}},
            {"nissan", {"mode selector", "red", "green", "55", "clockwise", "counterclockwise"}},
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
        QStringList years, problems;
        for (const QJsonValue &v : eras_) {
            years << v.toObject().value("years").toString();
            if (v.toObject().value("note").toString().trimmed().size() < 40)
                problems << v.toObject().value("years").toString() + ": note too short";
        }
        QCOMPARE(years, kEraYears);
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
        QList<QRegularExpression> companies, banned;
        for (const QString &c : kCompanies)
            companies << QRegularExpression("(?<![\\w-])" + QRegularExpression::escape(c) + "(?![\\w-])",
                                            QRegularExpression::CaseInsensitiveOption);
        for (const QString &b : kBannedWords)
            banned << QRegularExpression("\\b" + b + "\\b", QRegularExpression::CaseInsensitiveOption);
        static const QRegularExpression doubleSpace(QStringLiteral("\\S  +\\S"));
        for (const auto &[where, text] : ownerTexts()) {
            QString noMaker = text;
            noMaker.remove(QStringLiteral("Brackenfold"));
            if (noMaker.contains(QStringLiteral("Kestrelby"))) problems << where + ": bare Kestrelby";
            for (int i = 0; i < companies.size(); ++i)
                if (companies.at(i).match(noMaker).hasMatch()) problems << where + ": names " + kCompanies.at(i);
            for (int i = 0; i < banned.size(); ++i)
                if (banned.at(i).match(text).hasMatch()) problems << where + ": contains \"" + kBannedWords.at(i) + '"';
            if (text != text.trimmed()) problems << where + ": leading or trailing blanks";
            if (doubleSpace.match(text).hasMatch()) problems << where + ": double space";
            if (text.contains(QChar(0xFFFD))) problems << where + ": broken character";
        }
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
