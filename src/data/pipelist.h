#pragma once

#include <QString>
#include <QStringList>

// A stored "A|B|C" list: cut at every "|", empty pieces dropped, order and
// blanks kept.
inline QStringList splitPipeList(const QString &text)
{
    return text.split(u'|', Qt::SkipEmptyParts);
}
