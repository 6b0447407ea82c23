#pragma once

#include "selftestcontext.h"

// The trouble-code table is complete and well formed.
namespace CodeChecks {

bool run(SelfTestContext &ctx);

} // namespace CodeChecks
