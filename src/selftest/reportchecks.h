#pragma once

#include "selftestcontext.h"

// The Trouble Code Report end to end for a 2009 Toyota Camry in a scratch
// garage: saved codes, the gathered report, its PDF read back, then the
// report rules over every code, the saved file, the exports and the command
// line. Leaves the report's text in the context for the wording checks.
namespace ReportChecks {

// False (the run ends) only when the report vehicle is missing after it was saved.
bool run(SelfTestContext &ctx);

} // namespace ReportChecks
