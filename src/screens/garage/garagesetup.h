#pragma once

// Hands the main window the maker of the My Garage screen, the trouble-code
// page the maker of its My Garage panel, and the report menus the report
// commands.
namespace GarageSetup {

void registerScreen();

} // namespace GarageSetup
