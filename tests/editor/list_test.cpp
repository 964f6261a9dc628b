// The material list as the user works it: the rows an opened model gives,
// "Показать все", the search with "Найти", and the texture names confirmed
// with Enter in the properties panel, which reach the selected row at once
// and the material only when the panel is applied (another row selected,
// a search, a save).
#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "editor_driver.h"
#include "model_bytes.h"

namespace {

using namespace editor_driver;
using test_support::readFileBytes;
using test_support::recordWithNames;
using test_support::RecordBytes;

const std::vector<std::string> kSave{"Файл", "Сохранить"};

using Names = std::array<std::string, 3>;  // reflection, diffuse, alpha

std::string modelOf(const std::vector<RecordBytes>& records) {
    return test_support::encodeModel({.records = records, .remainder = "mesh data"});
}

// A name as a record stores it: its length byte, then its characters.
std::string storedName(const std::string& name) { return static_cast<char>(name.size()) + name; }

bool holdsName(const std::string& fileBytes, const std::string& name) {
    return fileBytes.find(storedName(name)) != std::string::npos;
}

// Three materials: the first two carry all three names, the third only a
// diffuse name.
const std::vector<RecordBytes> kThreeMaterials = {
    recordWithNames("NEBO.BMP", "KAMEN.BMP", "STEKLO+.BMP"),
    recordWithNames("SKY.BMP", "ДЕРЕВО.BMP", "МАСКА.BMP"),
    recordWithNames("", "TRAVA.BMP", ""),
};
const std::vector<std::string> kThreeRows = {
    "[1] NEBO.BMP|KAMEN.BMP|STEKLO+.BMP",
    "[2] SKY.BMP|ДЕРЕВО.BMP|МАСКА.BMP",
    "[3] |TRAVA.BMP|",
};
const Names kFirstNames = {"NEBO.BMP", "KAMEN.BMP", "STEKLO+.BMP"};
const Names kSecondNames = {"SKY.BMP", "ДЕРЕВО.BMP", "МАСКА.BMP"};

// Each test gets an editor of its own.
class MaterialListTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(editor_.ready()) << "the main window or one of its controls did not come"; }
    void TearDown() override { parkPointer(); }

    void open(const std::vector<RecordBytes>& records, const std::string& name = "model.4ds") {
        ASSERT_TRUE(editor_.openModel(modelOf(records), name)) << "could not open " << name;
    }

    // Saves with the menu and gives the bytes of the saved file. (The file
    // is read only once the save is done: a reader holding it open would
    // keep the program from replacing it.)
    std::string save(const std::string& name = "model.4ds") {
        EXPECT_TRUE(editor_.session().chooseMenuItem(kSave));
        EXPECT_TRUE(editor_.session().waitForEarlierCommands()) << "the save did not end quietly";
        return readFileBytes(editor_.inUserFolder(name));
    }

    EditorUser editor_{SKIRVANE_EXE};
};

// --- filling -----------------------------------------------------------------------

TEST_F(MaterialListTest, OpeningAModelListsEveryMaterialAndShowsTheFirst) {
    open({recordWithNames("NEBO.BMP", "KAMEN.BMP", "STEKLO+.BMP"), recordWithNames("", "ДЕРЕВО.BMP", ""),
          recordWithNames("", "", ""), recordWithNames("", "wood.bmp", "МАСКА.BMP")});
    EXPECT_EQ(editor_.rows(), (std::vector<std::string>{"[1] NEBO.BMP|KAMEN.BMP|STEKLO+.BMP", "[2] |ДЕРЕВО.BMP|",
                                                        "[3] ||", "[4] |wood.bmp|МАСКА.BMP"}));
    EXPECT_EQ(editor_.selectedRow(), 0);
    EXPECT_EQ(editor_.session().listItemState(editor_.controls().materialList, 0, LVIS_SELECTED | LVIS_FOCUSED),
              static_cast<UINT>(LVIS_SELECTED | LVIS_FOCUSED));
    EXPECT_EQ(editor_.shownNames(), kFirstNames);
}

