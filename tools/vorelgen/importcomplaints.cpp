// NHTSA's owner-complaint file (FLAT_CMPL): one line per complaint and
// component. Counted per vehicle-year: each complaint (ODI number) once in the
// totals, once per level-1 area ("POWER TRAIN") and once per level-2 area
// ("POWER TRAIN:AUTOMATIC TRANSMISSION") it names; duplicate lines count once.
// No narrative is kept.

#include "agencyimport.h"
#include "flatfile.h"
#include "vehiclematch.h"

#include <algorithm>
#include <unordered_set>

namespace {

const QStringList kFields = {
    "CMPLID", "ODINO", "MFR_NAME", "MAKETXT", "MODELTXT", "YEARTXT", "CRASH", "FAILDATE", "FIRE", "INJURED", "DEATHS",
    "COMPDESC", "CITY", "STATE", "VIN", "DATEA", "LDATE", "MILES", "OCCURENCES", "CDESCR", "CMPL_TYPE", "POLICE_RPT_YN",
    "PURCH_DT", "ORIG_OWNER_YN", "ANTI_BRAKES_YN", "CRUISE_CONT_YN", "NUM_CYLS", "DRIVE_TRAIN", "FUEL_SYS", "FUEL_TYPE",
    "TRANS_TYPE", "VEH_SPEED", "DOT", "TIRE_SIZE", "LOC_OF_TIRE", "TIRE_FAIL_TYPE", "ORIG_EQUIP_YN", "MANUF_DT",
    "SEAT_TYPE", "RESTRAINT_TYPE", "DEALER_NAME", "DEALER_TEL", "DEALER_CITY", "DEALER_STATE", "DEALER_ZIP",
    "PROD_TYPE", "REPAIRED_YN", "MEDICAL_ATTN", "VEHICLES_TOWED_YN", "STATE_OF_INCIDENT", "VEHICLE_OPERATOR"};
// The 1995 layout, the fields added in September and October 2007, the
// medical and towing answers, the state of the incident and the operator.
const QList<int> kLayouts = {20, 46, 47, 49, 51};

// One complaint counted once for a vehicle-year and an area (0: the totals).
struct Counted
{
    qint64 odi;
    qint64 vid;
    int year;
    int area;
    bool operator==(const Counted &) const = default;
};
struct CountedHash
{
    size_t operator()(const Counted &c) const
    {
        quint64 h = quint64(c.odi) * 0x9E3779B97F4A7C15ull;
        h ^= (quint64(c.vid) << 24 | quint64(c.year) << 12 | quint64(c.area)) + 0x7F4A7C159E3779B9ull + (h << 6) + (h >> 2);
        return size_t(h);
    }
};

quint64 vehicleYear(qint64 vid, int year)
{
    return quint64(vid) << 16 | quint64(year);
}

} // namespace

void AgencyImport::importComplaints(Model &m)
{
    VehicleMatcher matcher(m);
    std::unordered_set<Counted, CountedHash> seen;
    QHash<QString, int> areas; // area name -> its number while counting
    QHash<quint64, TotalsRow> totals;
    QHash<QPair<quint64, int>, qint64> counts; // (vehicle-year, area) -> complaints
    const auto area = [&](const QString &name) {
        const auto it = areas.constFind(name);
        return it != areas.constEnd() ? it.value() : *areas.insert(name, int(areas.size()) + 1);
    };
    for (const QString &path : m_files.value(Complaints)) {
        FlatFile f(path, FlatFile::grown(kFields, kLayouts));
        Tally &t = begin(path);
        while (f.next()) {
            ++t.records;
            const std::optional<qint64> odi = f.integer(1);
            if (!odi)
                f.fail(1, QStringLiteral("empty ODI number"));
            const QString added = f.date(15);
            if (added > t.newest)
                t.newest = added;
            const Vehicle *v = vehicle(matcher, t, f, 3, 4, 5);
            if (!v)
                continue;
            const int year = *f.year(5);
            const quint64 vy = vehicleYear(v->id, year);
            if (seen.insert({*odi, v->id, year, 0}).second) {
                TotalsRow &row = totals[vy];
                row.vid = v->id;
                row.year = year;
                ++row.complaints;
                row.crashes += f.raw(6) == "Y";
                row.fires += f.raw(8) == "Y";
                row.injuries += f.integer(9).value_or(0);
                row.deaths += f.integer(10).value_or(0);
            }
            // The first two levels of the component name.
            const QStringList levels = f.text(11).split(QLatin1Char(':'));
            const QString top = levels.value(0).trimmed();
            if (top.isEmpty())
                continue;
            const int l1 = area(top);
            if (seen.insert({*odi, v->id, year, l1}).second)
                ++counts[{vy, l1}];
            const QString sub = levels.value(1).trimmed();
            if (!sub.isEmpty()) {
                const int l2 = area(top + QLatin1Char(':') + sub);
                if (seen.insert({*odi, v->id, year, l2}).second)
                    ++counts[{vy, l2}];
            }
        }
    }
    seen.clear();

    // Component ids: each level-1 area in name order, then its sub-areas.
    QStringList names = areas.keys();
    std::sort(names.begin(), names.end(), [](const QString &a, const QString &b) {
        const QString ta = a.section(QLatin1Char(':'), 0, 0), tb = b.section(QLatin1Char(':'), 0, 0);
        return ta != tb ? ta < tb : (a.contains(QLatin1Char(':')) != b.contains(QLatin1Char(':')) ? !a.contains(QLatin1Char(':')) : a < b);
    });
    QHash<int, const Component *> byArea;
    m.components.clear();
    m.components.reserve(names.size());
    QHash<QString, int> topIDs;
    for (const QString &name : names) {
        Component c;
        c.id = int(m.components.size()) + 1;
        c.name = name;
        c.level = name.contains(QLatin1Char(':')) ? 2 : 1;
        c.parent = c.level == 2 ? topIDs.value(name.section(QLatin1Char(':'), 0, 0)) : 0;
        if (c.level == 1)
            topIDs.insert(name, c.id);
        m.components.append(c);
    }
    for (const Component &c : m.components)
        byArea.insert(areas.value(c.name), &c);

    m.totals = totals.values();
    std::sort(m.totals.begin(), m.totals.end(), [](const TotalsRow &a, const TotalsRow &b) {
        return a.vid != b.vid ? a.vid < b.vid : a.year < b.year;
    });
    m.complaints.clear();
    m.complaints.reserve(counts.size());
    for (auto it = counts.begin(); it != counts.end(); ++it) {
        const Component *c = byArea.value(it.key().second);
        const TotalsRow &total = totals[it.key().first];
        ComplaintRow row;
        row.vid = total.vid;
        row.year = total.year;
        row.level = c->level;
        row.component = c->id;
        row.complaints = it.value();
        row.vehicleYearComplaints = total.complaints;
        m.complaints.append(row);
    }
    std::sort(m.complaints.begin(), m.complaints.end(), [](const ComplaintRow &a, const ComplaintRow &b) {
        return std::tie(a.vid, a.year, a.level, a.component) < std::tie(b.vid, b.year, b.level, b.component);
    });
    complaintStatistics(m);
    m.imported.complaints = true;
    credit(m, Complaints, QStringLiteral("NHTSA owner complaint file"));
}
