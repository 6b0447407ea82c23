#include "contentrules.h"

#include "data/seriousness.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonValue>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

#include <utility>

namespace ContentRules {

namespace {

// Outside companies (parts and tool makers, shops, publishers, fluid and tire
// brands, tech firms) that no owner-facing text may name; whole words, any case.
const QStringList kCompanies = {
    "kestrelby", "bosch", "denso", "nippondenso", "delphi", "delco", "acdelco", "ac delco", "motorcraft",
    "mopar", "ngk", "autolite", "champion", "hitachi", "aisin", "valeo", "bendix", "brembo", "monroe",
    "kyb", "moog", "gates", "dayco", "holley", "edelbrock", "rochester", "weber", "carter", "lucas",
    "prestone", "valvoline", "castrol", "pennzoil", "quaker state", "mobil 1", "freon", "wd-40",
    "fix-a-flat", "rain-x", "loctite", "permatex", "bondo", "seafoam", "sea foam", "stp", "k&n", "wix",
    "fram", "interstate", "diehard", "optima", "exide", "duralast", "autozone", "o'reilly", "napa",
    "advance auto", "pep boys", "jiffy lube", "midas", "meineke", "firestone", "goodyear", "michelin",
    "bridgestone", "snap-on", "matco", "craftsman", "harbor freight", "autel", "innova", "actron",
    "launch tech", "bluedriver", "fixd", "fluke", "haynes", "chilton", "alldata", "mitchell", "identifix",
    "continental", "walker", "magnaflow", "walmart", "amazon", "google", "apple", "microsoft", "openai",
    "anthropic", "chatgpt", "wikipedia", "wikimedia", "youtube", "facebook", "ase", "sae", "aaa",
};

// Words of unfinished text that must never reach an owner.
const QStringList kPlaceholders = {"todo", "fixme", "tbd", "lorem", "xxx", "placeholder"};

QString str(const QJsonObject &o, const char *key)
{
    return o.value(QLatin1String(key)).toString();
}

QStringList strings(const QJsonValue &v)
{
    QStringList out;
    for (const QJsonValue &item : v.toArray())
        out << item.toString();
    return out;
}

std::optional<QString> optionalString(const QJsonValue &v)
{
    if (v.isString())
        return v.toString();
    return std::nullopt;
}

// Trimmed of blanks, tabs and other space separators; line breaks are kept.
QString trimBlanks(const QString &s)
{
    auto blank = [](QChar c) { return c == QLatin1Char('\t') || c.category() == QChar::Separator_Space; };
    qsizetype from = 0, to = s.size();
    while (from < to && blank(s.at(from)))
        ++from;
    while (to > from && blank(s.at(to - 1)))
        --to;
    return s.mid(from, to - from);
}

bool isHttps(const QString &url)
{
    const QUrl u(url, QUrl::StrictMode);
    return url.startsWith(QLatin1String("https://")) && u.isValid() && !u.host().isEmpty() && !url.contains(' ');
}

template <typename T>
bool hasRepeats(const QList<T> &list)
{
    return QSet<T>(list.begin(), list.end()).size() != list.size();
}

} // namespace

// ---- Fixed lists ------------------------------------------------------------------

const QStringList &familyKeys()
{
    static const QStringList keys = {
        "A/C", "ABS / chassis", "EGR", "EVAP", "air metering", "airbag (SRS)", "brake switch", "catalyst",
        "charging", "cooling", "cooling fan", "crank / cam sensor", "diesel", "electronic throttle", "engine",
        "engine computer", "fuel level", "fuel pressure", "fuel pump", "fuel trim", "glow plug", "hybrid / EV",
        "idle", "ignition coil", "injector", "intake", "knock sensor", "misfire", "network", "oil pressure",
        "oxygen sensor", "oxygen sensor heater", "secondary air", "security", "starting", "steering", "timing",
        "transmission", "transmission computer", "turbo / supercharger", "variable valve timing",
        "vehicle speed", "cruise control",
    };
    return keys;
}

const QStringList &guideIds()
{
    static const QStringList ids = {
        "no-crank", "crank-no-start", "overheating", "rough-idle", "misfire", "check-engine", "trans",
        "brakes", "steering", "suspension", "charging", "ac", "shorts", "leaks", "smells", "noises",
        "differential", "wiring", "computers", "carbureted", "warning-lights", "stalls", "smoke",
        "limp-mode", "no-heat", "hybrid-ready", "diesel-exhaust", "vibration",
    };
    return ids;
}

const QStringList &requiredSafetyIds()
{
    static const QStringList ids = {"jack", "coolant", "fuel", "airbag", "battery", "hv"};
    return ids;
}

const QStringList &obd1Ids()
{
    static const QStringList ids = {"general", "gm",     "ford",        "chrysler",    "toyota",
                                    "honda",   "nissan", "not-covered", "pre-computer"};
    return ids;
}

const QStringList &eraYears()
{
    static const QStringList years = {QStringLiteral("1970\u20131980"), QStringLiteral("1981\u20131995"),
                                      QStringLiteral("1996\u20132026")};
    return years;
}

QString reviewStatus()
{
    return QStringLiteral("Draft \u2014 under technician review");
}

bool isKnownFamily(const QString &family)
{
    static const QRegularExpression part(QStringLiteral("^(sensor|actuator): [a-z0-9][a-zA-Z0-9 /()-]+[a-zA-Z0-9)]$"));
    return familyKeys().contains(family) || part.match(family).hasMatch();
}

QString describe(const QStringList &problems)
{
    return QString::number(problems.size()) + QStringLiteral(" problem(s):\n  ") + problems.join(QStringLiteral("\n  "));
}

// ---- The content files --------------------------------------------------------------

QString contentDir()
{
    return QDir::cleanPath(QStringLiteral(FV_TESTS_DIR "/../tools/vorelgen/content"));
}

QJsonArray readArray(const QString &name, QString *error)
{
    auto failed = [&](const QString &why) {
        if (error)
            *error = name + QStringLiteral(": ") + why;
        return QJsonArray();
    };
    QFile f(contentDir() + QLatin1Char('/') + name);
    if (!f.open(QIODevice::ReadOnly))
        return failed(f.errorString());
    QJsonParseError pe{};
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &pe);
    if (pe.error != QJsonParseError::NoError)
        return failed(pe.errorString());
    if (!doc.isArray())
        return failed(QStringLiteral("not an array"));
    if (error)
        error->clear();
    return doc.array();
}

