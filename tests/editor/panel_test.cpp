// The material properties panel end to end: what it shows of a material,
// what saving writes back of what the user left alone and of what the user
// moved, and the six flag boxes with the rules between them. Outcomes are
// read on screen and in the saved file.
#include <windows.h>

#include <gtest/gtest.h>

#include <array>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "editor_driver.h"
#include "model/material.h"
#include "model_bytes.h"
#include "panel_driver.h"
#include "panel_fixture.h"

namespace {

using namespace panel_test;
using editor_driver::progressPosition;
using editor_driver::waitUntil;
using editor_driver::windowText;
using panel_driver::Button;
using panel_driver::clickSlider;
using panel_driver::dragSlider;
using panel_driver::sliderX;
using panel_driver::swatchColour;
using panel_driver::waitForCheckMark;
using panel_driver::waitForSwatchColour;
using test_support::recordWithNames;

// Bits the format does not name, which the editor must carry.
constexpr std::uint32_t kUnnamedBits = 0x01000100;

// --- showing a material ------------------------------------------------------------------

using PanelShowTest = PanelTest;

TEST_F(PanelShowTest, ColourBarsAndSwatchesShowTheStoredColoursOnTheBarsLevels) {
    RecordBytes record = recordWithNames("", "ROCK.BMP", "");
    record.ambient = {0.5F, 0.3F, 1.0F};
    record.diffuse = {0.126F, 0.0F, 1.0F};
    record.emission = {1.7F, -0.5F, 0.375F};  // outside 0..1 clamped; 37.5 goes to the even 38
    ASSERT_NO_FATAL_FAILURE(open({record}));

    EXPECT_EQ(positions(panel().ambient), (std::array<int, 3>{50, 30, 100}));
    EXPECT_EQ(positions(panel().diffuse), (std::array<int, 3>{13, 0, 100}));
    EXPECT_EQ(positions(panel().emission), (std::array<int, 3>{100, 0, 38}));
    EXPECT_TRUE(waitForSwatchColour(panel().ambient.swatch, 0x804CFF))
        << std::hex << swatchColour(panel().ambient.swatch);
    EXPECT_TRUE(waitForSwatchColour(panel().diffuse.swatch, 0x2100FF))
        << std::hex << swatchColour(panel().diffuse.swatch);
    EXPECT_TRUE(waitForSwatchColour(panel().emission.swatch, 0xFF0061))
        << std::hex << swatchColour(panel().emission.swatch);
}

TEST_F(PanelShowTest, DensityBarsShowTheRoundedAndClampedDensities) {
    RecordBytes record = recordWithNames("SKY.BMP", "ROCK.BMP", "");
    record.density = 0.337F;
    record.reflectionDensity = 1.7F;
    RecordBytes negative = recordWithNames("SKY.BMP", "WOOD.BMP", "");
    negative.density = 0.125F;  // 12.5 goes to the even 12
    negative.reflectionDensity = -0.2F;
    ASSERT_NO_FATAL_FAILURE(open({record, negative}));
    EXPECT_EQ(progressPosition(panel().diffuseDensityBar), 34);
    EXPECT_EQ(progressPosition(panel().reflectionDensityBar), 100);
    ASSERT_NO_FATAL_FAILURE(select(1));
    EXPECT_EQ(progressPosition(panel().diffuseDensityBar), 12);
    EXPECT_EQ(progressPosition(panel().reflectionDensityBar), 0);
}

TEST_F(PanelShowTest, FlagBoxesShowTheStoredBitsEvenWhereTheyBreakTheRules) {
    RecordBytes doubleSidedAlone = recordWithNames("", "ROCK.BMP", "");
    doubleSidedAlone.flags |= model::DoubleSided;  // without ExtraSettings, which the rules would add
    RecordBytes all = recordWithNames("", "WOOD.BMP", "");
    all.flags |= model::kEditorFlags;  // both highlights, which the rules would not let stand together
    ASSERT_NO_FATAL_FAILURE(open({doubleSidedAlone, all}));
    const auto boxes = panel().flagBoxes();
    for (HWND box : boxes) EXPECT_TRUE(waitForCheckMark(box, box == panel().doubleSidedBox)) << windowText(box);
    ASSERT_NO_FATAL_FAILURE(select(1));
    for (HWND box : boxes) EXPECT_TRUE(waitForCheckMark(box, true)) << windowText(box);
    ASSERT_NO_FATAL_FAILURE(select(0));
    for (HWND box : boxes) EXPECT_TRUE(waitForCheckMark(box, box == panel().doubleSidedBox)) << windowText(box);
}

TEST_F(PanelShowTest, AnimationBoxesShowTheMaterialsSettingsOrTwoAndTenDisabled) {
    RecordBytes animated = recordWithNames("", "FIRE00.BMP", "");
    animated.flags |= test_support::kAnimationBit;
    animated.animation = {4, 0, 0, 0, 0, 0, 100};
    ASSERT_NO_FATAL_FAILURE(open({animated, recordWithNames("", "ROCK.BMP", "")}));
    EXPECT_TRUE(waitForCheckMark(panel().animateBox, true));
    EXPECT_EQ(windowText(panel().framesBox), "4");
    EXPECT_EQ(windowText(panel().delayBox), "100");
    EXPECT_TRUE(IsWindowEnabled(panel().framesBox));
    EXPECT_TRUE(IsWindowEnabled(panel().delayBox));

    ASSERT_NO_FATAL_FAILURE(select(1));
    EXPECT_TRUE(waitForCheckMark(panel().animateBox, false));
    EXPECT_EQ(windowText(panel().framesBox), "2");
    EXPECT_EQ(windowText(panel().delayBox), "10");
    EXPECT_FALSE(IsWindowEnabled(panel().framesBox));
    EXPECT_FALSE(IsWindowEnabled(panel().delayBox));
}

// --- what saving writes back ----------------------------------------------------------------

// Materials with what a model file may hold and the panel cannot show
// exactly: unrounded and out-of-range values, bits without a name, a
// cleared Base bit, flags that break the boxes' rules, names in small
// letters or holding the separator, empty names behind set bits.
std::vector<RecordBytes> unusualMaterials() {
    RecordBytes unrounded = recordWithNames("SKY.BMP", "ROCK.BMP", "");
    unrounded.flags |= kUnnamedBits;  // and no Base
    unrounded.ambient = {0.337F, 0.126F, 1.7F};
    unrounded.diffuse = {-0.25F, 0.999F, 0.0049F};
    unrounded.emission = {std::numeric_limits<float>::quiet_NaN(), -0.0F, 1.0F};
    unrounded.density = 0.337F;
    unrounded.reflectionDensity = 1.7F;

    RecordBytes animated = recordWithNames("", "FIRE00.BMP", "");
    animated.flags |= model::Base | test_support::kAnimationBit | model::DoubleSided | model::AlphaHighlight |
                      model::DiffuseHighlight | 0x00000100;
    animated.animation = {4, 1, 2, 3, 4, 5, 100, 0, 0, 0, 9, 8, 7, 6, 5, 4, 3, 2};
    animated.ambient = {0.2F, 0.4F, 0.6F};
    animated.density = 0.5F;

    RecordBytes empty;  // flags 0, no names: the shortest record

    RecordBytes oddNames = recordWithNames("небо.bmp", "rock.bmp", std::string(255, '\xDF'));
    oddNames.flags |= model::ColorTransparency | 0x08000000;

    RecordBytes bitsWithoutNames = recordWithNames("", "WOOD.BMP", "");
    bitsWithoutNames.flags |= test_support::kReflectionBit | test_support::kAlphaBit | test_support::kAnimationBit;
    bitsWithoutNames.reflectionDensity = 0.777F;
    bitsWithoutNames.animation = {1, 0, 0, 0, 0, 0, 5};  // a block the editor would not make

    RecordBytes separatorInName = recordWithNames("", "A|B.BMP", "");
    separatorInName.emission = {0.01F, 0.02F, 0.03F};

    return {unrounded, animated, empty, oddNames, bitsWithoutNames, separatorInName};
}

using PanelWriteBackTest = PanelTest;

// Then one name changed on a few of them changes that name and its bit
// only: set bits with empty names, unrounded values, a one-frame animation
// and a name holding the separator stay as stored.
TEST_F(PanelWriteBackTest, ShowingEveryMaterialAndSavingChangesOnlyTheHeaderAndRenamingOnlyTheName) {
    std::vector<RecordBytes> materials = unusualMaterials();
    ASSERT_NO_FATAL_FAILURE(open(materials));
    for (int row = 1; row < static_cast<int>(materials.size()); ++row) ASSERT_NO_FATAL_FAILURE(select(row));
    ASSERT_NO_FATAL_FAILURE(select(0));
    ASSERT_NO_FATAL_FAILURE(save());
    expectSaved(materials);

    ASSERT_NO_FATAL_FAILURE(enter(panel().diffuseNameBox, "stone"));
    ASSERT_NO_FATAL_FAILURE(select(1));
    ASSERT_NO_FATAL_FAILURE(enter(panel().reflectionNameBox, "env"));
    ASSERT_NO_FATAL_FAILURE(select(4));
    ASSERT_NO_FATAL_FAILURE(enter(panel().alphaNameBox, "mask"));
    ASSERT_NO_FATAL_FAILURE(select(5));
    ASSERT_NO_FATAL_FAILURE(enter(panel().alphaNameBox, "glass"));
    // Saving is a command, which the program may take before the keys.
    ASSERT_TRUE(waitUntil([&] { return windowText(panel().alphaNameBox) == "GLASS.BMP"; }));
    ASSERT_NO_FATAL_FAILURE(save());
    materials[0].diffuseName = "STONE.BMP";
    materials[1].reflectionName = "ENV.BMP";
    materials[1].flags |= test_support::kReflectionBit;
    materials[1].reflectionDensity = 0.0F;  // the record held none
    materials[4].alphaName = "MASK.BMP";
    materials[5].alphaName = "GLASS.BMP";
    materials[5].flags |= test_support::kAlphaBit;
    expectSaved(materials);
}

TEST_F(PanelWriteBackTest, MovedDensityBarsWriteTheirPositionsAndTheRestKeepsItsValues) {
    std::vector<RecordBytes> materials = unusualMaterials();
    ASSERT_NO_FATAL_FAILURE(open(materials));
    HWND density = panel().diffuseDensityBar;
    ASSERT_TRUE(dragSlider(density, {sliderX(density, 34), sliderX(density, 60)}));
    ASSERT_TRUE(positionBecomes(density, 60));
    ASSERT_TRUE(clickSlider(panel().reflectionDensityBar, 10, Button::Right));
    ASSERT_TRUE(positionBecomes(panel().reflectionDensityBar, 0));
    ASSERT_NO_FATAL_FAILURE(save());
    materials[0].density = 0.6F;
    materials[0].reflectionDensity = 0.0F;
    expectSaved(materials);
}

// A bar is compared with where the material put it: taken away and brought
// back to that place, it keeps the stored value.
TEST_F(PanelWriteBackTest, BarBroughtBackToItsShownPositionKeepsTheStoredValue) {
    const std::vector<RecordBytes> materials = unusualMaterials();
    ASSERT_NO_FATAL_FAILURE(open(materials));
    HWND density = panel().diffuseDensityBar;
    ASSERT_TRUE(dragSlider(density, {sliderX(density, 34), sliderX(density, 60), sliderX(density, 34)}));
    // Pressed far apart, so that the second press is no double click.
    HWND reflection = panel().reflectionDensityBar;
    ASSERT_TRUE(clickSlider(reflection, 10, Button::Right));
    ASSERT_TRUE(positionBecomes(reflection, 0));
    ASSERT_TRUE(clickSlider(reflection, 150, Button::Right));
    ASSERT_TRUE(positionBecomes(reflection, 100));
    ASSERT_TRUE(positionBecomes(density, 34));
    ASSERT_NO_FATAL_FAILURE(save());
    expectSaved(materials);
}

TEST_F(PanelWriteBackTest, MovedColourBarWritesItsLevelAndTheOtherComponentsKeepTheirValues) {
    RecordBytes record = recordWithNames("", "ROCK.BMP", "");
    record.ambient = {0.337F, 0.3F, 0.126F};
    record.diffuse = {0.5F, 1.7F, 0.2F};
    record.emission = {0.1F, 0.2F, 0.3F};
    ASSERT_NO_FATAL_FAILURE(open({record}));

    ASSERT_TRUE(clickSlider(panel().ambient.red, 10, Button::Right));
    ASSERT_TRUE(positionBecomes(panel().ambient.red, 100));
    ASSERT_TRUE(clickSlider(panel().diffuse.blue, 10, Button::Right));
    ASSERT_TRUE(positionBecomes(panel().diffuse.blue, 100));
    HWND green = panel().emission.green;
    ASSERT_TRUE(dragSlider(green, {sliderX(green, 20), sliderX(green, 50)}));
    ASSERT_TRUE(positionBecomes(green, 50));
    ASSERT_NO_FATAL_FAILURE(save());

    record.ambient = {1.0F, 0.3F, 0.126F};
    // A colour is stored whole, so its component outside 0..1 comes in clamped.
    record.diffuse = {0.5F, 1.0F, 1.0F};
    record.emission = {0.1F, 128 / 255.0F, 0.3F};
    expectSaved({record});
}

TEST_F(PanelWriteBackTest, PanelIsWrittenIntoTheMaterialWhenAnotherRowIsSelected) {
    RecordBytes first = recordWithNames("", "ROCK.BMP", "");
    first.ambient = {0.0F, 0.5F, 0.5F};
    RecordBytes second = recordWithNames("", "WOOD.BMP", "");
    second.ambient = {0.2F, 0.2F, 0.2F};
    ASSERT_NO_FATAL_FAILURE(open({first, second}));
    ASSERT_TRUE(clickSlider(panel().ambient.red, 10, Button::Right));
    ASSERT_TRUE(positionBecomes(panel().ambient.red, 100));

    ASSERT_NO_FATAL_FAILURE(select(1));
    EXPECT_EQ(positions(panel().ambient), (std::array<int, 3>{20, 20, 20}));
    ASSERT_NO_FATAL_FAILURE(select(0));
    EXPECT_EQ(positions(panel().ambient), (std::array<int, 3>{100, 50, 50}));
    ASSERT_NO_FATAL_FAILURE(save());
    first.ambient = {1.0F, 0.5F, 0.5F};
    expectSaved({first, second});
}

// A model file may hold a name with the separator in it, which the name
// box does not take: the name is shown whole in its own box and stays as
// stored, confirming it brings the refusal, and the rest of the panel is
// written, the other names too.
TEST_F(PanelWriteBackTest, NameHoldingTheSeparatorStaysAndTheRestOfThePanelIsWritten) {
    RecordBytes record = recordWithNames("", "A|B.BMP", "");
    ASSERT_NO_FATAL_FAILURE(open({record}));
    EXPECT_EQ(windowText(panel().diffuseNameBox), "A|B.BMP");
    EXPECT_EQ(windowText(panel().alphaNameBox), "");
    ASSERT_NO_FATAL_FAILURE(enter(panel().reflectionNameBox, "sky"));
    ASSERT_NO_FATAL_FAILURE(enter(panel().diffuseNameBox, "A|B.BMP"));
    const auto refusal = panel_driver::answerMessageBox(session_.editor());
    ASSERT_TRUE(refusal.has_value()) << "confirming the stored name brought no message";
    EXPECT_EQ(refusal->text, "Имя текстуры не должно быть длиннее 255 символов и содержать символ |");
    ASSERT_TRUE(clickSlider(panel().diffuseDensityBar, 10, Button::Right));
    ASSERT_TRUE(positionBecomes(panel().diffuseDensityBar, 0));
    ASSERT_NO_FATAL_FAILURE(toggle(panel().diffuseChannelBox));
    ASSERT_NO_FATAL_FAILURE(save());
    record.reflectionName = "SKY.BMP";
    record.reflectionDensity = 0.0F;  // the record held none
    record.flags |= test_support::kReflectionBit | model::DiffuseChannel;
    record.density = 0.0F;
    expectSaved({record});
}

// --- the flag boxes ---------------------------------------------------------------------------

// A material whose word also has bits the panel does not manage.
RecordBytes materialWithFlags(std::uint32_t flags) {
    RecordBytes record = recordWithNames("", "ROCK.BMP", "");
    record.flags |= flags | kUnnamedBits;
    return record;
}

class FlagBoxTest : public PanelTest {
protected:
    // The boxes that show their mark, as a set of bits.
    std::uint32_t checkedBits() {
        panel_driver::waitForSteadyPicture(session_.mainWindow());
        const std::array<std::uint32_t, 6> masks{model::DiffuseChannel, model::ExtraSettings,
                                                 model::DoubleSided,    model::DiffuseHighlight,
                                                 model::AlphaHighlight, model::ColorTransparency};
        const auto boxes = panel().flagBoxes();
        std::uint32_t bits = 0;
        for (std::size_t i = 0; i < boxes.size(); ++i)
            if (panel_driver::showsCheckMark(boxes[i])) bits |= masks[i];
        return bits;
    }
};

TEST_F(FlagBoxTest, HighlightBoxesTakeOverFromEachOtherAndBringExtraSettings) {
    RecordBytes record = materialWithFlags(model::AlphaHighlight | model::ColorTransparency);
    ASSERT_NO_FATAL_FAILURE(open({record}));
    ASSERT_EQ(checkedBits(), model::AlphaHighlight | model::ColorTransparency);

    ASSERT_NO_FATAL_FAILURE(toggle(panel().diffuseHighlightBox));
    EXPECT_EQ(checkedBits(), model::DiffuseHighlight | model::ExtraSettings | model::ColorTransparency);
    ASSERT_NO_FATAL_FAILURE(toggle(panel().alphaHighlightBox));
    EXPECT_EQ(checkedBits(), model::AlphaHighlight | model::ExtraSettings | model::ColorTransparency);

    ASSERT_NO_FATAL_FAILURE(save());
    record.flags |= model::ExtraSettings;
    expectSaved({record});
}

TEST_F(FlagBoxTest, UncheckingExtraSettingsClearsItsFourDependentsButNotTheDiffuseChannel) {
    RecordBytes record = materialWithFlags(model::kEditorFlags | model::Base);
    ASSERT_NO_FATAL_FAILURE(open({record}));
    ASSERT_EQ(checkedBits(), model::kEditorFlags);
    ASSERT_NO_FATAL_FAILURE(toggle(panel().extraSettingsBox));
    EXPECT_EQ(checkedBits(), model::DiffuseChannel);
    ASSERT_NO_FATAL_FAILURE(save());
    record.flags &= ~model::kEditorFlags | model::DiffuseChannel;
    expectSaved({record});
}

TEST_F(FlagBoxTest, DoubleSidedAndColourTransparencyBringExtraSettingsAndLeaveIt) {
    RecordBytes record = materialWithFlags(0);
    ASSERT_NO_FATAL_FAILURE(open({record}));
    ASSERT_NO_FATAL_FAILURE(toggle(panel().doubleSidedBox));
    EXPECT_EQ(checkedBits(), model::DoubleSided | model::ExtraSettings);
    ASSERT_NO_FATAL_FAILURE(toggle(panel().doubleSidedBox));
    EXPECT_EQ(checkedBits(), model::ExtraSettings) << "unchecking a dependent box leaves ExtraSettings";
    ASSERT_NO_FATAL_FAILURE(toggle(panel().extraSettingsBox));
    ASSERT_NO_FATAL_FAILURE(toggle(panel().colorTransparencyBox));
    EXPECT_EQ(checkedBits(), model::ColorTransparency | model::ExtraSettings);
    ASSERT_NO_FATAL_FAILURE(save());
    record.flags |= model::ColorTransparency | model::ExtraSettings;
    expectSaved({record});
}

TEST_F(FlagBoxTest, DiffuseChannelBoxChangesOnlyItself) {
    RecordBytes record = materialWithFlags(model::DoubleSided);  // without ExtraSettings
    ASSERT_NO_FATAL_FAILURE(open({record}));
    ASSERT_NO_FATAL_FAILURE(toggle(panel().diffuseChannelBox));
    EXPECT_EQ(checkedBits(), model::DiffuseChannel | model::DoubleSided);
    ASSERT_NO_FATAL_FAILURE(save());
    record.flags |= model::DiffuseChannel;
    expectSaved({record});
    ASSERT_NO_FATAL_FAILURE(toggle(panel().diffuseChannelBox));
    EXPECT_EQ(checkedBits(), model::DoubleSided);
    ASSERT_NO_FATAL_FAILURE(save());
    record.flags &= ~model::DiffuseChannel;
    expectSaved({record});
}

// --- before a model is open --------------------------------------------------------------------

using PanelWithoutModelTest = PanelTest;

TEST_F(PanelWithoutModelTest, ControlsWorkedBeforeOpeningDoNotReachTheFirstMaterial) {
    ASSERT_TRUE(clickSlider(panel().ambient.red, 10, Button::Right));
    ASSERT_TRUE(positionBecomes(panel().ambient.red, 100));
    ASSERT_NO_FATAL_FAILURE(click(panel().doubleSidedBox));
    ASSERT_TRUE(waitForCheckMark(panel().extraSettingsBox, true));

    RecordBytes record = recordWithNames("", "ROCK.BMP", "");
    record.ambient = {0.2F, 0.2F, 0.2F};
    ASSERT_NO_FATAL_FAILURE(open({record}));
    EXPECT_EQ(positions(panel().ambient), (std::array<int, 3>{20, 20, 20}));
    EXPECT_TRUE(waitForCheckMark(panel().doubleSidedBox, false));
    EXPECT_TRUE(waitForCheckMark(panel().extraSettingsBox, false));
    ASSERT_NO_FATAL_FAILURE(save());
    expectSaved({record});
}

}  // namespace
