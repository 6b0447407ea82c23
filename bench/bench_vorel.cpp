// Reads of the reference database: one vehicle page, and the header search,
// each timed beside a raw baseline (the same statements bare on the SQLite C
// API, see rawvorel.h) in the same process, one after the other on the same
// vehicle-year or query, alternating which goes first.
//
// Runs on the app's full database (FV_RESOURCE_DIR/vorel.db) when that file exists, else on a
// synthetic database built here from the schema (2,200 vehicles, 11,000
// recalls, over 14,000 search rows; FV_BENCH_DIR names a folder to keep it
// in). FV_BENCH_DB names another database to run on instead (a copy without
// page checksums shows what they cost). Each benchmark reports the median and the 95th percentile of its
// single operations (p50_ms, p95_ms; raw_p50_ms, raw_p95_ms for the
// baseline) and their ratios; a table of the ratios is printed at the end.

#include "data/sqldb.h"
#include "data/vorel.h"
#include "rawvorel.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <sqlite3.h>
#include <string>
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
    std::unique_ptr<RawVorel> raw;
    std::vector<std::pair<qint64, qint64>> pages; // vehicle id, model year
};

// The statements a connection runs, with their bound values in place.
class Trace
{
public:
    explicit Trace(sqlite3 *db) : m_db(db) { sqlite3_trace_v2(m_db, SQLITE_TRACE_STMT, &Trace::callback, this); }
    ~Trace() { sqlite3_trace_v2(m_db, 0, nullptr, nullptr); }
    std::multiset<std::string> statements;

private:
    static int callback(unsigned, void *self, void *stmt, void *)
    {
        char *text = sqlite3_expanded_sql(static_cast<sqlite3_stmt *>(stmt));
        if (text && std::strncmp(text, "--", 2) != 0)
            static_cast<Trace *>(self)->statements.insert(text);
        sqlite3_free(text);
        return 0;
    }
    sqlite3 *m_db;
};

// How many statements of `a` are not in `b`.
size_t missing(const std::multiset<std::string> &a, const std::multiset<std::string> &b)
{
    std::vector<std::string> out;
    std::set_difference(a.begin(), a.end(), b.begin(), b.end(), std::back_inserter(out));
    if (qEnvironmentVariableIsSet("FV_BENCH_TRACE"))
        for (const std::string &s : out)
            std::fprintf(stderr, "  only one side: %s\n", s.c_str());
    return out.size();
}

const char *const kQueries[] = {
    "P0420", "p0301", "P1F00", "ford f-150", "2015 ford f-150", "2002 lincoln navigator", "navigator",
    "05V388", "14V12300", "brake", "stalling", "air bag inflator", "overheating", "transmission slipping",
    "check engine light", "\"*(:)^ OR NEAR", "chevrolet 1998", "c0035", "electrical fire", "toyota camry 2010",
};
constexpr size_t kQueryCount = sizeof kQueries / sizeof *kQueries;

// What the vehicle page reads for one vehicle and model year, through the
// program's calls: the vehicle, its model years (the year menu and the runs
// line), the photo credit, the records of the vehicle-year, the known-for
// lines made from them, and the EPA engines. `partMs` gathers each part's time.
constexpr const char *kParts[] = {"vehicle", "years", "photo", "records", "known_for", "epa"};
constexpr size_t kPartCount = sizeof kParts / sizeof *kParts;

