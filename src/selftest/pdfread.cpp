#include "pdfread.h"

#include <poppler-qt6.h>

#include <QFile>
#include <memory>

namespace {

PdfRead readDocument(std::unique_ptr<Poppler::Document> doc)
{
    PdfRead read;
    if (!doc || doc->isLocked())
        return read;
    for (int i = 0; i < doc->numPages(); ++i) {
        const std::unique_ptr<Poppler::Page> page = doc->page(i);
        read.pages.append(page ? page->text(QRectF()) : QString());
    }
    if (doc->infoKeys().contains(QStringLiteral("Title")))
        read.title = doc->info(QStringLiteral("Title"));
    return read;
}

} // namespace

PdfRead PdfRead::fromData(const QByteArray &data)
{
    return readDocument(Poppler::Document::loadFromData(data));
}

PdfRead PdfRead::fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return fromData(file.readAll());
}
