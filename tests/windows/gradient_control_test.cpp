// Gradient-styled controls through real windows: their classes and kind
// property, what their looks put on the screen (gradients, borders, corners,
// transparency, the check mark, the fill of a progress bar), the mouse and
// keyboard, the transition timer and the progress properties.
#include "toolkit/gradient/gradient.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

#include "core/object.h"
#include "toolkit/gradient/gradient_services.h"
#include "toolkit/windows/application.h"
#include "toolkit/windows/control.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/plain_controls.h"
#include "ui_driver.h"

namespace {

using namespace toolkit;

constexpr Color kRed = 0x0000FF;
constexpr Color kGreen = 0x00FF00;
constexpr Color kBlue = 0xFF0000;
constexpr Color kYellow = 0x00FFFF;
constexpr Color kWhite = 0xFFFFFF;
constexpr Color kBlack = 0x000000;
constexpr std::uint32_t kPositionProperty = 0x84020408;

// The client area of a window once painted, read back pixel by pixel.
class Snapshot {
public:
    explicit Snapshot(HWND window) {
        UpdateWindow(window);
        RECT client;
        GetClientRect(window, &client);
        width_ = client.right;
        height_ = client.bottom;
        pixels_.resize(static_cast<std::size_t>(width_) * height_);
        BITMAPINFO info{};
        info.bmiHeader = {sizeof info.bmiHeader, width_, -height_, 1, 32, BI_RGB};
        void* bits = nullptr;
        HBITMAP section = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HDC memory = CreateCompatibleDC(nullptr);
        HGDIOBJ previous = SelectObject(memory, section);
        HDC screen = GetDC(window);
        BitBlt(memory, 0, 0, width_, height_, screen, 0, 0, SRCCOPY);
        ReleaseDC(window, screen);
        GdiFlush();
        const auto* source = static_cast<const std::uint32_t*>(bits);
        for (std::size_t i = 0; i < pixels_.size(); ++i) {
            const std::uint32_t p = source[i];  // 0x00RRGGBB
            pixels_[i] = ((p >> 16) & 0xFF) | (p & 0xFF00) | ((p & 0xFF) << 16);
        }
        SelectObject(memory, previous);
        DeleteDC(memory);
        DeleteObject(section);
    }

    // 0x00BBGGRR, as colours are given.
    Color at(int x, int y) const { return pixels_[static_cast<std::size_t>(y) * width_ + x]; }
    int width() const { return width_; }
    int height() const { return height_; }
    int count(Color color) const { return static_cast<int>(std::count(pixels_.begin(), pixels_.end(), color)); }
    // The leftmost column holding that colour, or -1.
    int leftmost(Color color) const {
        for (int x = 0; x < width_; ++x)
            if (columnHolds(x, color)) return x;
        return -1;
    }
    // The rightmost column holding that colour, or -1.
    int rightmost(Color color) const {
        for (int x = width_ - 1; x >= 0; --x)
            if (columnHolds(x, color)) return x;
        return -1;
    }

private:
    bool columnHolds(int x, Color color) const {
        for (int y = 0; y < height_; ++y)
            if (at(x, y) == color) return true;
        return false;
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<Color> pixels_;
};

int channel(Color color, int index) { return static_cast<int>((color >> (8 * index)) & 0xFF); }

int largestChannelDifference(Color a, Color b) {
    int largest = 0;
    for (int c = 0; c < 3; ++c) largest = std::max(largest, std::abs(channel(a, c) - channel(b, c)));
    return largest;
}

LPARAM at(int x, int y) { return MAKELPARAM(x, y); }

// One plain colour for a look, whatever its style, and no border or corners.
void plainLook(GradientControl& control, LookSet looks, Color color) {
    control.setStartColor(looks, color).setEndColor(looks, color);
    control.setBorderWidth(looks, 0).setCornerWidth(looks, 0).setCornerHeight(looks, 0);
}

class GradientTest : public ::testing::Test {
protected:
    void SetUp() override {
        // Only the messages of a test move the pointer in and out of the
        // controls: the real pointer is left alone, and the form stands away
        // from where the other window tests place theirs and point.
        app_ = newApplication("Skirvane");
        form_ = &newForm(*app_, "Градиенты");
        form_->setPosition(800, 40);
        form_->setClientSize(420, 320);
        form_->setBackgroundColor(0x808080);
    }

    void TearDown() override { gradient_services::forceFallback(false); }

    void show() {
        form_->setVisible(true);
        ui_driver::pumpMessages(50);
    }