OBDCode codeFromJson(const QJsonObject &o)
{
    return {str(o, "code"),     str(o, "system"),      str(o, "family"),      str(o, "title"),
            str(o, "meaning"),  str(o, "causes"),      str(o, "symptoms"),    str(o, "check_first"),
            str(o, "seriousness"), str(o, "note"),     str(o, "review_status")};
}

Guide guideFromJson(const QJsonObject &o)
{
    Guide g{str(o, "id"), str(o, "system"), str(o, "title"), str(o, "summary"),
            strings(o.value("safety")), strings(o.value("pro_when")), strings(o.value("sources")), {}};
    for (const QJsonValue &v : o.value("nodes").toArray()) {
        const QJsonObject n = v.toObject();
        g.nodes.append({str(n, "node_id"), str(n, "kind"), str(n, "text"), str(n, "detail"),
                        optionalString(n.value("yes_node")), optionalString(n.value("no_node"))});
    }
    return g;
}

SafetyNote safetyFromJson(const QJsonObject &o)
{
    return {str(o, "id"), str(o, "title"), str(o, "text"), optionalString(o.value("source_id"))};
}

SourceRef sourceFromJson(const QJsonObject &o)
{
    return {str(o, "source_id"), str(o, "title"), str(o, "publisher"), str(o, "url")};
}

OBD1Section obd1FromJson(const QJsonObject &o)
{
    return {str(o, "id"),        str(o, "makes"),          str(o, "years"),   str(o, "system"),
            str(o, "connector"), strings(o.value("steps")), str(o, "reading"), str(o, "clearing"),
            str(o, "notes"),     strings(o.value("sources"))};
}

EraNote eraFromJson(const QJsonObject &o)
{
    return {str(o, "years"), str(o, "note")};
}

RefLink refFromJson(const QJsonObject &o)
{
    return {o.value("ref_id").toInteger(), str(o, "title"), str(o, "url"), str(o, "publisher"),
            str(o, "use_for"), str(o, "allowed_use")};
}

