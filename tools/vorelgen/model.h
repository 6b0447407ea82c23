#pragma once

#include <QByteArray>
#include <QHash>
#include <QJsonArray>
#include <QJsonObject>
#include <QList>
#include <QMap>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <stdexcept>

#include "vpic.h"

// A generation failure: the message names the file or the broken rule.
struct GenError
{
    QString message;
};

// What one run makes: the app's sample or the full test build.
struct Profile
{
    QString name;          // "sample" or "full"
    bool full = false;
    int vehicles = 0;      // exact total; 0 = the hand-written ones only
    int recalls = 0;
    int investigations = 0;
    int bulletins = 0;
    static Profile byName(const QString &name);
};

using YearRun = QPair<int, int>;

struct Engine
{
    int from = 0;
    int to = 9999;
    double litres = 0;
    int cylinders = 0;
    bool turbo = false;
    bool supercharged = false;
    QString evMotor; // set for electric drive
    QString fuel;    // vPIC primary fuel; empty for a hand-written gasoline engine
    bool hybrid = false;
    bool plugin = false;      // a plug-in hybrid: listed with its engine, never as an electric car
    QStringList gearboxes;    // the EPA's transmission texts; empty: the period's rule picks one
    QStringList drives;       // "FWD", "RWD", "AWD", "4WD"; empty: the body's rule picks them
    bool fromCatalog = false; // read from vPIC rather than written by hand
    QString reason;           // why a hand-written engine of 1984-2015 stands where EPA lists none
    bool operator==(const Engine &) const = default;
};

struct Vehicle
{
    qint64 id = 0;
    QString make;
    QString makeDisplay;
    QString model;
    QString types;
    QList<YearRun> runs;
    int pop = 1;
    bool heavy = false;
    bool generated = false;
    bool photo = false;
    bool inSample = true; // also in the small sample build
    QList<Engine> engines;
    QList<int> years; // ascending, from runs
    QString catalogName;         // the model's name in vPIC, when it differs
    QString catalogMake;         // the make vPIC lists it under (a Scion under Toyota), when it differs
    QMap<int, VpicYear> catalog; // what vPIC says about its model years, when it lists the line
    bool car = false;            // kind() is "car", kept for the record pickers
    int tier = 0;                // selection tier: 0 hand-written, 1 light vPIC line, 2 heavy vPIC line
    std::optional<qint64> imageID;

    bool hasYear(int y) const { return years.contains(y); }
    // Every engine is an electric motor: no fuel, exhaust or gearbox parts.
    bool electric() const;
    QString name() const { return makeDisplay + QLatin1Char(' ') + model; }
    // car, suv, truck or van, by the same rule the app draws its outlines with.
    QString kind() const;
};

struct VehicleYear
{
    qint64 vid = 0;
    int year = 0;
    QString sources;
};

struct EpaRow
{
    qint64 vid = 0;
    int year = 0;
    QString variant;
    double litres = 0;
    int cylinders = 0;
    QString transmission, drive, vehicleClass, fuel, engineDesc;
    bool turbo = false, supercharged = false;
    QString evMotor;
    bool operator==(const EpaRow &) const = default;
};

struct Link
{
    qint64 vid = 0;
    int year = 0;
};

struct RecallRow
{
    QString campaign, type, manufacturer, components, reportDate;
    std::optional<qint64> affected;
    QString initiatedBy, summary, consequence, remedy, notes;
    bool doNotDrive = false, parkOutside = false;
    QList<Link> links;
    int group = -1; // manufacturer group index, -1 for equipment makers
};

struct InvRow
{
    QString action, manufacturer, components, opened, closed, recallCampaign, subject, summary;
    QList<Link> links;
};

struct TsbRow
{
    qint64 id = 0;
    QString documentID, date, addedDate, type, components;
    QByteArray summary; // UTF-8
    QList<Link> links;
    bool packed = false; // summary held compressed (qCompress) while in memory
    QByteArray text() const { return packed ? qUncompress(summary) : summary; }
};

struct Component
{
    int id = 0;
    QString name;
    int level = 1;
    int parent = 0; // level-1 id of a level-2 component
    double weight = 0;
    int from = 1970;
    bool ice = false; // only for vehicles with a combustion engine
};

struct TotalsRow
{
    qint64 vid = 0;
    int year = 0;
    qint64 complaints = 0, crashes = 0, fires = 0, injuries = 0, deaths = 0;
};

struct ComplaintRow
{
    qint64 vid = 0;
    int year = 0;
    int level = 1;
    int component = 0;
    qint64 complaints = 0;
    qint64 vehicleYearComplaints = 0;
    double share = 0, peer = 0, index = 0, z = 0;
    bool notablyHigh = false;
};

