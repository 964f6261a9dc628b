// The main menu through a real form window: the native menu built from a
// template, and items chosen the way the system reports a menu choice.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/code_page.h"
#include "core/object.h"
#include "toolkit/windows/application.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/main_menu.h"

namespace {

using namespace toolkit;

// The main window's menu, 22 strings.
const std::vector<std::string> kMainTemplate = {
    "Файл", "(", "Открыть..", "Сохранить", "Сохранить как..", "-", "Выход", ")",
    "Правка", "(", "Путь к папке с изображениями..", ")",
    "Просмотр", "(", "+Отображать viewer поверх всех окон", "Viewer", ")",
    "Помощь", "(", "О программе", ")", ""};

// What the native menu shows of one item.
struct NativeItem {
    std::string caption;
    UINT id;
    UINT type;
    UINT state;
    bool hasSubMenu;
};

NativeItem nativeItem(HMENU menu, int position) {
    wchar_t caption[256] = L"";
    MENUITEMINFOW info{sizeof info};
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
    EXPECT_TRUE(GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info));
    GetMenuStringW(menu, static_cast<UINT>(position), caption, 256, MF_BYPOSITION);
    return {core::fromWide(caption), info.wID, info.fType, info.fState, info.hSubMenu != nullptr};
}

// Every native item, depth first: the order the menu numbers its items in.
void collectNativeItems(HMENU menu, std::vector<NativeItem>& items) {
    for (int position = 0; position < GetMenuItemCount(menu); ++position) {
        items.push_back(nativeItem(menu, position));
        if (HMENU sub = GetSubMenu(menu, position)) collectNativeItems(sub, items);
    }
}

std::vector<NativeItem> nativeItems(const MainMenu& menu) {
    std::vector<NativeItem> items;
    collectNativeItems(menu.handle(), items);
    return items;
}

class MainMenuTest : public ::testing::Test {
protected:
    MainMenu& makeMenu(const std::vector<std::string>& menuTemplate) {
        return newMainMenu(form, menuTemplate, static_cast<int>(menuTemplate.size()) - 1,
                           [this](MainMenu&, int index) { defaultChoices.push_back(index); });
    }

    // What the system sends the form when the user chooses the item.
    void choose(MainMenu& menu, int index) {
        const MenuItem* item = menu.itemByIndex(index);
        ASSERT_NE(item, nullptr);
        SendMessageW(form.createWindow(), WM_COMMAND, MAKEWPARAM(item->commandId, 0), 0);
    }

    core::Ref<Application> app = newApplication("Menu test");
    Form& form = newForm(*app, "Меню");
    std::vector<int> defaultChoices;
};

TEST_F(MainMenuTest, MainTemplateGivesThirteenItemsNumberedDepthFirst) {
    MainMenu& menu = makeMenu(kMainTemplate);
    const std::vector<std::string> captions = {
        "Файл", "Открыть..", "Сохранить", "Сохранить как..", "", "Выход", "Правка",
        "Путь к папке с изображениями..", "Просмотр", "Отображать viewer поверх всех окон", "Viewer", "Помощь",
        "О программе"};
    ASSERT_EQ(menu.itemCount(), 13);
    const std::vector<NativeItem> native = nativeItems(menu);
    ASSERT_EQ(native.size(), 13U);
    EXPECT_EQ(GetMenuItemCount(menu.handle()), 4);
    for (int index = 0; index < 13; ++index) {
        SCOPED_TRACE(index);
        const MenuItem* item = menu.itemByIndex(index);
        ASSERT_NE(item, nullptr);
        EXPECT_EQ(item->index, index);
        EXPECT_EQ(item->caption, captions[index]);
        EXPECT_EQ(native[index].caption, captions[index]);
        EXPECT_EQ(native[index].id, item->commandId);
        EXPECT_EQ(native[index].id, native[0].id + static_cast<UINT>(index));
    }
    EXPECT_GE(native[0].id, MainMenu::kFirstCommandId);
    for (int title : {0, 6, 8, 11}) EXPECT_TRUE(native[title].hasSubMenu) << title;
    EXPECT_EQ(menu.itemByIndex(13), nullptr);
    EXPECT_EQ(menu.itemByIndex(-1), nullptr);
}

