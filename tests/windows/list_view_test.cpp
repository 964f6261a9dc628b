// The list view through a real form window, set up as the main window's
// material list: what the native control holds and the item-state events
// it reports when the user or the program moves the selection.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/code_page.h"
#include "core/object.h"
#include "toolkit/windows/application.h"
#include "toolkit/windows/control.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/list_view.h"
#include "ui_driver.h"

namespace {

using namespace toolkit;

constexpr std::uint32_t kMaterialListOptions = 0x00200800;  // grid lines, info tips
constexpr Color kListBackground = 0xF7F7F7;
constexpr std::uint32_t kColumnWidthProperty = 0x101D;

struct StateChange {
    int first;
    int last;
    UINT oldState;
    UINT newState;
    bool operator==(const StateChange&) const = default;
};

std::ostream& operator<<(std::ostream& out, const StateChange& change) {
    return out << "{" << change.first << ", " << change.last << ", " << change.oldState << " -> " << change.newState
               << "}";
}

std::string nativeText(HWND list, int index, int column = 0) {
    wchar_t text[512] = L"";
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = text;
    item.cchTextMax = 512;
    SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return core::fromWide(text);
}

LPARAM nativeData(HWND list, int index) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = index;
    SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return item.lParam;
}

UINT nativeState(HWND list, int index) {
    return static_cast<UINT>(
        SendMessageW(list, LVM_GETITEMSTATE, static_cast<WPARAM>(index), LVIS_SELECTED | LVIS_FOCUSED));
}

int columnWidth(HWND list) { return static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0)); }

class ListViewTest : public ::testing::Test {
protected:
    // The main window's material list, set up before any window exists.
    ListViewTest() {
        form.setClientSize(400, 300);
        list.setPosition(8, 32).setSize(189, 222);
        list.setBackgroundColor(kListBackground);
        list.setTextColor(0x000000);
        list.setTextBackgroundColor(kListBackground);
        list.addColumn("", ListView::AlignLeft, 50);
        list.setOnItemState([this](Control&, int first, int last, UINT oldState, UINT newState) {
            changes.push_back({first, last, oldState, newState});
        });
    }

    // The form on screen, for what the user does with mouse and keys.
    HWND showForm() {
        form.setVisible(true);
        ui_driver::pumpMessages(50);
        return list.handle();
    }

    // The window alone is enough for what the program does.
    HWND makeFormWindow() {
        form.createWindow();
        return list.handle();
    }

    void addRows(int count) {
        for (int row = 0; row < count; ++row) list.addItem(std::to_string(row + 1) + " Материал", -1, 0, 100 + row);
    }

    // A left click in the middle of the row, as the mouse sends it.
    void clickRow(int index) {
        RECT row{LVIR_BOUNDS};
        ASSERT_TRUE(
            SendMessageW(list.handle(), LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row)));
        const LPARAM point = MAKELPARAM((row.left + row.right) / 2, (row.top + row.bottom) / 2);
        SendMessageW(list.handle(), WM_LBUTTONDOWN, MK_LBUTTON, point);
        SendMessageW(list.handle(), WM_LBUTTONUP, 0, point);
        ui_driver::pumpMessages(20);
    }

    void pressKey(WPARAM key) {
        SendMessageW(list.handle(), WM_KEYDOWN, key, 0);
        SendMessageW(list.handle(), WM_KEYUP, key, 0);
        ui_driver::pumpMessages(20);
    }

    core::Ref<Application> app = newApplication("List view test");
    Form& form = newForm(*app, "Список");
    ListView& list = newListView(form, ListView::HeaderlessReportView, kMaterialListOptions, nullptr, nullptr, nullptr);
    std::vector<StateChange> changes;
};

