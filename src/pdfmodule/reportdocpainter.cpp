#include "reportdocpainter.h"

#include "reportdoc.h"

#include <QUrl>

#include <cmath>

namespace {

using Font = ReportDocText::Font;

constexpr ReportDocText::Color white{1, 1, 1};
constexpr ReportDocText::Color light{0.80, 0.86, 0.95};

// The band, in the PDF's coordinates: left, bottom, width, height, radius.
constexpr double bandX = 42, bandY = 650, bandW = ReportDoc::pageWidth - 84, bandH = 92, bandR = 18;

void roundedRect(cairo_t *cr, double x, double y, double w, double h, double r)
{
    cairo_new_sub_path(cr);
    cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
    cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
    cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
    cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
    cairo_close_path(cr);
}

// A value inside a quoted cairo tag attribute.
QByteArray quoted(const QString &text)
{
    QByteArray out = text.toUtf8();
    out.replace('\\', "\\\\").replace('\'', "\\'");
    return out;
}

} // namespace

ReportDocPainter::ReportDocPainter(cairo_t *cr, const ReportDocTypesetter &typesetter, const ReportDocText &text)
    : m_cr(cr), m_typesetter(typesetter), m_text(text)
{
}

double ReportDocPainter::fromBottom(double y)
{
    return ReportDoc::pageHeight - y;
}

void ReportDocPainter::fillPage()
{
    cairo_set_source_rgb(m_cr, 1, 1, 1);
    cairo_paint(m_cr);
}

void ReportDocPainter::band(const QString &title, const QString &heading, const QString &subtitle)
{
    const double top = fromBottom(bandY + bandH);
    const double midX = bandX + bandW / 2;

    cairo_save(m_cr);
    roundedRect(m_cr, bandX, top, bandW, bandH, bandR);
    cairo_set_fill_rule(m_cr, CAIRO_FILL_RULE_WINDING);
    cairo_clip(m_cr);
    cairo_pattern_t *gradient = cairo_pattern_create_linear(midX, top, midX, top + bandH);
    cairo_pattern_add_color_stop_rgb(gradient, 0.0, 0.42, 0.47, 0.54);
    cairo_pattern_add_color_stop_rgb(gradient, 0.55, 0.16, 0.19, 0.24);
    cairo_pattern_add_color_stop_rgb(gradient, 1.0, 0.09, 0.11, 0.15);
    cairo_pattern_set_extend(gradient, CAIRO_EXTEND_NONE);
    cairo_set_source(m_cr, gradient);
    cairo_paint(m_cr);
    cairo_pattern_destroy(gradient);
    // Sheen over the upper half, clipped to the band.
    const double sheenBottom = bandY + bandH / 2 + 8;
    cairo_rectangle(m_cr, bandX, fromBottom(sheenBottom + bandH / 2), bandW, bandH / 2);
    cairo_set_source_rgba(m_cr, 1, 1, 1, 0.1);
    cairo_fill(m_cr);
    cairo_restore(m_cr);

    roundedRect(m_cr, bandX, top, bandW, bandH, bandR);
    cairo_set_line_width(m_cr, 1);
    cairo_set_source_rgb(m_cr, 0.55, 0.55, 0.55);
    cairo_stroke(m_cr);

    const double textX = bandX + 20;
    ReportDocTypesetter::draw(m_cr, m_typesetter.single(title.toUpper(), Font{10, ReportDocText::Heavy}, light),
                              textX, fromBottom(bandY + bandH - 26));
    ReportDocTypesetter::draw(m_cr, m_typesetter.single(heading, Font{24, ReportDocText::Heavy}, white), textX,
                              fromBottom(bandY + bandH - 56));
    ReportDocTypesetter::draw(m_cr, m_typesetter.single(subtitle, Font{9, ReportDocText::Regular}, light), textX,
                              fromBottom(bandY + 14));
    const auto mark = m_typesetter.single(QStringLiteral("KVRN"), Font{13, ReportDocText::Black}, light);
    ReportDocTypesetter::draw(m_cr, mark, bandX + bandW - 20 - ReportDocTypesetter::width(mark),
                              fromBottom(bandY + bandH - 27));
}

void ReportDocPainter::frame(const ReportDocPaginator::Frame &frame, double top)
{
    const QList<ReportDocTypesetter::Line> &lines = m_typesetter.lines();
    for (qsizetype k = 0; k < frame.lineCount(); ++k) {
        const ReportDocTypesetter::Line &line = lines[frame.firstLine + k];
        cairo_move_to(m_cr, ReportDoc::columnLeft + line.x, top + frame.baselines[k]);
        pango_cairo_show_layout_line(m_cr, line.pango);
    }

    // One rule under each heading: under its last line on this page.
    const auto ruled = [&](qsizetype k) {
        const qsizetype start = lines[frame.firstLine + k].start;
        return start < m_text.length() && (m_text.marksAt(start) & ReportDocText::Rule);
    };
    cairo_set_line_width(m_cr, 1.4);
    cairo_set_source_rgb(m_cr, 0.20, 0.22, 0.26);
    for (qsizetype k = 0; k < frame.lineCount(); ++k) {
        if (!ruled(k) || (k + 1 < frame.lineCount() && ruled(k + 1)))
            continue;
        const double y = top + frame.baselines[k] + 5;
        cairo_move_to(m_cr, ReportDoc::columnLeft, y);
        cairo_line_to(m_cr, ReportDoc::columnLeft + ReportDoc::columnWidth, y);
        cairo_stroke(m_cr);
    }
}

void ReportDocPainter::footer(const QString &footer, int number, int count, const QString &link)
{
    const double left = ReportDoc::columnLeft, right = ReportDoc::pageWidth - 50;
    cairo_set_line_width(m_cr, 0.6);
    cairo_set_source_rgb(m_cr, 0.75, 0.75, 0.75);
    cairo_move_to(m_cr, left, fromBottom(68));
    cairo_line_to(m_cr, right, fromBottom(68));
    cairo_stroke(m_cr);

    const auto text = m_typesetter.single(footer, Font{8, ReportDocText::Semibold}, ReportDoc::dim);
    ReportDocTypesetter::draw(m_cr, text, left, fromBottom(54));
    const QString pageText = QStringLiteral("Page %1 of %2").arg(number).arg(count);
    const auto page = m_typesetter.single(pageText, Font{8, ReportDocText::Regular}, ReportDoc::dim);
    ReportDocTypesetter::draw(m_cr, page, right - ReportDocTypesetter::width(page), fromBottom(54));

    const QUrl url(link, QUrl::StrictMode);
    if (!url.isValid() || url.scheme().isEmpty() || url.host().isEmpty())
        return;
    const double width = ReportDocTypesetter::width(text);
    const QByteArray attributes = "uri='" + quoted(url.toString(QUrl::FullyEncoded)) + "' rect=["
        + QByteArray::number(left) + ' ' + QByteArray::number(fromBottom(50 + 14)) + ' '
        + QByteArray::number(width, 'f', 3) + " 14]";
    cairo_tag_begin(m_cr, CAIRO_TAG_LINK, attributes.constData());
    cairo_tag_end(m_cr, CAIRO_TAG_LINK);
}
