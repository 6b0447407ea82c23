#include "vorel.h"

#include "nhtsatext.h"
#include "platform/text.h"

#include <QHash>
#include <algorithm>
#include <unordered_map>
#include <vector>

namespace {

const QString kEmDash = QStringLiteral("\u2014");
const QString kMiddleDot = QStringLiteral("\u00B7");
const QString kTimes = QStringLiteral("\u00D7");

// A readable group and its lower-case form, as the sentences show it.
struct Group
{
    QString key;
    QString lower;
};

struct KeyCount
{
    QString key;
    QString lower;
    qint64 count = 0;
};

// Counts component lists by the readable first level of their first name
// ("Other" without one). Lists are counted by the first level as stored, and
// each distinct one is put into readable form once. Levels are kept as views
// into the names, so the lists must outlive the counter.
class GroupCounter
{
public:
    void add(const QStringList &components)
    {
        if (components.isEmpty()) {
            ++m_none;
            return;
        }
        // A vehicle-year's names fall into a few dozen levels at most.
        const QStringView level = firstLevel(components.first());
        for (LevelCount &l : m_levels) {
            if (l.level == level) {
                ++l.count;
                return;
            }
        }
        m_levels.push_back({level, 1});
    }

    // The largest groups first, equal sizes by key; at most three.
    QList<KeyCount> top() const
    {
        QList<KeyCount> groups;
        const auto count = [&groups](const Group &group, qint64 n) {
            for (KeyCount &g : groups) {
                if (g.key == group.key) {
                    g.count += n;
                    return;
                }
            }
            groups << KeyCount{group.key, group.lower, n};
        };
        if (m_none > 0)
            count({QStringLiteral("Other"), QStringLiteral("other")}, m_none);
        for (const LevelCount &l : m_levels)
            count(readable(l.level), l.count);
        // Keys are distinct, so this order is total.
        const auto before = [](const KeyCount &a, const KeyCount &b) {
            return a.count != b.count ? a.count > b.count : a.key < b.key;
        };
        const qsizetype n = std::min<qsizetype>(3, groups.size());
        std::partial_sort(groups.begin(), groups.begin() + n, groups.end(), before);
        groups.resize(n);
        return groups;
    }

private:
    struct LevelCount
    {
        QStringView level;
        qint64 count = 0;
    };

    // Looks a level up by its view, so that a remembered one costs no copy.
    struct ViewHash
    {
        using is_transparent = void;
        size_t operator()(QStringView v) const { return qHash(v); }
    };

    // NHTSAText::group of a first level, remembered: the agency's component
    // groups are few, and every page and report names the same ones.
    static Group readable(QStringView firstLevel)
    {
        thread_local std::unordered_map<QString, Group, ViewHash, std::equal_to<>> known;
        const auto it = known.find(firstLevel);
        if (it != known.end())
            return it->second;
        if (known.size() >= 512)
            known.clear();
        const QString level = firstLevel.toString();
        const QString group = NHTSAText::group(level);
        return known.emplace(level, Group{group, group.toLower()}).first->second;
    }

    // The first non-empty piece between ":"; the whole name when it has none.
    static QStringView firstLevel(QStringView name)
    {
        qsizetype start = 0;
        while (start < name.size() && name[start] == u':')
            ++start;
        if (start == name.size())
            return name;
        const qsizetype end = name.indexOf(u':', start);
        return name.sliced(start, (end < 0 ? name.size() : end) - start);
    }