TEST_F(ListViewTest, MainWindowSettingsReachTheNativeControl) {
    HWND window = makeFormWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ui_driver::className(window), WC_LISTVIEWW);
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
    EXPECT_EQ(style & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
    for (DWORD wanted : {LVS_NOCOLUMNHEADER, LVS_SHAREIMAGELISTS, LVS_SHOWSELALWAYS, LVS_SINGLESEL})
        EXPECT_EQ(style & wanted, wanted) << std::hex << wanted;
    const auto extended = static_cast<DWORD>(SendMessageW(window, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_EQ(extended & (LVS_EX_GRIDLINES | LVS_EX_INFOTIP), static_cast<DWORD>(LVS_EX_GRIDLINES | LVS_EX_INFOTIP));
    EXPECT_EQ(SendMessageW(window, LVM_GETBKCOLOR, 0, 0), static_cast<LRESULT>(kListBackground));
    EXPECT_EQ(SendMessageW(window, LVM_GETTEXTBKCOLOR, 0, 0), static_cast<LRESULT>(kListBackground));
    EXPECT_EQ(SendMessageW(window, LVM_GETTEXTCOLOR, 0, 0), 0);
    EXPECT_EQ(columnWidth(window), 50);
    RECT bounds;
    GetWindowRect(window, &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 189);
    EXPECT_EQ(bounds.bottom - bounds.top, 222);
}

// A caption set before the window exists is the one it is made with.
TEST_F(ListViewTest, ColumnCaptionsChangeBeforeAndAfterTheWindowIsMade) {
    const auto nativeCaption = [this] {
        wchar_t caption[64] = L"";
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = caption;
        column.cchTextMax = 64;
        SendMessageW(list.handle(), LVM_GETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
        return core::fromWide(caption);
    };
    list.setColumnCaption(0, "Кадр");
    list.setColumnCaption(1, "no such column");
    makeFormWindow();
    EXPECT_EQ(nativeCaption(), "Кадр");
    list.setColumnCaption(0, "Frame");
    EXPECT_EQ(nativeCaption(), "Frame");
}

TEST_F(ListViewTest, OtherOptionBitsAndViewsGiveTheirStyles) {
    ListView& icons =
        newListView(form, ListView::IconView, ListView::HideSelectionOption | ListView::MultipleSelectionOption,
                    nullptr, nullptr, nullptr);
    ListView& plain = newListView(form, ListView::ReportView, 0, nullptr, nullptr, nullptr);
    makeFormWindow();
    const auto iconStyle = static_cast<DWORD>(GetWindowLongPtrW(icons.handle(), GWL_STYLE));
    EXPECT_EQ(iconStyle & LVS_TYPEMASK, static_cast<DWORD>(LVS_ICON));
    EXPECT_EQ(iconStyle & (LVS_SHOWSELALWAYS | LVS_SINGLESEL), 0U);
    const auto plainStyle = static_cast<DWORD>(GetWindowLongPtrW(plain.handle(), GWL_STYLE));
    EXPECT_EQ(plainStyle & LVS_TYPEMASK, static_cast<DWORD>(LVS_REPORT));
    EXPECT_EQ(plainStyle & LVS_NOCOLUMNHEADER, 0U);
    EXPECT_EQ(SendMessageW(plain.handle(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_GRIDLINES, 0);
    // The default text background is the window colour.
    EXPECT_EQ(SendMessageW(plain.handle(), LVM_GETTEXTBKCOLOR, 0, 0), static_cast<LRESULT>(GetSysColor(COLOR_WINDOW)));
}

TEST_F(ListViewTest, RowsAddedBeforeAndAfterTheWindowKeepTheirTextsAndData) {
    EXPECT_EQ(list.addItem("[1] Кирпич", -1, 0, 11), 0);
    EXPECT_EQ(list.addItem("[2] Стекло", -1, 0, 22), 1);
    list.setItemText(1, 0, "[2] Окно");
    list.selectIndex(1);
    EXPECT_EQ(list.itemCount(), 2);
    EXPECT_EQ(list.selectedIndex(), 1);
    HWND window = makeFormWindow();
    EXPECT_EQ(list.addItem("[3] Дерево", -1, 0, 33), 2);

    ASSERT_EQ(SendMessageW(window, LVM_GETITEMCOUNT, 0, 0), 3);
    const std::vector<std::string> texts = {"[1] Кирпич", "[2] Окно", "[3] Дерево"};
    for (int row = 0; row < 3; ++row) {
        EXPECT_EQ(nativeText(window, row), texts[row]);
        EXPECT_EQ(list.itemText(row, 0), texts[row]);
        EXPECT_EQ(nativeData(window, row), 11 * (row + 1));
        EXPECT_EQ(list.itemData(row), 11 * (row + 1));
    }
    EXPECT_EQ(nativeState(window, 1), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(list.selectedIndex(), 1);

    list.setItemText(0, 0, "[1] Камень");
    EXPECT_EQ(nativeText(window, 0), "[1] Камень");
    EXPECT_EQ(nativeText(window, 1), "[2] Окно");
}

TEST_F(ListViewTest, LongRowTextReadsBackWhole) {
    makeFormWindow();
    const std::string longText(700, 'W');
    list.addItem(longText, -1, 0, 1);
    EXPECT_EQ(list.itemText(0, 0), longText);
}

TEST_F(ListViewTest, SelectIndexLeavesOneRowSelectedAndFocused) {
    addRows(4);
    HWND window = makeFormWindow();
    EXPECT_EQ(list.selectedIndex(), -1);
    list.selectIndex(2);
    EXPECT_EQ(list.selectedIndex(), 2);
    EXPECT_EQ(nativeState(window, 2), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    list.selectIndex(0);
    EXPECT_EQ(list.selectedIndex(), 0);
    EXPECT_EQ(nativeState(window, 0), static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(nativeState(window, 2), 0U);
    list.selectIndex(-1);
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_EQ(SendMessageW(window, LVM_GETSELECTEDCOUNT, 0, 0), 0);
}

// The editor relies on these sequences: the row that loses the selection
// is reported as selected and focused -> focused, then focused -> none,
// and only then the new row as none -> selected and focused.
TEST_F(ListViewTest, SelectionMovedByTheProgramReportsTheOldRowThenTheNewOne) {
    addRows(3);
    makeFormWindow();
    list.selectIndex(0);
    EXPECT_EQ(changes, (std::vector<StateChange>{{0, 0, 0, 3}}));
    changes.clear();
    list.selectIndex(2);
    EXPECT_EQ(changes, (std::vector<StateChange>{{0, 0, 3, 1}, {0, 0, 1, 0}, {2, 2, 0, 3}}));
}

TEST_F(ListViewTest, SelectionMovedByAClickOrAnArrowKeyReportsTheSameOrder) {
    addRows(3);
    showForm();
    list.selectIndex(0);
    changes.clear();
    clickRow(2);
    EXPECT_EQ(changes, (std::vector<StateChange>{{0, 0, 3, 1}, {0, 0, 1, 0}, {2, 2, 0, 3}}));
    EXPECT_EQ(list.selectedIndex(), 2);
    changes.clear();
    clickRow(2);  // the selected row again: nothing changes
    EXPECT_TRUE(changes.empty());
    pressKey(VK_UP);
    EXPECT_EQ(changes, (std::vector<StateChange>{{2, 2, 3, 1}, {2, 2, 1, 0}, {1, 1, 0, 3}}));
    EXPECT_EQ(list.selectedIndex(), 1);
}

TEST_F(ListViewTest, ClearingTheSelectionReportsTheRowKeepingItsFocus) {
    addRows(3);
    HWND window = makeFormWindow();
    list.selectIndex(1);
    changes.clear();
    list.selectIndex(-1);
    EXPECT_EQ(changes, (std::vector<StateChange>{{1, 1, 3, 1}}));
    EXPECT_EQ(nativeState(window, 1), static_cast<UINT>(LVIS_FOCUSED));
    // Selecting another row then takes the focus from it.
    changes.clear();
    list.selectIndex(0);
    EXPECT_EQ(changes, (std::vector<StateChange>{{1, 1, 1, 0}, {0, 0, 0, 3}}));
}

TEST_F(ListViewTest, ClearRemovesEveryRowWithoutStateEvents) {
    addRows(3);
    makeFormWindow();
    list.selectIndex(1);
    changes.clear();
    list.clear();
    EXPECT_EQ(list.itemCount(), 0);
    EXPECT_EQ(list.selectedIndex(), -1);
    EXPECT_TRUE(changes.empty());
    EXPECT_EQ(list.addItem("[1] Новый", -1, 0, 5), 0);
}

// The rows that are not selected show the colour given for the data they
// carry; the selected one keeps the selection's colours.
TEST_F(ListViewTest, RowsShowTheTextColourGivenForTheirData) {
    const COLORREF kRed = RGB(255, 0, 0);
    addRows(3);
    list.setRowTextColor([kRed](LPARAM data) { return data == 101 ? std::optional<Color>(kRed) : std::nullopt; });
    HWND window = showForm();
    const auto rowShowsRed = [window](int index) {
        RECT row{LVIR_LABEL};
        SendMessageW(window, LVM_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&row));
        return ui_driver::anyPixelIs(window, row, kRed);
    };
    EXPECT_TRUE(rowShowsRed(1));
    EXPECT_FALSE(rowShowsRed(0));
    EXPECT_FALSE(rowShowsRed(2));
    list.selectIndex(1);
    EXPECT_FALSE(rowShowsRed(1));
    list.selectIndex(0);
    EXPECT_TRUE(rowShowsRed(1));
}

TEST_F(ListViewTest, ColumnWidthPropertyIsTheWidthOfColumnZero) {
    list.setIntProperty(kColumnWidthProperty, 120);
    HWND window = makeFormWindow();
    EXPECT_EQ(columnWidth(window), 120);
    list.setIntProperty(kColumnWidthProperty, 166);
    EXPECT_EQ(columnWidth(window), 166);
    EXPECT_EQ(list.intProperty(kColumnWidthProperty), 166);
}

TEST_F(ListViewTest, ColoursSetOnTheShownListReachTheNativeControl) {
    HWND window = makeFormWindow();
    list.setBackgroundColor(0x123456);
    list.setTextColor(0x0000FF);
    list.setTextBackgroundColor(kSystemColor | COLOR_WINDOW);
    EXPECT_EQ(SendMessageW(window, LVM_GETBKCOLOR, 0, 0), 0x123456);
    EXPECT_EQ(SendMessageW(window, LVM_GETTEXTCOLOR, 0, 0), 0x0000FF);
    EXPECT_EQ(SendMessageW(window, LVM_GETTEXTBKCOLOR, 0, 0), static_cast<LRESULT>(GetSysColor(COLOR_WINDOW)));
}

}  // namespace
