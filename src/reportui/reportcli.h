#pragma once

#include "garage/garagevehicle.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

// The command-line report: "--fv-trouble-report <garage> <out.pdf> [vehicle
// text]" writes a vehicle's Trouble Code Report from a copy of the garage
// file, prints one line and ends with a status:
//   0 written with pages; 2 the usage on standard error (fewer than two or
//   more than three arguments), or "could not open <garage>" (also a garage
//   that is not a regular file, unreadable, busy or holding no vehicles); 3 "no matching vehicle"; 4 "write failed:
//   <reason>" (also an output that exists and is not a regular file); 5
//   written but read back with no pages; 6 written, but cut at the page limit
//   (a "warning: " line follows the "wrote " line).
namespace ReportCLI {

constexpr int cutStatus = 6;

const QString &option();

// The status, or nothing when the option is absent.
std::optional<int> handle(const QStringList &args);

// The first vehicle whose title, a blank and its nickname, lower-cased,
// contain `text` (already lower case); the first vehicle for an empty text.
std::optional<GarageVehicle> chooseVehicle(const QList<GarageVehicle> &vehicles, const QString &text);

} // namespace ReportCLI
