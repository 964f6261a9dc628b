// Controls through real windows: properties set before and after the window
// exists, fonts, typing, the mouse, layout, painting, integer properties by
// message and the scroll box.
#include "toolkit/windows/application.h"
#include "toolkit/windows/control.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/plain_controls.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "core/object.h"
#include "ui_driver.h"

namespace {

using namespace toolkit;

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// The window's rectangle in its parent's client coordinates.
RECT boundsInParent(HWND window) {
    RECT bounds;
    GetWindowRect(window, &bounds);
    MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
    return bounds;
}

RECT clientRect(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return client;
}

// The font the window draws its text with.
LOGFONTW fontOf(HWND window) {
    LOGFONTW description{};
    auto font = reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0));
    GetObjectW(font, sizeof description, &description);
    return description;
}

void type(HWND window, const std::wstring& characters) {
    for (wchar_t character : characters) SendMessageW(window, WM_CHAR, character, 1);
}

std::wstring wideText(HWND window) {
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

// What the window shows at (x, y) of its client area once painted.
COLORREF pixelAt(HWND window, int x, int y) {
    UpdateWindow(window);
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

// The colours a native control is given when it asks its parent how to
// paint (WM_CTLCOLOR...).
struct NativeColors {
    COLORREF text;
    COLORREF background;
    COLORREF brush;
};

NativeColors colorsGiven(const Control& control, UINT colorMessage) {
    HDC dc = CreateCompatibleDC(nullptr);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageW(GetParent(control.handle()), colorMessage,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(control.handle())));
    LOGBRUSH brushDescription{};
    GetObjectW(brush, sizeof brushDescription, &brushDescription);
    NativeColors colors{GetTextColor(dc), GetBkColor(dc), brushDescription.lbColor};
    DeleteDC(dc);
    return colors;
}

// A 16 x 16 bitmap whose 8 x 8 quarters are red (top left), green (top
// right), blue (bottom left) and white, so that a tiling shows its origin.
HBITMAP quarteredBitmap() {
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, 16, 16);
    HDC dc = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(dc, bitmap);
    const COLORREF colors[4] = {kRed, kGreen, kBlue, kWhite};
    for (int quarter = 0; quarter < 4; ++quarter) {
        const RECT area{quarter % 2 * 8, quarter / 2 * 8, quarter % 2 * 8 + 8, quarter / 2 * 8 + 8};
        HBRUSH brush = CreateSolidBrush(colors[quarter]);
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    }
    SelectObject(dc, old);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return bitmap;
}

// A form at a known place with a 400 x 300 client area, shown on demand.
class ControlTest : public ::testing::Test {
protected:
    void SetUp() override {
        app_ = newApplication("Skirvane");
        form_ = &newForm(*app_, "Проверка");
        form_->setPosition(40, 40);
        form_->setClientSize(400, 300);
    }

    void show() {
        form_->setVisible(true);
        ui_driver::pumpMessages(50);
    }

    core::Ref<Application> app_;
    Form* form_ = nullptr;
};

// --- creation ------------------------------------------------------------------

using ControlCreationTest = ControlTest;

TEST_F(ControlCreationTest, GeometryCaptionStateAndIdSetEarlyAreAppliedWhenTheWindowIsMade) {
    Label& label = newLabel(*form_, "");
    label.setPosition(15, 25).setSize(120, 30).setCaption("Метка").setEnabled(false).setId(1201);
    EditBox& hidden = newEditBox(*form_, 0);
    hidden.setVisible(false);
    ASSERT_EQ(label.handle(), nullptr);

    show();
    hidden.setId(1202);  // on a window that exists
    EXPECT_EQ(GetDlgItem(form_->handle(), 1201), label.handle());
    EXPECT_EQ(GetDlgItem(form_->handle(), 1202), hidden.handle());

    ASSERT_NE(label.handle(), nullptr);
    const RECT bounds = boundsInParent(label.handle());
    EXPECT_EQ(bounds.left, 15);
    EXPECT_EQ(bounds.top, 25);
    EXPECT_EQ(bounds.right - bounds.left, 120);
    EXPECT_EQ(bounds.bottom - bounds.top, 30);
    EXPECT_EQ(ui_driver::windowText(label.handle()), "Метка");
    EXPECT_FALSE(IsWindowEnabled(label.handle()));
    ASSERT_NE(hidden.handle(), nullptr);
    EXPECT_FALSE(IsWindowVisible(hidden.handle()));
    EXPECT_TRUE(IsWindowVisible(label.handle()));
}

TEST_F(ControlCreationTest, FontSetEarlyIsTheOneTheWindowUses) {
    Label& label = newLabel(*form_, "Текст");
    label.setFontHeight(-20).setFontFace("Arial").setFontStyle(Bold | Italic | Underline | StrikeOut);
    show();
    const LOGFONTW font = fontOf(label.handle());
    EXPECT_EQ(font.lfHeight, -20);
    EXPECT_EQ(std::wstring(font.lfFaceName), L"Arial");
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_TRUE(font.lfItalic);
    EXPECT_TRUE(font.lfUnderline);
    EXPECT_TRUE(font.lfStrikeOut);
    EXPECT_EQ(font.lfCharSet, RUSSIAN_CHARSET);
}

