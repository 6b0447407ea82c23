#include "dispatch.h"

#include <array>

namespace Dispatch {

namespace {

struct Entry
{
    QStringList options;
    Mode mode;
    Needs needs = Needs::Gui;
};

constexpr int slotCount = 3;

std::array<Entry, slotCount> &modeTable()
{
    static std::array<Entry, slotCount> entries;
    return entries;
}

SelfTest &selfTest()
{
    static SelfTest run;
    return run;
}

const QString selfTestOption = QStringLiteral("--selftest");

} // namespace

void setMode(Slot slot, const QStringList &options, Mode mode, Needs needs)
{
    modeTable()[size_t(slot)] = {options, std::move(mode), needs};
}

void setSelfTest(SelfTest run)
{
    selfTest() = std::move(run);
}

void clear()
{
    modeTable() = {};
    selfTest() = nullptr;
}

bool isCommandLine(const QStringList &args)
{
    for (const QString &arg : args) {
        if (arg == selfTestOption && selfTest())
            return true;
        for (const Entry &entry : modeTable()) {
            if (entry.mode && entry.options.contains(arg))
                return true;
        }
    }
    return false;
}

bool needsOnlyCore(const QStringList &args)
{
    bool core = false;
    for (const QString &arg : args) {
        if (arg == selfTestOption && selfTest())
            return false;
        for (const Entry &entry : modeTable()) {
            if (!entry.mode || !entry.options.contains(arg))
                continue;
            if (entry.needs == Needs::Gui)
                return false;
            core = true;
        }
    }
    return core;
}

std::optional<int> run(const QStringList &args)
{
    for (const Entry &entry : modeTable()) {
        if (!entry.mode)
            continue;
        if (const auto status = entry.mode(args))
            return status;
    }
    if (selfTest() && args.contains(selfTestOption))
        return selfTest()();
    return std::nullopt;
}

QStringList arguments(int argc, char **argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args.append(QString::fromLocal8Bit(argv[i]));
    return args;
}

} // namespace Dispatch
