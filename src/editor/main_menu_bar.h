// The main window's menu bar in the language shown: "Файл" with the models
// opened last, "Правка" with the choice of language, "Просмотр" and
// "Помощь". It is built again when the language or the list of models
// changes; the items keep their check marks and whether they are offered.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "editor/status_hints.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/main_menu.h"

namespace editor {

class MainMenuBar {
public:
    enum Command : std::uint8_t {
        Open,
        Save,
        SaveAs,
        Exit,
        Undo,
        Redo,
        Flags,
        TextureFolder,
        Russian,
        English,
        ViewerOnTop,
        Viewer,
        Usage,
        About,
        kCommandCount
    };
    struct Events {
        std::function<void(Command command)> chosen;
        std::function<void(const std::string& path)> recentChosen;
        // The path of the model under the pointer, or "" once it leaves it.
        StatusText statusText;
    };

    MainMenuBar(toolkit::Form& form, Events events);

    // Builds the bar anew with these models (newest first).
    void build(const std::vector<std::string>& recentPaths);
    void setEnabled(Command command, bool enabled);
    bool checked(Command command) const;

private:
    // The template of the menu and, per item index, what choosing it does.
    struct Layout {
        std::vector<std::string> entries;
        std::vector<std::function<void()>> actions;
    };
    Layout layout(const std::vector<std::string>& recentPaths);
    void highlighted(int itemIndex);

    toolkit::MainMenu* menu_ = nullptr;
    Events events_;
    std::array<int, kCommandCount> indices_{};              // each command's item
    std::array<bool, kCommandCount> disabled_{};            // kept across builds
    bool viewerOnTop_ = false;                              // its mark, kept across builds
    std::vector<std::pair<int, std::string>> recentItems_;  // each recent model's item and path
    bool hintShown_ = false;                                // a model's path is in the status bar
};

}  // namespace editor