    core::Ref<Application> app_;
    Form* form_ = nullptr;
};

// --- windows and their kind ------------------------------------------------------

// Whether each watched window still carried its kind code when it was finally destroyed.
std::map<HWND, bool> kindAtLastMessage;

LRESULT CALLBACK watchDestruction(int code, WPARAM wParam, LPARAM lParam) {
    const auto* message = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && message->message == WM_NCDESTROY && kindAtLastMessage.contains(message->hwnd))
        kindAtLastMessage[message->hwnd] = GetPropW(message->hwnd, L"GRUSH_TYPE") != nullptr;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

using GradientWindowTest = GradientTest;

TEST_F(GradientWindowTest, EachKindHasItsClassAndCarriesItsKindCodeWhileItsWindowExists) {
    GradientButton& button = newGradientButton(*form_, "Кнопка");
    GradientPanel& panel = newGradientPanel(*form_);
    GradientCheckBox& box = newGradientCheckBox(panel, "Флажок");
    GradientRadioBox& radio = newGradientRadioBox(panel, "Выбор");
    GradientProgressBar& bar = newGradientProgressBar(*form_);
    show();
    const struct {
        Control& control;
        const wchar_t* className;
        char kind;
    } expected[] = {
        {button, L"GRUSH_BUTTON", ' '},  {panel, L"GRUSH_PANEL", '!'},       {box, L"GRUSH_CHECKBOX", '"'},
        {radio, L"GRUSH_CHECKBOX", '#'}, {bar, L"GRUSH_PROGRESSBAR", '%'},
    };
    for (const auto& [control, className, kind] : expected) {
        ASSERT_NE(control.handle(), nullptr);
        EXPECT_EQ(ui_driver::className(control.handle()), className);
        EXPECT_EQ(reinterpret_cast<INT_PTR>(GetPropW(control.handle(), L"GRUSH_TYPE")), kind) << kind;
        kindAtLastMessage[control.handle()] = true;
    }
    HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROC, watchDestruction, nullptr, GetCurrentThreadId());
    ASSERT_NE(hook, nullptr);
    HWND buttonWindow = button.handle();
    DestroyWindow(buttonWindow);  // by the system, as when a parent goes
    EXPECT_EQ(button.handle(), nullptr);
    app_.reset();  // the rest by the toolkit freeing its controls
    UnhookWindowsHookEx(hook);
    for (const auto& [window, kindLeft] : kindAtLastMessage) EXPECT_FALSE(kindLeft) << window;
    EXPECT_EQ(kindAtLastMessage.size(), 5u);
    kindAtLastMessage.clear();
}

TEST_F(GradientWindowTest, DrawingLibraryIsLoadedForTheFirstControlAndReleasedWithTheLast) {
    if (GetModuleHandleW(L"msimg32.dll") != nullptr) GTEST_SKIP() << "msimg32 is held by another part of the process";
    newGradientPanel(*form_);
    EXPECT_NE(GetModuleHandleW(L"msimg32.dll"), nullptr);
    newGradientButton(*form_, "Вторая");
    show();
    app_.reset();
    EXPECT_EQ(GetModuleHandleW(L"msimg32.dll"), nullptr);
}

TEST_F(GradientWindowTest, RadioBoxesWithoutWindowsTurnEachOtherOffToo) {
    GradientRadioBox& first = newGradientRadioBox(*form_, "Один");
    GradientRadioBox& second = newGradientRadioBox(*form_, "Два");
    first.setChecked(true);
    second.setChecked(true);
    EXPECT_EQ(first.handle(), nullptr);
    EXPECT_FALSE(first.checked());
    EXPECT_TRUE(second.checked());
}

// --- looks --------------------------------------------------------------------

using GradientLookTest = GradientTest;

TEST_F(GradientLookTest, LookShowsItsGradientBorderOuterColourAndRoundedCorners) {
    GradientPanel& panel = newGradientPanel(*form_);
    panel.setPosition(10, 10).setSize(100, 60);
    panel.setStartColor(NormalLook, kRed).setEndColor(NormalLook, kBlue).setGradientStyle(NormalLook, 1);
    panel.setBorderColor(NormalLook, kGreen).setBorderWidth(NormalLook, 1);
    panel.setCornerWidth(NormalLook, 8).setCornerHeight(NormalLook, 8).setOuterColor(NormalLook, kWhite);
    show();
    const Snapshot shot(panel.handle());
    EXPECT_EQ(shot.at(0, 0), kWhite);
    EXPECT_EQ(shot.at(99, 59), kWhite);
    EXPECT_EQ(shot.at(50, 0), kGreen);
    EXPECT_EQ(shot.at(50, 59), kGreen);
    EXPECT_EQ(shot.at(0, 30), kGreen);
    EXPECT_EQ(shot.at(99, 30), kGreen);
    // Red at the top turning to blue at the bottom, step by step.
    EXPECT_GT(channel(shot.at(50, 1), 0), 240);
    EXPECT_GT(channel(shot.at(50, 58), 2), 240);
    for (int y = 2; y < 58; ++y) {
        EXPECT_LE(channel(shot.at(50, y), 0), channel(shot.at(50, y - 1), 0)) << y;
        EXPECT_GE(channel(shot.at(50, y), 2), channel(shot.at(50, y - 1), 2)) << y;
    }
    // The rounding: outer colour in the corner, the fill just inside it,
    // and colours mixed along the curve by the smoothing.
    EXPECT_EQ(shot.at(1, 1), kWhite);
    EXPECT_GT(channel(shot.at(6, 6), 0), 200);
    EXPECT_EQ(channel(shot.at(6, 6), 1), 0);
    bool mixed = false;
    for (int i = 0; i < 8 && !mixed; ++i) {
        const Color c = shot.at(i, i);
        mixed = c != kWhite && c != kGreen && channel(c, 1) > 0;  // not the fill either
    }
    EXPECT_TRUE(mixed);
}

TEST_F(GradientLookTest, EqualColoursGiveAPlainFillWhateverTheStyle) {
    GradientPanel& panel = newGradientPanel(*form_);
    panel.setSize(70, 50);
    plainLook(panel, NormalLook, 0x336699);
    show();
    for (std::uint8_t style = 0; style <= 6; ++style) {
        panel.setGradientStyle(NormalLook, style);
        const Snapshot shot(panel.handle());
        EXPECT_EQ(shot.count(0x336699), 70 * 50) << int(style);
    }
    panel.setEndColor(NormalLook, kWhite).setGradientStyle(NormalLook, 0);
    EXPECT_EQ(Snapshot(panel.handle()).count(0x336699), 70 * 50);  // style 0 is the start colour only
}

TEST_F(GradientLookTest, BandDrawingWithoutTheSystemServiceFollowsTheBandArithmetic) {
    GradientPanel& panel = newGradientPanel(*form_);
    panel.setSize(70, 40);
    plainLook(panel, NormalLook, kBlack);
    panel.setEndColor(NormalLook, kWhite).setGradientStyle(NormalLook, 1);
    gradient_services::forceFallback(true);
    show();
    const Snapshot bands(panel.handle());
    for (int y = 0; y < 40; ++y) {
        const Color expected = gradient::bandColor(kBlack, kWhite, y, 40);
        EXPECT_EQ(bands.at(0, y), expected) << y;
        EXPECT_EQ(bands.at(69, y), expected) << y;
    }
    // The system's service draws the same gradient within a step.
    gradient_services::forceFallback(false);
    panel.setGradientStyle(NormalLook, 1);
    const Snapshot service(panel.handle());
    for (int y = 0; y < 40; ++y) EXPECT_LE(largestChannelDifference(service.at(35, y), bands.at(35, y)), 1) << y;
}

TEST_F(GradientLookTest, DisabledControlShowsItsDisabledLook) {
    GradientPanel& panel = newGradientPanel(*form_);
    plainLook(panel, NormalLook, kRed);
    plainLook(panel, DisabledLook, kGreen);
    show();
    EXPECT_EQ(Snapshot(panel.handle()).at(30, 30), kRed);
    panel.setEnabled(false);
    EXPECT_EQ(Snapshot(panel.handle()).at(30, 30), kGreen);
    panel.setEnabled(true);
    EXPECT_EQ(Snapshot(panel.handle()).at(30, 30), kRed);
}

TEST_F(GradientLookTest, CaptionIsRedrawnWhenItChanges) {
    GradientPanel& panel = newGradientPanel(*form_);
    panel.setSize(120, 40).setFontHeight(20);
    plainLook(panel, NormalLook, kWhite);
    panel.setTextColor(NormalLook, kRed).setShadowColor(NormalLook, kGreen).setShadowOffset(NormalLook, 2);
    show();
    EXPECT_EQ(Snapshot(panel.handle()).count(kRed), 0);
    panel.setCaption("ЖЖ");
    const Snapshot shot(panel.handle());
    EXPECT_GT(shot.count(kRed), 10);
    EXPECT_GT(shot.count(kGreen), 10);  // the shadow shows beside the text
    panel.setCaption("");
    EXPECT_EQ(Snapshot(panel.handle()).count(kRed), 0);
}

// A transparent control, with and without the system's transparent copy.
class GradientTransparencyTest : public GradientTest, public ::testing::WithParamInterface<bool> {};

TEST_P(GradientTransparencyTest, TransparentCheckBoxShowsItsParentWhereItsLookHasTheOuterColour) {
    gradient_services::forceFallback(GetParam());
    GradientPanel& panel = newGradientPanel(*form_);
    panel.setSize(200, 80);
    plainLook(panel, AllLooks, kYellow);
    GradientCheckBox& seeThrough = newGradientCheckBox(panel, "");
    seeThrough.setPosition(5, 5).setSize(150, 21).setTransparent(true);
    GradientCheckBox& opaque = newGradientCheckBox(panel, "");
    opaque.setPosition(5, 40).setSize(150, 21);
    opaque.setOuterColor(AllLooks, kBlue);
    show();
    const Snapshot clear(seeThrough.handle());
    EXPECT_EQ(clear.at(100, 10), kYellow);
    EXPECT_EQ(clear.at(0, 0), kYellow);
    EXPECT_NE(clear.at(8, 10), kYellow);  // the box itself
    EXPECT_EQ(Snapshot(opaque.handle()).at(100, 10), kBlue);
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutTheSystemsCopy, GradientTransparencyTest, ::testing::Bool());

TEST_F(GradientLookTest, TransparentLabelOnAPanelShowsThePanelsLook) {
    GradientPanel& panel = newGradientPanel(*form_);
    panel.setSize(200, 80);
    plainLook(panel, NormalLook, kYellow);
    Label& label = newLabel(panel, "");
    label.setPosition(10, 10).setSize(100, 20).setTransparent(true);
    show();
    EXPECT_EQ(Snapshot(label.handle()).at(50, 10), kYellow);
    plainLook(panel, NormalLook, kGreen);
    panel.invalidateWithChildren();
    EXPECT_EQ(Snapshot(label.handle()).at(50, 10), kGreen);
}

// A glyph may reach a pixel or two past the width its text measures: a
// check box's caption and a right-aligned label still show it whole.
TEST_F(GradientLookTest, CaptionsShowTheirLastGlyphWhole) {
    const std::string text = "Used by frames: 1, faces: 24";
    Label& label = newLabel(*form_, text);
    label.setTextAlignment(RightText);
    label.setPosition(10, 10).setSize(300, 18).setFontHeight(14).setFontColor(kRed).setBackgroundColor(kWhite);
    GradientCheckBox& box = newGradientCheckBox(*form_, text);
    box.setPosition(10, 40).setSize(300, 21).setFontHeight(14);
    plainLook(box, AllLooks, kWhite);
    box.setTextColor(AllLooks, kRed).setShadowColor(AllLooks, kWhite).setOuterColor(AllLooks, kWhite);
    // The same text drawn with nothing to cut it.
    PaintBox& canvas = newPaintBox(*form_);
    canvas.setPosition(10, 70).setSize(400, 30).setFontHeight(14);
    canvas.setOnPaint([&text](Control& self, HDC dc) {
        const RECT all{0, 0, 400, 30};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(self.handle(), WM_GETFONT, 0, 0)));
        SetTextColor(dc, kRed);
        SetBkMode(dc, TRANSPARENT);
        TextOutA(dc, 20, 5, text.c_str(), static_cast<int>(text.size()));
        SelectObject(dc, previous);
    });
    show();
    const Snapshot canvasShot(canvas.handle());
    const int whole = canvasShot.rightmost(kRed) - canvasShot.leftmost(kRed) + 1;
    ASSERT_GT(whole, 100);
    const Snapshot labelShot(label.handle());
    EXPECT_EQ(labelShot.rightmost(kRed) - labelShot.leftmost(kRed) + 1, whole);
    EXPECT_LT(labelShot.rightmost(kRed), labelShot.width() - 1);
    const Snapshot boxShot(box.handle());
    EXPECT_EQ(boxShot.rightmost(kRed) - boxShot.leftmost(kRed) + 1, whole);
}