TEST_F(ControlCreationTest, ColoursSetEarlyReachTheNativeControl) {
    Label& label = newLabel(*form_, "Текст");
    label.setFontColor(0x00FF00).setBackgroundColor(0x804020);
    EditBox& edit = newEditBox(*form_, 0);
    edit.setBackgroundColor(kSystemColor | COLOR_WINDOW);
    show();
    const NativeColors labelColors = colorsGiven(label, WM_CTLCOLORSTATIC);
    EXPECT_EQ(labelColors.text, 0x00FF00u);
    EXPECT_EQ(labelColors.background, 0x804020u);
    EXPECT_EQ(labelColors.brush, 0x804020u);
    EXPECT_EQ(colorsGiven(edit, WM_CTLCOLOREDIT).brush, GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(colorsGiven(edit, WM_CTLCOLOREDIT).text, GetSysColor(COLOR_WINDOWTEXT));
}

TEST_F(ControlCreationTest, AnchorsSetEarlyKeepTheirPlaceWhenTheWindowIsMadeAndActOnResize) {
    Label& label = newLabel(*form_, "Справа");
    label.setPosition(10, 10).setAnchors(false, false, true, false);
    show();
    EXPECT_EQ(boundsInParent(label.handle()).left, 10);
    form_->setClientSize(500, 0);
    EXPECT_EQ(boundsInParent(label.handle()).left, 110);
}

TEST_F(ControlCreationTest, NewControlsStartAtTheParentsMarginWithTheirDefaultSizes) {
    ScrollBox& box = newScrollBox(*form_, ScrollBox::NoEdge);
    Label& label = newLabel(*form_, "Метка");
    EditBox& edit = newEditBox(*form_, 0);
    EditBox& multiLine = newEditBox(*form_, MultiLine);
    show();
    const RECT boxBounds = boundsInParent(box.handle());
    EXPECT_EQ(boxBounds.right - boxBounds.left, 64);
    EXPECT_EQ(boxBounds.bottom - boxBounds.top, 64);
    EXPECT_GE(boxBounds.left, 0);
    EXPECT_GE(boxBounds.top, 0);
    for (const Control* control : {static_cast<Control*>(&label), static_cast<Control*>(&edit),
                                   static_cast<Control*>(&multiLine)}) {
        const RECT bounds = boundsInParent(control->handle());
        EXPECT_EQ(bounds.left, boxBounds.left);
        EXPECT_EQ(bounds.top, boxBounds.top);
    }
    EXPECT_EQ(boundsInParent(label.handle()).bottom - boxBounds.top, 22);
    EXPECT_EQ(boundsInParent(edit.handle()).right - boxBounds.left, 100);
    EXPECT_EQ(boundsInParent(edit.handle()).bottom - boxBounds.top, 22);
    EXPECT_EQ(boundsInParent(multiLine.handle()).right - boxBounds.left, 200);
    EXPECT_EQ(boundsInParent(multiLine.handle()).bottom - boxBounds.top, 200);
    EXPECT_TRUE(GetWindowLongPtrW(multiLine.handle(), GWL_STYLE) & ES_MULTILINE);
    EXPECT_FALSE(GetWindowLongPtrW(edit.handle(), GWL_STYLE) & ES_MULTILINE);
}

TEST_F(ControlCreationTest, AskingAChildForItsWindowFirstMakesOneWindowPerControl) {
    Label& first = newLabel(*form_, "Один");
    Label& second = newLabel(*form_, "Два");
    HWND window = first.createWindow();
    ASSERT_NE(window, nullptr);
    ASSERT_NE(form_->handle(), nullptr);
    EXPECT_EQ(GetParent(window), form_->handle());
    EXPECT_EQ(GetParent(second.handle()), form_->handle());
    int labels = 0;
    for (HWND child = GetWindow(form_->handle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT))
        ++labels;
    EXPECT_EQ(labels, 2);
}

// A border or an alignment set on an existing window changes its own style
// bits only: a window disabled or hidden meanwhile stays so.
TEST_F(ControlCreationTest, BorderAndAlignmentSetOnAWindowChangeOnlyTheirOwnStyleBits) {
    EditBox& edit = newEditBox(*form_, 0);
    Label& label = newLabel(*form_, "Текст");
    label.setPosition(8, 40);
    show();
    EnableWindow(edit.handle(), FALSE);
    ShowWindow(label.handle(), SW_HIDE);
    edit.setBorder(false);
    label.setTextAlignment(CentredText);
    EXPECT_FALSE(IsWindowEnabled(edit.handle()));
    EXPECT_EQ(GetWindowLongPtrW(edit.handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE, 0);
    EXPECT_FALSE(IsWindowVisible(label.handle()));
    EXPECT_EQ(GetWindowLongPtrW(label.handle(), GWL_STYLE) & SS_TYPEMASK, SS_CENTER);
}

// An icon may be named by its resource number.
TEST_F(ControlCreationTest, FormIconMayBeNamedByNumber) {
    form_->setIcon(nullptr, MAKEINTRESOURCEA(32516));  // the system's information icon
    show();
    EXPECT_NE(SendMessageW(form_->handle(), WM_GETICON, ICON_BIG, 0), 0);
}

TEST_F(ControlCreationTest, ControlAddedToAShownFormAppearsAtOnce) {
    show();
    Label& late = newLabel(*form_, "Поздно");
    ASSERT_NE(late.handle(), nullptr);
    EXPECT_TRUE(IsWindowVisible(late.handle()));
    EXPECT_EQ(ui_driver::windowText(late.handle()), "Поздно");
}

// --- text ------------------------------------------------------------------------

using ControlTextTest = ControlTest;

TEST_F(ControlTextTest, CaptionOfAnEditBoxIsWhatTheUserTyped) {
    EditBox& edit = newEditBox(*form_, 0);
    edit.setCaption("начало");
    EXPECT_EQ(edit.caption(), "начало");
    show();
    SendMessageW(edit.handle(), EM_SETSEL, 6, 6);
    type(edit.handle(), L" и конец");
    EXPECT_EQ(edit.caption(), "начало и конец");
}

// A character code page 1251 lacks is never read as a look-alike of one
// it has (É as E, a full-width backslash as a backslash).
TEST_F(ControlTextTest, CaptionNeverTurnsACharacterIntoALookAlike) {
    EditBox& edit = newEditBox(*form_, 0);
    show();
    SetWindowTextW(edit.handle(), L"CAF\u00C9\uFF3C\u041A\u0430\u0444\u0435");
    EXPECT_EQ(edit.caption(), "CAF??Кафе");
    EXPECT_EQ(edit.exactCaption(), std::nullopt);
    SetWindowTextW(edit.handle(), L"\u041A\u0430\u0444\u0435.BMP");
    EXPECT_EQ(edit.exactCaption(), "Кафе.BMP");
}

TEST_F(ControlTextTest, CaptionSetOnAShownControlReachesItsWindow) {
    Label& label = newLabel(*form_, "Старый");
    show();
    label.setCaption("Новый текст");
    EXPECT_EQ(ui_driver::windowText(label.handle()), "Новый текст");
    EXPECT_EQ(label.caption(), "Новый текст");
}

TEST_F(ControlTextTest, LabelCaptionSetToTheSameTextStillRepaints) {
    Label& label = newLabel(*form_, "Тот же");
    show();
    UpdateWindow(label.handle());
    ASSERT_FALSE(GetUpdateRect(label.handle(), nullptr, FALSE));
    label.setCaption("Тот же");
    EXPECT_TRUE(GetUpdateRect(label.handle(), nullptr, FALSE));
}

// --- fonts -----------------------------------------------------------------------

using ControlFontTest = ControlTest;

TEST_F(ControlFontTest, ControlWithoutAFontUsesMsSansSerifOfTheSystemSize) {
    Label& label = newLabel(*form_, "Шрифт");
    EXPECT_EQ(label.font().face, "MS Sans Serif");
    EXPECT_EQ(label.font().height, 0);
    EXPECT_EQ(label.font().color, kWindowTextColor);
    show();
    const LOGFONTW font = fontOf(label.handle());
    EXPECT_EQ(std::wstring(font.lfFaceName), L"MS Sans Serif");
    EXPECT_EQ(font.lfHeight, 0);
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_FALSE(font.lfItalic);
}

TEST_F(ControlFontTest, NewControlCopiesItsParentsFontAndColours) {
    form_->setFontFace("Arial").setFontHeight(-18).setFontColor(0x0000FF);
    form_->setBackgroundColor(0x123456);
    Label& label = newLabel(*form_, "Копия");
    EXPECT_EQ(label.font().face, "Arial");
    EXPECT_EQ(label.backgroundColor(), 0x123456u);
    label.setFontHeight(-10);
    EXPECT_EQ(form_->font().height, -18);  // a copy, not shared
    show();
    const LOGFONTW font = fontOf(label.handle());
    EXPECT_EQ(std::wstring(font.lfFaceName), L"Arial");
    EXPECT_EQ(font.lfHeight, -10);
    EXPECT_EQ(colorsGiven(label, WM_CTLCOLORSTATIC).text, 0x0000FFu);
}

TEST_F(ControlFontTest, StyleBitsSetOnAShownControlChangeItsFont) {
    Label& label = newLabel(*form_, "Стиль");
    show();
    label.setFontStyle(Bold);
    LOGFONTW font = fontOf(label.handle());
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_FALSE(font.lfItalic);
    label.setFontStyle(Italic | StrikeOut);
    font = fontOf(label.handle());
    EXPECT_EQ(font.lfWeight, FW_NORMAL);
    EXPECT_TRUE(font.lfItalic);
    EXPECT_FALSE(font.lfUnderline);
    EXPECT_TRUE(font.lfStrikeOut);
}

TEST_F(ControlFontTest, FaceNameIsCutTo31Characters) {
    Label& label = newLabel(*form_, "");
    label.setFontFace(std::string(40, 'F'));
    EXPECT_EQ(label.font().face, std::string(31, 'F'));
}

// --- typing ----------------------------------------------------------------------

using EditBoxTypingTest = ControlTest;

TEST_F(EditBoxTypingTest, KeyCharRunsBeforeTheBoxSeesTheCharacter) {
    EditBox& edit = newEditBox(*form_, 0);
    std::vector<std::string> textsSeen;
    std::string characters;
    edit.setOnKeyChar([&](Control& sender, char& character, std::uint32_t) {
        textsSeen.push_back(sender.caption());
        characters += character;
    });
    show();
    type(edit.handle(), L"оk\r");
    EXPECT_EQ(characters, "оk\r");  // Cyrillic arrives in the program's code page
    EXPECT_EQ(textsSeen, (std::vector<std::string>{"", "о", "оk"}));
    EXPECT_EQ(edit.caption(), "оk");
}

TEST_F(EditBoxTypingTest, CharacterSetToZeroIsSwallowed) {
    EditBox& edit = newEditBox(*form_, 0);
    edit.setOnKeyChar([](Control&, char& character, std::uint32_t) {
        if (character == 'x') character = 0;
    });
    show();
    type(edit.handle(), L"axbx");
    EXPECT_EQ(edit.caption(), "ab");
}

TEST_F(EditBoxTypingTest, CharacterChangedByTheHandlerIsTheOneTyped) {
    EditBox& edit = newEditBox(*form_, 0);
    edit.setOnKeyChar([](Control&, char& character, std::uint32_t) {
        if (character == 'a') character = 'я';
    });
    show();
    type(edit.handle(), L"bab");
    EXPECT_EQ(edit.caption(), "bяb");
    EXPECT_EQ(wideText(edit.handle()), L"bяb");
}

TEST_F(EditBoxTypingTest, UpperCaseOptionTurnsTypedLettersIntoCapitals) {
    EditBox& edit = newEditBox(*form_, 0x0100);
    show();
    type(edit.handle(), L"tex_жёлтый1.bmp");
    EXPECT_EQ(edit.caption(), "TEX_ЖЁЛТЫЙ1.BMP");
}

TEST_F(EditBoxTypingTest, UpperCaseOptionKeepsTheCaseOfTextTheProgramSets) {
    EditBox& edit = newEditBox(*form_, 0x0100);
    show();
    edit.setCaption("rock.tga");
    EXPECT_EQ(wideText(edit.handle()), L"rock.tga");
}

// Pasted text is taken as typed text is: through Ctrl+V, which the box
// turns into a paste, and through the context menu's paste message; a one-
// line box takes the first line.
TEST_F(EditBoxTypingTest, CaseOptionsChangeTypedAndPastedLettersButNotTextTheProgramSets) {
    EditBox& upper = newEditBox(*form_, UpperCase);
    EditBox& lower = newEditBox(*form_, LowerCase);
    lower.setPosition(8, 40);
    show();
    const std::wstring pasted = L"rock\u0416.tga\r\nsecond line";
    ASSERT_TRUE(OpenClipboard(form_->handle()));
    EmptyClipboard();
    HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (pasted.size() + 1) * sizeof(wchar_t));
    std::copy_n(pasted.c_str(), pasted.size() + 1, static_cast<wchar_t*>(GlobalLock(data)));
    GlobalUnlock(data);
    SetClipboardData(CF_UNICODETEXT, data);
    CloseClipboard();

    SendMessageW(upper.handle(), WM_CHAR, 0x16, 1);  // Ctrl+V
    SendMessageW(lower.handle(), WM_PASTE, 0, 0);
    type(lower.handle(), L"\u0416A");
    EXPECT_EQ(wideText(upper.handle()), L"ROCK\u0416.TGA");
    EXPECT_EQ(wideText(lower.handle()), L"rock\u0436.tga\u0436a");
    lower.setCaption("MiXed");
    EXPECT_EQ(wideText(lower.handle()), L"MiXed");
}

TEST_F(EditBoxTypingTest, DigitsOnlyOptionRefusesLetters) {
    EditBox& edit = newEditBox(*form_, 0x0800);
    int handlerCalls = 0;
    edit.setOnKeyChar([&](Control&, char&, std::uint32_t) { ++handlerCalls; });
    show();
    type(edit.handle(), L"1a2ж3-");
    EXPECT_EQ(edit.caption(), "123");
    EXPECT_EQ(handlerCalls, 6);  // the handler still hears every key
}

// --- mouse -----------------------------------------------------------------------

class ControlMouseTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        label_ = &newLabel(*form_, "Наведите");
        label_->setPosition(20, 20).setSize(100, 22);
        label_->setOnMouseEnter([this](Control&) { events_ += "enter "; });
        label_->setOnMouseLeave([this](Control&) { events_ += "leave "; });
        show();
    }

    // Moves the real pointer to (x, y) of the form's client area, as the
    // user does. The display may still report an earlier position for a
    // moment, so the move is made again until the system sees it there.
    void movePointerTo(int x, int y) {
        POINT point{x, y};
        ClientToScreen(form_->handle(), &point);
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
        POINT seen{};
        for (int attempt = 0; attempt < 20; ++attempt) {
            SendInput(1, &input, sizeof input);
            ui_driver::pumpMessages(50);
            GetCursorPos(&seen);
            if (seen.x == point.x && seen.y == point.y) break;
        }
        ASSERT_EQ(seen.x, point.x);
        ASSERT_EQ(seen.y, point.y);
        ui_driver::pumpMessages(50);
    }

    static HWND trackedWindow() {
        TRACKMOUSEEVENT query{sizeof query, TME_QUERY};
        _TrackMouseEvent(&query);
        return (query.dwFlags & TME_LEAVE) != 0 ? query.hwndTrack : nullptr;
    }

    Label* label_ = nullptr;
    std::string events_;
};

