// The sliders and colour channels of the properties panel end to end: the
// right button's jump between the ends, pressing and dragging with the
// other buttons, the swatches following their bars, and the colour dialog
// behind each swatch. Outcomes are read from the bars, from the screen and
// from the saved file.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "editor_driver.h"
#include "model_bytes.h"
#include "panel_driver.h"
#include "panel_fixture.h"

namespace {

using namespace panel_test;
using editor_driver::progressPosition;
using panel_driver::Button;
using panel_driver::clickSlider;
using panel_driver::Rgb;
using panel_driver::sliderX;
using panel_driver::swatchColour;
using panel_driver::waitForSwatchColour;
using test_support::recordWithNames;

// A material whose channels show distinct colours.
RecordBytes colouredMaterial() {
    RecordBytes record = recordWithNames("SKY.BMP", "ROCK.BMP", "");
    record.ambient = {0.5F, 0.3F, 1.0F};   // bars 50, 30, 100: (128, 76, 255)
    record.diffuse = {0.0F, 0.37F, 0.0F};  // bars 0, 37, 0: (0, 94, 0)
    record.emission = {1.0F, 1.0F, 1.0F};
    record.density = 0.5F;
    record.reflectionDensity = 0.0F;
    return record;
}

// --- sliders ---------------------------------------------------------------------------------

class SliderTest : public PanelTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PanelTest::SetUp());
        ASSERT_NO_FATAL_FAILURE(open({colouredMaterial()}));
        ASSERT_TRUE(waitForSwatchColour(panel().ambient.swatch, 0x804CFF));
    }

    // Presses the slider at x with the right button; true once it stands
    // at the position.
    bool rightClickGives(HWND bar, int x, int position) {
        return clickSlider(bar, x, Button::Right) && positionBecomes(bar, position);
    }

    // The three swatches' colours.
    std::array<std::uint32_t, 3> swatches() {
        panel_driver::waitForSteadyPicture(session_.mainWindow());
        return {swatchColour(panel().ambient.swatch), swatchColour(panel().diffuse.swatch),
                swatchColour(panel().emission.swatch)};
    }
};

TEST_F(SliderTest, RightClickJumpsToTheOtherEndAndTheSwatchFollows) {
    HWND red = panel().diffuse.red;
    HWND swatch = panel().diffuse.swatch;
    ASSERT_TRUE(rightClickGives(red, 90, 100));
    EXPECT_TRUE(waitForSwatchColour(swatch, 0xFF5E00)) << std::hex << swatchColour(swatch);
    ASSERT_TRUE(rightClickGives(red, 150, 0));
    EXPECT_TRUE(waitForSwatchColour(swatch, 0x005E00)) << std::hex << swatchColour(swatch);
    // From a place between the ends the right button goes to the top.
    HWND green = panel().diffuse.green;
    ASSERT_EQ(progressPosition(green), 37);
    ASSERT_TRUE(rightClickGives(green, 20, 100));
    EXPECT_TRUE(waitForSwatchColour(swatch, 0x00FF00)) << std::hex << swatchColour(swatch);
}

// Two quick presses are two presses, though the system reports the second
// one as a double click.
TEST_F(SliderTest, QuickSecondRightClickJumpsBack) {
    HWND red = panel().ambient.red;
    ASSERT_EQ(progressPosition(red), 50);
    ASSERT_TRUE(clickSlider(red, 40, Button::Right));
    ASSERT_TRUE(clickSlider(red, 40, Button::Right));
    EXPECT_TRUE(positionBecomes(red, 0)) << progressPosition(red);
}

TEST_F(SliderTest, RightClickOnADensityBarChangesNoColour) {
    const auto before = swatches();
    ASSERT_TRUE(rightClickGives(panel().diffuseDensityBar, 30, 100));
    ASSERT_TRUE(rightClickGives(panel().diffuseDensityBar, 150, 0));
    ASSERT_TRUE(rightClickGives(panel().reflectionDensityBar, 30, 100));
    EXPECT_EQ(swatches(), before);
}

