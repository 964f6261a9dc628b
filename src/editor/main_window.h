// The main window: the material list on the left, the material panel on
// the right, the search below it, the menu and the status bar; and the
// program's commands behind them, each run after the panel is written back
// (opening and saving models through ModelFileCommands, the texture folder
// through TextureFolder). Its caption names the open model, with "*" while
// it has unsaved changes; choosing a language shows every window's texts
// in it at once.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/object.h"
#include "editor/main_menu_bar.h"
#include "editor/material_list_view.h"
#include "editor/material_panel.h"
#include "editor/model_file_commands.h"
#include "editor/settings/recent_models.h"
#include "editor/texts/interface_texts.h"
#include "editor/texture_folder.h"
#include "model/document.h"
#include "toolkit/windows/application.h"
#include "toolkit/windows/dialogs.h"
#include "toolkit/windows/form.h"

namespace editor {

class FlagsWindow;
class UsageWindow;
class ViewerWindow;

class MainWindow : public core::ToolkitObject {
public:
    // Builds the window with its menu, dialogs and controls, wires the
    // events and runs the start-up step. The application owns the result.
    static MainWindow& build(toolkit::Application& application);

    // The viewer the panel hands texture names to and the menu shows.
    void attachViewer(ViewerWindow& viewer);
    // The flags window the menu and Ctrl+E show.
    void attachFlagsWindow(FlagsWindow& flagsWindow) { flagsWindow_ = &flagsWindow; }
    // The usage window the menu, Ctrl+U and the panel's usage line show.
    void attachUsageWindow(UsageWindow& usageWindow) { usageWindow_ = &usageWindow; }
    MaterialPanel& panel() const { return *panel_; }
    // Opens the model at the path as Open would (the program's argument, a
    // dropped file), asking first about unsaved changes.
    void openModelAt(const std::wstring& path);
    // The same at start, unless the start-up step is ending the program.
    void openAtStart(const std::wstring& path);
    // The keyboard shortcuts, taken before the message reaches its window;
    // true for a message that was one.
    bool takeShortcut(const MSG& message);

    const std::string& textureFolder() const { return textureFolder_.path(); }

private:
    using Command = void (MainWindow::*)();

    explicit MainWindow(toolkit::Application& application);

    void setWindowProperties();
    void buildMenu();
    void createDialogs();
    void createParts();
    // Every command of the menu, the keys, the list's buttons and the
    // window's close box comes here: the panel is written back first, so
    // that the command finds in the materials what the user sees.
    void run(const std::function<void()>& command);

    // The commands.
    void openModel();
    void saveModel();
    void saveModelAs();
    void exitProgram();
    void undo();
    void redo();
    void chooseTextureFolder();
    void showAbout();
    void showViewer();
    void showFlagsWindow();
    void showUsageWindow();
    void switchViewerOnTop();
    void search();
    void showAll();
    void showInRussian();
    void showInEnglish();
    void chooseLanguage(Language language);

    // The start-up step: the texture folder from the settings file.
    void onCreate();
    // A model file was opened: the list shows its materials, the panel none.
    void modelOpened();
    // The materials are released: nothing may reach them any more.
    void releaseModel();
    // The material of an undone or redone step is shown in its row.
    void showRestored(std::int32_t number);
    // Undo and redo are offered only when there is a step to take, and the
    // caption shows whether the model has unsaved changes.
    void showDocumentState();
    // Every window shows its texts in the language chosen now.
    void showTexts();

    void setStatusText(const std::string& text);
    // Why the frames of the open model were not read, or nothing.
    void showFramesNote();

    toolkit::Application& application_;
    toolkit::Form* form_ = nullptr;
    std::unique_ptr<MainMenuBar> menuBar_;
    RecentModels recentModels_;
    toolkit::FolderDialog* folderDialog_ = nullptr;
    toolkit::FileDialog* fileDialog_ = nullptr;
    std::unique_ptr<ModelFileCommands> files_;
    MaterialPanel::ColorDialogs colorDialogs_{};
    std::unique_ptr<MaterialListView> list_;
    std::unique_ptr<MaterialPanel> panel_;
    ViewerWindow* viewer_ = nullptr;
    FlagsWindow* flagsWindow_ = nullptr;
    UsageWindow* usageWindow_ = nullptr;
    model::Document document_;
    // The folder dialog at start was cancelled: the program is ending.
    bool ending_ = false;
    TextureFolder textureFolder_;
};

}  // namespace editor
