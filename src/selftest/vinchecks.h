#pragma once

#include "selftestcontext.h"

// The offline VIN check, the reading of an online decode answer and the
// decode request, on fixed examples.
namespace VINChecks {

bool run(SelfTestContext &ctx);

} // namespace VINChecks
