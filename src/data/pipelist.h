#pragma once

#include <QString>
#include <QStringList>

// A stored "A|B|C" list: cut at every "|", empty pieces dropped, order and
// blanks kept.
inline QStringList splitPipeList(const QString &text)
{
    // Most lists hold one name: keep the text itself rather than a copy.
    if (!text.contains(u'|'))
        return text.isEmpty() ? QStringList() : QStringList{text};
    return text.split(u'|', Qt::SkipEmptyParts);
}
