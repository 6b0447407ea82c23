#pragma once

#include <QString>
#include <cstdio>

// The self-test's counter of passed and failed checks. Every line goes to
// one stream (standard output by default), flushed after each title, check
// and plain line, so that a reader sees the run as it happens.
class FVTestRun final
{
public:
    explicit FVTestRun(std::FILE *out = stdout) : m_out(out) {}

    qint64 passed = 0;
    qint64 failed = 0;

    // "== <title>".
    void begin(const QString &title);
    // Counts the check and prints "PASS  <label>" or "FAIL  <label>".
    void check(bool ok, const QString &label);
    // A check that does not apply to this database: "SKIP  <label>: <reason>", not counted.
    void skip(const QString &label, const QString &reason);
    // One line as given; flushed unless `flush` is false.
    void line(const QString &text, bool flush = true);

private:
    std::FILE *m_out;
};
