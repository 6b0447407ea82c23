// What a user waits for on the screens: each interaction driven through the
// app model and the real widgets of the main window (offscreen platform, the
// full database), timed until the event queue is empty and the window has
// painted. Beside each, the time of the same screen's data reads, so the
// share of the widgets shows. Start-up to first paint is compared with a bare
// Qt window, in this program and in one that links only Qt Widgets
// (fv-bare-window), and with that program's window of twelve lines of text in
// the app's faces, and resident memory is read over a walk of 20 vehicle
// pages; both run in child processes (--fv-child=...).

#include "app/appmodel.h"
#include "firstpaint.h"
#include "shell/fenwhistlevorelapp.h"
#include "shell/fvsetup.h"
#include "shell/mainwindowframe.h"
#include "data/vorel.h"
#include "screens/garage/garagesetup.h"
#include "kit/kvfontwarmup.h"
#include "kit/kvmenustyle.h"
#include "kit/kvrnthemes.h"
#include "platform/pagewarmer.h"
#include "platform/prefs.h"
#include "reportui/reportsetup.h"
#include "screens/codes/codelistrules.h"
#include "screens/screensetup.h"
#include "screens/vehicle/tsblistrules.h"
#include "screens/vehicle/vehiclepage.h"
#include "screens/vehicle/vehicleview.h"
#include "vin/vinsetup.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProcess>
#include <QTimer>
#include <QStyle>
#include <QTemporaryDir>
#include <algorithm>
#include <array>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double msSince(Clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

template <typename F>
double timed(F &&f)
{
    const auto start = Clock::now();
    f();
    return msSince(start);
}

double at(std::vector<double> ms, double q)
{
    if (ms.empty())
        return 0;
    std::sort(ms.begin(), ms.end());
    return ms[std::min(ms.size() - 1, size_t(q * double(ms.size())))];
}

// Counts what the event loop delivers: all events, paints, layout requests.
class Counter : public QObject
{
public:
    long events = 0, paints = 0, layouts = 0;

protected:
    bool eventFilter(QObject *, QEvent *e) override
    {
        ++events;
        if (e->type() == QEvent::Paint)
            ++paints;
        else if (e->type() == QEvent::LayoutRequest)
            ++layouts;
        return false;
    }
};

Counter &counter()
{
    static Counter *c = [] {
        auto *c = new Counter;
        qApp->installEventFilter(c);
        return c;
    }();
    return *c;
}

// Runs the event loop until a round delivers nothing: posted events, zero
// timers, deferred deletes, layouts and the window's update requests.
void settle()
{
    for (int round = 0; round < 10000; ++round) {
        const long before = counter().events;
        QCoreApplication::sendPostedEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (counter().events == before)
            return;
    }
}

void key(QWidget *target, int k, const QString &text = {})
{
    QKeyEvent press(QEvent::KeyPress, k, Qt::NoModifier, text);
    QKeyEvent release(QEvent::KeyRelease, k, Qt::NoModifier, text);
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
}

QString databasePath()
{
    return QStringLiteral(FV_RESOURCE_DIR "/vorel.db");
}

// Vehicle-years by the number of records their page shows, heaviest first.
std::vector<std::pair<qint64, qint64>> heaviest(int n)
{
    std::vector<std::pair<qint64, qint64>> out;
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(databasePath().toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return out;
    }
    const char *sql = "SELECT t.vehicle_id, t.model_year, t.count"
                      " + (SELECT count(*) FROM recall_links r WHERE r.vehicle_id = t.vehicle_id AND r.model_year = t.model_year)"
                      " + (SELECT count(*) FROM inv_links i WHERE i.vehicle_id = t.vehicle_id AND i.model_year = t.model_year) AS n"
                      " FROM tsb_links t ORDER BY n DESC, t.vehicle_id, t.model_year LIMIT ?";
    sqlite3_stmt *st = nullptr;
    if (sqlite3_prepare_v2(db, sql, -1, &st, nullptr) == SQLITE_OK) {
        sqlite3_bind_int(st, 1, n);
        while (sqlite3_step(st) == SQLITE_ROW)
            out.emplace_back(sqlite3_column_int64(st, 0), sqlite3_column_int64(st, 1));
    }
    sqlite3_finalize(st);
    sqlite3_close(db);
    return out;
}

