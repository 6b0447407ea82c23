#include "codecontent.h"
#include "guidecontent.h"
#include "model.h"

#include <QDate>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

Profile Profile::byName(const QString &name)
{
    Profile p;
    p.name = name;
    if (name == QLatin1String("sample")) {
        p.recalls = 400;
        p.investigations = 40;
        p.bulletins = 24000;
    } else if (name == QLatin1String("full")) {
        p.full = true;
        p.vehicles = 2284;
        p.recalls = 11504;
        p.investigations = 2799;
        p.bulletins = 190000;
    } else {
        throw GenError{QStringLiteral("unknown profile \"%1\" (sample or full)").arg(name)};
    }
    return p;
}

QString lineKey(const QString &make, const QString &model)
{
    return make.toUpper() + QLatin1Char('|') + model.toLower();
}

QString Vehicle::kind() const
{
    const QString t = types.toLower();
    const QString m = model.toLower();
    if (t.contains(QLatin1String("truck")) && !t.contains(QLatin1String("mpv")))
        return QStringLiteral("truck");
    if (t.contains(QLatin1String("mpv"))) {
        if (m.contains(QLatin1String("van")) || m.contains(QLatin1String("caravan")) || m.contains(QLatin1String("odyssey")))
            return QStringLiteral("van");
        return QStringLiteral("suv");
    }
    return QStringLiteral("car");
}

bool Vehicle::electric() const
{
    if (engines.isEmpty())
        return false;
    for (const Engine &e : engines)
        if (e.evMotor.isEmpty())
            return false;
    return true;
}

const Vehicle *Model::find(const QString &make, const QString &model) const
{
    for (const Vehicle &v : vehicles)
        if (v.make == make && v.model == model)
            return &v;
    return nullptr;
}

const Vehicle *Model::byID(qint64 id) const
{
    // vehicles are kept sorted by id
    auto it = std::lower_bound(vehicles.begin(), vehicles.end(), id, [](const Vehicle &v, qint64 k) { return v.id < k; });
    return (it != vehicles.end() && it->id == id) ? &*it : nullptr;
}

QMap<QPair<qint64, int>, QList<qint64>> Model::tsbLinks() const
{
    QMap<QPair<qint64, int>, QList<qint64>> out;
    for (const TsbRow &t : tsbs) // ascending ids, so every list ends up ascending
        for (const Link &l : t.links)
            out[{l.vid, l.year}].append(t.id);
    return out;
}

QList<YearRun> parseRuns(const QString &text, const QString &where)
{
    QList<YearRun> runs;
    static const QRegularExpression re(QStringLiteral("^\\s*(\\d{4})(?:\\s*-\\s*(\\d{4}))?\\s*$"));
    for (const QString &part : text.split(QLatin1Char(','))) {
        const auto m = re.match(part);
        if (!m.hasMatch())
            throw GenError{where + QStringLiteral(": bad year run \"") + part + QStringLiteral("\"")};
        const int a = m.captured(1).toInt();
        const int b = m.captured(2).isEmpty() ? a : m.captured(2).toInt();
        if (a < 1970 || b > 2026 || b < a)
            throw GenError{where + QStringLiteral(": year run out of 1970-2026: \"") + part + QStringLiteral("\"")};
        runs.append({a, b});
    }
    return runs;
}

QString yearRunsText(const QList<int> &years)
{
    QStringList parts;
    for (qsizetype i = 0; i < years.size();) {
        qsizetype j = i;
        while (j + 1 < years.size() && years[j + 1] == years[j] + 1)
            ++j;
        parts << (i == j ? QString::number(years[i])
                         : QString::number(years[i]) + QChar(0x2013) + QString::number(years[j]));
        i = j + 1;
    }
    return parts.join(QStringLiteral(", "));
}

QString linkedYearsPhrase(const Model &m, const QList<Link> &links,
                          const std::function<QString(const Vehicle *)> &name)
{
    QList<qint64> order;
    QMap<qint64, QList<int>> years;
    for (const Link &l : links) {
        if (!years.contains(l.vid))
            order.append(l.vid);
        years[l.vid].append(l.year);
    }
    QStringList parts;
    for (const qint64 vid : order) {
        QList<int> ys = years[vid];
        std::sort(ys.begin(), ys.end());
        QString y = yearRunsText(ys);
        y.replace(QChar(0x2013), QLatin1Char('-'));
        parts << y + QLatin1Char(' ') + name(m.byID(vid));
    }
    if (parts.size() <= 1)
        return parts.join(QString());
    const QString last = parts.takeLast();
    return parts.join(QStringLiteral(", ")) + QStringLiteral(" and ") + last;
}

QString isoDate(int year, int dayOfYear)
{
    const QDate d = QDate(year, 1, 1).addDays(qMax(0, dayOfYear));
    return d.toString(Qt::ISODate);
}

namespace {

QJsonDocument readJson(const QString &dir, const QString &name, const QString &owner)
{
    const QString path = dir + QLatin1Char('/') + name;
    QFile f(path);
    if (!f.exists())
        throw GenError{QStringLiteral("content file %1 is missing (%2)").arg(path, owner)};
    if (!f.open(QIODevice::ReadOnly))
        throw GenError{QStringLiteral("content file %1 cannot be read: %2").arg(path, f.errorString())};
    QJsonParseError pe{};
    const QJsonDocument doc = QJsonDocument::fromJson(f.readAll(), &pe);
    if (pe.error != QJsonParseError::NoError)
        throw GenError{QStringLiteral("content file %1: JSON error at offset %2: %3").arg(path).arg(pe.offset).arg(pe.errorString())};
    return doc;
}

QJsonArray array(const QString &dir, const QString &name, const QString &owner)
{
    const QJsonDocument d = readJson(dir, name, owner);
    if (!d.isArray())
        throw GenError{QStringLiteral("content file %1/%2 must hold a JSON array").arg(dir, name)};
    return d.array();
}

QJsonObject object(const QString &dir, const QString &name, const QString &owner)
{
    const QJsonDocument d = readJson(dir, name, owner);
    if (!d.isObject())
        throw GenError{QStringLiteral("content file %1/%2 must hold a JSON object").arg(dir, name)};
    return d.object();
}

} // namespace

