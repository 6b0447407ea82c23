#pragma once

#include <QString>
#include <cstdio>

// The two child-process modes that prove a garage written by one process is
// read back by the next. Statuses: 0 done, 3 the file does not open, 4 the
// vehicle was not added, 5 the service entry was not logged.
namespace GarageChild {

// Adds the demo vehicle (2002 Lincoln Navigator "Big Blue") and logs its oil
// change; prints nothing.
int write(const QString &path);

// Prints "GARAGE|title|nickname|mileage|notes" per vehicle, then
// "SERVICE|date|title|cost" per service entry; nothing is escaped.
int read(const QString &path, std::FILE *out = stdout);

} // namespace GarageChild
