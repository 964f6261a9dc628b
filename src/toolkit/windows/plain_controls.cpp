// Labels, paint boxes and edit boxes: native STATIC and EDIT windows with
// the toolkit's colours, transparency and events.
#include "toolkit/windows/plain_controls.h"

#include <algorithm>

#include "core/object.h"
#include "toolkit/windows/control.h"

namespace toolkit {

namespace {
constexpr int kLabelHeight = 22;
constexpr int kEditWidth = 100, kEditHeight = 22;
constexpr int kMultiLineEditSize = 200;
// Room left at a right-aligned label's right edge for glyphs reaching past
// their text's measure.
constexpr int kRightTextMargin = 3;

// A transparent native control draws its text over the parent's background
// with no fill of its own.
HBRUSH transparentColors(HDC dc, const Font& font) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, resolveColor(font.color));
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
}
}  // namespace

// --- Label -------------------------------------------------------------------

Label::Label(Control& parent, const std::string& caption) : Control(&parent, L"STATIC") {
    caption_ = caption;
    bounds_.height = kLabelHeight;
}

Label& Label::setTextAlignment(TextAlignment alignment) {
    textAlignment_ = alignment;
    if (window_ != nullptr) {
        setStyleBits(SS_TYPEMASK, windowStyle(), false);
        invalidate();
    }
    return *this;
}

DWORD Label::windowStyle() const {
    const DWORD alignment = textAlignment_ == CentredText ? SS_CENTER
                            : textAlignment_ == RightText ? SS_OWNERDRAW
                                                          : SS_LEFTNOWORDWRAP;
    return Control::windowStyle() | SS_NOPREFIX | SS_NOTIFY | alignment;
}

HBRUSH Label::colorMessage(HDC dc) {
    if (!transparent_) return Control::colorMessage(dc);
    // A label may paint its text without a paint message, so the parent's
    // background goes in first every time.
    RECT client;
    GetClientRect(window_, &client);
    paintBackground(dc, client);
    return transparentColors(dc, font());
}

bool Label::commandMessage(WORD code, LRESULT& result) {
    if (code != STN_CLICKED || !onClick_) return false;
    onClick_(*this);
    result = 0;
    return true;
}

bool Label::drawItem(const DRAWITEMSTRUCT& item) {
    if (textAlignment_ != RightText) return false;
    HDC dc = item.hDC;
    // The colours as for a native label; a transparent one has painted the
    // parent's background and fills nothing.
    FillRect(dc, &item.rcItem, colorMessage(dc));
    SetBkMode(dc, TRANSPARENT);
    HGDIOBJ previousFont = SelectObject(dc, fontHandle());
    const std::wstring text = windowText();
    RECT place = item.rcItem;
    place.right -= kRightTextMargin;
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &place,
              DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
    SelectObject(dc, previousFont);
    return true;
}

Label& newLabel(Control& parent, const std::string& caption) { return *core::create<Label>(parent, caption).detach(); }

// --- PaintBox ------------------------------------------------------------------

PaintBox::PaintBox(Control& parent) : Label(parent, "") {}

PaintBox& newPaintBox(Control& parent) { return *core::create<PaintBox>(parent).detach(); }

// --- EditBox -------------------------------------------------------------------

EditBox::EditBox(Control& parent, unsigned options) : Control(&parent, L"EDIT"), options_(options) {
    const bool multiLine = (options_ & MultiLine) != 0;
    bounds_.width = multiLine ? kMultiLineEditSize : kEditWidth;
    bounds_.height = multiLine ? kMultiLineEditSize : kEditHeight;
}

DWORD EditBox::windowStyle() const {
    DWORD style = Control::windowStyle() | WS_TABSTOP | ES_LEFT;
    if ((options_ & NoHorizontalScroll) == 0) style |= ES_AUTOHSCROLL;
    if ((options_ & MultiLine) != 0) {
        style |= ES_MULTILINE;
        if ((options_ & NoVerticalScroll) == 0) style |= ES_AUTOVSCROLL;
    }
    if ((options_ & KeepSelection) != 0) style |= ES_NOHIDESEL;
    if ((options_ & OemConvert) != 0) style |= ES_OEMCONVERT;
    if ((options_ & Password) != 0) style |= ES_PASSWORD;
    if ((options_ & ReadOnly) != 0) style |= ES_READONLY;
    if ((options_ & WantReturn) != 0) style |= ES_WANTRETURN;
    if ((options_ & DigitsOnly) != 0) style |= ES_NUMBER;
    return style;
}

DWORD EditBox::windowExStyle() const { return border_ ? WS_EX_CLIENTEDGE : 0; }

HBRUSH EditBox::colorMessage(HDC dc) {
    if (!transparent_) return Control::colorMessage(dc);
    return transparentColors(dc, font());
}

bool EditBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_GETDLGCODE && (options_ & WantTab) != 0) {
        result = defaultProcedure(message, wParam, lParam) | DLGC_WANTTAB;
        return true;
    }
    // Typed and pasted letters change their case here rather than through
    // the style, which would change the case of text the program sets too.
    if (message == WM_CHAR && changesCase()) {
        std::wstring typed(1, static_cast<wchar_t>(wParam));
        toBoxCase(typed);
        const auto changed = static_cast<WPARAM>(typed[0]);
        if (changed != wParam) {
            if (!Control::handleMessage(message, changed, lParam, result))
                result = defaultProcedure(message, changed, lParam);
            return true;
        }
    }
    if (message == WM_PASTE && changesCase() && (options_ & ReadOnly) == 0) {
        pasteInBoxCase();
        return true;
    }
    const bool repaintAfter =
        transparent_ && (message == WM_KEYDOWN || message == WM_LBUTTONDOWN || message == WM_LBUTTONUP ||
                         (message == WM_MOUSEMOVE && (wParam & MK_LBUTTON) != 0));
    if (!repaintAfter) return Control::handleMessage(message, wParam, lParam, result);
    // Text drawn over a see-through background leaves traces behind, so
    // the box repaints whole after typing and selecting.
    if (!Control::handleMessage(message, wParam, lParam, result)) result = defaultProcedure(message, wParam, lParam);
    invalidate();
    return true;
}

bool EditBox::changesCase() const { return (options_ & (UpperCase | LowerCase)) != 0; }

void EditBox::toBoxCase(std::wstring& text) const {
    if (text.empty()) return;
    const auto length = static_cast<DWORD>(text.size());
    if ((options_ & UpperCase) != 0)
        CharUpperBuffW(text.data(), length);
    else
        CharLowerBuffW(text.data(), length);
}

// The clipboard's text goes in as the box would paste it (a one-line box
// takes its first line), in the box's case.
void EditBox::pasteInBoxCase() {
    if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(window_)) return;
    std::wstring text;
    if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* characters = static_cast<const wchar_t*>(GlobalLock(data))) {
            text = characters;
            GlobalUnlock(data);
        }
    }
    CloseClipboard();
    if ((options_ & MultiLine) == 0) text.resize(std::min(text.find_first_of(L"\r\n"), text.size()));
    toBoxCase(text);
    SendMessageW(window_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
}

EditBox& newEditBox(Control& parent, unsigned options) { return *core::create<EditBox>(parent, options).detach(); }

}  // namespace toolkit
