// The end-to-end driver against the toolkit's demo program: a form with a
// menu, labels, an edit box, a list view with rows and a status bar.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "editor_driver.h"
#include "model_bytes.h"

namespace {

using namespace editor_driver;

constexpr char kDemoCaption[] = "Skirvane: проверка элементов";

class EditorDriverTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session_.started());
        window_ = session_.mainWindow();
        ASSERT_NE(window_, nullptr) << "the demo's window did not appear";
    }

    EditorSession session_{TOOLKIT_DEMO_EXE, std::nullopt, kDemoCaption};
    HWND window_ = nullptr;
};

TEST_F(EditorDriverTest, FindsTheWindowOfTheProgramStartedInItsOwnFolder) {
    EXPECT_TRUE(std::filesystem::exists(session_.file("toolkit-demo.exe")));
    DWORD owner = 0;
    GetWindowThreadProcessId(window_, &owner);
    EXPECT_EQ(owner, GetProcessId(session_.process()));
    EXPECT_EQ(windowText(window_), kDemoCaption);
    EXPECT_FALSE(std::filesystem::exists(session_.file(EditorSession::kSettingsFile)));
}

TEST_F(EditorDriverTest, ReadsTheMenuTreeWithCaptionsAndMarks) {
    const std::vector<MenuItem> items = session_.menu();
    std::vector<std::vector<std::string>> paths;
    for (const MenuItem& item : items) paths.push_back(item.path);
    const std::vector<std::vector<std::string>> expected = {
        {"Файл"},          {"Файл", "Открыть модель..."}, {"Файл", "Сохранить"},        {"Файл", ""},
        {"Файл", "Выход"}, {"Вид"},                       {"Вид", "Окно просмотра"},    {"Вид", "Поверх всех окон"},
        {"Справка"},       {"Справка", "О программе"},
    };
    EXPECT_EQ(paths, expected);
    ASSERT_EQ(items.size(), expected.size());
    EXPECT_TRUE(items[0].hasSubMenu);
    EXPECT_TRUE(items[3].separator);
    EXPECT_TRUE(items[6].checked);
    EXPECT_FALSE(items[7].checked);
    EXPECT_NE(items[1].id, items[2].id);
}

TEST_F(EditorDriverTest, ChoosingACheckItemFlipsItsMark) {
    const std::vector<std::string> onTop{"Вид", "Поверх всех окон"};
    ASSERT_TRUE(session_.chooseMenuItem(onTop));
    EXPECT_TRUE(waitUntil([&] { return session_.menuItem(onTop).value_or(MenuItem{}).checked; }));
    EXPECT_FALSE(session_.chooseMenuItem({"Вид"})) << "a sub-menu title is no command";
    EXPECT_FALSE(session_.chooseMenuItem({"Вид", "Нет такого"}));
}

TEST_F(EditorDriverTest, ReadsTheChildWindowsWithTheirClassesTextsAndPlaces) {
    HWND label = findChildAt(window_, L"STATIC", 12, 12);
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(windowText(label), "Поиск материала по имени изображения:");
    EXPECT_EQ(boundsInParent(label), (Bounds{12, 12, 330, 22}));

    HWND edit = findDescendant(window_, L"EDIT", "ЁЛКА_ЗИМНЯЯ.BMP");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(boundsInParent(edit), (Bounds{12, 36, 260, 22}));
    EXPECT_TRUE(IsWindowEnabled(edit));

    int lists = 0;
    for (const ChildWindow& child : childWindows(window_)) lists += child.className == L"SysListView32";
    EXPECT_EQ(lists, 1);
    EXPECT_EQ(clientSize(window_).cx, 560);
}

TEST_F(EditorDriverTest, ReadsTheStatusTextAndTheListRowsOfAnotherProcess) {
    EXPECT_EQ(session_.statusText(), "Готово: открыта модель «Улица», четыре материала");
    HWND list = findChildAt(window_, L"SysListView32", 12, 94);
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(session_.listItemCount(list), 4);
    EXPECT_EQ(session_.listItemText(list, 0, 0), "Кирпичная стена");
    EXPECT_EQ(session_.listItemText(list, 2, 1), "АСФАЛЬТ_02.BMP");
    EXPECT_EQ(session_.listItemText(list, 3, 2), "80");
    EXPECT_EQ(session_.listItemState(list, 1, LVIS_SELECTED), UINT{LVIS_SELECTED});
    EXPECT_EQ(session_.listItemState(list, 0, LVIS_SELECTED), 0U);
}

TEST_F(EditorDriverTest, DraggingTheCornerResizesTheWindowAndItsAnchoredList) {
    HWND list = findChildAt(window_, L"SysListView32", 12, 94);
    ASSERT_NE(list, nullptr);
    const SIZE before = outerSize(window_);
    const Bounds listBefore = boundsInParent(list);
    ASSERT_TRUE(dragBottomRightCorner(window_, -60, -40));
    const SIZE after = outerSize(window_);
    EXPECT_EQ(after.cx, before.cx - 60);
    EXPECT_EQ(after.cy, before.cy - 40);
    EXPECT_EQ(boundsInParent(list), (Bounds{12, 94, listBefore.width - 60, listBefore.height - 40}));
}

TEST_F(EditorDriverTest, ClickingTheCloseBoxEndsTheProgram) {
    ASSERT_TRUE(clickCloseBox(window_));
    ASSERT_TRUE(session_.waitForExit());
    EXPECT_EQ(session_.exitCode(), std::optional<DWORD>(0));
}

TEST(EditorSessionTest, WritesTheSettingsBesideTheProgram) {
    EditorSession session(TOOLKIT_DEMO_EXE, "[Paths]\r\nMAPS=C:\\Текстуры\r\n", kDemoCaption);
    ASSERT_TRUE(session.started());
    EXPECT_EQ(test_support::readFileBytes(session.file(EditorSession::kSettingsFile)),
              "[Paths]\r\nMAPS=C:\\Текстуры\r\n");
}

TEST(EditorSessionTest, EndingTheSessionEndsTheProgram) {
    HANDLE process = nullptr;
    {
        EditorSession session(TOOLKIT_DEMO_EXE, std::nullopt, kDemoCaption);
        ASSERT_NE(session.mainWindow(), nullptr);
        ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), session.process(), GetCurrentProcess(), &process,
                                    SYNCHRONIZE, FALSE, 0));
    }
    EXPECT_EQ(WaitForSingleObject(process, 0), WAIT_OBJECT_0);
    CloseHandle(process);
}

TEST(IniValueTest, FindsTheKeyOfItsSectionOnly) {
    test_support::TempFolder folder;
    const std::string path = folder.file("a.ini");
    test_support::writeFileBytes(path, "[Other]\r\nMAPS=wrong\r\n[paths]\r\n maps = C:\\Текстуры\\ \r\nEMPTY=\r\n");
    EXPECT_EQ(iniValue(path, "Paths", "MAPS"), std::optional<std::string>("C:\\Текстуры\\"));
    EXPECT_EQ(iniValue(path, "Paths", "EMPTY"), std::optional<std::string>(""));
    EXPECT_EQ(iniValue(path, "Paths", "NONE"), std::nullopt);
    EXPECT_EQ(iniValue(path, "Missing", "MAPS"), std::nullopt);
    EXPECT_EQ(iniValue(folder.file("none.ini"), "Paths", "MAPS"), std::nullopt);
}

}  // namespace
