#pragma once

#include "complaintsummary.h"
#include "epaconfig.h"
#include "guide.h"
#include "investigation.h"
#include "obd1section.h"
#include "obdcode.h"
#include "photocredit.h"
#include "recall.h"
#include "reflink.h"
#include "searchhit.h"
#include "sqldb.h"
#include "tsb.h"
#include "vehicleinfo.h"
#include "vehicleyearrecords.h"

#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <future>
#include <memory>
#include <optional>

// The read-only reference database. Opening throws SQLError; every query
// afterwards turns a failure into its neutral result (empty list, absent
// record, empty text or zero).
class Vorel final
{
public:
    // VOREL_DB when set and not empty, else "vorel.db" in the resource folder.
    static QString bundledURL();
    // VOREL_PHOTOS when set and not empty, else "photos/" in the resource folder.
    static QString bundledPhotos();

    explicit Vorel(const QString &path = bundledURL(), const QString &photos = bundledPhotos());
    Vorel(const Vorel &) = delete;
    Vorel &operator=(const Vorel &) = delete;

    // Content counts from meta["counts"]; empty unless a JSON object of integers.
    QMap<QString, qint64> counts() const;
    // Whether the file carries page checksums (see PageChecksum): without
    // them a damaged page can read as valid data.
    bool checksummed() const;

    std::unique_ptr<SQLDB> db;
    QString photosFolder;
    QHash<QString, QString> meta;

    // ---- Vehicles, codes, guides, OBD-I, photos, references, search ----
    // Each runs its SQL afresh; a failing statement reads as an empty result.

    // Model years that have vehicles, 1970 to 2030, newest first.
    QList<qint64> years() const;
    // Starts reading years() on a worker thread and a connection of its own;
    // the next years() takes that answer, or reads afresh where it failed.
    void readYearsAhead();
    // Makes of a year with their model counts, by display name; heavy models
    // count only with includeHeavy.
    QList<MakeChoice> makes(qint64 year, bool includeHeavy = false) const;
    // Models of an exact make key and year, by model ignoring ASCII case.
    QList<ModelChoice> models(qint64 year, const QString &make, bool includeHeavy = false) const;
    // Make and model matched ignoring ASCII case; nothing trimmed.
    std::optional<VehicleInfo> find(const QString &make, const QString &model) const;
    // Starts reading these finds on a worker thread and a connection of its
    // own; find() takes each answer once, and reads afresh what failed.
    void findAhead(const QList<std::pair<QString, QString>> &names);
    // The line of this id; a line merged into another answers with the line
    // it joined (its own id).
    std::optional<VehicleInfo> vehicle(qint64 id) const;
    // The id of the line an id names now: a merged-away id gives the id of
    // the line it joined, any other id itself.
    qint64 lineID(qint64 id) const;
    // The vehicle's model years, oldest first (a merged-away id: its line's).
    QList<ModelYear> yearsFor(qint64 vehicleID) const;
    // The model years as runs: "1997–1999, 2001, 2003–2004"; empty when none.
    QString yearRuns(qint64 vehicleID) const;
    // The same runs of years already read (oldest first).
    static QString yearRuns(const QList<ModelYear> &years);
    // EPA configurations by displacement, then variant, later equal ones dropped.
    QList<EPAConfig> epa(qint64 vehicleID, qint64 year) const;

    // Every code: P first, then U, then B, then the rest, each by code.
    QList<OBDCode> allCodes() const;
    // One code; the key is upper-cased and trimmed of blanks and tabs.
    std::optional<OBDCode> code(const QString &code) const;
    // What the letters and digits of a well-formed code (P, B, C or U and four
    // hexadecimal digits) mean; nothing for any other text.
    std::optional<QStringList> explainStructure(const QString &code) const;
    // Whether explainStructure() explains the text (a well-formed code); reads nothing.
    static bool isWellFormedCode(const QString &code);

    // Every guide in its stored order, each with its steps.
    QList<Guide> guides() const;
    QHash<QString, SafetyNote> safetyNotes() const;
    QHash<QString, SourceRef> sources() const;
    // The strings of a JSON array of strings; empty for anything else.
    static QStringList jsonList(const QString &text);

    QList<OBD1Section> obd1Sections() const;
    QList<EraNote> eraNotes() const;
    // Photo credits by make, then model.
    QList<PhotoCredit> photos() const;
    std::optional<PhotoCredit> photo(std::optional<qint64> id) const;
    // The photo's file inside the photos folder (existence not tested). Empty
    // when the file name is empty, ".", "..", absolute, or holds a "/" or a
    // zero character, so nothing outside the photos folder is ever named.
    QString photoURL(const PhotoCredit &photo) const;
    QList<RefLink> refs() const;
    QList<DataSource> dataSources() const;

