// The common control: native window on demand, properties, painting,
// layout, mouse and keyboard events, and the one window procedure every
// control of the toolkit goes through.
#include "toolkit/windows/control.h"

#include <windowsx.h>

#include <algorithm>
#include <utility>

#include "core/code_page.h"
#include "core/object.h"
#include "toolkit/windows/form.h"
#include "toolkit/windows/list_view.h"

namespace toolkit {

namespace {

constexpr wchar_t kControlProperty[] = L"Skirvane.Control";
// A new control's distance from its parent's top-left corner.
constexpr int kParentMargin = 2;

using TrackMouseEventFunction = BOOL(WINAPI*)(LPTRACKMOUSEEVENT);

// _TrackMouseEvent is looked up in comctl32 when first needed; without it
// no leave notification arrives.
TrackMouseEventFunction trackMouseEventFunction() {
    static const TrackMouseEventFunction function = [] {
        HMODULE library = LoadLibraryW(L"comctl32.dll");
        return library == nullptr ? nullptr
                                  : reinterpret_cast<TrackMouseEventFunction>(
                                        reinterpret_cast<void*>(GetProcAddress(library, "_TrackMouseEvent")));
    }();
    return function;
}

// The modifier keys held now, as the key events report them.
std::uint32_t keyboardShiftState() {
    std::uint32_t shift = 0;
    if (GetKeyState(VK_SHIFT) < 0) shift |= MK_SHIFT;
    if (GetKeyState(VK_CONTROL) < 0) shift |= MK_CONTROL;
    if (GetKeyState(VK_MENU) < 0) shift |= kAltShift;
    return shift;
}

int mouseButtonOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            return LeftButton;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            return RightButton;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            return MiddleButton;
        default:
            return NoButton;
    }
}

}  // namespace

COLORREF resolveColor(Color color) {
    if ((color & kSystemColor) != 0) return GetSysColor(static_cast<int>(color & 0xFF));
    return color & 0x00FFFFFF;
}

Control::Control(Control* parent, const wchar_t* className) : className_(className), parent_(parent) {
    if (parent_ == nullptr) return;
    left_ = top_ = kParentMargin;
    background_ = parent_->background_;
    cursor_ = parent_->cursor_;
    if (parent_->font_) font_ = std::make_unique<Font>(*parent_->font_);
    if (parent_->brushBitmap_ != nullptr)
        brushBitmap_ = static_cast<HBITMAP>(CopyImage(parent_->brushBitmap_, IMAGE_BITMAP, 0, 0, 0));
    parent_->children_.push_back(this);
    parent_->addOwned(this, core::releaseToolkitObject);
}

void Control::init() {
    // A control added to a parent that is already on screen appears at once.
    if (parent_ != nullptr && parent_->window_ != nullptr) createWindow();
}

Control::~Control() {
    if (pointerOwner_ == this) pointerOwner_ = nullptr;
    for (Control* child : children_) child->parent_ = nullptr;
    if (window_ != nullptr) {
        HWND window = window_;
        detach();
        DestroyWindow(window);
    }
    if (parent_ != nullptr) std::erase(parent_->children_, this);
    if (fontHandle_ != nullptr) DeleteObject(fontHandle_);
    if (brush_ != nullptr) DeleteObject(brush_);
    if (brushBitmap_ != nullptr) DeleteObject(brushBitmap_);
}

bool Control::isInside(const Control& ancestor) const {
    for (const Control* control = parent_; control != nullptr; control = control->parent_)
        if (control == &ancestor) return true;
    return false;
}

Form* Control::form() {
    Control* control = this;
    while (control != nullptr && dynamic_cast<Form*>(control) == nullptr) control = control->parent_;
    return static_cast<Form*>(control);
}

HICON Control::loadIcon(HINSTANCE module, const char* resourceName) {
    if (IS_INTRESOURCE(resourceName))
        return LoadIconW(module, MAKEINTRESOURCEW(reinterpret_cast<ULONG_PTR>(resourceName)));
    return LoadIconW(module, core::toWide(resourceName).c_str());
}

void Control::setStyleBits(DWORD mask, DWORD bits, bool extended) {
    const int index = extended ? GWL_EXSTYLE : GWL_STYLE;
    const auto current = static_cast<DWORD>(GetWindowLongPtrW(window_, index));
    SetWindowLongPtrW(window_, index, static_cast<LONG_PTR>((current & ~mask) | (bits & mask)));
}