TEST_F(ControlMouseTest, PointerEnteringAndLeavingTheControlRunsItsEvents) {
    movePointerTo(300, 200);
    ASSERT_EQ(events_, "");
    movePointerTo(50, 30);
    EXPECT_EQ(events_, "enter ");
    EXPECT_EQ(trackedWindow(), label_->handle());
    movePointerTo(55, 31);
    EXPECT_EQ(events_, "enter ");  // moving inside is no new entry
    movePointerTo(300, 200);
    // The system checks for leaving on a timer of its own.
    EXPECT_TRUE(ui_driver::waitFor([this] { return events_ == "enter leave " ? form_->handle() : nullptr; }, 3000));
    EXPECT_EQ(events_, "enter leave ");
    EXPECT_EQ(trackedWindow(), nullptr);
}

TEST_F(ControlMouseTest, MouseMessageOutsideTheRectangleOrMouseLeaveCountsAsLeaving) {
    SendMessageW(label_->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    SendMessageW(label_->handle(), WM_MOUSEMOVE, 0, MAKELPARAM(300, 5));
    SendMessageW(label_->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(6, 6));
    SendMessageW(label_->handle(), WM_MOUSELEAVE, 0, 0);
    EXPECT_EQ(events_, "enter leave enter leave ");
}

TEST_F(ControlMouseTest, ControlWithoutEnterOrLeaveHandlersAsksForNoTracking) {
    Label& plain = newLabel(*form_, "Без событий");
    plain.setPosition(20, 100);
    movePointerTo(300, 200);
    UpdateWindow(plain.handle());
    movePointerTo(40, 105);
    EXPECT_EQ(trackedWindow(), nullptr);
    EXPECT_FALSE(GetUpdateRect(plain.handle(), nullptr, FALSE));
    EXPECT_EQ(events_, "");
}

TEST_F(ControlMouseTest, ButtonsReportWhichButtonAndWhere) {
    std::vector<MouseInfo> downs, ups;
    label_->setOnMouseDown([&](Control&, const MouseInfo& mouse) { downs.push_back(mouse); });
    label_->setOnMouseUp([&](Control&, const MouseInfo& mouse) { ups.push_back(mouse); });
    int clicks = 0;
    label_->setOnClick([&](Control&) { ++clicks; });
    SendMessageW(label_->handle(), WM_RBUTTONDOWN, MK_RBUTTON | MK_SHIFT, MAKELPARAM(7, 9));
    SendMessageW(label_->handle(), WM_RBUTTONUP, MK_SHIFT, MAKELPARAM(8, 10));
    SendMessageW(label_->handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 4));
    SendMessageW(label_->handle(), WM_LBUTTONUP, 0, MAKELPARAM(3, 4));
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[0].button, RightButton);
    EXPECT_EQ(downs[0].x, 7);
    EXPECT_EQ(downs[0].y, 9);
    EXPECT_TRUE(downs[0].shift & MK_SHIFT);
    EXPECT_EQ(downs[1].button, LeftButton);
    ASSERT_EQ(ups.size(), 2u);
    EXPECT_EQ(ups[0].button, RightButton);
    EXPECT_EQ(ups[0].x, 8);
    EXPECT_EQ(clicks, 1);
}

