// The program's start-up settings step and the main window's commands:
// open, save, save as, exit, texture folder, about, and closing.
#include <windows.h>

#include "core/code_page.h"
#include "core/file_stream.h"
#include "core/ini_file.h"
#include "core/object.h"
#include "core/text.h"
#include "editor/main_window.h"
#include "editor/viewer_window.h"
#include "toolkit/windows/dialogs.h"
#include "toolkit/windows/main_menu.h"
#include "toolkit/windows/message_box.h"
#include "toolkit/windows/status_bar.h"

namespace editor {

using namespace toolkit;

namespace {

constexpr char kAboutText[] =
    "Skirvane.textures\r"
    "Программа для настройки свойств материалов в моделях формата *.4ds\r"
    "\r"
    "Skirvane: редактор материалов с открытым исходным кодом";

// The folder of the running program file, whatever characters its name
// holds.
std::filesystem::path folderOfProgram() {
    wchar_t path[MAX_PATH * 4];
    const DWORD length = GetModuleFileNameW(nullptr, path, static_cast<DWORD>(std::size(path)));
    return std::filesystem::path(std::wstring_view(path, length)).parent_path();
}

}  // namespace

std::string MainWindow::readTextureFolderSetting(const std::string& defaultValue) const {
    core::Ref<core::IniFile> settings = core::openIniFile(settingsPath());
    settings->setSection(kSettingsSection);
    return settings->valueString(kTextureFolderKey, defaultValue);
}

void MainWindow::writeTextureFolderSetting(const std::string& folder) const {
    core::Ref<core::IniFile> settings = core::openIniFile(settingsPath());
    settings->setSection(kSettingsSection);
    settings->setMode(core::IniFile::Writing);
    settings->valueString(kTextureFolderKey, folder);
}

void MainWindow::setStatusText(const std::string& text) { toolkit::setStatusText(*form_, 0, text); }

void MainWindow::onCreate() {
    programFolder_ = folderOfProgram();
    folderDialog_->title = kFolderDialogTitle;
    textureFolder_ = core::ensureTrailingBackslash(readTextureFolderSetting(kDefaultTextureFolder));
    if (!core::folderExists(textureFolder_)) {
        if (folderDialog_->execute()) {
            textureFolder_ = folderDialog_->result;
            writeTextureFolderSetting(textureFolder_);
        } else {
            application_.close();  // the program ends as soon as the loop runs
            ending_ = true;
        }
    }
    textureFolder_ = core::ensureTrailingBackslash(textureFolder_);
    fitListColumn();
    menu_->setItemState(ViewerOnTopItem, MainMenu::kCheckedState, false);
    updateUndoItems();
}

void MainWindow::onClose(bool& accept) {
    accept = readyToDropModel();
    if (accept) releaseModel();
}

void MainWindow::releaseModel() {
    currentMaterial_ = nullptr;
    materialList_->clear();
    model_.clear();
    history_.clear();
    ++modelsOpened_;
    fileDialog_->result.clear();  // a save still queued would write the empty model over the file
}

bool MainWindow::readyToDropModel() {
    applyPanel();
    if (history_.atSaved()) return true;
    const std::string& path = fileDialog_->result;
    const std::string question =
        path.empty() ? std::string("Сохранить изменения?") : "Сохранить изменения в файле " + path + "?";
    switch (messageBox(question, kQuestionMessage)) {
        case IDYES:
            return path.empty() ? writeModelAs() : writeModel();
        case IDNO:
            return true;
        default:
            return false;
    }
}

// The file dialog's result is the name Save writes to. A cancelled dialog
// empties it, and a refused file would leave the refused name there; both
// give the previous name back, so that Save keeps writing the open model to
// the file it came from.
void MainWindow::openModel() {
    if (!readyToDropModel()) return;
    const std::string previousName = fileDialog_->result;
    fileDialog_->openDialog = true;
    if (!fileDialog_->execute()) {
        fileDialog_->result = previousName;
        return;
    }
    const std::string chosen = fileDialog_->result;
    fileDialog_->result = previousName;
    loadModel(chosen);
}

// The path given at start or dropped onto the window opens as Open opens
// the file chosen in its dialog.
void MainWindow::openModelAt(const std::wstring& path) {
    if (!readyToDropModel()) return;
    const std::optional<std::string> text = pathAsProgramText(path);
    if (!text) {
        messageBox("Can't read file: " + core::fromWide(path), kStopMessage);
        return;
    }
    loadModel(*text);
}

bool MainWindow::loadModel(const std::string& path) {
    // The windows stay painted while a long material section is read.
    if (!model_.load(path, model::ModelFile::WholeFile, Application::updateAllWindows)) {
        messageBox("Can't read file: " + path, kStopMessage);
        return false;
    }
    fileDialog_->result = path;
    currentMaterial_ = nullptr;  // the material it pointed to is gone
    ++modelsOpened_;
    history_.clear();
    updateUndoItems();
    fillList();
    return true;
}

void MainWindow::openAtStart(const std::wstring& path) {
    if (!ending_) openModelAt(path);
}

// Ctrl+Z undo, Ctrl+Y and Ctrl+Shift+Z redo, Ctrl+O, Ctrl+S, Ctrl+F (the
// search box with its text selected), F5
// ("Показать все") and Enter in the search box ("Найти"), whichever
// control of the main window has the keyboard.
bool MainWindow::takeShortcut(const MSG& message) {
    if (message.message != WM_KEYDOWN || GetAncestor(message.hwnd, GA_ROOT) != form_->handle()) return false;
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    if (control && message.wParam == 'Z' && !shift) {
        undo();
    } else if (control && (message.wParam == 'Y' || (message.wParam == 'Z' && shift))) {
        redo();
    } else if (control && message.wParam == 'O') {
        openModel();
    } else if (control && message.wParam == 'S') {
        saveModel();
    } else if (control && message.wParam == 'F') {
        SetFocus(searchBox_->handle());
        SendMessageW(searchBox_->handle(), EM_SETSEL, 0, -1);
    } else if (!control && message.wParam == VK_F5) {
        showAll();
    } else if (!control && message.wParam == VK_RETURN && message.hwnd == searchBox_->handle()) {
        search();
    } else {
        return false;
    }
    return true;
}

// The step's state is copied: showing the material writes the panel back,
// which must not find the history's storage under it.
void MainWindow::undo() {
    applyPanel();
    if (!history_.canUndo()) return;
    const model::EditHistory::Step& step = history_.undo();
    restoreMaterial(step.number, model::MaterialState(step.before));
}

void MainWindow::redo() {
    applyPanel();
    if (!history_.canRedo()) return;
    const model::EditHistory::Step& step = history_.redo();
    restoreMaterial(step.number, model::MaterialState(step.after));
}

void MainWindow::updateUndoItems() {
    menu_->setItemState(UndoItem, MFS_DISABLED, !history_.canUndo());
    menu_->setItemState(RedoItem, MFS_DISABLED, !history_.canRedo());
}

void MainWindow::saveModel() { writeModel(); }

void MainWindow::saveModelAs() { writeModelAs(); }

bool MainWindow::writeModel() {
    applyPanel();
    const std::string& path = fileDialog_->result;
    if (path.empty()) return false;
    if (!model_.save(path, Application::updateAllWindows)) {
        messageBox("Can't write file: " + path, kStopMessage);
        return false;
    }
    history_.markSaved();
    return true;
}

bool MainWindow::writeModelAs() {
    const std::string previousName = fileDialog_->result;
    fileDialog_->openDialog = false;
    if (!fileDialog_->execute()) {
        fileDialog_->result = previousName;
        return false;
    }
    return writeModel();
}

void MainWindow::exitProgram() {
    if (readyToDropModel()) application_.close();
}

void MainWindow::chooseTextureFolder() {
    textureFolder_ = core::ensureTrailingBackslash(readTextureFolderSetting(""));
    folderDialog_->setInitialPath(textureFolder_);
    if (!folderDialog_->execute()) return;
    textureFolder_ = core::ensureTrailingBackslash(folderDialog_->result);
    writeTextureFolderSetting(textureFolder_);
}

void MainWindow::showAbout() { messageBox(kAboutText, kInformationMessage); }

void MainWindow::attachViewer(ViewerWindow& viewer) { viewer_ = &viewer; }

void MainWindow::showViewer() {
    if (viewer_ != nullptr) viewer_->show();
}

// The check item has flipped its mark before this runs.
void MainWindow::switchViewerOnTop() {
    if (viewer_ != nullptr) viewer_->setStayOnTop(menu_->itemState(ViewerOnTopItem, MainMenu::kCheckedState));
}

}  // namespace editor
