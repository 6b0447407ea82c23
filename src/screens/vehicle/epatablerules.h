#pragma once

#include "data/epaconfig.h"

#include <QList>
#include <QString>
#include <optional>

// The rows and notes of the vehicle page's EPA engine table.
class EPATableRules final
{
public:
    EPATableRules() = delete;

    // The cells of one row, verbatim, in column order.
    struct Row
    {
        QString engine;
        QString transmission;
        QString drive;
        QString fuel;
        QString variant;
        friend bool operator==(const Row &, const Row &) = default;
    };

    static QString title(); // "Engines and transmissions (EPA)"
    // The note for an empty list: listings start with 1984; from 1984 on, a
    // heavy or commercial vehicle has no fuel-economy label, and for any
    // other the database simply lists no engines. None when there are rows.
    static std::optional<QString> emptyNote(qsizetype configCount, qint64 year, bool heavy);
    // One row per configuration, in the given order.
    static QList<Row> rows(const QList<EPAConfig> &configs);
};
