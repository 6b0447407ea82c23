#include "checkquery.h"

#include "data/sqldb.h"

namespace CheckQuery {

std::optional<qint64> scalar(SQLDB &db, const QString &sql, const SQLArgs &args)
{
    try {
        const QList<SQLRow> rows = db.rows(sql, args);
        return rows.isEmpty() ? 0 : rows.front().integer(0);
    } catch (const SQLError &) {
        return std::nullopt;
    }
}

} // namespace CheckQuery
