// What the panel's tests share: a fresh editor for each test, a model made
// of material records and opened through the menu, and the file that
// saving must give.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "editor_driver.h"
#include "model_bytes.h"
#include "panel_driver.h"

namespace panel_test {

using test_support::RecordBytes;

// The bytes after the material section stand for the model's meshes.
inline std::string modelOf(const std::vector<RecordBytes>& records) {
    test_support::ModelBytes model;
    model.records = records;
    model.remainder = std::string("\x03\x00\x00\x00mesh\x00\xFF\x7F", 11) + std::string(200, '\x5A');
    return test_support::encodeModel(model);
}

// True once the bar stands at the position.
inline bool positionBecomes(HWND bar, int position) {
    return editor_driver::waitUntil([&] { return editor_driver::progressPosition(bar) == position; });
}

// The positions of a channel's red, green and blue bars.
inline std::array<int, 3> positions(const panel_driver::ChannelControls& channel) {
    using editor_driver::progressPosition;
    return {progressPosition(channel.red), progressPosition(channel.green), progressPosition(channel.blue)};
}

// Empty when the two files are equal; otherwise where they first differ.
inline std::string fileDifference(const std::string& written, const std::string& expected) {
    if (written == expected) return {};
    const auto at = std::mismatch(written.begin(), written.end(), expected.begin(), expected.end());
    const std::size_t offset = static_cast<std::size_t>(at.first - written.begin());
    std::ostringstream out;
    out << written.size() << " bytes written, " << expected.size() << " expected; first difference at offset "
        << offset;
    return out.str();
}

class PanelTest : public ::testing::Test {
protected:
    // With no texture folder given, the model's folder serves as one.
    explicit PanelTest(const std::optional<std::string>& textureFolder = std::nullopt) : session_(textureFolder) {}

    void SetUp() override { ASSERT_EQ(session_.problem(), ""); }
    void TearDown() override { editor_driver::parkPointer(); }

    const panel_driver::PanelControls& panel() const { return session_.controls(); }

    void open(const std::vector<RecordBytes>& records) {
        ASSERT_TRUE(session_.open(modelOf(records))) << "the model did not open";
    }
    void select(int row) { ASSERT_TRUE(session_.selectRow(row)) << "row " << row << " was not selected"; }
    void save() { ASSERT_TRUE(session_.save()) << "saving did not end"; }

    // Saving must have written exactly these records around the opened
    // model's remainder.
    void expectSaved(const std::vector<RecordBytes>& records) {
        EXPECT_EQ(fileDifference(session_.fileBytes(), test_support::withSavedHeader(modelOf(records))), "");
    }

    void click(HWND control) {
        singleClickOn(control);
        ASSERT_TRUE(editor_driver::clickMiddle(control)) << "the pointer did not get there";
    }
    // Clicks a check box and waits until its own mark has turned.
    void toggle(HWND box) {
        const bool wasChecked = panel_driver::showsCheckMark(box);
        ASSERT_NO_FATAL_FAILURE(click(box));
        ASSERT_TRUE(panel_driver::waitForCheckMark(box, !wasChecked)) << editor_driver::windowText(box);
    }
    // Clicks the edit box and waits until it has the keyboard focus.
    void focus(HWND box) {
        singleClickOn(box);
        ASSERT_TRUE(panel_driver::focusBox(box)) << "the box did not take the keyboard";
    }
    // Replaces the box's text by typing, without Enter.
    void type(HWND box, const std::string& text) {
        singleClickOn(box);
        ASSERT_TRUE(editor_driver::typeIntoBox(box, text)) << "the box did not take the keyboard";
    }
    void enter(HWND box, const std::string& text) {
        ASSERT_NO_FATAL_FAILURE(type(box, text));
        editor_driver::pressKey(VK_RETURN);
    }

    // Clicks the swatch; its colour dialog, or nullptr when none came.
    HWND openColourDialog(HWND swatch) {
        click(swatch);
        return HasFatalFailure() ? nullptr : panel_driver::waitForColourDialog(session_.editor());
    }
    // Opens the swatch's dialog, chooses the colour and confirms it.
    void chooseColour(HWND swatch, const panel_driver::Rgb& colour) {
        HWND dialog = openColourDialog(swatch);
        ASSERT_NE(dialog, nullptr) << "no colour dialog";
        ASSERT_TRUE(panel_driver::typeColour(dialog, colour)) << "the dialog did not take the colour";
        editor_driver::pressButton(dialog, IDOK);
        ASSERT_TRUE(editor_driver::waitForWindowGone(dialog));
    }

    panel_driver::PanelSession session_;

private:
    // Makes the coming click on the control a single one: a second click on
    // the same control within the double-click time is a double click, which
    // an edit box takes without taking the focus.
    void singleClickOn(HWND control) {
        const DWORD since = GetTickCount() - lastClickTime_;
        if (control == lastClicked_ && since <= GetDoubleClickTime()) Sleep(GetDoubleClickTime() - since + 50);
        lastClicked_ = control;
        lastClickTime_ = GetTickCount();
    }

    HWND lastClicked_ = nullptr;
    DWORD lastClickTime_ = 0;
};

}  // namespace panel_test