TEST_F(GradientLookTest, CheckMarkIsDrawnInItsColourCentredOnTheSquare) {
    // The mark's pixels as they must show, its 17 x 11 frame placed at
    // (0, 5) for the 13-pixel square at (2, 4) of a 21-pixel-high box.
    const char* const kMark[] = {
        "...............#.", "..............##.", ".............###.", "............###..",
        "....#......###...", "...###....###....", "....###..###.....", ".....######......",
        "......####.......", ".......##........", ".................",
    };
    GradientCheckBox& box = newGradientCheckBox(*form_, "");
    box.setCheckMarkColor(kRed).setPosition(10, 10).setSize(100, 21);
    show();
    EXPECT_EQ(Snapshot(box.handle()).count(kRed), 0);
    box.setChecked(true);
    const Snapshot shot(box.handle());
    for (int row = 0; row < 11; ++row)
        for (int column = 0; column < 17; ++column)
            EXPECT_EQ(shot.at(column, 5 + row) == kRed, kMark[row][column] == '#') << column << ", " << row;
    EXPECT_EQ(shot.count(kRed), 37);
}

TEST_F(GradientLookTest, CheckMarkSizeMovesTheCaptionWithTheSquare) {
    GradientCheckBox& box = newGradientCheckBox(*form_, "ЖЖЖ");
    box.setSize(200, 21).setFontHeight(18);
    plainLook(box, AllLooks, kWhite);
    box.setTextColor(AllLooks, kRed).setOuterColor(AllLooks, kWhite);
    show();
    const int before = Snapshot(box.handle()).leftmost(kRed);
    ASSERT_GE(before, 19);
    box.setCheckMarkSize(20);
    EXPECT_EQ(Snapshot(box.handle()).leftmost(kRed), before + 7);
}