// ---- Trouble codes ------------------------------------------------------------------

QStringList codeProblems(const QList<OBDCode> &codes)
{
    static const QRegularExpression pattern(QStringLiteral("^[PBCU][0-9][0-9A-F]{3}$"));
    static const QMap<QChar, QString> systems = {
        {'P', "Powertrain"}, {'B', "Body"}, {'C', "Chassis"}, {'U', "Network"}};
    QStringList problems;
    for (const OBDCode &c : codes) {
        if (!pattern.match(c.code).hasMatch()) {
            problems << QStringLiteral("\"%1\": not a well-formed code").arg(c.code);
            continue;
        }
        if (c.system != systems.value(c.code.at(0)))
            problems << c.code + QStringLiteral(": system \"") + c.system + '"';
        if (!isKnownFamily(c.family))
            problems << c.code + QStringLiteral(": unknown family \"") + c.family + '"';
        const std::pair<const char *, QString> fields[] = {
            {"title", c.title},           {"meaning", c.meaning},         {"causes", c.causes},
            {"symptoms", c.symptoms},     {"check first", c.checkFirst},  {"seriousness", c.seriousness}};
        for (const auto &[name, value] : fields)
            if (trimBlanks(value).size() <= 2)
                problems << c.code + QStringLiteral(": thin ") + name;
        if (!Seriousness::fromRawValue(c.seriousness))
            problems << c.code + QStringLiteral(": seriousness \"") + c.seriousness + '"';
        if (c.reviewStatus != reviewStatus())
            problems << c.code + QStringLiteral(": review status \"") + c.reviewStatus + '"';
    }
    return problems;
}

QStringList codeListProblems(const QList<OBDCode> &codes)
{
    QStringList problems;
    QMap<QString, int> groups;
    QSet<QString> seen;
    bool throttle = false;
    for (const OBDCode &c : codes) {
        if (seen.contains(c.code))
            problems << c.code + QStringLiteral(": listed twice");
        seen.insert(c.code);
        ++groups[c.code.left(2)];
        throttle = throttle || c.family == QLatin1String("electronic throttle");
    }
    if (codes.size() < 650)
        problems << QStringLiteral("only %1 codes, want at least 650").arg(codes.size());
    const QList<std::pair<QString, int>> minimum = {{"P0", 420}, {"P2", 60}, {"U0", 25}, {"B0", 1}, {"C0", 1}};
    for (const auto &[group, least] : minimum)
        if (groups.value(group) < least)
            problems << QStringLiteral("%1 %2 codes, want at least %3").arg(groups.value(group)).arg(group).arg(least);
    // Maker-specific ranges (P1, B1, ...) carry no made-up meaning.
    for (auto it = groups.cbegin(); it != groups.cend(); ++it)
        if (!QStringList({"P0", "P2", "B0", "C0", "U0"}).contains(it.key()))
            problems << QStringLiteral("%1 code(s) of the maker-specific group %2").arg(it.value()).arg(it.key());
    if (!throttle)
        problems << QStringLiteral("no code of family \"electronic throttle\"");
    return problems;
}

