#pragma once

// Hands the main window the makers of the screens this library builds.
namespace ScreenSetup {

void registerAll();

} // namespace ScreenSetup
