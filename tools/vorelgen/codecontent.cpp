#include "codecontent.h"

#include <QDir>
#include <QFile>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonParseError>
#include <QJsonValue>
#include <QMap>
#include <QRegularExpression>

#include <algorithm>

namespace {

const QStringList kKeys = {
    QStringLiteral("code"),     QStringLiteral("system"),      QStringLiteral("family"),
    QStringLiteral("title"),    QStringLiteral("meaning"),     QStringLiteral("causes"),
    QStringLiteral("symptoms"), QStringLiteral("check_first"), QStringLiteral("seriousness"),
    QStringLiteral("note"),     QStringLiteral("review_status"),
};

const QRegularExpression &codePattern()
{
    static const QRegularExpression re(QStringLiteral("^[PBCU][0-9][0-9A-F]{3}$"));
    return re;
}

struct Failure
{
    QString text;
};

const QStringList kFamilies = {
    QStringLiteral("A/C"), QStringLiteral("ABS / chassis"), QStringLiteral("EGR"), QStringLiteral("EVAP"),
    QStringLiteral("air metering"), QStringLiteral("airbag (SRS)"), QStringLiteral("brake switch"), QStringLiteral("catalyst"),
    QStringLiteral("charging"), QStringLiteral("cooling"), QStringLiteral("cooling fan"), QStringLiteral("crank / cam sensor"),
    QStringLiteral("diesel"), QStringLiteral("electronic throttle"), QStringLiteral("engine"), QStringLiteral("engine computer"),
    QStringLiteral("fuel level"), QStringLiteral("fuel pressure"), QStringLiteral("fuel pump"), QStringLiteral("fuel trim"),
    QStringLiteral("glow plug"), QStringLiteral("hybrid / EV"), QStringLiteral("idle"), QStringLiteral("ignition coil"),
    QStringLiteral("injector"), QStringLiteral("intake"), QStringLiteral("knock sensor"), QStringLiteral("misfire"),
    QStringLiteral("network"), QStringLiteral("oil pressure"), QStringLiteral("oxygen sensor"), QStringLiteral("oxygen sensor heater"),
    QStringLiteral("secondary air"), QStringLiteral("security"), QStringLiteral("starting"), QStringLiteral("steering"),
    QStringLiteral("timing"), QStringLiteral("transmission"), QStringLiteral("transmission computer"),
    QStringLiteral("turbo / supercharger"), QStringLiteral("variable valve timing"), QStringLiteral("vehicle speed"),
    QStringLiteral("cruise control"),
};

const QRegularExpression &everyMakeClaim()
{
    static const QRegularExpression re(QStringLiteral("every make|all makes|same on every|same for every"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re;
}

// What a technician checks first in a code text: a chassis code never claims
// one meaning on every make (makers number them their own way) and says so;
// a text about the transmission computer does not have the engine computer
// doing its work; a part with no 5-volt supply is not blamed on one; and the
// "circuit high" of a pressure or position sensor (three wires, 5 volts) does
// not blame an open circuit, which reads low on them.
template <typename Fail>
void checkCircuitWording(const QJsonObject &row, const Fail &fail)
{
    auto text = [&](const char *key) { return row.value(QLatin1String(key)).toString(); };
    const QString code = text("code");
    if (code.startsWith(QLatin1String("C0"))) {
        for (const QString &key : kKeys)
            if (everyMakeClaim().match(row.value(key).toString()).hasMatch())
                fail(QStringLiteral("a chassis code claims one meaning on every make in \"%1\"").arg(key));
        if (!text("meaning").contains(QLatin1String("maker"), Qt::CaseInsensitive))
            fail(QStringLiteral("a chassis code's meaning must say where makers differ"));
    }
    static const QRegularExpression engineDoes(QStringLiteral("\\bengine computer (sees|checks|commands|found)\\b"));
    if (text("family").startsWith(QLatin1String("transmission")) && text("meaning").contains(QLatin1String("transmission computer"))
        && engineDoes.match(text("meaning")).hasMatch())
        fail(QStringLiteral("a transmission computer text says the engine computer does its work"));
    const QString title = text("title");
    const bool noSupply = text("family") == QLatin1String("knock sensor")
        || (text("family").startsWith(QLatin1String("transmission")) && title.contains(QLatin1String("switch")));
    if (noSupply && text("causes").contains(QLatin1String("5-volt")))
        fail(QStringLiteral("a part without a 5-volt supply is blamed on one"));
    static const QRegularExpression threeWire(QStringLiteral("\\b(pressure|position)\\b.*circuit high"),
                                              QRegularExpression::CaseInsensitiveOption);
    if (threeWire.match(title).hasMatch() && text("causes").contains(QLatin1String("reads high")))
        fail(QStringLiteral("a pressure or position sensor's high signal is blamed on an open circuit"));
}

// The rules every finished code obeys, written by hand or from a template:
// the system of its letter, a known family, no thin text, a stored
// seriousness, a list of at least two causes and no word of unfinished text.
void checkRow(const QJsonObject &row)
{
    const QString code = row.value(QStringLiteral("code")).toString();
    auto text = [&](const char *key) { return row.value(QLatin1String(key)).toString(); };
    auto fail = [&](const QString &why) { throw Failure{code + QStringLiteral(": ") + why}; };
    static const QHash<QChar, QString> systems = {{QLatin1Char('P'), QStringLiteral("Powertrain")},
                                                  {QLatin1Char('B'), QStringLiteral("Body")},
                                                  {QLatin1Char('C'), QStringLiteral("Chassis")},
                                                  {QLatin1Char('U'), QStringLiteral("Network")}};
    if (text("system") != systems.value(code.at(0)))
        fail(QStringLiteral("system \"%1\" does not match the code's letter").arg(text("system")));
    if (!CodeContent::isKnownFamily(text("family")))
        fail(QStringLiteral("unknown family \"%1\"").arg(text("family")));
    for (const char *key : {"title", "meaning", "causes", "symptoms", "check_first", "seriousness"})
        if (text(key).trimmed().size() <= 2)
            fail(QStringLiteral("\"%1\" is empty or too thin").arg(QLatin1String(key)));
    static const QStringList levels = {QStringLiteral("drive"), QStringLiteral("drive soon"), QStringLiteral("stop")};
    if (!levels.contains(text("seriousness")))
        fail(QStringLiteral("seriousness \"%1\" is not drive, drive soon or stop").arg(text("seriousness")));
    const QStringList causes = text("causes").split(QLatin1Char(';'));
    if (causes.size() < 2 || std::any_of(causes.cbegin(), causes.cend(), [](const QString &c) { return c.trimmed().isEmpty(); }))
        fail(QStringLiteral("the causes are not a list of at least two, separated by \";\""));
    checkCircuitWording(row, fail);
    static const QRegularExpression unfinished(QStringLiteral("\\b(todo|fixme|tbd|lorem|xxx|placeholder)\\b"),
                                               QRegularExpression::CaseInsensitiveOption);
    for (const QString &key : kKeys)
        if (unfinished.match(row.value(key).toString()).hasMatch())
            fail(QStringLiteral("\"%1\" holds unfinished text").arg(key));
}

QJsonDocument readJson(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Failure{QStringLiteral("cannot open %1: %2").arg(path, f.errorString())};
    QJsonParseError pe{};
    QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &pe);
    if (pe.error != QJsonParseError::NoError)
        throw Failure{QStringLiteral("%1: JSON error at offset %2: %3").arg(path).arg(pe.offset).arg(pe.errorString())};
    return doc;
}

// A map of plain strings, e.g. "vars" or the fields of a template.
QHash<QString, QString> stringMap(const QJsonValue &v, const QString &where)
{
    QHash<QString, QString> out;
    if (v.isUndefined() || v.isNull())
        return out;
    if (!v.isObject())
        throw Failure{where + QStringLiteral(" must be an object of strings")};
    const QJsonObject o = v.toObject();
    for (auto it = o.begin(); it != o.end(); ++it) {
        if (!it.value().isString())
            throw Failure{where + QStringLiteral(": \"") + it.key() + QStringLiteral("\" is not a string")};
        out.insert(it.key(), it.value().toString());
    }
    return out;
}

void checkCode(const QString &code, const QString &where)
{
    if (!codePattern().match(code).hasMatch())
        throw Failure{where + QStringLiteral(": \"") + code + QStringLiteral("\" is not a well-formed code")};
}

// codes.json: an array of objects with exactly the eleven string keys.
QMap<QString, QJsonObject> loadWritten(const QString &path)
{
    const QJsonDocument doc = readJson(path);
    if (!doc.isArray())
        throw Failure{path + QStringLiteral(": the top level must be an array")};
    QMap<QString, QJsonObject> out;
    const QJsonArray arr = doc.array();
    for (qsizetype i = 0; i < arr.size(); ++i) {
        const QString where = path + QStringLiteral(" [%1]").arg(i);
        if (!arr.at(i).isObject())
            throw Failure{where + QStringLiteral(" is not an object")};
        const QJsonObject o = arr.at(i).toObject();
        for (const QString &k : kKeys) {
            if (!o.value(k).isString())
                throw Failure{where + QStringLiteral(": \"") + k + QStringLiteral("\" missing or not a string")};
        }
        if (o.size() != kKeys.size())
            throw Failure{where + QStringLiteral(": unexpected keys")};
        const QString code = o.value(QStringLiteral("code")).toString();
        checkCode(code, where);
        if (out.contains(code))
            throw Failure{where + QStringLiteral(": duplicate code ") + code};
        out.insert(code, o);
    }
    return out;
}

// Replaces {name} with vars[name]; {Name} (first letter upper case) gives the
// value of {name} with its first letter upper-cased.
QString expand(const QString &text, const QHash<QString, QString> &vars, const QString &where)
{
    static const QRegularExpression ph(QStringLiteral("\\{([A-Za-z_][A-Za-z0-9_]*)\\}"));
    QString out;
    qsizetype last = 0;
    auto it = ph.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        const QString name = m.captured(1);
        QString value;
        if (vars.contains(name)) {
            value = vars.value(name);
        } else {
            const QString lower = name.left(1).toLower() + name.mid(1);
            if (lower == name || !vars.contains(lower))
                throw Failure{where + QStringLiteral(": unknown placeholder {") + name + QStringLiteral("}")};
            value = vars.value(lower);
            if (!value.isEmpty())
                value[0] = value.at(0).toUpper();
        }
        out += value;
        last = m.capturedEnd();
    }
    out += text.mid(last);
    if (out.contains(QLatin1Char('{')) || out.contains(QLatin1Char('}')))
        throw Failure{where + QStringLiteral(": stray brace after expansion")};
    return out;
}

// code_blocks.json (format in content/README.md).
QMap<QString, QJsonObject> loadBlocks(const QString &path)
{
    const QJsonDocument doc = readJson(path);
    if (!doc.isObject())
        throw Failure{path + QStringLiteral(": the top level must be an object")};
    const QJsonObject root = doc.object();
    const QStringList textKeys = kKeys.mid(1); // every key but "code"
    auto onlyTextKeys = [&](const QHash<QString, QString> &map, const QString &where) {
        for (auto it = map.begin(); it != map.end(); ++it) {
            if (!textKeys.contains(it.key()))
                throw Failure{where + QStringLiteral(": unknown key \"") + it.key() + QStringLiteral("\"")};
        }
        return map;
    };
    const QHash<QString, QString> defaults =
        onlyTextKeys(stringMap(root.value(QStringLiteral("defaults")), path + QStringLiteral(" defaults")),
                     path + QStringLiteral(" defaults"));

    QHash<QString, QHash<QString, QString>> templates;
    const QJsonValue tv = root.value(QStringLiteral("templates"));
    if (!tv.isObject())
        throw Failure{path + QStringLiteral(": \"templates\" must be an object")};
    const QJsonObject tobj = tv.toObject();
    for (auto it = tobj.begin(); it != tobj.end(); ++it) {
        const QString where = path + QStringLiteral(" template ") + it.key();
        templates.insert(it.key(), onlyTextKeys(stringMap(it.value(), where), where));
    }

    const QJsonValue gv = root.value(QStringLiteral("groups"));
    if (!gv.isArray())
        throw Failure{path + QStringLiteral(": \"groups\" must be an array")};
    const QJsonArray groups = gv.toArray();

    QMap<QString, QJsonObject> out;
    for (qsizetype gi = 0; gi < groups.size(); ++gi) {
        const QString gwhere = path + QStringLiteral(" group %1").arg(gi);
        if (!groups.at(gi).isObject())
            throw Failure{gwhere + QStringLiteral(" is not an object")};
        const QJsonObject g = groups.at(gi).toObject();
        for (auto it = g.begin(); it != g.end(); ++it) {
            if (it.key() != QLatin1String("vars") && it.key() != QLatin1String("codes") && !textKeys.contains(it.key()))
                throw Failure{gwhere + QStringLiteral(": unknown key \"") + it.key() + QStringLiteral("\"")};
            if (textKeys.contains(it.key()) && !it.value().isString())
                throw Failure{gwhere + QStringLiteral(": \"") + it.key() + QStringLiteral("\" is not a string")};
        }
        const QHash<QString, QString> gvars = stringMap(g.value(QStringLiteral("vars")), gwhere + QStringLiteral(" vars"));
        const QJsonValue cv = g.value(QStringLiteral("codes"));
        if (!cv.isObject() || cv.toObject().isEmpty())
            throw Failure{gwhere + QStringLiteral(": \"codes\" must be a non-empty object")};
        const QJsonObject codes = cv.toObject();
        for (auto ci = codes.begin(); ci != codes.end(); ++ci) {
            const QString code = ci.key();
            const QString where = gwhere + QStringLiteral(" code ") + code;
            checkCode(code, where);
            if (out.contains(code))
                throw Failure{where + QStringLiteral(": duplicate code")};

            // A code entry is a template name, or an object with "template",
            // optional "vars" and optional field overrides.
            QString tname;
            QHash<QString, QString> cvars;
            QJsonObject cfields;
            if (ci.value().isString()) {
                tname = ci.value().toString();
            } else if (ci.value().isObject()) {
                const QJsonObject co = ci.value().toObject();
                for (auto it = co.begin(); it != co.end(); ++it) {
                    if (it.key() == QLatin1String("template")) {
                        if (!it.value().isString())
                            throw Failure{where + QStringLiteral(": \"template\" is not a string")};
                        tname = it.value().toString();
                    } else if (it.key() == QLatin1String("vars")) {
                        cvars = stringMap(it.value(), where + QStringLiteral(" vars"));
                    } else if (textKeys.contains(it.key()) && it.value().isString()) {
                        cfields.insert(it.key(), it.value());
                    } else {
                        throw Failure{where + QStringLiteral(": bad key \"") + it.key() + QStringLiteral("\"")};
                    }
                }
            } else {
                throw Failure{where + QStringLiteral(": must be a template name or an object")};
            }
            if (!templates.contains(tname))
                throw Failure{where + QStringLiteral(": unknown template \"") + tname + QStringLiteral("\"")};
            const QHash<QString, QString> &tpl = templates[tname];

            QHash<QString, QString> vars = gvars;
            for (auto it = cvars.begin(); it != cvars.end(); ++it)
                vars.insert(it.key(), it.value());
            vars.insert(QStringLiteral("code"), code);

            QJsonObject row;
            row.insert(QStringLiteral("code"), code);
            for (const QString &k : textKeys) {
                QString raw;
                bool found = true;
                if (cfields.contains(k))
                    raw = cfields.value(k).toString();
                else if (g.contains(k))
                    raw = g.value(k).toString();
                else if (tpl.contains(k))
                    raw = tpl.value(k);
                else if (defaults.contains(k))
                    raw = defaults.value(k);
                else
                    found = false;
                if (!found)
                    throw Failure{where + QStringLiteral(": no text for \"") + k + QStringLiteral("\"")};
                row.insert(k, expand(raw, vars, where + QStringLiteral(" ") + k));
            }
            out.insert(code, row);
        }
    }
    return out;
}

} // namespace

