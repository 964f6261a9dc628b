#include <windows.h>

#include <commctrl.h>
#include <commdlg.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/code_page.h"
#include "core/object.h"
#include "temp_folder.h"
#include "toolkit/windows/application.h"
#include "toolkit/windows/dialogs.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/message_box.h"
#include "ui_driver.h"

namespace {

using namespace toolkit;
using test_support::TempFolder;
namespace fs = std::filesystem;

constexpr int kAnswerTimeout = 15000;
constexpr int kRescueTimeout = 25000;
constexpr int kFileNameId = 0x47C;  // cmb13 (or edt1) of the explorer-style file dialog
constexpr int kFileTypeId = 0x470;  // cmb1
constexpr int kLookInId = 0x471;    // cmb2
constexpr int kMessageTextId = 0xFFFF;
// Names that code page 1251 cannot hold ("Chinese", "model").
constexpr wchar_t kChineseFolder[] = L"\u4e2d\u6587";
constexpr wchar_t kChineseFile[] = L"\u6a21\u578b.4ds";

std::vector<HWND> threadDialogs() {
    std::vector<HWND> dialogs;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM data) -> BOOL {
            if (IsWindowVisible(window) && ui_driver::className(window) == L"#32770")
                reinterpret_cast<std::vector<HWND>*>(data)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

// The dialog this thread shows, whatever its caption.
HWND shownDialog() {
    const std::vector<HWND> dialogs = threadDialogs();
    return dialogs.empty() ? nullptr : dialogs.front();
}

std::function<HWND()> dialogTitled(const std::string& title) {
    return [caption = core::toWide(title)] { return ui_driver::findTopLevel(caption, L"#32770"); };
}

// Plays the user of one dialog: `answer` runs with the dialog once `find`
// gives it. Should the dialog never come, or stay open after the answer,
// every dialog of the thread is cancelled so that the call under test
// returns, and the test fails.
class User {
public:
    User(std::function<HWND()> find, std::function<void(HWND)> answer)
        : answerer_(std::move(find), std::move(answer), kAnswerTimeout),
          rescueAt_(GetTickCount() + kRescueTimeout),
          rescuer_(SetTimer(nullptr, 0, 100, &User::rescue)) {
        active_ = this;
    }
    ~User() {
        KillTimer(nullptr, rescuer_);
        active_ = nullptr;
        EXPECT_TRUE(answerer_.answered()) << "the dialog never appeared";
        EXPECT_FALSE(rescued_) << "the dialog stayed open after the answer";
    }
    User(const User&) = delete;
    User& operator=(const User&) = delete;

private:
    static void CALLBACK rescue(HWND, UINT, UINT_PTR, DWORD) {
        if (active_ == nullptr || static_cast<LONG>(GetTickCount() - active_->rescueAt_) < 0) return;
        active_->rescued_ = true;
        for (HWND dialog : threadDialogs()) PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }

    static inline User* active_ = nullptr;
    ui_driver::DialogAnswerer answerer_;
    DWORD rescueAt_;
    UINT_PTR rescuer_;
    bool rescued_ = false;
};

// The edit of the file dialog's name box.
HWND fileNameEdit(HWND dialog) {
    HWND box = GetDlgItem(dialog, kFileNameId);
    if (box == nullptr || ui_driver::className(box) == L"Edit") return box;
    return ui_driver::findDescendant(box, L"Edit");
}

void typeAndConfirm(HWND dialog, const std::wstring& name) {
    SetWindowTextW(fileNameEdit(dialog), name.c_str());
    ui_driver::pressButton(dialog, IDOK);
}

std::vector<std::string> comboItems(HWND combo) {
    std::vector<std::string> items;
    const LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        std::wstring item(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)), L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(item.data()));
        items.push_back(core::fromWide(item));
    }
    return items;
}

void makeFile(const fs::path& path) { std::ofstream(path) << "model"; }

std::string programText(const fs::path& path) { return core::fromWide(path.wstring()); }

