// Reads of the reference database: one vehicle page, and the header search.
//
// Runs on the app's full database (FV_RESOURCE_DIR/vorel.db) when that file exists, else on a
// synthetic database built here from the schema (2,200 vehicles, 11,000
// recalls, over 14,000 search rows; FV_BENCH_DIR names a folder to keep it
// in). Each benchmark also reports the median
// and the 95th percentile of its single operations as counters p50_ms/p95_ms.

#include "data/sqldb.h"
#include "data/vorel.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

const char *const kMakes[][2] = {
    {"FORD", "Ford"},       {"CHEVROLET", "Chevrolet"}, {"LINCOLN", "Lincoln"}, {"TOYOTA", "Toyota"},
    {"HONDA", "Honda"},     {"DODGE", "Dodge"},         {"GMC", "GMC"},         {"NISSAN", "Nissan"},
    {"JEEP", "Jeep"},       {"BUICK", "Buick"},         {"MAZDA", "Mazda"},     {"SUBARU", "Subaru"},
    {"CHRYSLER", "Chrysler"}, {"PONTIAC", "Pontiac"},   {"HYUNDAI", "Hyundai"}, {"KIA", "Kia"},
    {"VOLKSWAGEN", "Volkswagen"}, {"BMW", "BMW"},       {"CADILLAC", "Cadillac"}, {"MERCURY", "Mercury"},
};
const char *const kModels[] = {"F-150", "Navigator", "Explorer", "Silverado", "Camry", "Accord", "Ram 1500",
                               "Sierra", "Altima", "Wrangler", "LeSabre", "Mazda3", "Outback", "Town Car",
                               "Grand Am", "Sonata", "Sorento", "Jetta", "3 Series", "Escalade", "Grand Marquis",
                               "Civic", "Corolla", "Malibu", "Ranger", "Expedition", "Tahoe", "Odyssey",
                               "Grand Caravan", "Savana Van"};
const char *const kWords[] = {
    "engine", "stall", "stalling", "brake", "brakes", "fluid", "leak", "air", "bag", "airbag", "inflator", "rupture",
    "steering", "wheel", "loss", "power", "transmission", "slipping", "shift", "electrical", "fire", "wiring",
    "harness", "short", "fuel", "pump", "tank", "hose", "coolant", "overheating", "radiator", "fan", "suspension",
    "spring", "ball", "joint", "corrosion", "seat", "belt", "latch", "door", "hood", "windshield", "wiper", "light",
    "headlamp", "check", "sensor", "oxygen", "catalytic", "converter", "misfire", "ignition", "coil", "spark",
    "plug", "battery", "alternator", "starter", "crank", "throttle", "pedal", "accelerator", "cruise", "control",
    "tire", "tread", "separation", "axle", "shaft", "driveshaft", "parking", "rollaway", "camera", "mirror",
    "lamp", "signal", "module", "software", "update", "dealer", "replace", "inspect", "repair", "crash", "injury",
    "risk", "increasing", "vehicle", "owners", "notified", "remedy", "free", "charge", "hydraulic", "vacuum"};
constexpr int kWordCount = int(sizeof kWords / sizeof *kWords);

const char *const kSyllables[] = {"ka", "lo", "mi", "ren", "tu", "vas", "zel", "pri", "do", "fen",
                                   "gu", "hal", "jo", "nor", "qui", "sa", "tor", "ul", "wen", "yx"};

// Text with about three words in ten from the automotive list and the rest
// from some 8,000 made-up words, so that a common term such as "brake" is in
// roughly one body in six, as in recall texts.
QString words(QRandomGenerator &rng, int n)
{
    QStringList out;
    for (int i = 0; i < n; ++i) {
        if (rng.bounded(10) < 3) {
            out << QString::fromLatin1(kWords[rng.bounded(kWordCount)]);
        } else {
            QString w;
            for (int k = 0; k < 3; ++k)
                w += QString::fromLatin1(kSyllables[rng.bounded(20)]);
            out << w;
        }
    }
    return out.join(u' ');
}

void fail(const QString &what)
{
    std::fprintf(stderr, "bench_vorel: %s\n", qPrintable(what));
    std::exit(1);
}

