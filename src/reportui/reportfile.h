#pragma once

#include <QString>

struct TroubleReport;

// Writing a report's PDF to a file the user named.
namespace ReportFile {

// Whether both paths name one existing file (links followed, hard links too).
bool sameFile(const QString &a, const QString &b);

// The error text when the chosen file is the garage itself.
QString garageClash();

// Writes the report's PDF to `path` atomically; refuses, writing nothing, when
// `path` is the file `guarded` (the garage). False with the reason in *error
// when nothing was written; no PDF bytes count as a failed write.
bool write(const TroubleReport &report, const QString &path, const QString &guarded, QString *error);
// The same for PDF bytes already made. A path that exists and is not a
// regular file (a device, a FIFO, a folder) is refused too.
bool write(const QByteArray &pdf, const QString &path, const QString &guarded, QString *error);

// The error text when the chosen path is not a regular file.
QString notRegular(const QString &path);

} // namespace ReportFile
