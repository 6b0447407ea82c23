#include "labelform.h"

namespace LabelForm {

QString list(const QStringList &items)
{
    QStringList quoted;
    quoted.reserve(items.size());
    for (const QString &item : items)
        quoted.append(u'"' + item + u'"');
    return u'[' + quoted.join(QStringLiteral(", ")) + u']';
}

QString firstOf(const QStringList &items, qsizetype count)
{
    return list(items.mid(0, count));
}

} // namespace LabelForm