TEST_F(MainMenuTest, MenusShareOneCommandCounter) {
    MainMenu& first = makeMenu(kMainTemplate);
    Form& other = newForm(*app, "Другая");
    MainMenu& second = newMainMenu(other, kMainTemplate, 21, nullptr);
    EXPECT_EQ(second.itemByIndex(0)->commandId, first.itemByIndex(12)->commandId + 1);
}

TEST_F(MainMenuTest, PlusItemStartsCheckedAndSeparatorIsDisabled) {
    MainMenu& menu = makeMenu(kMainTemplate);
    const std::vector<NativeItem> native = nativeItems(menu);
    EXPECT_TRUE(menu.itemState(9, MainMenu::kCheckedState));
    EXPECT_NE(native[9].state & MFS_CHECKED, 0U);
    EXPECT_EQ(menu.itemByIndex(9)->kind, MenuItem::Check);
    EXPECT_FALSE(menu.itemState(10, MainMenu::kCheckedState));
    EXPECT_EQ(native[10].state & MFS_CHECKED, 0U);

    EXPECT_EQ(menu.itemByIndex(4)->kind, MenuItem::Separator);
    EXPECT_NE(native[4].type & MFT_SEPARATOR, 0U);
    EXPECT_EQ(native[4].state & MFS_DISABLED, MFS_DISABLED);
    EXPECT_TRUE(menu.itemState(4, MFS_DISABLED));
}

TEST_F(MainMenuTest, MenuReachesTheFormWindowMadeLater) {
    MainMenu& menu = makeMenu(kMainTemplate);
    EXPECT_EQ(form.menu(), &menu);
    EXPECT_EQ(GetMenu(form.createWindow()), menu.handle());
}

TEST_F(MainMenuTest, MenuReachesAnExistingFormWindow) {
    HWND window = form.createWindow();
    MainMenu& menu = makeMenu(kMainTemplate);
    EXPECT_EQ(GetMenu(window), menu.handle());
    EXPECT_EQ(form.menu(), &menu);
}

TEST_F(MainMenuTest, MenusGoWithTheirForms) {
    HMENU replaced = makeMenu(kMainTemplate).handle();
    HMENU shown = makeMenu(kMainTemplate).handle();
    form.createWindow();
    Form& windowless = newForm(*app, "Без окна");
    HMENU neverShown = newMainMenu(windowless, kMainTemplate, 21, nullptr).handle();
    HMENU subMenu = GetSubMenu(neverShown, 0);
    ASSERT_TRUE(IsMenu(replaced) && IsMenu(shown) && IsMenu(neverShown) && IsMenu(subMenu));
    EXPECT_EQ(GetMenu(form.handle()), shown);
    app.reset();
    EXPECT_FALSE(IsMenu(replaced));
    EXPECT_FALSE(IsMenu(shown));
    EXPECT_FALSE(IsMenu(neverShown));
    EXPECT_FALSE(IsMenu(subMenu));
}

// Once the window has taken its menu bar with it, the menu uses no handle
// of it again and still knows its items' marks.
TEST_F(MainMenuTest, MenuOutlivingItsWindowKeepsItsMarksAndLetsGoOfTheHandle) {
    MainMenu& menu = makeMenu(kMainTemplate);
    form.createWindow();
    menu.setItemState(10, MainMenu::kCheckedState, true);
    menu.setItemState(9, MainMenu::kCheckedState, false);
    DestroyWindow(form.handle());
    EXPECT_EQ(menu.handle(), nullptr);
    EXPECT_TRUE(menu.itemState(10, MainMenu::kCheckedState));
    EXPECT_FALSE(menu.itemState(9, MainMenu::kCheckedState));
}

TEST_F(MainMenuTest, ChosenCheckItemFlipsItsMarkBeforeItsEventRuns) {
    MainMenu& menu = makeMenu(kMainTemplate);
    std::vector<bool> seen;
    std::vector<bool> seenNative;
    const MenuItemEvent events[] = {[&](MainMenu& chosen, int index) {
        seen.push_back(chosen.itemState(index, MainMenu::kCheckedState));
        seenNative.push_back((nativeItems(chosen)[9].state & MFS_CHECKED) != 0);
    }};
    menu.attachEvents(9, events);
    choose(menu, 9);
    choose(menu, 9);
    EXPECT_EQ(seen, (std::vector<bool>{false, true}));
    EXPECT_EQ(seenNative, (std::vector<bool>{false, true}));
    EXPECT_TRUE(defaultChoices.empty());
}

