#include "vpic.h"
#include "model.h"

#include <QFile>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <array>
#include <cmath>
#include <sqlite3.h>

namespace {

constexpr int kFirstYear = 1981;
constexpr int kLastYear = 2026;
constexpr int kOpenRecent = 2010;
constexpr int kOpenOld = 2;

enum Element : int {
    BodyClass = 5,
    Cylinders = 9,
    Displacement = 13,
    DriveType = 15,
    FuelPrimary = 24,
    Gvwr = 25,
    ModelName = 28,
    Series = 34,
    Trim = 38,
    FuelSecondary = 66,
    Electrification = 126,
    Turbo = 135,
};

// A pattern key as one character mask per VIN position 4-8 and 10-17.
struct Key
{
    std::array<quint64, 13> mask;
};

int symbol(QChar c)
{
    const char16_t u = c.toUpper().unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'Z')
        return 10 + (u - 'A');
    return -1;
}

Key parseKey(const QString &text)
{
    Key k;
    k.mask.fill(~quint64(0));
    int slot = 0;
    for (qsizetype i = 0; i < text.size() && slot < 13; ++i) {
        const QChar c = text[i];
        if (c == u'|') {
            slot = 5;
            continue;
        }
        if (c == u'[') {
            quint64 m = 0;
            qsizetype j = i + 1;
            for (; j < text.size() && text[j] != u']'; ++j) {
                const int a = symbol(text[j]);
                if (j + 2 < text.size() && text[j + 1] == u'-' && text[j + 2] != u']') {
                    const int b = symbol(text[j + 2]);
                    for (int s = qMin(a, b); s >= 0 && s <= qMax(a, b); ++s)
                        m |= quint64(1) << s;
                    j += 2;
                } else if (a >= 0) {
                    m |= quint64(1) << a;
                }
            }
            k.mask[slot++] = m ? m : ~quint64(0);
            i = j;
            continue;
        }
        const int s = symbol(c);
        k.mask[slot++] = s >= 0 ? quint64(1) << s : ~quint64(0);
    }
    return k;
}

bool fits(const Key &a, const Key &b)
{
    for (int i = 0; i < 13; ++i)
        if (!(a.mask[i] & b.mask[i]))
            return false;
    return true;
}

struct Pat
{
    QString keyText;
    Key key;
    int element = 0;
    QString value;
};

class Reader
{
public:
    explicit Reader(const QString &path)
    {
        const QByteArray uri = "file:" + QFile::encodeName(path) + "?mode=ro&immutable=1";
        if (sqlite3_open_v2(uri.constData(), &m_db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) != SQLITE_OK)
            fail(path);
        m_path = path;
    }
    ~Reader() { sqlite3_close(m_db); }
    Reader(const Reader &) = delete;
    Reader &operator=(const Reader &) = delete;

    // Calls f for every row, with the columns as texts.
    template <typename F>
    void each(const char *sql, F f)
    {
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(m_db, sql, -1, &st, nullptr) != SQLITE_OK)
            fail(m_path);
        const int n = sqlite3_column_count(st);
        QStringList cols(n);
        while (sqlite3_step(st) == SQLITE_ROW) {
            for (int i = 0; i < n; ++i) {
                const auto *t = reinterpret_cast<const char *>(sqlite3_column_text(st, i));
                cols[i] = t ? QString::fromUtf8(t) : QString();
            }
            f(cols);
        }
        sqlite3_finalize(st);
    }

    QHash<int, QString> names(const char *sql)
    {
        QHash<int, QString> out;
        each(sql, [&](const QStringList &c) { out.insert(c[0].toInt(), c[1].trimmed()); });
        return out;
    }

private:
    [[noreturn]] void fail(const QString &path)
    {
        throw GenError{QStringLiteral("cannot read the vPIC catalogue %1: %2").arg(path, QString::fromUtf8(sqlite3_errmsg(m_db)))};
    }
    sqlite3 *m_db = nullptr;
    QString m_path;
};

