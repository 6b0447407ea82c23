#include "pdfmodule.h"

#include "paths.h"

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
        if (lib->load()) {
            module = lib;
        } else {
            qWarning("PDF module not loaded: %s", qPrintable(lib->errorString()));
            delete lib;
        }
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
    return Paths::besideExecutable(QStringLiteral("../" FV_MODULE_DIR "/fenwhistle-vorel-pdf.so"));
}

} // namespace PDFModule