// The dialogs change the current folder; each test gets it back so that
// its temporary folder can be removed.
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override { GetCurrentDirectoryW(MAX_PATH, startFolder_); }
    void TearDown() override { SetCurrentDirectoryW(startFolder_); }

    Form& shownMainForm() {
        Form& form = newForm(*app_, "Главное окно");
        form.setVisible(true);
        ui_driver::pumpMessages(50);
        return form;
    }

    core::Ref<Application> app_ = newApplication("Skirvane");
    TempFolder folder_;

private:
    wchar_t startFolder_[MAX_PATH] = L"";
};

// --- File dialog -------------------------------------------------------------

using FileDialogTest = DialogTest;

TEST_F(FileDialogTest, OptionBitsGiveTheirNativeFlags) {
    const DWORD always = OFN_EXPLORER | OFN_LONGNAMES | OFN_ENABLESIZING;
    const DWORD flagOfBit[] = {OFN_CREATEPROMPT,     OFN_EXTENSIONDIFFERENT, OFN_FILEMUSTEXIST,    OFN_HIDEREADONLY,
                               OFN_NOCHANGEDIR,      OFN_NODEREFERENCELINKS, OFN_ALLOWMULTISELECT, OFN_NONETWORKBUTTON,
                               OFN_NOREADONLYRETURN, OFN_OVERWRITEPROMPT,    OFN_PATHMUSTEXIST,    OFN_READONLY,
                               OFN_NOVALIDATE};
    for (std::uint32_t bit = 0; bit < std::size(flagOfBit); ++bit)
        EXPECT_EQ(fileDialogFlags(1U << bit), flagOfBit[bit] | always) << "bit " << bit;
    EXPECT_EQ(fileDialogFlags(0), always);
    EXPECT_EQ(fileDialogFlags(1U << 13), always) << "bits above 12 mean nothing";
}

TEST_F(FileDialogTest, NoOptionsMeanTheDefaultSet) {
    core::Ref<FileDialog> dialog = newFileDialog("", "", 0);
    EXPECT_EQ(fileDialogFlags(dialog->options), OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT |
                                                    OFN_PATHMUSTEXIST | OFN_EXPLORER | OFN_LONGNAMES |
                                                    OFN_ENABLESIZING);
    EXPECT_TRUE(dialog->openDialog);
    EXPECT_EQ(newFileDialog("", "", 1U << 6)->options, 1U << 6);
}

TEST_F(FileDialogTest, FilterBecomesAListOfNulEndedTextsEndingWithTwoNuls) {
    EXPECT_EQ(fileDialogFilter("*.4ds|*.4ds"), std::wstring(L"*.4ds\0*.4ds\0\0", 13));
    EXPECT_EQ(fileDialogFilter("Модели|*.4ds|Все|*.*"), std::wstring(L"Модели\0*.4ds\0Все\0*.*\0\0", 22));
    EXPECT_EQ(fileDialogFilter(""), L"");
}

TEST_F(FileDialogTest, FilterDescriptionWithoutPatternIsItsOwnPattern) {
    EXPECT_EQ(fileDialogFilter("*.4ds"), std::wstring(L"*.4ds\0*.4ds\0\0", 13));
    EXPECT_EQ(fileDialogFilter("Модели|*.4ds|*.*"), std::wstring(L"Модели\0*.4ds\0*.*\0*.*\0\0", 22));
}

TEST_F(FileDialogTest, NameBufferGivesOneFullPathPerChosenFile) {
    EXPECT_EQ(selectedFilePaths(std::wstring_view(L"C:\\models\\a.4ds\0", 16)),
              std::vector<std::wstring>{L"C:\\models\\a.4ds"});
    EXPECT_EQ(selectedFilePaths(std::wstring_view(L"C:\\models\0a.4ds\0b.4ds\0\0", 23)),
              (std::vector<std::wstring>{L"C:\\models\\a.4ds", L"C:\\models\\b.4ds"}));
    EXPECT_EQ(selectedFilePaths(std::wstring_view(L"C:\\\0a.4ds\0b.4ds\0\0", 17)),
              (std::vector<std::wstring>{L"C:\\a.4ds", L"C:\\b.4ds"}));
    EXPECT_TRUE(selectedFilePaths(std::wstring_view(L"\0\0", 2)).empty());
}

