#pragma once

#include <QList>

// Splits typeset lines into pages: each page's column takes as many lines as
// fit; a line whose first character carries a page-break mark opens a new
// page; lines marked keep-with-next move to the next page rather than end
// one, unless they would take more than a third of the column. Works on line metrics only, so it needs no fonts.
class ReportDocPaginator
{
public:
    struct Line
    {
        double ascent = 0; // top of the line to its baseline
        double height = 0;
        double gapAbove = 0; // space above the line unless it opens a column
        int marks = 0; // ReportDocText::Mark bits of its first character
    };

    struct Frame
    {
        qsizetype firstLine = 0;
        QList<double> baselines; // one per line, from the column top

        qsizetype lineCount() const { return baselines.size(); }
        qsizetype endLine() const { return firstLine + baselines.size(); }
    };

    static constexpr int pageLimit = 200;
    // The most of a column that keep-with-next may leave empty.
    static constexpr double maxKeptShare = 1.0 / 3;

    // One frame per page; always at least one (empty when nothing fits).
    // Stops at the page limit and when a fresh column takes no line at all.
    static QList<Frame> paginate(const QList<Line> &lines, double firstHeight, double laterHeight,
                                 int limit = pageLimit);

    // The lines from first (before end) that fit in a column of this height.
    static Frame fill(const QList<Line> &lines, qsizetype first, qsizetype end, double height);
};