// The vehicle-year with the longest bulletin list.
std::pair<qint64, qint64> longestBulletins(const Vorel &data, const std::vector<std::pair<qint64, qint64>> &pages)
{
    std::pair<qint64, qint64> best = pages.front();
    qsizetype most = -1;
    for (const auto &p : pages) {
        const qsizetype n = data.tsbs(p.first, p.second).size();
        if (n > most) {
            most = n;
            best = p;
        }
    }
    return best;
}

// The same reads a vehicle page makes.
double pageReads(const Vorel &data, qint64 id, qint64 year)
{
    return timed([&] {
        const auto page = VehiclePage::resolve(&data, id, year);
        if (page) {
            benchmark::DoNotOptimize(Vorel::knownProblems(page->vehicle, year, page->records));
            benchmark::DoNotOptimize(data.epa(id, year));
        }
    });
}

void registerScreens()
{
    ScreenSetup::registerAll();
    VINSetup::registerScreen();
    GarageSetup::registerScreen();
    ReportSetup::registerAll();
}

// The application's window, shown at its first size on a large screen, for the
// in-process runs.
struct App
{
    App()
    {
        FVSetup::configure();
        QApplication::setStyle(new KVMenuStyle(QApplication::style()->name()));
        registerScreens();
        window.reset(FenwhistleVorelApp::makeMainWindow());
        window->resize(1440, 920); // its first size on a large screen, whatever size was kept last
        window->show();
        settle();
        pages = heaviest(12);
    }
    AppModel &model() { return AppModel::shared(); }
    const Vorel &data() { return *model().data(); }
    VehicleView *vehicleView() { return window->findChild<VehicleView *>(); }
    template <typename T>
    T *visible(const QString &name)
    {
        for (T *w : window->findChildren<T *>(name)) {
            if (w->isVisible())
                return w;
        }
        return nullptr;
    }

    std::unique_ptr<QWidget> window;
    std::vector<std::pair<qint64, qint64>> pages;
};

std::unique_ptr<App> &appSlot()
{
    static std::unique_ptr<App> a;
    return a;
}

App &app()
{
    if (!appSlot())
        appSlot() = std::make_unique<App>();
    return *appSlot();
}

// Per-operation times of the screen and of its data reads, kept for the
// table printed at the end.
struct Row
{
    std::vector<double> screen, data;
    double paints = 0, layouts = 0, ops = 0;
};
std::map<std::string, Row> &results()
{
    static std::map<std::string, Row> r;
    return r;
}

// Times one interaction until settled, with its paints and layout requests.
struct Op
{
    double ms;
    long paints, layouts;
};
template <typename F>
Op interaction(F &&f)
{
    settle();
    const long p = counter().paints, l = counter().layouts;
    const double ms = timed([&] {
        f();
        settle();
    });
    return {ms, counter().paints - p, counter().layouts - l};
}

void keep(benchmark::State &, const std::string &name, const Op &op, double dataMs)
{
    Row &r = results()[name];
    r.screen.push_back(op.ms);
    r.data.push_back(dataMs);
    r.paints += double(op.paints);
    r.layouts += double(op.layouts);
    r.ops += 1;
}

void report(benchmark::State &state, const std::string &name)
{
    const Row &r = results()[name];
    state.counters["p50_ms"] = at(r.screen, 0.5);
    state.counters["p95_ms"] = at(r.screen, 0.95);
    state.counters["data_p50_ms"] = at(r.data, 0.5);
    state.counters["paints"] = r.ops > 0 ? r.paints / r.ops : 0;
    state.counters["layouts"] = r.ops > 0 ? r.layouts / r.ops : 0;
}

