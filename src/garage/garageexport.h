#pragma once

#include "garagecode.h"
#include "garagevehicle.h"
#include "serviceentry.h"

#include <QDateTime>
#include <QList>
#include <QString>

// The two export texts of My Garage, built from the store's lists: vehicles in
// list order, each followed by its saved codes and its service entries in the
// order the lists hold them. Both carry the texts as the report prints them
// (Text::printable): control characters become U+FFFD; notes, code notes and
// service details keep line feeds and tabs.
namespace GarageExport {

// CSV: a bare header line, then one quoted twelve-field line per vehicle,
// saved code and service entry; every line ends with a line feed.
QString csv(const QList<GarageVehicle> &vehicles, const QList<ServiceEntry> &entries, const QList<GarageCode> &codes);

// A self-contained printable page, dated `exported` (local time).
QString html(const QList<GarageVehicle> &vehicles, const QList<ServiceEntry> &entries, const QList<GarageCode> &codes,
             const QDateTime &exported);

// "&", "<" and ">" as entities, in that order; nothing else is touched.
QString escape(const QString &text);

} // namespace GarageExport