    std::vector<LevelCount> m_levels;
    qint64 m_none = 0;
};

QString sIfNotOne(qint64 n)
{
    return n == 1 ? QString() : QStringLiteral("s");
}

QStringList complaintLines(const ComplaintSummary &summary, const QString &name, qint64 year)
{
    const QString yearText = QString::number(year);
    const QList<ComplaintRow> flagged = summary.flagged();
    if (!flagged.isEmpty()) {
        QStringList out;
        for (qsizetype i = 0; i < flagged.size() && i < 3; ++i) {
            const ComplaintRow &row = flagged[i];
            out << QStringLiteral("Owners reported ") + row.display().toLower()
                       + QStringLiteral(" problems to NHTSA about ") + Text::fixed(row.shareIndex, 1) + kTimes
                       + QStringLiteral(" as often as for other ") + yearText + QStringLiteral(" vehicles (")
                       + Text::grouped(row.complaints) + QStringLiteral(" complaints).");
        }
        return out;
    }
    const qint64 total = summary.total;
    if (total <= 0)
        return {QStringLiteral("No owner complaints on file with NHTSA for the ") + yearText + u' ' + name + u'.'};
    if (total < 50)
        return {QStringLiteral("Only ") + QString::number(total) + QStringLiteral(" owner complaint") + sIfNotOne(total)
                + QStringLiteral(" on file for the ") + yearText + u' ' + name + u' ' + kEmDash
                + QStringLiteral(" too few to compare problem areas.")};
    return {QStringLiteral("No problem area stands out in owner complaints for the ") + yearText + u' ' + name
            + QStringLiteral(" (") + Text::grouped(total) + QStringLiteral(" complaints in all).")};
}

std::optional<QString> recallLine(const QList<Recall> &recalls)
{
    if (recalls.isEmpty())
        return std::nullopt;
    GroupCounter vehicleGroups;
    qint64 vehicleCount = 0;
    qint64 others = 0;
    for (const Recall &r : recalls) {
        if (r.type == u"V") {
            vehicleGroups.add(r.components);
            ++vehicleCount;
        } else {
            ++others;
        }
    }
    QString line = QString::number(vehicleCount) + QStringLiteral(" vehicle safety recall") + sIfNotOne(vehicleCount);
    const QList<KeyCount> groups = vehicleGroups.top();
    if (!groups.isEmpty()) {
        QStringList keys;
        for (const KeyCount &g : groups)
            keys << g.lower;
        line += QStringLiteral(" (") + keys.join(u' ' + kMiddleDot + u' ') + u')';
    }
    if (others >= 1)
        line += QStringLiteral(" plus ") + QString::number(others) + QStringLiteral(" equipment/other recall")
                + sIfNotOne(others) + u'.';
    else
        line += u'.';
    return line;
}

// The bulletin sentence from the stored count and the groups of the
// bulletins read; none for a count of 0 or less.
std::optional<QString> bulletinLine(qint64 count, const GroupCounter &bulletinGroups)
{
    if (count <= 0)
        return std::nullopt;
    QString line = Text::grouped(count) + QStringLiteral(" manufacturer service bulletin") + sIfNotOne(count);
    const QList<KeyCount> groups = bulletinGroups.top();
    if (groups.isEmpty()) {
        // No bulletin record could be read: end after the count.
        line += u'.';
    } else {
        QStringList parts;
        for (const KeyCount &g : groups)
            parts << g.lower + QStringLiteral(" (") + QString::number(g.count) + u')';
        line += QStringLiteral("; most often about ") + parts.join(QStringLiteral(", ")) + u'.';
    }
    return line;
}

QStringList lines(const VehicleInfo &vehicle, qint64 year, const ComplaintSummary &complaints,
                  const QList<Recall> &recalls, const std::optional<QString> &bulletins)
{
    QStringList out = complaintLines(complaints, vehicle.name(), year);
    if (const auto line = recallLine(recalls))
        out << *line;
    if (bulletins)
        out << *bulletins;
    return out;
}

} // namespace

QStringList Vorel::knownProblems(const VehicleInfo &vehicle, qint64 year) const
{
    const ComplaintSummary summary = complaints(vehicle.id, year);
    const QList<Recall> recallList = recalls(vehicle.id, year);
    // The grouping needs only the bulletins' components.
    const TSBLinks links = tsbLinks(vehicle.id, year);
    const QList<QStringList> lists = links.count > 0 ? tsbComponentsOf(links.ids) : QList<QStringList>();
    GroupCounter groups;
    for (const QStringList &components : lists)
        groups.add(components);
    return lines(vehicle, year, summary, recallList, bulletinLine(links.count, groups));
}

QStringList Vorel::knownProblems(const VehicleInfo &vehicle, qint64 year, const VehicleYearRecords &records)
{
    GroupCounter groups;
    for (const TSB &t : records.tsbs)
        groups.add(t.components);
    return lines(vehicle, year, records.complaints, records.recalls, bulletinLine(records.tsbCount, groups));
}