// The boxes turn typed letters into capitals; a name the material brings
// is shown as it is stored.
TEST_F(MaterialListTest, NameBoxesShowTheNamesOfTheMaterialInTheirOwnCase) {
    open({recordWithNames("sky.bmp", "Wood.Bmp", "маска.tga")});
    EXPECT_EQ(editor_.rows(), (std::vector<std::string>{"[1] sky.bmp|Wood.Bmp|маска.tga"}));
    EXPECT_EQ(editor_.shownNames(), (Names{"sky.bmp", "Wood.Bmp", "маска.tga"}));
}

TEST_F(MaterialListTest, ModelWithoutMaterialsGivesAnEmptyListAndLeavesThePanelAlone) {
    open(kThreeMaterials);
    ASSERT_EQ(editor_.shownNames(), kFirstNames);
    open({}, "empty.4ds");
    EXPECT_TRUE(editor_.rows().empty());
    EXPECT_EQ(editor_.selectedRow(), -1);
    EXPECT_EQ(editor_.shownNames(), kFirstNames);
}

// The panel still shows a material of the model that was closed; nothing
// may be written into it, nor into the model now open.
TEST_F(MaterialListTest, SearchAndSaveAfterAModelWithoutMaterialsWriteThatModelUnchanged) {
    open(kThreeMaterials);
    const std::string empty = modelOf({});
    open({}, "empty.4ds");
    ASSERT_TRUE(editor_.search("KAMEN"));
    EXPECT_EQ(save("empty.4ds"), test_support::withSavedHeader(empty));
    EXPECT_TRUE(editor_.session().running());
    EXPECT_TRUE(editor_.rows().empty());
}

TEST_F(MaterialListTest, ShowAllListsEveryMaterialAgainAfterASearch) {
    open(kThreeMaterials);
    ASSERT_TRUE(editor_.search("TRAVA"));
    ASSERT_EQ(editor_.rows(), (std::vector<std::string>{"[3] |TRAVA.BMP|"}));
    ASSERT_TRUE(editor_.showAll());
    EXPECT_EQ(editor_.rows(), kThreeRows);
    EXPECT_EQ(editor_.selectedRow(), 0);
    EXPECT_EQ(editor_.shownNames(), kFirstNames);
}

// --- names confirmed with Enter, and applying the panel ------------------------------

TEST_F(MaterialListTest, EnterInANameBoxChangesTheSelectedRowAndShowAllWritesItBack) {
    open(kThreeMaterials);
    ASSERT_TRUE(editor_.enterText(editor_.controls().diffuseNameBox, "stone"));
    EXPECT_EQ(editor_.shownNames(), (Names{"NEBO.BMP", "STONE.BMP", "STEKLO+.BMP"}));
    std::vector<std::string> changed = kThreeRows;
    changed[0] = "[1] NEBO.BMP|STONE.BMP|STEKLO+.BMP";
    EXPECT_EQ(editor_.rows(), changed);

    // "Показать все" writes the panel back first, as "Найти" and Save do.
    ASSERT_TRUE(editor_.showAll());
    EXPECT_EQ(editor_.rows(), changed);
    EXPECT_EQ(editor_.shownNames(), (Names{"NEBO.BMP", "STONE.BMP", "STEKLO+.BMP"}));
}

TEST_F(MaterialListTest, SaveWritesANameConfirmedWithEnter) {
    open(kThreeMaterials);
    ASSERT_TRUE(editor_.enterText(editor_.controls().alphaNameBox, "glass.tga"));
    ASSERT_EQ(editor_.shownNames(), (Names{"NEBO.BMP", "KAMEN.BMP", "GLASS.TGA"}));
    const std::string saved = save();
    EXPECT_TRUE(holdsName(saved, "GLASS.TGA"));
    EXPECT_FALSE(holdsName(saved, "STEKLO+.BMP"));
    for (const std::string& name : kSecondNames) EXPECT_TRUE(holdsName(saved, name)) << name;
}