QStringList pinnedCodeProblems(const std::function<std::optional<OBDCode>(const QString &)> &lookup)
{
    QStringList problems;
    auto expect = [&](bool ok, const QString &what) {
        if (!ok)
            problems << what;
    };
    for (const char *c : {"P0300", "P0301", "P0457", "P0171", "P0420", "P0872", "C0031"})
        expect(lookup(QLatin1String(c)).has_value(), QLatin1String(c) + QStringLiteral(" missing"));
    expect(!lookup(QStringLiteral("P1234")), QStringLiteral("P1234 has a made-up meaning"));

    if (const auto misfire = lookup(QStringLiteral("P0300"))) {
        expect(misfire->level() == Seriousness::Stop, QStringLiteral("P0300 is not \"stop\""));
        expect(misfire->family == QLatin1String("misfire"), QStringLiteral("P0300 family ") + misfire->family);
    }
    if (const auto cap = lookup(QStringLiteral("P0457")))
        expect(cap->level() == Seriousness::Drive, QStringLiteral("P0457 is not \"drive\""));
    if (const auto lean = lookup(QStringLiteral("P0171"))) {
        expect(lean->seriousness == QLatin1String("drive soon"), QStringLiteral("P0171 is not \"drive soon\""));
        expect(lean->title.contains(QLatin1String("System too lean")), QStringLiteral("P0171 title ") + lean->title);
        expect(lean->family == QLatin1String("fuel trim"), QStringLiteral("P0171 family ") + lean->family);
        const QStringList causes = lean->causes.split(';');
        expect(causes.size() >= 4, QStringLiteral("P0171 has fewer than 4 causes"));
        expect(causes.first().trimmed().startsWith(QLatin1String("Vacuum leak")),
               QStringLiteral("P0171's first cause is not a vacuum leak"));
    }
    if (const auto cat = lookup(QStringLiteral("P0420"))) {
        expect(cat->title.startsWith(QLatin1String("Catalyst system efficiency")), QStringLiteral("P0420 title ") + cat->title);
        expect(cat->family == QLatin1String("catalyst"), QStringLiteral("P0420 family ") + cat->family);
    }
    return problems;
}

// ---- Guides ---------------------------------------------------------------------------

QStringList guideTreeProblems(const Guide &g)
{
    QStringList problems;
    const std::optional<GuideNode> start = g.start();
    if (!start)
        return {g.id + QStringLiteral(": empty")};
    if (start->nodeID != QLatin1String("start"))
        problems << g.id + QStringLiteral(": the first step is not \"start\"");

    QSet<QString> ids;
    for (const GuideNode &n : g.nodes) {
        if (n.nodeID.isEmpty())
            problems << g.id + QStringLiteral(": a step has no id");
        else if (ids.contains(n.nodeID))
            problems << g.id + '/' + n.nodeID + QStringLiteral(": duplicate step id");
        ids.insert(n.nodeID);
    }

    for (const GuideNode &n : g.nodes) {
        const QString where = g.id + '/' + n.nodeID;
        const QString text = n.text.trimmed();
        const QString detail = n.detail.trimmed();
        if (text.size() < 8)
            problems << where + QStringLiteral(": step text missing or too short");
        if (n.kind == QLatin1String("q")) {
            if (!g.node(n.yes) || !g.node(n.no))
                problems << where + QStringLiteral(": question needs yes and no");
            else if (*n.yes == *n.no)
                problems << where + QStringLiteral(": yes and no lead to the same step");
            if (!text.endsWith('?'))
                problems << where + QStringLiteral(": a question should end with a question mark");
        } else if (n.kind == QLatin1String("do")) {
            if (!g.node(n.yes) || n.no)
                problems << where + QStringLiteral(": step needs one next");
            if (text.endsWith('?'))
                problems << where + QStringLiteral(": an action step is worded as a question");
        } else if (n.kind == QLatin1String("end")) {
            if (n.yes || n.no || detail.isEmpty())
                problems << where + QStringLiteral(": end must stop and say what to do");
            else if (detail.size() < 40)
                problems << where + QStringLiteral(": end detail too thin to act on");
            if (text.endsWith('?'))
                problems << where + QStringLiteral(": an end step is worded as a question");
        } else {
            problems << where + QStringLiteral(": unknown kind \"") + n.kind + '"';
        }
    }

    // Every path from the start; a step reached by several paths is walked once per path.
    QList<std::pair<QString, QSet<QString>>> stack = {{start->nodeID, {}}};
    QSet<QString> seen;
    int paths = 0;
    const int maxPaths = 100000;
    while (!stack.isEmpty() && paths < maxPaths) {
        auto [p, path] = stack.takeLast();
        if (path.contains(p)) {
            problems << g.id + QStringLiteral(": loop at ") + p;
            continue;
        }
        seen.insert(p);
        const std::optional<GuideNode> n = g.node(p);
        if (!n) {
            problems << g.id + QStringLiteral(": a branch points to the missing step ") + p;
            continue;
        }
        path.insert(p);
        if (!n->yes && !n->no) {
            ++paths;
            if (n->kind != QLatin1String("end"))
                problems << g.id + '/' + p + QStringLiteral(": a path stops before an end step");
        }
        if (n->yes)
            stack.append({*n->yes, path});
        if (n->no)
            stack.append({*n->no, path});
    }
    if (paths >= maxPaths)
        problems << g.id + QStringLiteral(": too many paths to walk");
    if (seen.size() < ids.size())
        problems << g.id + QStringLiteral(": %1 unreachable step(s)").arg(ids.size() - seen.size());
    return problems;
}

