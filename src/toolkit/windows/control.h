// A control: a native window made the first time something needs it, its
// events and its properties (geometry, texts, colours, fonts, anchors).
//
// Every property can be set before the window exists and is applied then.
// Setters return the control so that calls chain. Texts are code page 1251
// strings and reach the wide Win32 functions converted with that code page.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/object.h"

namespace toolkit {

// 0x00BBGGRR; a value with the top bit set names the system colour whose
// index is in the low byte.
using Color = std::uint32_t;
constexpr Color kSystemColor = 0x80000000;
constexpr Color kWindowTextColor = kSystemColor | COLOR_WINDOWTEXT;
constexpr Color kButtonFaceColor = kSystemColor | COLOR_BTNFACE;
COLORREF resolveColor(Color color);

class Control;
class Form;
class Application;

// Mouse buttons as the mouse events report them.
enum MouseButton : int { NoButton = 0, LeftButton = 1, RightButton = 2, MiddleButton = 3 };

struct MouseInfo {
    int button = NoButton;
    std::uint32_t shift = 0;  // the MK_ key bits of the message
    int x = 0;                // client pixels
    int y = 0;
};

using NotifyEvent = std::function<void(Control& sender)>;
using CloseEvent = std::function<void(Control& sender, bool& accept)>;
// The paths of the files dropped onto a form, in the order the shell gives.
using FilesDroppedEvent = std::function<void(Control& sender, const std::vector<std::wstring>& paths)>;
using PaintEvent = std::function<void(Control& sender, HDC dc)>;
using MouseEvent = std::function<void(Control& sender, const MouseInfo& mouse)>;
// The shift state of the key events: MK_SHIFT, MK_CONTROL and this bit for
// the Alt key.
constexpr std::uint32_t kAltShift = 0x20;
// The character by reference: set it to 0 and the control never sees it.
using KeyCharEvent = std::function<void(Control& sender, char& character, std::uint32_t shift)>;

enum FontStyle : unsigned { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

struct Font {
    static constexpr std::size_t kMaxFaceLength = 31;
    std::string face = "MS Sans Serif";
    int height = 0;  // pixels; 0 is the system's default size
    int weight = FW_NORMAL;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    Color color = kWindowTextColor;
};

enum SizeLimit : int { MinWidth = 0, MinHeight = 1, MaxWidth = 2, MaxHeight = 3 };
enum Alignment : int { NoAlignment = 0, ClientAlignment = 5 };
enum TextAlignment : int { LeftText = 0, RightText = 1, CentredText = 2 };

class Control : public core::ToolkitObject {
public:
    // Makes the window at once when the parent's window already exists.
    void init() override;

