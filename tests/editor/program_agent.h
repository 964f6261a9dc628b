// What the program agent, a small library loaded into the editor's
// process, does there for the test driver: it reads the main window's menu
// (which other processes cannot read under Wine) and drops files onto a
// window as the shell drops them. The driver hooks the messages sent to
// the editor's window thread with `agentHook`, so the thread itself loads
// the library and serves the requests, through a block shared by name.
// (A thread started in the editor from outside would be made inside
// whatever the editor is doing, which Wine does not survive: it can
// deadlock or corrupt the editor's heap.)
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

// The block the driver and the agent share.
struct AgentBlock {
    MenuSnapshot menu;
    // The files to drop: full paths, each ended by a NUL, the list by one
    // more, as a drop holds them.
    wchar_t droppedPaths[32 * 1024];
};

// The exported hook procedure (WH_CALLWNDPROC).
constexpr char kAgentHook[] = "agentHook";
// The requests; wParam is the driver's token that names the block, lParam
// the window: whose menu bar is read, or onto which the files are dropped.
constexpr wchar_t kReadMenuMessage[] = L"SkirvaneTestReadMenu";
constexpr wchar_t kDropFilesMessage[] = L"SkirvaneTestDropFiles";

inline std::wstring agentBlockName(WPARAM token) { return L"Local\\SkirvaneTestAgent-" + std::to_wstring(token); }

}  // namespace editor_driver
