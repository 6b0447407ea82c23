#pragma once

#include "model.h"
#include "rng.h"

#include <QMap>
#include <QSet>

// A manufacturer with the makes it sells and its legal name over the years.
struct MakerGroup
{
    QStringList makes;
    QList<QPair<QString, QString>> names; // from date ("YYYY-MM-DD"), name
    QString style;                        // bulletin numbering style
    bool heavy = false;                   // builds only heavy and commercial trucks
    QList<const Vehicle *> vehicles;
    // The legal name on a record of that date.
    QString nameFor(const QString &date) const;
};

// The manufacturer groups of agency.json with their vehicles.
QList<MakerGroup> makerGroups(const Model &m, const Content &c);
int groupOf(const QList<MakerGroup> &groups, const QString &make);

// Picks vehicle-years around a pivot year: up to maxVehicles vehicles of the
// pool that have a model year in [pivot - 5, pivot + 1], each with a run of
// up to maxYears consecutive model years in that window.
QList<Link> pickLinks(const QList<const Vehicle *> &pool, int pivot, int maxVehicles, int maxYears, Rng &r);

// The links a record template can concern: model years from its first year
// on, and, for a template about fuel, exhaust or gearbox parts, only vehicles
// with a combustion engine. Order kept.
QList<Link> fitLinks(const Model &m, const QList<Link> &links, int from, bool ice);
// Whether fitLinks keeps at least one of the links.
bool anyFits(const Model &m, const QList<Link> &links, int from, bool ice);

// A record template of agency.json with its limits.
struct AgencyTemplate
{
    QJsonObject text; // the template object itself
    int from = 1970;  // its own "from", not before its component's first year
    bool ice = false; // its "ice" flag
    int to = 9999;    // its "to": the last model year it concerns
};
// The templates under `key` ("recalls", "investigations" or "bulletins").
QList<AgencyTemplate> agencyTemplates(const Content &c, const QString &key);

// "2002-2004 Lincoln Navigator and 2003 Ford Expedition", vehicles in link order.
QString vehiclePhrase(const Model &m, const QList<Link> &links);

// A year drawn with weights growing from `from` to 2026.
int weightedYear(int from, double growth, Rng &r);

// Unique agency numbers such as 05V388000 or PE05012.
class NumberBook
{
public:
    void reserve(const QString &number) { m_used.insert(number); }
    bool used(const QString &number) const { return m_used.contains(number); }
    // prefix + a three-digit number + suffix, unused so far.
    QString next(const QString &prefix, const QString &suffix, Rng &r);

private:
    QSet<QString> m_used;
    QMap<QString, int> m_last;
};

// The first level of a component name ("SERVICE BRAKES, HYDRAULIC").
QString firstLevel(const QString &component);
// The first model year in which a component can appear.
int componentFrom(const Content &c, const QString &component);
