#pragma once

#include "reportdocpaginator.h"
#include "reportdoctext.h"

#include <QList>
#include <QString>
#include <limits>

class QIODevice;

// What sets the report's text in lines and draws the pages as a PDF (Pango
// and cairo). It lives in the PDF module, loaded on first use, so that the
// window does not load those libraries at every start.
class ReportDocEngine
{
public:
    // Everything a page shows besides the body, and the PDF's metadata.
    struct Page
    {
        QString title, heading, subtitle;           // the band on page 1
        QString footer, link;                       // on every page
        QString pdfTitle, author, subject, creator; // printable already
    };

    virtual ~ReportDocEngine() = default;

    // Sets the text in lines of at most `width` points; stops at a paragraph
    // once the lines so far are taller than `maxHeight` together.
    virtual void typeset(const ReportDocText &text, double width,
                         double maxHeight = std::numeric_limits<double>::infinity()) = 0;
    // Whether the last typeset reached the end of the text.
    virtual bool complete() const = 0;
    virtual const QList<ReportDocPaginator::Line> &metrics() const = 0;
    // The index just past the characters of typeset line `line`.
    virtual qsizetype lineEnd(qsizetype line) const = 0;
    // Writes the frames of the typeset text to `device` as a PDF; false when
    // the PDF or a write failed.
    virtual bool render(QIODevice *device, const ReportDocText &text, const QList<ReportDocPaginator::Frame> &frames,
                        const Page &page) = 0;
};

// The module's entry point for an engine, looked up by this name.
using ReportDocEngineMaker = ReportDocEngine *(*)();
#define FV_REPORT_ENGINE_MAKER "fvNewReportDocEngine"
