#pragma once

#include <QString>
#include <QUrl>

// Texts that read the same wherever they appear: window, sidebar, screens,
// About window, help, the report and the self-test.
namespace FVInfo {

QString appName();         // "KVRN Fenwhistle Vorel"
QString creditLine();      // "by Brackenfold (KVRN)"
QUrl website();            // the maker's site (the kit's credit address)
QString complaintsLabel(); // caption of the complaint chart
QString dataCredit();      // "Data from NHTSA and EPA; not endorsed by them."
QString draftLabel();      // "Draft — under technician review"
QString disclaimer();
// The line at the foot of every report page: product, maker and the maker's
// address ("KVRN Fenwhistle Vorel by Brackenfold — https://…").
QString reportFooter();

} // namespace FVInfo
