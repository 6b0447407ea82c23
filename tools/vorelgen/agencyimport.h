#pragma once

#include "epanames.h"
#include "model.h"
#include "namealiases.h"

#include <QMap>
#include <QStringList>

class FlatFile;
class VehicleMatcher;

// Builds the record kinds it is given files for from the agencies' own
// downloads: EPA's vehicles.csv (engine listings) and NHTSA's recall,
// investigation, complaint and manufacturer-communication flat files. Each
// kind given replaces the generated one, and every table derived from it is
// made from the imported rows. Records naming no vehicle line of the build
// (or an unknown model year) are counted per file and reported.
class AgencyImport
{
public:
    enum Kind { Recalls, Investigations, Bulletins, Complaints, Engines };

    // A command-line option ("--recalls" ...) and its kind; false when the
    // option is not one of them.
    static bool option(const QString &name, Kind *kind);
    void add(Kind kind, const QString &path) { m_files[kind].append(path); }
    // A file read before the others of its kind: theirs win where they overlap.
    void addFirst(Kind kind, const QString &path) { m_files[kind].prepend(path); }
    // The agencies' files found in a folder under their published names; the
    // folder's sources.tsv (tools/fetch-agency-data) gives their addresses and dates.
    void addFolder(const QString &dir);
    // A sources.tsv: the addresses and dates of the files it names.
    void readSources(const QString &path);
    bool has(Kind kind) const { return !m_files.value(kind).isEmpty(); }
    bool any() const { return !m_files.isEmpty(); }
    // NHTSA's names that differ from the lines' own by form.
    void setAliases(const NameAliases &aliases) { m_aliases = aliases; }
    // The reviewed table that names the line of each EPA model name.
    void setEpaNames(const EpaNames &names) { m_epaNames = names; }

    void importEngines(Model &m);
    void importRecalls(Model &m);
    void importInvestigations(Model &m);
    void importBulletins(Model &m);
    void importComplaints(Model &m);

    // One line per kind a folder lacked, then one line per file: its records,
    // those linked to a vehicle-year and those that were not, with the names
    // met most often among them (and, past ten, a line for each name).
    QStringList report() const;

private:
    struct Tally
    {
        QString file;
        qint64 records = 0, linked = 0, unknownYear = 0, unmatched = 0;
        qint64 leftOut = 0; // left out by the EPA names table, with its reason
        QHash<QString, qint64> names; // "MAKE MODEL YEAR" of records that matched no line
        QString newest;               // the newest record date in the file
    };
    Tally &begin(const QString &path);
    // The vehicle lines a record names in its model year, counted in the
    // tally; empty when none. With `one`, a name that stands for several
    // lines (a record counted once per vehicle-year) is counted unmatched.
    QList<const Vehicle *> vehicles(VehicleMatcher &matcher, Tally &t, const FlatFile &f, int make, int model, int year, bool one = false);
    void credit(Model &m, Kind kind, const QString &what);

    QMap<Kind, QStringList> m_files;
    QMap<QString, QPair<QString, QString>> m_sources; // file name -> (url, date)
    QList<Tally> m_tallies;
    QStringList m_notes; // the kinds a folder had no file for
    NameAliases m_aliases;
    EpaNames m_epaNames;
};