// --- interaction ----------------------------------------------------------------

class GradientInteractionTest : public GradientTest {
protected:
    void SetUp() override {
        GradientTest::SetUp();
        button_ = &newGradientButton(*form_, "Нажми");
        button_->setPosition(20, 20).setSize(120, 30);
        button_->setOnClick([this](Control&) { ++clicks_; });
        other_ = &newGradientButton(*form_, "Другая");
        other_->setPosition(20, 80).setSize(120, 30);
        show();
    }

    void send(Control& control, UINT message, WPARAM wParam, LPARAM lParam) {
        SendMessageW(control.handle(), message, wParam, lParam);
    }

    GradientButton* button_ = nullptr;
    GradientButton* other_ = nullptr;
    int clicks_ = 0;
};

TEST_F(GradientInteractionTest, ClickRunsWhenThePressIsReleasedOverTheButton) {
    send(*button_, WM_MOUSEMOVE, 0, at(10, 10));
    send(*button_, WM_LBUTTONDOWN, MK_LBUTTON, at(10, 10));
    EXPECT_EQ(clicks_, 0);
    EXPECT_EQ(GetFocus(), button_->handle());
    send(*button_, WM_LBUTTONUP, 0, at(12, 11));
    EXPECT_EQ(clicks_, 1);
    // A quick second click arrives as a double click and counts as a press.
    send(*button_, WM_LBUTTONDBLCLK, MK_LBUTTON, at(12, 11));
    send(*button_, WM_LBUTTONUP, 0, at(12, 11));
    EXPECT_EQ(clicks_, 2);
}

