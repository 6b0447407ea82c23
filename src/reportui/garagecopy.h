#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>

// A private copy of a garage file for the command-line report, made in
// memory with SQLite's online backup, so that it is consistent even while
// another process writes the original and nothing of it is ever on disk.
// The original is only read: a file in WAL mode gets no -wal or -shm left
// beside it.
class GarageCopy final
{
public:
    // How long the copy waits for another program's write to end.
    static constexpr std::chrono::milliseconds defaultDeadline{15000};

    explicit GarageCopy(const QString &source, std::chrono::milliseconds deadline = defaultDeadline);

    bool ok() const { return m_ok; }
    // The garage stayed locked by a writer until the deadline.
    bool busy() const { return m_busy; }
    const QString &error() const { return m_error; }
    // The bytes of the copied database (empty for an empty garage).
    const QByteArray &image() const { return m_image; }

private:
    bool copy(const QString &source, std::chrono::milliseconds deadline);

    QByteArray m_image;
    QString m_error;
    bool m_ok = false;
    bool m_busy = false;
};
