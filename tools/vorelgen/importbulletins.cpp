// NHTSA's manufacturer communications (service bulletins): one line per
// communication, make, model, model year and component. Two published
// layouts: the older ten-field one (FLAT_TSBS, whose components may carry a
// numeric code before the name) and the fourteen-field one of 2024
// (TSBS_RECEIVED_*), which adds the communication type.

#include "agencyimport.h"
#include "flatfile.h"
#include "vehiclematch.h"

#include <QSet>
#include <algorithm>

namespace {

struct Columns
{
    int id, document, date, added, type, component, make, model, year, summary;
};

const FlatFile::Layouts kLayouts = {
    {10, {"BULNO", "BULREP", "ID", "BULDTE", "COMPNAME", "MAKETXT", "MODELTXT", "YEARTXT", "DATEA", "SUMMARY"}},
    {14, {"NHTSA ID Number", "Replacement Service Bulletin Number", "Date Added to File", "TSB/Document ID",
          "Mfr Communication Date", "Mfr Internal Campaign ID/Software Version", "Communication Type", "Make", "Model",
          "Model Year", "NHTSA Components", "Mfr Component System", "Mfr Component Subsystem", "Summary"}}};
const Columns kOld = {2, 0, 3, 8, -1, 4, 5, 6, 7, 9};
const Columns kNew = {0, 3, 4, 2, 6, 10, 7, 8, 9, 13};

// The component's name without the numeric code older files put before it
// ("034000 SERVICE BRAKES, HYDRAULIC").
QString componentName(const QString &field)
{
    qsizetype digits = 0;
    while (digits < field.size() && field[digits].isDigit())
        ++digits;
    if (digits == 0 || digits == field.size() || field[digits] != QLatin1Char(' '))
        return field;
    return field.mid(digits).trimmed();
}

} // namespace

void AgencyImport::importBulletins(Model &m)
{
    VehicleMatcher matcher(m, m_aliases);
    QHash<qint64, qsizetype> index;
    QList<TsbRow> rows;
    QSet<QString> texts; // dates, types and component lists, shared between bulletins
    for (const QString &path : m_files.value(Bulletins)) {
        FlatFile f(path, kLayouts);
        Tally &t = begin(path);
        while (f.next()) {
            ++t.records;
            const Columns &c = f.fields() == 10 ? kOld : kNew;
            const std::optional<qint64> id = f.integer(c.id);
            if (!id)
                f.fail(c.id, QStringLiteral("empty bulletin id"));
            const QString date = f.date(c.date);
            const QString added = f.date(c.added);
            if (added > t.newest)
                t.newest = added;
            qsizetype at = index.value(*id, -1);
            if (at < 0) {
                at = rows.size();
                index.insert(*id, at);
                TsbRow r;
                r.id = *id;
                r.documentID = f.text(c.document);
                r.date = *texts.insert(date);
                r.addedDate = *texts.insert(added);
                r.type = c.type >= 0 ? *texts.insert(f.text(c.type)) : QString();
                // Long summaries are kept compressed: hundreds of thousands of them
                // would otherwise take most of the memory of the build.
                r.summary = f.text(c.summary).toUtf8();
                if (r.summary.size() > 160) {
                    r.summary = qCompress(r.summary, 1);
                    r.packed = true;
                }
                rows.append(r);
            }
            TsbRow &r = rows[at];
            const QString component = componentName(f.text(c.component));
            if (!component.isEmpty() && !r.components.split(QLatin1Char('|')).contains(component))
                r.components = *texts.insert(r.components + (r.components.isEmpty() ? QString() : QStringLiteral("|")) + component);
            for (const Vehicle *v : vehicles(matcher, t, f, c.make, c.model, c.year)) {
                const Link link{v->id, *f.year(c.year)};
                if (std::none_of(r.links.cbegin(), r.links.cend(), [&](const Link &l) { return l.vid == link.vid && l.year == link.year; }))
                    r.links.append(link);
            }
        }
    }
    std::sort(rows.begin(), rows.end(), [](const TsbRow &a, const TsbRow &b) { return a.id < b.id; });
    for (TsbRow &r : rows)
        std::sort(r.links.begin(), r.links.end(), [](const Link &a, const Link &b) { return a.vid != b.vid ? a.vid < b.vid : a.year < b.year; });
    m.tsbs = rows;
    m.imported.bulletins = true;
    credit(m, Bulletins, QStringLiteral("NHTSA manufacturer communications (service bulletins) file"));
}
