// The editor's main window as the user finds it: its size and size limits,
// every control in its place with its size and caption, the menu, the first
// states of the controls, the hints in the status bar, and the layout
// following a resize.
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editor_driver.h"

namespace {

using namespace editor_driver;

// A texture folder that exists everywhere, so that no dialog comes first.
constexpr char kSettings[] = "[Paths]\r\nMAPS=C:\\\r\n";

constexpr wchar_t kPanel[] = L"GRUSH_PANEL";
constexpr wchar_t kButton[] = L"GRUSH_BUTTON";
constexpr wchar_t kCheckBox[] = L"GRUSH_CHECKBOX";
constexpr wchar_t kBar[] = L"GRUSH_PROGRESSBAR";
constexpr wchar_t kLabel[] = L"STATIC";
constexpr wchar_t kEdit[] = L"EDIT";
constexpr wchar_t kList[] = L"SysListView32";

// A width or height that fills the parent's client area (the edit boxes
// inside their frames).
constexpr int kFills = -1;

// One control of the layout. Rows are named by their number in the layout;
// the children of the ambient and emission groups by the group's row and
// the number of the diffuse twin ("45/41").
struct Row {
    std::string name;
    std::string parent;  // empty: the window
    const wchar_t* windowClass;
    int left;
    int top;
    int width;
    int height;
    std::string caption;
};

void addColourGroup(std::vector<Row>& rows, const std::string& group, const std::string& prefix, int left,
                    const std::string& caption) {
    rows.push_back({group, "10", kPanel, left, 32, 201, 145, ""});
    rows.push_back({prefix + "39", group, kLabel, 8, 10, 185, 15, caption});
    rows.push_back({prefix + "40", group, kLabel, 8, 109, 121, 15, "Цвет:"});
    rows.push_back({prefix + "41", group, kBar, 8, 32, 185, 17, ""});
    rows.push_back({prefix + "42", group, kBar, 8, 56, 185, 17, ""});
    rows.push_back({prefix + "43", group, kBar, 8, 80, 185, 17, ""});
    rows.push_back({prefix + "44", group, kPanel, 136, 104, 57, 24, ""});
}

std::vector<Row> layoutRows() {
    std::vector<Row> rows = {
        {"1", "", kPanel, 8, 8, 209, 594, ""},
        {"2", "1", kLabel, 8, 5, 165, 17, "Список материалов"},
        {"3", "1", kList, 8, 32, 189, 522, ""},
        {"4", "1", kButton, 8, 561, 190, 25, "Показать все"},
        {"5", "", kPanel, 224, 525, 637, 77, ""},
        {"6", "5", kLabel, 8, 10, 617, 17, "Поиск материала по имени изображения:"},
        {"7", "5", kPanel, 24, 32, 193, 24, ""},
        {"8", "7", kEdit, 0, 0, kFills, kFills, ""},
        {"9", "5", kButton, 224, 31, 129, 25, "Найти"},
        {"10", "", kPanel, 224, 8, 637, 514, ""},
        {"11", "10", kLabel, 336, 332, 289, 13, "Все пиксели с цветом RGB, где B=0 будут прозрачны"},
        {"12", "10", kLabel, 8, 5, 177, 17, "Настройки материала"},
        {"13", "10", kLabel, 8, 184, 305, 17, "Текстура отражения:"},
        {"14", "10", kLabel, 16, 202, 297, 15, "Плотность:"},
        {"15", "10", kLabel, 16, 242, 289, 15, "Bitmap:"},
        {"16", "10", kLabel, 16, 412, 297, 15, "Bitmap:"},
        {"17", "10", kLabel, 16, 348, 297, 15, "Bitmap:"},
        {"18", "10", kLabel, 16, 306, 297, 15, "Плотность:"},
        {"19", "10", kLabel, 8, 288, 305, 17, "Основная текстура:"},
        {"20", "10", kLabel, 8, 392, 305, 17, "Alfa текстура:"},
        {"21", "10", kBar, 24, 220, 185, 17, ""},
        {"22", "10", kBar, 24, 324, 185, 17, ""},
        {"23", "10", kPanel, 322, 363, 305, 143, ""},
        {"24", "23", kLabel, 8, 96, 289, 41,
         "Основная текстура должна иметь имя формата *XX.BMP, где XX - порядковый номер текстуры в видеоряде."},
        {"25", "23", kLabel, 8, 37, 193, 15, "Количество кадров:"},
        {"26", "23", kLabel, 8, 69, 193, 15, "Задержка пролистывания:"},
        {"27", "23", kPanel, 208, 64, 89, 25, ""},
        {"28", "27", kEdit, 0, 0, kFills, kFills, "0"},
        {"29", "23", kPanel, 208, 32, 89, 25, ""},
        {"30", "29", kEdit, 0, 0, kFills, kFills, "0"},
        {"31", "23", kCheckBox, 8, 6, 289, 21, "Анимировать текстуру"},
        {"32", "10", kPanel, 24, 260, 185, 24, ""},
        {"33", "32", kEdit, 0, 0, kFills, kFills, ""},
        {"34", "10", kPanel, 24, 430, 185, 24, ""},
        {"35", "34", kEdit, 0, 0, kFills, kFills, ""},
        {"36", "10", kPanel, 24, 366, 185, 24, ""},
        {"37", "36", kEdit, 0, 0, kFills, kFills, ""},
    };
    addColourGroup(rows, "38", "", 216, "Diffuse канал");
    addColourGroup(rows, "45", "45/", 8, "Ambient канал");
    addColourGroup(rows, "46", "46/", 424, "Emission канал");
    const std::vector<Row> last = {
        {"47", "10", kButton, 8, 469, 129, 25, "Viewer"},
        {"48", "10", kCheckBox, 336, 240, 289, 20, "Видимость с 2х сторон "},
        {"49", "10", kCheckBox, 336, 264, 289, 20, "Подсвечивать diff. текстуру "},
        {"50", "10", kCheckBox, 336, 288, 289, 20, "Подсвечивать alfa текстуру"},
        {"51", "10", kCheckBox, 336, 312, 289, 20, "Использовать прозрачность цветов "},
        {"52", "10", kCheckBox, 320, 214, 305, 21, "Использовать доп. настройки"},
        {"53", "10", kCheckBox, 320, 190, 305, 21, "Использовать diff. канал (?)"},
        {"54", "10", kLabel, 192, 7, 437, 15, ""},
        {"55", "5", kCheckBox, 368, 33, 200, 20, "по имени кадра "},
    };
    rows.insert(rows.end(), last.begin(), last.end());
    return rows;
}

const std::vector<std::string> kBarRows = {"21", "22", "41", "42", "43", "45/41", "45/42", "45/43",
                                           "46/41", "46/42", "46/43"};
const std::vector<std::string> kNameBoxRows = {"33", "35", "37"};
const std::vector<std::string> kSwatchRows = {"44", "45/44", "46/44"};

constexpr char kBarHint[] = "Правый клик - установить регулятор в максимальную(минимальную) позицию";
constexpr char kEditHint[] = "Сюда вводите текст ";
constexpr char kSwatchHint[] = "Клик мышкой - вызов диалога выбора цвета";

// The windows of the layout's rows, found by class and position inside the
// window of their parent row. A row that is missing is reported and left out.
std::map<std::string, HWND> locateRows(HWND mainWindow, const std::vector<Row>& rows) {
    std::map<std::string, HWND> found{{"", mainWindow}};
    for (const Row& row : rows) {
        const auto parent = found.find(row.parent);
        if (parent == found.end()) {
            ADD_FAILURE() << "row " << row.name << ": its parent row " << row.parent << " is missing";
            continue;
        }
        HWND window = findChildAt(parent->second, row.windowClass, row.left, row.top);
        if (window == nullptr) {
            ADD_FAILURE() << "row " << row.name << ": no " << toCp1251(row.windowClass) << " at " << row.left
                          << ", " << row.top << " in row " << (row.parent.empty() ? "window" : row.parent);
            continue;
        }
        found[row.name] = window;
    }
    return found;
}

// One running editor, shared by the tests that only look at it.
class MainWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { session_ = std::make_unique<EditorSession>(SKIRVANE_EXE, kSettings); }
    static void TearDownTestSuite() { session_.reset(); }

