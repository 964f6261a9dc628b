#include "toolkit/base/window_updates.h"

namespace toolkit {

namespace {
void (*windowsUpdater)() = nullptr;
}

void updateWindows() {
    if (windowsUpdater != nullptr) windowsUpdater();
}

void setWindowsUpdater(void (*updater)()) { windowsUpdater = updater; }

}  // namespace toolkit
