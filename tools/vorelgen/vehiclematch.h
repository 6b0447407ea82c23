#pragma once

#include "model.h"

#include <QHash>

// Finds the vehicle line an agency record names. The agencies write makes and
// models in upper case, often with a body or trim after the model ("F150",
// "F-150 SUPERCREW", "NAVIGATOR"). One normalization serves every file: a
// name is keyed by its letters and digits alone, upper-cased ("F-150" and
// "F150" are both F150); the record's model words are tried longest first
// ("F-150 SUPERCREW 4X4", then "F-150 SUPERCREW", then "F-150"), and the first
// key that names a line of that make having the model year wins.
class VehicleMatcher
{
public:
    explicit VehicleMatcher(const Model &m);
    const Vehicle *match(const QString &make, const QString &model, int year);
    static QString key(const QString &name);

private:
    QHash<QString, QList<const Vehicle *>> m_lines; // make key + "|" + model key
    QHash<QString, const Vehicle *> m_seen;          // answers already given
};
