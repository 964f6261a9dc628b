#include "core/window_updates.h"

namespace core {

namespace {
void (*windowsUpdater)() = nullptr;
}

void updateWindows() {
    if (windowsUpdater != nullptr) windowsUpdater();
}

void setWindowsUpdater(void (*updater)()) { windowsUpdater = updater; }

}  // namespace core