TEST_F(FileDialogTest, OpenGivesTheTypedPathAndStartsThereNextTime) {
    const fs::path model = folder_.path() / L"модель.4ds";
    makeFile(model);
    core::Ref<FileDialog> dialog = newFileDialog("Открыть модель", "", 0);
    dialog->filter = "*.4ds|*.4ds";
    {
        User user(dialogTitled("Открыть модель"), [&](HWND window) { typeAndConfirm(window, model.wstring()); });
        EXPECT_TRUE(dialog->execute());
    }
    EXPECT_EQ(dialog->result, programText(model));

    std::string shownName;
    {
        User user(dialogTitled("Открыть модель"), [&](HWND window) {
            shownName = ui_driver::windowText(fileNameEdit(window));
            ui_driver::pressButton(window, IDOK);
        });
        EXPECT_TRUE(dialog->execute());
    }
    EXPECT_NE(shownName.find("модель.4ds"), std::string::npos) << shownName;
    EXPECT_EQ(dialog->result, programText(model));
}

TEST_F(FileDialogTest, ShorterNameAfterALongerOneComesBackAlone) {
    const fs::path longName = folder_.path() / L"a model with a rather long name.4ds";
    const fs::path shortName = folder_.path() / L"b.4ds";
    makeFile(longName);
    makeFile(shortName);
    core::Ref<FileDialog> dialog = newFileDialog("Открыть", "", 0);
    dialog->result = programText(longName);
    User user(dialogTitled("Открыть"), [&](HWND window) { typeAndConfirm(window, shortName.wstring()); });
    EXPECT_TRUE(dialog->execute());
    EXPECT_EQ(dialog->result, programText(shortName));
}

TEST_F(FileDialogTest, SaveGivesTheTypedNewName) {
    const fs::path target = folder_.path() / L"новая.4ds";
    core::Ref<FileDialog> dialog = newFileDialog("Сохранить как", "", 0);
    dialog->openDialog = false;
    User user(dialogTitled("Сохранить как"), [&](HWND window) { typeAndConfirm(window, target.wstring()); });
    EXPECT_TRUE(dialog->execute());
    EXPECT_EQ(dialog->result, programText(target));
    EXPECT_FALSE(fs::exists(target)) << "the dialog only names the file";
}

TEST_F(FileDialogTest, CancelEmptiesTheResult) {
    core::Ref<FileDialog> dialog = newFileDialog("Открыть", "", 0);
    dialog->result = programText(folder_.path() / L"old.4ds");
    User user(dialogTitled("Открыть"), [](HWND window) { ui_driver::pressButton(window, IDCANCEL); });
    EXPECT_FALSE(dialog->execute());
    EXPECT_EQ(dialog->result, "");
}

TEST_F(FileDialogTest, ShowsItsTitleFilterAndInitialFolder) {
    const fs::path start = folder_.path() / L"Модели";
    fs::create_directory(start);
    core::Ref<FileDialog> dialog = newFileDialog("Выбор модели", programText(start), 0);
    dialog->filter = "Модели (*.4ds)|*.4ds|Все файлы|*.*";
    std::vector<std::string> types;
    std::string lookIn;
    User user(shownDialog, [&](HWND window) {
        EXPECT_EQ(ui_driver::windowText(window), "Выбор модели");
        types = comboItems(GetDlgItem(window, kFileTypeId));
        lookIn = ui_driver::windowText(GetDlgItem(window, kLookInId));
        ui_driver::pressButton(window, IDCANCEL);
    });
    EXPECT_FALSE(dialog->execute());
    EXPECT_EQ(types, (std::vector<std::string>{"Модели (*.4ds)", "Все файлы"}));
    EXPECT_EQ(lookIn, "Модели");
}