const wchar_t* Control::ownWindowClass(const wchar_t* name) {
    WNDCLASSEXW existing{sizeof existing};
    if (GetClassInfoExW(GetModuleHandleW(nullptr), name, &existing) == 0) {
        WNDCLASSEXW windowClass{sizeof windowClass};
        windowClass.style = CS_DBLCLKS;
        windowClass.lpfnWndProc = &Control::windowProcedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        windowClass.lpszClassName = name;
        RegisterClassExW(&windowClass);
    }
    return name;
}

Control* Control::fromHandle(HWND window) {
    return window == nullptr ? nullptr : static_cast<Control*>(GetPropW(window, kControlProperty));
}

// --- geometry --------------------------------------------------------------

Control& Control::setPosition(int left, int top) {
    left_ = left;
    top_ = top;
    if (window_ != nullptr) {
        const POINT origin = parent_ != nullptr ? parent_->childOrigin() : POINT{0, 0};
        SetWindowPos(window_, nullptr, left_ + origin.x, top_ + origin.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (parent_ != nullptr) parent_->childGeometryChanged();
    return *this;
}

Control& Control::setSize(int width, int height) {
    if (width > 0) width_ = width;
    if (height > 0) height_ = height;
    applySize();
    return *this;
}

Control& Control::setWidth(int width) {
    width_ = std::max(width, 0);
    applySize();
    return *this;
}

Control& Control::setHeight(int height) {
    height_ = std::max(height, 0);
    applySize();
    return *this;
}

void Control::applySize() {
    // The window's WM_SIZE tells the parent.
    if (window_ != nullptr)
        SetWindowPos(window_, nullptr, 0, 0, width_, height_, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int Control::clientWidth() const {
    if (window_ == nullptr) return width_;
    RECT client;
    GetClientRect(window_, &client);
    return client.right;
}

int Control::clientHeight() const {
    if (window_ == nullptr) return height_;
    RECT client;
    GetClientRect(window_, &client);
    return client.bottom;
}

Control& Control::setSizeLimit(SizeLimit limit, int value) {
    sizeLimits_[limit] = value;
    return *this;
}

Control& Control::setAnchors(bool left, bool top, bool right, bool bottom) {
    anchors_ = {left, top, right, bottom};
    return *this;
}

Control& Control::setAlignToParent(Alignment alignment) {
    alignment_ = alignment;
    if (alignment_ == ClientAlignment && parent_ != nullptr) {
        left_ = top_ = 0;
        width_ = parent_->clientWidth();
        height_ = parent_->clientHeight();
        if (window_ != nullptr) SetWindowPos(window_, nullptr, 0, 0, width_, height_, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return *this;
}

void Control::layoutChildren(int oldWidth, int oldHeight) {
    const int newWidth = clientWidth();
    const int newHeight = clientHeight();
    const int dx = newWidth - oldWidth;
    const int dy = newHeight - oldHeight;
    for (Control* child : children_) {
        if (child->alignment_ == ClientAlignment) {
            child->left_ = child->top_ = 0;
            child->width_ = newWidth;
            child->height_ = newHeight;
        } else {
            const auto& [left, top, right, bottom] = child->anchors_;
            if (right && left) {
                child->width_ += dx;
            } else if (right) {
                child->left_ += dx;
            }
            if (bottom && top) {
                child->height_ += dy;
            } else if (bottom) {
                child->top_ += dy;
            }
            if (dx == 0 && dy == 0) continue;
        }
        if (child->window_ != nullptr) {
            const POINT origin = childOrigin();
            SetWindowPos(child->window_, nullptr, child->left_ + origin.x, child->top_ + origin.y, child->width_,
                         child->height_, SWP_NOZORDER | SWP_NOACTIVATE);
        }
    }
}

// --- looks -----------------------------------------------------------------

Control& Control::setBackgroundColor(Color color) {
    background_ = color;
    if (brush_ != nullptr) {
        DeleteObject(brush_);
        brush_ = nullptr;
    }
    backgroundChanged();
    invalidate();
    return *this;
}

Font& Control::font() {
    if (!font_) font_ = std::make_unique<Font>();
    return *font_;
}

Control& Control::setFontHeight(int height) {
    font().height = height;
    applyFont();
    return *this;
}

Control& Control::setFontFace(const std::string& face) {
    font().face = face.substr(0, Font::kMaxFaceLength);
    applyFont();
    return *this;
}

Control& Control::setFontStyle(unsigned style) {
    Font& f = font();
    f.weight = (style & Bold) != 0 ? FW_BOLD : FW_NORMAL;
    f.italic = (style & Italic) != 0;
    f.underline = (style & Underline) != 0;
    f.strikeOut = (style & StrikeOut) != 0;
    applyFont();
    return *this;
}

Control& Control::setFontColor(Color color) {
    font().color = color;
    invalidate();
    return *this;
}

HFONT Control::fontHandle() {
    if (fontHandle_ == nullptr) {
        const Font& f = font();
        LOGFONTW description{};
        description.lfHeight = f.height;
        description.lfWeight = f.weight;
        description.lfItalic = f.italic;
        description.lfUnderline = f.underline;
        description.lfStrikeOut = f.strikeOut;
        description.lfCharSet = RUSSIAN_CHARSET;
        const std::wstring face = core::toWide(f.face);
        face.copy(description.lfFaceName, LF_FACESIZE - 1);
        fontHandle_ = CreateFontIndirectW(&description);
    }
    return fontHandle_;
}

void Control::applyFont() {
    // The window lets go of the old font before it is deleted.
    HFONT old = std::exchange(fontHandle_, nullptr);
    if (window_ != nullptr) {
        SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle()), TRUE);
        invalidate();
    }
    if (old != nullptr) DeleteObject(old);
}

Control& Control::setBrushBitmap(HBITMAP bitmap) {
    if (brushBitmap_ != nullptr) DeleteObject(brushBitmap_);
    brushBitmap_ = bitmap;
    if (brush_ != nullptr) {
        DeleteObject(brush_);
        brush_ = nullptr;
    }
    invalidate();
    return *this;
}

HBRUSH Control::brushHandle() {
    if (brush_ == nullptr)
        brush_ = brushBitmap_ != nullptr ? CreatePatternBrush(brushBitmap_)
                                         : CreateSolidBrush(resolveColor(background_));
    return brush_;
}

Control& Control::setTransparent(bool transparent) {
    transparent_ = transparent;
    if (transparent_ && parent_ != nullptr) parent_->setDoubleBuffered(true);
    invalidate();
    return *this;
}

Control& Control::setDoubleBuffered(bool doubleBuffered) {
    doubleBuffered_ = doubleBuffered;
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

Control& Control::setCursor(HCURSOR cursor) {
    cursor_ = cursor;
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

// --- painting and windows --------------------------------------------------

void Control::invalidate() {
    if (window_ != nullptr) InvalidateRect(window_, nullptr, TRUE);
}

void Control::invalidateWithChildren() {
    invalidate();
    for (Control* child : children_) child->invalidateWithChildren();
}

void Control::update() {
    if (window_ == nullptr) return;
    UpdateWindow(window_);
    for (Control* child : children_) child->update();
}

void Control::setRedraw(bool redraw) {
    if (window_ == nullptr) return;
    SendMessageW(window_, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw) RedrawWindow(window_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void Control::close() {
    if (window_ != nullptr) PostMessageW(window_, WM_CLOSE, 0, 0);
}

DWORD Control::windowStyle() const {
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    if (visible_) style |= WS_VISIBLE;
    if (!enabled_) style |= WS_DISABLED;
    return style;
}

DWORD Control::windowExStyle() const { return 0; }

HWND Control::parentWindow() { return parent_ != nullptr ? parent_->createWindow() : nullptr; }

POINT Control::childOrigin() const { return {0, 0}; }

HWND Control::makeWindow() {
    HWND parent = parentWindow();
    const POINT origin = parent_ != nullptr ? parent_->childOrigin() : POINT{0, 0};
    // A child window's menu argument is its identifier.
    const HMENU id = parent != nullptr ? reinterpret_cast<HMENU>(static_cast<INT_PTR>(id_)) : nullptr;
    return CreateWindowExW(windowExStyle(), className_, core::toWide(caption_).c_str(), windowStyle(), left_ + origin.x,
                           top_ + origin.y, width_, height_, parent, id, GetModuleHandleW(nullptr), this);
}

HWND Control::createWindow() {
    if (window_ != nullptr) return window_;
    // The parent's window comes first, and with it those of its children,
    // this one among them.
    if (parent_ != nullptr && parent_->window_ == nullptr && parent_->createWindow() != nullptr && window_ != nullptr)
        return window_;
    HWND window = makeWindow();
    if (window == nullptr) return nullptr;
    if (fromHandle(window) != this) {
        // A native class: its own procedure stays behind ours.
        attach(window);
        nativeProcedure_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Control::windowProcedure)));
    }
    applyProperties();
    windowMade();
    for (Control* child : children_) child->createWindow();
    return window_;
}

void Control::applyProperties() {
    SendMessageW(window_, WM_SETFONT, reinterpret_cast<WPARAM>(fontHandle()), FALSE);
    // The children were placed for the client area the window has now;
    // those aligned to it take its size before their windows are made.
    lastClientSize_ = {clientWidth(), clientHeight()};
    layoutReady_ = true;
    layoutChildren(lastClientSize_.cx, lastClientSize_.cy);
}

void Control::attach(HWND window) {
    window_ = window;
    SetPropW(window, kControlProperty, this);
}

void Control::detach() {
    if (window_ == nullptr) return;
    RemovePropW(window_, kControlProperty);
    if (nativeProcedure_ != nullptr) {
        SetWindowLongPtrW(window_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(nativeProcedure_));
        nativeProcedure_ = nullptr;
    }
    window_ = nullptr;
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

LRESULT CALLBACK Control::windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Control* control = fromHandle(window);
    if (control == nullptr && message == WM_NCCREATE) {
        control = static_cast<Control*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        if (control != nullptr) control->attach(window);
    }
    if (control == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        WNDPROC native = control->nativeProcedure_;
        control->detach();
        return native != nullptr ? CallWindowProcW(native, window, message, wParam, lParam)
                                 : DefWindowProcW(window, message, wParam, lParam);
    }
    LRESULT result = 0;
    if (control->handleMessage(message, wParam, lParam, result)) return result;
    return control->defaultProcedure(message, wParam, lParam);
}

LRESULT Control::defaultProcedure(UINT message, WPARAM wParam, LPARAM lParam) {
    if (nativeProcedure_ != nullptr) return CallWindowProcW(nativeProcedure_, window_, message, wParam, lParam);
    return DefWindowProcW(window_, message, wParam, lParam);
}

void Control::paintBackground(HDC dc, const RECT& rect) {
    if (transparent_ && parent_ != nullptr && parent_->window_ != nullptr) {
        // What the parent shows behind this control, in its coordinates.
        POINT offset{0, 0};
        MapWindowPoints(window_, parent_->window_, &offset, 1);
        POINT oldOrigin;
        OffsetViewportOrgEx(dc, -offset.x, -offset.y, &oldOrigin);
        RECT parentRect = rect;
        OffsetRect(&parentRect, offset.x, offset.y);
        parent_->paintBackground(dc, parentRect);
        SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
        return;
    }
    POINT viewport;
    GetViewportOrgEx(dc, &viewport);
    SetBrushOrgEx(dc, viewport.x, viewport.y, nullptr);  // a pattern tiles from the top-left corner
    FillRect(dc, &rect, brushHandle());
}

void Control::paintThroughBuffer(HDC dc, const RECT& area, const std::function<void(HDC)>& paint) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    HDC buffer = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(buffer, bitmap);
    SetViewportOrgEx(buffer, -area.left, -area.top, nullptr);
    paint(buffer);
    SetViewportOrgEx(buffer, 0, 0, nullptr);
    BitBlt(dc, area.left, area.top, width, height, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, old);
    DeleteObject(bitmap);
    DeleteDC(buffer);
}

void Control::paintContent(HDC dc) {
    if (onPaint_) onPaint_(*this, dc);
}

HBRUSH Control::colorMessage(HDC dc) {
    const Font& f = font();
    SetTextColor(dc, resolveColor(f.color));
    SetBkColor(dc, resolveColor(background_));
    return brushHandle();
}

bool Control::commandMessage(WORD, LRESULT&) { return false; }

bool Control::notifyMessage(const NMHDR&, LRESULT&) { return false; }

// The control that last reported the pointer entering and has not yet
// reported it leaving.
Control* Control::pointerOwner_ = nullptr;

void Control::trackMouse(bool inside) {
    // The system tells a control that the pointer left only after the next
    // control has seen it enter; the previous one leaves first here, so
    // its leave event cannot undo what the new one's enter event did.
    if (inside && !mouseInside_ && pointerOwner_ != nullptr && pointerOwner_ != this && !isInside(*pointerOwner_))
        pointerOwner_->trackMouse(false);
    TrackMouseEventFunction track = trackMouseEventFunction();
    if (track != nullptr && (inside || mouseInside_)) {
        // Asked for at every move inside, not only on entering: the system
        // refuses it while it still sees the pointer elsewhere.
        TRACKMOUSEEVENT request{sizeof request, TME_LEAVE | (inside ? 0U : TME_CANCEL), window_, 0};
        track(&request);
    }
    if (inside == mouseInside_) return;
    mouseInside_ = inside;
    if (inside)
        pointerOwner_ = this;
    else if (pointerOwner_ == this)
        pointerOwner_ = nullptr;
    invalidate();
    if (inside && onMouseEnter_) onMouseEnter_(*this);
    if (!inside && onMouseLeave_) onMouseLeave_(*this);
}

bool Control::pointerInside(UINT message, LPARAM lParam) const {
    if (message == WM_MOUSELEAVE) return false;
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) ScreenToClient(window_, &point);
    RECT client;
    GetClientRect(window_, &client);
    return PtInRect(&client, point) != 0;
}

bool Control::handleMouse(UINT message, WPARAM wParam, LPARAM lParam) {
    if (onMouseEnter_ || onMouseLeave_) trackMouse(pointerInside(message, lParam));
    if (message == WM_MOUSELEAVE || message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) return false;
    const MouseInfo mouse{mouseButtonOf(message), static_cast<std::uint32_t>(GET_KEYSTATE_WPARAM(wParam)),
                          GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    switch (message) {
        case WM_MOUSEMOVE:
            if (onMouseMove_) onMouseMove_(*this, mouse);
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:  // the second press of a quick pair is a press too
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            if (onMouseDown_) onMouseDown_(*this, mouse);
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            if (onMouseUp_) onMouseUp_(*this, mouse);
            break;
        default:
            break;
    }
    return false;
}

bool Control::handlePainting(UINT message, WPARAM wParam, LRESULT& result) {
    RECT client;
    GetClientRect(window_, &client);
    if (message == WM_ERASEBKGND) {
        if (!paintsItself() && !transparent_) return false;
        // A double-buffered control fills its background while painting.
        if (!(paintsItself() && doubleBuffered_)) paintBackground(reinterpret_cast<HDC>(wParam), client);
        result = 1;
        return true;
    }
    if (!paintsItself()) return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window_, &paint);
    if (doubleBuffered_) {
        paintThroughBuffer(dc, paint.rcPaint, [this, &paint](HDC buffer) {
            paintBackground(buffer, paint.rcPaint);
            paintContent(buffer);
        });
    } else {
        paintContent(dc);
    }
    EndPaint(window_, &paint);
    result = 0;
    return true;
}

bool Control::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSELEAVE)
        return handleMouse(message, wParam, lParam);
    if (message == WM_ERASEBKGND || message == WM_PAINT) return handlePainting(message, wParam, result);

    switch (message) {
        case WM_SIZE: {
            // A minimised form keeps its bounds and its layout.
            if (wParam == SIZE_MINIMIZED) return false;
            RECT bounds;
            GetWindowRect(window_, &bounds);
            width_ = bounds.right - bounds.left;
            height_ = bounds.bottom - bounds.top;
            // Sizes during creation come before the children are placed.
            if (!layoutReady_) return false;
            const SIZE old = lastClientSize_;
            lastClientSize_ = {clientWidth(), clientHeight()};
            layoutChildren(old.cx, old.cy);
            if (parent_ != nullptr) parent_->childGeometryChanged();
            if (onResize_) onResize_(*this);
            return false;
        }
        case WM_CHAR: {
            if (!onKeyChar_) return false;
            const wchar_t typed = static_cast<wchar_t>(wParam);
            std::string narrow = core::fromWide(std::wstring_view(&typed, 1));
            char character = narrow.empty() ? '\0' : narrow[0];
            const char before = character;
            onKeyChar_(*this, character, keyboardShiftState());
            if (character == 0) return true;  // swallowed
            if (character != before) {
                const std::wstring replaced = core::toWide(std::string_view(&character, 1));
                result = defaultProcedure(message, replaced.empty() ? 0 : replaced[0], lParam);
                return true;
            }
            return false;
        }
        case WM_SETCURSOR:
            if (cursor_ != nullptr && LOWORD(lParam) == HTCLIENT) {
                SetCursor(cursor_);
                result = TRUE;
                return true;
            }
            return false;
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
