// The flags window end to end: opened with Ctrl+E, it shows the shown
// material's whole word; a switch and a mode changed there reach the file
// as exactly those bits, in one undo step; its boxes and the panel's follow
// each other; and setting the image-alpha switch over a stored alpha name
// asks first.
#include <windows.h>

#include <gtest/gtest.h>

#include "editor/control_ids.h"
#include "editor_driver.h"
#include "model/material.h"
#include "panel_driver.h"
#include "panel_fixture.h"

namespace {

using namespace panel_test;
using editor_driver::findControl;
using editor_driver::waitUntil;
using editor_driver::windowText;
using panel_driver::waitForCheckMark;
using test_support::recordWithNames;

constexpr std::uint32_t kNoWrapU = 0x00010000;

class FlagsWindowTest : public PanelTest {
protected:
    // Ctrl+E in the main window; the window, moved clear of the panel.
    HWND openFlagsWindow() {
        panel_driver::waitForInputHandled(session_.editor());
        editor_driver::pressControlKey('E');
        HWND window = session_.editor().waitForTopLevel(
            [](HWND candidate) { return IsWindowVisible(candidate) && windowText(candidate) == "Флаги материала"; });
        if (window != nullptr) SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        return window;
    }
    static void raiseWithoutActivating(HWND window) {
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    HWND switchBox(HWND window, std::uint32_t bit) { return findControl(window, editor::flagSwitchBoxId(bit)); }
};

TEST_F(FlagsWindowTest, ChangesReachTheFileAsExactlyTheirBitsInOneStep) {
    RecordBytes glass = recordWithNames("CHROME.BMP", "GLASS.BMP", "GLASS+.BMP");
    glass.flags |= 0x00009101;  // tiling 1, blend 1, mapping 1, extra settings
    const std::vector<RecordBytes> materials{glass, recordWithNames("", "WOOD.BMP", "")};
    ASSERT_NO_FATAL_FAILURE(open(materials));
    const std::string opened = session_.fileBytes();
    HWND window = openFlagsWindow();
    ASSERT_NE(window, nullptr) << "Ctrl+E showed no flags window";
    EXPECT_TRUE(waitUntil([&] { return windowText(findControl(window, editor::FlagWordLabelId)) == "0x400C9101"; }))
        << windowText(findControl(window, editor::FlagWordLabelId));
    EXPECT_FALSE(IsWindowEnabled(switchBox(window, model::AlphaTexture))) << "a layout bit follows the names";

    ASSERT_NO_FATAL_FAILURE(toggle(switchBox(window, kNoWrapU)));
    ASSERT_TRUE(session_.editor().clickListRow(findControl(window, editor::BlendModeListId), 3));
    // The window changes exactly its bit; the panel's rules run for the
    // panel's own boxes only, and either side shows what the other set.
    ASSERT_NO_FATAL_FAILURE(toggle(switchBox(window, model::DiffuseChannel)));
    EXPECT_TRUE(waitForCheckMark(panel().diffuseChannelBox, true));
    ASSERT_NO_FATAL_FAILURE(toggle(switchBox(window, model::ExtraSettings)));
    EXPECT_TRUE(waitForCheckMark(panel().extraSettingsBox, false));
    ASSERT_NO_FATAL_FAILURE(toggle(panel().doubleSidedBox));
    raiseWithoutActivating(window);  // the main window came over it; its keys stay the main window's
    EXPECT_TRUE(waitForCheckMark(switchBox(window, model::DoubleSided), true));
    EXPECT_TRUE(waitForCheckMark(switchBox(window, model::ExtraSettings), true)) << "the panel's rule";
    ASSERT_NO_FATAL_FAILURE(save());
    std::vector<RecordBytes> expected = materials;
    expected[0].flags =
        (glass.flags & ~0x00000700U) | 0x00000300 | kNoWrapU | model::DiffuseChannel | model::DoubleSided;
    expectSaved(expected);

    panel_driver::waitForInputHandled(session_.editor());  // the main window has the keyboard again
    editor_driver::pressControlKey('Z');
    // Save is a posted command, which the program takes before typed keys.
    panel_driver::waitForInputHandled(session_.editor());
    ASSERT_NO_FATAL_FAILURE(save());
    EXPECT_EQ(fileDifference(session_.fileBytes(), test_support::withSavedHeader(opened)), "")
        << "one undo takes the whole change back";
}

TEST_F(FlagsWindowTest, ImageAlphaOverAStoredAlphaNameAsksFirst) {
    const RecordBytes glass = recordWithNames("", "GLASS.BMP", "GLASS+.BMP");
    ASSERT_NO_FATAL_FAILURE(open({glass}));
    HWND window = openFlagsWindow();
    ASSERT_NE(window, nullptr);
    HWND imageAlpha = switchBox(window, model::ImageAlpha);
    for (const int answer : {IDNO, IDYES}) {
        ASSERT_NO_FATAL_FAILURE(click(imageAlpha));
        const auto question = panel_driver::answerMessageBox(session_.editor(), answer);
        ASSERT_TRUE(question.has_value()) << "no question came";
        EXPECT_EQ(question->icon, panel_driver::MessageIcon::Question);
        EXPECT_NE(question->text.find("alfa текстура не хранится"), std::string::npos) << question->text;
    }
    EXPECT_TRUE(waitForCheckMark(imageAlpha, true));
    EXPECT_TRUE(waitUntil([&] { return windowText(panel().alphaNameBox).empty(); }));
    ASSERT_NO_FATAL_FAILURE(save());
    RecordBytes expected = recordWithNames("", "GLASS.BMP", "");
    expected.flags |= model::ImageAlpha;
    expectSaved({expected});
}

}  // namespace
