#pragma once

#include "sqldb.h"

#include <QHash>
#include <QMap>
#include <QString>
#include <memory>

// The read-only reference database. Opening throws SQLError; every query
// afterwards turns a failure into its neutral result (empty list, absent
// record, empty text or zero).
class Vorel final
{
public:
    // VOREL_DB when set and not empty, else "vorel.db" in the resource folder.
    static QString bundledURL();
    // VOREL_PHOTOS when set and not empty, else "photos/" in the resource folder.
    static QString bundledPhotos();

    explicit Vorel(const QString &path = bundledURL(), const QString &photos = bundledPhotos());
    Vorel(const Vorel &) = delete;
    Vorel &operator=(const Vorel &) = delete;

    // Content counts from meta["counts"]; empty unless a JSON object of integers.
    QMap<QString, qint64> counts() const;

    std::unique_ptr<SQLDB> db;
    QString photosFolder;
    QHash<QString, QString> meta;

    // ---- Vehicles, codes, guides, OBD-I, photos, references, search ----

    // ---- Recalls, investigations, bulletins, complaints, known-for lines ----

private:
    QHash<qint64, QString> m_componentName;
    static const QString recallCols;
};
