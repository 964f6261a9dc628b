// The interface language, the caption naming the open model and the list
// of recent models, through the real editor: switched from the menu while
// a change is unsaved, kept for the next start, and the recent model
// opened from the menu of that start.
#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "editor/control_ids.h"
#include "editor_driver.h"
#include "model_bytes.h"

namespace {

using namespace editor_driver;

constexpr wchar_t kPanel[] = L"GRUSH_PANEL";

// Every text the menu and the editor's windows show, but for what the user
// typed (edit boxes) and the status bar; the windows by their Russian
// captions.
std::vector<std::string> russianTexts(EditorSession& session) {
    std::vector<std::string> texts;
    for (const MenuItem& item : session.menu()) texts.push_back(item.path.back() + "\t" + item.shortcut);
    const auto collect = [&texts](const auto& self, HWND parent) -> void {
        for (const ChildWindow& child : childWindows(parent)) {
            if (!hasClass(child.handle, L"Edit") && !hasClass(child.handle, L"msctls_statusbar32"))
                texts.push_back(child.text);
            self(self, child.handle);
        }
    };
    collect(collect, session.mainWindow());
    for (const char* caption : {"Viewer", "Флаги материала", "Где используется материал"}) {
        HWND window = session.windowWithCaption(caption);
        EXPECT_NE(window, nullptr) << caption;
        if (window != nullptr) collect(collect, window);
    }
    return texts;
}

std::vector<std::string> menuBar(EditorSession& session) {
    std::vector<std::string> captions;
    for (const MenuItem& item : session.menu())
        if (item.path.size() == 1) captions.push_back(item.path[0]);
    return captions;
}

bool choose(EditorSession& session, const std::vector<std::string>& item) {
    return session.chooseMenuItem(item) && session.waitForEarlierCommands();
}

// The notice a name with "|" brings, closed again.
std::string nameRefusal(EditorUser& user) {
    if (!enterIntoBox(user.controls().diffuseNameBox, "A|B")) return "the box took no typing";
    HWND box = user.session().waitForMessageBox();
    if (box == nullptr) return "no notice";
    const std::string text = messageText(box);
    pressButton(box, IDOK);
    waitForWindowGone(box);
    return text;
}

TEST(LanguageTest, EnglishShowsAtOnceKeepsTheWorkAndTheNextStartOpensARecentModel) {
    EditorUser user(SKIRVANE_EXE);
    ASSERT_TRUE(user.ready());
    EditorSession& session = user.session();
    HWND window = session.mainWindow();
    EXPECT_EQ(windowText(window), "Skirvane.textures") << "no model open";
    test_support::ModelBytes model;
    model.records = {test_support::recordWithNames("", "ROCK.BMP", ""),
                     test_support::recordWithNames("", "WOOD.BMP", "")};
    ASSERT_TRUE(user.openModel(test_support::encodeModel(model), "car.4ds"));
    EXPECT_EQ(windowText(window), "car.4ds - Skirvane.textures");

    // A change the panel holds shows as unsaved at once, before a command
    // writes it back.
    ASSERT_TRUE(user.clickRow(1));
    ASSERT_TRUE(user.enterText(user.controls().diffuseNameBox, "NEW.BMP"));
    EXPECT_TRUE(waitUntil([window] { return windowText(window) == "*car.4ds - Skirvane.textures"; }));
    EXPECT_TRUE(session.menuItem({"Правка", "Отменить"})->enabled);
    ASSERT_TRUE(session.waitForEarlierCommands());
    EXPECT_EQ(windowText(window), "*car.4ds - Skirvane.textures");
    const std::vector<std::string> russian = russianTexts(session);

    ASSERT_TRUE(choose(session, {"Правка", "Язык / Language", "English"}));
    EXPECT_EQ(menuBar(session), (std::vector<std::string>{"File", "Edit", "View", "Help"}));
    HWND listPanel = findChildAt(window, kPanel, 8, 8);
    EXPECT_EQ(windowText(findChildAt(listPanel, L"STATIC", 8, 5)), "Materials");
    EXPECT_EQ(windowText(findControl(window, editor::DoubleSidedBoxId)), "Visible from both sides ");
    EXPECT_EQ(nameRefusal(user), "A texture name may be at most 255 characters long and may not hold the character |");
    EXPECT_EQ(user.selectedRow(), 1);
    EXPECT_TRUE(waitUntil([&user] { return user.shownNames()[1] == "NEW.BMP"; })) << "the refused name is taken back";
    EXPECT_EQ(windowText(window), "*car.4ds - Skirvane.textures");

    ASSERT_TRUE(choose(session, {"Edit", "Язык / Language", "Русский"}));
    EXPECT_EQ(russianTexts(session), russian);
    ASSERT_TRUE(choose(session, {"Правка", "Язык / Language", "English"}));
    ASSERT_TRUE(choose(session, {"Edit", "Undo"}));
    EXPECT_EQ(windowText(window), "car.4ds - Skirvane.textures") << "undone back to the saved model";
    ASSERT_TRUE(session.chooseMenuItem({"File", "Exit"}));
    ASSERT_TRUE(session.waitForExit());

    // The next start, with the settings this one left and one more recent
    // model that is gone by now.
    const std::filesystem::path settingsFile = session.programFolder() / EditorSession::kSettingsFile;
    EXPECT_EQ(iniValue(settingsFile, "Interface", "Language"), "en");
    EXPECT_EQ(iniValue(settingsFile, "Recent", "File1"), user.inUserFolder("car.4ds"));
    std::string settings = test_support::readFileBytes(toCp1251(settingsFile.wstring()));
    const std::string gone = user.inUserFolder("gone.4ds");
    const std::size_t emptySlot = settings.find("File2=");
    ASSERT_NE(emptySlot, std::string::npos) << settings;
    settings.insert(emptySlot + 6, gone);
    EditorSession next(SKIRVANE_EXE, settings);
    ASSERT_NE(next.mainWindow(), nullptr);
    EXPECT_EQ(menuBar(next), (std::vector<std::string>{"File", "Edit", "View", "Help"}));

    ASSERT_TRUE(next.chooseMenuItem({"File", "&2 gone.4ds"}));
    HWND refusal = next.waitForMessageBox();
    ASSERT_NE(refusal, nullptr);
    EXPECT_EQ(messageText(refusal), "Can't read file: " + gone);
    pressButton(refusal, IDOK);
    ASSERT_TRUE(waitForWindowGone(refusal));
    EXPECT_TRUE(waitUntil([&next] {
        return !next.menuItem({"File", "&2 gone.4ds"});
    })) << "a model that is gone leaves the list";

    const std::optional<MenuItem> recent = next.menuItem({"File", "&1 car.4ds"});
    ASSERT_TRUE(recent);
    SendMessageW(next.mainWindow(), WM_MENUSELECT, MAKEWPARAM(recent->id, MF_HILITE), 0);
    EXPECT_EQ(next.statusText(), user.inUserFolder("car.4ds"));
    SendMessageW(next.mainWindow(), WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    ASSERT_TRUE(choose(next, recent->path));
    EXPECT_EQ(windowText(next.mainWindow()), "car.4ds - Skirvane.textures");
    EXPECT_EQ(next.listItemCount(findControl(next.mainWindow(), editor::MaterialListId)), 2);
}

}  // namespace
