#pragma once

#include <QObject>
#include <QString>
#include <memory>

class QLocalServer;
class QLockFile;

// Keeps one running copy of the windowed application per user: the first copy
// holds a lock file and listens on a local socket, both in the user's runtime
// folder; a later copy asks it to come forward and ends. A lock left behind by
// a copy that died is taken over. Without a runtime folder both go into a
// private folder of the user's own in the temporary folder; when there is no
// such folder, every copy runs unguarded.
class SingleInstance final : public QObject
{
    Q_OBJECT

public:
    // name: the base name of the lock file and socket in the folder
    // (the runtime folder when folder is empty).
    explicit SingleInstance(const QString &name, const QString &folder = QString(), QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this process is (now) the one running copy. Otherwise the
    // running copy has been asked to come forward, and false is returned.
    bool claim();

    // Empty when the copy runs unguarded.
    QString lockPath() const { return m_base.isEmpty() ? QString() : m_base + QStringLiteral(".lock"); }
    QString socketPath() const { return m_base.isEmpty() ? QString() : m_base + QStringLiteral(".socket"); }

    // "fenwhistle-vorel-<uid>" in `parent`, made when missing; empty unless
    // it is a folder (not a link) owned by this user that only they can use.
    static QString privateFolder(const QString &parent);

signals:
    // Another copy was started and asked this one to come forward.
    void activationRequested();

private:
    bool notifyRunning() const;
    void acceptConnections();

    QString m_base;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};
