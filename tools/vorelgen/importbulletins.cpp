// NHTSA's manufacturer communications (service bulletins): one line per
// communication, make, model, model year and component. Two published
// layouts: the older ten-field one (FLAT_TSBS) and the fourteen-field one of
// 2024 (TSBS_RECEIVED_*), which adds the communication type.

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

} // namespace

void AgencyImport::importBulletins(Model &m)
{
    VehicleMatcher matcher(m);
    QHash<qint64, qsizetype> index;
    QSet<quint64> linked;
    QList<TsbRow> rows;
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
                r.date = date;
                r.addedDate = added;
                r.type = c.type >= 0 ? f.text(c.type) : QString();
                r.summary = f.text(c.summary).toUtf8();
                rows.append(r);
            }
            TsbRow &r = rows[at];
            const QString component = f.text(c.component);
            if (!component.isEmpty() && !r.components.split(QLatin1Char('|')).contains(component))
                r.components += (r.components.isEmpty() ? QString() : QStringLiteral("|")) + component;
            if (const Vehicle *v = vehicle(matcher, t, f, c.make, c.model, c.year)) {
                const int year = *f.year(c.year);
                const quint64 key = quint64(at) << 28 | quint64(v->id) << 8 | quint64(year - 1900);
                if (!linked.contains(key)) {
                    linked.insert(key);
                    r.links.append({v->id, year});
                }
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
