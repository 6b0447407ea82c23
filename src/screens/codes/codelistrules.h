#pragma once

#include "data/obdcode.h"
#include "data/seriousness.h"

#include <QList>
#include <QString>
#include <optional>

// What the trouble-code list shows: which codes pass the text and level
// filters, the count line, the code shown beside the list and what Return
// in the filter field selects.
class CodeListRules final
{
public:
    CodeListRules() = delete;

    // The filter text trimmed of blanks and tabs (not line breaks), lower-cased.
    static QString query(const QString &filter);
    // The level (none: every level) and the query: a code passes when its
    // code starts with the query, or its title or family contains it.
    static bool matches(const OBDCode &code, std::optional<Seriousness> level, const QString &query);
    static QList<OBDCode> matching(const QList<OBDCode> &all, std::optional<Seriousness> level,
                                   const QString &query);
    // Each code's code, title and family lower-cased once, for a list that is
    // filtered again at every keystroke.
    struct Folded
    {
        QString code, title, family;
    };
    static QList<Folded> fold(const QList<OBDCode> &all);
    // matching() over `all` and its fold(): the same codes.
    static QList<OBDCode> matching(const QList<OBDCode> &all, const QList<Folded> &folded,
                                   std::optional<Seriousness> level, const QString &query);
    // "<matching> of <total> codes".
    static QString countLine(qsizetype matching, qsizetype total);
    // The selected code, else the first matching one, else "P0300".
    static QString shownCode(const std::optional<QString> &selected, const QList<OBDCode> &matching);
    // What Return selects: the first matching code, else the query in
    // capitals, else nothing.
    static std::optional<QString> submit(const QList<OBDCode> &matching, const QString &query);
    // Whether the chip of `chip` (none: "All") is the active one.
    static bool chipActive(std::optional<Seriousness> current, std::optional<Seriousness> chip);
    // "All", then the titles of the levels.
    static QString chipTitle(std::optional<Seriousness> chip);
    static QString prompt();
    // Rows built while the snapshot renderer draws the list.
    static constexpr int snapshotRows = 24;
};