TEST_F(MainMenuTest, ItemsWithoutEventGoToTheDefaultEventWithTheirIndex) {
    MainMenu& menu = makeMenu(kMainTemplate);
    std::vector<int> ownChoices;
    const MenuItemEvent events[] = {[&](MainMenu&, int index) { ownChoices.push_back(index); },
                                    [&](MainMenu&, int index) { ownChoices.push_back(100 + index); }};
    menu.attachEvents(1, events);
    for (int index : {2, 12, 1, 10, 5}) choose(menu, index);
    EXPECT_EQ(ownChoices, (std::vector<int>{102, 1}));
    EXPECT_EQ(defaultChoices, (std::vector<int>{12, 10, 5}));
}

TEST_F(MainMenuTest, ClearedMarkReadsBackFromTheNativeMenu) {
    MainMenu& menu = makeMenu(kMainTemplate);
    menu.setItemState(9, MainMenu::kCheckedState, false);
    EXPECT_FALSE(menu.itemState(9, MainMenu::kCheckedState));
    EXPECT_EQ(nativeItems(menu)[9].state & MFS_CHECKED, 0U);
    menu.setItemState(10, MainMenu::kCheckedState, true);
    EXPECT_NE(nativeItems(menu)[10].state & MFS_CHECKED, 0U);
    // The other bits of the state stay as they were.
    menu.setItemState(10, MFS_DISABLED, true);
    EXPECT_EQ(nativeItems(menu)[10].state, MFS_CHECKED | MFS_DISABLED);
}

TEST_F(MainMenuTest, CommandIdentifiersFindItemsToo) {
    MainMenu& menu = makeMenu(kMainTemplate);
    for (int index = 0; index < menu.itemCount(); ++index) {
        const MenuItem* item = menu.itemByIndex(index);
        EXPECT_EQ(menu.itemByIndex(static_cast<int>(item->commandId)), item) << index;
    }
    EXPECT_EQ(menu.itemByIndex(static_cast<int>(menu.itemByIndex(12)->commandId) + 1), nullptr);
}

TEST_F(MainMenuTest, RadioItemTakesTheMarkFromItsGroupOnly) {
    MainMenu& menu = makeMenu({"Вид", "(", "+!Один", "-!Два", "-!!Три", "+!Четыре", "Обычный", ")"});
    const std::vector<NativeItem> native = nativeItems(menu);
    ASSERT_EQ(native.size(), 6U);
    const std::vector<std::string> captions = {"Вид", "Один", "Два", "Три", "Четыре", "Обычный"};
    for (int index = 0; index < 6; ++index) EXPECT_EQ(native[index].caption, captions[index]);
    for (int index = 1; index <= 4; ++index) {
        EXPECT_EQ(menu.itemByIndex(index)->kind, MenuItem::Radio) << index;
        EXPECT_NE(native[index].type & MFT_RADIOCHECK, 0U) << index;
    }
    EXPECT_EQ(native[5].type & MFT_RADIOCHECK, 0U);

    std::vector<std::vector<bool>> marksSeen;
    const auto marks = [&menu] {
        std::vector<bool> checked;
        for (int index = 1; index <= 4; ++index) checked.push_back(menu.itemState(index, MainMenu::kCheckedState));
        return checked;
    };
    EXPECT_EQ(marks(), (std::vector<bool>{true, false, false, true}));
    const MenuItemEvent record[] = {[&](MainMenu&, int) { marksSeen.push_back(marks()); }};
    for (int index = 1; index <= 4; ++index) menu.attachEvents(index, record);

    choose(menu, 2);
    choose(menu, 3);
    choose(menu, 3);  // a marked radio item keeps its mark
    ASSERT_EQ(marksSeen.size(), 3U);
    EXPECT_EQ(marksSeen[0], (std::vector<bool>{false, true, false, true}));
    EXPECT_EQ(marksSeen[1], (std::vector<bool>{false, true, true, false}));
    EXPECT_EQ(marksSeen[2], (std::vector<bool>{false, true, true, false}));
}

