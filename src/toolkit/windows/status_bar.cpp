// The status bar at the bottom of a form: one simple text, or parts of
// equal width, each with its text.
#include "toolkit/windows/status_bar.h"

#include <windows.h>
#include <commctrl.h>

#include "core/code_page.h"
#include "core/object.h"
#include "toolkit/windows/control.h"
#include "toolkit/windows/form.h"

namespace toolkit {

StatusBar::StatusBar(Form& form) : Control(&form, STATUSCLASSNAMEW) {
    INITCOMMONCONTROLSEX classes{sizeof classes, ICC_BAR_CLASSES};
    InitCommonControlsEx(&classes);
    bounds_.width = bounds_.height = 0;  // no room taken until the window exists
    form.statusBar_ = this;
}

Form& StatusBar::owner() const { return *static_cast<Form*>(parent_); }

DWORD StatusBar::windowStyle() const { return Control::windowStyle() | SBARS_SIZEGRIP | CCS_BOTTOM; }

void StatusBar::init() {
    Form& form = owner();
    const bool formOnScreen = form.handle() != nullptr;
    const SIZE before = form.lastClientSize_;
    Control::init();  // makes the window at once in a form on screen
    // The form's children move out of the bar's way.
    if (formOnScreen) form.layoutChildren(before.cx, before.cy);
}

void StatusBar::windowMade() {
    applyParts();
    for (std::size_t part = 0; part < texts_.size(); ++part) sendText(static_cast<int>(part), texts_[part]);
    sendText(kSimplePart, simpleText_);
    SendMessageW(window_, SB_SIMPLE, simple_, 0);
    fitToForm();
    // From now on the form's children are placed in what the bar leaves;
    // those aligned to the client area take its new size.
    Form& form = owner();
    form.lastClientSize_ = {form.clientWidth(), form.clientHeight()};
    form.layoutChildren(form.lastClientSize_.cx, form.lastClientSize_.cy);
}

void StatusBar::fitToForm() {
    // The native bar places itself along the bottom of its parent.
    SendMessageW(window_, WM_SIZE, SIZE_RESTORED, 0);
    RECT bounds;
    GetWindowRect(window_, &bounds);
    MapWindowPoints(HWND_DESKTOP, GetParent(window_), reinterpret_cast<POINT*>(&bounds), 2);
    bounds_ = {bounds.left, bounds.top, bounds.right - bounds.left, bounds.bottom - bounds.top};
}

void StatusBar::formResized() {
    if (window_ == nullptr) return;
    fitToForm();
    applyParts();
}

void StatusBar::applyParts() {
    if (window_ == nullptr || texts_.empty()) return;
    const int count = partCount();
    const int partWidth = owner().clientWidth() / count;
    std::vector<int> rightEdges(texts_.size());
    for (int part = 0; part < count; ++part) rightEdges[static_cast<std::size_t>(part)] = (part + 1) * partWidth;
    rightEdges.back() = -1;  // the last part reaches the right edge
    SendMessageW(window_, SB_SETPARTS, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(rightEdges.data()));
}

void StatusBar::sendText(int part, const std::string& text) {
    const std::wstring wide = core::toWide(text);
    SendMessageW(window_, SB_SETTEXTW, static_cast<WPARAM>(part), reinterpret_cast<LPARAM>(wide.c_str()));
}

void StatusBar::setText(int part, const std::string& text) {
    if (!validPart(part)) return;
    if (part == kSimplePart) {
        simpleText_ = text;
        if (window_ != nullptr) sendText(kSimplePart, text);
        return;
    }
    const bool moreParts = part >= partCount();
    if (moreParts) texts_.resize(static_cast<std::size_t>(part) + 1);
    texts_[static_cast<std::size_t>(part)] = text;
    simple_ = false;
    if (window_ == nullptr) return;
    if (moreParts) applyParts();
    SendMessageW(window_, SB_SIMPLE, FALSE, 0);
    sendText(part, text);
}

std::string StatusBar::text(int part) const {
    const bool simplePart = part == kSimplePart;
    if (!simplePart && (part < 0 || part >= partCount())) return {};
    // A bar in parts mode keeps its simple text out of reach.
    if (window_ == nullptr || (simplePart && !simple_))
        return simplePart ? simpleText_ : texts_[static_cast<std::size_t>(part)];
    // In simple mode the bar gives its simple text as part 0.
    const WPARAM index = simplePart ? 0 : static_cast<WPARAM>(part);
    const auto length = static_cast<std::size_t>(LOWORD(SendMessageW(window_, SB_GETTEXTLENGTHW, index, 0)));
    std::wstring wide(length + 1, L'\0');
    SendMessageW(window_, SB_GETTEXTW, index, reinterpret_cast<LPARAM>(wide.data()));
    wide.resize(length);
    return core::fromWide(wide);
}

void setStatusText(Form& form, int part, const std::string& text) {
    if (!StatusBar::validPart(part)) return;
    StatusBar* bar = form.statusBar();
    if (bar == nullptr) bar = core::create<StatusBar>(form).detach();  // owned by the form
    bar->setText(part, text);
}

}  // namespace toolkit
