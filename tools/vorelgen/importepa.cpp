// EPA's fuel-economy vehicle list (vehicles.csv): one row per vehicle
// configuration and model year, with a header naming its columns. Its rows
// become the engine listings of the vehicle-years they name.

#include "agencyimport.h"
#include "flatfile.h"
#include "vehiclematch.h"

#include <QFile>
#include <QStringDecoder>

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

void AgencyImport::importEngines(Model &m)
{
    VehicleMatcher matcher(m);
    QList<EpaRow> rows;
    for (const QString &path : m_files.value(Engines)) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            throw GenError{QStringLiteral("%1: cannot be read (%2)").arg(path, file.errorString())};
        Tally &t = begin(path);
        QStringList header;
        QHash<QString, qsizetype> column;
        qint64 line = 0;
        const auto fail = [&](const QString &field, const QString &what) {
            throw GenError{QStringLiteral("%1, line %2%3: %4").arg(path).arg(line).arg(field.isEmpty() ? QString() : QStringLiteral(", field %1").arg(field), what)};
        };
        static const QStringList needed = {"year", "make", "model", "baseModel", "displ", "cylinders", "trany", "drive",
                                           "VClass", "fuelType", "eng_dscr", "tCharger", "sCharger", "evMotor"};
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
                for (qsizetype i = 0; i < header.size(); ++i)
                    column.insert(header[i].trimmed(), i);
                for (const QString &n : needed)
                    if (!column.contains(n))
                        fail(n, QStringLiteral("the header has no column %1: not EPA's vehicles.csv").arg(n));
                continue;
            }
            if (fields.size() != header.size())
                fail(QString(), ended ? QStringLiteral("%1 fields, where the header names %2").arg(fields.size()).arg(header.size())
                                      : QStringLiteral("truncated last record: %1 fields of %2 and no line end").arg(fields.size()).arg(header.size()));
            ++t.records;
            const auto get = [&](const char *name) { return fields[column.value(QLatin1String(name))].trimmed(); };
            bool ok = false;
            const int year = get("year").toInt(&ok);
            if (!ok || year < 1900 || year > 2100)
                fail(QStringLiteral("year"), QStringLiteral("\"%1\" is not a model year").arg(get("year")));
            const auto number = [&](const char *name) {
                const QString v = get(name);
                bool good = v.isEmpty();
                const double d = v.isEmpty() ? 0.0 : v.toDouble(&good);
                if (!good || d < 0)
                    fail(QLatin1String(name), QStringLiteral("\"%1\" is not a number").arg(v));
                return d;
            };
            const double litres = number("displ");
            const double cylinders = number("cylinders");
            const Vehicle *v = matcher.match(get("make"), get("baseModel"), year);
            if (!v)
                v = matcher.match(get("make"), get("model"), year);
            if (!v) {
                ++t.unmatched;
                ++t.names[QStringLiteral("%1 %2 %3").arg(get("make"), get("model")).arg(year)];
                continue;
            }
            ++t.linked;
            EpaRow r;
            r.vid = v->id;
            r.year = year;
            r.variant = get("model");
            r.litres = litres;
            r.cylinders = int(cylinders);
            r.transmission = get("trany");
            r.drive = get("drive");
            r.vehicleClass = get("VClass");
            r.fuel = get("fuelType");
            r.engineDesc = get("eng_dscr");
            r.turbo = !get("tCharger").isEmpty() && get("tCharger") != QLatin1String("0") && get("tCharger").compare(QLatin1String("false"), Qt::CaseInsensitive) != 0;
            r.supercharged = !get("sCharger").isEmpty() && get("sCharger") != QLatin1String("0") && get("sCharger").compare(QLatin1String("false"), Qt::CaseInsensitive) != 0;
            r.evMotor = get("evMotor");
            rows.append(r);
        }
        if (header.isEmpty())
            throw GenError{QStringLiteral("%1: empty file").arg(path)};
    }
    m.epa = rows;
    // A vehicle-year's sources say whether EPA lists it ("e").
    QSet<quint64> listed;
    for (const EpaRow &r : rows)
        listed.insert(quint64(r.vid) << 16 | quint64(r.year));
    for (VehicleYear &y : m.vehicleYears) {
        y.sources.remove(QLatin1Char('e'));
        if (listed.contains(quint64(y.vid) << 16 | quint64(y.year)))
            y.sources.insert(y.sources.startsWith(QLatin1Char('v')) ? 1 : 0, QLatin1Char('e'));
    }
    m.imported.engines = true;
    credit(m, Engines, QStringLiteral("EPA fuel economy vehicle list (fueleconomy.gov)"));
}
