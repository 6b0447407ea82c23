#pragma once

// Hooks the report into the program: the command-line mode and the File
// menu's three report items.
namespace ReportSetup {

void registerAll();

} // namespace ReportSetup
