#pragma once

#include <QList>
#include <QRectF>
#include <QString>

class QPainter;
class QPrinter;
class QWidget;
namespace Poppler {
class Document;
class Page;
}

// Prints a PDF file through the print dialog: each page drawn by poppler
// as vector graphics (text stays text), turned to the paper's orientation
// and scaled to fit it.
namespace ReportPrint {

// Draws one page into `paper` (painter units); false when it could not be
// drawn as vectors and went down as a picture instead.
bool drawPage(QPainter &painter, Poppler::Document &doc, Poppler::Page &page, const QRectF &paper);
// Prints the pages (0-based, in this order) on the printer as it is set up.
bool printPages(Poppler::Document &doc, QPrinter &printer, const QList<int> &pages);

// False when the file does not read as a PDF; true otherwise (also when the
// user cancels the dialog).
bool run(const QString &pdfPath, QWidget *parent);

} // namespace ReportPrint
