#include "vorel.h"

#include "nhtsatext.h"
#include "pagechecksum.h"

#include "platform/paths.h"

#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <sqlite3.h>

const QString Vorel::recallCols = QStringLiteral(
    "r.campaign, r.recall_type, r.manufacturer, r.components, r.report_date, r.potentially_affected, "
    "r.initiated_by, r.summary, r.consequence, r.remedy, r.notes, r.do_not_drive, r.park_outside");

QString Vorel::bundledURL()
{
    const QString env = Paths::envPath("VOREL_DB");
    if (!env.isEmpty())
        return env;
    return Paths::resourceDir() + QStringLiteral("/vorel.db");
}

QString Vorel::bundledPhotos()
{
    const QString env = Paths::envPath("VOREL_PHOTOS");
    if (!env.isEmpty())
        return env;
    return Paths::resourceDir() + QStringLiteral("/photos/");
}

Vorel::Vorel(const QString &path, const QString &photos) : photosFolder(photos), m_path(path)
{
    if (!QFileInfo::exists(path))
        throw SQLError(QStringLiteral("Missing data file ") + path);
    db = std::make_unique<SQLDB>(path, true);
    for (const SQLRow &row : db->rows(QStringLiteral("SELECT key, value FROM meta")))
        meta.insert(row.str(0), row.str(1));
    for (const SQLRow &row : db->rows(QStringLiteral("SELECT component_id, name FROM components")))
        m_componentName.insert(row.integer(0), row.str(1));
    // Ids of lines merged into another: {"2083": 1870}. Anything else names no alias.
    const QJsonObject aliases = QJsonDocument::fromJson(meta.value(QStringLiteral("vehicle_aliases")).toUtf8()).object();
    for (auto it = aliases.begin(); it != aliases.end(); ++it) {
        bool ok = false;
        const qint64 from = it.key().toLongLong(&ok);
        const qint64 to = it.value().toInteger(0);
        if (ok && to > 0 && from != to)
            m_aliases.insert(from, to);
    }
    // The agency texts shown from now on keep these names in their own case;
    // a database without the tables has none to keep. Read on a worker
    // thread and a connection of their own, so that opening does not wait
    // for them and damage found here is still reported by the first query
    // that meets it on `db`.
    NHTSAText::setProperNamesLater([path] {
        NHTSAText::ProperNameLists lists;
        try {
            SQLDB names(path, true);
            for (const SQLRow &row : names.rows(QStringLiteral("SELECT DISTINCT make_display, model FROM vehicles")))
                lists.makeModels.append({row.str(0), row.str(1)});
            for (const SQLRow &row : names.rows(QStringLiteral("SELECT manufacturer FROM recalls UNION SELECT manufacturer FROM investigations")))
                lists.manufacturers << row.str(0);
            lists.names = names.string(QStringLiteral("SELECT value FROM meta WHERE key = 'proper_names'")).split(u'\n', Qt::SkipEmptyParts);
        } catch (const SQLError &) {
        }
        return lists;
    });
}

bool Vorel::checksummed() const
{
    int reserve = -1; // only asks
    sqlite3_file_control(db->handle(), "main", SQLITE_FCNTL_RESERVE_BYTES, &reserve);
    return reserve == PageChecksum::reserveBytes
        && db->scalar(QStringLiteral("PRAGMA application_id")) == qint64(PageChecksum::applicationID);
}

QMap<QString, qint64> Vorel::counts() const
{
    QMap<QString, qint64> out;
    const auto it = meta.constFind(QStringLiteral("counts"));
    if (it == meta.constEnd())
        return out;
    QJsonParseError error{};
    const QJsonDocument doc = QJsonDocument::fromJson(it->toUtf8(), &error);
    if (error.error != QJsonParseError::NoError || !doc.isObject())
        return out;
    const QJsonObject object = doc.object();
    for (auto i = object.begin(); i != object.end(); ++i) {
        const QJsonValue v = i.value();
        // Only whole numbers in the 64-bit range count, read exactly (not through a
        // double, which would round values past 2^53): two different fallbacks
        // tell a real integer from a refused value.
        if (!v.isDouble() || v.toInteger(0) != v.toInteger(1))
            return {};
        out.insert(i.key(), v.toInteger());
    }
    return out;
}

QList<SQLRow> Vorel::rowsOrEmpty(const QString &sql, const SQLArgs &args) const
{
    try {
        return db->rows(sql, args);
    } catch (const SQLError &) {
        return {};
    }
}