    void SetUp() override {
        ASSERT_TRUE(session_->started());
        window_ = session_->mainWindow();
        ASSERT_NE(window_, nullptr) << "the main window did not appear";
        controls_ = locateRows(window_, rows_);
    }

    HWND control(const std::string& row) const {
        const auto found = controls_.find(row);
        return found == controls_.end() ? nullptr : found->second;
    }

    static inline std::unique_ptr<EditorSession> session_;
    const std::vector<Row> rows_ = layoutRows();
    HWND window_ = nullptr;
    std::map<std::string, HWND> controls_;
};

// The window is made 868 x 630 inside; where the system's frame is thin,
// that makes it smaller outside than its limits allow, and the limits win.
TEST_F(MainWindowTest, ClientAreaIs868By630UnlessTheLimitsMakeItLarger) {
    const SIZE client = clientSize(window_);
    const SIZE outer = outerSize(window_);
    EXPECT_EQ(client.cx, std::max(868L, 877 - (outer.cx - client.cx)));
    EXPECT_EQ(client.cy, std::max(630L, 685 - (outer.cy - client.cy)));
    EXPECT_GE(outer.cx, 877);
    EXPECT_GE(outer.cy, 685);
}

TEST_F(MainWindowTest, ReportsItsMinimumSizeAsTheLimitOfResizing) {
    const auto limits = sizeLimits(window_);
    ASSERT_TRUE(limits.has_value());
    EXPECT_EQ(limits->ptMinTrackSize.x, 877);
    EXPECT_EQ(limits->ptMinTrackSize.y, 685);
}

