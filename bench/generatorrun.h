#pragma once

// One run of the reference generator for the benchmarks, as a child process:
// the full profile written into `dir`, with the vPIC catalogue when the build
// found it (FV_VPIC_DB), plus `extra` arguments.

#include <benchmark/benchmark.h>

#include <QByteArray>
#include <QFileInfo>
#include <QList>
#include <QTemporaryDir>
#include <algorithm>
#include <optional>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

inline bool generatorHasCatalogue()
{
    return QFileInfo::exists(QStringLiteral(FV_VPIC_DB));
}

// The child's peak resident memory in MB; nothing when it did not end with status 0.
inline std::optional<double> runGenerator(const QTemporaryDir &dir, const QList<QByteArray> &extra = {})
{
    const QByteArray out = dir.filePath(QStringLiteral("vorel.db")).toLocal8Bit();
    const QByteArray photos = dir.filePath(QStringLiteral("photos")).toLocal8Bit();
    const QByteArray research = dir.filePath(QStringLiteral("research.db")).toLocal8Bit();
    std::vector<const char *> args = {FV_BIN_DIR "/vorelgen", "--profile", "full", "--content",
                                      FV_SOURCE_DIR "/tools/vorelgen/content", "--schema",
                                      FV_SOURCE_DIR "/tools/vorelgen/schema.sql", "--out", out.constData(),
                                      "--photos", photos.constData(), "--research", research.constData()};
    for (const QByteArray &a : extra)
        args.push_back(a.constData());
    if (generatorHasCatalogue())
        args.insert(args.end(), {"--vpic", FV_VPIC_DB, "--vpic-version", FV_VPIC_VERSION});
    args.push_back(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        execv(args[0], const_cast<char *const *>(args.data()));
        _exit(127);
    }
    int status = 0;
    struct rusage usage {};
    if (pid < 0 || wait4(pid, &status, 0, &usage) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    return double(usage.ru_maxrss) / 1024.0;
}

// Times the generator's runs for the benchmark, with their peak memory as the
// counter peak_mb and whether the catalogue was read as `catalogue`.
inline void timeGenerator(benchmark::State &state, const QTemporaryDir &dir, const QList<QByteArray> &extra = {})
{
    double peakMB = 0;
    for (auto _ : state) {
        const std::optional<double> peak = runGenerator(dir, extra);
        if (!peak) {
            state.SkipWithError("the generator failed");
            return;
        }
        peakMB = std::max(peakMB, *peak);
    }
    state.counters["peak_mb"] = peakMB;
    state.counters["catalogue"] = generatorHasCatalogue() ? 1 : 0;
}