// Another heavy vehicle-year while a vehicle page shows.
void BM_VehiclePage(benchmark::State &state)
{
    App &a = app();
    a.model().openVehicle(a.pages.front().first, a.pages.front().second);
    settle();
    size_t i = 1;
    for (auto _ : state) {
        const auto [id, year] = a.pages[i++ % a.pages.size()];
        const Op op = interaction([&] { a.model().openVehicle(id, year); });
        keep(state, "vehicle page, from another", op, pageReads(a.data(), id, year));
    }
    report(state, "vehicle page, from another");
}
BENCHMARK(BM_VehiclePage)->Unit(benchmark::kMillisecond)->Iterations(40);

// A heavy vehicle-year opened from the start screen: the page is built anew.
void BM_VehiclePageFresh(benchmark::State &state)
{
    App &a = app();
    size_t i = 0;
    for (auto _ : state) {
        state.PauseTiming();
        a.model().setScreen(Screen::Home);
        settle();
        state.ResumeTiming();
        const auto [id, year] = a.pages[i++ % a.pages.size()];
        const Op op = interaction([&] { a.model().openVehicle(id, year); });
        keep(state, "vehicle page, from start screen", op, pageReads(a.data(), id, year));
    }
    report(state, "vehicle page, from start screen");
}
BENCHMARK(BM_VehiclePageFresh)->Unit(benchmark::kMillisecond)->Iterations(20);

// "Show all" on the longest bulletin list.
void BM_ShowAllBulletins(benchmark::State &state)
{
    App &a = app();
    const auto [id, year] = longestBulletins(a.data(), a.pages);
    a.model().openVehicle(id, year);
    settle();
    state.SetLabel(std::to_string(a.data().tsbs(id, year).size()) + " bulletins");
    for (auto _ : state) {
        state.PauseTiming();
        a.vehicleView()->setShowAllTSB(false);
        a.model().setTsbFilter(QString()); // the list reads the flag when the model changes
        settle();
        QAbstractButton *more = a.visible<QAbstractButton>(QStringLiteral("showAll"));
        state.ResumeTiming();
        if (!more) {
            state.SkipWithError("no Show all button");
            break;
        }
        const Op op = interaction([&] { more->click(); });
        keep(state, "show all bulletins", op, timed([&] { benchmark::DoNotOptimize(a.data().tsbs(id, year)); }));
    }
    report(state, "show all bulletins");
}
BENCHMARK(BM_ShowAllBulletins)->Unit(benchmark::kMillisecond)->Iterations(15);

// Keystrokes in a filter box: the letters of `word`, then as many Backspaces.
void typeInFilter(benchmark::State &state, QLineEdit *field, const QString &word, const std::string &name,
                  const std::function<void(const QString &)> &reads)
{
    field->setFocus(Qt::OtherFocusReason);
    settle();
    size_t i = 0;
    const qsizetype n = word.size();
    for (auto _ : state) {
        const qsizetype step = qsizetype(i++ % size_t(2 * n));
        const Op op = interaction([&] {
            if (step < n)
                key(field, Qt::Key_unknown, word.mid(step, 1));
            else
                key(field, Qt::Key_Backspace);
        });
        const QString text = field->text();
        keep(state, name, op, timed([&] { reads(text); }));
    }
    report(state, name);
}

void BM_BulletinFilterKey(benchmark::State &state)
{
    App &a = app();
    const auto [id, year] = longestBulletins(a.data(), a.pages);
    a.model().openVehicle(id, year);
    settle(); // the page is built in the event loop
    a.vehicleView()->setShowAllTSB(true);
    a.model().setTsbFilter(QString());
    settle();
    QLineEdit *field = a.visible<QLineEdit>(QStringLiteral("tsbFilter"));
    if (!field) {
        state.SkipWithError("no bulletin filter");
        return;
    }
    typeInFilter(state, field, QStringLiteral("trans"), "bulletin filter keystroke", [&](const QString &text) {
        benchmark::DoNotOptimize(TSBListRules::matching(a.data().tsbs(id, year), text));
    });
    a.model().setTsbFilter(QString());
}
BENCHMARK(BM_BulletinFilterKey)->Unit(benchmark::kMillisecond)->Iterations(40);