// A menu built anew from a chosen item's own event keeps its bar and the
// form's window; the new items run their own events and keep the command
// identifiers only when there are as many of them, and the items the user
// highlights are reported by index, -1 for a sub-menu's title and once the
// menu closes.
TEST_F(MainMenuTest, RebuiltMenuKeepsItsBarAndReportsHighlightedItems) {
    MainMenu& menu = makeMenu({"Файл", "(", "Старый", ")"});
    HMENU bar = menu.handle();
    HWND window = form.createWindow();
    const MenuItemEvent rebuild[] = {[](MainMenu& chosen, int) {
        chosen.rebuild(std::vector<std::string>{"File", "(", "-", "New", ")"});
    }};
    menu.attachEvents(1, rebuild);
    const UINT oldId = menu.itemByIndex(1)->commandId;
    choose(menu, 1);
    EXPECT_EQ(menu.handle(), bar);
    EXPECT_EQ(GetMenu(window), bar);
    const std::vector<NativeItem> native = nativeItems(menu);
    ASSERT_EQ(native.size(), 3U);
    EXPECT_EQ(native[2].caption, "New");
    EXPECT_EQ(menu.itemByIndex(2)->caption, "New");
    choose(menu, 2);
    EXPECT_EQ(defaultChoices, std::vector<int>{2}) << "the new item has no event of the old one";
    const UINT newId = menu.itemByIndex(2)->commandId;
    EXPECT_GT(menu.itemByIndex(0)->commandId, oldId) << "another number of items takes new identifiers";
    menu.rebuild(std::vector<std::string>{"Файл", "(", "-", "Новый", ")"});
    EXPECT_EQ(menu.itemByIndex(2)->commandId, newId) << "as many items keep theirs";
    EXPECT_EQ(nativeItems(menu)[2].caption, "Новый");

    std::vector<int> highlighted;
    menu.setOnHighlight([&highlighted](MainMenu&, int index) { highlighted.push_back(index); });
    SendMessageW(window, WM_MENUSELECT, MAKEWPARAM(menu.itemByIndex(2)->commandId, MF_HILITE), 0);
    SendMessageW(window, WM_MENUSELECT, MAKEWPARAM(0, MF_POPUP | MF_HILITE), 0);
    SendMessageW(window, WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_EQ(highlighted, (std::vector<int>{2, -1, -1}));
}

TEST_F(MainMenuTest, TemplateEndsAtEmptyStringOrLastIndex) {
    MainMenu& early = makeMenu({"Один", "(", "Два", ")", "", "Три"});
    EXPECT_EQ(early.itemCount(), 2);
    // Entries 0 to 3 only: the sub-menu is left open, which is no fault.
    Form& other = newForm(*app, "Другая");
    MainMenu& cut = newMainMenu(other, kMainTemplate, 3, nullptr);
    ASSERT_EQ(cut.itemCount(), 3);
    EXPECT_EQ(cut.itemByIndex(2)->caption, "Сохранить");
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(cut.handle(), 0)), 2);
}

TEST_F(MainMenuTest, NestedSubMenusNumberDepthFirst) {
    MainMenu& menu = makeMenu({"А", "(", "Б", "(", "В", "Г", ")", "Д", ")", "Е"});
    const std::vector<NativeItem> native = nativeItems(menu);
    const std::vector<std::string> captions = {"А", "Б", "В", "Г", "Д", "Е"};
    ASSERT_EQ(native.size(), captions.size());
    for (std::size_t index = 0; index < captions.size(); ++index) {
        EXPECT_EQ(native[index].caption, captions[index]);
        EXPECT_EQ(menu.itemByIndex(static_cast<int>(index))->caption, captions[index]);
    }
    EXPECT_EQ(GetMenuItemCount(menu.handle()), 2);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(GetSubMenu(menu.handle(), 0), 0)), 2);
    EXPECT_EQ(menu.itemByIndex(1)->children.size(), 2U);
}

TEST_F(MainMenuTest, UnbalancedBracketsBuildWhatTheyCan) {
    MainMenu& menu = makeMenu({"(", "А", ")", ")", "Б", "(", "В"});
    const std::vector<NativeItem> native = nativeItems(menu);
    ASSERT_EQ(native.size(), 3U);
    EXPECT_EQ(GetMenuItemCount(menu.handle()), 2);
    EXPECT_EQ(native[2].caption, "В");
    EXPECT_TRUE(native[1].hasSubMenu);
}

}  // namespace
