#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

// The baseline the program's reads are measured against: the statements a
// vehicle page and a search need, run bare on the SQLite C API over a
// connection of its own (opened like the program's). Statements with bound
// parameters are prepared once; the bulletin batches, whose text carries
// the ids, are prepared when run. Every column of every row is read (text
// and blob bytes touched, nothing converted). Each call returns the number
// of rows read.
class RawVorel final
{
public:
    explicit RawVorel(const std::string &path);
    ~RawVorel();
    RawVorel(const RawVorel &) = delete;
    RawVorel &operator=(const RawVorel &) = delete;

    sqlite3 *handle() const { return m_db; }

    // One table read each: the vehicle, its model years, the photo credits
    // (when the vehicle has a picture), complaint totals and areas, recalls,
    // investigations, the bulletin link row and its bulletins, EPA engines.
    std::int64_t page(std::int64_t vehicleID, std::int64_t year);

    // What a search runs for `query`: the code look-up, the full-text
    // statement over every matching row, one vehicle-year count per vehicle
    // row taken with a year, and the snippets of the rows kept.
    std::int64_t search(const std::string &query, std::int64_t limit = 60);

    // A touch of every byte read, so that no read can be left out.
    std::uint64_t checksum() const { return m_sum; }

private:
    enum Statement { Vehicle, Years, Photos, Totals, Areas, Recalls, Investigations, Links, Epa, Code, Match, YearCount, Snippets, StatementCount };

    // Binds the integers to a kept statement, steps it to the end and resets it.
    std::int64_t run(Statement s, std::int64_t a, std::int64_t b = 0, std::int64_t c = 0);
    std::int64_t bulletins(const void *packed, int bytes);
    // Steps to the end, reading every column; the number of rows.
    std::int64_t readAll(sqlite3_stmt *stmt);
    void touch(sqlite3_stmt *stmt, int column);

    sqlite3 *m_db = nullptr;
    sqlite3_stmt *m_statements[StatementCount] = {};
    std::uint64_t m_sum = 0;
};
