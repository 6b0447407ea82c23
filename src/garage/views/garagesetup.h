#pragma once

// Hands the main window the maker of the My Garage screen, and the
// trouble-code page the maker of its My Garage panel.
namespace GarageSetup {

void registerScreen();

} // namespace GarageSetup