// Drive hints in a series or trim name: "XLT 4x4", "AWD", "FE FWD".
QStringList drivesIn(const QString &text)
{
    static const char *const hints[][2] = {
        {"\\b(4WD|4X4|4MATIC|QUATTRO|XDRIVE|ALL4)\\b", "4WD"},
        {"\\b(AWD|E-?AWD|SH-AWD)\\b", "AWD"},
        {"\\b(2WD|4X2)\\b", "2WD"},
        {"\\bFWD\\b", "FWD"},
        {"\\b(RWD|SDRIVE)\\b", "RWD"},
    };
    static QList<QRegularExpression> res;
    if (res.isEmpty())
        for (const auto &h : hints)
            res << QRegularExpression(QString::fromLatin1(h[0]));
    QStringList out;
    const QString upper = text.toUpper();
    for (qsizetype i = 0; i < res.size(); ++i)
        if (res[i].match(upper).hasMatch())
            out << QString::fromLatin1(hints[i][1]);
    return out;
}

QString driveOf(const QString &vpicName)
{
    if (vpicName.startsWith(QLatin1String("FWD")))
        return QStringLiteral("FWD");
    if (vpicName.startsWith(QLatin1String("RWD")))
        return QStringLiteral("RWD");
    if (vpicName.startsWith(QLatin1String("AWD")))
        return QStringLiteral("AWD");
    if (vpicName.startsWith(QLatin1String("4WD")) || vpicName == QLatin1String("2WD/4WD"))
        return QStringLiteral("4WD");
    if (vpicName == QLatin1String("4x2"))
        return QStringLiteral("2WD");
    return QString();
}

// The first pattern of `element` that fits both keys, preferring one with
// exactly the engine pattern's key.
const Pat *firstFit(const QList<const Pat *> &pats, const Key &model, const Pat &engine)
{
    const Pat *loose = nullptr;
    for (const Pat *p : pats) {
        if (!fits(p->key, model) || !fits(p->key, engine.key))
            continue;
        if (p->keyText == engine.keyText)
            return p;
        if (!loose)
            loose = p;
    }
    return loose;
}

// The bit of a model year's code (VIN position 10) in a key's mask.
quint64 yearBit(int year)
{
    static const char codes[] = "ABCDEFGHJKLMNPRSTVWXY123456789";
    const int s = symbol(QChar::fromLatin1(codes[(year - 1980) % 30]));
    return quint64(1) << s;
}

struct Facts
{
    QList<QPair<VpicEngine, quint64>> engines; // with the model-year codes its keys allow
    QStringList drives, bodies;
    int gvwr = 0, gvwrLight = 0;
};

void addUnique(QStringList &list, const QString &s)
{
    if (!s.isEmpty() && !list.contains(s))
        list << s;
}

