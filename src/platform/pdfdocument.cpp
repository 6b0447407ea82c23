#include "pdfdocument.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLibrary>
#include <mutex>

namespace {

PDFDocumentOpener opener()
{
    static std::once_flag once;
    static PDFDocumentOpener open = nullptr;
    std::call_once(once, [] {
        // Kept loaded for the life of the program, like a linked library.
        auto *module = new QLibrary(PDFDocument::modulePath());
        open = reinterpret_cast<PDFDocumentOpener>(module->resolve(FV_PDF_OPENER));
        if (!open)
            qWarning("PDF module not loaded: %s", qPrintable(module->errorString()));
    });
    return open;
}

} // namespace

std::unique_ptr<PDFDocument> PDFDocument::fromData(const QByteArray &data)
{
    const PDFDocumentOpener open = opener();
    return std::unique_ptr<PDFDocument>(open ? open(data) : nullptr);
}

std::unique_ptr<PDFDocument> PDFDocument::fromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    return fromData(file.readAll());
}

bool PDFDocument::available()
{
    return opener() != nullptr;
}

QString PDFDocument::modulePath()
{
    const QString bin = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                     : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    return QDir::cleanPath(bin + QStringLiteral("/../lib/fenwhistle-vorel/fenwhistle-vorel-pdf.so"));
}
