#include "complaintchartrules.h"

#include "platform/text.h"

#include <algorithm>

using Text::fixed;

QString ComplaintChartRules::heading()
{
    return QStringLiteral("Most-reported problem areas");
}

QString ComplaintChartRules::emptyText()
{
    return QStringLiteral("No owner complaints on file for this model year.");
}

QString ComplaintChartRules::footnote()
{
    return QStringLiteral(
        "'Notably high' = at least 3\u00d7 the usual share for that model year, at least 20 complaints about it, "
        "at least 50 complaints for the vehicle-year, and a strong statistical signal. One complaint can name "
        "several areas, so the bars can add up to more than the total. Counts are not adjusted for how many "
        "vehicles were sold, and complaints received before 1995 aren't included.");
}

QString ComplaintChartRules::caption(const QString &complaintsLabel)
{
    if (complaintsLabel.isEmpty())
        return complaintsLabel;
    return complaintsLabel.front().toUpper() + complaintsLabel.mid(1);
}

QString ComplaintChartRules::countLine(qint64 total)
{
    return Text::grouped(total) + (total == 1 ? QStringLiteral(" complaint") : QStringLiteral(" complaints"));
}

qint64 ComplaintChartRules::scaleCount(const QList<ComplaintRow> &areas)
{
    return areas.isEmpty() ? 1 : std::max<qint64>(areas.first().complaints, 1);
}

QList<ComplaintRow> ComplaintChartRules::shownAreas(const QList<ComplaintRow> &areas)
{
    return areas.mid(0, maxAreas);
}

QList<ComplaintRow> ComplaintChartRules::shownSubAreas(const QList<ComplaintRow> &subAreas)
{
    return subAreas.mid(0, maxSubAreas);
}

double ComplaintChartRules::barWidth(qint64 complaints, qint64 scale, double track, double minimum)
{
    if (!(track > 0))
        return 0;
    const double linear = double(std::max<qint64>(complaints, 0)) * track / double(std::max<qint64>(scale, 1));
    return std::min(std::max(linear, minimum), track);
}

QString ComplaintChartRules::tagText(double shareIndex)
{
    return QStringLiteral("NOTABLY HIGH ") + fixed(shareIndex, 1) + u'\u00d7';
}

QString ComplaintChartRules::spokenName(const ComplaintRow &area)
{
    QString s = area.display() + QStringLiteral(", ") + Text::grouped(area.complaints)
        + (area.complaints == 1 ? QStringLiteral(" complaint, ") : QStringLiteral(" complaints, "))
        + fixed(area.shareOfVehicle * 100, 0) + QStringLiteral("% of this vehicle's");
    if (area.notablyHigh())
        s += QStringLiteral(", notably high, ") + fixed(area.shareIndex, 1) + QStringLiteral(" times the usual share");
    return s;
}

QString ComplaintChartRules::comparisonLine(const ComplaintRow &area, qint64 year)
{
    return fixed(area.shareOfVehicle * 100, 0) + QStringLiteral("% of this vehicle's complaints vs ")
        + fixed(area.peerShare * 100, 0) + QStringLiteral("% for all ") + QString::number(year)
        + QStringLiteral(" vehicles (") + fixed(area.shareIndex, 1) + QStringLiteral("\u00d7 the usual share).");
}

QString ComplaintChartRules::subAreaLine(const ComplaintRow &subArea)
{
    QString line = QStringLiteral("\u2022 ") + subArea.display() + QStringLiteral(": ") + Text::grouped(subArea.complaints);
    if (subArea.notablyHigh())
        line += QStringLiteral("  (notably high, ") + fixed(subArea.shareIndex, 1) + QStringLiteral("\u00d7)");
    return line;
}

std::optional<QString> ComplaintChartRules::totalsLine(const ComplaintSummary &s)
{
    if (s.crashes + s.fires + s.injuries + s.deaths <= 0)
        return std::nullopt;
    return QStringLiteral("Reports with these complaints: %1 crash, %2 fire, %3 injury and %4 death report(s), "
                          "as filed by owners.")
        .arg(s.crashes)
        .arg(s.fires)
        .arg(s.injuries)
        .arg(s.deaths);
}

std::optional<QString> ComplaintChartRules::toggled(const std::optional<QString> &open, const QString &component)
{
    if (open == component)
        return std::nullopt;
    return component;
}