TEST_F(MainWindowTest, EveryControlHasItsPlaceSizeAndCaption) {
    for (const Row& row : rows_) {
        HWND window = control(row.name);
        if (window == nullptr) continue;  // reported by locateRows
        Bounds expected{row.left, row.top, row.width, row.height};
        if (row.width == kFills) {
            const SIZE parentClient = clientSize(GetAncestor(window, GA_PARENT));
            expected.width = parentClient.cx;
            expected.height = parentClient.cy;
        }
        EXPECT_EQ(boundsInParent(window), expected) << "row " << row.name;
        EXPECT_EQ(windowText(window), row.caption) << "row " << row.name;
        EXPECT_TRUE(IsWindowVisible(window)) << "row " << row.name;
    }
}

TEST_F(MainWindowTest, EachWindowHoldsOnlyTheControlsOfTheLayout) {
    std::map<std::string, int> expectedChildren;
    for (const Row& row : rows_) ++expectedChildren[row.parent];
    for (const auto& [parent, count] : expectedChildren) {
        HWND window = control(parent);
        if (window == nullptr) continue;
        int children = 0;
        for (const ChildWindow& child : childWindows(window))
            children += !(parent.empty() && hasClass(child.handle, L"msctls_statusbar32"));
        EXPECT_EQ(children, count) << "children of " << (parent.empty() ? "the window" : "row " + parent);
    }
    EXPECT_NE(FindWindowExW(window_, nullptr, L"msctls_statusbar32", nullptr), nullptr);
}

TEST_F(MainWindowTest, OnlyTheFramesAndDelayBoxesAreDisabled) {
    for (const Row& row : rows_) {
        HWND window = control(row.name);
        if (window == nullptr) continue;
        const bool disabled = row.name == "28" || row.name == "30";
        EXPECT_EQ(IsWindowEnabled(window) == FALSE, disabled) << "row " << row.name;
    }
}

TEST_F(MainWindowTest, DensityBarsStandAtFiftyAndColourBarsAtZero) {
    for (const std::string& row : kBarRows) {
        HWND bar = control(row);
        if (bar == nullptr) continue;
        EXPECT_EQ(progressPosition(bar), row == "21" || row == "22" ? 50 : 0) << "row " << row;
    }
}

// Empty, with its one column spanning the list but for a margin.
TEST_F(MainWindowTest, MaterialListStartsEmptyWithItsColumnAcrossTheList) {
    HWND list = control("3");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(session_->listItemCount(list), 0);
    EXPECT_EQ(SendMessageW(list, LVM_GETCOLUMNWIDTH, 0, 0), 189 - 23);
}