TEST_F(SliderTest, LeftPressMovesTheSliderUnderThePointerAndTheDragFollowsUntilRelease) {
    HWND green = panel().ambient.green;
    HWND swatch = panel().ambient.swatch;
    const int middle = panel_driver::sliderMiddle(green);
    ASSERT_TRUE(panel_driver::pressAt(green, editor_driver::clientSize(green).cx / 2, middle, Button::Left));
    EXPECT_TRUE(positionBecomes(green, 50)) << progressPosition(green);
    EXPECT_TRUE(waitForSwatchColour(swatch, 0x8080FF)) << std::hex << swatchColour(swatch);
    ASSERT_TRUE(editor_driver::movePointerTo(green, sliderX(green, 80), middle));
    EXPECT_TRUE(positionBecomes(green, 80)) << progressPosition(green);
    EXPECT_TRUE(waitForSwatchColour(swatch, 0x80CCFF)) << std::hex << swatchColour(swatch);
    panel_driver::release(Button::Left);
    ASSERT_TRUE(editor_driver::movePointerTo(green, sliderX(green, 20), middle));
    panel_driver::waitForInputHandled(session_.editor());
    EXPECT_EQ(progressPosition(green), 80) << "the slider followed the pointer after the release";
}

TEST_F(SliderTest, DragEndsWhenThePointerLeavesTheSlider) {
    HWND blue = panel().emission.blue;
    const int middle = panel_driver::sliderMiddle(blue);
    ASSERT_TRUE(panel_driver::pressAt(blue, sliderX(blue, 30), middle, Button::Left));
    ASSERT_TRUE(positionBecomes(blue, 30));
    // Down into the gap below the bar, and back in further right, the
    // button held all the time.
    ASSERT_TRUE(editor_driver::movePointerTo(blue, sliderX(blue, 30), editor_driver::clientSize(blue).cy + 3));
    panel_driver::settleWithTheButtonHeld(session_.editor());
    ASSERT_TRUE(editor_driver::movePointerTo(blue, sliderX(blue, 70), middle));
    panel_driver::settleWithTheButtonHeld(session_.editor());
    EXPECT_EQ(progressPosition(blue), 30) << "the drag went on after the pointer had left";
    panel_driver::release(Button::Left);
}

TEST_F(SliderTest, PressingReachesZeroAtTheLeftEdgeButOnlyNinetyNineAtTheRightEdge) {
    HWND red = panel().ambient.red;
    const int width = editor_driver::clientSize(red).cx;
    ASSERT_TRUE(clickSlider(red, width - 1, Button::Left));
    EXPECT_TRUE(positionBecomes(red, 99)) << progressPosition(red);
    ASSERT_TRUE(clickSlider(red, 0, Button::Left));
    EXPECT_TRUE(positionBecomes(red, 0)) << progressPosition(red);
    EXPECT_TRUE(waitForSwatchColour(panel().ambient.swatch, 0x004CFF))
        << std::hex << swatchColour(panel().ambient.swatch);
}

TEST_F(SliderTest, MiddleButtonTakesTheSliderToo) {
    HWND density = panel().diffuseDensityBar;
    ASSERT_TRUE(clickSlider(density, sliderX(density, 70), Button::Middle));
    EXPECT_TRUE(positionBecomes(density, 70)) << progressPosition(density);
}

// --- the colour dialog -------------------------------------------------------------------------

class ColourDialogTest : public PanelTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PanelTest::SetUp());
        ASSERT_NO_FATAL_FAILURE(open({colouredMaterial()}));
    }
};

