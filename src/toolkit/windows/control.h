// A control: a native window made the first time something needs it, its
// events and its properties (geometry and anchors, looks, texts, state).
//
// Every property can be set before the window exists and is applied then.
// Setters return the control so that calls chain. Texts are code page 1251
// strings and reach the wide Win32 functions converted with that code page.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "toolkit/windows/anchored_layout.h"
#include "toolkit/windows/control_events.h"
#include "toolkit/windows/control_looks.h"
#include "toolkit/windows/control_painting.h"
#include "toolkit/windows/mouse_events.h"
#include "toolkit/windows/native_window.h"

namespace toolkit {

enum TextAlignment : int { LeftText = 0, RightText = 1, CentredText = 2 };

// The geometry (AnchoredLayout), the looks (ControlLooks) and the painting
// (ControlPainting) are parts of their own; the control holds its place
// among the others, its texts and state, its window, its events and the
// messages every control handles alike.
class Control : public NativeWindow, public AnchoredLayout, public ControlLooks, public ControlPainting {
public:
    // Makes the window at once when the parent's window already exists.
    void init() override;

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
    Control& setBorder(bool border);

    // --- the window ---
    // The window, made first when there is none yet.
    HWND createWindow();
    void close();
    // The control whose window this is, or nullptr.
    static Control* fromHandle(HWND window);

    // --- integer properties by message ---
    // The low 16 bits of `code` are the message that reads the value, the
    // high 16 bits the one that writes it (0: the read message plus one),
    // with bit 15 of the high half asking for a repaint after writing.
    void setIntProperty(std::uint32_t code, int value);
    int intProperty(std::uint32_t code);

    // --- events ---
    Control& setOnClick(NotifyEvent handler) { return setEvent(onClick_, std::move(handler)); }
    Control& setOnMouseDown(MouseEvent handler);
    Control& setOnMouseUp(MouseEvent handler);
    Control& setOnMouseMove(MouseEvent handler);
    bool hasOnMouseMove() const { return mouse_.hasOnMove(); }
    Control& setOnMouseEnter(NotifyEvent handler);
    Control& setOnMouseLeave(NotifyEvent handler);
    Control& setOnResize(NotifyEvent handler) { return setEvent(onResize_, std::move(handler)); }
    Control& setOnKeyChar(KeyCharEvent handler) { return setEvent(onKeyChar_, std::move(handler)); }

    Control* parent() const { return parent_; }
    const std::vector<Control*>& children() const { return children_; }
    // Whether `ancestor` is this control's parent, or its parent's, and so on.
    bool isInside(const Control& ancestor) const;

protected:
    // `className` is the native class; `parent` null only for the
    // application. A new control takes its parent's looks and starts at
    // the parent's margin with 64 x 64 pixels.
    Control(Control* parent, const wchar_t* className);
    ~Control() override;

    // An icon of the module by resource name, or by number (MAKEINTRESOURCE).
    static HICON loadIcon(HINSTANCE module, const char* resourceName);

    template <class Slot, class Handler>
    Control& setEvent(Slot& slot, Handler handler) {
        slot = std::move(handler);
        return *this;
    }

    // Native styles of the window to make.
    virtual DWORD windowStyle() const;
    virtual DWORD windowExStyle() const { return 0; }
    // The window's owner or parent when it is made.
    virtual HWND parentWindow();
    // Makes the native window; the base creates `className_` with the
    // styles above and the stored bounds.
    virtual HWND makeWindow();
    // Called once the window exists and the common properties are applied.
    virtual void windowMade() {}

    // The messages every control handles alike: the mouse, painting, its
    // size, typed characters, the pointer's shape, and those its children's
    // windows send about themselves, reflected back to them.
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    // A control of a native class leaves its painting to it.
    bool paintsItself() const override { return !native(); }
    // A child's colour message (WM_CTLCOLOR...) reflected back to it.
    virtual HBRUSH colorMessage(HDC dc);
    // A child's WM_COMMAND or WM_NOTIFY reflected back to it.
    virtual bool commandMessage(WORD, LRESULT&) { return false; }
    virtual bool notifyMessage(const NMHDR&, LRESULT&) { return false; }
    // A child's WM_DRAWITEM, for an owner-drawn child, reflected back to it.
    virtual bool drawItem(const DRAWITEMSTRUCT&) { return false; }
    // Sends the write message of an integer property with wParam = value;
    // a class whose message takes the value elsewhere translates it.
    virtual void writeIntProperty(UINT message, int value);

    const wchar_t* className_;
    Control* parent_;
    std::vector<Control*> children_;
    std::string caption_;
    bool enabled_ = true;
    bool visible_ = true;
    int id_ = 0;
    bool border_ = true;

    NotifyEvent onClick_;
    NotifyEvent onResize_;
    KeyCharEvent onKeyChar_;

    // The native window's text as it holds it.
    std::wstring windowText() const;

private:
    bool handleKeyChar(WPARAM wParam, LPARAM lParam, LRESULT& result);

    MouseEvents mouse_{*this};
};

}  // namespace toolkit
