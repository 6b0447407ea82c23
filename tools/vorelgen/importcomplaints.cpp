// NHTSA's owner-complaint file (FLAT_CMPL): one line per complaint and
// component. Counted per vehicle-year: each complaint (ODI number) once in the
// totals, once per level-1 area ("POWER TRAIN") and once per level-2 area
// ("POWER TRAIN:AUTOMATIC TRANSMISSION") it names; duplicate lines count once.
// No narrative is kept.

#include "agencyimport.h"
#include "flatfile.h"
#include "vehiclematch.h"

#include <algorithm>
#include <vector>

namespace {

const QStringList kFields = {
    "CMPLID", "ODINO", "MFR_NAME", "MAKETXT", "MODELTXT", "YEARTXT", "CRASH", "FAILDATE", "FIRE", "INJURED", "DEATHS",
    "COMPDESC", "CITY", "STATE", "VIN", "DATEA", "LDATE", "MILES", "OCCURENCES", "CDESCR", "CMPL_TYPE", "POLICE_RPT_YN",
    "PURCH_DT", "ORIG_OWNER_YN", "ANTI_BRAKES_YN", "CRUISE_CONT_YN", "NUM_CYLS", "DRIVE_TRAIN", "FUEL_SYS", "FUEL_TYPE",
    "TRANS_TYPE", "VEH_SPEED", "DOT", "TIRE_SIZE", "LOC_OF_TIRE", "TIRE_FAIL_TYPE", "ORIG_EQUIP_YN", "MANUF_DT",
    "SEAT_TYPE", "RESTRAINT_TYPE", "DEALER_NAME", "DEALER_TEL", "DEALER_CITY", "DEALER_STATE", "DEALER_ZIP",
    "PROD_TYPE", "REPAIRED_YN", "MEDICAL_ATTN", "VEHICLES_TOWED_YN", "STATE_OF_INCIDENT", "VEHICLE_OPERATOR"};
// The 1995 layout, fields 21 to 46 (September 14, 2007), field 47 (October
// 15, 2007), field 48 (April 24, 2014), field 49 (September 29, 2015), and
// the state of the incident and the operator; later fields are read as unnamed.
const QList<int> kLayouts = {20, 46, 47, 48, 49, 51};

// One complaint in a vehicle-year and an area (0: the totals), packed for
// sorting: vehicle id, model year, area, ODI number.
quint64 packed(qint64 vid, int year, int area, qint64 odi)
{
    return quint64(vid) << 48 | quint64(year - 1900) << 40 | quint64(area) << 28 | quint64(odi);
}

// What the totals count of one complaint in one vehicle-year.
struct Harm
{
    quint64 key; // packed with area 0
    qint32 injuries, deaths;
    bool crash, fire;
};

} // namespace

void AgencyImport::importComplaints(Model &m)
{
    VehicleMatcher matcher(m, m_aliases);
    // Every complaint once per vehicle-year and area it names: collected, then
    // sorted and counted, which needs far less memory than a set would.
    std::vector<quint64> named;
    std::vector<Harm> harms;
    QHash<QString, int> areas; // area name -> its number while counting
    const auto area = [&](const QString &name) {
        const auto it = areas.constFind(name);
        return it != areas.constEnd() ? it.value() : *areas.insert(name, int(areas.size()) + 1);
    };
    for (const QString &path : m_files.value(Complaints)) {
        FlatFile f(path, kFields, kLayouts);
        Tally &t = begin(path);
        while (f.next()) {
            ++t.records;
            const std::optional<qint64> odi = f.integer(1);
            if (!odi || *odi >= (1 << 28))
                f.fail(1, QStringLiteral("not an ODI number (1 to 268435455)"));
            const QString added = f.date(15);
            if (added > t.newest)
                t.newest = added;
            const QList<const Vehicle *> found = vehicles(matcher, t, f, 3, 4, 5, true);
            if (found.isEmpty())
                continue;
            const Vehicle *v = found.first();
            const int year = *f.year(5);
            if (v->id >= (1 << 16))
                throw GenError{QStringLiteral("vehicle id %1 is too large to count complaints").arg(v->id)};
            harms.push_back({packed(v->id, year, 0, *odi), qint32(f.integer(9).value_or(0)), qint32(f.integer(10).value_or(0)),
                             f.raw(6) == "Y", f.raw(8) == "Y"});
            // The first two levels of the component name.
            const QStringList levels = f.text(11).split(QLatin1Char(':'));
            const QString top = levels.value(0).trimmed();
            if (top.isEmpty())
                continue;
            named.push_back(packed(v->id, year, area(top), *odi));
            const QString sub = levels.value(1).trimmed();
            if (!sub.isEmpty())
                named.push_back(packed(v->id, year, area(top + QLatin1Char(':') + sub), *odi));
            if (areas.size() >= (1 << 12))
                f.fail(11, QStringLiteral("more than 4,095 component areas"));
        }
    }
    const auto byKey = [](const Harm &a, const Harm &b) { return a.key < b.key; };
    std::stable_sort(harms.begin(), harms.end(), byKey);
    harms.erase(std::unique(harms.begin(), harms.end(), [](const Harm &a, const Harm &b) { return a.key == b.key; }), harms.end());
    QHash<quint64, TotalsRow> totals;
    for (const Harm &h : harms) {
        TotalsRow &row = totals[h.key >> 40];
        row.vid = qint64(h.key >> 48);
        row.year = int(h.key >> 40 & 0xFF) + 1900;
        ++row.complaints;
        row.crashes += h.crash;
        row.fires += h.fire;
        row.injuries += h.injuries;
        row.deaths += h.deaths;
    }
    std::vector<Harm>().swap(harms);
    std::sort(named.begin(), named.end());
    named.erase(std::unique(named.begin(), named.end()), named.end());
    QHash<QPair<quint64, int>, qint64> counts; // (vehicle-year, area) -> complaints
    for (const quint64 k : named)
        ++counts[{k >> 40, int(k >> 28 & 0xFFF)}];
    std::vector<quint64>().swap(named);

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