TEST_F(MainWindowTest, MenuHoldsTheCommandsWithTheOnTopMarkClearedAndRussianChosen) {
    const std::vector<MenuItem> items = session_->menu();
    std::vector<std::vector<std::string>> paths;
    for (const MenuItem& item : items) paths.push_back(item.path);
    const std::vector<std::vector<std::string>> expected = {
        {"Файл"},
        {"Файл", "Открыть.."},
        {"Файл", "Сохранить"},
        {"Файл", "Сохранить как.."},
        {"Файл", ""},
        {"Файл", "Выход"},
        {"Правка"},
        {"Правка", "Отменить"},
        {"Правка", "Повторить"},
        {"Правка", "Флаги материала"},
        {"Правка", "Путь к папке с изображениями.."},
        {"Правка", "Язык / Language"},
        {"Правка", "Язык / Language", "Русский"},
        {"Правка", "Язык / Language", "English"},
        {"Просмотр"},
        {"Просмотр", "Отображать viewer поверх всех окон"},
        {"Просмотр", "Viewer"},
        {"Просмотр", "Где используется материал"},
        {"Помощь"},
        {"Помощь", "О программе"},
    };
    ASSERT_EQ(paths, expected);
    EXPECT_TRUE(items[4].separator);
    EXPECT_FALSE(items[7].enabled) << "nothing to undo yet";
    EXPECT_FALSE(items[8].enabled) << "nothing to redo yet";
    for (const MenuItem& item : items) EXPECT_EQ(item.checked, item.path.back() == "Русский") << item.path.back();
}

TEST_F(MainWindowTest, StatusBarShowsOneSpace) { EXPECT_EQ(session_->statusText(), " "); }

// --- hints --------------------------------------------------------------------------------

// The real pointer over the controls of one running editor.
class MainWindowHintTest : public MainWindowTest {
protected:
    // Puts the pointer in the middle of a control.
    void hover(const std::string& row) {
        HWND window = control(row);
        ASSERT_NE(window, nullptr) << "row " << row;
        const SIZE size = clientSize(window);
        ASSERT_TRUE(movePointerTo(window, size.cx / 2, size.cy / 2)) << "row " << row;
        POINT pointer{};
        GetCursorPos(&pointer);
        ASSERT_EQ(WindowFromPoint(pointer), window) << "row " << row << " is covered";
    }

    // Moves the pointer to a bare spot of the settings panel, over no
    // control with a hint, and gives the system the time it takes to tell
    // the control the pointer came from that it left (it checks on a timer
    // of the mouse-hover period).
    void hoverNothing() {
        HWND panel = control("10");
        ASSERT_NE(panel, nullptr);
        ASSERT_TRUE(movePointerTo(panel, 250, 500));  // right of the Viewer button
        UINT hoverTime = 400;
        SystemParametersInfoW(SPI_GETMOUSEHOVERTIME, 0, &hoverTime, 0);
        Sleep(2 * hoverTime + 100);
    }

    // The hint the row shows once the pointer came there from a bare spot.
    std::string hintOf(const std::string& row) {
        hoverNothing();
        hover(row);
        std::string shown;
        waitUntil([&] { return (shown = session_->statusText()) != "" && shown != " "; });
        return shown;
    }

    bool statusBecomes(const std::string& text) {
        return waitUntil([&] { return session_->statusText() == text; });
    }

    void TearDown() override { parkPointer(); }
};

TEST_F(MainWindowHintTest, EveryBarShowsTheSliderHint) {
    for (const std::string& bar : kBarRows) EXPECT_EQ(hintOf(bar), kBarHint) << "row " << bar;
}

TEST_F(MainWindowHintTest, NameBoxesShowTheTypingHintUntilThePointerLeaves) {
    for (const std::string& box : kNameBoxRows) {
        EXPECT_EQ(hintOf(box), kEditHint) << "row " << box;
        hoverNothing();
        EXPECT_EQ(session_->statusText(), "") << "after leaving row " << box;
    }
}

TEST_F(MainWindowHintTest, SwatchesShowTheColourDialogHintUntilThePointerLeaves) {
    for (const std::string& swatch : kSwatchRows) {
        EXPECT_EQ(hintOf(swatch), kSwatchHint) << "row " << swatch;
        hoverNothing();
        EXPECT_EQ(session_->statusText(), "") << "after leaving row " << swatch;
    }
}

// Each of the panel's flag boxes says what the engine does with its bit.
TEST_F(MainWindowHintTest, EveryFlagBoxShowsWhatTheEngineDoesWithItsBit) {
    const std::vector<std::pair<std::string, std::string>> boxes{
        {"48", "Материал виден с обеих сторон"},
        {"49", "Аддитивное смешивание: материал прибавляет свой цвет к тому, что за ним"},
        {"50", "Анимированная alfa текстура"},
        {"51", "Цветовой ключ: первый цвет палитры 8-битной текстуры прозрачен"},
        {"52", "Альфа- и аддитивные эффекты: нужен alfa текстуре, цветовому ключу и смешиванию"},
        {"53", "Мип-маппинг: уменьшенные копии текстуры для дальних поверхностей"},
    };
    for (const auto& [row, hint] : boxes) EXPECT_EQ(hintOf(row), hint) << "row " << row;
}

