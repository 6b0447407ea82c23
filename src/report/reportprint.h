#pragma once

#include <QString>

class QWidget;

// Prints a PDF file through the print dialog: each page drawn by poppler,
// turned to the paper's orientation and scaled to fit it.
namespace ReportPrint {

// False when the file does not read as a PDF; true otherwise (also when the
// user cancels the dialog).
bool run(const QString &pdfPath, QWidget *parent);

} // namespace ReportPrint
