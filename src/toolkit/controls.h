// Windows, controls and events: the application object with its message
// loop, forms, and the plain control kinds (label, paint box, scroll box,
// edit box), over Win32.
//
// A control's native window is made the first time something needs it;
// every property can be set before and is applied then. Setters return the
// control so that calls chain. Texts are code page 1251 strings and reach
// the wide Win32 functions converted with that code page.
#pragma once

#include <windows.h>

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "toolkit/base.h"

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
using PaintEvent = std::function<void(Control& sender, HDC dc)>;
using MouseEvent = std::function<void(Control& sender, const MouseInfo& mouse)>;
// The shift state of the key events: MK_SHIFT, MK_CONTROL and this bit for
// the Alt key.
constexpr std::uint32_t kAltShift = 0x20;
// The character by reference: set it to 0 and the control never sees it.
using KeyCharEvent = std::function<void(Control& sender, char& character, std::uint32_t shift)>;
using KeyEvent = std::function<void(Control& sender, int& key, std::uint32_t shift)>;

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

class Control : public ToolkitObject {
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
    int sizeLimit(SizeLimit limit) const { return sizeLimits_[limit]; }
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

    // --- painting and windows ---
    void invalidate();
    void invalidateWithChildren();
    void update();
    // Off: the window does not redraw as its content changes (WM_SETREDRAW);
    // on again: it redraws whole.
    void setRedraw(bool redraw);
    HWND createWindow();
    HWND handle() const { return window_; }
    // The window handle, making the window first when there is none.
    HWND windowHandle() { return createWindow(); }
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
    Control& setOnKeyDown(KeyEvent handler) { return setEvent(onKeyDown_, std::move(handler)); }
    Control& setOnKeyUp(KeyEvent handler) { return setEvent(onKeyUp_, std::move(handler)); }

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
    KeyEvent onKeyDown_, onKeyUp_;

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

// A top-level window owned by the application object.
class Form : public Control {
public:
    Form(Application& application, const std::string& caption);

    // Sets the client area; values not above 0 leave that dimension.
    Form& setClientSize(int width, int height);
    Form& setIcon(HINSTANCE module, const char* resourceName);
    Form& setOnClose(CloseEvent handler) {
        onClose_ = std::move(handler);
        return *this;
    }
    Form& setStayOnTop(bool stayOnTop);
    // Makes the form visible, brings it to the foreground and focuses it.
    void showAndBringToFront();
    // Places the form in the middle of the screen.
    void centre();
    // Asks the form to remember its show state while the application is
    // minimised and to take it again when it is restored.
    void rememberShowState() { remembersShowState_ = true; }

    // The client area less what the status bar takes at the bottom.
    int clientHeight() const override;
    int statusBarHeight() const;
    class StatusBar* statusBar() const { return statusBar_; }
    class MainMenu* menu() const { return menu_; }

protected:
    DWORD windowStyle() const override;
    DWORD windowExStyle() const override;
    HWND parentWindow() override;
    HWND makeWindow() override;
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    friend class Application;
    friend class StatusBar;
    friend class MainMenu;
    void applicationMinimised();
    void applicationRestored();

    Application& application_;
    CloseEvent onClose_;
    HICON icon_ = nullptr;
    HWND focusedChild_ = nullptr;  // taken back when the form is active again
    int clientWidthWanted_ = 0, clientHeightWanted_ = 0;
    bool stayOnTop_ = false;
    bool remembersShowState_ = false;
    int rememberedShowState_ = 0;  // 0 = none
    class StatusBar* statusBar_ = nullptr;
    class MainMenu* menu_ = nullptr;
};

// The program as a whole: its window stands for it in the task bar; it owns
// the forms and runs the message loop.
class Application : public Control {
public:
    explicit Application(const std::string& title);

    // The first form added is the main form.
    void addForm(Form& form);
    Form* mainForm() const { return mainForm_; }
    // Registers the form whose rectangle the minimise animation starts from
    // and whose minimise button minimises the application.
    void registerMinimiseForm(Form& form) { minimiseForm_ = &form; }
    Form* minimiseForm() const { return minimiseForm_; }
    // Hides the forms (each remembering how it was shown) and minimises the
    // application window; restore shows them again.
    void minimise();
    void restore();
    Application& setIcon(HINSTANCE module, const char* resourceName);

    // A message the pre-filter returns true for is not dispatched.
    void setPreFilter(std::function<bool(MSG&)> filter) { preFilter_ = std::move(filter); }

    // Shows the main form, runs the message loop until the program is told
    // to end, then handles what is still queued and closes every window.
    void run();
    bool terminated() const { return terminated_; }
    // Paints every window with pending painting at once.
    static void updateAllWindows();

    // The running application, or nullptr.
    static Application* current() { return current_; }

protected:
    ~Application() override;
    DWORD windowStyle() const override;
    DWORD windowExStyle() const override { return 0; }
    HWND parentWindow() override { return nullptr; }
    HWND makeWindow() override;
    void windowMade() override;
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void handleQueuedMessages();

    static Application* current_;
    Form* mainForm_ = nullptr;
    Form* minimiseForm_ = nullptr;
    std::vector<Form*> forms_;
    std::function<bool(MSG&)> preFilter_;
    HICON icon_ = nullptr;
    bool terminated_ = false;
};

// Single-line text without "&" processing and without word wrap (centred
// text wraps). Notifies clicks.
class Label : public Control {
public:
    Label(Control& parent, const std::string& caption);
    Label& setTextAlignment(TextAlignment alignment);

protected:
    DWORD windowStyle() const override;
    HBRUSH colorMessage(HDC dc) override;
    bool commandMessage(WORD code, LRESULT& result) override;

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

// Adds many items to a control while showing them as they come: the
// control does not redraw after each item; instead the window it lies in
// is brought up to date at most once a frame, and never so often that
// painting takes more than a fifth of the time. Redrawing is back on, and
// the window up to date, when the object ends.
class PacedFill {
public:
    static constexpr std::chrono::milliseconds kFrame{16};

    PacedFill(Control& window, Control& filled);
    ~PacedFill();
    PacedFill(const PacedFill&) = delete;
    PacedFill& operator=(const PacedFill&) = delete;

    // Call before each item: updates on the first call and whenever the
    // pause since the last update has passed.
    void step();

private:
    void update();

    Control& window_;
    Control& filled_;
    std::chrono::steady_clock::time_point nextUpdate_{};
};


// Constructors in the form the window definitions use: each makes the
// control, hands it to its parent (which frees it) and returns it.
Ref<Application> newApplication(const std::string& title);
Form& newForm(Application& application, const std::string& caption);
Label& newLabel(Control& parent, const std::string& caption);
PaintBox& newPaintBox(Control& parent);
ScrollBox& newScrollBox(Control& parent, ScrollBox::EdgeStyle edge);
EditBox& newEditBox(Control& parent, unsigned options);

}  // namespace toolkit
