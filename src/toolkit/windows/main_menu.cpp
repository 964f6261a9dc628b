// The main menu: built from a template of strings into a native menu bar,
// with check and radio items and one event per item.
#include "toolkit/windows/main_menu.h"

#include <algorithm>

#include "core/code_page.h"
#include "core/object.h"
#include "toolkit/windows/form.h"

namespace toolkit {

namespace {

// Command identifiers come from one counter shared by every menu of the
// program. WM_COMMAND carries 16 bits of identifier, so the counter starts
// over rather than hand out identifiers no command could name.
UINT takeCommandId() {
    static UINT next = MainMenu::kFirstCommandId;
    const UINT id = next;
    next = id == 0xFFFF ? MainMenu::kFirstCommandId : id + 1;
    return id;
}

void insertNativeItem(const MenuItem& item) {
    std::wstring caption = core::toWide(item.caption);
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
    info.wID = item.commandId;
    if (item.kind == MenuItem::Separator) {
        info.fType = MFT_SEPARATOR;
        info.fState = MFS_DISABLED;
    } else {
        info.fMask |= MIIM_STRING;
        info.fType = item.kind == MenuItem::Radio ? MFT_RADIOCHECK : MFT_STRING;
        info.fState = item.checked ? MFS_CHECKED : 0;
        info.dwTypeData = caption.data();
    }
    InsertMenuItemW(item.parentMenu, item.position, TRUE, &info);
}

}  // namespace

MainMenu::MainMenu(Form& form, std::span<const std::string> menuTemplate, MenuItemEvent defaultEvent)
    : form_(form), defaultEvent_(std::move(defaultEvent)) {
    menu_ = CreateMenu();
    build(menuTemplate);
    form.menu_ = this;
    if (form.handle() != nullptr) {
        SetMenu(form.handle(), menu_);
        DrawMenuBar(form.handle());
    }
}

MainMenu::~MainMenu() {
    // Still here: the menu never reached a window, or another replaced it.
    if (menu_ != nullptr) DestroyMenu(menu_);
}

// Items of the same number keep their identifiers, so that a command posted
// before the change of captions still names its item.
void MainMenu::rebuild(std::span<const std::string> menuTemplate) {
    const auto templateItems =
        std::ranges::count_if(menuTemplate.begin(), std::ranges::find(menuTemplate, ""),
                              [](const std::string& entry) { return entry != "(" && entry != ")"; });
    std::vector<UINT> keptCommandIds;
    if (templateItems == itemCount())
        for (const auto& item : items_) keptCommandIds.push_back(item->commandId);
    if (menu_ != nullptr)
        while (GetMenuItemCount(menu_) > 0) DeleteMenu(menu_, 0, MF_BYPOSITION);  // sub-menus go with their items
    items_.clear();
    build(menuTemplate, keptCommandIds);
    if (form_.handle() != nullptr && GetMenu(form_.handle()) == menu_) DrawMenuBar(form_.handle());
}

void MainMenu::windowDestroyed() {
    for (const auto& item : items_) {
        item->checked = itemState(item->index, kCheckedState);
        item->parentMenu = nullptr;
        item->subMenu = nullptr;
    }
    menu_ = nullptr;
}

void MainMenu::build(std::span<const std::string> menuTemplate, std::span<const UINT> commandIds) {
    struct Level {
        HMENU menu;
        std::vector<MenuItem*>* items;
    };
    std::vector<MenuItem*> topLevel;
    std::vector<Level> levels{{menu_, &topLevel}};
    int radioGroup = 1;
    for (const std::string& entry : menuTemplate) {
        if (entry.empty()) break;
        Level& level = levels.back();
        if (entry == "(") {
            // A "(" with no item before it nests nothing: its items stay
            // at this level until the matching ")".
            if (level.items->empty()) {
                levels.push_back(level);
                continue;
            }
            MenuItem& owner = *level.items->back();
            if (owner.subMenu == nullptr) openSubMenu(owner);
            levels.push_back({owner.subMenu, &owner.children});
        } else if (entry == ")") {
            if (levels.size() > 1) levels.pop_back();  // an unmatched ")" is ignored
        } else {
            const UINT commandId = items_.size() < commandIds.size() ? commandIds[items_.size()] : takeCommandId();
            addItem(entry, commandId, level.menu, *level.items, radioGroup);
        }
    }
}

void MainMenu::addItem(const std::string& entry, UINT commandId, HMENU parentMenu, std::vector<MenuItem*>& level,
                       int& radioGroup) {
    auto item = std::make_unique<MenuItem>();
    if (entry == "-") {
        item->kind = MenuItem::Separator;
    } else if (entry[0] == '-' || entry[0] == '+') {
        item->kind = MenuItem::Check;
        item->checked = entry[0] == '+';
        std::size_t captionStart = 1;
        if (entry.compare(1, 2, "!!") == 0) {
            ++radioGroup;
            captionStart = 3;
        } else if (entry.compare(1, 1, "!") == 0) {
            captionStart = 2;
        }
        if (captionStart > 1) {
            item->kind = MenuItem::Radio;
            item->radioGroup = radioGroup;
        }
        item->caption = entry.substr(captionStart);
    } else {
        item->caption = entry;
    }
    item->commandId = commandId;
    item->index = static_cast<int>(items_.size());
    item->parentMenu = parentMenu;
    item->position = static_cast<UINT>(level.size());
    if (parentMenu != nullptr) insertNativeItem(*item);
    level.push_back(item.get());
    items_.push_back(std::move(item));
}

void MainMenu::openSubMenu(MenuItem& item) {
    if (item.parentMenu == nullptr) return;  // no native menu to hang it on
    item.subMenu = CreatePopupMenu();
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_SUBMENU;
    info.hSubMenu = item.subMenu;
    SetMenuItemInfoW(item.parentMenu, item.position, TRUE, &info);
}

MenuItem* MainMenu::itemByIndex(int indexOrCommand) {
    if (indexOrCommand >= static_cast<int>(kFirstCommandId)) {
        const auto found = std::ranges::find_if(items_, [indexOrCommand](const auto& item) {
            return item->commandId == static_cast<UINT>(indexOrCommand);
        });
        return found != items_.end() ? found->get() : nullptr;
    }
    if (indexOrCommand < 0 || indexOrCommand >= itemCount()) return nullptr;
    return items_[static_cast<std::size_t>(indexOrCommand)].get();
}

bool MainMenu::itemState(int index, UINT stateBit) {
    const MenuItem* item = itemByIndex(index);
    if (item == nullptr) return false;
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_STATE;
    UINT state = 0;
    if (item->parentMenu != nullptr && GetMenuItemInfoW(item->parentMenu, item->position, TRUE, &info)) {
        state = info.fState;
    } else {
        // No native menu to ask: what the item record knows.
        if (item->checked) state |= MFS_CHECKED;
        if (item->kind == MenuItem::Separator) state |= MFS_DISABLED;
    }
    return stateBit != 0 && (state & stateBit) == stateBit;
}

void MainMenu::setItemState(int index, UINT stateBit, bool on) {
    MenuItem* item = itemByIndex(index);
    if (item == nullptr) return;
    if ((stateBit & kCheckedState) != 0) item->checked = on;
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_STATE;
    if (item->parentMenu == nullptr || !GetMenuItemInfoW(item->parentMenu, item->position, TRUE, &info)) return;
    info.fState = on ? info.fState | stateBit : info.fState & ~stateBit;
    SetMenuItemInfoW(item->parentMenu, item->position, TRUE, &info);
}

void MainMenu::attachEvents(int firstIndex, std::span<const MenuItemEvent> events) {
    for (std::size_t i = 0; i < events.size(); ++i) {
        const long long index = static_cast<long long>(firstIndex) + static_cast<long long>(i);
        if (index < 0 || index >= itemCount()) continue;
        items_[static_cast<std::size_t>(index)]->onChosen = events[i];
    }
}

void MainMenu::commandChosen(UINT commandId) {
    if (commandId < kFirstCommandId) return;
    MenuItem* item = itemByIndex(static_cast<int>(commandId));
    if (item == nullptr || item->kind == MenuItem::Separator) return;
    if (item->kind == MenuItem::Radio) {
        for (const auto& other : items_)
            if (other->kind == MenuItem::Radio && other->radioGroup == item->radioGroup)
                setItemState(other->index, kCheckedState, other.get() == item);
    } else if (item->kind == MenuItem::Check) {
        setItemState(item->index, kCheckedState, !itemState(item->index, kCheckedState));
    }
    // A copy: the handler may attach other events, this one's included, or
    // rebuild the menu.
    const MenuItemEvent event = item->onChosen ? item->onChosen : defaultEvent_;
    if (event) event(*this, item->index);
}

void MainMenu::itemHighlighted(UINT commandId, UINT flags) {
    if (!onHighlight_) return;
    // A sub-menu's own item reports its position, not a command identifier.
    const bool command = flags != 0xFFFF && (flags & (MF_POPUP | MF_SEPARATOR)) == 0 && commandId >= kFirstCommandId;
    const MenuItem* item = command ? itemByIndex(static_cast<int>(commandId)) : nullptr;
    onHighlight_(*this, item != nullptr ? item->index : -1);
}

MainMenu& newMainMenu(Form& form, std::span<const std::string> menuTemplate, int lastIndex,
                      MenuItemEvent defaultEvent) {
    const std::size_t count =
        lastIndex < 0 ? 0 : std::min(menuTemplate.size(), static_cast<std::size_t>(lastIndex) + 1);
    return form.own(core::create<MainMenu>(form, menuTemplate.first(count), std::move(defaultEvent)));
}

}  // namespace toolkit