// Builds the synthetic reference database; returns its path.
QString buildSynthetic(const QString &folder)
{
    const QString path = folder + QStringLiteral("/vorel-synthetic.db");
    QFile schema(QStringLiteral(FV_SOURCE_DIR "/tools/vorelgen/schema.sql"));
    if (!schema.open(QIODevice::ReadOnly))
        fail(QStringLiteral("no schema at ") + schema.fileName());
    SQLDB db(path, false);
    db.exec(QString::fromUtf8(schema.readAll()));
    db.exec(QStringLiteral("BEGIN"));
    QRandomGenerator rng(20260101);

    const int makes = int(sizeof kMakes / sizeof *kMakes);
    const int models = int(sizeof kModels / sizeof *kModels);
    db.run(QStringLiteral("INSERT INTO meta VALUES ('counts', '{\"vehicles\": 2200, \"recalls\": 11000}')"));
    for (int c = 1; c <= 30; ++c) {
        const QString name = QStringLiteral("COMPONENT %1").arg(c);
        db.run(QStringLiteral("INSERT INTO components VALUES (?, ?)"), {c, name});
        db.run(QStringLiteral("INSERT INTO components VALUES (?, ?)"), {100 + c, name + QStringLiteral(":PART")});
    }

    // 2,200 vehicles, 1 to 30 model years each between 1975 and 2026.
    for (int v = 1; v <= 2200; ++v) {
        const auto &make = kMakes[v % makes];
        const QString model = QString::fromLatin1(kModels[(v / makes) % models])
                              + (v >= makes * models ? QStringLiteral(" %1").arg(v) : QString());
        const int first = 1975 + rng.bounded(45);
        const int last = std::min(2026, first + rng.bounded(30));
        const QString types = v % 3 == 0 ? QStringLiteral("Truck")
                              : v % 3 == 1 ? QStringLiteral("Passenger Car")
                                           : QStringLiteral("Multipurpose Passenger Vehicle (MPV)");
        db.run(QStringLiteral("INSERT INTO vehicles (vehicle_id, make, model, make_display, vehicle_types, first_year, "
                              "last_year, first_year_vpic, last_year_vpic, heavy, image_id) VALUES (?, ?, ?, ?, ?, ?, ?, "
                              "?, ?, ?, ?)"),
               {v, make[0], model, make[1], types, first, last, first, last, v % 17 == 0 ? 1 : 0,
                v % 5 == 0 ? std::optional<qint64>(v / 5) : std::nullopt});
        const QString display = QString::fromLatin1(make[1]) + u' ' + model;
        db.run(QStringLiteral("INSERT INTO search VALUES ('vehicle', ?, ?, ?)"),
               {QString::number(v), display, display + u' ' + types + u' ' + words(rng, 6)});
    }
    db.exec(QStringLiteral(
        "WITH RECURSIVE y(year) AS (SELECT 1975 UNION ALL SELECT year + 1 FROM y WHERE year < 2026) "
        "INSERT INTO vehicle_years SELECT v.vehicle_id, y.year, CASE WHEN y.year < 1981 THEN 'o' ELSE 'v' END "
        "FROM vehicles v JOIN y ON y.year BETWEEN v.first_year AND v.last_year;"
        "INSERT INTO images SELECT vehicle_id / 5, 'photo' || vehicle_id || '.jpg', make_display, model, 'CC BY 2.0', "
        "'', 'Author', 'Credit', 'Attribution', '', '' FROM vehicles WHERE image_id IS NOT NULL;"
        "WITH RECURSIVE k(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM k WHERE n < 3) "
        "INSERT INTO epa SELECT y.vehicle_id, y.model_year, 'Variant ' || k.n, 1.5 + k.n * 0.8, 4 + k.n, "
        "'Automatic ' || (4 + k.n) || '-spd', CASE k.n % 2 WHEN 0 THEN 'Front-Wheel Drive' ELSE '4-Wheel Drive' END, "
        "'Midsize Cars', 'Regular Gasoline', '', k.n = 2, 0, '' FROM vehicle_years y JOIN k "
        "WHERE y.model_year >= 1984;"
        "WITH RECURSIVE c(n) AS (SELECT 1 UNION ALL SELECT n + 1 FROM c WHERE n < 8) "
        "INSERT INTO complaints SELECT y.vehicle_id, y.model_year, 1, c.n, "
        "(y.vehicle_id * 7 + y.model_year * 13 + c.n * 31) % 90, 400, 0.1, 0.05, 2.0 + c.n % 3, 1.0 + c.n % 5, 0 "
        "FROM vehicle_years y JOIN c;"
        "INSERT INTO complaints SELECT vehicle_id, model_year, 2, 100 + component_id, complaints / 2, 400, 0.05, "
        "0.02, 2.5, 1.5, 0 FROM complaints WHERE level = 1 AND component_id <= 4;"
        "INSERT INTO complaint_totals SELECT vehicle_id, model_year, 400, 3, 1, 2, 0 FROM vehicle_years;"));

    // 11,000 recalls, each on a few model years of one vehicle.
    for (int r = 1; r <= 11000; ++r) {
        const QString campaign = QStringLiteral("%1V%2000").arg(r % 26 + 1, 2, 10, QChar(u'0')).arg(r, 5, 10, QChar(u'0'));
        const int v = 1 + int((qint64(r) * 7919) % 2200);
        const QString summary = words(rng, 30).toUpper();
        db.run(QStringLiteral("INSERT INTO recalls VALUES (?, 'V', 'Maker', ?, ?, ?, 'MFR', ?, ?, ?, '', ?, 0)"),
               {campaign, QStringLiteral("COMPONENT %1|COMPONENT %2:PART").arg(r % 30 + 1).arg(r % 4 + 1),
                QStringLiteral("%1-%2-15").arg(1980 + r % 46).arg(r % 12 + 1, 2, 10, QChar(u'0')), r * 3 % 100000,
                summary, words(rng, 20).toUpper(), words(rng, 20).toUpper(), r % 97 == 0 ? 1 : 0});
        db.run(QStringLiteral("INSERT INTO recall_links SELECT vehicle_id, model_year, ? FROM vehicle_years "
                              "WHERE vehicle_id = ? AND model_year < (SELECT first_year + 4 FROM vehicles "
                              "WHERE vehicle_id = ?)"),
               {campaign, v, v});
        db.run(QStringLiteral("INSERT INTO search VALUES ('recall', ?, ?, ?)"),
               {campaign, QStringLiteral("Recall ") + campaign, campaign.left(6) + u' ' + summary.toLower()});
    }

    // 1,500 investigations; 25,000 bulletins spread over the vehicle-years.
    for (int i = 1; i <= 1500; ++i) {
        const QString action = QStringLiteral("PE%1").arg(i, 6, 10, QChar(u'0'));
        db.run(QStringLiteral("INSERT INTO investigations VALUES (?, 'Maker', 'COMPONENT 3', ?, '', '', ?, ?)"),
               {action, QStringLiteral("%1-01-01").arg(1990 + i % 35), words(rng, 5), words(rng, 25)});
        db.run(QStringLiteral("INSERT INTO inv_links SELECT vehicle_id, model_year, ? FROM vehicle_years "
                              "WHERE vehicle_id = ? LIMIT 3"),
               {action, 1 + (i * 31) % 2200});
    }
    for (int t = 1; t <= 25000; ++t)
        db.run(QStringLiteral("INSERT INTO tsbs VALUES (?, ?, ?, ?, 'Service bulletin', 'COMPONENT 5', ?)"),
               {100000 + t, QStringLiteral("TSB-%1").arg(t), QStringLiteral("%1-03-01").arg(1985 + t % 41),
                QStringLiteral("%1-04-01").arg(1985 + t % 41), words(rng, 20)});
    for (const SQLRow &row : db.rows(QStringLiteral("SELECT vehicle_id, model_year FROM vehicle_years"))) {
        const int n = rng.bounded(40);
        if (n == 0)
            continue;
        QList<qint64> ids;
        for (int k = 0; k < n; ++k)
            ids << 100001 + rng.bounded(25000);
        std::sort(ids.begin(), ids.end());
        ids.erase(std::unique(ids.begin(), ids.end()), ids.end());
        db.run(QStringLiteral("INSERT INTO tsb_links VALUES (?, ?, ?, ?)"),
               {row.integer(0), row.integer(1), Vorel::encodeIDs(ids), ids.size()});
    }

    // 2,400 codes and a few guides and OBD-I sections.
    const char letters[] = {'P', 'P', 'P', 'P', 'P', 'U', 'B', 'C'};
    for (int c = 0; c < 2400; ++c) {
        const QString code = QChar(QLatin1Char(letters[c % 8])) + QStringLiteral("%1").arg(c, 4, 16, QChar(u'0')).toUpper();
        const QString title = words(rng, 5);
        const QString meaning = words(rng, 15);
        db.run(QStringLiteral("INSERT INTO obd_codes VALUES (?, 'Engine', 'misfire', ?, ?, 'a; b', 's', 'c', "
                              "'drive soon', '', 'reviewed')"),
               {code, title, meaning});
        db.run(QStringLiteral("INSERT INTO search VALUES ('code', ?, ?, ?)"), {code, code + u' ' + title, meaning});
    }
    db.exec(QStringLiteral("INSERT OR IGNORE INTO obd_codes VALUES ('P0420', 'Emissions', 'catalyst', "
                           "'Catalyst system efficiency below threshold', 'm', 'c', 's', 'k', 'drive soon', '', 'r');"
                           "INSERT INTO obd_structure VALUES ('P', 'system', 'Powertrain'), ('P0', 'generic', "
                           "'Generic'), ('P1', 'maker', 'Vehicle maker'), ('P04/P24', 'area', 'Emission controls');"));
    for (int g = 1; g <= 60; ++g) {
        db.run(QStringLiteral("INSERT INTO guides VALUES (?, 'System', ?, ?, '[]', '[]', '[]', ?)"),
               {QStringLiteral("guide-%1").arg(g), words(rng, 3), words(rng, 12), g});
        db.run(QStringLiteral("INSERT INTO search VALUES ('guide', ?, ?, ?)"),
               {QStringLiteral("guide-%1").arg(g), words(rng, 3), words(rng, 40)});
    }
    for (int o = 1; o <= 12; ++o)
        db.run(QStringLiteral("INSERT INTO search VALUES ('obd1', ?, ?, ?)"),
               {QStringLiteral("obd1-%1").arg(o), words(rng, 3), words(rng, 40)});
    db.exec(QStringLiteral("COMMIT; ANALYZE;"));
    return path;
}

