#pragma once

#include "selftestcontext.h"

// The reference database is the expected build, and the picker's data holds.
namespace DatabaseChecks {

// Opens the run's reference database (false when it does not open), then
// checks its size, its counts against the build's own record, its bulletin
// links and search index, and that no PDF or complaint narrative is shipped.
bool appDatabase(SelfTestContext &ctx);

// Years, two Year → Make → Model paths, heavy trucks hidden, early models
// marked low confidence. Keeps the 2015 F-150 row for the search group.
bool picker(SelfTestContext &ctx);

} // namespace DatabaseChecks