TEST_F(FileDialogTest, BelongsToTheMainFormUnlessGivenAnOwner) {
    Form& mainForm = shownMainForm();
    Form& other = newForm(*app_, "Другое окно");
    other.setVisible(true);
    core::Ref<FileDialog> dialog = newFileDialog("Открыть", "", 0);
    HWND owner = nullptr;
    {
        User user(dialogTitled("Открыть"), [&](HWND window) {
            owner = GetWindow(window, GW_OWNER);
            ui_driver::pressButton(window, IDCANCEL);
        });
        dialog->execute();
    }
    EXPECT_EQ(owner, mainForm.handle());

    dialog->owner = other.handle();
    {
        User user(dialogTitled("Открыть"), [&](HWND window) {
            owner = GetWindow(window, GW_OWNER);
            ui_driver::pressButton(window, IDCANCEL);
        });
        dialog->execute();
    }
    EXPECT_EQ(owner, other.handle());
}

TEST_F(FileDialogTest, SeveralChosenFilesComeBackAsFullPathsOnePerLine) {
    makeFile(folder_.path() / L"a.4ds");
    makeFile(folder_.path() / L"б.4ds");
    core::Ref<FileDialog> dialog = newFileDialog("Открыть", programText(folder_.path()), 0x060C | (1U << 6));
    User user(dialogTitled("Открыть"), [](HWND window) { typeAndConfirm(window, L"\"a.4ds\" \"б.4ds\""); });
    EXPECT_TRUE(dialog->execute());
    EXPECT_EQ(dialog->result, programText(folder_.path() / L"a.4ds") + "\r" + programText(folder_.path() / L"б.4ds"));
}

TEST_F(FileDialogTest, ChosenFileOutsideTheCodePageComesInItsShortForm) {
    const fs::path chinese = folder_.path() / kChineseFolder;
    fs::create_directory(chinese);
    const fs::path model = chinese / kChineseFile;
    makeFile(model);
    core::Ref<FileDialog> dialog = newFileDialog("Открыть", "", 0);
    User user(dialogTitled("Открыть"), [&](HWND window) { typeAndConfirm(window, model.wstring()); });
    ASSERT_TRUE(dialog->execute());
    EXPECT_EQ(dialog->result.find('?'), std::string::npos) << dialog->result;
    std::error_code error;
    EXPECT_TRUE(fs::equivalent(fs::path(core::toWide(dialog->result)), model, error)) << dialog->result;
}

TEST_F(FileDialogTest, NewFileInAFolderOutsideTheCodePageKeepsItsNameAfterTheShortFolder) {
    const fs::path chinese = folder_.path() / kChineseFolder;
    fs::create_directory(chinese);
    core::Ref<FileDialog> dialog = newFileDialog("Сохранить", "", 0);
    dialog->openDialog = false;
    User user(dialogTitled("Сохранить"),
              [&](HWND window) { typeAndConfirm(window, (chinese / L"новая.4ds").wstring()); });
    ASSERT_TRUE(dialog->execute());
    const fs::path chosen(core::toWide(dialog->result));
    EXPECT_EQ(chosen.filename().wstring(), L"новая.4ds");
    std::error_code error;
    EXPECT_TRUE(fs::equivalent(chosen.parent_path(), chinese, error)) << dialog->result;
}

TEST_F(FileDialogTest, NewNameOutsideTheCodePageIsRefused) {
    core::Ref<FileDialog> dialog = newFileDialog("Сохранить", "", 0);
    dialog->openDialog = false;
    const fs::path target = folder_.path() / kChineseFile;
    User user(dialogTitled("Сохранить"), [&](HWND window) { typeAndConfirm(window, target.wstring()); });
    EXPECT_FALSE(dialog->execute());
    EXPECT_EQ(dialog->result, "");
}

// --- Colour dialog -----------------------------------------------------------

constexpr int kRedEdit = 706;  // COLOR_RED, then green and blue
constexpr int kAddCustomButton = 712;
constexpr int kDefineCustomButton = 719;
constexpr int kCustomColours = 721;

