// Menus, the list view, the status bar, the common dialogs (open and save
// file, colour, folder) and message boxes.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "toolkit/base.h"
#include "toolkit/controls.h"

namespace toolkit {

class MainMenu;

// --- Main menu -------------------------------------------------------------

// The item's index in its menu (template order, depth first).
using MenuItemEvent = std::function<void(MainMenu& menu, int itemIndex)>;

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
class MainMenu : public ToolkitObject {
public:
    static constexpr UINT kFirstCommandId = 4096;
    static constexpr UINT kCheckedState = MFS_CHECKED;  // 8

    // Builds the menu and makes it the form's menu bar.
    MainMenu(Form& form, std::span<const std::string> menuTemplate, MenuItemEvent defaultEvent);

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
    // The form's window is destroyed and its menu bar with it: the items
    // keep what the native menus knew, and no handle of theirs is used again.
    void windowDestroyed();

protected:
    ~MainMenu() override;

private:
    void build(std::span<const std::string> menuTemplate);
    void addItem(const std::string& entry, HMENU parentMenu, std::vector<MenuItem*>& level, int& radioGroup);
    void openSubMenu(MenuItem& item);

    HMENU menu_ = nullptr;
    std::vector<std::unique_ptr<MenuItem>> items_;  // in index order
    MenuItemEvent defaultEvent_;
};

// Builds the menu from the template's entries 0 to lastIndex, gives it to
// the form (which frees it) and returns it.
MainMenu& newMainMenu(Form& form, std::span<const std::string> menuTemplate, int lastIndex,
                      MenuItemEvent defaultEvent);

// --- Status bar ------------------------------------------------------------

// The bar at the bottom of a form, made by its first text. It takes no
// room until its window exists; then the form's children share what is
// left of the client area. Parts divide the form's client width.
class StatusBar : public Control {
public:
    static constexpr int kSimplePart = 255;

    explicit StatusBar(Form& form);

    // Index 255 sets the single-part text, without switching a bar in
    // parts mode back; any other index divides the bar into at least
    // index + 1 equal parts, switches it to parts mode and sets that part's
    // text. Indexes outside 0 to 255 are ignored.
    void setText(int part, const std::string& text);
    std::string text(int part) const;
    int partCount() const { return static_cast<int>(texts_.size()); }
    bool simple() const { return simple_; }
    // Lays the bar out again along the bottom of its form and divides the
    // new width among the parts.
    void formResized();

    static bool validPart(int part) { return part >= 0 && part <= kSimplePart; }

    // In a form on screen the bar appears at once and the form's children
    // are laid out again in the smaller client area.
    void init() override;

protected:
    DWORD windowStyle() const override;
    void windowMade() override;

private:
    Form& owner() const;
    void fitToForm();
    void applyParts();
    void sendText(int part, const std::string& text);

    bool simple_ = true;
    std::string simpleText_;
    std::vector<std::string> texts_;  // one per part
};

// Sets a text of the form's status bar, making the bar first when there is
// none (in single-part mode for index 255, parts mode otherwise); the bar
// then takes its height from the bottom of the form's client area.
void setStatusText(Form& form, int part, const std::string& text);

// --- List view -------------------------------------------------------------

// first and last index of the rows whose state changed, their old and new
// state bits: only LVIS_FOCUSED (1) and LVIS_SELECTED (2) are passed on,
// and a change of other bits alone is not reported. Moving the selection
// from row A to row B (by the program, a click or an arrow key) reports
// A 3 -> 1, then A 1 -> 0, then B 0 -> 3; clearing it reports A 3 -> 1
// and A keeps the focus; removing every row reports nothing.
using ItemStateEvent = std::function<void(Control& sender, int first, int last, UINT oldState, UINT newState)>;

class ListView : public Control {
public:
    // Views: 0 icon, 1 small icon, 2 list, 3 report, 4 report without
    // column header.
    enum View : int { IconView = 0, SmallIconView = 1, ListOnlyView = 2, ReportView = 3, HeaderlessReportView = 4 };
    // Option bits: 7 hide the selection without the focus, 8 several rows
    // may be selected, 11 grid lines, 21 info tips.
    enum Option : std::uint32_t {
        HideSelectionOption = 1U << 7,
        MultipleSelectionOption = 1U << 8,
        GridLinesOption = 1U << 11,
        InfoTipsOption = 1U << 21,
    };
    enum ColumnAlignment : int { AlignLeft = LVCFMT_LEFT, AlignRight = LVCFMT_RIGHT, AlignCentre = LVCFMT_CENTER };