QStringList guideListProblems(const QList<Guide> &guides)
{
    QStringList problems, ids, titles;
    int steps = 0;
    for (const Guide &g : guides) {
        ids << g.id;
        titles << g.title;
        steps += int(g.nodes.size());
        if (g.nodes.size() < 10)
            problems << g.id + QStringLiteral(": only %1 steps").arg(g.nodes.size());
        const std::pair<const char *, QString> texts[] = {
            {"system", g.system}, {"title", g.title}, {"summary", g.summary}};
        for (const auto &[name, value] : texts)
            if (value.trimmed().size() < 3)
                problems << g.id + QStringLiteral(": empty ") + name;
    }
    for (const QString &id : guideIds())
        if (ids.count(id) != 1)
            problems << id + QStringLiteral(": %1 guides with this id").arg(ids.count(id));
    for (const QString &id : std::as_const(ids))
        if (!guideIds().contains(id))
            problems << QStringLiteral("unexpected guide ") + id;
    if (hasRepeats(titles))
        problems << QStringLiteral("two guides share a title");
    if (steps < 250)
        problems << QStringLiteral("%1 steps in all, want at least 250").arg(steps);

    // The overheating walk of the screenshots: start, cool, hybrid (No), then fan.
    const qsizetype at = ids.indexOf(QStringLiteral("overheating"));
    if (at >= 0) {
        const Guide &g = guides.at(at);
        auto leadsTo = [&](const char *from, const char *to) {
            const std::optional<GuideNode> n = g.node(QString::fromLatin1(from));
            return n && (n->yes == QLatin1String(to) || n->no == QLatin1String(to));
        };
        if (!g.start() || g.start()->nodeID != QLatin1String("start"))
            problems << QStringLiteral("overheating does not begin at \"start\"");
        if (!leadsTo("start", "cool"))
            problems << QStringLiteral("overheating: start does not lead to cool");
        if (!leadsTo("cool", "hybrid") || !leadsTo("hybrid", "fan"))
            problems << QStringLiteral("overheating: cool does not lead to fan through hybrid");
    }
    return problems;
}

QStringList citationProblems(const QList<Guide> &guides, const QHash<QString, SafetyNote> &safety,
                             const QHash<QString, SourceRef> &sources)
{
    QStringList problems;
    QSet<QString> cited;
    for (const Guide &g : guides) {
        if (g.safety.isEmpty())
            problems << g.id + QStringLiteral(": cites no safety note");
        if (g.proWhen.isEmpty())
            problems << g.id + QStringLiteral(": no see-a-professional point");
        if (g.sources.isEmpty())
            problems << g.id + QStringLiteral(": cites no source");
        for (const QString &s : g.safety) {
            cited.insert(s);
            if (!safety.contains(s))
                problems << g.id + QStringLiteral(": cites the unknown safety note ") + s;
        }
        for (const QString &s : g.sources) {
            if (!sources.contains(s))
                problems << g.id + QStringLiteral(": cites the unknown source ") + s;
            else if (!sources.value(s).url.startsWith(QLatin1String("https://")))
                problems << g.id + QStringLiteral(": source ") + s + QStringLiteral(" is not https");
        }
        const std::pair<const char *, QStringList> lists[] = {
            {"safety note", g.safety}, {"see-a-professional point", g.proWhen}, {"source", g.sources}};
        for (const auto &[name, list] : lists)
            if (hasRepeats(list))
                problems << g.id + QStringLiteral(": repeats a ") + name;
        for (const QString &p : g.proWhen)
            if (p.trimmed().size() < 3)
                problems << g.id + QStringLiteral(": empty see-a-professional point");
    }
    for (const QString &need : requiredSafetyIds())
        if (!cited.contains(need))
            problems << QStringLiteral("no guide cites the safety note ") + need;
    return problems;
}

