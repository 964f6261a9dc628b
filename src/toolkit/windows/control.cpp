// The common control: its place among the others, its texts and state,
// its native window made on demand, its events and the messages every
// control handles alike.
#include "toolkit/windows/control.h"

#include <algorithm>
#include <utility>

#include "core/code_page.h"
#include "core/object.h"
#include "toolkit/windows/form.h"

namespace toolkit {

namespace {

// A new control's distance from its parent's top-left corner.
constexpr int kParentMargin = 2;

// The modifier keys held now, as the key events report them.
std::uint32_t keyboardShiftState() {
    std::uint32_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0) shift |= MK_CONTROL;
    if (GetKeyState(VK_MENU) < 0) shift |= kAltShift;
    return shift;
}

}  // namespace

Control::Control(Control* parent, const wchar_t* className)
    : ControlLooks(parent), className_(className), parent_(parent) {
    if (parent_ == nullptr) return;
    bounds_.left = bounds_.top = kParentMargin;
    parent_->children_.push_back(this);
    parent_->addOwned(this, core::releaseToolkitObject);
}

void Control::init() {
    // A control added to a parent that is already on screen appears at once.
    if (parent_ != nullptr && parent_->window_ != nullptr) createWindow();
}

Control::~Control() {
    mouse_.forget();
    for (Control* child : children_) child->parent_ = nullptr;
    destroyWindow();
    if (parent_ != nullptr) std::erase(parent_->children_, this);
}

bool Control::isInside(const Control& ancestor) const {
    for (const Control* control = parent_; control != nullptr; control = control->parent_)
        if (control == &ancestor) return true;
    return false;
}

HICON Control::loadIcon(HINSTANCE module, const char* resourceName) {
    if (IS_INTRESOURCE(resourceName))
        return LoadIconW(module, MAKEINTRESOURCEW(reinterpret_cast<ULONG_PTR>(resourceName)));
    return LoadIconW(module, core::toWide(resourceName).c_str());
}

Control* Control::fromHandle(HWND window) { return dynamic_cast<Control*>(objectOf(window)); }

// --- events ----------------------------------------------------------------

Control& Control::setOnMouseDown(MouseEvent handler) {
    mouse_.setOnDown(std::move(handler));
    return *this;
}

Control& Control::setOnMouseUp(MouseEvent handler) {
    mouse_.setOnUp(std::move(handler));
    return *this;
}

Control& Control::setOnMouseMove(MouseEvent handler) {
    mouse_.setOnMove(std::move(handler));
    return *this;
}

Control& Control::setOnMouseEnter(NotifyEvent handler) {
    mouse_.setOnEnter(std::move(handler));
    return *this;
}

Control& Control::setOnMouseLeave(NotifyEvent handler) {
    mouse_.setOnLeave(std::move(handler));
    return *this;
}

// --- text and state --------------------------------------------------------

Control& Control::setCaption(const std::string& caption) {
    caption_ = caption;
    if (window_ != nullptr) {
        SetWindowTextW(window_, core::toWide(caption_).c_str());
        invalidate();
    }
    return *this;
}

Control& Control::setId(int id) {
    id_ = id;
    if (window_ != nullptr) SetWindowLongPtrW(window_, GWLP_ID, id_);
    return *this;
}

std::wstring Control::windowText() const {
    const int length = GetWindowTextLengthW(window_);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(GetWindowTextW(window_, text.data(), length + 1)));
    return text;
}

std::string Control::caption() const { return window_ == nullptr ? caption_ : core::fromWide(windowText()); }

std::optional<std::string> Control::exactCaption() const {
    return window_ == nullptr ? caption_ : core::fromWideExactly(windowText());
}

Control& Control::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (window_ != nullptr) {
        EnableWindow(window_, enabled_);
        invalidate();
    }
    return *this;
}

Control& Control::setVisible(bool visible) {
    visible_ = visible;
    if (visible_ && window_ == nullptr && dynamic_cast<Form*>(this) != nullptr) createWindow();
    if (window_ != nullptr) ShowWindow(window_, visible_ ? SW_SHOW : SW_HIDE);
    if (parent_ != nullptr) parent_->childGeometryChanged();
    return *this;
}