TEST_F(ControlMouseTest, SecondPressOfAQuickPairIsAPressToo) {
    std::vector<MouseInfo> downs;
    label_->setOnMouseDown([&](Control&, const MouseInfo& mouse) { downs.push_back(mouse); });
    SendMessageW(label_->handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(5, 6));
    SendMessageW(label_->handle(), WM_RBUTTONUP, 0, MAKELPARAM(5, 6));
    SendMessageW(label_->handle(), WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(5, 6));
    ASSERT_EQ(downs.size(), 2u);
    EXPECT_EQ(downs[1].button, RightButton);
    EXPECT_EQ(downs[1].x, 5);
}

// --- layout ----------------------------------------------------------------------

using ControlLayoutTest = ControlTest;

TEST_F(ControlLayoutTest, LeftAndRightAnchorsStretchTheControlWithItsParent) {
    EditBox& edit = newEditBox(*form_, 0);
    edit.setPosition(10, 10).setSize(200, 22).setAnchors(true, true, true, false);
    show();
    form_->setClientSize(450, 350);
    const RECT bounds = boundsInParent(edit.handle());
    EXPECT_EQ(bounds.left, 10);
    EXPECT_EQ(bounds.right, 260);
    EXPECT_EQ(bounds.top, 10);
    EXPECT_EQ(bounds.bottom, 32);
    EXPECT_EQ(edit.width(), 250);
}