void BM_CodeFilterKey(benchmark::State &state)
{
    App &a = app();
    a.model().setCodeFilter(QString());
    a.model().setScreen(Screen::Codes);
    settle();
    QWidget *box = a.visible<QWidget>(QStringLiteral("codeFilter"));
    QLineEdit *field = box ? box->findChild<QLineEdit *>() : nullptr;
    if (!field) {
        state.SkipWithError("no code filter");
        return;
    }
    // The screen reads every code once per database and filters that list.
    const QList<OBDCode> all = a.data().allCodes();
    const QList<CodeListRules::Folded> folded = CodeListRules::fold(all);
    typeInFilter(state, field, QStringLiteral("p04"), "code filter keystroke", [&](const QString &text) {
        benchmark::DoNotOptimize(CodeListRules::matching(all, folded, a.model().codeLevel(), CodeListRules::query(text)));
    });
    a.model().setCodeFilter(QString());
}
BENCHMARK(BM_CodeFilterKey)->Unit(benchmark::kMillisecond)->Iterations(36);

// Switching the theme while a heavy vehicle page shows.
void BM_ThemeSwitch(benchmark::State &state)
{
    App &a = app();
    const auto [id, year] = a.pages.front();
    a.model().openVehicle(id, year);
    settle();
    const QString themes[] = {QStringLiteral("midnight-black"), QStringLiteral("cobalt-gunmetal")};
    size_t i = 0;
    for (auto _ : state) {
        const QString theme = themes[i++ % 2];
        const Op op = interaction([&] { KVRNThemes::setCurrentID(theme); });
        keep(state, "theme switch (vehicle page)", op, pageReads(a.data(), id, year));
    }
    report(state, "theme switch (vehicle page)");
}
BENCHMARK(BM_ThemeSwitch)->Unit(benchmark::kMillisecond)->Iterations(20);

// The header search for "brake", from the vehicle page to the painted results.
void BM_SearchBrake(benchmark::State &state)
{
    App &a = app();
    const auto [id, year] = a.pages.front();
    for (auto _ : state) {
        state.PauseTiming();
        a.model().openVehicle(id, year);
        a.model().setSearchText(QStringLiteral("brake"));
        settle();
        state.ResumeTiming();
        const Op op = interaction([&] { a.model().runSearch(); });
        keep(state, "search results \"brake\"", op,
             timed([&] { benchmark::DoNotOptimize(a.data().search(QStringLiteral("brake"))); }));
    }
    report(state, "search results \"brake\"");
}
BENCHMARK(BM_SearchBrake)->Unit(benchmark::kMillisecond)->Iterations(20);

// ---- Child processes ----

int childStartup(bool bare)
{
    FirstPaint first;
    std::unique_ptr<QWidget> window;
    if (bare) {
        window = std::make_unique<QWidget>();
        window->resize(1440, 920);
    } else {
        FVSetup::configure();
        QApplication::setStyle(new KVMenuStyle(QApplication::style()->name()));
        registerScreens();
        window.reset(FenwhistleVorelApp::makeMainWindow());
        if (window->size() != QSize(1440, 920))
            window->resize(1440, 920); // the kept size was not restored
    }
    qApp->installEventFilter(&first);
    window->show();
    return QApplication::exec();
}

long residentKiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return 0;
}

// Visits 20 heavy vehicle pages and prints the resident memory after each.
int childMemory()
{
    App &a = app();
    const auto pages = heaviest(20);
    for (const auto &[id, year] : pages) {
        a.model().openVehicle(id, year);
        settle();
        std::printf("%ld\n", residentKiB());
    }
    appSlot().reset();
    return 0;
}

