#include "report/reportdoc.h"
#include "report/reportdocengine.h"
#include "pdffinisher.h"
#include "reportdocpainter.h"
#include "reportdoctypesetter.h"

#include <QBuffer>
#include <QIODevice>

#include <cairo-pdf.h>

namespace {

struct Sink
{
    QIODevice *device;
    bool ok = true;
};

cairo_status_t writeTo(void *closure, const unsigned char *data, unsigned int length)
{
    auto *sink = static_cast<Sink *>(closure);
    if (sink->ok && sink->device->write(reinterpret_cast<const char *>(data), length) != qint64(length))
        sink->ok = false;
    return sink->ok ? CAIRO_STATUS_SUCCESS : CAIRO_STATUS_WRITE_ERROR;
}

class PangoReportEngine final : public ReportDocEngine
{
public:
    void typeset(const ReportDocText &text, double width, double maxHeight) override
    {
        m_typesetter.typeset(text, width, maxHeight);
    }

    bool complete() const override { return m_typesetter.complete(); }

    const QList<ReportDocPaginator::Line> &metrics() const override { return m_typesetter.metrics(); }

    qsizetype lineEnd(qsizetype line) const override
    {
        const ReportDocTypesetter::Line &l = m_typesetter.lines().at(line);
        return l.start + l.length;
    }

    bool render(QIODevice *device, const ReportDocText &text, const QList<ReportDocPaginator::Frame> &frames,
                const Page &page) override
    {
        // cairo's bytes are collected and finished before any reaches the device.
        QByteArray drawnBytes;
        QBuffer buffer(&drawnBytes);
        buffer.open(QIODevice::WriteOnly);
        Sink sink{&buffer};
        cairo_surface_t *surface =
            cairo_pdf_surface_create_for_stream(writeTo, &sink, ReportDoc::pageWidth, ReportDoc::pageHeight);
        if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
            cairo_surface_destroy(surface);
            return false;
        }
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_TITLE, page.pdfTitle.toUtf8().constData());
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_AUTHOR, page.author.toUtf8().constData());
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_SUBJECT, page.subject.toUtf8().constData());
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, page.creator.toUtf8().constData());

        cairo_t *cr = cairo_create(surface);
        ReportDocPainter painter(cr, m_typesetter, text);
        const double bottom = ReportDocPainter::fromBottom(ReportDoc::columnBottom);
        for (qsizetype i = 0; i < frames.size(); ++i) {
            painter.fillPage();
            if (i == 0)
                painter.band(page.title, page.heading, page.subtitle);
            painter.frame(frames[i], bottom - (i == 0 ? ReportDoc::firstColumnHeight : ReportDoc::laterColumnHeight));
            painter.footer(page.footer, int(i + 1), int(frames.size()), page.link);
            cairo_show_page(cr);
        }
        const bool drawn = cairo_status(cr) == CAIRO_STATUS_SUCCESS;
        cairo_destroy(cr);
        cairo_surface_finish(surface);
        const bool finished = cairo_surface_status(surface) == CAIRO_STATUS_SUCCESS;
        cairo_surface_destroy(surface);
        if (!drawn || !finished || !sink.ok)
            return false;
        const QByteArray pdf = PDFFinisher::finish(drawnBytes);
        return !pdf.isEmpty() && device->write(pdf) == pdf.size();
    }

private:
    ReportDocTypesetter m_typesetter;
};

} // namespace

extern "C" Q_DECL_EXPORT ReportDocEngine *fvNewReportDocEngine()
{
    return new PangoReportEngine();
}