TEST_F(MainWindowHintTest, TheUsageLineAndTheFrameSearchBoxSayWhatTheyDo) {
    EXPECT_EQ(hintOf("54"), "Щелчок или Ctrl+U: кадры, где используется материал");
    EXPECT_EQ(hintOf("55"), "Искать материалы кадров, в имени которых есть текст поиска (без учёта регистра)");
}

// A quick hand goes from one control to the next without resting between
// them: the hint of the control it reaches must stay, whatever order the
// system reports the leaving of the first one in.
TEST_F(MainWindowHintTest, MovingStraightToAnotherControlKeepsItsHint) {
    const struct {
        const char* from;
        const char* to;
        const char* hint;
    } moves[] = {{"33", "21", kBarHint}, {"21", "35", kEditHint}, {"35", "44", kSwatchHint}, {"44", "42", kBarHint}};
    for (const auto& move : moves) {
        ASSERT_NE(hintOf(move.from), "") << "row " << move.from;
        hover(move.to);
        // Given the time a late leave of the first control needs to come.
        Sleep(1000);
        EXPECT_EQ(session_->statusText(), move.hint) << "from row " << move.from << " to row " << move.to;
    }
}

// --- resizing -------------------------------------------------------------------------------

// Each resize gets an editor of its own.
class MainWindowResizeTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(session_.started());
        window_ = session_.mainWindow();
        ASSERT_NE(window_, nullptr) << "the main window did not appear";
    }
    void TearDown() override { parkPointer(); }

    EditorSession session_{SKIRVANE_EXE, kSettings};
    HWND window_ = nullptr;
};

TEST_F(MainWindowResizeTest, UserCannotMakeTheWindowSmallerThanItsLimits) {
    // Made larger first, so that the limits have something to stop.
    const SIZE start = outerSize(window_);
    ASSERT_TRUE(dragBottomRightCorner(window_, 100, 80));
    ASSERT_EQ(outerSize(window_).cx, start.cx + 100);
    ASSERT_EQ(outerSize(window_).cy, start.cy + 80);
    ASSERT_TRUE(dragBottomRightCorner(window_, -300, -300));
    EXPECT_EQ(outerSize(window_).cx, 877);
    EXPECT_EQ(outerSize(window_).cy, 685);
}

TEST_F(MainWindowResizeTest, GrowingTheWindowStretchesTheListAndMovesTheSettings) {
    const std::vector<Row> rows = layoutRows();
    const std::map<std::string, HWND> before = locateRows(window_, rows);
    ASSERT_EQ(before.size(), rows.size() + 1);
    const SIZE start = outerSize(window_);
    constexpr int dx = 120;
    constexpr int dy = 90;
    ASSERT_TRUE(dragBottomRightCorner(window_, dx, dy));
    ASSERT_EQ(outerSize(window_).cx, start.cx + dx);
    ASSERT_EQ(outerSize(window_).cy, start.cy + dy);

    const auto bounds = [&](const std::string& row) { return boundsInParent(before.at(row)); };
    EXPECT_EQ(bounds("1"), (Bounds{8, 8, 209 + dx, 594 + dy})) << "list panel";
    EXPECT_EQ(bounds("3"), (Bounds{8, 32, 189 + dx, 522 + dy})) << "material list";
    EXPECT_EQ(bounds("4"), (Bounds{8, 561 + dy, 190 + dx, 25})) << "\"Показать все\"";
    EXPECT_EQ(bounds("10"), (Bounds{224 + dx, 8, 637, 514 + dy})) << "settings panel";
    EXPECT_EQ(bounds("5"), (Bounds{224 + dx, 525 + dy, 637, 77})) << "search panel";
    EXPECT_EQ(bounds("9"), (Bounds{224, 31, 129, 25})) << "\"Найти\"";
    EXPECT_EQ(bounds("23"), (Bounds{322, 363 + dy, 305, 143})) << "animation panel";
    EXPECT_EQ(bounds("38"), (Bounds{216, 32, 201, 145})) << "diffuse group";
}

}  // namespace