Facts factsFor(const Pat &model, const QMap<int, QList<const Pat *>> &byElement, const QHash<int, QString> &fuels,
               const QHash<int, QString> &drives, const QHash<int, QString> &bodies, const QHash<int, int> &gvwr)
{
    Facts f;
    const auto fitting = [&](int element) {
        QList<const Pat *> out;
        for (const Pat *p : byElement.value(element))
            if (fits(p->key, model.key))
                out << p;
        return out;
    };
    const QList<const Pat *> cyl = fitting(Cylinders), fuel = fitting(FuelPrimary), second = fitting(FuelSecondary),
                             turbo = fitting(Turbo), elec = fitting(Electrification);
    // An engine pattern belongs to the model only when no other model's
    // pattern admits its key: a schema of one model, or a key that fixes
    // both. A multi-model schema's shared engine pool is nobody's.
    const auto tied = [&](const Pat &p) {
        for (const Pat *o : byElement.value(ModelName))
            if (o->value != model.value && fits(o->key, p.key))
                return false;
        return true;
    };
    for (const Pat *d : fitting(Displacement)) {
        if (!tied(*d))
            continue;
        VpicEngine e;
        e.litres = std::round(d->value.toDouble() * 10.0) / 10.0;
        if (e.litres <= 0 || e.litres > 16)
            continue;
        if (const Pat *c = firstFit(cyl, model.key, *d))
            e.cylinders = c->value.toInt();
        if (const Pat *p = firstFit(fuel, model.key, *d))
            e.fuel = fuels.value(p->value.toInt());
        if (const Pat *p = firstFit(turbo, model.key, *d))
            e.turbo = p->value == QLatin1String("1");
        if (const Pat *p = firstFit(second, model.key, *d))
            e.hybrid = fuels.value(p->value.toInt()) == QLatin1String("Electric");
        if (const Pat *p = firstFit(elec, model.key, *d))
            e.hybrid = e.hybrid || p->value != QLatin1String("4");
        if (e.fuel == QLatin1String("Electric"))
            continue; // a displacement with an electric primary fuel is a range extender: listed by its motor
        const QPair<VpicEngine, quint64> entry{e, d->key.mask[5] & model.key.mask[5]};
        if (!f.engines.contains(entry))
            f.engines << entry;
    }
    for (const Pat *p : fuel)
        if (fuels.value(p->value.toInt()) == QLatin1String("Electric") && tied(*p)) {
            VpicEngine e;
            e.fuel = QStringLiteral("Electric");
            const QPair<VpicEngine, quint64> entry{e, p->key.mask[5] & model.key.mask[5]};
            if (!f.engines.contains(entry))
                f.engines << entry;
        }
    for (const Pat *p : fitting(DriveType))
        addUnique(f.drives, driveOf(drives.value(p->value.toInt())));
    for (const Pat *p : fitting(Series) + fitting(Trim))
        for (const QString &d : drivesIn(p->value))
            addUnique(f.drives, d);
    for (const Pat *p : fitting(BodyClass))
        addUnique(f.bodies, bodies.value(p->value.toInt()));
    for (const Pat *p : fitting(Gvwr)) {
        const int cls = gvwr.value(p->value.toInt());
        f.gvwr = qMax(f.gvwr, cls);
        if (cls > 0)
            f.gvwrLight = f.gvwrLight > 0 ? qMin(f.gvwrLight, cls) : cls;
    }
    return f;
}

} // namespace

QString VpicCatalog::dataDate(const QString &path)
{
    Reader r(path);
    QString date;
    r.each("SELECT MAX(COALESCE(UpdatedOn, CreatedOn)) FROM Pattern", [&](const QStringList &c) { date = c[0].left(10); });
    return date;
}

