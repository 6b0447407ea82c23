#pragma once

#include "selftestcontext.h"

// The look and the help: the built-in themes and the colours that follow
// them, the zoom limits, the help topics and search, the maker's credit and
// two wording rules over every readable text.
namespace LookChecks {

bool run(SelfTestContext &ctx);

// The outside company whose name must appear nowhere, as the label writes it.
QString outsideCompany();

} // namespace LookChecks
