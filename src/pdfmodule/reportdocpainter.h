#pragma once

#include "reportdocpaginator.h"
#include "reportdoctypesetter.h"

#include <QString>

#include <cairo.h>

// Draws the report's pages on a cairo context whose user space is the page
// in points with the origin at the top left: the body lines of a frame with
// the rules under headings, the header band of page 1 and the footer.
class ReportDocPainter
{
public:
    ReportDocPainter(cairo_t *cr, const ReportDocTypesetter &typesetter, const ReportDocText &text);

    void fillPage();
    // Title, heading and subtitle in the rounded band, with the maker's mark.
    void band(const QString &title, const QString &heading, const QString &subtitle);
    // The frame's lines in a column whose top is at top.
    void frame(const ReportDocPaginator::Frame &frame, double top);
    // Rule, footer text with its link, and "Page number of count".
    void footer(const QString &footer, int number, int count, const QString &link);

    // The PDF's own y (origin at the bottom) in cairo's user space.
    static double fromBottom(double y);

private:
    cairo_t *m_cr;
    const ReportDocTypesetter &m_typesetter;
    const ReportDocText &m_text;
};