TEST_F(MaterialListTest, FindAppliesTheEditedNamesBeforeItSearches) {
    open(kThreeMaterials);
    ASSERT_TRUE(editor_.enterText(editor_.controls().reflectionNameBox, "sun"));
    ASSERT_EQ(editor_.shownNames(), (Names{"SUN.BMP", "KAMEN.BMP", "STEKLO+.BMP"}));
    ASSERT_TRUE(editor_.search("SUN"));
    EXPECT_EQ(editor_.rows(), (std::vector<std::string>{"[1] SUN.BMP|KAMEN.BMP|STEKLO+.BMP"}));
    EXPECT_EQ(editor_.shownNames(), (Names{"SUN.BMP", "KAMEN.BMP", "STEKLO+.BMP"}));
}

// The list view reports a selection moving from row A to row B as three
// changes: A from selected and focused to focused, A from focused to
// none, then B from none to selected and focused (the toolkit's list view
// tests hold that order). Whatever the order, the panel's values must go
// into A's material before B's is shown, never into B's.
TEST_F(MaterialListTest, MovingTheSelectionAppliesThePanelBeforeTheNextMaterialIsShown) {
    open(kThreeMaterials);
    ASSERT_TRUE(editor_.enterText(editor_.controls().diffuseNameBox, "STONE"));
    std::vector<std::string> changed = kThreeRows;
    changed[0] = "[1] NEBO.BMP|STONE.BMP|STEKLO+.BMP";
    ASSERT_EQ(editor_.rows(), changed);

    ASSERT_TRUE(editor_.clickRow(1));
    EXPECT_EQ(editor_.selectedRow(), 1);
    EXPECT_EQ(editor_.shownNames(), kSecondNames);
    EXPECT_EQ(editor_.rows(), changed);

    ASSERT_TRUE(editor_.clickRow(0));
    EXPECT_EQ(editor_.shownNames(), (Names{"NEBO.BMP", "STONE.BMP", "STEKLO+.BMP"}));
    EXPECT_EQ(editor_.rows(), changed);

    // The materials themselves hold it: "Показать все" makes the rows anew
    // from them, and the file is written from them.
    ASSERT_TRUE(editor_.showAll());
    EXPECT_EQ(editor_.rows(), changed);
    const std::string saved = save();
    const std::size_t stone = saved.find(storedName("STONE.BMP"));
    ASSERT_NE(stone, std::string::npos);
    EXPECT_LT(stone, saved.find(storedName("SKY.BMP"))) << "the name went into the first material";
    EXPECT_FALSE(holdsName(saved, "KAMEN.BMP"));
    for (const std::string& name : kSecondNames) EXPECT_TRUE(holdsName(saved, name)) << name;
}

// With no row there is no material to edit: the name is not even
// completed with ".BMP".
TEST_F(MaterialListTest, EnterInANameBoxDoesNothingWhileTheListIsEmpty) {
    open(kThreeMaterials);
    ASSERT_TRUE(editor_.search("NOTHING"));
    ASSERT_EQ(editor_.rows(), (std::vector<std::string>{}));
    ASSERT_TRUE(editor_.enterText(editor_.controls().diffuseNameBox, "STONE"));
    EXPECT_EQ(windowText(editor_.controls().diffuseNameBox), "STONE");

    ASSERT_TRUE(editor_.showAll());
    EXPECT_EQ(editor_.rows(), kThreeRows);
    EXPECT_EQ(editor_.shownNames(), kFirstNames);
}

// A character code page 1251 lacks is never taken as a look-alike of one
// it has: a name or a search text holding one is refused with a notice.
TEST_F(MaterialListTest, NameOrSearchTextWithACharacterTheCodePageLacksIsRefused) {
    open(kThreeMaterials);
    const auto answerNotice = [this] {
        HWND box = editor_.session().waitForMessageBox();
        const std::string text = box != nullptr ? messageText(box) : "(no notice)";
        if (box != nullptr) pressButton(box, IDOK);
        EXPECT_TRUE(box == nullptr || waitForWindowGone(box));
        return text;
    };
    constexpr char kRefusal[] = "Имя текстуры может содержать только символы кодовой страницы 1251";
    ASSERT_TRUE(enterIntoBox(editor_.controls().diffuseNameBox, L"caf\u00E9"));
    EXPECT_EQ(answerNotice(), kRefusal);
    EXPECT_TRUE(waitUntil([&] { return windowText(editor_.controls().diffuseNameBox) == "KAMEN.BMP"; }));
    ASSERT_TRUE(typeIntoBox(editor_.controls().searchBox, L"\u00C9"));
    ASSERT_TRUE(clickMiddle(editor_.controls().findButton));
    EXPECT_EQ(answerNotice(), kRefusal);
    EXPECT_EQ(editor_.rows(), kThreeRows);
    const std::string saved = save();
    EXPECT_TRUE(holdsName(saved, "KAMEN.BMP"));
    EXPECT_FALSE(holdsName(saved, "CAFE.BMP"));
}