    ListView(Control& parent, View view, std::uint32_t options, HIMAGELIST large, HIMAGELIST small, HIMAGELIST state);

    void clear();
    void addColumn(const std::string& caption, ColumnAlignment alignment, int width);
    void setColumnWidth(int column, int width);
    // Appends the row and gives its index.
    int addItem(const std::string& caption, int imageIndex, UINT state, LPARAM data);
    void setItemText(int index, int column, const std::string& text);
    std::string itemText(int index, int column);
    LPARAM itemData(int index);
    // The first row that carries the data, or -1.
    int indexOfData(LPARAM data);
    int itemCount();
    // The first selected row, or -1.
    int selectedIndex();
    // Clears every selection, then selects and focuses the row (-1 only
    // clears).
    void selectIndex(int index);
    ListView& setTextColor(Color color);
    ListView& setTextBackgroundColor(Color color);
    ListView& setOnItemState(ItemStateEvent handler) {
        onItemState_ = std::move(handler);
        return *this;
    }

protected:
    DWORD windowStyle() const override;
    DWORD windowExStyle() const override;
    void windowMade() override;
    void backgroundChanged() override;
    // The column-width property (LVM_SETCOLUMNWIDTH) is for column 0.
    void writeIntProperty(UINT message, int value) override;
    bool notifyMessage(const NMHDR& header, LRESULT& result) override;

private:
    struct Column {
        std::string caption;
        ColumnAlignment alignment;
        int width;
    };
    // A row added before the window existed.
    struct Row {
        std::vector<std::string> texts;  // one per column
        int imageIndex;
        UINT state;
        LPARAM data;
    };

    void insertColumn(int index, const Column& column);
    int insertRow(int index, const Row& row);
    Row* pendingRow(int index);
    void reportStateChange(int first, int last, UINT oldState, UINT newState);

    View view_;
    std::uint32_t options_;
    std::array<HIMAGELIST, 3> imageLists_;
    Color textColor_ = kWindowTextColor;
    Color textBackground_ = kSystemColor | COLOR_WINDOW;
    ItemStateEvent onItemState_;
    std::vector<Column> columns_;  // every column added, made with the window
    std::vector<Row> pendingRows_;
};

ListView& newListView(Control& parent, ListView::View view, std::uint32_t options, HIMAGELIST large,
                      HIMAGELIST small, HIMAGELIST state);

// --- Dialogs -----------------------------------------------------------------

// The open or save dialog. Option bits (bit: meaning): 0 prompt to create,
// 1 extension differs, 2 file must exist, 3 hide read-only, 4 do not change
// folder, 5 do not follow links, 6 several files, 7 no network button, 8 no
// read-only return, 9 ask before overwriting, 10 path must exist, 11
// read-only, 12 no validation.
//
// The program's texts are code page 1251, so a chosen path must be written
// in it: a path with other characters is given in its short (8.3) form
// when that form converts without loss, and is refused otherwise (execute
// then returns false as on cancel).
class FileDialog : public ToolkitObject {
public:
    static constexpr std::uint32_t kDefaultOptions = 0x060C;
    static constexpr std::size_t kNameBufferSize = 262;
    static constexpr std::size_t kMultipleNameBufferSize = 65520;

    FileDialog(std::string title, std::string initialDirectory, std::uint32_t options);

