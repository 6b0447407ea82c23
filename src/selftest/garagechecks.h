#pragma once

#include "selftestcontext.h"

// My Garage across two processes of the program (written by one child,
// read by the next), then exports, editing, adding and removing on that file.
namespace GarageChecks {

bool run(SelfTestContext &ctx);

// The checks of what the read child printed: both lines must be there.
bool readBack(int writeStatus, int readStatus, const QString &readOutput);

} // namespace GarageChecks