// The selected row shows in the highlight colours while the list has the
// keyboard, and in the button face framed in the button shadow while a
// name box has it.
TEST_F(MaterialListTest, SelectedRowIsShownWithAndWithoutTheKeyboard) {
    open(kThreeMaterials);
    HWND list = editor_.controls().materialList;
    const auto rowColour = [&](int inside) {
        const auto rect = editor_.session().listRowRect(list, 0);
        const test_support::Picture picture = screenPicture(list);
        return rect ? picture.at(rect->left + inside, rect->top + inside) : 0xFFFFFFFFU;
    };
    const auto systemColour = [](int index) {
        const COLORREF colour = GetSysColor(index);
        return static_cast<std::uint32_t>(GetRValue(colour) << 16 | GetGValue(colour) << 8 | GetBValue(colour));
    };
    ASSERT_TRUE(editor_.session().clickListRow(list, 0));
    EXPECT_TRUE(waitUntil([&] { return rowColour(1) == systemColour(COLOR_HIGHLIGHT); })) << std::hex << rowColour(1);
    ASSERT_TRUE(typeIntoBox(editor_.controls().alphaNameBox, ""));
    EXPECT_TRUE(waitUntil([&] { return rowColour(1) == systemColour(COLOR_BTNFACE); })) << std::hex << rowColour(1);
    EXPECT_EQ(rowColour(0), systemColour(COLOR_BTNSHADOW)) << std::hex << rowColour(0);
}

// Ctrl+F takes the keyboard to the search box with its text selected,
// Enter there finds, F5 lists every material again, Ctrl+S saves and
// Ctrl+O opens the file dialog, whichever control has the keyboard.
TEST_F(MaterialListTest, ShortcutsWorkFromAnyControl) {
    open(kThreeMaterials);
    const MainWindowControls& controls = editor_.controls();
    ASSERT_TRUE(editor_.search("SKY"));
    ASSERT_TRUE(enterIntoBox(controls.diffuseNameBox, "STONE"));
    pressControlKey('F');
    ASSERT_TRUE(waitUntil([&] { return focusedWindow(controls.searchBox) == controls.searchBox; }));
    typeText("TRAVA");
    pressKey(VK_RETURN);
    EXPECT_TRUE(waitUntil([&] { return editor_.rows() == std::vector<std::string>{"[3] |TRAVA.BMP|"}; }));
    pressKey(VK_F5);
    EXPECT_TRUE(waitUntil([&] { return editor_.rows().size() == kThreeRows.size(); }));
    pressControlKey('S');
    ASSERT_TRUE(editor_.waitForEarlierInput());  // the save is done: a reader now keeps it from nothing
    EXPECT_TRUE(holdsName(readFileBytes(editor_.inUserFolder("model.4ds")), "STONE.BMP"));
    pressControlKey('O');
    HWND dialog = editor_.session().waitForFileDialog();
    ASSERT_NE(dialog, nullptr);
    pressButton(dialog, IDCANCEL);
    EXPECT_TRUE(waitForWindowGone(dialog));
    EXPECT_EQ(editor_.session().menuItem({"Файл", "Сохранить"})->shortcut, "Ctrl+S");
}

// --- searching ---------------------------------------------------------------------

