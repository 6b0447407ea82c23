#include "agencyimport.h"
#include "flatfile.h"
#include "vehiclematch.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <algorithm>

bool AgencyImport::option(const QString &name, Kind *kind)
{
    static const QMap<QString, Kind> options = {{QStringLiteral("--recalls"), Recalls},
                                                {QStringLiteral("--investigations"), Investigations},
                                                {QStringLiteral("--bulletins"), Bulletins},
                                                {QStringLiteral("--complaints"), Complaints},
                                                {QStringLiteral("--epa"), Engines}};
    const auto it = options.constFind(name);
    if (it == options.constEnd())
        return false;
    *kind = it.value();
    return true;
}

void AgencyImport::addFolder(const QString &dir)
{
    const QDir d(dir);
    if (!d.exists())
        throw GenError{QStringLiteral("%1: no such folder").arg(dir)};
    // The files under one published name or pattern (never an empty list of
    // patterns: to QDir that means every file).
    const auto named = [&](const QString &pattern) { return d.entryList({pattern}, QDir::Files, QDir::Name); };
    // The whole file where it is there, else the published parts of it.
    const auto pick = [&](Kind kind, const QString &whole, const QString &parts, const QString &what) {
        QStringList found = named(whole);
        if (found.isEmpty() && !parts.isEmpty())
            found = named(parts);
        for (const QString &f : found)
            add(kind, d.filePath(f));
        if (found.isEmpty())
            m_notes << QStringLiteral("%1 holds no %2%3: the %4 stay generated")
                           .arg(dir, whole, parts.isEmpty() ? QString() : QStringLiteral(" or ") + parts, what);
    };
    pick(Recalls, QStringLiteral("FLAT_RCL.txt"), QStringLiteral("FLAT_RCL_*.txt"), QStringLiteral("recalls"));
    pick(Investigations, QStringLiteral("FLAT_INV.txt"), QString(), QStringLiteral("investigations"));
    pick(Complaints, QStringLiteral("FLAT_CMPL.txt"), QStringLiteral("COMPLAINTS_RECEIVED_*.txt"), QStringLiteral("complaint counts"));
    // The older bulletin file and the newer parts overlap; a bulletin id read twice is kept once.
    QStringList bulletins = named(QStringLiteral("FLAT_TSBS.txt")) + named(QStringLiteral("TSBS_RECEIVED_*.txt"));
    for (const QString &f : bulletins)
        add(Bulletins, d.filePath(f));
    if (bulletins.isEmpty())
        m_notes << QStringLiteral("%1 holds no FLAT_TSBS.txt or TSBS_RECEIVED_*.txt: the service bulletins stay generated").arg(dir);
    pick(Engines, QStringLiteral("vehicles.csv"), QString(), QStringLiteral("engine listings"));
    if (m_files.isEmpty())
        throw GenError{QStringLiteral("%1 holds none of the agencies' files (FLAT_RCL*.txt, FLAT_INV.txt, FLAT_CMPL.txt, "
                                      "FLAT_TSBS.txt or TSBS_RECEIVED_*.txt, vehicles.csv)").arg(dir)};
    readSources(d.filePath(QStringLiteral("sources.tsv")));
}

void AgencyImport::readSources(const QString &path)
{
    // sources.tsv: file name, address, date, SHA-256 (written by tools/fetch-agency-data).
    QFile sources(path);
    if (sources.open(QIODevice::ReadOnly))
        for (const QByteArray &line : sources.readAll().split('\n')) {
            const QList<QByteArray> f = line.trimmed().split('\t');
            if (f.size() >= 3)
                m_sources.insert(QString::fromUtf8(f[0]), {QString::fromUtf8(f[1]), QString::fromUtf8(f[2])});
        }
}

AgencyImport::Tally &AgencyImport::begin(const QString &path)
{
    Tally t;
    t.file = path;
    m_tallies.append(t);
    return m_tallies.last();
}

QList<const Vehicle *> AgencyImport::vehicles(VehicleMatcher &matcher, Tally &t, const FlatFile &f, int make, int model, int year, bool one)
{
    const std::optional<int> y = f.year(year);
    if (!y) {
        ++t.unknownYear;
        return {};
    }
    const QList<const Vehicle *> found = matcher.matchAll(f.text(make), f.text(model), *y);
    if (found.isEmpty() || (one && found.size() > 1)) {
        ++t.unmatched;
        ++t.names[QStringLiteral("%1 %2 %3").arg(f.text(make), f.text(model)).arg(*y)];
        return {};
    }
    ++t.linked;
    return found;
}

void AgencyImport::credit(Model &m, Kind kind, const QString &what)
{
    for (const QString &path : m_files.value(kind)) {
        const QString name = QFileInfo(path).fileName();
        QString newest;
        for (const Tally &t : m_tallies)
            if (t.file == path)
                newest = t.newest;
        const QPair<QString, QString> fetched = m_sources.value(name);
        const QString date = !fetched.second.isEmpty()
                                 ? fetched.second
                                 : QFileInfo(path).lastModified().toUTC().date().toString(QStringLiteral("yyyy-MM-dd"));
        QString text = QStringLiteral("%1 (U.S. government public data): %2, file %3").arg(what, kind == Engines ? QStringLiteral("engine listings") : QStringLiteral("records"), name);
        if (!newest.isEmpty())
            text += QStringLiteral(", records to %1").arg(newest);
        m.sourceFiles.append({text, fetched.first, date});
    }
}

QStringList AgencyImport::report() const
{
    QStringList out = m_notes;
    for (const Tally &t : m_tallies) {
        QString line = QStringLiteral("%1: %2 records, %3 linked to a vehicle-year, %4 naming no vehicle line of this build, %5 of unknown model year")
                           .arg(QFileInfo(t.file).fileName())
                           .arg(t.records)
                           .arg(t.linked)
                           .arg(t.unmatched)
                           .arg(t.unknownYear);
        QList<QPair<qint64, QString>> top;
        for (auto it = t.names.begin(); it != t.names.end(); ++it)
            top.append({it.value(), it.key()});
        std::sort(top.begin(), top.end(), [](const auto &a, const auto &b) { return a.first != b.first ? a.first > b.first : a.second < b.second; });
        QStringList names;
        for (qsizetype i = 0; i < qMin<qsizetype>(top.size(), 10); ++i)
            names << QStringLiteral("%1 (%2)").arg(top[i].second).arg(top[i].first);
        if (t.leftOut > 0)
            line += QStringLiteral(", %1 left out by the EPA names table").arg(t.leftOut);
        if (!names.isEmpty())
            line += QStringLiteral("; most often unmatched: ") + names.join(QStringLiteral(", "));
        out << line;
        // Then every name left out, so that none goes unseen.
        if (top.size() > 10)
            for (const auto &[count, name] : top)
                out << QStringLiteral("  unmatched in %1: %2 (%3)").arg(QFileInfo(t.file).fileName(), name).arg(count);
    }
    return out;
}