    // --- geometry ---
    Control& setPosition(int left, int top);
    // 0 leaves that dimension as it is.
    Control& setSize(int width, int height);
    // Unlike setSize these take 0 too (a paint box fitted to an empty
    // bitmap is 0 x 0).
    Control& setWidth(int width);
    Control& setHeight(int height);
    int left() const { return left_; }
    int top() const { return top_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // The area children are laid out in.
    virtual int clientWidth() const;
    virtual int clientHeight() const;
    Control& setSizeLimit(SizeLimit limit, int value);
    Control& setAnchors(bool left, bool top, bool right, bool bottom);
    Control& setAlignToParent(Alignment alignment);

    // --- looks ---
    Control& setBackgroundColor(Color color);
    Color backgroundColor() const { return background_; }
    Font& font();
    Control& setFontHeight(int height);
    Control& setFontFace(const std::string& face);
    Control& setFontStyle(unsigned style);
    Control& setFontColor(Color color);
    // Tiles the background with the bitmap, which the control then owns.
    Control& setBrushBitmap(HBITMAP bitmap);
    Control& setTransparent(bool transparent);
    bool transparent() const { return transparent_; }
    Control& setDoubleBuffered(bool doubleBuffered);
    bool doubleBuffered() const { return doubleBuffered_; }
    Control& setBorder(bool border);
    Control& setCursor(HCURSOR cursor);

    // --- text and state ---
    Control& setCaption(const std::string& caption);
    // The live window text once the window exists, so user edits are seen;
    // a character that code page 1251 lacks reads as '?'.
    std::string caption() const;
    // The same, or nothing when the text holds a character that code page
    // 1251 lacks (a user may type or paste any).
    std::optional<std::string> exactCaption() const;
    Control& setEnabled(bool enabled);
    bool enabled() const { return enabled_; }
    Control& setVisible(bool visible);
    bool visible() const { return visible_; }
    // The child window's identifier (GetDlgCtrlID), by which a program and
    // its tests find the control; 0 for none.
    Control& setId(int id);
    int id() const { return id_; }

    // --- painting and windows ---
    void invalidate();
    void invalidateWithChildren();
    void update();
    // Off: the window does not redraw as its content changes (WM_SETREDRAW);
    // on again: it redraws whole.
    void setRedraw(bool redraw);
    // The window, made first when there is none yet.
    HWND createWindow();
    // The window, or nullptr before it is made.
    HWND handle() const { return window_; }
    void close();

    // --- integer properties by message ---
    // The low 16 bits of `code` are the message that reads the value, the
    // high 16 bits the one that writes it (0: the read message plus one),
    // with bit 15 of the high half asking for a repaint after writing.
    void setIntProperty(std::uint32_t code, int value);
    int intProperty(std::uint32_t code);

    // --- events ---
    Control& setOnClick(NotifyEvent handler) { return setEvent(onClick_, std::move(handler)); }
    Control& setOnPaint(PaintEvent handler) { return setEvent(onPaint_, std::move(handler)); }
    Control& setOnMouseDown(MouseEvent handler) { return setEvent(onMouseDown_, std::move(handler)); }
    Control& setOnMouseUp(MouseEvent handler) { return setEvent(onMouseUp_, std::move(handler)); }
    Control& setOnMouseMove(MouseEvent handler) { return setEvent(onMouseMove_, std::move(handler)); }
    bool hasOnMouseMove() const { return static_cast<bool>(onMouseMove_); }
    Control& setOnMouseEnter(NotifyEvent handler) { return setEvent(onMouseEnter_, std::move(handler)); }
    Control& setOnMouseLeave(NotifyEvent handler) { return setEvent(onMouseLeave_, std::move(handler)); }
    Control& setOnResize(NotifyEvent handler) { return setEvent(onResize_, std::move(handler)); }
    Control& setOnKeyChar(KeyCharEvent handler) { return setEvent(onKeyChar_, std::move(handler)); }

    Control* parent() const { return parent_; }
    const std::vector<Control*>& children() const { return children_; }
    // The form this control lies on (itself for a form).
    Form* form();
    // Whether `ancestor` is this control's parent, or its parent's, and so on.
    bool isInside(const Control& ancestor) const;

    // The control whose window this is, or nullptr.
    static Control* fromHandle(HWND window);
    // Registers, on first use, a window class of the toolkit's own whose
    // windows all go through the toolkit's window procedure; gives its name.
    static const wchar_t* ownWindowClass(const wchar_t* name);

protected:
    // An icon of the module by resource name, or by number (MAKEINTRESOURCE).
    static HICON loadIcon(HINSTANCE module, const char* resourceName);
    // Sets the bits of the window's style (or extended style) that `mask`
    // covers to those of `bits`, leaving the others as the window has them
    // (shown, enabled, what the system set).
    void setStyleBits(DWORD mask, DWORD bits, bool extended);
    // `className` is the native class; `parent` null only for the
    // application. A new control takes its parent's looks and starts at
    // the parent's margin with 64 x 64 pixels.
    Control(Control* parent, const wchar_t* className);
    ~Control() override;

    template <class Slot, class Handler>
    Control& setEvent(Slot& slot, Handler handler) {
        slot = std::move(handler);
        return *this;
    }

    // Native styles of the window to make.
    virtual DWORD windowStyle() const;
    virtual DWORD windowExStyle() const;
    // The window's owner or parent when it is made.
    virtual HWND parentWindow();
    // Makes the native window; the base creates `className_` with the
    // styles above and the stored bounds.
    virtual HWND makeWindow();
    // Called once the window exists and the common properties are applied.
    virtual void windowMade() {}

    // Handles one message; returns true with `result` set when it is done,
    // false to let the default procedure handle it.
    virtual bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Whether the pointer of a mouse message lies in the client area (never
    // for WM_MOUSELEAVE; wheel messages carry screen coordinates).
    bool pointerInside(UINT message, LPARAM lParam) const;
    LRESULT defaultProcedure(UINT message, WPARAM wParam, LPARAM lParam);

    // Fills `rect` (in this control's client coordinates) of `dc` with what
    // lies behind this control's content: its own background, or its
    // parent's for a transparent control.
    virtual void paintBackground(HDC dc, const RECT& rect);
    // A child's colour message (WM_CTLCOLOR...) reflected back to it.
    virtual HBRUSH colorMessage(HDC dc);
    // A child's WM_COMMAND or WM_NOTIFY reflected back to it.
    virtual bool commandMessage(WORD code, LRESULT& result);
    virtual bool notifyMessage(const NMHDR& header, LRESULT& result);

    // Lays the children out after this control's client area changed size.
    void layoutChildren(int oldWidth, int oldHeight);
    // Where child position (0, 0) lies in this control's client area.
    virtual POINT childOrigin() const;
    // A child moved or changed size.
    virtual void childGeometryChanged() {}
    // Whether this control paints its client area itself (through the
    // paint handling below) rather than leaving it to a native class.
    virtual bool paintsItself() const { return nativeProcedure_ == nullptr; }
    // Draws the content over the background; the base runs the paint event.
    virtual void paintContent(HDC dc);
    // Native windows that keep their own background get it here.
    virtual void backgroundChanged() {}
    // Sends the write message of an integer property with wParam = value;
    // a class whose message takes the value elsewhere translates it.
    virtual void writeIntProperty(UINT message, int value);
    void applyFont();
    HFONT fontHandle();
    HBRUSH brushHandle();

    const wchar_t* className_;
    Control* parent_;
    std::vector<Control*> children_;
    HWND window_ = nullptr;
    WNDPROC nativeProcedure_ = nullptr;  // for subclassed native classes

    int left_ = 0, top_ = 0, width_ = 64, height_ = 64;
    std::array<int, 4> sizeLimits_{};
    std::string caption_;
    Color background_ = kButtonFaceColor;
    std::unique_ptr<Font> font_;
    HFONT fontHandle_ = nullptr;
    HBITMAP brushBitmap_ = nullptr;
    HBRUSH brush_ = nullptr;
    HCURSOR cursor_ = nullptr;
    bool enabled_ = true;
    bool visible_ = true;
    int id_ = 0;
    bool transparent_ = false;
    bool doubleBuffered_ = false;
    bool border_ = true;
    bool mouseInside_ = false;
    bool layoutReady_ = false;  // the window exists and its children are placed
    SIZE lastClientSize_{};
    std::array<bool, 4> anchors_{};
    Alignment alignment_ = NoAlignment;

    NotifyEvent onClick_;
    PaintEvent onPaint_;
    MouseEvent onMouseDown_, onMouseUp_, onMouseMove_;
    NotifyEvent onMouseEnter_, onMouseLeave_;
    NotifyEvent onResize_;
    KeyCharEvent onKeyChar_;

private:
    friend class Application;
    static LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void attach(HWND window);
    void detach();
    void applyProperties();
    void applySize();
    bool handleMouse(UINT message, WPARAM wParam, LPARAM lParam);
    bool handlePainting(UINT message, WPARAM wParam, LRESULT& result);
    void trackMouse(bool inside);
    std::wstring windowText() const;
    static Control* pointerOwner_;
    void paintThroughBuffer(HDC dc, const RECT& area, const std::function<void(HDC)>& paint);
};

}  // namespace toolkit
