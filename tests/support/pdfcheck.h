#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What qpdf's check (`qpdf --check`) finds wrong in a PDF, through its
// library: the file read with its cross-reference table, every object it
// reaches written out with every stream decoded, every page's content
// parsed. Empty for a sound file.
namespace PdfCheck {
QStringList problems(const QByteArray &pdf);
QStringList fileProblems(const QString &path);
} // namespace PdfCheck
