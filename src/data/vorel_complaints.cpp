#include "vorel.h"

#include <utility>

QList<ComplaintRow> Vorel::complaintRows(qint64 vehicleID, qint64 year, qint64 level) const
{
    return recordsOrEmpty<ComplaintRow>(
        QStringLiteral("SELECT component_id, complaints, vehicle_year_complaints, share_of_vehicle, peer_share, "
                       "share_index, z_score, notably_high\n"
                       "FROM complaints WHERE vehicle_id = ? AND model_year = ? AND level = ? "
                       "ORDER BY complaints DESC, component_id"),
        {vehicleID, year, level}, [&](const SQLRow &row) {
            ComplaintRow c;
            c.level = level;
            c.component = m_componentName.value(row.integer(0), QStringLiteral("?"));
            c.complaints = row.integer(1);
            c.vehicleYearComplaints = row.integer(2);
            c.shareOfVehicle = row.real(3);
            c.peerShare = row.real(4);
            c.shareIndex = row.real(5);
            c.zScore = row.real(6);
            c.dbFlag = row.integer(7) == 1;
            return c;
        });
}

ComplaintSummary Vorel::complaints(qint64 vehicleID, qint64 year) const
{
    ComplaintSummary s;
    try {
        bool first = true;
        db->each(QStringLiteral("SELECT complaints, crashes, fires, injuries, deaths FROM complaint_totals "
                                "WHERE vehicle_id = ? AND model_year = ?"),
                 {vehicleID, year}, [&](const SQLRow &row) {
                     if (!std::exchange(first, false))
                         return;
                     s.total = row.integer(0);
                     s.crashes = row.integer(1);
                     s.fires = row.integer(2);
                     s.injuries = row.integer(3);
                     s.deaths = row.integer(4);
                 });
    } catch (const SQLError &) {
        // A failure part-way leaves nothing read.
        s = ComplaintSummary();
    }
    s.areas = complaintRows(vehicleID, year, 1);
    return s;
}

QList<ComplaintRow> Vorel::complaintDetail(qint64 vehicleID, qint64 year, const QString &group) const
{
    const QString prefix = group + u':';
    QList<ComplaintRow> out;
    for (const ComplaintRow &row : complaintRows(vehicleID, year, 2)) {
        if (row.component.startsWith(prefix))
            out << row;
    }
    return out;
}
