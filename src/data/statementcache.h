#pragma once

#include <QHash>
#include <QSet>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

// Prepared statements of one connection, kept by their SQL text for reuse
// from the second time a text runs (a text run only once, such as one built
// around literal values, is finalized as before). A statement handed out is reset and its bindings cleared when it comes
// back, so a reused statement starts exactly like a freshly prepared one.
// The least recently used statement is finalized once more than `capacity`
// are kept. A disabled cache prepares and finalizes on every call.
class StatementCache final
{
public:
    StatementCache(sqlite3 *handle, bool enabled, int capacity = 64);
    ~StatementCache();
    StatementCache(const StatementCache &) = delete;
    StatementCache &operator=(const StatementCache &) = delete;

    // A statement ready to bind and step, or nullptr with SQLite's result
    // code in `rc` when the text does not prepare to a statement (an empty
    // or comment-only text gives SQLITE_OK and nullptr).
    sqlite3_stmt *acquire(const QString &sql, int &rc);
    // Takes a statement from acquire() back: reset for the next use, or
    // finalized when it is not kept.
    void release(sqlite3_stmt *stmt);
    // After a failed step: whether `stmt` was a reused statement whose text
    // no longer prepares (the schema changed under it), so that a fresh
    // prepare would have failed instead. SQLite's message of that prepare
    // is then the connection's error, and the statement is finalized on
    // release rather than kept.
    bool stale(sqlite3_stmt *stmt);
    // Finalizes every kept statement.
    void clear();

    int size() const { return int(m_entries.size()); }

private:
    struct Entry
    {
        QString sql;
        sqlite3_stmt *stmt = nullptr;
        quint64 lastUse = 0;
        bool inUse = false;
        bool reused = false;
        bool drop = false;
    };

    // Whether a text of this hash ran before.
    bool secondUse(size_t hash);
    void evictOldest();

    sqlite3 *m_handle;
    bool m_enabled;
    int m_capacity;
    quint64 m_clock = 0;
    // Kept statements by the hash of their text, which each call computes
    // once; the text itself is compared before a statement is reused, and a
    // text whose hash is taken by another is simply not kept.
    QHash<size_t, Entry> m_entries;
    QHash<sqlite3_stmt *, size_t> m_keys;
    QSet<size_t> m_seen;
};