    // True when the user confirmed; the chosen name is then the result
    // (with several files: their full paths joined by carriage returns).
    // The dialog starts at the previous result; cancel empties it.
    bool execute();

    std::string title;
    std::string initialDirectory;
    std::string filter;  // pairs separated by "|"
    std::uint32_t options;
    bool openDialog = true;  // false: the save dialog
    HWND owner = nullptr;    // nullptr: the application's main form
    std::string result;
};

Ref<FileDialog> newFileDialog(const std::string& title, const std::string& initialDirectory, std::uint32_t options);

class ColorDialog : public ToolkitObject {
public:
    enum Style : int { FullOpen = 0, Normal = 1, FullOpenDisabled = 2 };

    // The 16 custom colours start white.
    explicit ColorDialog(Style style);

    // True when a colour was chosen; it is then the current colour. A
    // second call while the dialog is open returns false at once.
    bool execute();

    Style style;
    Color color = 0;
    std::array<COLORREF, 16> customColors;
    HWND owner = nullptr;

private:
    bool busy_ = false;
};

Ref<ColorDialog> newColorDialog(ColorDialog::Style style);

// The folder dialog. Option bits: 0 computers, 1 printers, 2 not below the
// domain, 3 file-system ancestors, 4 only file-system folders, 5 status
// text, 6 files too, 7 edit box, 8 new dialog style.
// Paths outside code page 1251 are handled as in the file dialog.
class FolderDialog : public ToolkitObject {
public:
    static constexpr std::uint32_t kDefaultOptions = 1U << 4;  // when 0 is given: only file-system folders

    FolderDialog(std::string title, std::uint32_t options);

    // Stores the path the dialog starts at; a bare drive ("c:") gets its
    // backslash.
    void setInitialPath(const std::string& path);
    const std::string& initialPath() const { return initialPath_; }
    // True when confirmed: the chosen folder is then the result; cancel
    // keeps the previous one.
    bool execute();

    std::string title;
    std::uint32_t options;
    bool centreOnScreen = false;
    HWND owner = nullptr;  // nullptr: the application's main form
    std::string result;  // at most MAX_PATH characters

private:
    std::string initialPath_;
};

Ref<FolderDialog> newFolderDialog(const std::string& title, std::uint32_t options);

// The steps of the dialogs that need no window.

// The OFN_ flags of a file dialog's option bits, with the explorer style,
// long names and a resizable dialog always asked for.
DWORD fileDialogFlags(std::uint32_t options);
// The file dialog's list of filters from "description|pattern|...": every
// "|" becomes a NUL and the list ends with two NULs; a description without
// a pattern serves as its own pattern. Empty for an empty text.
std::wstring fileDialogFilter(const std::string& filter);
// The full paths named by a file dialog's name buffer, which holds one
// path, or a folder and then several names, each ended by a NUL.
std::vector<std::wstring> selectedFilePaths(std::wstring_view names);
// The BIF_ flags of a folder dialog's option bits.
UINT folderDialogFlags(std::uint32_t options);
// The path as a program text: as it is when code page 1251 holds it,
// otherwise its short form (or that of its folder, for a file still to be
// made) when that converts without loss; nothing when neither does.
std::optional<std::string> pathAsProgramText(const std::wstring& path);

// --- Message boxes -----------------------------------------------------------

constexpr UINT kStopMessage = MB_TASKMODAL | MB_ICONSTOP;                // 0x2010
constexpr UINT kInformationMessage = MB_TASKMODAL | MB_ICONINFORMATION;  // 0x2040
// Not task-modal: the program's windows stay usable while it is open.
constexpr UINT kNoticeMessage = MB_ICONINFORMATION;  // 0x40
// A question answered with Yes, No or Cancel (IDYES, IDNO, IDCANCEL).
constexpr UINT kQuestionMessage = MB_TASKMODAL | MB_ICONQUESTION | MB_YESNOCANCEL;  // 0x2023

// A message box with the application's caption and no owner window.
int messageBox(const std::string& text, UINT flags);

}  // namespace toolkit