QList<VpicLine> VpicCatalog::read(const QString &path)
{
    Reader r(path);
    const QHash<int, QString> makes = r.names("SELECT Id, Name FROM Make");
    const QHash<int, QString> models = r.names("SELECT Id, Name FROM Model");
    const QHash<int, QString> fuels = r.names("SELECT Id, Name FROM FuelType");
    const QHash<int, QString> drives = r.names("SELECT Id, Name FROM DriveType");
    const QHash<int, QString> bodies = r.names("SELECT Id, Name FROM BodyStyle");
    QHash<int, int> gvwr;
    static const QRegularExpression classRe(QStringLiteral("^Class (\\d)"));
    r.each("SELECT Id, Name FROM GrossVehicleWeightRating", [&](const QStringList &c) {
        gvwr.insert(c[0].toInt(), classRe.match(c[1]).captured(1).toInt());
    });
    QHash<int, QSet<int>> makesOfModel;
    r.each("SELECT ModelId, MakeId FROM Make_Model", [&](const QStringList &c) { makesOfModel[c[0].toInt()].insert(c[1].toInt()); });
    QHash<int, int> wmiType;
    r.each("SELECT Id, VehicleTypeId FROM Wmi", [&](const QStringList &c) { wmiType.insert(c[0].toInt(), c[1].toInt()); });
    QHash<int, QSet<int>> makesOfWmi;
    r.each("SELECT WmiId, MakeId FROM Wmi_Make", [&](const QStringList &c) { makesOfWmi[c[0].toInt()].insert(c[1].toInt()); });
    // The year of a schema's newest model pattern: an open range stops the
    // model year after it, where the catalogue stopped adding the line's VINs.
    QHash<int, int> newest;
    r.each("SELECT VinSchemaId, MAX(COALESCE(UpdatedOn, CreatedOn)) FROM Pattern WHERE ElementId = 28 GROUP BY VinSchemaId",
           [&](const QStringList &c) { newest.insert(c[0].toInt(), c[1].left(4).toInt()); });
    struct Use { int wmi, from, to; };
    QMap<int, QList<Use>> uses; // by schema, in id order
    r.each("SELECT VinSchemaId, WmiId, YearFrom, YearTo FROM Wmi_VinSchema ORDER BY Id", [&](const QStringList &c) {
        const int type = wmiType.value(c[1].toInt());
        if (type != 2 && type != 3 && type != 5 && type != 7 && type != 10)
            return;
        // An open-ended schema runs on while its patterns are kept up (to
        // the model year after its newest one) when it is recent; an old one
        // left open is taken for its first years alone.
        const int first = c[2].toInt();
        const int kept = newest.value(c[0].toInt());
        const int last = !c[3].isEmpty() ? c[3].toInt()
                         : first >= kOpenRecent ? (kept > 0 ? qMax(first, kept + 1) : kLastYear)
                                                : first + kOpenOld;
        const int from = qMax(kFirstYear, first);
        const int to = qMin(kLastYear, last);
        if (from <= to)
            uses[c[0].toInt()].append({c[1].toInt(), from, to});
    });

    QHash<int, QList<Pat>> patterns; // by schema
    r.each("SELECT VinSchemaId, Keys, ElementId, AttributeId FROM Pattern WHERE ElementId IN (5, 9, 13, 15, 24, 25, 28, 34, 38, 66, 126, 135) "
           "ORDER BY VinSchemaId, Id",
           [&](const QStringList &c) {
               const int schema = c[0].toInt();
               if (!uses.contains(schema))
                   return;
               patterns[schema].append({c[1], parseKey(c[1]), c[2].toInt(), c[3]});
           });

    QHash<QString, qsizetype> index; // "MAKE|model" in lower case -> line
    QList<VpicLine> lines;
    for (auto it = uses.cbegin(); it != uses.cend(); ++it) {
        const QList<Pat> &pats = patterns.value(it.key());
        QMap<int, QList<const Pat *>> byElement;
        for (const Pat &p : pats)
            byElement[p.element].append(&p);
        for (const Pat *m : byElement.value(ModelName)) {
            const int modelID = m->value.toInt();
            const QString name = models.value(modelID);
            if (name.isEmpty())
                continue;
            const Facts f = factsFor(*m, byElement, fuels, drives, bodies, gvwr);
            for (const Use &u : it.value()) {
                for (const int makeID : makesOfWmi.value(u.wmi)) {
                    if (!makesOfModel.value(modelID).contains(makeID))
                        continue;
                    const QString display = makes.value(makeID);
                    const QString key = display.toUpper() + QLatin1Char('|') + name.toLower();
                    qsizetype at = index.value(key, -1);
                    if (at < 0) {
                        at = lines.size();
                        index.insert(key, at);
                        VpicLine l;
                        l.make = display.toUpper();
                        l.makeDisplay = display;
                        l.model = name;
                        lines.append(l);
                    }
                    VpicLine &l = lines[at];
                    l.types[wmiType.value(u.wmi)] += 1;
                    l.gvwrClass = qMax(l.gvwrClass, f.gvwr);
                    if (f.gvwrLight > 0)
                        l.gvwrLight = l.gvwrLight > 0 ? qMin(l.gvwrLight, f.gvwrLight) : f.gvwrLight;
                    l.patterns += 1;
                    for (int y = u.from; y <= u.to; ++y) {
                        VpicYear &vy = l.years[y];
                        for (const auto &[e, years] : f.engines)
                            if ((years & yearBit(y)) && !vy.engines.contains(e))
                                vy.engines << e;
                        for (const QString &d : f.drives)
                            addUnique(vy.drives, d);
                        for (const QString &b : f.bodies)
                            addUnique(vy.bodies, b);
                    }
                }
            }
        }
    }
    return lines;
}
