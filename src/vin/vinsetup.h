#pragma once

// Hands the main window the maker of the VIN screen.
namespace VINSetup {

void registerScreen();

} // namespace VINSetup
