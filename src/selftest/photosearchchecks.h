#pragma once

#include "selftestcontext.h"

// The licensed photos with their credits, and the header search.
namespace PhotoSearchChecks {

bool photos(SelfTestContext &ctx);
bool search(SelfTestContext &ctx);

} // namespace PhotoSearchChecks