Content loadContent(const QString &dir)
{
    Content c;
    c.dir = dir;
    const QString gen = QStringLiteral("the generator's own content");
    const QString codes = QStringLiteral("trouble-code content");
    const QString guides = QStringLiteral("guide content");
    c.vehicles = object(dir, QStringLiteral("vehicles.json"), gen);
    c.agency = object(dir, QStringLiteral("agency.json"), gen);
    const QJsonObject names = object(dir, QStringLiteral("agency_names.json"), gen);
    c.nameAliases = names.value(QStringLiteral("aliases")).toArray();
    for (const QJsonValue &v : names.value(QStringLiteral("proper_names")).toArray())
        c.properNames << v.toString();
    for (const char *name : {"codes.json", "code_blocks.json"})
        if (!QFileInfo::exists(dir + QLatin1Char('/') + QLatin1String(name)))
            throw GenError{QStringLiteral("content file %1/%2 is missing (%3)").arg(dir, QLatin1String(name), codes)};
    QString error;
    c.codes = CodeContent::load(dir, &error);
    if (c.codes.isEmpty())
        throw GenError{QStringLiteral("trouble codes in %1 (codes.json, code_blocks.json) could not be read: %2")
                           .arg(dir, error.isEmpty() ? QStringLiteral("no codes") : error)};
    c.structure = array(dir, QStringLiteral("structure.json"), codes);
    if (const QString problem = CodeContent::structureProblem(c.structure); !problem.isEmpty())
        throw GenError{QStringLiteral("content file %1/structure.json: %2").arg(dir, problem)};
    c.guides = array(dir, QStringLiteral("guides.json"), guides);
    c.safety = array(dir, QStringLiteral("safety.json"), guides);
    c.sources = array(dir, QStringLiteral("sources.json"), guides);
    c.obd1 = array(dir, QStringLiteral("obd1.json"), guides);
    c.eras = array(dir, QStringLiteral("eras.json"), guides);
    c.refs = array(dir, QStringLiteral("refs.json"), guides);
    // A guide whose answers lead nowhere, loop or skip a step is never written.
    if (const QStringList bad = GuideContent::problems(c.guides, c.safety, c.sources); !bad.isEmpty())
        throw GenError{QStringLiteral("content file %1/guides.json: %2 broken guide step(s): %3")
                           .arg(dir).arg(bad.size()).arg(bad.mid(0, 5).join(QStringLiteral("; ")))};
    if (QFileInfo::exists(dir + QStringLiteral("/fleet_ids.json"))) {
        const QJsonObject ids = object(dir, QStringLiteral("fleet_ids.json"), gen).value(QStringLiteral("ids")).toObject();
        QSet<qint64> seen;
        for (auto it = ids.begin(); it != ids.end(); ++it) {
            const qint64 id = it.value().toInteger(0);
            if (id <= 0 || seen.contains(id) || !it.key().contains(QLatin1Char('|')))
                throw GenError{QStringLiteral("fleet_ids.json: \"%1\" needs an id of its own").arg(it.key())};
            seen.insert(id);
            c.fleetIds.insert(lineKey(it.key().section(QLatin1Char('|'), 0, 0), it.key().section(QLatin1Char('|'), 1)), id);
        }
        // A renamed line keeps the id of its first name.
        const QJsonObject renamed = object(dir, QStringLiteral("fleet_ids.json"), gen).value(QStringLiteral("renamed")).toObject();
        for (auto it = renamed.begin(); it != renamed.end(); ++it) {
            const auto key = [](const QString &k) { return lineKey(k.section(QLatin1Char('|'), 0, 0), k.section(QLatin1Char('|'), 1)); };
            const qint64 id = c.fleetIds.value(key(it.key()), 0);
            if (id <= 0 || c.fleetIds.contains(key(it.value().toString())))
                throw GenError{QStringLiteral("fleet_ids.json: renamed \"%1\" names no line with an id, or its new name has one").arg(it.key())};
            c.fleetIds.remove(key(it.key()));
            c.fleetIds.insert(key(it.value().toString()), id);
        }
        // A merged line keeps its id reserved: it names the line it joined.
        const QJsonObject merged = object(dir, QStringLiteral("fleet_ids.json"), gen).value(QStringLiteral("merged")).toObject();
        for (auto it = merged.begin(); it != merged.end(); ++it) {
            const auto key = [](const QString &k) { return lineKey(k.section(QLatin1Char('|'), 0, 0), k.section(QLatin1Char('|'), 1)); };
            if (!c.fleetIds.contains(key(it.key())) || !c.fleetIds.contains(key(it.value().toString())) || c.merged.contains(key(it.value().toString())))
                throw GenError{QStringLiteral("fleet_ids.json: merged \"%1\" and the line it joins need ids, and that line must stay").arg(it.key())};
            c.merged.insert(key(it.key()), key(it.value().toString()));
        }
    }
    return c;
}