TEST_F(GradientInteractionTest, ReleaseOutsideTheButtonRunsNoClick) {
    send(*button_, WM_MOUSEMOVE, 0, at(10, 10));
    send(*button_, WM_LBUTTONDOWN, MK_LBUTTON, at(10, 10));
    send(*button_, WM_MOUSEMOVE, MK_LBUTTON, at(200, 10));
    send(*button_, WM_LBUTTONUP, 0, at(200, 10));
    EXPECT_EQ(clicks_, 0);
    // Leaving cancels the press: coming back and releasing clicks nothing.
    send(*button_, WM_MOUSEMOVE, 0, at(10, 10));
    send(*button_, WM_LBUTTONDOWN, MK_LBUTTON, at(10, 10));
    send(*button_, WM_MOUSELEAVE, 0, 0);
    send(*button_, WM_MOUSEMOVE, MK_LBUTTON, at(10, 10));
    send(*button_, WM_LBUTTONUP, 0, at(10, 10));
    EXPECT_EQ(clicks_, 0);
    ui_driver::pumpMessages(20);
    EXPECT_EQ(clicks_, 0);
}

TEST_F(GradientInteractionTest, SpaceKeyClicksWhenReleased) {
    SetFocus(button_->handle());
    send(*button_, WM_KEYDOWN, VK_SPACE, 1);
    send(*button_, WM_KEYDOWN, VK_SPACE, 1 | (1 << 30));  // the key repeats
    EXPECT_EQ(clicks_, 0);
    send(*button_, WM_KEYUP, VK_SPACE, 1 | (3U << 30));
    EXPECT_EQ(clicks_, 1);
    send(*button_, WM_KEYUP, 'A', 1 | (3U << 30));
    EXPECT_EQ(clicks_, 1);
}

