#include "editor/main_menu_bar.h"

#include <initializer_list>
#include <string>
#include <string_view>

#include "core/text.h"
#include "editor/texts/interface_texts.h"

namespace editor {

using toolkit::MainMenu;

namespace {

// An item of the bar: its text, the shortcut shown after it and its
// command; "-" is a separator.
struct Item {
    TextName caption;
    const char* shortcut;
    MainMenuBar::Command command;
};
constexpr Item kSeparator{TextName::Count, "", MainMenuBar::kCommandCount};

// A menu caption: an "&" shows as itself rather than marking a key.
std::string menuCaption(std::string_view text) {
    std::string caption;
    for (const char c : text) caption.append(c == '&' ? "&&" : std::string(1, c));
    return caption;
}

}  // namespace

MainMenuBar::MainMenuBar(toolkit::Form& form, Events events) : events_(std::move(events)) {
    menu_ = &toolkit::newMainMenu(form, {}, -1, nullptr);
    menu_->setOnHighlight([this](MainMenu&, int itemIndex) { highlighted(itemIndex); });
}

// The menu's template: a group's caption, "(", its items, ")". Items are
// numbered in that order, the brackets aside. A caption starting with "+"
// or "-" is a check item (checked or not), "!" after it a radio item and
// "!!" the first of its group.
MainMenuBar::Layout MainMenuBar::layout(const std::vector<std::string>& recentPaths) {
    Layout made;
    recentItems_.clear();
    const auto add = [&made](std::string entry, std::function<void()> action) {
        made.entries.push_back(std::move(entry));
        made.actions.push_back(std::move(action));
    };
    const auto addItems = [&](std::initializer_list<Item> items) {
        for (const Item& item : items) {
            if (item.command == kCommandCount) {
                add("-", nullptr);
                continue;
            }
            indices_[item.command] = static_cast<int>(made.actions.size());
            std::string caption;
            if (item.command == ViewerOnTop) caption.push_back(viewerOnTop_ ? '+' : '-');
            if (item.command == Russian || item.command == English) {
                const bool shown = (item.command == English) == (currentLanguage() == Language::English);
                caption.push_back(shown ? '+' : '-');
                caption.append(item.command == Russian ? "!!" : "!");
            }
            caption.append(text(item.caption));
            if (*item.shortcut != '\0') caption.append("\t").append(item.shortcut);
            add(caption, [this, command = item.command] { events_.chosen(command); });
        }
    };
    const auto group = [&](TextName caption, const std::function<void()>& items) {
        add(text(caption), nullptr);
        made.entries.emplace_back("(");
        items();
        made.entries.emplace_back(")");
    };

    using N = TextName;
    group(N::MenuFile, [&] {
        addItems({{N::MenuOpen, "Ctrl+O", Open}, {N::MenuSave, "Ctrl+S", Save}, {N::MenuSaveAs, "", SaveAs}});
        if (!recentPaths.empty()) addItems({kSeparator});
        for (std::size_t i = 0; i < recentPaths.size(); ++i) {
            const std::string& path = recentPaths[i];
            recentItems_.emplace_back(static_cast<int>(made.actions.size()), path);
            add(std::string("&").append(std::to_string(i + 1)).append(" ").append(menuCaption(core::fileNameOf(path))),
                [this, path] { events_.recentChosen(path); });
        }
        addItems({kSeparator, {N::MenuExit, "", Exit}});
    });
    group(N::MenuEdit, [&] {
        addItems({{N::MenuUndo, "Ctrl+Z", Undo},
                  {N::MenuRedo, "Ctrl+Y", Redo},
                  {N::FlagsWindowCaption, "Ctrl+E", Flags},
                  {N::MenuTextureFolder, "", TextureFolder}});
        group(N::MenuLanguage, [&] {
            addItems({{N::LanguageRussian, "", Russian}, {N::LanguageEnglish, "", English}});
        });
    });
    group(N::MenuView, [&] {
        addItems({{N::MenuViewerOnTop, "", ViewerOnTop},
                  {N::ViewerCaption, "", Viewer},
                  {N::UsageWindowCaption, "Ctrl+U", Usage}});
    });
    group(N::MenuHelp, [&] { addItems({{N::MenuAbout, "", About}}); });
    return made;
}

void MainMenuBar::build(const std::vector<std::string>& recentPaths) {
    if (menu_->itemCount() > 0) viewerOnTop_ = checked(ViewerOnTop);
    const Layout made = layout(recentPaths);
    menu_->rebuild(made.entries);
    for (std::size_t index = 0; index < made.actions.size(); ++index) {
        if (!made.actions[index]) continue;
        const toolkit::MenuItemEvent event = [action = made.actions[index]](MainMenu&, int) { action(); };
        menu_->attachEvents(static_cast<int>(index), {&event, 1});
    }
    for (std::size_t command = 0; command < kCommandCount; ++command)
        menu_->setItemState(indices_[command], MFS_DISABLED, disabled_[command]);
    hintShown_ = false;
}

void MainMenuBar::setEnabled(Command command, bool enabled) {
    if (disabled_[command] == !enabled) return;
    disabled_[command] = !enabled;
    menu_->setItemState(indices_[command], MFS_DISABLED, !enabled);
}

bool MainMenuBar::checked(Command command) const {
    return menu_->itemState(indices_[command], MainMenu::kCheckedState);
}

// The status bar shows a recent model's path while it is highlighted.
void MainMenuBar::highlighted(int itemIndex) {
    for (const auto& [index, path] : recentItems_) {
        if (index != itemIndex) continue;
        events_.statusText(path);
        hintShown_ = true;
        return;
    }
    if (hintShown_) events_.statusText("");
    hintShown_ = false;
}

}  // namespace editor
