// The whole "--selftest" run of the program on the full generated database,
// start-up included, as a user runs it from a terminal (target: under 15 s),
// and its share that reads every page (SQLite's quick_check through the
// checksum-verifying connection). Skipped when the full database has not
// been generated.

#include "data/sqldb.h"

#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

void BM_SelfTest(benchmark::State &state)
{
    const QString db = QStringLiteral(FV_RESOURCE_DIR "/vorel.db");
    if (!QFileInfo::exists(db)) {
        state.SkipWithError("the full database is not generated");
        return;
    }
    QTemporaryDir home;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *key : {"DISPLAY", "WAYLAND_DISPLAY", "FV_SELFTEST_MUTATE", "VOREL_SEED_DB"})
        env.remove(QString::fromLatin1(key));
    env.insert(QStringLiteral("HOME"), home.path());
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), home.path());
    env.insert(QStringLiteral("VOREL_DB"), db);
    env.insert(QStringLiteral("VOREL_PHOTOS"), QStringLiteral(FV_RESOURCE_DIR "/photos"));
    for (auto _ : state) {
        QProcess run;
        run.setProcessEnvironment(env);
        run.setStandardOutputFile(QProcess::nullDevice());
        run.setStandardErrorFile(QProcess::nullDevice());
        run.start(QStringLiteral(FV_BIN_DIR "/fenwhistle-vorel"), {QStringLiteral("--selftest")});
        if (!run.waitForFinished(60000) || run.exitStatus() != QProcess::NormalExit || run.exitCode() != 0) {
            state.SkipWithError("the self-test did not pass");
            return;
        }
    }
}
BENCHMARK(BM_SelfTest)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_QuickCheck(benchmark::State &state)
{
    const QString db = QStringLiteral(FV_RESOURCE_DIR "/vorel.db");
    if (!QFileInfo::exists(db)) {
        state.SkipWithError("the full database is not generated");
        return;
    }
    for (auto _ : state) {
        SQLDB connection(db, true); // a fresh page cache every time
        if (connection.string(QStringLiteral("PRAGMA quick_check")) != QLatin1String("ok")) {
            state.SkipWithError("quick_check found damage");
            return;
        }
    }
}
BENCHMARK(BM_QuickCheck)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

BENCHMARK_MAIN();
