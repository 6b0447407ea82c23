#include "vorel.h"

#include "nhtsatext.h"
#include "platform/text.h"

#include <QHash>
#include <QMap>
#include <algorithm>

namespace {

const QString kEmDash = QStringLiteral("\u2014");
const QString kMiddleDot = QStringLiteral("\u00B7");
const QString kTimes = QStringLiteral("\u00D7");

struct KeyCount
{
    QString key;
    qint64 count = 0;
};

// Counts component lists by the readable first level of their first name
// ("Other" without one). Lists are counted by the first level as stored, and
// each distinct one is put into readable form once.
class GroupCounter
{
public:
    void add(const QStringList &components)
    {
        if (components.isEmpty())
            ++m_none;
        else
            ++m_byFirst[firstLevel(components.first())];
    }

    // The largest groups first, equal sizes by key; at most three.
    QList<KeyCount> top() const
    {
        QMap<QString, qint64> counts;
        if (m_none > 0)
            counts[QStringLiteral("Other")] += m_none;
        for (auto it = m_byFirst.cbegin(); it != m_byFirst.cend(); ++it)
            counts[readable(it.key())] += it.value();
        QList<KeyCount> out;
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            out << KeyCount{it.key(), it.value()};
        // The map already lists the keys in order, so a stable sort breaks ties by key.
        std::stable_sort(out.begin(), out.end(),
                         [](const KeyCount &a, const KeyCount &b) { return a.count > b.count; });
        if (out.size() > 3)
            out.resize(3);
        return out;
    }

private:
    // NHTSAText::group of a first level, remembered: the agency's component
    // groups are few, and every page and report names the same ones.
    static QString readable(const QString &firstLevel)
    {
        thread_local QHash<QString, QString> known;
        const auto it = known.constFind(firstLevel);
        if (it != known.cend())
            return *it;
        if (known.size() >= 512)
            known.clear();
        const QString group = NHTSAText::group(firstLevel);
        known.insert(firstLevel, group);
        return group;
    }

    // The first non-empty piece between ":"; the whole name when it has none.
    // Its readable form is the name's readable group.
    static QString firstLevel(const QString &name)
    {
        qsizetype start = 0;
        while (start < name.size() && name[start] == u':')
            ++start;
        if (start == name.size())
            return name;
        const qsizetype end = name.indexOf(u':', start);
        return start == 0 && end < 0 ? name : name.mid(start, end < 0 ? -1 : end - start);
    }

    QHash<QString, qint64> m_byFirst;
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
            keys << g.key.toLower();
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
            parts << g.key.toLower() + QStringLiteral(" (") + QString::number(g.count) + u')';
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
    GroupCounter groups;
    if (links.count > 0) {
        for (const QStringList &components : tsbComponentsOf(links.ids))
            groups.add(components);
    }
    return lines(vehicle, year, summary, recallList, bulletinLine(links.count, groups));
}

QStringList Vorel::knownProblems(const VehicleInfo &vehicle, qint64 year, const VehicleYearRecords &records)
{
    GroupCounter groups;
    for (const TSB &t : records.tsbs)
        groups.add(t.components);
    return lines(vehicle, year, records.complaints, records.recalls, bulletinLine(records.tsbCount, groups));
}
