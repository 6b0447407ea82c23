#include "garagecopy.h"

#include <QDir>
#include <QFile>
#include <QUuid>
#include <fcntl.h>
#include <sqlite3.h>
#include <unistd.h>

namespace {

// How long one backup step waits for a writer's lock, and how often a busy
// step is tried again before the copy gives up.
constexpr int busyTimeoutMs = 5000;
constexpr int busyTries = 3;

// Closes a connection however the copy ends.
struct Connection
{
    sqlite3 *db = nullptr;
    ~Connection() { sqlite3_close_v2(db); }
    QString message() const { return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory"); }
};

} // namespace

QString GarageCopy::defaultFolder()
{
    return QDir::tempPath();
}

GarageCopy::GarageCopy(const QString &source, const QString &folder)
    : m_path(QDir(folder).filePath(QStringLiteral("fv-report-")
                                   + QUuid::createUuid().toString(QUuid::WithoutBraces).toUpper()
                                   + QStringLiteral(".sqlite")))
{
    m_ok = copy(source);
}

GarageCopy::~GarageCopy()
{
    remove();
}

bool GarageCopy::copy(const QString &source)
{
    // The file is made here, new and private, before SQLite writes into it.
    const QByteArray target = QFile::encodeName(m_path);
    const int fd = ::open(target.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0) {
        m_error = QStringLiteral("the copy could not be made");
        m_path.clear(); // not ours: nothing to remove
        return false;
    }
    ::close(fd);

    Connection from;
    Connection to;
    if (sqlite3_open_v2(QFile::encodeName(source).constData(), &from.db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        m_error = from.message();
        return false;
    }
    if (sqlite3_open_v2(target.constData(), &to.db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        m_error = to.message();
        return false;
    }
    sqlite3_busy_timeout(from.db, busyTimeoutMs);
    sqlite3_busy_timeout(to.db, busyTimeoutMs);

    sqlite3_backup *backup = sqlite3_backup_init(to.db, "main", from.db, "main");
    if (!backup) {
        m_error = to.message();
        return false;
    }
    // One step copies every page under one read lock: a consistent snapshot.
    int rc = SQLITE_OK;
    for (int tries = 0; tries < busyTries; ++tries) {
        rc = sqlite3_backup_step(backup, -1);
        if (rc != SQLITE_BUSY && rc != SQLITE_LOCKED)
            break;
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
        m_error = QString::fromUtf8(sqlite3_errstr(rc));
        return false;
    }
    return true;
}

void GarageCopy::remove() const
{
    if (m_path.isEmpty())
        return;
    for (const char *suffix : {"", "-journal", "-wal", "-shm"})
        QFile::remove(m_path + QLatin1String(suffix));
}
