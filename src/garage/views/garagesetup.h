#pragma once

// Hands the main window the maker of the My Garage screen.
namespace GarageSetup {

void registerScreen();

} // namespace GarageSetup
