// The full reference build: one run of the generator with the vPIC catalogue,
// timed, with its peak memory reported as the counter peak_mb. The build
// should stay under 60 s and 1 GB. The catalogue is found as the build found
// it (FV_VPIC_DB); without it the run uses the hand-written list alone.

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFileInfo>
#include <QTemporaryDir>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

void fullBuild(benchmark::State &state)
{
    QTemporaryDir dir;
    if (!dir.isValid()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const QByteArray out = dir.filePath(QStringLiteral("vorel.db")).toLocal8Bit();
    const QByteArray photos = dir.filePath(QStringLiteral("photos")).toLocal8Bit();
    const QByteArray research = dir.filePath(QStringLiteral("research.db")).toLocal8Bit();
    const bool catalogue = QFileInfo::exists(QStringLiteral(FV_VPIC_DB));
    double peakMB = 0;
    for (auto _ : state) {
        const pid_t pid = fork();
        if (pid == 0) {
            const char *args[] = {FV_BIN_DIR "/vorelgen", "--profile", "full", "--content", FV_SOURCE_DIR "/tools/vorelgen/content",
                                  "--schema", FV_SOURCE_DIR "/tools/vorelgen/schema.sql", "--out", out.constData(),
                                  "--photos", photos.constData(), "--research", research.constData(),
                                  catalogue ? "--vpic" : nullptr, FV_VPIC_DB, "--vpic-version", FV_VPIC_VERSION, nullptr};
            execv(args[0], const_cast<char *const *>(args));
            _exit(127);
        }
        int status = 0;
        struct rusage usage {};
        if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("the generator failed");
            return;
        }
        peakMB = std::max(peakMB, double(usage.ru_maxrss) / 1024.0);
    }
    state.counters["peak_mb"] = peakMB;
    state.counters["catalogue"] = catalogue ? 1 : 0;
}

} // namespace

BENCHMARK(fullBuild)->Unit(benchmark::kSecond)->Iterations(1)->UseRealTime();
BENCHMARK_MAIN();
