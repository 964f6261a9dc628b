// Edits reach the material they were made on, whatever the user does while
// a notice or the colour dialog is up or while no row is selected; and
// unsaved changes are not thrown away without asking (exit, the close box,
// open), nor touched once the close has released the materials.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editor_driver.h"
#include "model/material.h"
#include "model_bytes.h"
#include "panel_driver.h"
#include "panel_fixture.h"

namespace {

using namespace panel_test;
using editor_driver::waitUntil;
using editor_driver::windowText;
using panel_driver::answerMessageBox;
using panel_driver::waitForCheckMark;
using test_support::recordWithNames;

constexpr char kNotAnimatable[] = "Diffuse текстура должна иметь имя формата *00.bmp";
const std::vector<std::string> kExit{"Файл", "Выход"};
const std::vector<std::string> kOpen{"Файл", "Открыть.."};

RecordBytes animated(const std::string& diffuseName, std::uint8_t frames) {
    RecordBytes record = recordWithNames("", diffuseName, "");
    record.flags |= test_support::kAnimationBit;
    record.animation = {frames, 1, 2, 3, 4, 5, 100, 0, 0, 0, 9, 8, 7, 6, 5, 4, 3, 2};
    return record;
}

class EditTargetTest : public PanelTest {
protected:
    // Waits for the notice while the user goes on working the main window.
    HWND waitForNotice() {
        HWND box = session_.editor().waitForMessageBox();
        EXPECT_NE(box, nullptr) << "no notice came";
        return box;
    }
    void close(HWND box) {
        editor_driver::pressButton(box, IDOK);
        ASSERT_TRUE(editor_driver::waitForWindowGone(box));
        panel_driver::waitForInputHandled(session_.editor());
    }
    // The animation settings the panel shows.
    void expectAnimationShown(const std::string& frames) {
        EXPECT_TRUE(waitForCheckMark(panel().animateBox, true));
        EXPECT_EQ(windowText(panel().framesBox), frames);
        EXPECT_TRUE(IsWindowEnabled(panel().framesBox));
    }
};

// A click below the last row takes the selection away while the panel
// still shows the first material: what is edited then is kept when the row
// is selected again, and its row shows the new name at once.
TEST_F(EditTargetTest, EditsMadeWhileNoRowIsSelectedReachTheShownMaterial) {
    RecordBytes first = recordWithNames("", "ROCK.BMP", "");
    const RecordBytes second = recordWithNames("", "WOOD.BMP", "");
    ASSERT_NO_FATAL_FAILURE(open({first, second}));
    const auto lastRow = session_.editor().listRowRect(panel().materialList, 1);
    ASSERT_TRUE(lastRow.has_value());
    ASSERT_TRUE(editor_driver::clickAt(panel().materialList, lastRow->left + 10, lastRow->bottom + 30));
    ASSERT_TRUE(waitUntil([&] { return session_.editor().selectedListRow(panel().materialList) == -1; }));

    ASSERT_NO_FATAL_FAILURE(enter(panel().diffuseNameBox, "stone"));
    EXPECT_TRUE(waitUntil([&] { return session_.rows().front() == "[1] |STONE.BMP|"; }));
    ASSERT_NO_FATAL_FAILURE(toggle(panel().doubleSidedBox));
    ASSERT_NO_FATAL_FAILURE(select(0));
    EXPECT_EQ(windowText(panel().diffuseNameBox), "STONE.BMP");
    EXPECT_TRUE(waitForCheckMark(panel().doubleSidedBox, true));
    EXPECT_TRUE(waitForCheckMark(panel().extraSettingsBox, true));

    ASSERT_NO_FATAL_FAILURE(save());
    first.diffuseName = "STONE.BMP";
    first.flags |= model::DoubleSided | model::ExtraSettings;
    expectSaved({first, second});
}

// The notice of the animation check is up while the user selects another
// material: once it goes, the check stops and the material now shown keeps
// its animation. Through the check box and through Enter in the name box.
TEST_F(EditTargetTest, AnimationCheckStopsWhenAnotherMaterialWasShownDuringItsNotice) {
    const RecordBytes plain = recordWithNames("", "ROCK.BMP", "");
    RecordBytes fire = animated("FIRE00.BMP", 4);
    const RecordBytes wave = animated("WAVE00.BMP", 6);
    ASSERT_NO_FATAL_FAILURE(open({plain, fire, wave}));

    ASSERT_NO_FATAL_FAILURE(click(panel().animateBox));
    HWND notice = waitForNotice();
    ASSERT_NE(notice, nullptr);
    EXPECT_EQ(editor_driver::messageText(notice), kNotAnimatable);
    ASSERT_NO_FATAL_FAILURE(select(1));
    ASSERT_NO_FATAL_FAILURE(close(notice));
    expectAnimationShown("4");

    ASSERT_NO_FATAL_FAILURE(enter(panel().diffuseNameBox, "ember"));
    notice = waitForNotice();
    ASSERT_NE(notice, nullptr);
    ASSERT_NO_FATAL_FAILURE(select(2));
    ASSERT_NO_FATAL_FAILURE(close(notice));
    expectAnimationShown("6");

    ASSERT_NO_FATAL_FAILURE(save());
    // The renamed material's name has no "00": its animation goes.
    fire.diffuseName = "EMBER.BMP";
    fire.flags &= ~test_support::kAnimationBit;
    expectSaved({plain, fire, wave});
}

// The colour dialog opened for the first material is confirmed while the
// second is shown: the colour goes to the first.
TEST_F(EditTargetTest, ColourChosenAfterTheRowChangedGoesToTheMaterialItWasChosenFor) {
    RecordBytes first = recordWithNames("", "ROCK.BMP", "");
    RecordBytes second = recordWithNames("", "WOOD.BMP", "");
    second.ambient = {0.2F, 0.4F, 0.6F};
    ASSERT_NO_FATAL_FAILURE(open({first, second}));
    HWND dialog = openColourDialog(panel().ambient.swatch);
    ASSERT_NE(dialog, nullptr) << "no colour dialog";
    // Moved aside, off the list, as a user would.
    SetWindowPos(dialog, nullptr, GetSystemMetrics(SM_CXSCREEN) - editor_driver::outerSize(dialog).cx, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(panel_driver::typeColour(dialog, {200, 100, 50}));
    ASSERT_NO_FATAL_FAILURE(select(1));
    editor_driver::pressButton(dialog, IDOK);
    ASSERT_TRUE(editor_driver::waitForWindowGone(dialog));
    panel_driver::waitForInputHandled(session_.editor());
    EXPECT_EQ(positions(panel().ambient), (std::array<int, 3>{20, 40, 60}));
    EXPECT_TRUE(panel_driver::waitForSwatchColour(panel().ambient.swatch, 0x336699));

    ASSERT_NO_FATAL_FAILURE(select(0));
    EXPECT_EQ(positions(panel().ambient), (std::array<int, 3>{78, 39, 20}));
    ASSERT_NO_FATAL_FAILURE(save());
    first.ambient = {199 / 255.0F, 99 / 255.0F, 51 / 255.0F};
    expectSaved({first, second});
}

// --- unsaved changes ---------------------------------------------------------------------

class UnsavedChangesTest : public PanelTest {
protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(PanelTest::SetUp());
        ASSERT_NO_FATAL_FAILURE(open({record_}));
    }

    // Waits for the question, checks it and answers it with the button.
    void answerQuestion(int button) {
        const auto seen = answerMessageBox(session_.editor(), button);
        ASSERT_TRUE(seen.has_value()) << "no question came";
        EXPECT_EQ(seen->text, "Сохранить изменения в файле " + session_.modelPath() + "?");
        EXPECT_EQ(seen->caption, "Skirvane");
        EXPECT_EQ(seen->icon, panel_driver::MessageIcon::Question);
        EXPECT_EQ(seen->buttons.size(), 3U);
        EXPECT_FALSE(seen->mainWindowEnabled) << "the question is task-modal";
    }
    void choose(const std::vector<std::string>& item) { ASSERT_TRUE(session_.editor().chooseMenuItem(item)); }
    bool ended() { return session_.editor().waitForExit() && session_.editor().exitCode() == 0U; }

    const std::string opened_ = modelOf({recordWithNames("", "ROCK.BMP", "")});
    RecordBytes record_ = recordWithNames("", "ROCK.BMP", "");
};

TEST_F(UnsavedChangesTest, ExitAsksAndCancelStaysWhileYesSavesAndEnds) {
    ASSERT_NO_FATAL_FAILURE(toggle(panel().diffuseChannelBox));
    ASSERT_NO_FATAL_FAILURE(choose(kExit));
    ASSERT_NO_FATAL_FAILURE(answerQuestion(IDCANCEL));
    EXPECT_TRUE(panel_driver::noDialogComes(session_.editor()));
    EXPECT_TRUE(session_.editor().running());
    EXPECT_EQ(session_.fileBytes(), opened_);

    ASSERT_NO_FATAL_FAILURE(choose(kExit));
    ASSERT_NO_FATAL_FAILURE(answerQuestion(IDYES));
    EXPECT_TRUE(ended());
    record_.flags |= model::DiffuseChannel;
    expectSaved({record_});
}

// A bar moved counts: the panel is written back before the question.
TEST_F(UnsavedChangesTest, CloseBoxAsksAndNoEndsWithoutSaving) {
    ASSERT_TRUE(panel_driver::clickSlider(panel().diffuseDensityBar, 10, panel_driver::Button::Right));
    ASSERT_TRUE(positionBecomes(panel().diffuseDensityBar, 0));
    ASSERT_TRUE(editor_driver::clickCloseBox(session_.mainWindow()));
    ASSERT_NO_FATAL_FAILURE(answerQuestion(IDNO));
    EXPECT_TRUE(ended());
    EXPECT_EQ(session_.fileBytes(), opened_);
}

// Text typed without Enter is no change; a save that fails keeps the model
// open, and No goes on to the file dialog.
TEST_F(UnsavedChangesTest, OpenAsksOnlyForChangesAndAFailedSaveCancelsIt) {
    ASSERT_NO_FATAL_FAILURE(type(panel().diffuseNameBox, "NOT TAKEN"));
    ASSERT_NO_FATAL_FAILURE(choose(kOpen));
    HWND files = session_.editor().waitForFileDialog();
    ASSERT_NE(files, nullptr) << "Open asked although nothing was changed";
    editor_driver::pressButton(files, IDCANCEL);
    ASSERT_TRUE(editor_driver::waitForWindowGone(files));

    ASSERT_NO_FATAL_FAILURE(toggle(panel().diffuseChannelBox));
    const std::wstring path = editor_driver::fromCp1251(session_.modelPath());
    ASSERT_TRUE(DeleteFileW(path.c_str()) && CreateDirectoryW(path.c_str(), nullptr));
    ASSERT_NO_FATAL_FAILURE(choose(kOpen));
    ASSERT_NO_FATAL_FAILURE(answerQuestion(IDYES));
    const auto failure = answerMessageBox(session_.editor());
    ASSERT_TRUE(failure.has_value());
    EXPECT_EQ(failure->text, "Can't write file: " + session_.modelPath());
    EXPECT_TRUE(panel_driver::noDialogComes(session_.editor())) << "the open went on after the failed save";

    ASSERT_NO_FATAL_FAILURE(choose(kOpen));
    ASSERT_NO_FATAL_FAILURE(answerQuestion(IDNO));
    files = session_.editor().waitForFileDialog();
    ASSERT_NE(files, nullptr);
    editor_driver::pressButton(files, IDCANCEL);
    EXPECT_TRUE(editor_driver::waitForWindowGone(files));
}

// Input still queued when the close goes ahead finds no model to touch: a
// save would otherwise write the released, empty model over the file.
TEST_F(UnsavedChangesTest, InputQueuedBehindTheCloseFindsNothingToTouch) {
    const auto saveItem = session_.editor().menuItem({"Файл", "Сохранить"});
    ASSERT_TRUE(saveItem.has_value());
    ASSERT_NO_FATAL_FAILURE(type(panel().diffuseNameBox, "STONE"));
    PostMessageW(session_.mainWindow(), WM_CLOSE, 0, 0);
    PostMessageW(panel().diffuseNameBox, WM_CHAR, VK_RETURN, 1);
    PostMessageW(session_.mainWindow(), WM_COMMAND, MAKEWPARAM(saveItem->id, 0), 0);
    EXPECT_TRUE(ended());
    EXPECT_EQ(session_.fileBytes(), opened_);
}

// --- undo and redo ------------------------------------------------------------------------

class UndoTest : public PanelTest {
protected:
    void undo() { editor_driver::pressControlKey('Z'); }
    void redo() { editor_driver::pressControlKey('Y'); }
    bool undoOffered() { return session_.editor().menuItem({"Правка", "Отменить"})->enabled; }
    // Waits until the program has taken the keys.
    void settle() { panel_driver::waitForInputHandled(session_.editor()); }
    // The save waits on a message box; on a display without a window
    // manager no window is active after it, and settling clicks one.
    void saveAndSettle() {
        ASSERT_NO_FATAL_FAILURE(save());
        settle();
    }
};

// Each change that reaches a material is a step: a name, a flag, a colour
// and a bar, each undone to the opened file and redone to the edited one;
// undoing back to what was saved leaves nothing unsaved.
TEST_F(UndoTest, EveryChangeIsUndoneAndRedoneByteForByte) {
    const RecordBytes first = recordWithNames("", "ROCK.BMP", "");
    const RecordBytes second = recordWithNames("", "WOOD.BMP", "");
    ASSERT_NO_FATAL_FAILURE(open({first, second}));
    const std::string opened = session_.fileBytes();
    ASSERT_NO_FATAL_FAILURE(enter(panel().diffuseNameBox, "stone"));
    ASSERT_NO_FATAL_FAILURE(select(1));
    ASSERT_NO_FATAL_FAILURE(toggle(panel().doubleSidedBox));
    ASSERT_NO_FATAL_FAILURE(select(0));
    ASSERT_NO_FATAL_FAILURE(chooseColour(panel().ambient.swatch, {200, 100, 50}));
    ASSERT_NO_FATAL_FAILURE(save());
    const std::string edited = session_.fileBytes();
    ASSERT_TRUE(panel_driver::clickSlider(panel().diffuseDensityBar, 10, panel_driver::Button::Right));
    ASSERT_TRUE(positionBecomes(panel().diffuseDensityBar, 0));
    undo();  // the bar's change becomes a step and is undone at once
    EXPECT_TRUE(positionBecomes(panel().diffuseDensityBar, 100));
    for (int step = 0; step < 3; ++step) undo();
    settle();
    EXPECT_FALSE(undoOffered());
    EXPECT_EQ(windowText(panel().diffuseNameBox), "ROCK.BMP");
    ASSERT_NO_FATAL_FAILURE(saveAndSettle());
    EXPECT_EQ(session_.fileBytes(), test_support::withSavedHeader(opened));

    for (int step = 0; step < 3; ++step) redo();
    settle();
    EXPECT_TRUE(undoOffered());
    ASSERT_NO_FATAL_FAILURE(saveAndSettle());
    EXPECT_EQ(session_.fileBytes(), edited);
    redo();  // the bar again: a change since the save
    settle();
    undo();
    settle();
    ASSERT_TRUE(editor_driver::clickCloseBox(session_.mainWindow()));
    EXPECT_TRUE(session_.editor().waitForExit()) << "back at the saved state, nothing is asked";
}

// Undo shows the material of the step in its row, the whole list filled
// when a search hides it.
TEST_F(UndoTest, UndoAcrossASearchShowsTheMaterialInTheFullList) {
    ASSERT_NO_FATAL_FAILURE(open({recordWithNames("", "ROCK.BMP", ""), recordWithNames("", "SKY.BMP", "")}));
    ASSERT_NO_FATAL_FAILURE(enter(panel().diffuseNameBox, "stone"));
    ASSERT_TRUE(waitUntil([&] { return windowText(panel().diffuseNameBox) == "STONE.BMP"; }));
    HWND searchBox = editor_driver::findMainWindowControls(session_.mainWindow()).searchBox;
    ASSERT_TRUE(editor_driver::typeIntoBox(searchBox, "SKY"));
    editor_driver::pressKey(VK_RETURN);
    ASSERT_TRUE(waitUntil([&] { return session_.rows() == std::vector<std::string>{"[2] |SKY.BMP|"}; }));
    undo();
    EXPECT_TRUE(waitUntil([&] {
        return session_.rows() == std::vector<std::string>{"[1] |ROCK.BMP|", "[2] |SKY.BMP|"};
    }));
    EXPECT_EQ(session_.editor().selectedListRow(panel().materialList), 0);
    EXPECT_TRUE(waitUntil([&] { return windowText(panel().diffuseNameBox) == "ROCK.BMP"; }));
}

}  // namespace
