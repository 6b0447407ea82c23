#include "pdfmodule.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <mutex>

namespace PDFModule {

namespace {

QLibrary *library()
{
    static std::once_flag once;
    static QLibrary *module = nullptr;
    std::call_once(once, [] {
        // Never unloaded: the objects it made may outlive any caller.
        auto *lib = new QLibrary(path());
        if (lib->load())
            module = lib;
        else
            qWarning("PDF module not loaded: %s", qPrintable(lib->errorString()));
    });
    return module;
}

} // namespace

QFunctionPointer resolve(const char *name)
{
    QLibrary *module = library();
    return module ? module->resolve(name) : nullptr;
}

QString path()
{
    const QString bin = QCoreApplication::instance() ? QCoreApplication::applicationDirPath()
                                                     : QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath();
    return QDir::cleanPath(bin + QStringLiteral("/../lib/fenwhistle-vorel/fenwhistle-vorel-pdf.so"));
}

} // namespace PDFModule