TEST_F(ControlLayoutTest, RightAnchorAloneMovesTheControl) {
    Label& label = newLabel(*form_, "Вправо");
    label.setPosition(300, 10).setSize(80, 22).setAnchors(false, true, true, false);
    show();
    form_->setClientSize(350, 0);
    const RECT bounds = boundsInParent(label.handle());
    EXPECT_EQ(bounds.left, 250);
    EXPECT_EQ(bounds.right - bounds.left, 80);
    EXPECT_EQ(label.left(), 250);
}

TEST_F(ControlLayoutTest, BottomAnchorAloneMovesTheControlDown) {
    Label& label = newLabel(*form_, "Вниз");
    label.setPosition(10, 270).setAnchors(true, false, false, true);
    show();
    form_->setClientSize(0, 340);
    const RECT bounds = boundsInParent(label.handle());
    EXPECT_EQ(bounds.top, 310);
    EXPECT_EQ(bounds.bottom - bounds.top, 22);
    EXPECT_EQ(bounds.left, 10);
}

TEST_F(ControlLayoutTest, AllFourAnchorsGrowTheControlBothWays) {
    ScrollBox& box = newScrollBox(*form_, ScrollBox::SunkenEdge);
    box.setPosition(9, 10).setSize(380, 250).setAnchors(true, true, true, true);
    show();
    form_->setClientSize(500, 400);
    const RECT bounds = boundsInParent(box.handle());
    EXPECT_EQ(bounds.left, 9);
    EXPECT_EQ(bounds.top, 10);
    EXPECT_EQ(bounds.right - bounds.left, 480);
    EXPECT_EQ(bounds.bottom - bounds.top, 350);
}

