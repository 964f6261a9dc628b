// What the menu reader, a small library loaded into the editor's process,
// hands back to the test driver. Menus cannot be read from another process
// under Wine, so the driver hooks the messages sent to the editor's window
// thread with `readMenuHook`: the thread itself loads the library, and on
// the read-menu message copies its menu tree into a snapshot that the
// driver shares with it by name. (A thread started in the editor from
// outside would be made inside whatever the editor is doing, which Wine
// does not survive: it can deadlock or corrupt the editor's heap.)
#pragma once

#include <windows.h>

#include <string>

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
    int count;  // entries filled, depth first in menu order; -1 until read
    MenuEntry entries[256];
};

// The exported hook procedure (WH_CALLWNDPROC).
constexpr char kReadMenuHook[] = "readMenuHook";
// The message that asks for a snapshot: wParam is the driver's token that
// names the snapshot, lParam the window whose menu bar is read.
constexpr wchar_t kReadMenuMessage[] = L"SkirvaneTestReadMenu";

inline std::wstring menuSnapshotName(WPARAM token) {
    return L"Local\\SkirvaneTestMenuSnapshot-" + std::to_wstring(token);
}

}  // namespace editor_driver
