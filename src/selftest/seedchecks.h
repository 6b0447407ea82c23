#pragma once

#include "selftestcontext.h"

class SQLDB;

// The reference database against the separate research database named by
// VOREL_SEED_DB (read only): counts, complaint figures of three vehicle
// years, the 2002 Navigator's bulletins and one recall link.
namespace SeedChecks {

// The research database, opened read-only, when VOREL_SEED_DB names one that opens.
std::unique_ptr<SQLDB> open(const QHash<QString, QString> &environment);

bool run(SelfTestContext &ctx, SQLDB &seed);

} // namespace SeedChecks
