#pragma once

#include <QFunctionPointer>
#include <QString>

// The PDF module (fenwhistle-vorel-pdf.so): reading PDFs back (poppler) and
// writing the report's (Pango and cairo). Loaded on the first call that needs
// it and kept for the life of the program; linked into the program, those
// libraries would be loaded at every start of the window, which needs none.
namespace PDFModule {

// The module's symbol `name`; null when the module or the symbol is missing.
QFunctionPointer resolve(const char *name);
// Where it is looked for: "../lib/<multiarch triplet>/fenwhistle-vorel" beside
// the folder of the running executable (the build tree mirrors that).
QString path();

} // namespace PDFModule
