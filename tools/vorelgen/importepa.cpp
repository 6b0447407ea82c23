// EPA's fuel-economy vehicle list (vehicles.csv): one row per vehicle
// configuration and model year, with a header naming its columns. Its rows
// become the engine listings of the vehicle-years they name.

#include "agencyimport.h"
#include "epanames.h"
#include "flatfile.h"
#include "vehiclematch.h"

#include <QFile>
#include <cmath>
#include <QSet>
#include <QStringDecoder>
#include <algorithm>

namespace {

// The fields of one CSV line; quoted fields may hold commas and doubled quotes.
QStringList splitCsv(const QString &line)
{
    QStringList out;
    QString field;
    bool quoted = false;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (quoted) {
            if (c == QLatin1Char('"') && i + 1 < line.size() && line[i + 1] == QLatin1Char('"'))
                field += line[++i];
            else if (c == QLatin1Char('"'))
                quoted = false;
            else
                field += c;
        } else if (c == QLatin1Char('"')) {
            quoted = true;
        } else if (c == QLatin1Char(',')) {
            out << field;
            field.clear();
        } else {
            field += c;
        }
    }
    out << field;
    return out;
}

} // namespace

namespace {

// A column by its name in EPA's published vehicles.csv, or by the name the
// R package export of the same list gives it ("cyl", "trans", "class", "fuel").
struct Column
{
    const char *name;
    const char *alias;
    bool needed;
};

const Column kColumns[] = {
    {"year", nullptr, true},         {"make", nullptr, true},       {"model", nullptr, true},
    {"baseModel", nullptr, false},   {"displ", nullptr, true},      {"cylinders", "cyl", true},
    {"trany", "trans", true},        {"drive", nullptr, true},      {"VClass", "class", true},
    {"fuelType", "fuel", true},      {"eng_dscr", nullptr, false},  {"tCharger", nullptr, false},
    {"sCharger", nullptr, false},    {"evMotor", nullptr, false},
};

// EPA's fuel grades read as its longer names ("Regular" is "Regular Gasoline").
QString fuelName(const QString &f)
{
    if (f == QLatin1String("Regular") || f == QLatin1String("Premium") || f == QLatin1String("Midgrade"))
        return f + QStringLiteral(" Gasoline");
    return f;
}

bool flag(const QString &v)
{
    return !v.isEmpty() && v != QLatin1String("0") && v.compare(QLatin1String("false"), Qt::CaseInsensitive) != 0;
}

} // namespace