// Runs `program` (by default this one, as a child in one of the modes above);
// its wall time in ms and what it printed.
double runChild(const char *mode, QByteArray *out = nullptr, const QString &program = QString(),
                const QStringList &arguments = {})
{
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const auto start = Clock::now();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("FV_BENCH_SPAWNED"),
               QString::number(std::chrono::duration_cast<std::chrono::nanoseconds>(start.time_since_epoch()).count()));
    p.setProcessEnvironment(env);
    if (program.isEmpty())
        p.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--fv-child=") + QLatin1String(mode)});
    else
        p.start(program, arguments);
    p.waitForFinished(120000);
    const double ms = msSince(start);
    if (out)
        *out = p.readAllStandardOutput();
    return p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0 ? ms : -1;
}

// The minimal program beside this one (see barewindow/).
QString minimalProgram()
{
    return QStringLiteral(FV_BIN_DIR "/fv-bare-window");
}

void BM_StartToFirstPaint(benchmark::State &state)
{
    // Each child prints when its first frame was painted; the wall time to its
    // exit (window and application torn down) is kept beside it. The bare
    // window is this same program (its libraries loaded as the app's are) and
    // a program that links only Qt Widgets, empty and with twelve lines of
    // text in the faces the app's first frame loads, all four started in turn.
    std::vector<double> appMs, bareMs, minimalMs, textMs, appExitMs, bareExitMs;
    // The app's window opens at the bare window's size, kept from a last run
    // as a user's would be.
    QWidget sized;
    sized.resize(1440, 920);
    Prefs::shared().setValue(MainWindowFrame::geometryKey(), sized.saveGeometry());
    Prefs::shared().sync();
    const bool withMinimal = QFile::exists(minimalProgram());
    size_t i = 0;
    for (auto _ : state) {
        enum Kind { App, Bare, Minimal, Text };
        std::array<Kind, 4> order{App, Bare, Minimal, Text};
        std::rotate(order.begin(), order.begin() + i++ % 4, order.end());
        bool ok = true;
        for (const Kind kind : order) {
            const bool qtOnly = kind == Minimal || kind == Text;
            if (qtOnly && !withMinimal)
                continue;
            QByteArray out;
            const double exitMs =
                qtOnly ? runChild(nullptr, &out, minimalProgram(),
                                  kind == Text ? QStringList{QStringLiteral("--text")} : QStringList())
                       : runChild(kind == App ? "startup-app" : "startup-bare", &out);
            bool parsed = false;
            const double paintMs = out.trimmed().toDouble(&parsed);
            ok = ok && exitMs >= 0 && parsed;
            (kind == App ? appMs : kind == Bare ? bareMs : kind == Minimal ? minimalMs : textMs).push_back(paintMs);
            if (!qtOnly)
                (kind == App ? appExitMs : bareExitMs).push_back(exitMs);
        }
        if (!ok) {
            state.SkipWithError("a child failed");
            return;
        }
    }
    Row &r = results()["start to first paint (data: bare window)"];
    r.screen = appMs;
    r.data = bareMs;
    state.counters["p50_ms"] = at(appMs, 0.5);
    state.counters["p95_ms"] = at(appMs, 0.95);
    state.counters["bare_p50_ms"] = at(bareMs, 0.5);
    state.counters["ratio_p50"] = at(appMs, 0.5) / std::max(at(bareMs, 0.5), 1e-9);
    if (!minimalMs.empty()) {
        state.counters["minimal_p50_ms"] = at(minimalMs, 0.5);
        state.counters["ratio_minimal_p50"] = at(appMs, 0.5) / std::max(at(minimalMs, 0.5), 1e-9);
        // The floor any window with text starts from.
        state.counters["text_p50_ms"] = at(textMs, 0.5);
        state.counters["text_ratio_minimal_p50"] = at(textMs, 0.5) / std::max(at(minimalMs, 0.5), 1e-9);
        state.counters["ratio_text_p50"] = at(appMs, 0.5) / std::max(at(textMs, 0.5), 1e-9);
    }
    state.counters["to_exit_p50_ms"] = at(appExitMs, 0.5);
    state.counters["bare_to_exit_p50_ms"] = at(bareExitMs, 0.5);
}
BENCHMARK(BM_StartToFirstPaint)->Unit(benchmark::kMillisecond)->Iterations(20);

