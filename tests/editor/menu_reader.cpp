// Runs inside the editor's process, in its window thread (see
// menu_reader.h): copies the window's menu tree into the shared snapshot.
#include "menu_reader.h"

namespace {

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

void readMenu(WPARAM token, HWND window) {
    HANDLE mapping = OpenFileMappingW(FILE_MAP_WRITE, FALSE, editor_driver::menuSnapshotName(token).c_str());
    if (mapping == nullptr) return;
    if (auto* snapshot = static_cast<MenuSnapshot*>(MapViewOfFile(mapping, FILE_MAP_WRITE, 0, 0, sizeof(MenuSnapshot)))) {
        snapshot->count = 0;
        if (HMENU menu = GetMenu(window)) readItems(menu, 0, *snapshot);
        UnmapViewOfFile(snapshot);
    }
    CloseHandle(mapping);
}

}  // namespace

extern "C" __declspec(dllexport) LRESULT CALLBACK readMenuHook(int code, WPARAM wParam, LPARAM lParam) {
    static const UINT readMenuMessage = RegisterWindowMessageW(editor_driver::kReadMenuMessage);
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && sent->message == readMenuMessage)
        readMenu(sent->wParam, reinterpret_cast<HWND>(sent->lParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}
