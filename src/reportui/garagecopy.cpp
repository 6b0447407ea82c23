#include "garagecopy.h"

#include <QFile>
#include <sqlite3.h>
#include <sys/stat.h>

namespace {

// How long to wait between tries while a writer holds the garage.
constexpr int retryPauseMs = 25;

// Closes a connection however the copy ends.
struct Connection
{
    sqlite3 *db = nullptr;
    ~Connection() { sqlite3_close_v2(db); }
    QString message() const { return db ? QString::fromUtf8(sqlite3_errmsg(db)) : QStringLiteral("out of memory"); }
};

} // namespace

GarageCopy::GarageCopy(const QString &source, std::chrono::milliseconds deadline)
{
    m_ok = copy(source, deadline);
}

bool GarageCopy::copy(const QString &source, std::chrono::milliseconds deadline)
{
    const QByteArray path = QFile::encodeName(source);
    struct stat st;
    if (::stat(path.constData(), &st) != 0 || !S_ISREG(st.st_mode)) {
        m_error = QStringLiteral("not a regular file");
        return false;
    }

    // Opened for writing where allowed (nothing is written): as the last
    // connection to a WAL garage it then removes the -wal and -shm files
    // that reading made; a read-only one would leave them behind.
    Connection from;
    Connection to;
    if (sqlite3_open_v2(path.constData(), &from.db, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
        m_error = from.message();
        return false;
    }
    if (sqlite3_open_v2(":memory:", &to.db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        m_error = to.message();
        return false;
    }
    sqlite3_exec(from.db, "PRAGMA query_only = 1", nullptr, nullptr, nullptr);

    sqlite3_backup *backup = sqlite3_backup_init(to.db, "main", from.db, "main");
    if (!backup) {
        m_error = to.message();
        return false;
    }
    // One step copies every page under one read lock: a consistent snapshot.
    // A writer's lock is waited out here, until the deadline (SQLite's own
    // busy handler gives up early on a repeated step).
    const auto until = std::chrono::steady_clock::now() + deadline;
    int rc = SQLITE_OK;
    for (;;) {
        rc = sqlite3_backup_step(backup, -1);
        if ((rc != SQLITE_BUSY && rc != SQLITE_LOCKED) || std::chrono::steady_clock::now() >= until)
            break;
        sqlite3_sleep(retryPauseMs);
    }
    sqlite3_backup_finish(backup);
    if (rc != SQLITE_DONE) {
        m_busy = rc == SQLITE_BUSY || rc == SQLITE_LOCKED;
        m_error = QString::fromUtf8(sqlite3_errstr(rc));
        return false;
    }

    sqlite3_int64 size = 0;
    unsigned char *bytes = sqlite3_serialize(to.db, "main", &size, 0);
    if (bytes && size > 0)
        m_image = QByteArray(reinterpret_cast<const char *>(bytes), qsizetype(size));
    sqlite3_free(bytes);
    // A WAL garage's header asks for a WAL, which a database in memory cannot have.
    if (m_image.size() >= 20 && m_image[18] == 2 && m_image[19] == 2) {
        m_image[18] = 1;
        m_image[19] = 1;
    }
    return true;
}
