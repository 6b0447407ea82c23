#include "pdfread.h"

#include "platform/pdfdocument.h"

namespace {

PdfRead readDocument(const std::unique_ptr<PDFDocument> &doc)
{
    PdfRead read;
    if (!doc)
        return read;
    for (int i = 0; i < doc->pageCount(); ++i)
        read.pages.append(doc->pageText(i));
    read.title = doc->title();
    return read;
}

} // namespace

PdfRead PdfRead::fromData(const QByteArray &data)
{
    return readDocument(PDFDocument::fromData(data));
}

PdfRead PdfRead::fromFile(const QString &path)
{
    return readDocument(PDFDocument::fromFile(path));
}
