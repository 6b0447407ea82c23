#pragma once

#include <QList>
#include <QRectF>
#include <QString>

class PDFDocument;
class QPainter;
class QPrinter;
class QWidget;

// Prints a PDF file through the print dialog: each page drawn from the PDF
// as vector graphics (text stays text), turned to the paper's orientation
// and scaled to fit it.
namespace ReportPrint {

// Draws one page into `paper` (painter units); false when it could not be
// drawn as vectors and went down as a picture instead.
bool drawPage(QPainter &painter, PDFDocument &doc, int page, const QRectF &paper);
// Prints the pages (0-based, in this order) on the printer as it is set up.
bool printPages(PDFDocument &doc, QPrinter &printer, const QList<int> &pages);
// True when the printer writes a PDF file that would hold the whole report
// once and in order: that file can be the report's own bytes, text and links
// intact.
bool copiesWhole(const QPrinter &printer, const QList<int> &pages, int pageCount);
// Prints `pdf` (read into `doc`): the report's own bytes when copiesWhole(),
// else the pages drawn as vectors. False when nothing could be printed.
bool print(const QByteArray &pdf, PDFDocument &doc, QPrinter &printer, const QList<int> &pages);

// False when the file does not read as a PDF; true otherwise (also when the
// user cancels the dialog).
bool run(const QString &pdfPath, QWidget *parent);

} // namespace ReportPrint