TEST_F(GradientInteractionTest, LosingTheFocusDuringAKeyboardPressCancelsIt) {
    SetFocus(button_->handle());
    send(*button_, WM_KEYDOWN, VK_SPACE, 1);
    SetFocus(other_->handle());
    send(*button_, WM_KEYUP, VK_SPACE, 1 | (3U << 30));
    EXPECT_EQ(clicks_, 0);
}

TEST_F(GradientInteractionTest, RightButtonTakesTheFocusWithoutClicking) {
    SetFocus(other_->handle());
    send(*button_, WM_RBUTTONDOWN, MK_RBUTTON, at(10, 10));
    EXPECT_EQ(GetFocus(), button_->handle());
    send(*button_, WM_RBUTTONUP, 0, at(10, 10));
    EXPECT_EQ(clicks_, 0);
}

// Pixels that differ between two pictures of a 120 x 30 button, on the
// line one pixel outside its content (4 pixels in) and elsewhere.
struct FrameDifference {
    int onFrame = 0;
    int elsewhere = 0;
};

FrameDifference differences(const Snapshot& first, const Snapshot& second) {
    FrameDifference found;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x) {
            const bool onFrame =
                ((x == 3 || x == 116) && y >= 3 && y <= 26) || ((y == 3 || y == 26) && x >= 3 && x <= 116);
            if (first.at(x, y) != second.at(x, y)) ++(onFrame ? found.onFrame : found.elsewhere);
        }
    return found;
}

TEST_F(GradientInteractionTest, FocusRectangleIsDrawnAroundTheContentWhileFocused) {
    SetFocus(other_->handle());
    const Snapshot unfocused(button_->handle());
    SetFocus(button_->handle());
    const FrameDifference focused = differences(unfocused, Snapshot(button_->handle()));
    EXPECT_GT(focused.onFrame, 50);
    EXPECT_EQ(focused.elsewhere, 0);
    button_->setShowFocusRectangle(false);
    const FrameDifference hidden = differences(unfocused, Snapshot(button_->handle()));
    EXPECT_EQ(hidden.onFrame, 0);
    EXPECT_EQ(hidden.elsewhere, 0);
}

