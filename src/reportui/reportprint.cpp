#include "reportprint.h"

#include "printfit.h"

#include "platform/pdfdocument.h"

#include <QFile>
#include <QImage>
#include <QFileInfo>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>
#include <QSaveFile>
#include <algorithm>
#include <memory>

namespace ReportPrint {

namespace {

// Finer than this adds nothing on paper and costs memory per page.
constexpr double maxDpi = 300.0;

// The page as a picture: the fall-back when it cannot be drawn as vectors.
void drawImage(QPainter &painter, PDFDocument &doc, int page, const PrintFit &fit, double across)
{
    const double dpi = std::min(maxDpi, 72.0 * fit.target.width() / across);
    const QImage image = doc.picture(page, dpi, fit.rotate);
    if (!image.isNull())
        painter.drawImage(fit.target, image);
}

} // namespace

bool drawPage(QPainter &painter, PDFDocument &doc, int page, const QRectF &paper)
{
    const QSizeF size = doc.pageSize(page); // points
    const PrintFit fit = PrintFit::place(size, paper);
    if (fit.target.isEmpty())
        return false;
    const double across = fit.rotate ? size.height() : size.width();
    // Vector drawing: at 72 dpi one unit is one point, scaled onto the target.
    painter.save();
    painter.setClipRect(fit.target);
    painter.translate(fit.target.topLeft());
    const double scale = fit.target.width() / across;
    painter.scale(scale, scale);
    const bool drawn = doc.drawVectors(page, painter, fit.rotate);
    painter.restore();
    if (!drawn)
        drawImage(painter, doc, page, fit, across);
    return drawn;
}

bool printPages(PDFDocument &doc, QPrinter &printer, const QList<int> &pages)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    const QRectF paper = printer.pageLayout().paintRectPixels(printer.resolution());
    const QRectF area(QPointF(0, 0), paper.size());
    for (qsizetype i = 0; i < pages.size(); ++i) {
        if (i > 0)
            printer.newPage();
        if (pages[i] >= 0 && pages[i] < doc.pageCount())
            drawPage(painter, doc, pages[i], area);
    }
    return painter.end();
}

bool copiesWhole(const QPrinter &printer, const QList<int> &pages, int pageCount)
{
    if (printer.outputFormat() != QPrinter::PdfFormat || printer.outputFileName().isEmpty() || printer.copyCount() != 1
        || pages.size() != pageCount)
        return false;
    for (qsizetype i = 0; i < pages.size(); ++i)
        if (pages[i] != i)
            return false;
    return true;
}

bool print(const QByteArray &pdf, PDFDocument &doc, QPrinter &printer, const QList<int> &pages)
{
    if (copiesWhole(printer, pages, doc.pageCount())) {
        QSaveFile out(printer.outputFileName());
        return out.open(QIODevice::WriteOnly) && out.write(pdf) == pdf.size() && out.commit();
    }
    return printPages(doc, printer, pages);
}

bool run(const QString &pdfPath, QWidget *parent)
{
    // Read whole first: the print dialog may offer to write over this very file.
    QFile file(pdfPath);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray pdf = file.readAll();
    const std::unique_ptr<PDFDocument> doc = PDFDocument::fromData(pdf);
    if (!doc || doc->pageCount() < 1)
        return false;

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QFileInfo(pdfPath).completeBaseName());
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, doc->pageCount());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    if (dialog.exec() != QDialog::Accepted)
        return true;

    int first = 0;
    int last = doc->pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = std::clamp(printer.fromPage() - 1, 0, last);
        last = std::clamp(printer.toPage() - 1, first, last);
    }
    QList<int> pages;
    for (int i = first; i <= last; ++i)
        pages.append(i);
    if (printer.pageOrder() == QPrinter::LastPageFirst)
        std::reverse(pages.begin(), pages.end());

    print(pdf, *doc, printer, pages);
    return true;
}

} // namespace ReportPrint