struct Store
{
    QTemporaryDir dir;
    QString source;
    std::unique_ptr<Vorel> vorel;
    std::vector<std::pair<qint64, qint64>> pages; // vehicle id, model year
};

Store &store()
{
    static Store *s = [] {
        auto *st = new Store;
        const QString full = QStringLiteral(FV_RESOURCE_DIR "/vorel.db");
        QString path = full;
        if (QFileInfo::exists(full)) {
            st->source = full;
        } else {
            // FV_BENCH_DIR keeps the synthetic database for a look afterwards.
            QString folder = qEnvironmentVariable("FV_BENCH_DIR");
            if (folder.isEmpty()) {
                if (!st->dir.isValid())
                    fail(QStringLiteral("no temporary folder"));
                folder = st->dir.path();
            }
            QFile::remove(folder + QStringLiteral("/vorel-synthetic.db"));
            path = buildSynthetic(folder);
            st->source = QStringLiteral("synthetic");
        }
        st->vorel = std::make_unique<Vorel>(path, QFileInfo(path).absolutePath() + QStringLiteral("/photos"));
        // A fixed spread of vehicle-years, the busiest ones included.
        const QString sample = QStringLiteral(
            "SELECT vehicle_id, model_year FROM (SELECT vehicle_id, model_year FROM recall_links "
            "GROUP BY vehicle_id, model_year ORDER BY COUNT(*) DESC LIMIT 20) UNION "
            "SELECT vehicle_id, model_year FROM (SELECT vehicle_id, model_year FROM vehicle_years "
            "ORDER BY (vehicle_id * 7919 + model_year * 31) % 1009 LIMIT 480)");
        for (const SQLRow &r : st->vorel->db->rows(sample))
            st->pages.emplace_back(r.integer(0), r.integer(1));
        if (st->pages.empty())
            fail(QStringLiteral("no vehicle-years in ") + path);
        std::fprintf(stderr, "bench_vorel: data %s, %zu vehicle pages\n", qPrintable(st->source), st->pages.size());
        return st;
    }();
    return *s;
}

