#pragma once

#include "model.h"

class SQLDB;

// Checks that the finished database's agency records hang together: each
// fits the vehicle-years it names, is dated when it could have been, links
// only to a recall about the same parts and vehicles, and is labelled with
// where it came from. Throws GenError naming the first broken rule; prints
// one line of what it checked.
void checkAgencyRecords(SQLDB &db, const Model &m);
