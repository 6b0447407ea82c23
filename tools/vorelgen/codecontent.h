#pragma once

#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QString>

// Trouble-code content of the reference database (the obd_codes rows).
namespace CodeContent {

// The eleven keys of every code object, in obd_codes column order.
QStringList keys();

// The family keys that price a code and pick its recalls and guides.
const QStringList &families();
// A key of families(), or "sensor: <part>" / "actuator: <part>".
bool isKnownFamily(const QString &family);

// Reads <contentDir>/codes.json (codes written one by one) and expands
// <contentDir>/code_blocks.json (codes written from shared templates). A code
// written by hand wins over a templated one with the same code. The result is
// sorted by code, has no duplicates, and every object holds exactly the eleven
// string keys of keys(). Every code has the system of its letter, a known
// family, no empty or thin text, a stored seriousness, at least two causes
// and no word of unfinished text. A missing or broken file, or a code that
// breaks a rule, gives an empty list and sets *error (when error is not null)
// to a description.
QList<QJsonObject> load(const QString &contentDir, QString *error);

// The fault of a structure table (structure.json rows), empty when none: a
// row for a chassis-code group that claims one meaning on every make.
QString structureProblem(const QJsonArray &rows);

} // namespace CodeContent