// The bits a border stands for are those in which the styles with and
// without it differ.
Control& Control::setBorder(bool border) {
    if (border == border_) return *this;
    const DWORD oldStyle = windowStyle(), oldExStyle = windowExStyle();
    border_ = border;
    if (window_ != nullptr) {
        const DWORD style = windowStyle(), exStyle = windowExStyle();
        setStyleBits(style ^ oldStyle, style, false);
        setStyleBits(exStyle ^ oldExStyle, exStyle, true);
        SetWindowPos(window_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    }
    return *this;
}

// --- the window --------------------------------------------------------------

void Control::close() {
    if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
}

DWORD Control::windowStyle() const {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (visible_) style |= WS_VISIBLE;
    if (!enabled_) style |= WS_DISABLED;
    return style;
}

HWND Control::parentWindow() { return parent_ != nullptr ? parent_->createWindow() : nullptr; }

HWND Control::makeWindow() {
    HWND parent = parentWindow();
    const POINT origin = parent_ != nullptr ? parent_->childOrigin() : POINT{0, 0};
    // A child window's menu argument is its identifier.
    const HMENU id = parent != nullptr ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)) : nullptr;
    return CreateWindowExW(windowExStyle(), className_, core::toWide(caption_).c_str(), windowStyle(),
                           bounds_.left + origin.x, bounds_.top + origin.y, bounds_.width, bounds_.height, parent, id,
                           GetModuleHandleW(nullptr), creationData());
}

HWND Control::createWindow() {
    if (window_ != nullptr) return window_;
    // The parent's window comes first, and with it those of its children,
    // this one among them.
    if (parent_ != nullptr && parent_->window_ == nullptr && parent_->createWindow() != nullptr && window_ != nullptr)
        return window_;
    HWND window = makeWindow();
    if (window == nullptr) return nullptr;
    adopt(window);
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle()), FALSE);
    layOutNewWindow();
    windowMade();
    for (Control* child : children_) child->createWindow();
    return window_;
}

// --- integer properties ----------------------------------------------------

void Control::setIntProperty(std::uint32_t code, int value) {
    const UINT readMessage = code & 0xFFFF;
    UINT writeMessage = (code >> 16) & 0x7FFF;
    const bool repaint = (code & 0x80000000U) != 0;
    if (writeMessage == 0) writeMessage = readMessage + 1;
    writeIntProperty(writeMessage, value);
    if (repaint) invalidate();
}

void Control::writeIntProperty(UINT message, int value) {
    SendMessageW(createWindow(), message, static_cast<WPARAM>(value), 0);
}

int Control::intProperty(std::uint32_t code) {
    return static_cast<int>(SendMessageW(createWindow(), code & 0xFFFF, 0, 0));
}

// --- messages ----------------------------------------------------------------

HBRUSH Control::colorMessage(HDC dc) {
    SetTextColor(dc, resolveColor(font().color));
    SetBkColor(dc, resolveColor(backgroundColor()));
    return brush();
}

// The character reaches the key-char event in code page 1251, and the
// window as the event leaves it.
bool Control::handleKeyChar(WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (!onKeyChar_) return false;
    const wchar_t typed = static_cast<wchar_t>(wParam);
    const std::string narrow = core::fromWide(std::wstring_view(&typed, 1));
    char character = narrow.empty() ? '\0' : narrow[0];
    const char before = character;
    onKeyChar_(*this, character, keyboardShiftState());
    if (character == 0) return true;  // swallowed
    if (character == before) return false;
    const std::wstring replaced = core::toWide(std::string_view(&character, 1));
    result = defaultProcedure(WM_CHAR, replaced.empty() ? 0 : replaced[0], lParam);
    return true;
}

bool Control::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSELEAVE) {
        mouse_.handle(message, wParam, lParam);
        return false;
    }
    if (message == WM_ERASEBKGND || message == WM_PAINT) return handlePainting(message, wParam, result);

    switch (message) {
        case WM_SIZE:
            // A minimised form keeps its bounds and its layout.
            if (wParam != SIZE_MINIMIZED && windowResized() && onResize_) onResize_(*this);
            return false;
        case WM_CHAR:
            return handleKeyChar(wParam, lParam, result);
        case WM_SETCURSOR:
            if (cursor() == nullptr || LOWORD(lParam) != HTCLIENT) return false;
            SetCursor(cursor());
            result = TRUE;
            return true;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN: {
            Control* child = fromHandle(reinterpret_cast<HWND>(lParam));
            if (child == nullptr) return false;
            result = reinterpret_cast<LRESULT>(child->colorMessage(reinterpret_cast<HDC>(wParam)));
            return true;
        }
        case WM_COMMAND: {
            Control* child = fromHandle(reinterpret_cast<HWND>(lParam));
            return child != nullptr && child->commandMessage(HIWORD(wParam), result);
        }
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            Control* child = fromHandle(item->hwndItem);
            if (child == nullptr || !child->drawItem(*item)) return false;
            result = TRUE;
            return true;
        }
        case WM_NOTIFY: {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            Control* child = fromHandle(header->hwndFrom);
            return child != nullptr && child->notifyMessage(*header, result);
        }
        default:
            return false;
    }
}

}  // namespace toolkit
