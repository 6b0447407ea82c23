#include "vorel.h"

#include "packedids.h"
#include "pipelist.h"

#include <algorithm>

namespace {
constexpr qsizetype kBatch = 400;
} // namespace

QList<qint64> Vorel::decodeIDs(const QByteArray &packed)
{
    return PackedIDs::decode(packed);
}

QByteArray Vorel::encodeIDs(const QList<qint64> &ids, bool *ok)
{
    return PackedIDs::encode(ids, ok);
}

QList<qint64> Vorel::tsbIDs(qint64 vehicleID, qint64 year) const
{
    try {
        const QList<SQLRow> rows =
            db->rows(QStringLiteral("SELECT ids FROM tsb_links WHERE vehicle_id = ? AND model_year = ?"),
                     {vehicleID, year});
        if (!rows.isEmpty())
            return decodeIDs(rows.first().data(0));
    } catch (const SQLError &) {
    }
    return {};
}

qint64 Vorel::tsbCount(qint64 vehicleID, qint64 year) const
{
    return db->scalar(QStringLiteral("SELECT count FROM tsb_links WHERE vehicle_id = ? AND model_year = ?"),
                      {vehicleID, year});
}

QList<TSB> Vorel::tsbs(qint64 vehicleID, qint64 year) const
{
    const QList<qint64> ids = tsbIDs(vehicleID, year);
    QList<TSB> out;
    for (qsizetype start = 0; start < ids.size(); start += kBatch) {
        QString sql = QStringLiteral("SELECT nhtsa_id, document_id, comm_date, added_date, comm_type, components, "
                                     "summary FROM tsbs WHERE nhtsa_id IN (");
        const qsizetype end = std::min(ids.size(), start + kBatch);
        for (qsizetype i = start; i < end; ++i) {
            if (i > start)
                sql += u',';
            sql += QString::number(ids[i]);
        }
        sql += u')';
        try {
            for (const SQLRow &row : db->rows(sql)) {
                TSB t;
                t.nhtsaID = row.integer(0);
                t.documentID = row.str(1);
                t.date = row.str(2);
                t.addedDate = row.str(3);
                t.type = row.str(4);
                t.components = splitPipeList(row.str(5));
                t.summary = row.str(6);
                out << t;
            }
        } catch (const SQLError &) {
            // A failing batch adds nothing; the others still run.
        }
    }
    std::stable_sort(out.begin(), out.end(), [](const TSB &a, const TSB &b) {
        if (a.date != b.date)
            return a.date > b.date;
        return a.nhtsaID > b.nhtsaID;
    });
    return out;
}
