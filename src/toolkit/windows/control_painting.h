// How a control paints: what lies behind its content (its own background,
// or what its parent shows through a transparent control), then the
// content, both through an off-screen buffer when double-buffered.
#pragma once

#include <windows.h>

#include <utility>

#include "toolkit/windows/control_events.h"

namespace toolkit {

// The painting part of every control (a base of Control); its setters
// return the control, so that they chain with the others.
class ControlPainting {
public:
    // A transparent control shows its parent's background behind its
    // content; the parent then paints double-buffered.
    Control& setTransparent(bool transparent);
    bool transparent() const { return transparent_; }
    Control& setDoubleBuffered(bool doubleBuffered);
    bool doubleBuffered() const { return doubleBuffered_; }
    Control& setOnPaint(PaintEvent handler);
    void invalidate();
    void invalidateWithChildren();
    // Paints at once what waits to be painted, the children's windows too.
    void update();
    // Off: the window does not redraw as its content changes (WM_SETREDRAW);
    // on again: it redraws whole.
    void setRedraw(bool redraw);

protected:
    ControlPainting() = default;
    ~ControlPainting() = default;
    ControlPainting(const ControlPainting&) = delete;
    ControlPainting& operator=(const ControlPainting&) = delete;

    // Fills `rect` (in this control's client coordinates) of `dc` with what
    // lies behind this control's content: its own background, or its
    // parent's for a transparent control.
    virtual void paintBackground(HDC dc, const RECT& rect);
    // Whether this control paints its client area itself (through
    // handlePainting) rather than leaving it to a native class.
    virtual bool paintsItself() const = 0;
    // Draws the content over the background; the base runs the paint event.
    virtual void paintContent(HDC dc);
    // WM_ERASEBKGND and WM_PAINT; false leaves them to the native class.
    bool handlePainting(UINT message, WPARAM wParam, LRESULT& result);

    bool transparent_ = false;
    bool doubleBuffered_ = false;
    PaintEvent onPaint_;

private:
    Control& control();
};

}  // namespace toolkit
