#include "reportdocpaginator.h"

#include "reportdoctext.h"

ReportDocPaginator::Frame ReportDocPaginator::fill(const QList<Line> &lines, qsizetype first, qsizetype end,
                                                   double height)
{
    Frame frame{first, {}};
    double y = 0;
    for (qsizetype i = first; i < end && i < lines.size(); ++i) {
        const Line &line = lines[i];
        const double top = i == first ? 0 : y + line.gapAbove;
        if (top + line.height > height + 1e-6)
            break;
        frame.baselines.append(top + line.ascent);
        y = top + line.height;
    }
    return frame;
}

QList<ReportDocPaginator::Frame> ReportDocPaginator::paginate(const QList<Line> &lines, double firstHeight,
                                                              double laterHeight, int limit)
{
    QList<Frame> frames;
    qsizetype start = 0;
    const qsizetype count = lines.size();
    while (start < count && frames.size() < limit) {
        const double height = frames.isEmpty() ? firstHeight : laterHeight;
        Frame frame = fill(lines, start, count, height);
        if (frame.lineCount() == 0)
            break; // a fresh column that takes nothing would repeat forever
        qsizetype end = frame.endLine();

        // A marked line after the first opens the next page.
        bool pageBreak = false;
        for (qsizetype i = start + 1; i < end; ++i) {
            if (lines[i].marks & ReportDocText::PageBreak) {
                end = i;
                pageBreak = true;
                break;
            }
        }
        // Keep-with-next lines at the foot move down; the first line stays.
        // A long run of kept lines would leave the page nearly blank: then
        // nothing moves.
        if (!pageBreak && end < count && frame.lineCount() >= 2) {
            qsizetype kept = end;
            double moved = 0;
            for (qsizetype i = end - 1; i >= start + 1 && (lines[i].marks & ReportDocText::Keep); --i) {
                kept = i;
                moved += lines[i].height + lines[i].gapAbove;
            }
            if (moved <= height * maxKeptShare)
                end = kept;
        }
        if (end < frame.endLine())
            frame = fill(lines, start, end, height);
        start = frame.endLine();
        frames.append(frame);
    }
    if (frames.isEmpty())
        frames.append(Frame{});
    return frames;
}
