#include "editor/main_window.h"

#include <windows.h>

#include <array>

#include "core/object.h"
#include "core/text.h"
#include "editor/flags_window.h"
#include "editor/settings/language_setting.h"
#include "editor/settings_file.h"
#include "editor/usage_texts.h"
#include "editor/usage_window.h"
#include "editor/viewer_window.h"
#include "model/material_edit.h"
#include "toolkit/windows/message_box.h"
#include "toolkit/windows/status_bar.h"
#include "version.h"

namespace editor {

using namespace toolkit;

MainWindow::MainWindow(Application& application) : application_(application), recentModels_(settingsFilePath()) {
    setLanguage(readLanguage(settingsFilePath()));
    document_.setProgress(Application::updateAllWindows);  // the windows stay painted while a long model is read
}

MainWindow& MainWindow::build(Application& application) {
    // The application frees the window object after every form, so no
    // control outlives the object its events refer to.
    core::Ref<MainWindow> created(new MainWindow(application));
    MainWindow& window = *created;
    window.form_ = &newForm(application, text(TextName::ProgramName));
    application.own(std::move(created));

    window.setWindowProperties();
    window.buildMenu();
    window.createDialogs();
    window.createParts();
    window.form_->centre();
    application.registerMinimiseForm(*window.form_);
    window.form_->rememberShowState();
    window.onCreate();
    return window;
}

void MainWindow::setWindowProperties() {
    form_->setDoubleBuffered(true);
    form_->setClientSize(868, 630);
    form_->setIcon(GetModuleHandleW(nullptr), "ICON");
    form_->setBackgroundColor(0xE1E1E1);
    form_->setFontColor(0x000000).setFontHeight(17).setFontFace("Verdana");
    toolkit::setStatusText(*form_, StatusBar::kSimplePart, " ");
    form_->setOnClose([this](Control&, bool& accept) {
        run([this, &accept] {
            accept = files_->readyToDrop();
            if (accept) releaseModel();
        });
    });
    form_->setSizeLimit(MinWidth, 877).setSizeLimit(MinHeight, 685);
}

// What each command of the menu bar runs, in the order of its commands.
void MainWindow::buildMenu() {
    using W = MainWindow;
    static constexpr std::array<Command, MainMenuBar::kCommandCount> kCommands{
        &W::openModel,
        &W::saveModel,
        &W::saveModelAs,
        &W::exitProgram,
        &W::undo,
        &W::redo,
        &W::showFlagsWindow,
        &W::chooseTextureFolder,
        &W::showInRussian,
        &W::showInEnglish,
        &W::switchViewerOnTop,
        &W::showViewer,
        &W::showUsageWindow,
        &W::showAbout,
    };
    menuBar_ = std::make_unique<MainMenuBar>(
        *form_,
        MainMenuBar::Events{
            .chosen = [this](MainMenuBar::Command command) { run([this, command] { (this->*kCommands[command])(); }); },
            .recentChosen = [this](const std::string& path) { run([this, path] { files_->openRecent(path); }); },
            .statusText = [this](const std::string& text) { setStatusText(text); },
        });
    menuBar_->build(recentModels_.paths());
}

void MainWindow::createDialogs() {
    folderDialog_ = &form_->own(newFolderDialog("", 0x0008));
    folderDialog_->centreOnScreen = true;
    for (ColorDialog*& dialog : colorDialogs_) dialog = &form_->own(newColorDialog(ColorDialog::FullOpen));
    fileDialog_ = &form_->own(newFileDialog("", "", 0));
    files_ = std::make_unique<ModelFileCommands>(
        document_, *fileDialog_, recentModels_,
        ModelFileCommands::Events{.opened = [this] { modelOpened(); },
                                  .recentChanged = [this] { menuBar_->build(recentModels_.paths()); }});
}

void MainWindow::createParts() {
    list_ = std::make_unique<MaterialListView>(
        *form_, MaterialListView::Events{
                    .show = [this](model::Material& material) { panel_->show(material); },
                    .leave = [this] { panel_->writeBack(); },
                    .search = [this] { run([this] { search(); }); },
                    .showAll = [this] { run([this] { showAll(); }); },
                    .unused = [this](std::int32_t number) { return document_.usage().unused(number); },
                    .statusText = [this](const std::string& text) { setStatusText(text); },
                });
    const StatusText statusText = [this](const std::string& text) { setStatusText(text); };
    panel_ = std::make_unique<MaterialPanel>(*form_, document_, colorDialogs_,
                                             MaterialPanel::Host{
                                                 .statusText = statusText,
                                                 .listHasRows = [this] { return list_->hasRows(); },
                                                 .refreshRow =
                                                     [this](const model::Material& material, const std::string& names) {
                                                         list_->refreshRow(document_.materials(), material, names);
                                                     },
                                                 .changed = [this] { showDocumentState(); },
                                                 .showViewer = [this] { showViewer(); },
                                                 .showUsage = [this] { run([this] { showUsageWindow(); }); },
                                             });
    folderDialog_->owner = form_->createWindow();
    fileDialog_->owner = form_->handle();
    form_->setOnFilesDropped([this](Control&, const std::vector<std::wstring>& paths) {
        if (!paths.empty()) openModelAt(paths.front());
    });
    application_.setPreFilter([this](MSG& message) { return takeShortcut(message); });
    // What the user changes in the panel shows in the caption and the menu
    // at once.
    application_.setOnInputHandled([this] { showDocumentState(); });
}

void MainWindow::run(const std::function<void()>& command) {
    panel_->writeBack();
    command();
    showDocumentState();  // a save, say, leaves no unsaved changes
}

// --- start-up ---------------------------------------------------------------------

void MainWindow::setStatusText(const std::string& text) { toolkit::setStatusText(*form_, 0, text); }

void MainWindow::onCreate() {
    if (!textureFolder_.load(*folderDialog_)) {
        application_.close();  // the program ends as soon as the loop runs
        ending_ = true;
    }
    list_->fitColumn();
    showDocumentState();
}

void MainWindow::attachViewer(ViewerWindow& viewer) {
    viewer_ = &viewer;
    panel_->attachViewer(viewer);
}

// --- opening and saving ---------------------------------------------------------------

void MainWindow::openModel() { files_->open(); }

void MainWindow::openModelAt(const std::wstring& path) {
    run([this, &path] { files_->openAt(path); });
}

void MainWindow::openAtStart(const std::wstring& path) {
    if (!ending_) openModelAt(path);
}

void MainWindow::modelOpened() {
    panel_->forget();  // the material it showed is gone
    showDocumentState();
    list_->fill(document_.materials());
    showFramesNote();
}

void MainWindow::showFramesNote() {
    const model::FrameList& frames = document_.usage().frames();
    setStatusText(frames.problem ? framesNotReadText(*frames.problem) : "");
}

void MainWindow::releaseModel() {
    panel_->forget();
    list_->clear();
    document_.close();  // a save still queued finds no file to write the empty model over
}

void MainWindow::saveModel() { files_->save(); }

void MainWindow::saveModelAs() { files_->saveAs(); }

void MainWindow::exitProgram() {
    if (files_->readyToDrop()) application_.close();
}

// --- undo and redo -------------------------------------------------------------------

void MainWindow::undo() {
    if (const std::int32_t number = document_.undo()) showRestored(number);
}

void MainWindow::redo() {
    if (const std::int32_t number = document_.redo()) showRestored(number);
}

// Selecting the row shows the material; the panel written back on the way
// holds no change, since every command writes it back before it starts.
void MainWindow::showRestored(std::int32_t number) {
    showDocumentState();
    list_->select(document_.materials(), *document_.materialAt(number));
}

// The caption: "car.4ds - Skirvane.textures", "*car.4ds - ..." with changes
// that the model's file does not hold, the program's name alone with no
// model open. A change the panel holds counts at once, as the step that
// undo and redo will write it back as first.
void MainWindow::showDocumentState() {
    const bool panelChanged = panel_->holdsChange();
    menuBar_->setEnabled(MainMenuBar::Undo, document_.canUndo() || panelChanged);
    menuBar_->setEnabled(MainMenuBar::Redo, document_.canRedo() && !panelChanged);
    std::string caption;
    const bool unsaved = document_.unsaved() || panelChanged;
    if (!document_.path().empty())
        caption.append(unsaved ? "*" : "").append(core::fileNameOf(document_.path())).append(" - ");
    caption += text(TextName::ProgramName);
    if (form_->caption() != caption) form_->setCaption(caption);
}

// --- the list ---------------------------------------------------------------------------

void MainWindow::showAll() { list_->fill(document_.materials()); }

// A text with a character no name can hold is refused, not searched for
// as a look-alike.
void MainWindow::search() {
    const std::optional<std::string> searched = list_->searchText();
    if (!searched) {
        messageBox(text(TextName::NameNotInCodePage), kNoticeMessage);
        return;
    }
    if (!list_->searchesFrames()) {
        list_->filter(document_.materials(), [&searched](std::int32_t, const model::Material& material) {
            return model::searchFinds(material, *searched);
        });
        return;
    }
    const model::MaterialUsage& usage = document_.usage();
    if (!usage.known() && document_.materials().count() > 0) {  // with no model there is nothing to say
        messageBox(text(TextName::FramesNotSearched), kNoticeMessage);
        return;
    }
    list_->filter(document_.materials(), [&](std::int32_t number, const model::Material&) {
        return usage.usedByFrameNamed(number, *searched);
    });
}

// --- the other commands --------------------------------------------------------------

void MainWindow::chooseTextureFolder() { textureFolder_.choose(*folderDialog_); }

void MainWindow::showAbout() {
    messageBox(text(TextName::ProgramName) + std::string(" " SKIRVANE_VERSION "\r") + text(TextName::AboutText),
               kInformationMessage);
}

void MainWindow::showInRussian() { chooseLanguage(Language::Russian); }

void MainWindow::showInEnglish() { chooseLanguage(Language::English); }

// The choice is kept in the settings file for the next start.
void MainWindow::chooseLanguage(Language language) {
    if (language == currentLanguage()) return;
    setLanguage(language);
    writeLanguage(settingsFilePath(), language);
    showTexts();
}

void MainWindow::showTexts() {
    menuBar_->build(recentModels_.paths());
    list_->showTexts();
    panel_->showTexts();
    if (viewer_ != nullptr) viewer_->showTexts();
    if (flagsWindow_ != nullptr) flagsWindow_->showTexts();
    if (usageWindow_ != nullptr) usageWindow_->showTexts();
    if (!document_.path().empty()) showFramesNote();
}

void MainWindow::showViewer() {
    if (viewer_ != nullptr) viewer_->show();
}

void MainWindow::showFlagsWindow() {
    if (flagsWindow_ != nullptr) flagsWindow_->show();
}

void MainWindow::showUsageWindow() {
    if (usageWindow_ != nullptr) usageWindow_->show();
}

// The check item has flipped its mark before this runs.
void MainWindow::switchViewerOnTop() {
    if (viewer_ != nullptr) viewer_->setStayOnTop(menuBar_->checked(MainMenuBar::ViewerOnTop));
}

// Ctrl+Z undo, Ctrl+Y and Ctrl+Shift+Z redo, Ctrl+O, Ctrl+S, Ctrl+E (the
// flags window), Ctrl+U (the usage window), Ctrl+F (the search box with its
// text selected), F5 ("Показать все") and Enter in the search box ("Найти"),
// whichever control of the main window has the keyboard.
bool MainWindow::takeShortcut(const MSG& message) {
    if (message.message != WM_KEYDOWN || GetAncestor(message.hwnd, GA_ROOT) != form_->handle()) return false;
    const bool control = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
    const bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    Command command = nullptr;
    if (control && message.wParam == 'Z' && !shift) {
        command = &MainWindow::undo;
    } else if (control && (message.wParam == 'Y' || (message.wParam == 'Z' && shift))) {
        command = &MainWindow::redo;
    } else if (control && message.wParam == 'O') {
        command = &MainWindow::openModel;
    } else if (control && message.wParam == 'S') {
        command = &MainWindow::saveModel;
    } else if (control && message.wParam == 'E') {
        command = &MainWindow::showFlagsWindow;
    } else if (control && message.wParam == 'U') {
        command = &MainWindow::showUsageWindow;
    } else if (control && message.wParam == 'F') {
        list_->focusSearch();
        return true;
    } else if (!control && message.wParam == VK_F5) {
        command = &MainWindow::showAll;
    } else if (!control && message.wParam == VK_RETURN && message.hwnd == list_->searchBox().handle()) {
        command = &MainWindow::search;
    } else {
        return false;
    }
    run([this, command] { (this->*command)(); });
    return true;
}

}  // namespace editor
