#include "databasechecks.h"

#include "checkquery.h"
#include "labelform.h"
#include "pdfscan.h"
#include "platform/paths.h"
#include "platform/text.h"

#include <QFileInfo>
#include <algorithm>

namespace DatabaseChecks {

namespace {

struct CountedTable
{
    const char *key;
    const char *sql;
};

constexpr CountedTable countedTables[] = {
    {"vehicles", "SELECT COUNT(*) FROM vehicles"},
    {"recalls", "SELECT COUNT(*) FROM recalls"},
    {"investigations", "SELECT COUNT(*) FROM investigations"},
    {"tsbs", "SELECT COUNT(*) FROM tsbs"},
    {"obd_codes", "SELECT COUNT(*) FROM obd_codes"},
    {"guides", "SELECT COUNT(*) FROM guides"},
    {"images", "SELECT COUNT(*) FROM images"},
    {"complaint_rows", "SELECT COUNT(*) FROM complaints"},
    {"epa_configs", "SELECT COUNT(*) FROM epa"},
    {"vehicle_years", "SELECT COUNT(*) FROM vehicle_years"},
};

bool countIs(const QMap<QString, qint64> &counts, const QString &key, qint64 value)
{
    return counts.contains(key) && counts.value(key) == value;
}

// SQLite's own check of the whole file: "ok", or its findings (a page that
// fails its checksum is one), or the error that stopped it.
QString quickCheck(SQLDB &db)
{
    try {
        QStringList found;
        db.each(QStringLiteral("PRAGMA quick_check"), {}, [&](const SQLRow &row) { found.append(row.str(0)); });
        return found.join(u'\n');
    } catch (const SQLError &e) {
        return e.description();
    }
}

} // namespace

bool appDatabase(SelfTestContext &ctx)
{
    FVTestRun &run = ctx.run;
    ctx.databasePath = Vorel::bundledURL();
    try {
        ctx.vorel = std::make_unique<Vorel>(ctx.databasePath, Vorel::bundledPhotos());
    } catch (const SQLError &) {
        run.check(false, QStringLiteral("vorel.db opens from ") + ctx.databasePath);
        return false;
    }
    Vorel &vorel = *ctx.vorel;
    SQLDB &db = *vorel.db;
    for (const Provenance::Kind kind : Provenance::kinds())
        if (vorel.meta.value(Provenance::metaKey(kind)).trimmed() == Provenance::metaValue(false))
            ctx.realKinds.insert(int(kind));
    const bool recallsReal = ctx.imported(Provenance::Kind::Recalls);
    const bool investigationsReal = ctx.imported(Provenance::Kind::Investigations);

    const QFileInfo file(ctx.databasePath);
    const qint64 bytes = file.isFile() ? file.size() : 0;
    const QString size = QStringLiteral("app database is %1 MB (target well under 200 MB)").arg(Text::fixed(double(bytes) / 1048576.0, 1));
    if (ctx.anyImported())
        run.skip(size, QStringLiteral("records imported from the agencies' files make its size theirs"));
    else
        run.check(bytes > 50'000'000 && bytes < 200'000'000, size);

    const QMap<QString, qint64> counts = vorel.counts();
    for (const CountedTable &table : countedTables) {
        const QString key = QString::fromLatin1(table.key);
        const std::optional<qint64> rows = CheckQuery::scalar(db, QString::fromLatin1(table.sql));
        run.check(rows && countIs(counts, key, *rows),
                  QStringLiteral("%1: %2 rows, same as the build report").arg(key, Text::grouped(rows.value_or(0))));
    }

    // The agencies' recalls and investigations are as many as their files
    // hold: counted above against the build report.
    if (recallsReal || investigationsReal)
        run.check(countIs(counts, QStringLiteral("vehicles"), 2284) &&
                      (recallsReal || countIs(counts, QStringLiteral("recalls"), 11504)) &&
                      (investigationsReal || countIs(counts, QStringLiteral("investigations"), 2799)),
                  QStringLiteral("all 2,284 models kept, and the generated recalls and investigations"));
    else
        run.check(countIs(counts, QStringLiteral("vehicles"), 2284) && countIs(counts, QStringLiteral("recalls"), 11504) &&
                      countIs(counts, QStringLiteral("investigations"), 2799),
                  QStringLiteral("all 2,284 models, 11,504 recall campaigns and 2,799 investigations kept"));

    const QString linksKey = QStringLiteral("tsb_links");
    const std::optional<qint64> linked = CheckQuery::scalar(db, QStringLiteral("SELECT SUM(count) FROM tsb_links"));
    run.check(linked && countIs(counts, linksKey, *linked),
              QStringLiteral("service-bulletin links decode to the counted total (%1)")
                  .arg(Text::grouped(counts.value(linksKey, 0))));

    const std::optional<qint64> entries = CheckQuery::scalar(db, QStringLiteral("SELECT COUNT(*) FROM search"));
    if (recallsReal) {
        // One entry per vehicle, recall, code, guide and OBD-I page, however many recalls the files held.
        const std::optional<qint64> listed = CheckQuery::scalar(
            db, QStringLiteral("SELECT (SELECT COUNT(*) FROM vehicles) + (SELECT COUNT(*) FROM recalls) + (SELECT COUNT(*) FROM obd_codes) "
                               "+ (SELECT COUNT(*) FROM guides) + (SELECT COUNT(*) FROM obd1)"));
        run.check(entries && listed && *entries == *listed,
                  QStringLiteral("FTS5 search index built: one entry per vehicle, recall, code, guide and OBD-I page (%1 entries)")
                      .arg(Text::grouped(entries.value_or(0))));
    } else {
        run.check(entries.value_or(0) > 14'000,
                  QStringLiteral("FTS5 search index built (%1 entries)").arg(Text::grouped(entries.value_or(0))));
    }

    const PdfScan::Result pdfs = PdfScan::find(Paths::resourceDir(), 3);
    run.check(pdfs.listed && pdfs.found.isEmpty(),
              QStringLiteral("no carmaker PDFs (or any PDFs) inside the app ") + LabelForm::list(pdfs.found));

    const std::optional<qint64> narratives = CheckQuery::scalar(
        db, QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE sql LIKE '%narrative%' OR sql LIKE '%cdescr%'"));
    run.check(narratives && *narratives == 0, QStringLiteral("no complaint narratives stored (counts only)"));

    // A copy rebuilt without them (a dump read back, an older build) reads
    // damaged pages as data.
    const bool checksummed = vorel.checksummed();
    run.check(checksummed, checksummed ? QStringLiteral("the reference data carries page checksums")
                                       : QStringLiteral("the reference data carries no page checksums; damage could go unseen"));

    // Last in the group, so that a damage report from any query above fails it too.
    const bool intact = quickCheck(db) == QLatin1String("ok");
    run.check(intact && !db.damaged(), QStringLiteral("every page of the file reads back intact (SQLite quick_check)"));
    return true;
}

bool picker(SelfTestContext &ctx)
{
    FVTestRun &run = ctx.run;
    const Vorel &vorel = *ctx.vorel;

    const QList<qint64> years = vorel.years();
    const bool allYears = std::ranges::all_of(std::initializer_list<qint64>{2002, 2015, 1970, 2026},
                                              [&](qint64 y) { return years.contains(y); });
    run.check(allYears, QStringLiteral("years run from 1970 to 2026+ (%1–%2)")
                            .arg(years.isEmpty() ? 0 : years.back())
                            .arg(years.isEmpty() ? 0 : years.front()));

    const auto hasModel = [](const QList<ModelChoice> &models, const QString &name) -> std::optional<ModelChoice> {
        for (const ModelChoice &m : models) {
            if (m.model == name)
                return m;
        }
        return std::nullopt;
    };
    const auto hasMake = [](const QList<MakeChoice> &makes, const QString &key) {
        return std::ranges::any_of(makes, [&](const MakeChoice &m) { return m.make == key; });
    };

    const bool navigator = hasModel(vorel.models(2002, QStringLiteral("LINCOLN")), QStringLiteral("Navigator")).has_value();
    run.check(navigator && hasMake(vorel.makes(2002), QStringLiteral("LINCOLN")), QStringLiteral("2002 → Lincoln → Navigator"));

    ctx.f150 = hasModel(vorel.models(2015, QStringLiteral("FORD")), QStringLiteral("F-150"));
    run.check(ctx.f150 && hasMake(vorel.makes(2015), QStringLiteral("FORD")), QStringLiteral("2015 → Ford → F-150"));

    const QList<ModelChoice> withHeavy = vorel.models(2015, QStringLiteral("FORD"), true);
    const QList<ModelChoice> light = vorel.models(2015, QStringLiteral("FORD"), false);
    const auto heavy = [](const ModelChoice &m) { return m.heavy; };
    run.check(std::ranges::any_of(withHeavy, heavy) && std::ranges::none_of(light, heavy),
              QStringLiteral("heavy/commercial trucks hidden unless asked for (%1 hidden for 2015 Ford)")
                  .arg(withHeavy.size() - light.size()));

    const QList<ModelChoice> early = vorel.models(1975, QStringLiteral("CHEVROLET"));
    run.check(!early.isEmpty() && std::ranges::all_of(early,
                                  [](const ModelChoice &m) {
                                      return m.sources.contains(u'o') || m.sources.contains(u'v');
                                  }),
              QStringLiteral("1970s models come from NHTSA record mentions (marked low confidence)"));
    return true;
}

} // namespace DatabaseChecks
