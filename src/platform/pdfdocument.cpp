#include "pdfdocument.h"

#include "pdfmodule.h"

#include <QFile>

std::unique_ptr<PDFDocument> PDFDocument::fromData(const QByteArray &data)
{
    const auto open = reinterpret_cast<PDFDocumentOpener>(PDFModule::resolve(FV_PDF_OPENER));
    return std::unique_ptr<PDFDocument>(open ? open(data) : nullptr);
}

std::unique_ptr<PDFDocument> PDFDocument::fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    return fromData(file.readAll());
}
