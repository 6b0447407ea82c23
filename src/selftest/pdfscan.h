#pragma once

#include <QString>
#include <QStringList>

// Looks for PDF files below a folder: every item at any depth whose path,
// lower-cased, ends with ".pdf".
namespace PdfScan {

struct Result
{
    bool listed = false; // the whole tree could be read
    QStringList found;   // paths relative to the folder, at most `limit`
};

// A folder that is missing, not a folder, or holds a part that cannot be
// read is not listed.
Result find(const QString &folder, qsizetype limit);

} // namespace PdfScan
