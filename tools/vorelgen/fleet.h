#pragma once

#include "model.h"

#include <QHash>
#include <QSet>

// The vehicle lines of the vPIC catalogue, matched to the hand-written list
// and ranked for the full fleet.
//
// Selection rule, deterministic: every hand-written line first (it keeps its
// years, its id and its engines); then the catalogue's
// passenger cars, MPVs and light trucks of the established makers (the makes
// of agency.json's manufacturer groups); then their heavy and commercial
// lines (no passenger vehicle type, every weight rating class 4 or heavier,
// or a maker of only heavy trucks). Within a tier, lines named by more
// schema patterns come first, then those with more model years, then by make
// and model. Lines whose names are not vehicle names (chassis, motorhome or
// bus bodies, names that read like trouble codes) are left out, so are the
// lines vehicles.json names as never sold in the U.S., and a light
// line loses the years after its make left the U.S. market. The chosen lines
// keep their ids from fleet_ids.json; others take free ids in make and model
// order.
class Fleet
{
public:
    explicit Fleet(const Content &c);
    // Gives a hand-written vehicle its catalogue facts; its engines stay
    // the hand-written ones, the catalogue's are never mixed in.
    void attach(Vehicle &v) const;
    // The catalogue lines that fill the fleet up to total vehicles.
    QList<Vehicle> select(const QList<Vehicle> &handWritten, int total) const;
    // A catalogue line's engines per model year: the combustion engines
    // tied to the model (cylinders known, at most 1.2 L each), or one
    // electric drive for a line without a hybrid.
    static QList<Engine> engines(const QMap<int, VpicYear> &catalog, const QList<int> &years);
    // 0 for a line the fleet leaves out, else its tier (1 light, 2 heavy).
    int tier(const VpicLine &l) const;
    bool heavy(const VpicLine &l) const;

private:
    // The last model year a make sold light vehicles (vehicles.json "ended"), 9999 when still selling.
    int endedYear(const QString &make) const;

    const Content &m_content;
    QHash<QString, qsizetype> m_index; // "MAKE|model" in lower case
    QSet<QString> m_established, m_heavyMakers;
    QSet<QString> m_notSold; // vehicles.json "not_sold": catalogue lines never sold in the U.S.
};
