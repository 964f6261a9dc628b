// What the menu reader, a small library loaded into the editor's process,
// hands back to the test driver. Menus cannot be read from another process
// under Wine, so the driver runs `readMenu` there in a thread of its own and
// copies the snapshot back.
#pragma once

#include <windows.h>

namespace editor_driver {

struct MenuEntry {
    int depth;       // 0 for the items of the menu bar
    UINT id;         // command identifier
    UINT type;       // MFT_* bits
    UINT state;      // MFS_* bits
    BOOL hasSubMenu;
    wchar_t caption[128];
};

struct MenuSnapshot {
    HWND window;  // in: the window whose menu bar is read
    int count;    // out: entries filled, depth first in menu order
    MenuEntry entries[256];
};

// The exported thread function: DWORD WINAPI readMenu(MenuSnapshot*) fills
// the snapshot and gives the count of entries (0 when there is no menu).
constexpr char kReadMenuFunction[] = "readMenu";

}  // namespace editor_driver
