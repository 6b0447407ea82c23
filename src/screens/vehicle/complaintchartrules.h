#pragma once

#include "data/complaintsummary.h"

#include <QList>
#include <QString>
#include <optional>

// What the owner-complaint chart says and how long its bars are.
class ComplaintChartRules
{
public:
    ComplaintChartRules() = delete;

    static constexpr int maxAreas = 12;
    static constexpr int maxSubAreas = 8;
    static constexpr double minBar = 6; // points

    static QString heading();   // "Most-reported problem areas"
    static QString emptyText(); // "No owner complaints on file for this model year."
    static QString footnote();

    // The line under the heading: what the counts are (a phrase also used
    // inside sentences), starting with a capital as a sentence does.
    static QString caption(const QString &complaintsLabel);
    // "1,234 complaints"; "1 complaint" for exactly one.
    static QString countLine(qint64 total);
    // The complaints of the first area, at least 1; 1 without areas.
    static qint64 scaleCount(const QList<ComplaintRow> &areas);
    // The areas and sub-areas drawn (the first 12 and the first 8).
    static QList<ComplaintRow> shownAreas(const QList<ComplaintRow> &areas);
    static QList<ComplaintRow> shownSubAreas(const QList<ComplaintRow> &subAreas);
    // The bar's width in a track: linear against the scale count, at least
    // the minimum bar and never wider than the track.
    static double barWidth(qint64 complaints, qint64 scale, double track, double minimum = minBar);
    // "NOTABLY HIGH 3.5×".
    static QString tagText(double shareIndex);
    // What a screen reader calls an area's row: "<area>, <count> complaints,
    // <share>% of this vehicle's", and its notably high mark.
    static QString spokenName(const ComplaintRow &area);
    // "12% of this vehicle's complaints vs 3% for all 2002 vehicles (4.0× the usual share)."
    static QString comparisonLine(const ComplaintRow &area, qint64 year);
    // "• Frontal: 120", with "  (notably high, 3.5×)" for a notably high sub-area.
    static QString subAreaLine(const ComplaintRow &subArea);
    // The crash, fire, injury and death reports line; none when all four are 0.
    static std::optional<QString> totalsLine(const ComplaintSummary &summary);
    // The toggle: the area's component, or none when it is already open.
    static std::optional<QString> toggled(const std::optional<QString> &open, const QString &component);
};
