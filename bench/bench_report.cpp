// The Trouble Code Report, gathered and laid out as a PDF, on the full
// generated database (FV_RESOURCE_DIR/vorel.db): the 2009 Camry of the
// self-test with its three codes and one service entry, and a vehicle with
// twelve codes and a long service history. Target: under 300 ms each.
// A vehicle with 5,000 saved codes, whose report is cut at the page limit:
// target under 3 s and 300 MB of peak memory (the peak_rss_mb counter).
// A note of 20,000 to 1,000,000 characters without a break opportunity, after
// a code: the report's time must grow linearly with its length (targets:
// 80,000 characters under 2 s, 1,000,000 under 10 s).
// FV_REPORT_OUT, when set, names a folder where the two PDFs are written once.

#include "data/vorel.h"
#include "garage/garageactions.h"
#include "garage/garagestore.h"
#include "report/troublereport.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/resource.h>
#include <cstdio>
#include <memory>

namespace {

struct Setup
{
    std::unique_ptr<Vorel> vorel;
    QTemporaryDir dir;
    std::unique_ptr<GarageStore> store;
    GarageVehicle camry, busy, huge, noted;
    bool ok = false;
};

GarageVehicle added(const GarageVehicle &v, GarageStore &store)
{
    GarageVehicle out = v;
    out.id = GarageActions::add(v, store).value_or(0);
    return out;
}

Setup &setup()
{
    static Setup s = [] {
        Setup s;
        const QString path = QStringLiteral(FV_RESOURCE_DIR "/vorel.db");
        if (!QFile::exists(path))
            return s;
        s.vorel = std::make_unique<Vorel>(path, QStringLiteral(FV_RESOURCE_DIR "/photos"));
        const auto camry = s.vorel->find(QStringLiteral("TOYOTA"), QStringLiteral("Camry"));
        if (!camry || !s.dir.isValid())
            return s;
        s.store = std::make_unique<GarageStore>(s.dir.filePath(QStringLiteral("Report Garage.sqlite")));

        GarageVehicle v;
        v.vehicleID = camry->id;
        v.year = 2009;
        v.title = QStringLiteral("2009 Toyota Camry");
        v.nickname = QStringLiteral("Test Commuter");
        v.engine = QStringLiteral("2.4L 4-cylinder");
        v.mileage = 142410;
        v.notes = QStringLiteral("Light came on at 142,350 mi. A shop once read P0300 too.");
        s.camry = added(v, *s.store);
        for (const char *code : {"p0171", "P0420", "P0171"})
            GarageActions::addCode(QString::fromLatin1(code), s.camry.id, *s.store, {});
        GarageActions::log(ServiceEntry{0, s.camry.id, QStringLiteral("2026-10-21"), 142410,
                                        QStringLiteral("Replaced cracked PCV hose"),
                                        QStringLiteral("Fixed the P0171 lean code"), QStringLiteral("$18.40")},
                           *s.store);

        v.nickname = QStringLiteral("Shop Car");
        v.vin = QStringLiteral("4T1BE46K09U000000");
        v.notes = QStringLiteral("Bought at 98,000 miles; codes come and go in cold weather.");
        s.busy = added(v, *s.store);
        const QList<OBDCode> all = s.vorel->allCodes();
        for (int i = 0; i < 12 && !all.isEmpty(); ++i)
            GarageActions::addCode(all[(i * 97) % all.size()].code, s.busy.id, *s.store,
                                   i % 3 ? QString() : QStringLiteral("Seen twice this winter."));
        for (int i = 0; i < 30; ++i)
            GarageActions::log(ServiceEntry{0, s.busy.id, QStringLiteral("2025-%1-15").arg(i % 12 + 1, 2, 10, QChar(u'0')),
                                            100000 + i * 1500, QStringLiteral("Oil and filter change"),
                                            QStringLiteral("Synthetic 0W-20, checked tire pressures and wipers"),
                                            QStringLiteral("$64.90")},
                               *s.store);
        v.nickname = QStringLiteral("Five thousand codes");
        s.huge = added(v, *s.store);
        v.nickname = QStringLiteral("Long note");
        s.noted = added(v, *s.store);
        sqlite3 *db = nullptr;
        if (sqlite3_open(QFile::encodeName(s.store->path()).constData(), &db) == SQLITE_OK) {
            sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
            sqlite3_stmt *insert = nullptr;
            sqlite3_prepare_v2(db, "INSERT INTO codes(garage_id, code, added, note) VALUES (?, ?, '2026-01-02T03:04:05Z', '')",
                               -1, &insert, nullptr);
            for (int i = 0; i < 5000 && insert && !all.isEmpty(); ++i) {
                const QByteArray code = all[i % all.size()].code.toUtf8();
                sqlite3_bind_int64(insert, 1, s.huge.id);
                sqlite3_bind_text(insert, 2, code.constData(), int(code.size()), SQLITE_TRANSIENT);
                sqlite3_step(insert);
                sqlite3_reset(insert);
            }
            sqlite3_finalize(insert);
            sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        }
        sqlite3_close(db);
        s.store->reload();
        s.ok = s.camry.id > 0 && s.busy.id > 0 && s.store->codes(s.huge.id).size() == 5000;

        const QString out = qEnvironmentVariable("FV_REPORT_OUT");
        if (s.ok && !out.isEmpty()) {
            QDir().mkpath(out);
            TroubleReport::build(s.camry, *s.store, *s.vorel, {QStringLiteral("P1234")})
                .write(out + QStringLiteral("/camry.pdf"));
            TroubleReport::build(s.busy, *s.store, *s.vorel).write(out + QStringLiteral("/twelve-codes.pdf"));
        }
        return s;
    }();
    return s;
}

enum class Which { Camry, Twelve, FiveThousand };

double peakRssMb()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024;
}

