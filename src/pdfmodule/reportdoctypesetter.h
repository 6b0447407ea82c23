#pragma once

#include "reportdocpaginator.h"
#include "reportdoctext.h"

#include <pango/pangocairo.h>

#include <QList>
#include <QString>

#include <limits>
#include <memory>

// Lays out the report's attributed text with Pango, one layout per
// paragraph, wrapped to the text column: each line's character range, metrics
// and marks for the paginator, and the Pango line to draw. Also measures and
// draws single unwrapped lines. Lato first, DejaVu Sans for what Lato lacks;
// ligatures off, so extracted text reads back letter for letter.
class ReportDocTypesetter
{
public:
    struct Line
    {
        qsizetype start = 0, length = 0; // characters, the paragraph's line feed counted on its last line
        double x = 0; // offset from the column's left edge (the hanging indent)
        PangoLayoutLine *pango = nullptr; // owned by the paragraph's layout
    };

    // Added leading between lines, in points.
    static constexpr double lineSpacing = 1.5;

    ReportDocTypesetter();
    ~ReportDocTypesetter();
    ReportDocTypesetter(const ReportDocTypesetter &) = delete;
    ReportDocTypesetter &operator=(const ReportDocTypesetter &) = delete;

    // Typesets the text into lines of at most width points; stops at a
    // paragraph once the lines so far are taller than maxHeight together.
    void typeset(const ReportDocText &text, double width,
                 double maxHeight = std::numeric_limits<double>::infinity());
    // Whether the last typeset reached the end of the text.
    bool complete() const { return m_complete; }
    const QList<Line> &lines() const { return m_lines; }
    const QList<ReportDocPaginator::Line> &metrics() const { return m_metrics; }

    // A single unwrapped line; null only when Pango fails.
    struct Single;
    using SingleLine = std::shared_ptr<Single>;
    SingleLine single(const QString &text, ReportDocText::Font font, ReportDocText::Color color) const;
    static double width(const SingleLine &line);
    // Draws with the baseline starting at (x, baseline).
    static void draw(cairo_t *cr, const SingleLine &line, double x, double baseline);

private:
    PangoLayout *newLayout(const QString &text, const ReportDocText &doc, qsizetype start, double width,
                           const ReportDocText::ParagraphStyle &style, const QList<qsizetype> &breaks,
                           QList<int> &byteAt) const;

    PangoContext *m_context = nullptr;
    QList<PangoLayout *> m_layouts;
    QList<Line> m_lines;
    QList<ReportDocPaginator::Line> m_metrics;
    bool m_complete = true;
};
