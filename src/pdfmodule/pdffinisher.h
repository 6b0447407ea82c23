#pragma once

#include <QByteArray>

// Rewrites the PDF cairo made into a well-formed file: see pdffinisher.cpp.
class PDFFinisher
{
public:
    // The finished PDF; empty when `pdf` could not be read or written.
    static QByteArray finish(const QByteArray &pdf);
};
