#include "reportprint.h"

#include "printfit.h"

#include <poppler-qt6.h>

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
void drawImage(QPainter &painter, Poppler::Document &doc, Poppler::Page &page, const PrintFit &fit, double across)
{
    doc.setRenderBackend(Poppler::Document::SplashBackend);
    const double dpi = std::min(maxDpi, 72.0 * fit.target.width() / across);
    const QImage image = page.renderToImage(dpi, dpi, -1, -1, -1, -1,
                                            fit.rotate ? Poppler::Page::Rotate90 : Poppler::Page::Rotate0);
    if (!image.isNull())
        painter.drawImage(fit.target, image);
}

} // namespace

bool drawPage(QPainter &painter, Poppler::Document &doc, Poppler::Page &page, const QRectF &paper)
{
    const QSizeF size = page.pageSizeF(); // points
    const PrintFit fit = PrintFit::place(size, paper);
    if (fit.target.isEmpty())
        return false;
    const double across = fit.rotate ? size.height() : size.width();
    // Vector drawing: at 72 dpi one unit is one point, scaled onto the target.
    doc.setRenderBackend(Poppler::Document::QPainterBackend);
    painter.save();
    painter.setClipRect(fit.target);
    painter.translate(fit.target.topLeft());
    const double scale = fit.target.width() / across;
    painter.scale(scale, scale);
    const bool drawn = page.renderToPainter(&painter, 72.0, 72.0, -1, -1, -1, -1,
                                            fit.rotate ? Poppler::Page::Rotate90 : Poppler::Page::Rotate0);
    painter.restore();
    if (!drawn)
        drawImage(painter, doc, page, fit, across);
    return drawn;
}

bool printPages(Poppler::Document &doc, QPrinter &printer, const QList<int> &pages)
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
        if (const std::unique_ptr<Poppler::Page> page = doc.page(pages[i]))
            drawPage(painter, doc, *page, area);
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

bool print(const QByteArray &pdf, Poppler::Document &doc, QPrinter &printer, const QList<int> &pages)
{
    if (copiesWhole(printer, pages, doc.numPages())) {
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
    const std::unique_ptr<Poppler::Document> doc = Poppler::Document::loadFromData(pdf);
    if (!doc || doc->isLocked() || doc->numPages() < 1)
        return false;
    doc->setRenderHint(Poppler::Document::Antialiasing);
    doc->setRenderHint(Poppler::Document::TextAntialiasing);

    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QFileInfo(pdfPath).completeBaseName());
    QPrintDialog dialog(&printer, parent);
    dialog.setMinMax(1, doc->numPages());
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    if (dialog.exec() != QDialog::Accepted)
        return true;

    int first = 0;
    int last = doc->numPages() - 1;
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