namespace CodeContent {

QStringList keys()
{
    return kKeys;
}

const QStringList &families()
{
    return kFamilies;
}

bool isKnownFamily(const QString &family)
{
    static const QRegularExpression part(QStringLiteral("^(sensor|actuator): [a-z0-9][a-zA-Z0-9 /()-]+[a-zA-Z0-9)]$"));
    return kFamilies.contains(family) || part.match(family).hasMatch();
}

QString structureProblem(const QJsonArray &rows)
{
    for (const QJsonValue &v : rows) {
        const QJsonObject o = v.toObject();
        const QString prefix = o.value(QStringLiteral("prefix")).toString();
        const QString meaning = o.value(QStringLiteral("meaning")).toString();
        if (prefix.startsWith(QLatin1Char('C')) && prefix.size() == 2 && everyMakeClaim().match(meaning).hasMatch())
            return prefix + QStringLiteral(": chassis codes do not mean the same on every make");
    }
    return {};
}

QList<QJsonObject> load(const QString &contentDir, QString *error)
{
    try {
        const QDir dir(contentDir);
        QMap<QString, QJsonObject> all = loadBlocks(dir.filePath(QStringLiteral("code_blocks.json")));
        const QMap<QString, QJsonObject> written = loadWritten(dir.filePath(QStringLiteral("codes.json")));
        for (auto it = written.begin(); it != written.end(); ++it)
            all.insert(it.key(), it.value()); // written by hand wins
        for (const QJsonObject &row : std::as_const(all))
            checkRow(row);
        if (error)
            error->clear();
        return all.values(); // QMap keeps the codes sorted
    } catch (const Failure &f) {
        if (error)
            *error = f.text;
        return {};
    }
}

} // namespace CodeContent
