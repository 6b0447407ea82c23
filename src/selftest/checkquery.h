#pragma once

#include "data/sqlarg.h"

#include <QString>
#include <optional>

class SQLDB;

// A count or sum for a check: column 0 of the first row as an integer (0 for
// no row or NULL), or nothing when the statement fails, so that a broken
// query fails its check instead of reading as an empty table.
namespace CheckQuery {

std::optional<qint64> scalar(SQLDB &db, const QString &sql, const SQLArgs &args = {});

} // namespace CheckQuery