TEST_F(ControlLayoutTest, ClientAlignmentFillsTheParentAndFollowsItsSize) {
    ScrollBox& box = newScrollBox(*form_, ScrollBox::NoEdge);
    box.setPosition(30, 30).setAlignToParent(ClientAlignment);
    show();
    RECT bounds = boundsInParent(box.handle());
    EXPECT_EQ(bounds.left, 0);
    EXPECT_EQ(bounds.top, 0);
    EXPECT_EQ(bounds.right, 400);
    EXPECT_EQ(bounds.bottom, 300);
    form_->setClientSize(320, 240);
    bounds = boundsInParent(box.handle());
    EXPECT_EQ(bounds.right, 320);
    EXPECT_EQ(bounds.bottom, 240);
}

TEST_F(ControlLayoutTest, MinimisingAndRestoringTheFormKeepsItsLayout) {
    EditBox& edit = newEditBox(*form_, 0);
    edit.setPosition(10, 10).setSize(300, 22).setAnchors(true, true, true, false);
    Label& label = newLabel(*form_, "Низ");
    label.setPosition(10, 250).setAnchors(true, false, false, true);
    show();
    ShowWindow(form_->handle(), SW_MINIMIZE);
    ui_driver::pumpMessages(50);
    ASSERT_TRUE(IsIconic(form_->handle()));
    ShowWindow(form_->handle(), SW_RESTORE);
    ui_driver::pumpMessages(50);
    EXPECT_EQ(boundsInParent(edit.handle()).right, 310);
    EXPECT_EQ(boundsInParent(label.handle()).top, 250);
    EXPECT_EQ(clientRect(form_->handle()).right, 400);
}

TEST_F(ControlLayoutTest, FormTooSmallForItsFrameReportsTheSizeItWasGiven) {
    Form& tiny = newForm(*app_, "Крошка");
    tiny.setSize(20, 20);
    tiny.createWindow();
    RECT bounds;
    GetWindowRect(tiny.handle(), &bounds);
    ASSERT_GT(bounds.right - bounds.left, 20);  // the system's smallest frame
    EXPECT_EQ(tiny.width(), bounds.right - bounds.left);
    EXPECT_EQ(tiny.height(), bounds.bottom - bounds.top);
}

TEST_F(ControlLayoutTest, CentrePlacesTheFormInTheMiddleOfTheScreen) {
    form_->centre();
    RECT bounds;
    GetWindowRect(form_->handle(), &bounds);
    EXPECT_NEAR((bounds.left + bounds.right) / 2, GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((bounds.top + bounds.bottom) / 2, GetSystemMetrics(SM_CYSCREEN) / 2, 1);
}

TEST_F(ControlLayoutTest, SizeLimitsBoundHowFarTheUserCanResize) {
    form_->setSizeLimit(MinWidth, 300).setSizeLimit(MinHeight, 200).setSizeLimit(MaxWidth, 800);
    show();
    MINMAXINFO info{};
    info.ptMaxSize = info.ptMaxTrackSize = {2000, 2000};
    SendMessageW(form_->handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 300);
    EXPECT_EQ(info.ptMinTrackSize.y, 200);
    EXPECT_EQ(info.ptMaxTrackSize.x, 800);
    EXPECT_EQ(info.ptMaxSize.x, 800);  // the maximised size too
    EXPECT_EQ(info.ptMaxTrackSize.y, 2000);
}

// --- painting --------------------------------------------------------------------

using ControlPaintingTest = ControlTest;

TEST_F(ControlPaintingTest, TransparentLabelShowsTheParentsColourBehindItsText) {
    form_->setBackgroundColor(kRed);
    Label& label = newLabel(*form_, "ШШШ");
    label.setPosition(20, 20).setSize(200, 22).setFontHeight(-16).setFontColor(kBlack);
    label.setBackgroundColor(kGreen).setTransparent(true);
    EXPECT_TRUE(form_->doubleBuffered());
    show();
    EXPECT_EQ(pixelAt(label.handle(), 190, 11), kRed);
    EXPECT_TRUE(ui_driver::anyPixelIs(label.handle(), RECT{0, 0, 60, 22}, kBlack));
    EXPECT_FALSE(ui_driver::anyPixelIs(label.handle(), RECT{0, 0, 200, 22}, kGreen));
}

TEST_F(ControlPaintingTest, OpaqueLabelFillsWithItsOwnColour) {
    form_->setBackgroundColor(kRed);
    Label& label = newLabel(*form_, "ШШШ");
    label.setPosition(20, 20).setSize(200, 22).setBackgroundColor(kGreen);
    show();
    EXPECT_FALSE(form_->doubleBuffered());
    EXPECT_EQ(pixelAt(label.handle(), 190, 11), kGreen);
    EXPECT_EQ(pixelAt(form_->handle(), 10, 10), kRed);
}

TEST_F(ControlPaintingTest, PaintEventDrawsTheBoxAndUpdatePaintsChildrenAtOnce) {
    PaintBox& box = newPaintBox(*form_);
    box.setPosition(50, 50).setSize(40, 30);
    int paints = 0;
    box.setOnPaint([&](Control& sender, HDC dc) {
        ++paints;
        RECT area{0, 0, sender.width(), sender.height()};
        HBRUSH brush = CreateSolidBrush(kBlue);
        FillRect(dc, &area, brush);
        DeleteObject(brush);
    });
    show();
    EXPECT_EQ(pixelAt(box.handle(), 20, 15), kBlue);
    const int before = paints;
    box.invalidate();
    ASSERT_TRUE(GetUpdateRect(box.handle(), nullptr, FALSE));
    form_->update();
    EXPECT_FALSE(GetUpdateRect(box.handle(), nullptr, FALSE));
    EXPECT_EQ(paints, before + 1);
}

// --- integer properties by message -------------------------------------------

// A control of a window class of its own that records the messages it gets
// from WM_USER on and answers each with `answer`.
class ProbeControl : public Control {
public:
    explicit ProbeControl(Control& parent) : Control(&parent, ownWindowClass(L"SkirvaneTestProbe")) {}

    struct Received {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
    };
    std::vector<Received> received;
    LRESULT answer = 0;

protected:
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override {
        if (message < WM_USER) return Control::handleMessage(message, wParam, lParam, result);
        received.push_back({message, wParam, lParam});
        result = answer;
        return true;
    }
};

class NativeProgressBar : public Control {
public:
    explicit NativeProgressBar(Control& parent) : Control(&parent, PROGRESS_CLASSW) {}
};

using IntPropertyTest = ControlTest;

TEST_F(IntPropertyTest, ProgressBarPositionIsWrittenAndReadWithTheCodeThatPacksBothMessages) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&classes);
    NativeProgressBar& bar = *core::create<NativeProgressBar>(*form_).detach();
    bar.setSize(200, 20);
    bar.setIntProperty(0x84020408, 37);
    ASSERT_NE(bar.handle(), nullptr);
    EXPECT_EQ(SendMessageW(bar.handle(), PBM_GETPOS, 0, 0), 37);
    EXPECT_EQ(bar.intProperty(0x84020408), 37);
    EXPECT_EQ(bar.intProperty(0x0407), 100);  // the range maximum
}

