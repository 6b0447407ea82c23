#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The "--selftest" run and the garage child-process modes it starts.
namespace FVSelfTest {

// Puts the garage child modes and the self-test into the entry's dispatch.
void registerModes();

// The whole self-test: banner, check groups, result line. Needs the
// application object; opens no window. Returns 0 when every check passed,
// else 1. The scratch folder is gone and the preferences are as they were
// when it returns.
int run();

// "--fv-child-garage-write <path>" or "--fv-child-garage-read <path>" (the
// write mode wins; an option without a path counts as absent): the mode's
// exit status, or nothing when neither mode is asked for.
std::optional<int> handleChild(const QStringList &args);

struct ChildResult
{
    int status = 0;
    QString output;
};

// Runs this program with exactly `args` and the inherited environment;
// standard error is discarded. The output is empty when it is not UTF-8.
// Status 99: the program's own path is unknown; 98: it did not start;
// 97: it did not end normally (killed by a signal).
ChildResult runChild(const QStringList &args);

} // namespace FVSelfTest
