#include "vorel.h"

#include "pipelist.h"

namespace {

// One row of the recall column list, in its order.
Recall recallFrom(const SQLRow &row)
{
    Recall r;
    r.campaign = row.str(0);
    r.type = row.str(1);
    r.manufacturer = row.str(2);
    r.components = splitPipeList(row.str(3));
    r.reportDate = row.str(4);
    r.affected = row.optInt(5);
    r.initiatedBy = row.str(6);
    r.summary = row.str(7);
    r.consequence = row.str(8);
    r.remedy = row.str(9);
    r.notes = row.str(10);
    r.doNotDrive = row.integer(11) == 1;
    r.parkOutside = row.integer(12) == 1;
    return r;
}

} // namespace

QList<Recall> Vorel::recalls(qint64 vehicleID, qint64 year) const
{
    // Built once: every vehicle page runs it.
    static const QString sql =
        QStringLiteral("SELECT ") + recallCols
        + QStringLiteral(" FROM recall_links l JOIN recalls r ON r.campaign = l.campaign "
                         "WHERE l.vehicle_id = ? AND l.model_year = ? ORDER BY r.report_date DESC");
    return recordsOrEmpty<Recall>(sql, {vehicleID, year}, recallFrom);
}

std::optional<Recall> Vorel::recall(const QString &campaign) const
{
    try {
        const QList<SQLRow> rows = db->rows(
            QStringLiteral("SELECT ") + recallCols + QStringLiteral(" FROM recalls r WHERE r.campaign = ?"),
            {campaign});
        if (!rows.isEmpty())
            return recallFrom(rows.first());
    } catch (const SQLError &) {
    }
    return std::nullopt;
}

QList<RecallVehicle> Vorel::recallVehicles(const QString &campaign) const
{
    QList<RecallVehicle> out;
    try {
        const QList<SQLRow> rows = db->rows(
            QStringLiteral("SELECT l.vehicle_id, l.model_year, v.make_display || ' ' || v.model FROM recall_links l "
                           "JOIN vehicles v ON v.vehicle_id = l.vehicle_id\n"
                           "WHERE l.campaign = ? ORDER BY 3, 2"),
            {campaign});
        out.reserve(rows.size());
        for (const SQLRow &row : rows)
            out << RecallVehicle{row.integer(0), row.integer(1), row.str(2)};
    } catch (const SQLError &) {
        return {};
    }
    return out;
}

QList<Investigation> Vorel::investigations(qint64 vehicleID, qint64 year) const
{
    return recordsOrEmpty<Investigation>(
        QStringLiteral("SELECT i.action, i.manufacturer, i.components, i.opened, i.closed, i.recall_campaign, "
                       "i.subject, i.summary\n"
                       "FROM inv_links l JOIN investigations i ON i.action = l.action "
                       "WHERE l.vehicle_id = ? AND l.model_year = ? ORDER BY i.opened DESC"),
        {vehicleID, year}, [](const SQLRow &row) {
            Investigation inv;
            inv.action = row.str(0);
            inv.manufacturer = row.str(1);
            inv.components = splitPipeList(row.str(2));
            inv.opened = row.str(3);
            inv.closed = row.str(4);
            inv.recallCampaign = row.str(5);
            inv.subject = row.str(6);
            inv.summary = row.str(7);
            return inv;
        });
}
