#include "vorel.h"

#include "packedids.h"
#include "pipelist.h"

#include <algorithm>
#include <vector>

namespace {

constexpr qsizetype kBatch = 400;

// The statements of the bulletins of `ids`, at most 400 ids each, with the
// ids written into the text.
QStringList batchStatements(const QString &columns, const QList<qint64> &ids)
{
    QStringList out;
    for (qsizetype start = 0; start < ids.size(); start += kBatch) {
        QString sql = QStringLiteral("SELECT ") + columns + QStringLiteral(" FROM tsbs WHERE nhtsa_id IN (");
        const qsizetype end = std::min(ids.size(), start + kBatch);
        for (qsizetype i = start; i < end; ++i) {
            if (i > start)
                sql += u',';
            sql += QString::number(ids[i]);
        }
        sql += u')';
        out << sql;
    }
    return out;
}

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

Vorel::TSBLinks Vorel::tsbLinks(qint64 vehicleID, qint64 year) const
{
    const QList<SQLRow> rows = rowsOrEmpty(
        QStringLiteral("SELECT ids, count FROM tsb_links WHERE vehicle_id = ? AND model_year = ?"), {vehicleID, year});
    if (rows.isEmpty())
        return {};
    return {decodeIDs(rows.first().data(0)), rows.first().integer(1)};
}

QList<TSB> Vorel::tsbs(qint64 vehicleID, qint64 year) const
{
    return tsbsOf(tsbIDs(vehicleID, year));
}

QList<TSB> Vorel::tsbsOf(const QList<qint64> &ids) const
{
    QList<TSB> read;
    read.reserve(ids.size());
    for (const QString &sql : batchStatements(
             QStringLiteral("nhtsa_id, document_id, comm_date, added_date, comm_type, components, summary"), ids)) {
        // A failing batch adds nothing; the others still run.
        const qsizetype before = read.size();
        try {
            db->each(sql, {}, [&read](const SQLRow &row) {
                TSB &t = read.emplaceBack();
                t.nhtsaID = row.integer(0);
                t.documentID = row.str(1);
                t.date = row.str(2);
                t.addedDate = row.str(3);
                t.type = row.str(4);
                t.components = splitPipeList(row.str(5));
                t.summary = row.str(6);
            });
        } catch (const SQLError &) {
            read.resize(before);
        }
    }
    // Newest date first, then the higher id; a stable sort of positions, so
    // each record moves once.
    std::vector<qsizetype> order(size_t(read.size()));
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = qsizetype(i);
    std::stable_sort(order.begin(), order.end(), [&read](qsizetype a, qsizetype b) {
        const TSB &x = std::as_const(read)[a];
        const TSB &y = std::as_const(read)[b];
        const int dates = QString::compare(x.date, y.date);
        return dates != 0 ? dates > 0 : x.nhtsaID > y.nhtsaID;
    });
    QList<TSB> out;
    out.reserve(read.size());
    for (const qsizetype i : order)
        out.append(std::move(read[i]));
    return out;
}

QList<QStringList> Vorel::tsbComponentsOf(const QList<qint64> &ids) const
{
    QList<QStringList> out;
    for (const QString &sql : batchStatements(QStringLiteral("components"), ids)) {
        for (const SQLRow &row : rowsOrEmpty(sql))
            out << splitPipeList(row.str(0));
    }
    return out;
}

VehicleYearRecords Vorel::records(qint64 vehicleID, qint64 year) const
{
    VehicleYearRecords r;
    r.complaints = complaints(vehicleID, year);
    r.recalls = recalls(vehicleID, year);
    r.investigations = investigations(vehicleID, year);
    const TSBLinks links = tsbLinks(vehicleID, year);
    r.tsbCount = links.count;
    r.tsbs = tsbsOf(links.ids);
    return r;
}