// One editor with one model for all the searches: a search leaves the
// materials as they are when nothing was edited.
class MaterialSearchTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        editor_ = std::make_unique<EditorUser>(SKIRVANE_EXE);
        if (!editor_->ready() || !editor_->openModel(modelOf(kMaterials))) editor_.reset();
    }
    static void TearDownTestSuite() { editor_.reset(); }
    void SetUp() override { ASSERT_NE(editor_, nullptr) << "the editor did not start with its model"; }
    void TearDown() override { parkPointer(); }

    // The rows the search for `text` leaves.
    static std::vector<std::string> searchFor(const std::string& text) {
        if (!editor_->search(text)) {
            ADD_FAILURE() << "could not search for " << text;
            return {};
        }
        return editor_->rows();
    }

    static inline const std::vector<RecordBytes> kMaterials = {
        recordWithNames("", "WOOD.BMP", ""),           recordWithNames("", "wood.bmp", ""),
        recordWithNames("SKY.BMP", "GRASS.BMP", ""),   recordWithNames("", "rock.tga", "MASK.BMP"),
        recordWithNames("", "", ""),                   recordWithNames("ENV.BMP", "BARK.TGA", ""),
        recordWithNames("", "grass.bmp", "GRASS_A.BMP"), recordWithNames("wood_a.bmp", "", ""),
    };
    static inline std::unique_ptr<EditorUser> editor_;
};

TEST_F(MaterialSearchTest, SearchForBmpListsEveryMaterialWithBmpInAnyOfItsNames) {
    EXPECT_EQ(searchFor("BMP"), (std::vector<std::string>{"[1] |WOOD.BMP|", "[3] SKY.BMP|GRASS.BMP|",
                                                          "[4] |rock.tga|MASK.BMP", "[6] ENV.BMP|BARK.TGA|",
                                                          "[7] |grass.bmp|GRASS_A.BMP"}));
}

// The box turns typed letters into capitals, and the comparison heeds
// case: names stored in small letters are not found by letters.
TEST_F(MaterialSearchTest, TypedLettersSearchAsCapitalsAndMissNamesInSmallLetters) {
    const std::vector<std::string> found = searchFor("wood");
    EXPECT_EQ(windowText(editor_->controls().searchBox), "WOOD");
    EXPECT_EQ(found, (std::vector<std::string>{"[1] |WOOD.BMP|"}));
}

TEST_F(MaterialSearchTest, SearchTextMayRunAcrossASeparator) {
    EXPECT_EQ(searchFor("P|G"), (std::vector<std::string>{"[3] SKY.BMP|GRASS.BMP|"}));
    EXPECT_EQ(searchFor("|GRASS_"), (std::vector<std::string>{"[7] |grass.bmp|GRASS_A.BMP"}));
    EXPECT_EQ(searchFor("||"), (std::vector<std::string>{"[5] ||", "[8] wood_a.bmp||"}));
}

TEST_F(MaterialSearchTest, HitsKeepTheirNumbersAndTheFirstHitIsShown) {
    EXPECT_EQ(searchFor("GRASS"), (std::vector<std::string>{"[3] SKY.BMP|GRASS.BMP|", "[7] |grass.bmp|GRASS_A.BMP"}));
    EXPECT_EQ(editor_->selectedRow(), 0);
    EXPECT_EQ(editor_->shownNames(), (Names{"SKY.BMP", "GRASS.BMP", ""}));
}

TEST_F(MaterialSearchTest, SearchWithoutHitsEmptiesTheListAndKeepsThePanel) {
    ASSERT_TRUE(editor_->showAll());
    ASSERT_EQ(editor_->rows().size(), kMaterials.size());
    ASSERT_TRUE(editor_->clickRow(5));
    const Names sixth = {"ENV.BMP", "BARK.TGA", ""};
    ASSERT_EQ(editor_->shownNames(), sixth);
    EXPECT_EQ(searchFor("NOTHING"), (std::vector<std::string>{}));
    EXPECT_EQ(editor_->selectedRow(), -1);
    EXPECT_EQ(editor_->shownNames(), sixth);
}

TEST_F(MaterialSearchTest, EmptySearchTextListsNothing) { EXPECT_EQ(searchFor(""), (std::vector<std::string>{})); }

}  // namespace