TEST_F(IntPropertyTest, CodeWithoutAWriteMessageWritesWithTheNextMessageAndRepaintsOnlyWhenAsked) {
    ProbeControl& probe = *core::create<ProbeControl>(*form_).detach();
    show();
    UpdateWindow(probe.handle());
    probe.setIntProperty(0x101D, 120);
    ASSERT_EQ(probe.received.size(), 1u);
    EXPECT_EQ(probe.received[0].message, 0x101Eu);
    EXPECT_EQ(probe.received[0].wParam, 120u);
    EXPECT_EQ(probe.received[0].lParam, 0);
    EXPECT_FALSE(GetUpdateRect(probe.handle(), nullptr, FALSE));
    probe.setIntProperty(0x84020408, -5);
    ASSERT_EQ(probe.received.size(), 2u);
    EXPECT_EQ(probe.received[1].message, 0x402u);
    EXPECT_EQ(static_cast<int>(probe.received[1].wParam), -5);
    EXPECT_TRUE(GetUpdateRect(probe.handle(), nullptr, FALSE));
    probe.answer = 77;
    EXPECT_EQ(probe.intProperty(0x84020408), 77);
    ASSERT_EQ(probe.received.size(), 3u);
    EXPECT_EQ(probe.received[2].message, 0x408u);
    EXPECT_EQ(probe.received[2].wParam, 0u);
    EXPECT_EQ(probe.received[2].lParam, 0);
}

// --- scroll box ------------------------------------------------------------------

// A 200 x 100 box without edge holding a 500 x 400 child.
class ScrollBoxTest : public ControlTest {
protected:
    void SetUp() override {
        ControlTest::SetUp();
        box_ = &newScrollBox(*form_, ScrollBox::NoEdge);
        box_->setPosition(10, 10).setSize(200, 100);
        child_ = &newPaintBox(*box_);
        child_->setPosition(0, 0).setSize(500, 400);
        show();
    }

    SCROLLINFO info(int bar) const {
        SCROLLINFO scroll{sizeof scroll, SIF_ALL};
        GetScrollInfo(box_->handle(), bar, &scroll);
        return scroll;
    }

    void scroll(UINT message, WORD request, WORD position = 0) {
        SendMessageW(box_->handle(), message, MAKEWPARAM(request, position), 0);
    }

    ScrollBox* box_ = nullptr;
    PaintBox* child_ = nullptr;
};

TEST_F(ScrollBoxTest, RangesCoverTheChildrensExtentWithAPageOfTheVisibleSize) {
    const RECT client = clientRect(box_->handle());
    ASSERT_LT(client.right, 200);  // the vertical bar takes room
    ASSERT_LT(client.bottom, 100);
    const SCROLLINFO horizontal = info(SB_HORZ);
    EXPECT_EQ(horizontal.nMin, 0);
    EXPECT_EQ(horizontal.nMax, 499);
    EXPECT_EQ(static_cast<LONG>(horizontal.nPage), client.right);
    const SCROLLINFO vertical = info(SB_VERT);
    EXPECT_EQ(vertical.nMax, 399);
    EXPECT_EQ(static_cast<LONG>(vertical.nPage), client.bottom);
}

