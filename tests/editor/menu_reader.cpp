// Runs inside the editor's process (see menu_reader.h): copies the window's
// menu tree into the snapshot the driver placed there.
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

}  // namespace

extern "C" __declspec(dllexport) DWORD WINAPI readMenu(void* data) {
    auto& snapshot = *static_cast<MenuSnapshot*>(data);
    snapshot.count = 0;
    HMENU menu = GetMenu(snapshot.window);
    if (menu != nullptr) readItems(menu, 0, snapshot);
    return static_cast<DWORD>(snapshot.count);
}
