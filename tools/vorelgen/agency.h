#pragma once

#include "data/provenance.h"
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

// What a vehicle had in a model year, as bits: the parts a record template
// may need before it can concern that vehicle-year.
enum Trait : int {
    Combustion = 1,    // a fuel-burning engine (alone or in a hybrid)
    Gasoline = 2,      // a spark-ignition engine
    Diesel = 4,        // a diesel engine
    SteppedBox = 8,    // a gearbox with gears (automatic or manual)
    CvtBox = 16,       // a continuously variable gearbox
    RearDriven = 32,   // a driven rear axle with a driveshaft: rear, four or all wheels
    FourWheel = 64,    // four- or all-wheel drive
    AirSprings = 128,  // self-levelling air suspension
    Manual = 256,      // a manual gearbox
    Automatic = 512,   // an automatic gearbox (a CVT or a single speed included)
    ClosedBody = 1024, // a trunk or a hatch at the rear: no pickup bed
    Liftgate = 2048,   // a lifting rear door with its wiper: an SUV or a van
};
constexpr int kDriveTraits = RearDriven | FourWheel;
constexpr int kGearboxTraits = SteppedBox | CvtBox | Manual | Automatic;

// One row of a vehicle-year's engine table, as the vehicle page shows it.
struct EngineFacts
{
    QString fuel, transmission, drive;
};
// The body traits of a line by its vehicle types: none for a line typed as a
// truck (it may be a pickup), a closed body for a car, and a liftgate as well
// for an MPV (an SUV or a van).
int bodyTraits(const QString &types);
// What the engine rows state, with the body's traits. The drive and gearbox
// traits of `unstated` stand in where no row names a drive or a gearbox; the
// rows' fuels are taken as they are.
int statedTraits(const QList<EngineFacts> &rows, const QString &types, int unstated);

// The traits of one vehicle-year as its page shows them: its engine table's
// fuels, drives and gearboxes and its body. A year without engine rows, and
// a drive or gearbox no row states, takes the line's rules: a gasoline engine
// with a stepped gearbox, or electric for an electric line; a diesel only
// where a row lists one.
int yearTraits(const Model &m, qint64 vid, int year);
// The engine rows of a vehicle-year, smallest engine first; empty when it has none.
const QList<EpaRow> &engineRows(const Model &m, qint64 vid, int year);
// The traits a template object needs: its "ice" flag (a combustion engine)
// and its "needs" list ("gasoline", "diesel", "gears", "cvt", "rear drive",
// "four-wheel drive", "air springs", "manual", "automatic", "closed body",
// "liftgate"). Throws on an unknown word.
int templateNeeds(const QJsonObject &t);
// What a record's "|"-joined components and its words say its vehicles must
// have: a rear axle, a diesel, a trunk or hatch, a manual gearbox, ...
int textNeeds(const QString &components, const QString &text);
// "a diesel engine, a manual gearbox" for the traits set.
QString traitNames(int traits);

// The links a record template can concern: model years from its first year
// on whose vehicle-year has every trait in `needs`. Order kept.
QList<Link> fitLinks(const Model &m, const QList<Link> &links, int from, int needs);
// Whether fitLinks keeps at least one of the links.
bool anyFits(const Model &m, const QList<Link> &links, int from, int needs);

// The last day of the data the generated records go up to: none is dated
// after it.
QString dataDate(const Model &m);
// A report date for a record about `links` drawn in `year` where possible:
// no earlier than April 1 of the year before its newest model year (about
// nine months before that model year could be on sale), never after the
// data's date.
QString reportDate(const Model &m, int year, const QList<Link> &links, Rng &r);
// The first day a record about these model years may carry.
QString earliestDate(const QList<Link> &links);

// A record template of agency.json with its limits.
struct AgencyTemplate
{
    QJsonObject text; // the template object itself
    int from = 1970;  // its own "from", not before its component's first year
    int needs = 0;    // the traits it needs (templateNeeds)
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

// Whether two "|"-joined component lists share a first level.
bool sameParts(const QString &a, const QString &b);
// Whether two link lists share a vehicle-year.
bool shareVehicleYear(const QList<Link> &a, const QList<Link> &b);

// What the database says about where its records came from: the kinds not
// imported from the agencies' files are generated, the two recalls kept with
// their real content are not, and the pictures are drawings.
Provenance provenanceOf(const Model &m);

// The first level of a component name ("SERVICE BRAKES, HYDRAULIC").
QString firstLevel(const QString &component);
// The first model year in which a component can appear.
int componentFrom(const Content &c, const QString &component);
