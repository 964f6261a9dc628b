// The common dialogs (open and save file, colour, folder) and message boxes,
// over the wide Win32 functions.
#include "toolkit/windows/dialogs.h"

#include <windows.h>

#include <commdlg.h>
#include <shlobj.h>

#include <algorithm>

#include "core/code_page.h"
#include "core/object.h"
#include "toolkit/windows/application.h"
#include "toolkit/windows/control.h"
#include "toolkit/windows/message_box.h"

namespace toolkit {

namespace {

// The native flag of each option bit, bit 0 first.
constexpr DWORD kFileDialogFlagOfBit[] = {
    OFN_CREATEPROMPT,       OFN_EXTENSIONDIFFERENT, OFN_FILEMUSTEXIST,   OFN_HIDEREADONLY,     OFN_NOCHANGEDIR,
    OFN_NODEREFERENCELINKS, OFN_ALLOWMULTISELECT,   OFN_NONETWORKBUTTON, OFN_NOREADONLYRETURN, OFN_OVERWRITEPROMPT,
    OFN_PATHMUSTEXIST,      OFN_READONLY,           OFN_NOVALIDATE,
};
constexpr UINT kFolderDialogFlagOfBit[] = {
    BIF_BROWSEFORCOMPUTER, BIF_BROWSEFORPRINTER,   BIF_DONTGOBELOWDOMAIN, BIF_RETURNFSANCESTORS, BIF_RETURNONLYFSDIRS,
    BIF_STATUSTEXT,        BIF_BROWSEINCLUDEFILES, BIF_EDITBOX,           BIF_NEWDIALOGSTYLE,
};

template <class Flag, std::size_t count>
Flag flagsOfBits(std::uint32_t options, const Flag (&flagOfBit)[count]) {
    Flag flags = 0;
    for (std::size_t bit = 0; bit < count; ++bit)
        if ((options & (1U << bit)) != 0) flags |= flagOfBit[bit];
    return flags;
}

// The window a dialog without an owner of its own belongs to.
HWND mainFormWindow() {
    const Application* application = Application::current();
    if (application == nullptr || application->mainForm() == nullptr) return nullptr;
    return application->mainForm()->handle();
}

std::optional<std::string> losslessText(const std::wstring& text) {
    if (text.empty()) return std::nullopt;
    return core::fromWideExactly(text);
}

// The short form of an existing path, or nothing when the system has none.
std::wstring shortPath(const std::wstring& path) {
    std::wstring shortened(MAX_PATH, L'\0');
    DWORD length = GetShortPathNameW(path.c_str(), shortened.data(), MAX_PATH);
    if (length >= MAX_PATH) {
        shortened.resize(length);
        length = GetShortPathNameW(path.c_str(), shortened.data(), length);
    }
    if (length == 0 || length >= shortened.size()) return {};
    shortened.resize(length);
    return shortened;
}

// What the folder dialog does once its window is up. The selection of the
// initial path can be lost while the dialog fills its tree; until some
// selection has been made (by that request or by the user) it is asked
// for again a few times.
struct FolderDialogStart {
    bool centreOnScreen;
    std::wstring initialPath;
    bool selectionMade = false;
    int selectionRequests = 0;
};

constexpr wchar_t kFolderStartProperty[] = L"Skirvane.FolderDialogStart";
constexpr UINT_PTR kReselectTimer = 1;
constexpr UINT kReselectPeriod = 100;  // milliseconds
constexpr int kMostSelectionRequests = 10;

void requestInitialSelection(HWND dialog, FolderDialogStart& start) {
    ++start.selectionRequests;
    SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(start.initialPath.c_str()));
}

void CALLBACK reselectInitialPath(HWND dialog, UINT, UINT_PTR timer, DWORD) {
    auto* start = static_cast<FolderDialogStart*>(GetPropW(dialog, kFolderStartProperty));
    if (start == nullptr || start->selectionMade || start->selectionRequests >= kMostSelectionRequests) {
        KillTimer(dialog, timer);
        RemovePropW(dialog, kFolderStartProperty);
        return;
    }
    requestInitialSelection(dialog, *start);
}

int CALLBACK folderDialogEvent(HWND dialog, UINT message, LPARAM, LPARAM data) {
    auto& start = *reinterpret_cast<FolderDialogStart*>(data);
    if (message == BFFM_SELCHANGED) start.selectionMade = true;
    if (message != BFFM_INITIALIZED) return 0;
    if (start.centreOnScreen) {
        RECT bounds;
        GetWindowRect(dialog, &bounds);
        const int width = bounds.right - bounds.left;
        const int height = bounds.bottom - bounds.top;
        SetWindowPos(dialog, nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                     (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    }
    if (!start.initialPath.empty()) {
        requestInitialSelection(dialog, start);
        SetPropW(dialog, kFolderStartProperty, &start);
        SetTimer(dialog, kReselectTimer, kReselectPeriod, &reselectInitialPath);
    }
    return 0;
}

// Keeps COM (which the folder dialog needs) initialised for one scope.
class OleScope {
public:
    OleScope() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleScope() {
        if (initialised_) OleUninitialize();
    }
    OleScope(const OleScope&) = delete;
    OleScope& operator=(const OleScope&) = delete;

private:
    bool initialised_;
};

}  // namespace

// --- Steps without a window --------------------------------------------------

DWORD fileDialogFlags(std::uint32_t options) {
    return flagsOfBits(options, kFileDialogFlagOfBit) | OFN_EXPLORER | OFN_LONGNAMES | OFN_ENABLESIZING;
}

std::wstring fileDialogFilter(const std::string& filter) {
    if (filter.empty()) return {};
    std::wstring list = core::toWide(filter);
    // A last description without a pattern is used as its own pattern.
    if (std::count(list.begin(), list.end(), L'|') % 2 == 0) list += L'|' + list.substr(list.rfind(L'|') + 1);
    std::replace(list.begin(), list.end(), L'|', L'\0');
    list.append(2, L'\0');
    return list;
}

std::vector<std::wstring> selectedFilePaths(std::wstring_view names) {
    std::vector<std::wstring> parts;
    while (!names.empty() && names.front() != L'\0') {
        const std::size_t end = std::min(names.find(L'\0'), names.size());
        parts.emplace_back(names.substr(0, end));
        names.remove_prefix(std::min(end + 1, names.size()));
    }
    if (parts.size() <= 1) return parts;
    std::wstring folder = parts.front();
    if (folder.back() != L'\\') folder += L'\\';
    std::vector<std::wstring> paths;
    for (auto name = parts.begin() + 1; name != parts.end(); ++name) paths.push_back(folder + *name);
    return paths;
}

UINT folderDialogFlags(std::uint32_t options) { return flagsOfBits(options, kFolderDialogFlagOfBit); }

std::optional<std::string> pathAsProgramText(const std::wstring& path) {
    if (auto text = losslessText(path)) return text;
    if (auto text = losslessText(shortPath(path))) return text;
    // A file still to be made has no short form, but its folder may have.
    const std::size_t slash = path.find_last_of(L'\\');
    if (slash == std::wstring::npos) return std::nullopt;
    const auto folder = losslessText(shortPath(path.substr(0, slash + 1)));
    const auto name = losslessText(path.substr(slash + 1));
    if (!folder || !name) return std::nullopt;
    return *folder + (folder->back() == '\\' ? "" : "\\") + *name;
}

// --- File dialog -------------------------------------------------------------

FileDialog::FileDialog(std::string dialogTitle, std::string startFolder, std::uint32_t optionBits)
    : title(std::move(dialogTitle)),
      initialDirectory(std::move(startFolder)),
      options(optionBits == 0 ? kDefaultOptions : optionBits) {}

bool FileDialog::execute() {
    const DWORD flags = fileDialogFlags(options);
    const bool several = (flags & OFN_ALLOWMULTISELECT) != 0;
    std::wstring names(several ? kMultipleNameBufferSize : kNameBufferSize, L'\0');
    // A list of several names is no name to start at.
    const std::wstring previous = core::toWide(result);
    if (previous.size() < names.size() && previous.find(L'\r') == std::wstring::npos)
        std::copy(previous.begin(), previous.end(), names.begin());
    result.clear();

    const std::wstring filterList = fileDialogFilter(filter);
    const std::wstring wideTitle = core::toWide(title);
    const std::wstring wideDirectory = core::toWide(initialDirectory);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner != nullptr ? owner : mainFormWindow();
    dialog.lpstrFilter = filterList.empty() ? nullptr : filterList.c_str();
    dialog.lpstrFile = names.data();
    dialog.nMaxFile = static_cast<DWORD>(names.size());
    dialog.lpstrTitle = wideTitle.empty() ? nullptr : wideTitle.c_str();
    dialog.lpstrInitialDir = wideDirectory.empty() ? nullptr : wideDirectory.c_str();
    dialog.Flags = flags;
    const BOOL confirmed = openDialog ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
    if (!confirmed) return false;

    // Only a list of several names ends with two NULs: after a single name
    // may lie what is left of the longer name the dialog started with.
    const bool list = several && dialog.nFileOffset > 0 && names[dialog.nFileOffset - 1] == L'\0';
    std::string chosen;
    for (const std::wstring& path : selectedFilePaths(list ? std::wstring_view(names) : names.c_str())) {
        const auto text = pathAsProgramText(path);
        if (!text) return false;
        if (!chosen.empty()) chosen += '\r';
        chosen += *text;
    }
    result = std::move(chosen);
    return !result.empty();
}

core::Ref<FileDialog> newFileDialog(const std::string& title, const std::string& initialDirectory,
                                    std::uint32_t options) {
    return core::create<FileDialog>(title, initialDirectory, options);
}

// --- Colour dialog -----------------------------------------------------------

ColorDialog::ColorDialog(Style dialogStyle) : style(dialogStyle) { customColors.fill(0xFFFFFF); }

bool ColorDialog::execute() {
    if (busy_) return false;
    busy_ = true;
    CHOOSECOLORW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.rgbResult = resolveColor(color);
    dialog.lpCustColors = customColors.data();
    dialog.Flags = CC_RGBINIT;
    if (style == FullOpen) dialog.Flags |= CC_FULLOPEN;
    if (style == FullOpenDisabled) dialog.Flags |= CC_PREVENTFULLOPEN;
    const bool chosen = ChooseColorW(&dialog) != FALSE;
    busy_ = false;
    if (chosen) color = dialog.rgbResult;
    return chosen;
}

core::Ref<ColorDialog> newColorDialog(ColorDialog::Style style) { return core::create<ColorDialog>(style); }

// --- Folder dialog -----------------------------------------------------------

FolderDialog::FolderDialog(std::string dialogTitle, std::uint32_t optionBits)
    : title(std::move(dialogTitle)), options(optionBits == 0 ? kDefaultOptions : optionBits) {}

void FolderDialog::setInitialPath(const std::string& path) {
    initialPath_ = path;
    if (!initialPath_.empty() && initialPath_.back() == ':') initialPath_ += '\\';
}

bool FolderDialog::execute() {
    const OleScope ole;
    FolderDialogStart start{centreOnScreen, core::toWide(initialPath_)};
    const std::wstring wideTitle = core::toWide(title);
    BROWSEINFOW dialog{};
    dialog.hwndOwner = owner != nullptr ? owner : mainFormWindow();
    dialog.lpszTitle = wideTitle.c_str();
    dialog.ulFlags = folderDialogFlags(options);
    dialog.lpfn = &folderDialogEvent;
    dialog.lParam = reinterpret_cast<LPARAM>(&start);
    PIDLIST_ABSOLUTE item = SHBrowseForFolderW(&dialog);
    if (item == nullptr) return false;

    wchar_t path[MAX_PATH] = L"";
    const bool isFolder = SHGetPathFromIDListW(item, path) != FALSE;
    CoTaskMemFree(item);
    if (!isFolder) return false;
    const auto text = pathAsProgramText(path);
    if (!text) return false;
    result = *text;
    return true;
}

core::Ref<FolderDialog> newFolderDialog(const std::string& title, std::uint32_t options) {
    return core::create<FolderDialog>(title, options);
}

}  // namespace toolkit