void typeColour(HWND dialog, int red, int green, int blue) {
    SetDlgItemInt(dialog, kRedEdit, static_cast<UINT>(red), FALSE);
    SetDlgItemInt(dialog, kRedEdit + 1, static_cast<UINT>(green), FALSE);
    SetDlgItemInt(dialog, kRedEdit + 2, static_cast<UINT>(blue), FALSE);
}

std::string editText(HWND dialog, int id) { return ui_driver::windowText(GetDlgItem(dialog, id)); }

// Clicks the first of the custom colours, which makes it the dialog's colour.
void clickFirstCustomColour(HWND dialog) {
    RECT area;
    GetWindowRect(GetDlgItem(dialog, kCustomColours), &area);
    POINT point{area.left + 5, area.top + 5};
    ScreenToClient(dialog, &point);
    SendMessageW(dialog, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    SendMessageW(dialog, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
}

using ColorDialogTest = DialogTest;

TEST_F(ColorDialogTest, PresetColourIsShownAndComesBackOnOk) {
    core::Ref<ColorDialog> dialog = newColorDialog(ColorDialog::FullOpen);
    dialog->color = RGB(0x12, 0x34, 0x56);
    std::vector<std::string> shown;
    User user(shownDialog, [&](HWND window) {
        shown = {editText(window, kRedEdit), editText(window, kRedEdit + 1), editText(window, kRedEdit + 2)};
        ui_driver::pressButton(window, IDOK);
    });
    EXPECT_TRUE(dialog->execute());
    EXPECT_EQ(shown, (std::vector<std::string>{"18", "52", "86"}));
    EXPECT_EQ(dialog->color, RGB(0x12, 0x34, 0x56));
}

TEST_F(ColorDialogTest, ChosenColourReplacesTheColour) {
    core::Ref<ColorDialog> dialog = newColorDialog(ColorDialog::FullOpen);
    dialog->color = RGB(1, 2, 3);
    User user(shownDialog, [](HWND window) {
        typeColour(window, 200, 100, 50);
        ui_driver::pressButton(window, IDOK);
    });
    EXPECT_TRUE(dialog->execute());
    EXPECT_EQ(dialog->color, RGB(200, 100, 50));
}

TEST_F(ColorDialogTest, CancelKeepsTheColour) {
    core::Ref<ColorDialog> dialog = newColorDialog(ColorDialog::FullOpen);
    dialog->color = RGB(1, 2, 3);
    User user(shownDialog, [](HWND window) {
        typeColour(window, 200, 100, 50);
        ui_driver::pressButton(window, IDCANCEL);
    });
    EXPECT_FALSE(dialog->execute());
    EXPECT_EQ(dialog->color, RGB(1, 2, 3));
}

TEST_F(ColorDialogTest, SecondExecuteWhileOpenReturnsAtOnce) {
    core::Ref<ColorDialog> dialog = newColorDialog(ColorDialog::FullOpen);
    bool secondResult = true;
    std::size_t dialogsDuring = 0;
    User user(shownDialog, [&](HWND window) {
        secondResult = dialog->execute();
        dialogsDuring = threadDialogs().size();
        ui_driver::pressButton(window, IDCANCEL);
    });
    EXPECT_FALSE(dialog->execute());
    EXPECT_FALSE(secondResult);
    EXPECT_EQ(dialogsDuring, 1U);

    User again(shownDialog, [](HWND window) { ui_driver::pressButton(window, IDOK); });
    EXPECT_TRUE(dialog->execute()) << "the dialog opens again once closed";
}

TEST_F(ColorDialogTest, CustomColoursStartWhiteAndPersistBetweenCalls) {
    core::Ref<ColorDialog> dialog = newColorDialog(ColorDialog::FullOpen);
    for (COLORREF custom : dialog->customColors) EXPECT_EQ(custom, 0xFFFFFFU);
    {
        User user(shownDialog, [](HWND window) {
            typeColour(window, 10, 20, 30);
            ui_driver::pressButton(window, kAddCustomButton);
            ui_driver::pressButton(window, IDCANCEL);
        });
        EXPECT_FALSE(dialog->execute());
    }
    EXPECT_EQ(dialog->customColors[0], RGB(10, 20, 30));
    EXPECT_EQ(dialog->color, 0U);
    {
        User user(shownDialog, [](HWND window) {
            clickFirstCustomColour(window);
            ui_driver::pressButton(window, IDOK);
        });
        EXPECT_TRUE(dialog->execute());
    }
    EXPECT_EQ(dialog->color, RGB(10, 20, 30));
}

TEST_F(ColorDialogTest, StyleDecidesTheCustomColourPart) {
    struct Look {
        int width;
        bool canDefine;
    };
    auto lookOf = [](ColorDialog::Style style) {
        core::Ref<ColorDialog> dialog = newColorDialog(style);
        Look look{};
        User user(shownDialog, [&](HWND window) {
            RECT bounds;
            GetWindowRect(window, &bounds);
            look = {bounds.right - bounds.left, IsWindowEnabled(GetDlgItem(window, kDefineCustomButton)) != FALSE};
            ui_driver::pressButton(window, IDCANCEL);
        });
        dialog->execute();
        return look;
    };
    const Look full = lookOf(ColorDialog::FullOpen);
    const Look normal = lookOf(ColorDialog::Normal);
    const Look disabled = lookOf(ColorDialog::FullOpenDisabled);
    EXPECT_GT(full.width, normal.width);
    EXPECT_EQ(disabled.width, normal.width);
    EXPECT_TRUE(normal.canDefine);
    EXPECT_FALSE(disabled.canDefine);
}

TEST_F(ColorDialogTest, HasNoOwnerEvenWithAMainForm) {
    shownMainForm();
    core::Ref<ColorDialog> dialog = newColorDialog(ColorDialog::FullOpen);
    HWND owner = reinterpret_cast<HWND>(1);
    User user(shownDialog, [&](HWND window) {
        owner = GetWindow(window, GW_OWNER);
        ui_driver::pressButton(window, IDCANCEL);
    });
    dialog->execute();
    EXPECT_EQ(owner, nullptr);
}

// --- Folder dialog -----------------------------------------------------------

constexpr char kFolderTitle[] = "Выберите папку с изображениями\r[ для вьювера ]";

std::string selectedTreeItem(HWND dialog) {
    HWND tree = ui_driver::findDescendant(dialog, WC_TREEVIEWW);
    wchar_t text[MAX_PATH] = L"";
    TVITEMW item{};
    item.mask = TVIF_TEXT;
    item.hItem = reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    return core::fromWide(text);
}

using FolderDialogTest = DialogTest;

TEST_F(FolderDialogTest, OptionBitsGiveTheirNativeFlags) {
    const UINT flagOfBit[] = {BIF_BROWSEFORCOMPUTER,  BIF_BROWSEFORPRINTER, BIF_DONTGOBELOWDOMAIN,
                              BIF_RETURNFSANCESTORS,  BIF_RETURNONLYFSDIRS, BIF_STATUSTEXT,
                              BIF_BROWSEINCLUDEFILES, BIF_EDITBOX,          BIF_NEWDIALOGSTYLE};
    for (std::uint32_t bit = 0; bit < std::size(flagOfBit); ++bit)
        EXPECT_EQ(folderDialogFlags(1U << bit), flagOfBit[bit]) << "bit " << bit;
    EXPECT_EQ(folderDialogFlags(newFolderDialog("", 0)->options), UINT{BIF_RETURNONLYFSDIRS});
    EXPECT_EQ(folderDialogFlags(newFolderDialog("", 0x0008)->options), UINT{BIF_RETURNFSANCESTORS});
}

TEST_F(FolderDialogTest, BareDriveGetsItsBackslash) {
    core::Ref<FolderDialog> dialog = newFolderDialog("", 0);
    dialog->setInitialPath("z:");
    EXPECT_EQ(dialog->initialPath(), "z:\\");
    dialog->setInitialPath("z:\\");
    EXPECT_EQ(dialog->initialPath(), "z:\\");
    dialog->setInitialPath("C:\\Текстуры");
    EXPECT_EQ(dialog->initialPath(), "C:\\Текстуры");
    dialog->setInitialPath("");
    EXPECT_EQ(dialog->initialPath(), "");
}

TEST_F(FolderDialogTest, StartsAtTheInitialPathAndOkGivesIt) {
    const fs::path textures = folder_.path() / L"Текстуры";
    fs::create_directory(textures);
    core::Ref<FolderDialog> dialog = newFolderDialog(kFolderTitle, 0x0008);
    dialog->setInitialPath(programText(textures));
    std::string selected;
    std::string instruction;
    User user(shownDialog, [&](HWND window) {
        // What the user sees once the dialog has filled its tree.
        ui_driver::waitFor([&] { return selectedTreeItem(window) == "Текстуры" ? window : nullptr; }, 3000);
        selected = selectedTreeItem(window);
        instruction = ui_driver::windowText(ui_driver::findDescendant(window, L"Static"));
        ui_driver::pressButton(window, IDOK);
    });
    EXPECT_TRUE(dialog->execute());
    EXPECT_EQ(selected, "Текстуры");
    EXPECT_EQ(instruction, kFolderTitle);
    EXPECT_EQ(dialog->result, programText(textures));
}

TEST_F(FolderDialogTest, BareDriveStartsAtItsRoot) {
    core::Ref<FolderDialog> dialog = newFolderDialog(kFolderTitle, 0x0008);
    dialog->setInitialPath("C:");
    User user(shownDialog, [](HWND window) { ui_driver::pressButton(window, IDOK); });
    EXPECT_TRUE(dialog->execute());
    EXPECT_EQ(dialog->result, "C:\\");
}

TEST_F(FolderDialogTest, CancelKeepsThePreviousResult) {
    core::Ref<FolderDialog> dialog = newFolderDialog(kFolderTitle, 0x0008);
    dialog->result = "C:\\Текстуры";
    dialog->setInitialPath(programText(folder_.path()));
    User user(shownDialog, [](HWND window) { ui_driver::pressButton(window, IDCANCEL); });
    EXPECT_FALSE(dialog->execute());
    EXPECT_EQ(dialog->result, "C:\\Текстуры");
}

TEST_F(FolderDialogTest, CentreOnScreenPlacesItInTheMiddle) {
    core::Ref<FolderDialog> dialog = newFolderDialog(kFolderTitle, 0x0008);
    dialog->centreOnScreen = true;
    POINT middle{};
    User user(shownDialog, [&](HWND window) {
        RECT bounds;
        GetWindowRect(window, &bounds);
        middle = {(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
        ui_driver::pressButton(window, IDCANCEL);
    });
    dialog->execute();
    EXPECT_NEAR(middle.x, GetSystemMetrics(SM_CXSCREEN) / 2, 2);
    EXPECT_NEAR(middle.y, GetSystemMetrics(SM_CYSCREEN) / 2, 2);
}

TEST_F(FolderDialogTest, BelongsToTheMainForm) {
    Form& mainForm = shownMainForm();
    core::Ref<FolderDialog> dialog = newFolderDialog(kFolderTitle, 0x0008);
    HWND owner = nullptr;
    User user(shownDialog, [&](HWND window) {
        owner = GetWindow(window, GW_OWNER);
        ui_driver::pressButton(window, IDCANCEL);
    });
    dialog->execute();
    EXPECT_EQ(owner, mainForm.handle());
}

TEST_F(FolderDialogTest, FolderOutsideTheCodePageComesInItsShortForm) {
    const fs::path chinese = folder_.path() / kChineseFolder;
    fs::create_directory(chinese);
    core::Ref<FolderDialog> dialog = newFolderDialog(kFolderTitle, 0x0008);
    // The start path is a program text too, so the folder is reached
    // through its short form.
    const auto start = pathAsProgramText(chinese.wstring());
    ASSERT_TRUE(start.has_value());
    dialog->setInitialPath(*start);
    User user(shownDialog, [](HWND window) { ui_driver::pressButton(window, IDOK); });
    ASSERT_TRUE(dialog->execute());
    EXPECT_EQ(dialog->result.find('?'), std::string::npos) << dialog->result;
    std::error_code error;
    EXPECT_TRUE(fs::equivalent(fs::path(core::toWide(dialog->result)), chinese, error)) << dialog->result;
}

// --- Paths as program texts ----------------------------------------------------

using ProgramPathTest = DialogTest;

TEST_F(ProgramPathTest, PathInTheCodePageStaysAsItIs) {
    EXPECT_EQ(pathAsProgramText(L"C:\\Модели\\новая.4ds"), std::optional<std::string>("C:\\Модели\\новая.4ds"));
}

TEST_F(ProgramPathTest, PathThatNeitherConvertsNorExistsIsRefused) {
    EXPECT_EQ(pathAsProgramText((folder_.path() / kChineseFolder / kChineseFile).wstring()), std::nullopt);
    EXPECT_EQ(pathAsProgramText(L""), std::nullopt);
}

TEST_F(ProgramPathTest, BestFitLookAlikesAreNotTakenForTheRealCharacters) {
    // "é" is not in code page 1251; a best-fit "e" would name another file.
    EXPECT_EQ(pathAsProgramText((folder_.path() / L"caf\u00e9.4ds").wstring()), std::nullopt);
}

// --- Message boxes -------------------------------------------------------------

HICON shownIcon(HWND box) {
    HWND icon = nullptr;
    EnumChildWindows(
        box,
        [](HWND child, LPARAM data) -> BOOL {
            if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) != SS_ICON) return TRUE;
            *reinterpret_cast<HWND*>(data) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&icon));
    return icon == nullptr ? nullptr : reinterpret_cast<HICON>(SendMessageW(icon, STM_GETICON, 0, 0));
}

struct ShownBox {
    HWND owner = reinterpret_cast<HWND>(1);
    std::string text;
    HICON icon = nullptr;
};

using MessageBoxTest = DialogTest;

TEST_F(MessageBoxTest, StopBoxHasTheApplicationCaptionNoOwnerTheTextAndTheStopIcon) {
    shownMainForm();
    ShownBox shown;
    User user(dialogTitled("Skirvane"), [&](HWND box) {
        shown = {GetWindow(box, GW_OWNER), ui_driver::windowText(GetDlgItem(box, kMessageTextId)), shownIcon(box)};
        ui_driver::pressButton(box, IDOK);
    });
    EXPECT_EQ(messageBox("Не удалось прочитать файл", kStopMessage), IDOK);
    EXPECT_EQ(shown.owner, nullptr);
    EXPECT_EQ(shown.text, "Не удалось прочитать файл");
    EXPECT_EQ(shown.icon, LoadIconW(nullptr, IDI_HAND));
}

TEST_F(MessageBoxTest, InformationBoxShowsTheInformationIcon) {
    ShownBox shown;
    User user(dialogTitled("Skirvane"), [&](HWND box) {
        shown.icon = shownIcon(box);
        ui_driver::pressButton(box, IDOK);
    });
    messageBox("Skirvane.textures\rО программе", kInformationMessage);
    EXPECT_EQ(shown.icon, LoadIconW(nullptr, IDI_ASTERISK));
}

TEST_F(MessageBoxTest, GivesThePressedButton) {
    User user(dialogTitled("Skirvane"), [](HWND box) { ui_driver::pressButton(box, IDCANCEL); });
    EXPECT_EQ(messageBox("Продолжить?", MB_OKCANCEL), IDCANCEL);
}

TEST(MessageBoxWithoutApplication, HasAnEmptyCaption) {
    std::string caption = "not read";
    User user(shownDialog, [&](HWND box) {
        caption = ui_driver::windowText(box);
        ui_driver::pressButton(box, IDOK);
    });
    messageBox("Текст", MB_OK);
    EXPECT_EQ(caption, "");
}

}  // namespace
