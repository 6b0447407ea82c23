// The program's entry with stand-in command-line modes. Each mode prints its
// name and the platform it runs on and ends with the status that follows its
// option; the self-test ends with FV_TEST_SELFTEST_STATUS.
#include "app/dispatch.h"
#include "shell/fenwhistlevorelapp.h"

#include <QGuiApplication>
#include <cstdio>

namespace {

std::optional<int> statusAfter(const QStringList &args, const QString &option, const char *name, int needed = 1)
{
    const qsizetype at = args.indexOf(option);
    if (at < 0 || at + needed >= args.size())
        return std::nullopt;
    std::printf("%s %s\n", name, qPrintable(QGuiApplication::platformName()));
    std::fflush(stdout);
    return args.at(at + 1).toInt();
}

} // namespace

int main(int argc, char **argv)
{
    Dispatch::setMode(Dispatch::Slot::GarageChild,
                      {QStringLiteral("--fv-child-garage-write"), QStringLiteral("--fv-child-garage-read")},
                      [](const QStringList &args) {
                          if (auto s = statusAfter(args, QStringLiteral("--fv-child-garage-write"), "child"))
                              return s;
                          return statusAfter(args, QStringLiteral("--fv-child-garage-read"), "child");
                      });
    Dispatch::setMode(Dispatch::Slot::Snapshot, {QStringLiteral("--fv-snapshot")}, [](const QStringList &args) {
        return statusAfter(args, QStringLiteral("--fv-snapshot"), "snapshot");
    });
    Dispatch::setMode(Dispatch::Slot::Report, {QStringLiteral("--fv-trouble-report")}, [](const QStringList &args) {
        return statusAfter(args, QStringLiteral("--fv-trouble-report"), "report", 2);
    });
    Dispatch::setSelfTest([] {
        std::printf("selftest %s\n", qPrintable(QGuiApplication::platformName()));
        std::fflush(stdout);
        return qEnvironmentVariableIntValue("FV_TEST_SELFTEST_STATUS");
    });
    return FenwhistleVorelApp::main(argc, argv);
}
