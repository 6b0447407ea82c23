#pragma once

class SQLDB;

// A write transaction on one connection: "BEGIN IMMEDIATE" on construction,
// so the write lock is taken (or waited for) at once, and "ROLLBACK" on
// destruction unless commit() succeeded. Construction and commit() throw
// SQLError; the destructor never throws.
class SQLTransaction final
{
public:
    explicit SQLTransaction(SQLDB &db);
    ~SQLTransaction();
    SQLTransaction(const SQLTransaction &) = delete;
    SQLTransaction &operator=(const SQLTransaction &) = delete;

    // After a failed commit the transaction is still open and rolls back
    // when this object goes.
    void commit();

private:
    SQLDB &m_db;
    bool m_done = false;
};