TEST_F(ColourDialogTest, SwatchOpensItsChannelsDialogPresetToTheChannelColour) {
    HWND dialog = openColourDialog(panel().ambient.swatch);
    ASSERT_NE(dialog, nullptr) << "no colour dialog";
    EXPECT_EQ(panel_driver::colourDialogValues(dialog), (Rgb{128, 76, 255}));
    EXPECT_EQ(GetWindow(dialog, GW_OWNER), nullptr) << "the dialog belongs to no window";
    EXPECT_TRUE(IsWindowEnabled(session_.mainWindow())) << "the main window stays usable";
    // A second press on the swatch opens no second dialog.
    ASSERT_NO_FATAL_FAILURE(click(panel().ambient.swatch));
    panel_driver::waitForInputHandled(session_.editor());
    EXPECT_EQ(session_.editor().dialogs().size(), 1U);
    editor_driver::pressButton(dialog, IDCANCEL);
    ASSERT_TRUE(editor_driver::waitForWindowGone(dialog));

    dialog = openColourDialog(panel().diffuse.swatch);
    ASSERT_NE(dialog, nullptr) << "no colour dialog";
    EXPECT_EQ(panel_driver::colourDialogValues(dialog), (Rgb{0, 94, 0}));
    editor_driver::pressButton(dialog, IDCANCEL);
    ASSERT_TRUE(editor_driver::waitForWindowGone(dialog));
}

TEST_F(ColourDialogTest, ChosenColourLandsOnTheNearestLevelsOfTheBars) {
    ASSERT_NO_FATAL_FAILURE(chooseColour(panel().ambient.swatch, {200, 100, 50}));
    EXPECT_TRUE(positionBecomes(panel().ambient.blue, 20));
    EXPECT_EQ(positions(panel().ambient), (std::array<int, 3>{78, 39, 20}));
    EXPECT_TRUE(waitForSwatchColour(panel().ambient.swatch, 0xC76333))
        << std::hex << swatchColour(panel().ambient.swatch);
    // Opened again, the dialog shows what the channel holds now.
    HWND dialog = openColourDialog(panel().ambient.swatch);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(panel_driver::colourDialogValues(dialog), (Rgb{199, 99, 51}));
    editor_driver::pressButton(dialog, IDCANCEL);
    ASSERT_TRUE(editor_driver::waitForWindowGone(dialog));

    ASSERT_NO_FATAL_FAILURE(save());
    model::ModelFile saved;
    ASSERT_TRUE(session_.load(saved));
    const model::Color& ambient = saved.materials().materialAt(1)->ambient();
    EXPECT_FLOAT_EQ(ambient[0], 199 / 255.0F);
    EXPECT_FLOAT_EQ(ambient[1], 99 / 255.0F);
    EXPECT_FLOAT_EQ(ambient[2], 51 / 255.0F);
}

TEST_F(ColourDialogTest, BlackAndWhiteAreKeptExactly) {
    ASSERT_NO_FATAL_FAILURE(chooseColour(panel().ambient.swatch, {0, 0, 0}));
    ASSERT_NO_FATAL_FAILURE(chooseColour(panel().diffuse.swatch, {255, 255, 255}));
    EXPECT_TRUE(positionBecomes(panel().diffuse.blue, 100));
    EXPECT_EQ(positions(panel().ambient), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(positions(panel().diffuse), (std::array<int, 3>{100, 100, 100}));
    EXPECT_TRUE(waitForSwatchColour(panel().ambient.swatch, 0x000000));
    EXPECT_TRUE(waitForSwatchColour(panel().diffuse.swatch, 0xFFFFFF));
    ASSERT_NO_FATAL_FAILURE(save());
    RecordBytes expected = colouredMaterial();
    expected.ambient = {0.0F, 0.0F, 0.0F};
    expected.diffuse = {1.0F, 1.0F, 1.0F};
    expectSaved({expected});
}

TEST_F(ColourDialogTest, CancelChangesNothing) {
    HWND dialog = openColourDialog(panel().emission.swatch);
    ASSERT_NE(dialog, nullptr) << "no colour dialog";
    ASSERT_TRUE(panel_driver::typeColour(dialog, {200, 100, 50}));
    editor_driver::pressButton(dialog, IDCANCEL);
    ASSERT_TRUE(editor_driver::waitForWindowGone(dialog));
    panel_driver::waitForInputHandled(session_.editor());
    EXPECT_EQ(positions(panel().emission), (std::array<int, 3>{100, 100, 100}));
    EXPECT_EQ(swatchColour(panel().emission.swatch), 0xFFFFFFU);
    ASSERT_NO_FATAL_FAILURE(save());
    expectSaved({colouredMaterial()});
}

}  // namespace
