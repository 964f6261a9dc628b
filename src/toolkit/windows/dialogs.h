// The common dialogs: open and save file, colour, folder; and the steps of
// them that need no window.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/object.h"
#include "toolkit/windows/control.h"

namespace toolkit {

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
class FileDialog : public core::ToolkitObject {
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

core::Ref<FileDialog> newFileDialog(const std::string& title, const std::string& initialDirectory,
                                    std::uint32_t options);

class ColorDialog : public core::ToolkitObject {
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

core::Ref<ColorDialog> newColorDialog(ColorDialog::Style style);

// The folder dialog. Option bits: 0 computers, 1 printers, 2 not below the
// domain, 3 file-system ancestors, 4 only file-system folders, 5 status
// text, 6 files too, 7 edit box, 8 new dialog style.
// Paths outside code page 1251 are handled as in the file dialog.
class FolderDialog : public core::ToolkitObject {
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

core::Ref<FolderDialog> newFolderDialog(const std::string& title, std::uint32_t options);

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

}  // namespace toolkit
