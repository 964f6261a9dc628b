// The texture-name boxes and the animation settings of the properties
// panel end to end: names taken on Enter (with ".BMP" added, refused when a
// material cannot hold them), the frame-count and delay boxes, and the
// check that an animated texture is named *00.*. Outcomes are read on
// screen, in the list's rows, in the message boxes and in the saved file.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor_driver.h"
#include "model_bytes.h"
#include "panel_driver.h"
#include "panel_fixture.h"

namespace {

using namespace panel_test;
using editor_driver::waitUntil;
using editor_driver::windowText;
using panel_driver::waitForCheckMark;
using test_support::recordWithNames;

constexpr char kEnterHint[] = "Для принятия изменений нажмите <Enter> после редактирования текста";
constexpr char kNameRefused[] = "Имя текстуры не должно быть длиннее 255 символов и содержать символ |";
constexpr char kFramesRefused[] = "Максимально возможное количество кадров: 255";
constexpr char kNotAnimatable[] = "Diffuse текстура должна иметь имя формата *00.bmp";
constexpr char kAlphaNameNotStored[] =
    "Alfa текстура хранится в модели только вместе с основной текстурой без собственного альфа-канала";
constexpr char kAlphaNameWouldVanish[] =
    "Без основной текстуры alfa текстура не сохранится: сначала очистите имя alfa текстуры";

bool textBecomes(HWND box, const std::string& text) {
    return waitUntil([&] { return windowText(box) == text; });
}

class NoticeTest : public PanelTest {
protected:
    // The panel's notices: an information box with the program's title and
    // an OK button, owned by no window, leaving the main window usable.
    // Closed with OK.
    void expectNotice(const std::string& text) {
        const auto seen = panel_driver::answerMessageBox(session_.editor());
        if (!seen) {
            ADD_FAILURE() << "no message box came (or it did not go) for: " << text;
            return;
        }
        EXPECT_EQ(seen->text, text);
        EXPECT_EQ(seen->caption, "Skirvane");
        EXPECT_EQ(seen->icon, panel_driver::MessageIcon::Information);
        EXPECT_EQ(seen->buttons, std::vector<std::string>{"OK"});
        EXPECT_FALSE(seen->hasOwner);
        EXPECT_TRUE(seen->mainWindowEnabled) << "the box must not be task-modal";
    }
};

// --- texture names -----------------------------------------------------------------------

class TextureNameTest : public NoticeTest {
protected:
    ::testing::AssertionResult rowsBecome(const std::vector<std::string>& rows) {
        if (waitUntil([&] { return session_.rows() == rows; })) return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << "the rows read " << ::testing::PrintToString(session_.rows());
    }
};

TEST_F(TextureNameTest, EnterAddsBmpToANameWithoutExtensionAndRewritesTheRow) {
    std::vector<RecordBytes> materials{recordWithNames("SKY.BMP", "ROCK.BMP", ""), recordWithNames("", "WOOD.BMP", "")};
    ASSERT_NO_FATAL_FAILURE(open(materials));
    ASSERT_NO_FATAL_FAILURE(enter(panel().diffuseNameBox, "stone"));
    EXPECT_TRUE(textBecomes(panel().diffuseNameBox, "STONE.BMP")) << windowText(panel().diffuseNameBox);
    EXPECT_TRUE(rowsBecome({"[1] SKY.BMP|STONE.BMP|", "[2] |WOOD.BMP|"}));
    ASSERT_TRUE(panel_driver::noDialogComes(session_.editor()));
    ASSERT_NO_FATAL_FAILURE(save());
    materials[0].diffuseName = "STONE.BMP";
    expectSaved(materials);
}

TEST_F(TextureNameTest, EnterKeepsANameThatHoldsBmpOrTgaAnywhere) {
    RecordBytes record = recordWithNames("", "ROCK.BMP", "");
    ASSERT_NO_FATAL_FAILURE(open({record}));
    ASSERT_NO_FATAL_FAILURE(enter(panel().reflectionNameBox, "sky.tga"));
    ASSERT_NO_FATAL_FAILURE(enter(panel().diffuseNameBox, "sky.bmp"));
    ASSERT_NO_FATAL_FAILURE(enter(panel().alphaNameBox, "a.bmp.old"));
    EXPECT_TRUE(rowsBecome({"[1] SKY.TGA|SKY.BMP|A.BMP.OLD"}));
    ASSERT_TRUE(panel_driver::noDialogComes(session_.editor()));
    ASSERT_NO_FATAL_FAILURE(save());
    RecordBytes expected = recordWithNames("SKY.TGA", "SKY.BMP", "A.BMP.OLD");
    expected.reflectionDensity = 0;  // the record had none
    expectSaved({expected});
}

TEST_F(TextureNameTest, EnterOnEmptyBoxesEmptiesTheNamesAndKeepsTheOtherBits) {
    RecordBytes record = recordWithNames("SKY.BMP", "ROCK.BMP", "MASK.BMP");
    record.flags |= 0x00100100 | model::DoubleSided;  // and no Base
    ASSERT_NO_FATAL_FAILURE(open({record}));
    // The alpha name goes first: it is stored only after a diffuse name.
    for (HWND box : {panel().reflectionNameBox, panel().alphaNameBox, panel().diffuseNameBox})
        ASSERT_NO_FATAL_FAILURE(enter(box, ""));
    EXPECT_TRUE(rowsBecome({"[1] ||"}));
    EXPECT_EQ(windowText(panel().diffuseNameBox), "");
    ASSERT_TRUE(panel_driver::noDialogComes(session_.editor()));
    ASSERT_NO_FATAL_FAILURE(save());
    RecordBytes expected = recordWithNames("", "", "");
    expected.flags = 0x00100100 | model::DoubleSided;
    expectSaved({expected});
}

// Real files set the alpha bit on materials without a diffuse name and
// store no alpha name there: such a model shows every row and saves as it
// was. An alpha name given there is refused, as is a diffuse name emptied
// under an alpha name, and the boxes get their names back.
TEST_F(TextureNameTest, AlphaNameIsTakenOnlyWhereTheFileCanStoreIt) {
    RecordBytes button = recordWithNames("", "", "");
    button.flags = 0x40040001;
    const std::vector<RecordBytes> materials{button, recordWithNames("", "GLASS.BMP", "GLASS+.BMP"), button};
    ASSERT_NO_FATAL_FAILURE(open(materials));
    EXPECT_TRUE(rowsBecome({"[1] ||", "[2] |GLASS.BMP|GLASS+.BMP", "[3] ||"}));
    for (const int row : {1, 2, 0}) ASSERT_NO_FATAL_FAILURE(select(row));
    ASSERT_NO_FATAL_FAILURE(save());
    expectSaved(materials);

    ASSERT_NO_FATAL_FAILURE(enter(panel().alphaNameBox, "mask"));
    expectNotice(kAlphaNameNotStored);
    EXPECT_TRUE(textBecomes(panel().alphaNameBox, "")) << windowText(panel().alphaNameBox);
    ASSERT_NO_FATAL_FAILURE(select(1));
    ASSERT_NO_FATAL_FAILURE(enter(panel().diffuseNameBox, ""));
    expectNotice(kAlphaNameWouldVanish);
    EXPECT_TRUE(textBecomes(panel().diffuseNameBox, "GLASS.BMP")) << windowText(panel().diffuseNameBox);
    EXPECT_TRUE(rowsBecome({"[1] ||", "[2] |GLASS.BMP|GLASS+.BMP", "[3] ||"}));
    ASSERT_NO_FATAL_FAILURE(save());
    expectSaved(materials);
}

TEST_F(TextureNameTest, NameAMaterialCannotHoldIsRefusedAndTheWorkingCopyComesBack) {
    RecordBytes record = recordWithNames("", "ROCK.BMP", "");
    ASSERT_NO_FATAL_FAILURE(open({record}));
    ASSERT_NO_FATAL_FAILURE(enter(panel().diffuseNameBox, "stone"));
    ASSERT_TRUE(textBecomes(panel().diffuseNameBox, "STONE.BMP"));

    // 256 characters once ".BMP" is added.
    ASSERT_NO_FATAL_FAILURE(enter(panel().diffuseNameBox, std::string(252, 'A')));
    expectNotice(kNameRefused);
    EXPECT_TRUE(textBecomes(panel().diffuseNameBox, "STONE.BMP")) << windowText(panel().diffuseNameBox);
    ASSERT_NO_FATAL_FAILURE(enter(panel().diffuseNameBox, "A|B.BMP"));
    expectNotice(kNameRefused);
    EXPECT_TRUE(textBecomes(panel().diffuseNameBox, "STONE.BMP")) << windowText(panel().diffuseNameBox);
    EXPECT_TRUE(rowsBecome({"[1] |STONE.BMP|"}));
    ASSERT_NO_FATAL_FAILURE(save());
    record.diffuseName = "STONE.BMP";
    expectSaved({record});

    // The longest name a material holds is taken.
    const std::string longest = std::string(251, 'B') + ".BMP";
    ASSERT_NO_FATAL_FAILURE(enter(panel().diffuseNameBox, std::string(251, 'B')));
    EXPECT_TRUE(textBecomes(panel().diffuseNameBox, longest));
    ASSERT_TRUE(panel_driver::noDialogComes(session_.editor()));
    ASSERT_NO_FATAL_FAILURE(save());
    record.diffuseName = longest;
    expectSaved({record});
}

TEST_F(TextureNameTest, TextTypedWithoutEnterIsNotTaken) {
    const std::vector<RecordBytes> materials{recordWithNames("", "ROCK.BMP", ""), recordWithNames("", "WOOD.BMP", "")};
    ASSERT_NO_FATAL_FAILURE(open(materials));
    ASSERT_NO_FATAL_FAILURE(type(panel().diffuseNameBox, "water"));
    EXPECT_TRUE(waitUntil([&] { return session_.editor().statusText() == kEnterHint; }))
        << session_.editor().statusText();
    EXPECT_TRUE(rowsBecome({"[1] |ROCK.BMP|", "[2] |WOOD.BMP|"}));
    ASSERT_NO_FATAL_FAILURE(select(1));
    ASSERT_NO_FATAL_FAILURE(select(0));
    EXPECT_EQ(windowText(panel().diffuseNameBox), "ROCK.BMP");
    ASSERT_NO_FATAL_FAILURE(save());
    expectSaved(materials);
}

// The box turns typed letters into capitals, but a name shown from the
// file keeps its small letters, and ".bmp" is read as ".BMP" is: Enter
// changes nothing.
TEST_F(TextureNameTest, ShownNameInSmallLettersStaysAsItIsOnEnter) {
    const RecordBytes record = recordWithNames("", "rock.bmp", "");
    ASSERT_NO_FATAL_FAILURE(open({record}));
    ASSERT_NO_FATAL_FAILURE(focus(panel().diffuseNameBox));
    editor_driver::pressKey(VK_END);
    editor_driver::pressKey(VK_RETURN);
    panel_driver::waitForInputHandled(session_.editor());
    EXPECT_EQ(windowText(panel().diffuseNameBox), "rock.bmp");
    ASSERT_NO_FATAL_FAILURE(save());
    expectSaved({record});
}

// --- animation settings -----------------------------------------------------------------------

// FIRE00.BMP in 4 frames with a delay of 100, and bytes of its own in the
// block's parts the editor does not interpret.
RecordBytes animatedFire() {
    RecordBytes record = recordWithNames("", "FIRE00.BMP", "");
    record.flags |= test_support::kAnimationBit;
    record.animation = {4, 1, 2, 3, 4, 5, 100, 0, 0, 0, 9, 8, 7, 6, 5, 4, 3, 2};
    return record;
}

// The record's delay bytes, little-endian.
void setDelay(RecordBytes& record, std::uint32_t delay) {
    for (int i = 0; i < 4; ++i) record.animation[6 + i] = static_cast<std::uint8_t>(delay >> (8 * i));
}

class AnimationTest : public NoticeTest {
protected:
    void expectAnimationBoxes(bool checked, bool enabled, const std::string& frames, const std::string& delay) {
        EXPECT_TRUE(waitForCheckMark(panel().animateBox, checked));
        EXPECT_TRUE(waitUntil([&] { return (IsWindowEnabled(panel().framesBox) != FALSE) == enabled; }));
        EXPECT_EQ(IsWindowEnabled(panel().delayBox) != FALSE, enabled);
        EXPECT_TRUE(textBecomes(panel().framesBox, frames)) << windowText(panel().framesBox);
        EXPECT_TRUE(textBecomes(panel().delayBox, delay)) << windowText(panel().delayBox);
    }
};

TEST_F(AnimationTest, FrameCountsOutsideTwoTo255AreRefusedAndTheKeptCountComesBack) {
    RecordBytes record = animatedFire();
    ASSERT_NO_FATAL_FAILURE(open({record}));
    for (const char* refused : {"1", "256", "0"}) {
        ASSERT_NO_FATAL_FAILURE(enter(panel().framesBox, refused));
        expectNotice(kFramesRefused);
        EXPECT_TRUE(textBecomes(panel().framesBox, "4")) << refused << " left " << windowText(panel().framesBox);
    }
    ASSERT_NO_FATAL_FAILURE(enter(panel().framesBox, "2"));
    ASSERT_TRUE(panel_driver::noDialogComes(session_.editor())) << "2 frames refused";
    ASSERT_NO_FATAL_FAILURE(save());
    record.animation[0] = 2;
    expectSaved({record});

    ASSERT_NO_FATAL_FAILURE(enter(panel().framesBox, "255"));
    ASSERT_TRUE(panel_driver::noDialogComes(session_.editor())) << "255 frames refused";
    ASSERT_NO_FATAL_FAILURE(save());
    record.animation[0] = 255;
    expectSaved({record});
}

// A count is a count: digits beyond what 32 bits hold must not wrap round
// to a count in range (4294967298 is 2 once wrapped).
TEST_F(AnimationTest, FrameCountTooLargeForThirtyTwoBitsIsRefused) {
    RecordBytes record = animatedFire();
    ASSERT_NO_FATAL_FAILURE(open({record}));
    ASSERT_NO_FATAL_FAILURE(enter(panel().framesBox, "4294967298"));
    expectNotice(kFramesRefused);
    EXPECT_TRUE(textBecomes(panel().framesBox, "4")) << windowText(panel().framesBox);
    ASSERT_NO_FATAL_FAILURE(save());
    expectSaved({record});
}

TEST_F(AnimationTest, DelayIsTakenOnEnterAndZeroIsAccepted) {
    RecordBytes record = animatedFire();
    ASSERT_NO_FATAL_FAILURE(open({record}));
    ASSERT_NO_FATAL_FAILURE(type(panel().delayBox, "77"));
    ASSERT_TRUE(panel_driver::noDialogComes(session_.editor()));
    ASSERT_NO_FATAL_FAILURE(save());
    expectSaved({record});

    ASSERT_NO_FATAL_FAILURE(enter(panel().delayBox, "0"));
    ASSERT_TRUE(panel_driver::noDialogComes(session_.editor()));
    ASSERT_NO_FATAL_FAILURE(save());
    setDelay(record, 0);
    expectSaved({record});
}

TEST_F(AnimationTest, CheckingTheAnimationNeedsDoubleZeroBeforeTheExtension) {
    std::vector<RecordBytes> materials{recordWithNames("", "ROCK.BMP", ""), recordWithNames("", "ROCK00.BMP", "")};
    ASSERT_NO_FATAL_FAILURE(open(materials));
    ASSERT_NO_FATAL_FAILURE(click(panel().animateBox));
    expectNotice(kNotAnimatable);
    expectAnimationBoxes(false, false, "2", "10");

    ASSERT_NO_FATAL_FAILURE(select(1));
    ASSERT_NO_FATAL_FAILURE(click(panel().animateBox));
    expectAnimationBoxes(true, true, "2", "10");
    ASSERT_TRUE(panel_driver::noDialogComes(session_.editor()));
    ASSERT_NO_FATAL_FAILURE(save());
    materials[1].flags |= test_support::kAnimationBit;
    materials[1].animation = {2, 0, 0, 0, 0, 0, 10};
    expectSaved(materials);
}

TEST_F(AnimationTest, RenamingTheDiffuseTextureAwayFromDoubleZeroEndsTheAnimation) {
    ASSERT_NO_FATAL_FAILURE(open({animatedFire()}));
    ASSERT_NO_FATAL_FAILURE(enter(panel().diffuseNameBox, "fire"));
    expectNotice(kNotAnimatable);
    expectAnimationBoxes(false, false, "4", "100");
    ASSERT_NO_FATAL_FAILURE(save());
    expectSaved({recordWithNames("", "FIRE.BMP", "")});
}

TEST_F(AnimationTest, RenamingToAnotherDoubleZeroNameKeepsTheWholeBlock) {
    RecordBytes record = animatedFire();
    ASSERT_NO_FATAL_FAILURE(open({record}));
    ASSERT_NO_FATAL_FAILURE(enter(panel().diffuseNameBox, "water00"));
    ASSERT_TRUE(textBecomes(panel().diffuseNameBox, "WATER00.BMP"));
    ASSERT_TRUE(panel_driver::noDialogComes(session_.editor()));
    expectAnimationBoxes(true, true, "4", "100");
    ASSERT_NO_FATAL_FAILURE(save());
    record.diffuseName = "WATER00.BMP";
    expectSaved({record});
}

TEST_F(AnimationTest, UncheckedAnimationKeepsItsSettingsForTheNextCheck) {
    RecordBytes record = animatedFire();
    ASSERT_NO_FATAL_FAILURE(open({record}));
    ASSERT_NO_FATAL_FAILURE(enter(panel().framesBox, "7"));
    ASSERT_NO_FATAL_FAILURE(enter(panel().delayBox, "250"));
    // Unchecking leaves the two boxes as they are, a count typed without
    // Enter too; checking again writes the kept settings into them.
    ASSERT_NO_FATAL_FAILURE(type(panel().framesBox, "9"));
    ASSERT_NO_FATAL_FAILURE(click(panel().animateBox));
    expectAnimationBoxes(false, true, "9", "250");
    ASSERT_NO_FATAL_FAILURE(click(panel().animateBox));
    expectAnimationBoxes(true, true, "7", "250");
    ASSERT_TRUE(panel_driver::noDialogComes(session_.editor()));
    ASSERT_NO_FATAL_FAILURE(save());
    record.animation[0] = 7;
    setDelay(record, 250);
    expectSaved({record});

    ASSERT_NO_FATAL_FAILURE(click(panel().animateBox));
    expectAnimationBoxes(false, true, "7", "250");
    ASSERT_NO_FATAL_FAILURE(save());
    expectSaved({recordWithNames("", "FIRE00.BMP", "")});
}

// --- before a model is open --------------------------------------------------------------------

using NoModelTest = NoticeTest;

// The box's own typing tells when the keys are taken: without a model it
// runs no rule.
TEST_F(NoModelTest, NameBoxesTakeNoEnterAndTypingLeavesTheStatusBarAlone) {
    ASSERT_NO_FATAL_FAILURE(focus(panel().diffuseNameBox));
    ASSERT_TRUE(editor_driver::waitForEarlierInput(panel().diffuseNameBox));
    const std::string status = session_.editor().statusText();
    editor_driver::typeText("stone");
    editor_driver::pressKey(VK_RETURN);
    ASSERT_TRUE(textBecomes(panel().diffuseNameBox, "STONE"));
    ASSERT_TRUE(editor_driver::waitForEarlierInput(panel().diffuseNameBox));  // the Enter too
    EXPECT_EQ(windowText(panel().diffuseNameBox), "STONE");
    EXPECT_EQ(session_.editor().statusText(), status);
    EXPECT_TRUE(panel_driver::noDialogComes(session_.editor()));
}

TEST_F(NoModelTest, AnimationCannotBeCheckedWithTheEmptyDiffuseName) {
    ASSERT_NO_FATAL_FAILURE(click(panel().animateBox));
    expectNotice(kNotAnimatable);
    EXPECT_TRUE(waitForCheckMark(panel().animateBox, false));
    EXPECT_FALSE(IsWindowEnabled(panel().framesBox));
    EXPECT_FALSE(IsWindowEnabled(panel().delayBox));
}

}  // namespace
