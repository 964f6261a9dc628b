// Runs inside the editor's process, in its window thread (see
// program_agent.h).
#include "program_agent.h"

#include <shlobj.h>

#include <cstring>

namespace {

using editor_driver::AgentBlock;
using editor_driver::MenuEntry;
using editor_driver::MenuSnapshot;

constexpr int kMaxEntries = static_cast<int>(sizeof(MenuSnapshot::entries) / sizeof(MenuEntry));

void readItems(HMENU menu, int depth, MenuSnapshot& snapshot) {
    const int count = GetMenuItemCount(menu);
    for (int position = 0; position < count && snapshot.count < kMaxEntries; ++position) {
        MenuEntry& entry = snapshot.entries[snapshot.count++];
        MENUITEMINFOW item{};
        item.cbSize = sizeof item;
        item.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
        item.dwTypeData = entry.caption;
        item.cch = sizeof(entry.caption) / sizeof(entry.caption[0]);
        entry.caption[0] = L'\0';
        if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &item)) item = MENUITEMINFOW{};
        entry.depth = depth;
        entry.id = item.wID;
        entry.type = item.fType;
        entry.state = item.fState;
        entry.hasSubMenu = item.hSubMenu != nullptr;
        if (item.hSubMenu != nullptr) readItems(item.hSubMenu, depth + 1, snapshot);
    }
}

void readMenu(HWND window, MenuSnapshot& snapshot) {
    snapshot.count = 0;
    if (HMENU menu = GetMenu(window)) readItems(menu, 0, snapshot);
}

// The drop as the shell makes it: a moveable block of a DROPFILES header
// and the wide paths, posted to the window, which frees it.
void dropFiles(HWND window, const AgentBlock& block) {
    std::size_t length = 0;
    while (length + 1 < std::size(block.droppedPaths) &&
           (block.droppedPaths[length] != L'\0' || block.droppedPaths[length + 1] != L'\0'))
        ++length;
    const std::size_t pathBytes = (length + 2) * sizeof(wchar_t);
    HGLOBAL drop = GlobalAlloc(GHND, sizeof(DROPFILES) + pathBytes);
    if (drop == nullptr) return;
    auto* header = static_cast<DROPFILES*>(GlobalLock(drop));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), block.droppedPaths, pathBytes);
    GlobalUnlock(drop);
    if (!PostMessageW(window, WM_DROPFILES, reinterpret_cast<WPARAM>(drop), 0)) GlobalFree(drop);
}

void serve(UINT request, WPARAM token, HWND window) {
    HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, editor_driver::agentBlockName(token).c_str());
    if (mapping == nullptr) return;
    if (auto* block = static_cast<AgentBlock*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(AgentBlock)))) {
        if (request == RegisterWindowMessageW(editor_driver::kReadMenuMessage))
            readMenu(window, block->menu);
        else
            dropFiles(window, *block);
        UnmapViewOfFile(block);
    }
    CloseHandle(mapping);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK agentHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT readMenuMessage = RegisterWindowMessageW(editor_driver::kReadMenuMessage);
    static const UINT dropFilesMessage = RegisterWindowMessageW(editor_driver::kDropFilesMessage);
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && (sent->message == readMenuMessage || sent->message == dropFilesMessage))
        serve(sent->message, sent->wParam, reinterpret_cast<HWND>(sent->lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