TEST_F(GradientInteractionTest, CheckBoxTogglesBeforeItsClickHandlerReadsIt) {
    GradientCheckBox& box = newGradientCheckBox(*form_, "Флажок");
    box.setPosition(20, 150).setSize(150, 21);
    std::vector<bool> seen;
    box.setOnClick([&](Control&) { seen.push_back(box.checked()); });
    for (int click = 0; click < 2; ++click) {
        send(box, WM_MOUSEMOVE, 0, at(5, 5));
        send(box, WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
        EXPECT_EQ(box.checked(), click == 1);  // nothing changes on the press
        send(box, WM_LBUTTONUP, 0, at(5, 5));
    }
    EXPECT_EQ(seen, (std::vector<bool>{true, false}));
}

TEST_F(GradientInteractionTest, TurningARadioBoxOnTurnsOffTheRadioBoxesBesideIt) {
    GradientPanel& group = newGradientPanel(*form_);
    group.setPosition(200, 20).setSize(200, 120);
    GradientRadioBox& first = newGradientRadioBox(group, "Один");
    GradientRadioBox& second = newGradientRadioBox(group, "Два");
    GradientCheckBox& box = newGradientCheckBox(group, "Флажок");
    GradientRadioBox& elsewhere = newGradientRadioBox(*form_, "Другая группа");
    second.setPosition(2, 30);
    box.setPosition(2, 60);
    elsewhere.setPosition(200, 200);
    first.setChecked(true);
    box.setChecked(true);
    elsewhere.setChecked(true);
    EXPECT_TRUE(first.checked());
    SendMessageW(second.handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    SendMessageW(second.handle(), WM_LBUTTONUP, 0, at(5, 5));
    EXPECT_TRUE(second.checked());
    EXPECT_FALSE(first.checked());
    EXPECT_TRUE(box.checked());
    EXPECT_TRUE(elsewhere.checked());
    // Clicking an active radio box leaves it on.
    SendMessageW(second.handle(), WM_LBUTTONDOWN, MK_LBUTTON, at(5, 5));
    SendMessageW(second.handle(), WM_LBUTTONUP, 0, at(5, 5));
    EXPECT_TRUE(second.checked());
}


// --- transitions ------------------------------------------------------------------

// A button whose normal look is black and whose over look is white, so
// that the grey in its middle tells how far a transition has come.
class GradientTransitionTest : public GradientTest {
protected:
    void SetUp() override {
        GradientTest::SetUp();
        button_ = &newGradientButton(*form_, "");
        button_->setPosition(20, 20).setSize(60, 40);
        plainLook(*button_, NormalLook | DownLook | DisabledLook, kBlack);
        plainLook(*button_, OverLook, kWhite);
        show();
    }

    // The grey level in the middle, read from the screen.
    int level() { return channel(Snapshot(button_->handle()).at(30, 20), 0); }

    // The progress towards white that a grey level shows.
    static int progressOf(int level) {
        for (int progress = 0; progress <= 64; ++progress)
            if (255 * progress / 64 == level) return progress;
        return -1;
    }

    void enter() { SendMessageW(button_->handle(), WM_MOUSEMOVE, 0, at(30, 20)); }
    void leave() { SendMessageW(button_->handle(), WM_MOUSELEAVE, 0, 0); }

    // Pumps until the level satisfies `done`, noting each level seen.
    std::vector<int> watchUntil(const std::function<bool(int)>& done, int timeoutMilliseconds = 3000) {
        std::vector<int> seen{level()};
        const DWORD end = GetTickCount() + static_cast<DWORD>(timeoutMilliseconds);
        while (!done(seen.back()) && static_cast<LONG>(end - GetTickCount()) > 0) {
            ui_driver::pumpMessages(5);
            const int now = level();
            if (now != seen.back()) seen.push_back(now);
        }
        return seen;
    }

    GradientButton* button_ = nullptr;
};

TEST_F(GradientTransitionTest, TimerCarriesTheHoverTransitionStepByStepToTheOverLook) {
    EXPECT_EQ(level(), 0);
    enter();
    // The first step is taken at once.
    EXPECT_EQ(level(), 255 * 13 / 64);
    const std::vector<int> seen = watchUntil([](int level) { return level == 255; });
    ASSERT_EQ(seen.back(), 255);
    for (std::size_t i = 0; i < seen.size(); ++i) {
        const int progress = progressOf(seen[i]);
        EXPECT_TRUE(progress == 64 || progress % 13 == 0) << seen[i];
        if (i > 0) {
            EXPECT_GT(seen[i], seen[i - 1]);
        }
    }
    // The outer pixels keep the normal look; the over look stays once reached.
    const Snapshot shot(button_->handle());
    EXPECT_EQ(shot.at(1, 1), kBlack);
    EXPECT_EQ(shot.at(3, 3), kWhite);
    ui_driver::pumpMessages(100);
    EXPECT_EQ(level(), 255);
}

TEST_F(GradientTransitionTest, LeavingHalfwayReversesTheTransitionFromTheReachedPoint) {
    button_->setTransitionSpeed(5);  // steps of 4
    enter();
    const std::vector<int> seen = watchUntil([](int level) { return progressOf(level) >= 20; });
    const int reached = progressOf(seen.back());
    ASSERT_GE(reached, 20);
    ASSERT_LE(reached, 44);
    leave();
    // Back towards black from where it was, one step already taken, rather
    // than from white.
    EXPECT_EQ(level(), 255 * (reached - 4) / 64);
    const std::vector<int> back = watchUntil([](int level) { return level == 0; });
    EXPECT_EQ(back.back(), 0);
    for (std::size_t i = 1; i < back.size(); ++i) EXPECT_LT(back[i], back[i - 1]);
}

TEST_F(GradientTransitionTest, EnteringAgainDuringTheWayBackTurnsAroundOnceMore) {
    button_->setTransitionSpeed(5);
    enter();
    watchUntil([](int level) { return progressOf(level) >= 16; });
    leave();
    const int turned = progressOf(level());
    enter();
    EXPECT_EQ(progressOf(level()), turned + 4);
}

// --- progress bars ----------------------------------------------------------------

class GradientProgressTest : public GradientTest {
protected:
    void SetUp() override {
        GradientTest::SetUp();
        bar_ = &newGradientProgressBar(*form_);
        bar_->setPosition(20, 20).setSize(185, 17);
        plainLook(*bar_, AllLooks, kRed);
        bar_->setOuterColor(AllLooks, kWhite).setBorderColor(AllLooks, kBlack).setShowCaption(false);
        show();
    }

    // The filled columns of the middle row, between the outline's sides.
    int filledColumns() {
        const Snapshot shot(bar_->handle());
        int filled = 0;
        for (int x = 1; x < shot.width() - 1; ++x) filled += shot.at(x, 8) == kRed ? 1 : 0;
        return filled;
    }

    GradientProgressBar* bar_ = nullptr;
};

TEST_F(GradientProgressTest, PositionChangeEventRunsOnEverySetAndOnceWhenAttached) {
    std::vector<int> positions;
    bar_->setIntProperty(kPositionProperty, 30);
    bar_->setOnPositionChange([&](Control&, int position) { positions.push_back(position); });
    EXPECT_EQ(positions, (std::vector<int>{30}));
    bar_->setIntProperty(kPositionProperty, 50);
    bar_->setIntProperty(kPositionProperty, 50);
    bar_->setIntProperty(kPositionProperty, 250);
    bar_->setIntProperty(kPositionProperty, -5);
    EXPECT_EQ(positions, (std::vector<int>{30, 50, 50, 100, 0}));
}

TEST_F(GradientProgressTest, PositionIsHeldToTheRangeAndTheFillFollowsIt) {
    EXPECT_EQ(filledColumns(), 0);
    const Snapshot empty(bar_->handle());
    EXPECT_EQ(empty.at(0, 8), kBlack);  // the outline
    EXPECT_EQ(empty.at(90, 8), kWhite);
    bar_->setIntProperty(kPositionProperty, 50);
    EXPECT_EQ(bar_->intProperty(kPositionProperty), 50);
    EXPECT_EQ(filledColumns(), 183 * 50 / 100);
    EXPECT_EQ(Snapshot(bar_->handle()).at(91, 8), kRed);
    bar_->setIntProperty(kPositionProperty, 150);
    EXPECT_EQ(bar_->intProperty(kPositionProperty), 100);
    EXPECT_EQ(filledColumns(), 183);
    bar_->setIntProperty(kPositionProperty, -40);
    EXPECT_EQ(bar_->intProperty(kPositionProperty), 0);
    EXPECT_EQ(filledColumns(), 0);
}

TEST_F(GradientProgressTest, SettingThePositionGivesTheOldOne) {
    EXPECT_EQ(SendMessageW(bar_->handle(), PBM_SETPOS, 40, 0), 0);
    EXPECT_EQ(SendMessageW(bar_->handle(), PBM_SETPOS, 70, 0), 40);
    EXPECT_EQ(bar_->setProgress(10), 70);
    EXPECT_EQ(SendMessageW(bar_->handle(), PBM_GETPOS, 0, 0), 10);
}

TEST_F(GradientProgressTest, RangeMessagesSetAndReadTheMaximum) {
    EXPECT_EQ(bar_->intProperty(PBM_GETRANGE), 100);
    EXPECT_EQ(SendMessageW(bar_->handle(), PBM_GETRANGE, TRUE, 0), 0);
    SendMessageW(bar_->handle(), PBM_SETRANGE32, 0, 200);
    PBRANGE range{-1, -1};
    EXPECT_EQ(SendMessageW(bar_->handle(), PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range)), 200);
    EXPECT_EQ(range.iLow, 0);
    EXPECT_EQ(range.iHigh, 200);
    bar_->setIntProperty(kPositionProperty, 150);
    EXPECT_EQ(bar_->intProperty(kPositionProperty), 150);
    EXPECT_EQ(filledColumns(), 183 * 150 / 200);
    // A smaller range holds the position to it.
    SendMessageW(bar_->handle(), PBM_SETRANGE32, 0, 100);
    EXPECT_EQ(bar_->intProperty(kPositionProperty), 100);
    EXPECT_EQ(filledColumns(), 183);
}

TEST_F(GradientProgressTest, ResizingRecomputesTheFill) {
    bar_->setIntProperty(kPositionProperty, 50);
    bar_->setSize(285, 0);
    EXPECT_EQ(filledColumns(), 283 * 50 / 100);
}

TEST_F(GradientProgressTest, VerticalBarFillsFromTheBottom) {
    bar_->setVertical(true).setSize(17, 102);
    plainLook(*bar_, AllLooks, kRed);
    bar_->setIntProperty(kPositionProperty, 25);
    const Snapshot shot(bar_->handle());
    EXPECT_EQ(shot.at(8, 100), kRed);
    EXPECT_EQ(shot.at(8, 101 - 25), kRed);
    EXPECT_EQ(shot.at(8, 100 - 25), kWhite);
    EXPECT_EQ(shot.at(8, 10), kWhite);
}

}  // namespace