TEST_F(ScrollBoxTest, LineStepsMoveSixteenPixelsAndTakeTheChildAlong) {
    scroll(WM_VSCROLL, SB_LINEDOWN);
    EXPECT_EQ(box_->scrollPosition(SB_VERT), 16);
    EXPECT_EQ(info(SB_VERT).nPos, 16);
    EXPECT_EQ(boundsInParent(child_->handle()).top, -16);
    scroll(WM_HSCROLL, SB_LINERIGHT);
    scroll(WM_HSCROLL, SB_LINERIGHT);
    EXPECT_EQ(box_->scrollPosition(SB_HORZ), 32);
    EXPECT_EQ(boundsInParent(child_->handle()).left, -32);
    scroll(WM_HSCROLL, SB_LINELEFT);
    EXPECT_EQ(box_->scrollPosition(SB_HORZ), 16);
}

TEST_F(ScrollBoxTest, PageStepsMoveTheVisibleSize) {
    const int page = clientRect(box_->handle()).bottom;
    scroll(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_EQ(box_->scrollPosition(SB_VERT), page);
    scroll(WM_VSCROLL, SB_LINEDOWN);
    scroll(WM_VSCROLL, SB_PAGEUP);
    EXPECT_EQ(box_->scrollPosition(SB_VERT), 16);
}

TEST_F(ScrollBoxTest, DraggingTheThumbScrollsAtOnce) {
    scroll(WM_VSCROLL, SB_THUMBTRACK, 123);
    EXPECT_EQ(box_->scrollPosition(SB_VERT), 123);
    EXPECT_EQ(boundsInParent(child_->handle()).top, -123);
    scroll(WM_HSCROLL, SB_THUMBPOSITION, 45);
    EXPECT_EQ(box_->scrollPosition(SB_HORZ), 45);
}

TEST_F(ScrollBoxTest, PositionStaysBetweenTheEndsOfTheRange) {
    const RECT client = clientRect(box_->handle());
    scroll(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(box_->scrollPosition(SB_VERT), 0);
    scroll(WM_VSCROLL, SB_BOTTOM);
    EXPECT_EQ(box_->scrollPosition(SB_VERT), 400 - client.bottom);
    scroll(WM_VSCROLL, SB_LINEDOWN);
    scroll(WM_VSCROLL, SB_PAGEDOWN);
    scroll(WM_VSCROLL, SB_THUMBTRACK, 9999);
    EXPECT_EQ(box_->scrollPosition(SB_VERT), 400 - client.bottom);
    EXPECT_EQ(boundsInParent(child_->handle()).bottom, client.bottom);
    scroll(WM_VSCROLL, SB_TOP);
    EXPECT_EQ(box_->scrollPosition(SB_VERT), 0);
}

TEST_F(ScrollBoxTest, ResizingTheBoxReevaluatesTheRanges) {
    scroll(WM_VSCROLL, SB_BOTTOM);
    box_->setSize(300, 250);
    RECT client = clientRect(box_->handle());
    EXPECT_EQ(static_cast<LONG>(info(SB_VERT).nPage), client.bottom);
    EXPECT_EQ(box_->scrollPosition(SB_VERT), 400 - client.bottom);  // clamped to the new end
    box_->setSize(600, 500);
    client = clientRect(box_->handle());
    EXPECT_EQ(client.right, 600);  // no bar needed any more
    EXPECT_EQ(client.bottom, 500);
    EXPECT_EQ(box_->scrollPosition(SB_VERT), 0);
    EXPECT_EQ(boundsInParent(child_->handle()).top, 0);
}

TEST_F(ScrollBoxTest, ResizingTheChildReevaluatesTheRanges) {
    child_->setSize(1000, 0);
    EXPECT_EQ(info(SB_HORZ).nMax, 999);
    scroll(WM_VSCROLL, SB_BOTTOM);
    child_->setHeight(150);
    const RECT client = clientRect(box_->handle());
    EXPECT_EQ(info(SB_VERT).nMax, 149);
    EXPECT_EQ(box_->scrollPosition(SB_VERT), 150 - client.bottom);
    child_->setVisible(false);
    EXPECT_EQ(clientRect(box_->handle()).right, 200);  // nothing left to scroll
}

TEST_F(ScrollBoxTest, BrushBitmapTilesTheBackgroundFromTheTopLeftCorner) {
    ScrollBox& framed = newScrollBox(*form_, ScrollBox::SunkenEdge);
    framed.setPosition(220, 10).setSize(100, 100).setBrushBitmap(quarteredBitmap());
    PaintBox& inside = newPaintBox(framed);  // takes a copy of the brush
    inside.setPosition(40, 40).setSize(20, 20);
    ui_driver::pumpMessages(50);
    HWND window = framed.handle();
    EXPECT_EQ(pixelAt(window, 0, 0), kRed);
    EXPECT_EQ(pixelAt(window, 8, 0), kGreen);
    EXPECT_EQ(pixelAt(window, 0, 8), kBlue);
    EXPECT_EQ(pixelAt(window, 8, 8), kWhite);
    EXPECT_EQ(pixelAt(window, 16, 0), kRed);
    EXPECT_EQ(pixelAt(window, 24, 24), kWhite);
    EXPECT_EQ(pixelAt(inside.handle(), 0, 0), kRed);
    EXPECT_EQ(pixelAt(inside.handle(), 9, 1), kGreen);
}

}  // namespace
