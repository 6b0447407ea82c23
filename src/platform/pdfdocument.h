#pragma once

#include <QByteArray>
#include <QImage>
#include <QSizeF>
#include <QString>
#include <memory>
#include <optional>

class QPainter;

// A PDF read back: its pages' sizes, texts and drawings, and its title, read
// by the PDF module (pdfmodule.h).
class PDFDocument
{
public:
    virtual ~PDFDocument() = default;

    virtual int pageCount() const = 0;
    // The page's size in points; empty for a page that is not there.
    virtual QSizeF pageSize(int page) const = 0;
    virtual QString pageText(int page) const = 0;
    // The document's Title entry, when it has one.
    virtual std::optional<QString> title() const = 0;
    // Draws the page at 72 dpi (a unit a point), turned a quarter when
    // `rotate`; false when it could not be drawn as vectors.
    virtual bool drawVectors(int page, QPainter &painter, bool rotate) = 0;
    // The page as a picture at `dpi`, turned a quarter when `rotate`.
    virtual QImage picture(int page, double dpi, bool rotate) = 0;

    // `data` read as a PDF; null when it does not read as one, is locked, or
    // the module cannot be loaded.
    static std::unique_ptr<PDFDocument> fromData(const QByteArray &data);
    // The file read as a PDF; null as above, or when it cannot be read.
    static std::unique_ptr<PDFDocument> fromFile(const QString &path);
};

// The module's entry point for a document, looked up by this name.
using PDFDocumentOpener = PDFDocument *(*)(const QByteArray &data);
#define FV_PDF_OPENER "fvOpenPDFDocument"