struct PhotoRow
{
    qint64 id = 0;
    QString file, make, model, kind;
};

struct SearchRow
{
    QString kind, ref, title, body;
};

// The hand-written content, as read from the content folder.
struct Content
{
    QString dir;
    QJsonObject vehicles;       // vehicles.json
    QJsonObject agency;         // agency.json
    QList<QJsonObject> codes;   // codes.json + code_blocks.json
    QJsonArray structure, guides, safety, sources, obd1, eras, refs;
    QList<VpicLine> vpic; // the vPIC catalogue's lines; empty when it was not given
    QString vpicVersion;  // the package version the catalogue came with
    QString vpicDate;     // the date of its newest pattern
    // fleet_ids.json: each line's vehicle id for good ("MAKE|model" by
    // lineKey). Ids of lines that left the fleet stay reserved, so a stored
    // vehicle id never comes to name another vehicle.
    QHash<QString, qint64> fleetIds;
    // fleet_ids.json "merged": a line merged into another ("MAKE|model" by
    // lineKey -> the surviving line's key). Its id stays reserved and names
    // the surviving line.
    QHash<QString, QString> merged;
    // agency_names.json: NHTSA's names that differ from the lines' own, and
    // the names its upper-case texts keep in their own case.
    QJsonArray nameAliases;
    QStringList properNames;
};

// A make and model as one key: the make in upper case, the model in lower.
QString lineKey(const QString &make, const QString &model);

struct Model
{
    Profile profile;
    // Which record kinds came from the agencies' own files; the rest are generated.
    struct Imported { bool recalls = false, investigations = false, bulletins = false, complaints = false, engines = false; } imported;
    QList<Vehicle> vehicles; // by id
    QList<VehicleYear> vehicleYears;
    QList<EpaRow> epa;
    QSet<quint64> epaListed; // vehicle id << 16 | model year of every vehicle-year EPA's own list gives rows for
    qint64 epaRows = 0, epaNoLine = 0; // EPA's rows read, and those naming no line of the build in their year
    QList<RecallRow> recalls;
    QList<InvRow> investigations;
    QList<TsbRow> tsbs; // ascending id
    QList<Component> components;
    QList<TotalsRow> totals;
    QList<ComplaintRow> complaints;
    QList<PhotoRow> photos;
    QList<SearchRow> search;
    QMap<qint64, qint64> aliases; // a merged-away line's id -> the id of the line it joined
    // The agencies' files the records were imported from: data_sources rows.
    struct SourceFile { QString name, url, date; };
    QList<SourceFile> sourceFiles;
    QString dataDate; // "YYYY-MM-DD": the newest the generated agency records may be

    const Vehicle *find(const QString &make, const QString &model) const;
    const Vehicle *byID(qint64 id) const;
    // Bulletin ids per vehicle-year, ascending.
    QMap<QPair<qint64, int>, QList<qint64>> tsbLinks() const;
};

// Steps of a build, each in its own file.
Content loadContent(const QString &dir);
void buildVehicles(Model &m, const Content &c);
void addEpa(Model &m, const Vehicle &v, int year);
// The engines of a model year; the driven wheels an engine is listed with;
// whether the line had a continuously variable gearbox then.
QList<Engine> enginesOf(const Vehicle &v, int year);
QStringList drivesFor(const Vehicle &v, const Engine &e, const QList<Engine> &yearEngines, int year);
bool cvtLine(const Vehicle &v, const Engine &e, int year);
void buildRecalls(Model &m, const Content &c);
void buildInvestigations(Model &m, const Content &c);
void buildBulletins(Model &m, const Content &c);
void buildComplaints(Model &m, const Content &c);
// Share of the vehicle-year, peer share, share index, z-score and the
// notably-high flag of every complaint row, from the counts.
void complaintStatistics(Model &m);
void buildPhotos(Model &m);
void buildSearch(Model &m, const Content &c);
void drawPhotos(const Model &m, const QString &folder);
void writeReference(const Model &m, const Content &c, const QString &schemaPath, const QString &path);
void writeResearch(const Model &m, const QString &path);
// Checks the finished files; throws GenError naming the first broken rule.
void checkReference(const Model &m, const QString &path);
void checkResearch(const Model &m, const QString &referencePath, const QString &researchPath);

// Shared helpers.
QList<YearRun> parseRuns(const QString &text, const QString &where);
QString yearRunsText(const QList<int> &years);
// Each linked vehicle with its own years, in link order, years as runs with
// plain hyphens: "2000-2002 Navigator and 2001-2003 Expedition" when `name`
// gives the model alone.
QString linkedYearsPhrase(const Model &m, const QList<Link> &links,
                          const std::function<QString(const Vehicle *)> &name);
QString isoDate(int year, int dayOfYear);
