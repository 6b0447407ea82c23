#pragma once

#include <QString>

// A private copy of a garage file for the command-line report, made with
// SQLite's online backup so that it is consistent even while another
// process writes the original. The original is only read. The copy,
// "fv-report-<UUID>.sqlite" in the temporary folder (mode 0600), and any
// journal beside it are removed when this object ends.
class GarageCopy final
{
public:
    explicit GarageCopy(const QString &source, const QString &folder = defaultFolder());
    ~GarageCopy();
    GarageCopy(const GarageCopy &) = delete;
    GarageCopy &operator=(const GarageCopy &) = delete;

    bool ok() const { return m_ok; }
    // The copy's path (set also when the copy failed, for clean-up).
    const QString &path() const { return m_path; }
    const QString &error() const { return m_error; }

    static QString defaultFolder();

private:
    bool copy(const QString &source);
    void remove() const;

    QString m_path;
    QString m_error;
    bool m_ok = false;
};
