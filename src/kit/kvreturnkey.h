#pragma once

// Return (and Enter) on a focused button presses it, as Space does, in every
// window of the application. A dialog's own push buttons keep the dialog's
// default-button handling.
namespace KVReturnKey {

// Installs the application-wide filter once; later calls do nothing.
void install();

} // namespace KVReturnKey
