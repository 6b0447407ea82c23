#include "vorel.h"

#include "nhtsatext.h"
#include "platform/text.h"

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

// Readable first level of a component list's first name; "Other" without one.
QString groupKey(const QStringList &components)
{
    return components.isEmpty() ? QStringLiteral("Other") : NHTSAText::group(components.first());
}

// The largest groups first, equal sizes by key; at most three.
QList<KeyCount> topGroups(const QStringList &keys)
{
    QMap<QString, qint64> counts;
    for (const QString &key : keys)
        ++counts[key];
    QList<KeyCount> out;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        out << KeyCount{it.key(), it.value()};
    // The map already lists the keys in order, so a stable sort breaks ties by key.
    std::stable_sort(out.begin(), out.end(), [](const KeyCount &a, const KeyCount &b) { return a.count > b.count; });
    if (out.size() > 3)
        out.resize(3);
    return out;
}


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
    QStringList vehicleKeys;
    qint64 others = 0;
    for (const Recall &r : recalls) {
        if (r.type == u"V")
            vehicleKeys << groupKey(r.components);
        else
            ++others;
    }
    const qint64 vehicleCount = vehicleKeys.size();
    QString line = QString::number(vehicleCount) + QStringLiteral(" vehicle safety recall") + sIfNotOne(vehicleCount);
    const QList<KeyCount> groups = topGroups(vehicleKeys);
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

} // namespace

QStringList Vorel::knownProblems(const VehicleInfo &vehicle, qint64 year) const
{
    QStringList out = complaintLines(complaints(vehicle.id, year), vehicle.name(), year);

    if (const auto line = recallLine(recalls(vehicle.id, year)))
        out << *line;

    const qint64 count = tsbCount(vehicle.id, year);
    if (count > 0) {
        QStringList keys;
        for (const TSB &t : tsbs(vehicle.id, year))
            keys << groupKey(t.components);
        QString line = Text::grouped(count) + QStringLiteral(" manufacturer service bulletin") + sIfNotOne(count);
        const QList<KeyCount> groups = topGroups(keys);
        if (groups.isEmpty()) {
            // No bulletin record could be read: end after the count.
            line += u'.';
        } else {
            QStringList parts;
            for (const KeyCount &g : groups)
                parts << g.key.toLower() + QStringLiteral(" (") + QString::number(g.count) + u')';
            line += QStringLiteral("; most often about ") + parts.join(QStringLiteral(", ")) + u'.';
        }
        out << line;
    }
    return out;
}