void AgencyImport::importEngines(Model &m)
{
    VehicleMatcher matcher(m);
    QList<EpaRow> rows;
    QSet<QString> seen; // a row EPA lists twice (it differs only in its mileage) is kept once
    for (const QString &path : m_files.value(Engines)) {
        // A later file's vehicle-years replace those read before.
        const qsizetype before = rows.size();
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw GenError{QStringLiteral("%1: cannot be read (%2)").arg(path, file.errorString())};
        Tally &t = begin(path);
        QStringList header;
        QHash<QString, qsizetype> column; // by the published name
        qint64 line = 0;
        const auto fail = [&](const QString &field, const QString &what) {
            throw GenError{QStringLiteral("%1, line %2%3: %4").arg(path).arg(line).arg(field.isEmpty() ? QString() : QStringLiteral(", field %1").arg(field), what)};
        };
        while (!file.atEnd()) {
            QByteArray bytes = file.readLine();
            ++line;
            const bool ended = bytes.endsWith('\n');
            while (bytes.endsWith('\n') || bytes.endsWith('\r'))
                bytes.chop(1);
            if (bytes.isEmpty())
                continue;
            if (bytes.contains('\0'))
                fail(QString(), QStringLiteral("a NUL byte: this is a binary file, not a CSV text file"));
            QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
            QString text = utf8(bytes);
            if (utf8.hasError())
                text = FlatFile::decode(bytes);
            const QStringList fields = splitCsv(text);
            if (header.isEmpty()) {
                header = fields;
                QHash<QString, qsizetype> named;
                for (qsizetype i = 0; i < header.size(); ++i)
                    named.insert(header[i].trimmed(), i);
                for (const Column &c : kColumns) {
                    const QString name = QLatin1String(c.name);
                    const qsizetype at = named.value(name, c.alias ? named.value(QLatin1String(c.alias), -1) : -1);
                    if (at >= 0)
                        column.insert(name, at);
                    else if (c.needed)
                        fail(name, QStringLiteral("the header has no column %1: not EPA's vehicles.csv").arg(name));
                }
                continue;
            }
            if (fields.size() != header.size())
                fail(QString(), ended ? QStringLiteral("%1 fields, where the header names %2").arg(fields.size()).arg(header.size())
                                      : QStringLiteral("truncated last record: %1 fields of %2 and no line end").arg(fields.size()).arg(header.size()));
            ++t.records;
            ++m.epaRows;
            // A column the file lacks reads empty, and so does the export's "NA".
            const auto get = [&](const char *name) {
                const qsizetype at = column.value(QLatin1String(name), -1);
                const QString v = at < 0 ? QString() : fields[at].trimmed();
                return v == QLatin1String("NA") ? QString() : v;
            };
            bool ok = false;
            const int year = get("year").toInt(&ok);
            if (!ok || year < 1900 || year > 2100)
                fail(QStringLiteral("year"), QStringLiteral("\"%1\" is not a model year").arg(get("year")));
            // A number in the range an engine can have (no infinity, no count past any engine's).
            const auto number = [&](const char *name, double most) {
                const QString v = get(name);
                bool good = v.isEmpty();
                const double d = v.isEmpty() ? 0.0 : v.toDouble(&good);
                if (!good || !std::isfinite(d) || d < 0 || d > most)
                    fail(QLatin1String(name), QStringLiteral("\"%1\" is not a number from 0 to %2").arg(v).arg(most));
                return d;
            };
            const double litres = number("displ", 20);
            const double cylinders = number("cylinders", 24);
            // The reviewed names table first; names it does not know go to the name matcher.
            QList<const Vehicle *> found;
            const EpaNames::Answer named = m_epaNames.look(get("make"), get("model"), year, litres);
            if (named.outcome == EpaNames::Outcome::LeftOut) {
                ++t.leftOut;
                ++m.epaNoLine;
                continue;
            }
            bool aLine = false; // a line of the build holds the name in this year, heavy-duty ones too
            if (named.outcome == EpaNames::Outcome::Mapped) {
                for (const EpaNames::Line &l : named.lines) {
                    const Vehicle *v = m.find(l.make, l.line);
                    // The full build holds every line the table names; the sample only some.
                    if (!v && m.profile.full)
                        throw GenError{QStringLiteral("%1, line %2: the EPA names table maps %3 %4 to %5 %6, which is no line of the build")
                                           .arg(path).arg(line).arg(get("make"), get("model"), l.make, l.line)};
                    aLine = aLine || (v && v->hasYear(year));
                    if (v && v->hasYear(year) && !v->heavy)
                        found.append(v);
                }
            } else {
                const Vehicle *v = nullptr;
                if (!get("baseModel").isEmpty())
                    v = matcher.match(get("make"), get("baseModel"), year);
                if (!v)
                    v = matcher.match(get("make"), get("model"), year);
                aLine = v != nullptr;
                if (v && !v->heavy)
                    found.append(v);
            }
            if (!aLine)
                ++m.epaNoLine;
            if (found.isEmpty()) {
                ++t.unmatched;
                ++t.names[QStringLiteral("%1 %2 %3").arg(get("make"), get("model")).arg(year)];
                continue;
            }
            // A fuel-burning row without its displacement says too little to list.
            if (litres == 0.0 && get("fuelType") != QLatin1String("Electricity")) {
                ++t.unmatched;
                ++t.names[QStringLiteral("%1 %2 %3 (no displacement)").arg(get("make"), get("model")).arg(year)];
                continue;
            }
            ++t.linked;
            for (const Vehicle *v : found) {
                EpaRow r;
                r.vid = v->id;
                r.year = year;
                r.variant = get("model");
                r.litres = litres;
                r.cylinders = int(cylinders);
                r.transmission = get("trany");
                r.drive = get("drive");
                r.vehicleClass = get("VClass");
                r.fuel = fuelName(get("fuelType"));
                r.engineDesc = get("eng_dscr");
                r.turbo = flag(get("tCharger"));
                r.supercharged = flag(get("sCharger"));
                r.evMotor = get("evMotor");
                const QString same = QStringList{QString::number(r.vid), QString::number(year), r.variant, QString::number(litres), QString::number(r.cylinders),
                                                 r.transmission, r.drive, r.vehicleClass, r.fuel, r.engineDesc, QString::number(r.turbo),
                                                 QString::number(r.supercharged), r.evMotor}.join(QLatin1Char('\t'));
                if (!seen.contains(same)) {
                    seen.insert(same);
                    rows.append(r);
                }
            }
        }
        if (header.isEmpty())
            throw GenError{QStringLiteral("%1: empty file").arg(path)};
        QSet<quint64> fresh;
        for (qsizetype i = before; i < rows.size(); ++i)
            fresh.insert(quint64(rows[i].vid) << 16 | quint64(rows[i].year));
        if (before > 0 && !fresh.isEmpty()) {
            QList<EpaRow> kept;
            kept.reserve(rows.size());
            for (qsizetype i = 0; i < rows.size(); ++i)
                if (i >= before || !fresh.contains(quint64(rows[i].vid) << 16 | quint64(rows[i].year)))
                    kept.append(rows[i]);
            rows = kept;
        }
    }
    // EPA's rows replace the list's for every vehicle-year EPA lists; the
    // others keep the engines of the hand-written list or the catalogue.
    QSet<quint64> listed;
    for (const EpaRow &r : rows)
        listed.insert(quint64(r.vid) << 16 | quint64(r.year));
    m.epa.removeIf([&](const EpaRow &r) { return listed.contains(quint64(r.vid) << 16 | quint64(r.year)); });
    m.epa += rows;
    std::stable_sort(m.epa.begin(), m.epa.end(), [](const EpaRow &a, const EpaRow &b) {
        return a.vid != b.vid ? a.vid < b.vid : a.year < b.year;
    });
    m.epaListed = listed;
    // A vehicle-year's sources say whether EPA lists it ("e").
    for (VehicleYear &y : m.vehicleYears) {
        y.sources.remove(QLatin1Char('e'));
        if (listed.contains(quint64(y.vid) << 16 | quint64(y.year)))
            y.sources.insert(y.sources.startsWith(QLatin1Char('v')) ? 1 : 0, QLatin1Char('e'));
    }
    m.imported.engines = true;
    credit(m, Engines, QStringLiteral("EPA fuel economy vehicle list (fueleconomy.gov)"));
}