    // Full-text search over vehicles, codes, guides, OBD-I sections and
    // recalls: a code-first hit, then the full-text hits by kind and rank.
    // At most `limit` hits; none for a limit below 1. Every kind with hits
    // keeps its best few (5, fewer when the limit is small); these lead, by
    // kind, and the other places follow by kind and rank. Recalls that match
    // only through their title's component words follow the other recalls. Repeated words count
    // once, and only the first maxSearchTerms different words are searched.
    QList<SearchHit> search(const QString &query, qint64 limit = 60) const;
    static constexpr qsizetype maxSearchTerms = 32;

    // ---- Recalls, investigations, bulletins, complaints, known-for lines ----

    // Recalls of a vehicle and year, newest report date first.
    QList<Recall> recalls(qint64 vehicleID, qint64 year) const;
    // One campaign by its exact stored number.
    std::optional<Recall> recall(const QString &campaign) const;
    // The vehicle-years a campaign covers, by name, then year.
    QList<RecallVehicle> recallVehicles(const QString &campaign) const;
    // Investigations of a vehicle and year, most recently opened first.
    QList<Investigation> investigations(qint64 vehicleID, qint64 year) const;

    // Packed bulletin id lists (see data/packedids.h).
    static QList<qint64> decodeIDs(const QByteArray &packed);
    static QByteArray encodeIDs(const QList<qint64> &ids, bool *ok = nullptr);
    // The bulletin ids of a vehicle and year, ascending.
    QList<qint64> tsbIDs(qint64 vehicleID, qint64 year) const;
    // The stored bulletin count (the list is not decoded).
    qint64 tsbCount(qint64 vehicleID, qint64 year) const;
    // The bulletins, fetched in batches of at most 400 ids; newest date first,
    // then the higher agency id first.
    QList<TSB> tsbs(qint64 vehicleID, qint64 year) const;

    // Totals with the main areas, most complaints first, then by component id.
    ComplaintSummary complaints(qint64 vehicleID, qint64 year) const;
    // Sub-areas of one main area (its component name, matched exactly).
    QList<ComplaintRow> complaintDetail(qint64 vehicleID, qint64 year, const QString &group) const;

    // Complaints, recalls, investigations and bulletins of a vehicle and
    // year, each table read once (the bulletin link row gives both the ids
    // and the stored count).
    VehicleYearRecords records(qint64 vehicleID, qint64 year) const;

    // The "known for" sentences: complaints, then recalls, then bulletins.
    QStringList knownProblems(const VehicleInfo &vehicle, qint64 year) const;
    // The same sentences from records already read; nothing is read.
    static QStringList knownProblems(const VehicleInfo &vehicle, qint64 year, const VehicleYearRecords &records);

private:
    struct TSBLinks
    {
        QList<qint64> ids;
        qint64 count = 0;
    };
    // The bulletin link row of a vehicle and year: its ids and stored count.
    TSBLinks tsbLinks(qint64 vehicleID, qint64 year) const;
    // The bulletins of these ids, in batches of at most 400, sorted.
    QList<TSB> tsbsOf(const QList<qint64> &ids) const;
    // The components column of these ids' bulletins, in the same batches.
    QList<QStringList> tsbComponentsOf(const QList<qint64> &ids) const;

    // The search hit of the code `code` names, when the list has it.
    std::optional<SearchHit> codeHit(const QString &code) const;
    // Complaint rows of one level, most complaints first.
    QList<ComplaintRow> complaintRows(qint64 vehicleID, qint64 year, qint64 level) const;
    // db->rows, with a failing statement read as no rows.
    QList<SQLRow> rowsOrEmpty(const QString &sql, const SQLArgs &args = {}) const;
    // Each row turned into a record by `make` as it is read; none at all
    // when the statement fails, as with rowsOrEmpty.
    template <typename T, typename Make>
    QList<T> recordsOrEmpty(const QString &sql, const SQLArgs &args, Make &&make) const
    {
        QList<T> out;
        try {
            db->each(sql, args, [&](const SQLRow &row) { out.append(make(row)); });
        } catch (const SQLError &) {
            return {};
        }
        return out;
    }

    QHash<qint64, QString> m_componentName;
    QHash<qint64, qint64> m_aliases; // meta["vehicle_aliases"]: merged-away id -> its line's id
    QString m_path;
    mutable std::future<std::optional<QList<qint64>>> m_yearsAhead;
    mutable std::future<QHash<QString, std::optional<VehicleInfo>>> m_findsAhead;
    mutable QHash<QString, std::optional<VehicleInfo>> m_found;
    static const QString recallCols;
};
