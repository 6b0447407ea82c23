#pragma once

#include <QString>
#include <QStringList>

// How check labels write what they carry.
namespace LabelForm {

// ["a", "b"]: each item between straight double quotes, joined by ", ";
// an empty list is "[]".
QString list(const QStringList &items);

// The first `count` items (fewer when there are fewer), as list().
QString firstOf(const QStringList &items, qsizetype count);

} // namespace LabelForm