long memoryAfterThird = 0, memoryAfterLast = 0, memoryMaxAfterThird = 0;

void BM_MemoryWalk(benchmark::State &state)
{
    for (auto _ : state) {
        QByteArray out;
        if (runChild("memory", &out) < 0) {
            state.SkipWithError("the child failed");
            return;
        }
        std::vector<long> kib;
        for (const QByteArray &line : out.split('\n')) {
            if (!line.isEmpty())
                kib.push_back(line.toLong());
        }
        if (kib.size() < 4) {
            state.SkipWithError("too few pages");
            return;
        }
        memoryAfterThird = kib[2];
        memoryAfterLast = kib.back();
        memoryMaxAfterThird = *std::max_element(kib.begin() + 2, kib.end());
        state.counters["pages"] = double(kib.size());
        state.counters["rss_page3_MB"] = double(memoryAfterThird) / 1024.0;
        state.counters["rss_last_MB"] = double(memoryAfterLast) / 1024.0;
        state.counters["rss_max_MB"] = double(memoryMaxAfterThird) / 1024.0;
    }
}
BENCHMARK(BM_MemoryWalk)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char **argv)
{
    // A private set-up: offscreen, frames as soon as they are asked for,
    // preferences and garage in a scratch folder, the full database.
    QTemporaryDir scratch;
    const char *child = nullptr;
    for (int i = 1; i < argc; ++i) {
        if (std::strncmp(argv[i], "--fv-child=", 11) == 0)
            child = argv[i] + 11;
    }
    if (!child) {
        qputenv("XDG_CONFIG_HOME", scratch.path().toUtf8());
        qputenv("FV_GARAGE_PATH", (scratch.path() + QStringLiteral("/garage.sqlite")).toUtf8());
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QPA_UPDATE_IDLE_TIME", "0");
    if (QFile::exists(databasePath()))
        qputenv("VOREL_DB", databasePath().toUtf8());
    else
        std::fprintf(stderr, "%s is missing: the figures come from whatever database the app finds\n",
                     qPrintable(databasePath()));

    // As the app's own start: pages are warmed and fontconfig sets up while
    // the application object is made.
    if (child && std::strcmp(child, "startup-app") == 0) {
        PageWarmer::start();
        KVFontWarmup::startFontconfig();
    }
    QApplication application(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Brackenfold"));
    QApplication::setApplicationName(QStringLiteral("fenwhistle-vorel"));
    if (child) {
        if (std::strcmp(child, "startup-app") == 0)
            return childStartup(false);
        if (std::strcmp(child, "startup-bare") == 0)
            return childStartup(true);
        if (std::strcmp(child, "memory") == 0)
            return childMemory();
        return 2;
    }

    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    appSlot().reset(); // the window goes before the application
    if (!results().empty()) {
        std::printf("\nScreens against their data reads (times in ms)\n");
        std::printf("%-42s %9s %9s %9s %9s %8s %8s\n", "", "p50", "p95", "data p50", "ratio", "paints", "layouts");
        for (const auto &[name, r] : results()) {
            const double p50 = at(r.screen, 0.5), d50 = at(r.data, 0.5);
            std::printf("%-42s %9.2f %9.2f %9.3f %8.1fx %8.1f %8.1f\n", name.c_str(), p50, at(r.screen, 0.95), d50,
                        d50 > 0 ? p50 / d50 : 0, r.ops > 0 ? r.paints / r.ops : 0, r.ops > 0 ? r.layouts / r.ops : 0);
        }
    }
    if (memoryAfterLast > 0)
        std::printf("resident memory: %.1f MB after page 3, %.1f MB after the last, at most %.1f MB from page 3 on\n",
                    double(memoryAfterThird) / 1024.0, double(memoryAfterLast) / 1024.0,
                    double(memoryMaxAfterThird) / 1024.0);
    return 0;
}
