#include "statementcache.h"

#include <sqlite3.h>

#include <algorithm>

StatementCache::StatementCache(sqlite3 *handle, bool enabled, int capacity)
    : m_handle(handle), m_enabled(enabled && handle), m_capacity(std::max(1, capacity))
{
}

StatementCache::~StatementCache()
{
    clear();
}

sqlite3_stmt *StatementCache::acquire(const QString &sql, int &rc)
{
    const size_t hash = m_enabled ? qHash(sql) : 0;
    const auto it = m_enabled ? m_entries.find(hash) : m_entries.end();
    // A statement still in use (a call made while another runs) is not
    // shared: that call gets a fresh one of its own.
    if (it != m_entries.end() && !it->inUse && it->sql == sql) {
        it->inUse = true;
        it->reused = true;
        it->lastUse = ++m_clock;
        rc = SQLITE_OK;
        return it->stmt;
    }
    const QByteArray utf8 = sql.toUtf8();
    sqlite3_stmt *stmt = nullptr;
    rc = m_handle ? sqlite3_prepare_v2(m_handle, utf8.constData(), -1, &stmt, nullptr) : SQLITE_MISUSE;
    if (rc != SQLITE_OK || !stmt) {
        sqlite3_finalize(stmt);
        return nullptr;
    }
    if (m_enabled && it == m_entries.end() && secondUse(hash)) {
        if (m_entries.size() >= m_capacity)
            evictOldest();
        m_keys.insert(stmt, hash);
        m_entries.insert(hash, Entry{sql, stmt, ++m_clock, true, false, false});
    }
    return stmt;
}

void StatementCache::release(sqlite3_stmt *stmt)
{
    const auto key = m_keys.constFind(stmt);
    if (key == m_keys.cend()) {
        sqlite3_finalize(stmt);
        return;
    }
    const auto it = m_entries.find(*key);
    if (it->drop) {
        m_entries.erase(it);
        m_keys.erase(key);
        sqlite3_finalize(stmt);
        return;
    }
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    it->inUse = false;
    it->reused = false;
}

bool StatementCache::stale(sqlite3_stmt *stmt)
{
    const auto key = m_keys.constFind(stmt);
    if (key == m_keys.cend())
        return false;
    const auto it = m_entries.find(*key);
    if (!it->reused)
        return false;
    sqlite3_stmt *fresh = nullptr;
    const int rc = sqlite3_prepare_v2(m_handle, it->sql.toUtf8().constData(), -1, &fresh, nullptr);
    if (rc == SQLITE_OK && fresh) {
        sqlite3_finalize(fresh);
        return false;
    }
    sqlite3_finalize(fresh);
    it->drop = true;
    return true;
}

bool StatementCache::secondUse(size_t h)
{
    if (m_seen.contains(h))
        return true;
    // A text is only remembered, not kept, on its first use; the memory of
    // texts starts afresh now and then so that it stays small.
    if (m_seen.size() >= 1024)
        m_seen.clear();
    m_seen.insert(h);
    return false;
}

void StatementCache::evictOldest()
{
    auto oldest = m_entries.end();
    for (auto it = m_entries.begin(); it != m_entries.end(); ++it) {
        if (!it->inUse && (oldest == m_entries.end() || it->lastUse < oldest->lastUse))
            oldest = it;
    }
    if (oldest == m_entries.end())
        return;
    m_keys.remove(oldest->stmt);
    sqlite3_finalize(oldest->stmt);
    m_entries.erase(oldest);
}

void StatementCache::clear()
{
    for (const Entry &e : std::as_const(m_entries))
        sqlite3_finalize(e.stmt);
    m_entries.clear();
    m_keys.clear();
}
