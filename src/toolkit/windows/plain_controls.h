// The plain control kinds: label, paint box, scroll box and edit box.
#pragma once

#include <array>
#include <string>

#include "toolkit/windows/control.h"

namespace toolkit {

// Single-line text without "&" processing and without word wrap (centred
// text wraps). Notifies clicks. Right-aligned text is drawn by the label
// itself, a few pixels inside its right edge: a glyph may reach past the
// width its text measures, and at the edge it would be cut.
class Label : public Control {
public:
    Label(Control& parent, const std::string& caption);
    Label& setTextAlignment(TextAlignment alignment);

protected:
    DWORD windowStyle() const override;
    HBRUSH colorMessage(HDC dc) override;
    bool commandMessage(WORD code, LRESULT& result) override;
    bool drawItem(const DRAWITEMSTRUCT& item) override;

private:
    TextAlignment textAlignment_ = LeftText;
};

// A label without caption whose paint event draws its content.
class PaintBox : public Label {
public:
    explicit PaintBox(Control& parent);

protected:
    bool paintsItself() const override { return true; }
};

// A container whose scroll bars cover its children's extent.
class ScrollBox : public Control {
public:
    enum EdgeStyle : int { RaisedFrame = 0, SunkenEdge = 1, NoEdge = 2 };
    static constexpr int kLineStep = 16;

    ScrollBox(Control& parent, EdgeStyle edge);
    // Recomputes the scroll ranges from the children's extent; runs on
    // every resize of the box or of a child.
    void updateScrollRanges();
    // The scroll position of SB_HORZ or SB_VERT.
    int scrollPosition(int bar) const { return position_[bar == SB_VERT ? 1 : 0]; }

protected:
    DWORD windowStyle() const override;
    DWORD windowExStyle() const override;
    void windowMade() override { updateScrollRanges(); }
    POINT childOrigin() const override { return {-position_[0], -position_[1]}; }
    void childGeometryChanged() override { updateScrollRanges(); }
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void scrollTo(int bar, int position);
    void placeChildren();

    EdgeStyle edge_;
    std::array<int, 2> position_{};  // horizontal, vertical
    bool updatingRanges_ = false;
};

// Edit box options (bits of the option set).
enum EditOption : unsigned {
    NoHorizontalScroll = 1U << 0,
    NoVerticalScroll = 1U << 1,
    LowerCase = 1U << 2,
    MultiLine = 1U << 3,
    KeepSelection = 1U << 4,
    OemConvert = 1U << 5,
    Password = 1U << 6,
    ReadOnly = 1U << 7,
    UpperCase = 1U << 8,
    WantReturn = 1U << 9,
    WantTab = 1U << 10,
    DigitsOnly = 1U << 11,
};

class EditBox : public Control {
public:
    EditBox(Control& parent, unsigned options);

protected:
    DWORD windowStyle() const override;
    DWORD windowExStyle() const override;
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    HBRUSH colorMessage(HDC dc) override;

private:
    bool changesCase() const;
    // Puts the text in the case the box keeps: capitals with UpperCase,
    // small letters with LowerCase.
    void toBoxCase(std::wstring& text) const;
    void pasteInBoxCase();

    unsigned options_;
};

// Constructors in the form the window definitions use: each makes the
// control, hands it to its parent (which frees it) and returns it.
Label& newLabel(Control& parent, const std::string& caption);
PaintBox& newPaintBox(Control& parent);
ScrollBox& newScrollBox(Control& parent, ScrollBox::EdgeStyle edge);
EditBox& newEditBox(Control& parent, unsigned options);

}  // namespace toolkit