void report(benchmark::State &state, Which which)
{
    Setup &s = setup();
    if (!s.ok) {
        state.SkipWithError("no full database in FV_RESOURCE_DIR");
        return;
    }
    const GarageVehicle &v = which == Which::Camry ? s.camry : which == Which::Twelve ? s.busy : s.huge;
    const QStringList extra = which == Which::Camry ? QStringList{QStringLiteral("P1234")} : QStringList{};
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray pdf = TroubleReport::build(v, *s.store, *s.vorel, extra).pdfData();
        bytes = pdf.size();
        benchmark::DoNotOptimize(pdf.constData());
    }
    state.counters["pdf_kb"] = double(bytes) / 1024;
    state.counters["peak_rss_mb"] = peakRssMb();
}

void BM_ReportCamry(benchmark::State &state)
{
    report(state, Which::Camry);
}
BENCHMARK(BM_ReportCamry)->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_ReportTwelveCodes(benchmark::State &state)
{
    report(state, Which::Twelve);
}
BENCHMARK(BM_ReportTwelveCodes)->Unit(benchmark::kMillisecond)->Iterations(30);

void BM_ReportFiveThousandCodes(benchmark::State &state)
{
    report(state, Which::FiveThousand);
}
BENCHMARK(BM_ReportFiveThousandCodes)->Unit(benchmark::kMillisecond)->Iterations(3);

// Written straight into the file: the garage's forms refuse notes this long,
// but an older garage may hold one.
bool setNote(GarageStore &store, qint64 id, const QString &note)
{
    sqlite3 *db = nullptr;
    bool ok = sqlite3_open(QFile::encodeName(store.path()).constData(), &db) == SQLITE_OK;
    sqlite3_stmt *update = nullptr;
    ok = ok && sqlite3_prepare_v2(db, "UPDATE garage SET notes = ? WHERE id = ?", -1, &update, nullptr) == SQLITE_OK;
    if (ok) {
        const QByteArray text = note.toUtf8();
        sqlite3_bind_text(update, 1, text.constData(), int(text.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int64(update, 2, id);
        ok = sqlite3_step(update) == SQLITE_DONE;
    }
    sqlite3_finalize(update);
    sqlite3_close(db);
    store.reload();
    return ok;
}

void BM_ReportUnbrokenNote(benchmark::State &state)
{
    Setup &s = setup();
    if (!s.ok) {
        state.SkipWithError("no full database in FV_RESOURCE_DIR");
        return;
    }
    QString note = QStringLiteral("P0171 ");
    note.reserve(qsizetype(state.range(0)) + note.size());
    for (qint64 i = 0; i < state.range(0); ++i)
        note.append(QChar(u'a' + char16_t(i % 26)));
    if (!setNote(*s.store, s.noted.id, note)) {
        state.SkipWithError("the note could not be written");
        return;
    }
    GarageVehicle v = s.noted;
    v.notes = note;
    qint64 bytes = 0;
    for (auto _ : state) {
        const QByteArray pdf = TroubleReport::build(v, *s.store, *s.vorel).pdfData();
        bytes = pdf.size();
        benchmark::DoNotOptimize(pdf.constData());
    }
    setNote(*s.store, s.noted.id, s.noted.notes);
    state.SetComplexityN(state.range(0));
    state.counters["pdf_kb"] = double(bytes) / 1024;
    state.counters["peak_rss_mb"] = peakRssMb();
}
BENCHMARK(BM_ReportUnbrokenNote)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Arg(20'000)
    ->Arg(80'000)
    ->Arg(320'000)
    ->Arg(1'000'000)
    ->Complexity(benchmark::oN);

} // namespace

BENCHMARK_MAIN();