template <typename F>
double timed(F &&f)
{
    const auto start = std::chrono::steady_clock::now();
    f();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

double programPage(const Vorel &v, qint64 id, qint64 year, double *partMs)
{
    double page = 0;
    const auto part = [&](size_t k, auto &&read) {
        const double t = timed([&] { benchmark::DoNotOptimize(read()); });
        if (partMs)
            partMs[k] += t;
        page += t;
    };
    std::optional<VehicleInfo> info;
    part(0, [&] {
        info = v.vehicle(id);
        return info.has_value();
    });
    part(1, [&] {
        const QList<ModelYear> years = v.yearsFor(id);
        return years.size() + Vorel::yearRuns(years).size();
    });
    if (info)
        part(2, [&] { return v.photo(info->imageID); });
    VehicleYearRecords records;
    part(3, [&] {
        records = v.records(id, year);
        return records.tsbs.size();
    });
    if (info)
        part(4, [&] { return Vorel::knownProblems(*info, year, records).size(); });
    part(5, [&] { return v.epa(id, year).size(); });
    return page;
}

Store &store()
{
    static Store *s = [] {
        auto *st = new Store;
        const QString chosen = qEnvironmentVariable("FV_BENCH_DB");
        const QString full = chosen.isEmpty() ? QStringLiteral(FV_RESOURCE_DIR "/vorel.db") : chosen;
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
        st->raw = std::make_unique<RawVorel>(path.toStdString());
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

        // Which statements each side runs (this also warms both connections).
        size_t programOnly = 0, rawOnly = 0, programCount = 0, rawCount = 0;
        const auto compare = [&](auto &&program, auto &&raw) {
            std::multiset<std::string> a, b;
            {
                Trace t(st->vorel->db->handle());
                program();
                a = std::move(t.statements);
            }
            {
                Trace t(st->raw->handle());
                raw();
                b = std::move(t.statements);
            }
            programOnly += missing(a, b);
            rawOnly += missing(b, a);
            programCount += a.size();
            rawCount += b.size();
        };
        for (const auto &[id, year] : st->pages)
            compare([&] { programPage(*st->vorel, id, year, nullptr); }, [&] { st->raw->page(id, year); });
        std::fprintf(stderr,
                     "bench_vorel: data %s, %zu vehicle pages: %zu statements (%zu the baseline has not), "
                     "baseline %zu (%zu the program has not)\n",
                     qPrintable(st->source), st->pages.size(), programCount, programOnly, rawCount, rawOnly);
        programOnly = rawOnly = programCount = rawCount = 0;
        // The first full-text statement of a connection reads the index's settings.
        st->vorel->search(QStringLiteral("brake"));
        for (const char *q : kQueries)
            compare([&] { st->vorel->search(QString::fromUtf8(q)); }, [&] { st->raw->search(q); });
        std::fprintf(stderr, "bench_vorel: %zu searches: %zu statements (%zu the baseline has not), baseline %zu (%zu "
                     "the program has not)\n",
                     kQueryCount, programCount, programOnly, rawCount, rawOnly);
        return st;
    }();
    return *s;
}

double at(std::vector<double> ms, double q)
{
    if (ms.empty())
        return 0;
    std::sort(ms.begin(), ms.end());
    return ms[std::min(ms.size() - 1, size_t(q * double(ms.size())))];
}

// Per-operation times of the program and of the baseline, kept for the table
// printed at the end (repetitions add to the same lists).
struct Pair
{
    std::vector<double> program, raw;
};
std::map<std::string, Pair> &results()
{
    static std::map<std::string, Pair> r;
    return r;
}

void report(benchmark::State &state, const std::string &name, const std::vector<double> &program,
            const std::vector<double> &raw)
{
    Pair &all = results()[name];
    all.program.insert(all.program.end(), program.begin(), program.end());
    all.raw.insert(all.raw.end(), raw.begin(), raw.end());
    const double p50 = at(program, 0.5), p95 = at(program, 0.95), r50 = at(raw, 0.5), r95 = at(raw, 0.95);
    state.counters["p50_ms"] = p50;
    state.counters["p95_ms"] = p95;
    state.counters["raw_p50_ms"] = r50;
    state.counters["raw_p95_ms"] = r95;
    state.counters["x_p50"] = r50 > 0 ? p50 / r50 : 0;
    state.counters["x_p95"] = r95 > 0 ? p95 / r95 : 0;
}

// Runs the program's operation and the baseline's, alternating which goes
// first (iteration `i`), and keeps both times.
template <typename Program, typename Raw>
void pair(size_t i, Program &&program, Raw &&raw, std::vector<double> &programMs, std::vector<double> &rawMs)
{
    double p = 0, r = 0;
    if (i % 2 == 0) {
        p = program();
        r = raw();
    } else {
        r = raw();
        p = program();
    }
    programMs.push_back(p);
    rawMs.push_back(r);
}

// One vehicle page per iteration, the program's reads and the baseline's.
void BM_VehiclePage(benchmark::State &state)
{
    Store &s = store();
    double partMs[kPartCount] = {};
    std::vector<double> program, raw;
    size_t i = 0;
    for (auto _ : state) {
        const auto [id, year] = s.pages[i % s.pages.size()];
        pair(
            i++, [&] { return programPage(*s.vorel, id, year, partMs); },
            [&] { return timed([&] { benchmark::DoNotOptimize(s.raw->page(id, year)); }); }, program, raw);
    }
    for (size_t k = 0; k < kPartCount; ++k)
        state.counters[std::string(kParts[k]) + "_ms"] = partMs[k] / double(std::max<size_t>(i, 1));
    report(state, "vehicle page", program, raw);
}
BENCHMARK(BM_VehiclePage)->Unit(benchmark::kMillisecond)->Iterations(1000);

// The header search over the fixed list of queries, one query per iteration,
// and each query on its own, to find a slow one.
void searchPairs(benchmark::State &state, const std::vector<size_t> &queries, const std::string &name)
{
    Store &s = store();
    std::vector<double> program, raw;
    size_t i = 0;
    qint64 hits = 0;
    for (auto _ : state) {
        const char *q = kQueries[queries[i % queries.size()]];
        const QString text = QString::fromUtf8(q);
        pair(
            i++,
            [&] {
                return timed([&] {
                    const QList<SearchHit> h = s.vorel->search(text);
                    hits += h.size();
                    benchmark::DoNotOptimize(h);
                });
            },
            [&] { return timed([&] { benchmark::DoNotOptimize(s.raw->search(q)); }); }, program, raw);
    }
    state.counters["hits_per_query"] = double(hits) / double(std::max<size_t>(i, 1));
    report(state, name, program, raw);
}

void BM_Search(benchmark::State &state)
{
    std::vector<size_t> all(kQueryCount);
    for (size_t k = 0; k < kQueryCount; ++k)
        all[k] = k;
    searchPairs(state, all, "search, all queries");
}
BENCHMARK(BM_Search)->Unit(benchmark::kMillisecond)->Iterations(kQueryCount * 25);

void BM_SearchEach(benchmark::State &state)
{
    const size_t k = size_t(state.range(0));
    state.SetLabel(kQueries[k]);
    searchPairs(state, {k}, std::string("search \"") + kQueries[k] + '"');
}
BENCHMARK(BM_SearchEach)->DenseRange(0, int(kQueryCount) - 1)->Unit(benchmark::kMicrosecond)->Iterations(200);

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

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (results().empty())
        return 0;
    std::printf("\nProgram against the raw baseline (all runs; times in ms)\n");
    std::printf("%-34s %9s %9s %7s %9s %9s %7s\n", "", "p50", "raw p50", "ratio", "p95", "raw p95", "ratio");
    for (const auto &[name, pair] : results()) {
        const double p50 = at(pair.program, 0.5), r50 = at(pair.raw, 0.5);
        const double p95 = at(pair.program, 0.95), r95 = at(pair.raw, 0.95);
        std::printf("%-34s %9.3f %9.3f %6.2fx %9.3f %9.3f %6.2fx\n", name.c_str(), p50, r50, r50 > 0 ? p50 / r50 : 0,
                    p95, r95, r95 > 0 ? p95 / r95 : 0);
    }
    return 0;
}
