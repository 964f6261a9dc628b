// A form's main menu, built from a template of strings, with check and
// radio items and one event per item.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/object.h"
#include "toolkit/windows/form.h"

namespace toolkit {

class MainMenu;

// --- Main menu -------------------------------------------------------------

// The item's index in its menu (template order, depth first).
using MenuItemEvent = std::function<void(MainMenu& menu, int itemIndex)>;
// The item the user highlights while the menu is open (-1 for a sub-menu's
// own item, a separator or none), and -1 once the menu closes.
using MenuHighlightEvent = std::function<void(MainMenu& menu, int itemIndex)>;

struct MenuItem {
    enum Kind { Normal, Separator, Check, Radio };

    std::string caption;
    Kind kind = Normal;
    bool checked = false;
    int radioGroup = 0;  // radio items of one group share the number
    UINT commandId = 0;
    int index = 0;
    HMENU parentMenu = nullptr;  // the native menu the item lies in, at `position`
    UINT position = 0;
    HMENU subMenu = nullptr;  // when the item has children
    std::vector<MenuItem*> children;
    MenuItemEvent onChosen;
};

// A form's main menu, built from a template of strings read in order:
// "(" opens the sub-menu of the item just made and ")" closes it; an empty
// string or the end of the template ends it; "-" is a separator; a caption
// starting with "-" or "+" is a check item ("+": checked at first), and a
// "!" after that first character puts it in a radio group ("!!" starts a
// new group). Items get command identifiers from one counter shared by all
// menus, starting at 4096.
class MainMenu : public core::ToolkitObject {
public:
    static constexpr UINT kFirstCommandId = 4096;
    static constexpr UINT kCheckedState = MFS_CHECKED;  // 8

    // Builds the menu and makes it the form's menu bar.
    MainMenu(Form& form, std::span<const std::string> menuTemplate, MenuItemEvent defaultEvent);

    // Replaces every item with those of another template, in the same menu
    // bar; the items have no events. A template of as many items (other
    // captions, say) keeps the items' command identifiers; otherwise they
    // get new ones.
    void rebuild(std::span<const std::string> menuTemplate);
    void setOnHighlight(MenuHighlightEvent onHighlight) { onHighlight_ = std::move(onHighlight); }

    // The item with that index, or, for 4096 and above, that command
    // identifier; nullptr when there is none.
    MenuItem* itemByIndex(int indexOrCommand);
    // Whether the state bit (8: the check mark) is set, read from the
    // native menu once it exists.
    bool itemState(int index, UINT stateBit);
    void setItemState(int index, UINT stateBit, bool on);
    // Attaches events[i] to item firstIndex + i.
    void attachEvents(int firstIndex, std::span<const MenuItemEvent> events);

    HMENU handle() const { return menu_; }
    int itemCount() const { return static_cast<int>(items_.size()); }
    // A menu command (WM_COMMAND) arrived: a radio item gets the mark and
    // its group loses it, a check item flips its mark, then the item's
    // event runs, or the menu's default event when it has none.
    void commandChosen(UINT commandId);
    // The user highlighted an item (WM_MENUSELECT): its command identifier
    // and MF_* flags, or flags 0xFFFF once the menu closed.
    void itemHighlighted(UINT commandId, UINT flags);
    // The form's window is destroyed and its menu bar with it: the items
    // keep what the native menus knew, and no handle of theirs is used again.
    void windowDestroyed();

protected:
    ~MainMenu() override;

private:
    // Adds the template's items; the first ones take `commandIds` by index,
    // the others new identifiers.
    void build(std::span<const std::string> menuTemplate, std::span<const UINT> commandIds = {});
    void addItem(const std::string& entry, UINT commandId, HMENU parentMenu, std::vector<MenuItem*>& level,
                 int& radioGroup);
    void openSubMenu(MenuItem& item);

    Form& form_;
    HMENU menu_ = nullptr;
    std::vector<std::unique_ptr<MenuItem>> items_;  // in index order
    MenuItemEvent defaultEvent_;
    MenuHighlightEvent onHighlight_;
};

// Builds the menu from the template's entries 0 to lastIndex, gives it to
// the form (which frees it) and returns it.
MainMenu& newMainMenu(Form& form, std::span<const std::string> menuTemplate, int lastIndex,
                      MenuItemEvent defaultEvent);

}  // namespace toolkit
