// The hook through which code without windows (reading a long material
// list, say) keeps the application's windows painted.
#pragma once

namespace core {

// Brings the application's windows up to date (pending painting done at
// once). The window layer installs the routine; until then this does
// nothing, which is all the model layer needs on its own.
void updateWindows();
void setWindowsUpdater(void (*updater)());

}  // namespace core
