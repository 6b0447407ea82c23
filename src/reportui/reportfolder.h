#pragma once

#include <QString>
#include <QStringList>

// The private folder that holds the PDFs made for printing and sharing,
// "KVRN Fenwhistle Vorel Reports". The shared temporary folder is tried
// first; a folder there is used only when it is a real folder (not a
// symbolic link) owned by this user, and it is kept at mode 0700. Otherwise
// the same name under the user's runtime folder, then the cache folder.
namespace ReportFolder {

QString name();

// The folder bases in order of preference: temporary, runtime, cache.
QStringList bases();

// Makes `dir` (mode 0700) when missing and answers whether it is now a
// private folder of this user: a directory, not a link, owned by the
// effective user, with no access for group or others (tightened when needed).
bool makePrivate(const QString &dir);

// The report folder under the first base that gives a private folder
// (the base itself made when missing); empty when none does.
QString locate(const QStringList &bases = ReportFolder::bases());

} // namespace ReportFolder
