// Where the materials are used, in the real editor: the panel's line for
// the shown material, the materials no frame uses in grey in the list, the
// usage window (Ctrl+U), the search by frame name, and a model whose frames
// cannot be read.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor/control_ids.h"
#include "editor_driver.h"
#include "frame_bytes.h"
#include "model_bytes.h"

namespace {

using namespace editor_driver;
using namespace test_support;

constexpr std::uint32_t kUnusedGrey = 0x909090;

// Materials 1 and 2 used, 3 unused, 4 used by a glow; the second wheel an
// instance of the first.
std::string carModel(const std::string& frames) {
    ModelBytes model;
    for (const char* name : {"BODY.BMP", "TYRE.BMP", "SPARE.BMP", "FLARE.BMP"})
        model.records.push_back(recordWithNames("", name, ""));
    model.remainder = frames;
    return encodeModel(model);
}

const std::string kCarFrames = frameList({
    meshFrame({"body"}, {{8, {{10, 1}, {2, 1}}}, {4, {{3, 1}}}}),
    meshFrame({"wheel_fl", 1}, {{6, {{7, 2}}}}),
    instanceFrame({"wheel_fr", 1}, 2),
    glowFrame({"lamp"}, {4}),
});

class UsageTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(editor_.ready()) << "the main window or one of its controls did not come";
        usageLine_ = findControl(editor_.session().mainWindow(), editor::UsageLineId);
        ASSERT_NE(usageLine_, nullptr);
    }
    void TearDown() override { parkPointer(); }

    bool usageLineBecomes(const std::string& text) {
        return waitUntil([&] { return windowText(usageLine_) == text; });
    }

    // Whether the row's text shows in the grey of a material no frame uses.
    bool rowIsGrey(int row) {
        HWND list = editor_.controls().materialList;
        const auto rect = editor_.session().listRowRect(list, row);
        const Picture picture = screenPicture(list);
        if (!rect) return false;
        for (int y = rect->top; y < rect->bottom; ++y)
            for (int x = rect->left; x < rect->right; ++x)
                if (picture.at(x, y) == kUnusedGrey) return true;
        return false;
    }

    EditorUser editor_{SKIRVANE_EXE};
    HWND usageLine_ = nullptr;
};

TEST_F(UsageTest, TheShownMaterialsUsageTheUnusedInGreyAndTheSearchByFrame) {
    ASSERT_TRUE(editor_.openModel(carModel(kCarFrames)));
    EXPECT_TRUE(usageLineBecomes("Используется: кадров 1, граней 12")) << windowText(usageLine_);
    ASSERT_TRUE(editor_.clickRow(1));
    EXPECT_TRUE(usageLineBecomes("Используется: кадров 2, граней 14")) << windowText(usageLine_);
    EXPECT_TRUE(waitUntil([&] { return rowIsGrey(2); }));
    EXPECT_FALSE(rowIsGrey(0));
    EXPECT_EQ(editor_.rows()[2], "[3] |SPARE.BMP|") << "the row's text stays";

    pressControlKey('U');
    HWND window = editor_.session().waitForTopLevel([](HWND candidate) {
        return IsWindowVisible(candidate) && windowText(candidate) == "Где используется материал";
    });
    ASSERT_NE(window, nullptr) << "Ctrl+U showed no usage window";
    HWND uses = findControl(window, editor::UsageListId);
    EXPECT_TRUE(waitUntil([&] {
        return editor_.session().listRows(uses) == std::vector<std::string>{"wheel_fl", "wheel_fr (копия wheel_fl)"};
    }));
    EXPECT_EQ(editor_.session().listItemText(uses, 1, 2), "7");
    PostMessageW(window, WM_CLOSE, 0, 0);  // closing only hides it
    EXPECT_TRUE(waitUntil([&] { return !IsWindowVisible(window); }));

    ASSERT_TRUE(editor_.clickRow(3));
    EXPECT_TRUE(usageLineBecomes("Используется: кадров 1, свечений 1")) << windowText(usageLine_);
    ASSERT_TRUE(editor_.clickRow(2));
    EXPECT_TRUE(usageLineBecomes("Не используется ни одним кадром")) << windowText(usageLine_);
    ASSERT_TRUE(clickMiddle(findControl(editor_.session().mainWindow(), editor::FrameSearchBoxId)));
    ASSERT_TRUE(editor_.search("WHEEL"));
    EXPECT_EQ(editor_.rows(), std::vector<std::string>{"[2] |TYRE.BMP|"});
}

TEST_F(UsageTest, AModelWhoseFramesCannotBeReadSaysSoAndCallsNothingUnused) {
    ASSERT_TRUE(editor_.openModel(carModel(frameList({bareFrame({"sun"}, 2)}))));
    EXPECT_TRUE(waitUntil([&] {
        return editor_.session().statusText() ==
               "Кадры модели не прочитаны, где используются материалы, неизвестно: кадр 1: неизвестный тип кадра 2";
    })) << editor_.session().statusText();
    EXPECT_TRUE(usageLineBecomes("Где используется, неизвестно: кадры модели не прочитаны")) << windowText(usageLine_);
    EXPECT_FALSE(rowIsGrey(2));

    ASSERT_TRUE(clickMiddle(findControl(editor_.session().mainWindow(), editor::FrameSearchBoxId)));
    ASSERT_TRUE(typeIntoBox(editor_.controls().searchBox, "SUN"));
    ASSERT_TRUE(clickMiddle(editor_.controls().findButton));
    HWND notice = editor_.session().waitForMessageBox();
    ASSERT_NE(notice, nullptr) << "no notice";
    EXPECT_EQ(messageText(notice), "Кадры модели не прочитаны: искать по имени кадра нельзя");
    pressButton(notice, IDOK);
    EXPECT_TRUE(waitForWindowGone(notice));
    EXPECT_EQ(editor_.rows().size(), 4U) << "the list stays";
}

}  // namespace
