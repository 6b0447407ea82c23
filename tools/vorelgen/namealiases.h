#pragma once

#include <QHash>
#include <QJsonArray>
#include <QList>
#include <QStringList>

// NHTSA's names for vehicle lines that differ from the lines' own names by
// form ("OLDSMOBILE 98" for the Ninety Eight (98), "FORD ECONOLINE" for the
// E-150, E-250 and E-350), from the content's reviewed table. An entry with
// no lines keeps a name apart from the shorter name it starts with
// ("DODGE COLT VISTA" is not the Colt).
class NameAliases
{
public:
    struct Target
    {
        QStringList lines; // the lines' model names as the build spells them; empty: no line
        int from = 0, to = 9999;
    };

    NameAliases() = default;
    // [{make, model, lines: [...], years: "1985-1996" (optional)}]; a malformed entry throws a GenError.
    static NameAliases fromJson(const QJsonArray &entries);

    // The entry for a make and a model (both keyed by VehicleMatcher::key)
    // in force in the model year; nullptr when the table has none.
    const Target *find(const QString &makeKey, const QString &modelKey, int year) const;
    bool isEmpty() const { return m_entries.isEmpty(); }

private:
    QHash<QString, QList<Target>> m_entries; // make key + "|" + model key
};
