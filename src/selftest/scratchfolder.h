#pragma once

#include <QString>

// The run's scratch folder "fv-selftest-<UPPER-CASE UUID>" in the temporary
// folder: made when constructed (a failure is ignored), removed with all its
// contents when destroyed (a failure is ignored too).
class ScratchFolder final
{
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    const QString &path() const { return m_path; }

    static QString namePrefix() { return QStringLiteral("fv-selftest-"); }

private:
    QString m_path;
};