void percentiles(benchmark::State &state, std::vector<double> &ms)
{
    if (ms.empty())
        return;
    std::sort(ms.begin(), ms.end());
    const auto at = [&ms](double q) { return ms[std::min(ms.size() - 1, size_t(q * double(ms.size())))]; };
    state.counters["p50_ms"] = at(0.50);
    state.counters["p95_ms"] = at(0.95);
    state.counters["max_ms"] = ms.back();
}

template <typename F>
double timed(F &&f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

// Everything the vehicle page reads for one vehicle and model year. Besides
// the percentiles of a whole page, the mean time of each read in ms.
void BM_VehiclePage(benchmark::State &state)
{
    Store &s = store();
    const char *const parts[] = {"vehicle", "years", "known_for", "photo", "complaints",
                                 "recalls", "investigations", "tsbs", "epa"};
    constexpr size_t kParts = sizeof parts / sizeof *parts;
    double partMs[kParts] = {};
    std::vector<double> ms;
    size_t i = 0;
    for (auto _ : state) {
        const auto [id, year] = s.pages[i++ % s.pages.size()];
        const Vorel &v = *s.vorel;
        double page = 0;
        const auto part = [&](size_t k, auto &&read) {
            const double t = timed([&] { benchmark::DoNotOptimize(read()); });
            partMs[k] += t;
            page += t;
        };
        std::optional<VehicleInfo> info;
        part(0, [&] {
            info = v.vehicle(id);
            return info.has_value();
        });
        part(1, [&] { return v.yearsFor(id).size() + v.yearRuns(id).size(); });
        if (info) {
            part(2, [&] { return v.knownProblems(*info, year); });
            part(3, [&] { return v.photo(info->imageID); });
        }
        part(4, [&] { return v.complaints(id, year); });
        part(5, [&] { return v.recalls(id, year); });
        part(6, [&] { return v.investigations(id, year); });
        part(7, [&] { return v.tsbs(id, year); });
        part(8, [&] { return v.epa(id, year); });
        ms.push_back(page);
    }
    for (size_t k = 0; k < kParts; ++k)
        state.counters[std::string(parts[k]) + "_ms"] = partMs[k] / double(std::max<size_t>(i, 1));
    percentiles(state, ms);
}
BENCHMARK(BM_VehiclePage)->Unit(benchmark::kMillisecond)->Iterations(1000);

const char *const kQueries[] = {
    "P0420", "p0301", "P1F00", "ford f-150", "2015 ford f-150", "2002 lincoln navigator", "navigator",
    "05V388", "14V12300", "brake", "stalling", "air bag inflator", "overheating", "transmission slipping",
    "check engine light", "\"*(:)^ OR NEAR", "chevrolet 1998", "c0035", "electrical fire", "toyota camry 2010",
};
constexpr size_t kQueryCount = sizeof kQueries / sizeof *kQueries;

// The header search over a fixed list of typical queries, one query per iteration.
void BM_Search(benchmark::State &state)
{
    Store &s = store();
    std::vector<double> ms;
    size_t i = 0;
    qint64 hits = 0;
    for (auto _ : state) {
        const QString q = QString::fromUtf8(kQueries[i++ % kQueryCount]);
        ms.push_back(timed([&] {
            const QList<SearchHit> h = s.vorel->search(q);
            hits += h.size();
            benchmark::DoNotOptimize(h);
        }));
    }
    state.counters["hits_per_query"] = double(hits) / double(std::max<size_t>(i, 1));
    percentiles(state, ms);
}
BENCHMARK(BM_Search)->Unit(benchmark::kMillisecond)->Iterations(kQueryCount * 25);

// Each query on its own, to find a slow one.
void BM_SearchEach(benchmark::State &state)
{
    Store &s = store();
    const QString q = QString::fromUtf8(kQueries[state.range(0)]);
    state.SetLabel(kQueries[state.range(0)]);
    for (auto _ : state)
        benchmark::DoNotOptimize(s.vorel->search(q));
}
BENCHMARK(BM_SearchEach)->DenseRange(0, int(kQueryCount) - 1)->Unit(benchmark::kMicrosecond);

// A pasted wall of words: 300 repeats of one word (arg 0), or 300 different
// words (arg 1). Either should cost about what a short query does.
void BM_SearchLongQuery(benchmark::State &state)
{
    Store &s = store();
    QStringList words;
    for (int i = 0; i < 300; ++i)
        words << (state.range(0) == 0 ? QStringLiteral("a") : QStringLiteral("a%1").arg(i));
    const QString q = words.join(u' ');
    for (auto _ : state)
        benchmark::DoNotOptimize(s.vorel->search(q));
}
BENCHMARK(BM_SearchLongQuery)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
