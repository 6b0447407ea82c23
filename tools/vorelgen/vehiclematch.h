#pragma once

#include "model.h"
#include "namealiases.h"

#include <QHash>

// Finds the vehicle line an agency record names. The agencies write makes and
// models in upper case, often with a body or trim after the model ("F150",
// "F-150 SUPERCREW", "NAVIGATOR"). One normalization serves every file: a
// name is keyed by its letters and digits alone, upper-cased ("F-150" and
// "F150" are both F150); the record's model words are tried longest first
// ("F-150 SUPERCREW 4X4", then "F-150 SUPERCREW", then "F-150"), and the first
// key that names a line of that make having the model year wins. A name in
// the alias table stands for the lines it lists (or for none); a trailing
// number of three digits or more is never dropped, since it tells siblings
// apart ("SILVERADO 2500" is not the Silverado 1500).
class VehicleMatcher
{
public:
    explicit VehicleMatcher(const Model &m, const NameAliases &aliases = NameAliases());
    // The one line the name stands for; nullptr when none, or several.
    const Vehicle *match(const QString &make, const QString &model, int year);
    // Every line the name stands for in the model year ("FORD ECONOLINE": the
    // E-150, E-250 and E-350 that year had).
    QList<const Vehicle *> matchAll(const QString &make, const QString &model, int year);
    static QString key(const QString &name);

private:
    QList<const Vehicle *> find(const QString &make, const QString &model, int year) const;

    QHash<QString, QList<const Vehicle *>> m_lines; // make key + "|" + model key
    NameAliases m_aliases;
    QHash<QString, QList<const Vehicle *>> m_seen; // answers already given
};