QStringList safetyAndSourceProblems(const QHash<QString, SafetyNote> &safety, const QHash<QString, SourceRef> &sources)
{
    QStringList problems;
    for (const QString &need : requiredSafetyIds())
        if (!safety.contains(need))
            problems << QStringLiteral("safety note missing: ") + need;
    for (const SafetyNote &s : safety)
        if (s.sourceID && !sources.contains(*s.sourceID))
            problems << QStringLiteral("safety ") + s.id + QStringLiteral(": unknown source ") + *s.sourceID;
    for (const SourceRef &s : sources)
        if (!isHttps(s.url))
            problems << QStringLiteral("source ") + s.id + QStringLiteral(": not an https address: ") + s.url;
    return problems;
}

// ---- OBD-I and eras ---------------------------------------------------------------------

QStringList obd1Problems(const QList<OBD1Section> &sections, const QHash<QString, SourceRef> &sources)
{
    QStringList problems, ids;
    for (const OBD1Section &s : sections) {
        ids << s.id;
        if (!obd1Ids().contains(s.id))
            problems << QStringLiteral("unexpected OBD-I section ") + s.id;
        if (s.id != QLatin1String("not-covered") && s.sources.isEmpty())
            problems << s.id + QStringLiteral(": cites no source");
        for (const QString &src : s.sources)
            if (!sources.contains(src) || !sources.value(src).url.startsWith(QLatin1String("https://")))
                problems << s.id + QStringLiteral(": unknown or non-https source ") + src;
    }
    for (const QString &id : obd1Ids())
        if (ids.count(id) != 1)
            problems << QStringLiteral("OBD-I section %1 appears %2 times").arg(id).arg(ids.count(id));
    const qsizetype nc = ids.indexOf(QStringLiteral("not-covered"));
    if (nc >= 0 && !sections.at(nc).reading.contains(QLatin1String("Not covered")))
        problems << QStringLiteral("not-covered: the reading does not say \"Not covered\"");
    return problems;
}

QStringList eraProblems(const QList<EraNote> &eras)
{
    QStringList problems, years;
    for (const EraNote &e : eras) {
        years << e.years;
        if (e.note.trimmed().size() < 40)
            problems << e.years + QStringLiteral(": note too short");
    }
    if (years != eraYears())
        problems << QStringLiteral("eras are [") + years.join(QStringLiteral(", ")) + QStringLiteral("], want [")
                        + eraYears().join(QStringLiteral(", ")) + ']';
    return problems;
}

// ---- Wording ------------------------------------------------------------------------------

QStringList wordingProblems(const QString &where, const QString &text)
{
    static const QList<QRegularExpression> companies = [] {
        QList<QRegularExpression> out;
        for (const QString &c : kCompanies)
            out << QRegularExpression("(?<![\\w-])" + QRegularExpression::escape(c) + "(?![\\w-])",
                                      QRegularExpression::CaseInsensitiveOption);
        return out;
    }();
    static const QList<QRegularExpression> placeholders = [] {
        QList<QRegularExpression> out;
        for (const QString &w : kPlaceholders)
            out << QRegularExpression("\\b" + w + "\\b", QRegularExpression::CaseInsensitiveOption);
        return out;
    }();
    static const QRegularExpression doubleSpace(QStringLiteral("\\S  +\\S"));

    QStringList problems;
    QString noMaker = text;
    noMaker.remove(QStringLiteral("Brackenfold"));
    if (noMaker.contains(QLatin1String("Kestrelby")))
        problems << where + QStringLiteral(": bare Kestrelby");
    for (qsizetype i = 0; i < companies.size(); ++i)
        if (companies.at(i).match(noMaker).hasMatch())
            problems << where + QStringLiteral(": names ") + kCompanies.at(i);
    for (qsizetype i = 0; i < placeholders.size(); ++i)
        if (placeholders.at(i).match(text).hasMatch())
            problems << where + QStringLiteral(": contains \"") + kPlaceholders.at(i) + '"';
    if (text != text.trimmed())
        problems << where + QStringLiteral(": blanks at an end");
    if (doubleSpace.match(text).hasMatch())
        problems << where + QStringLiteral(": double space");
    if (text.contains(QChar(0xFFFD)))
        problems << where + QStringLiteral(": broken character");
    return problems;
}

} // namespace ContentRules
