#include "singleinstance.h"

#include <QDir>
#include <QFile>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray activateMessage = QByteArrayLiteral("activate\n");

} // namespace

SingleInstance::SingleInstance(const QString &name, const QString &folder, QObject *parent)
    : QObject(parent)
{
    QString dir = folder;
    if (dir.isEmpty())
        dir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (dir.isEmpty())
        dir = privateFolder(QDir::tempPath());
    else
        QDir().mkpath(dir);
    if (!dir.isEmpty())
        m_base = QDir(dir).filePath(name);
}

QString SingleInstance::privateFolder(const QString &parent)
{
    const QString dir = QDir(parent).filePath(QStringLiteral("fenwhistle-vorel-") + QString::number(geteuid()));
    const QByteArray native = QFile::encodeName(dir);
    ::mkdir(native.constData(), 0700);
    // Only a real folder of this user that nobody else may enter: one planted
    // by someone else could hold a lock that keeps the program from starting.
    struct stat st{};
    if (::lstat(native.constData(), &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid()
        || (st.st_mode & 077) != 0)
        return {};
    return dir;
}

SingleInstance::~SingleInstance()
{
    if (m_server)
        m_server->close();
}

bool SingleInstance::claim()
{
    if (m_server || m_base.isEmpty())
        return true;
    m_lock = std::make_unique<QLockFile>(lockPath());
    // A live holder keeps its lock however long it runs; a lock whose process
    // is gone is stale at once.
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(100)) {
        if (m_lock->error() == QLockFile::LockFailedError) {
            m_lock.reset();
            notifyRunning();
            return false;
        }
        // The folder cannot hold a lock: run without the guard.
        m_lock.reset();
        return true;
    }
    // A socket file left by a copy that died would block listening.
    QLocalServer::removeServer(socketPath());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::acceptConnections);
    m_server->listen(socketPath());
    return true;
}

bool SingleInstance::notifyRunning() const
{
    // The running copy may still be starting up: try for about two seconds.
    for (int attempt = 0; attempt < 20; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(socketPath());
        if (socket.waitForConnected(100)) {
            socket.write(activateMessage);
            const bool sent = socket.waitForBytesWritten(1000);
            socket.disconnectFromServer();
            if (socket.state() != QLocalSocket::UnconnectedState)
                socket.waitForDisconnected(1000);
            return sent;
        }
        QThread::msleep(100);
    }
    return false;
}

void SingleInstance::acceptConnections()
{
    while (QLocalSocket *socket = m_server->nextPendingConnection()) {
        auto readLines = [this, socket] {
            while (socket->canReadLine()) {
                if (socket->readLine() == activateMessage)
                    emit activationRequested();
            }
        };
        connect(socket, &QLocalSocket::readyRead, this, readLines);
        connect(socket, &QLocalSocket::disconnected, this, [socket, readLines] {
            readLines();
            socket->deleteLater();
        });
        readLines();
    }
}
