// The mouse events of a control: the pointer entering and leaving it,
// moving over it, and buttons pressed and released over it.
#pragma once

#include <windows.h>

#include <utility>

#include "toolkit/windows/control_events.h"
#include "toolkit/windows/pointer_tracking.h"

namespace toolkit {

class MouseEvents {
public:
    explicit MouseEvents(Control& control) : control_(control), pointer_(control) {}

    void setOnDown(MouseEvent handler) { onDown_ = std::move(handler); }
    void setOnUp(MouseEvent handler) { onUp_ = std::move(handler); }
    void setOnMove(MouseEvent handler) { onMove_ = std::move(handler); }
    bool hasOnMove() const { return static_cast<bool>(onMove_); }
    void setOnEnter(NotifyEvent handler) { pointer_.setOnEnter(std::move(handler)); }
    void setOnLeave(NotifyEvent handler) { pointer_.setOnLeave(std::move(handler)); }

    // A mouse message of the control's window (WM_MOUSEFIRST to
    // WM_MOUSELAST, WM_MOUSELEAVE): runs the events it stands for.
    void handle(UINT message, WPARAM wParam, LPARAM lParam);
    // The control is going: the pointer is over it no more.
    void forget() { pointer_.forget(); }

private:
    Control& control_;
    PointerTracking pointer_;
    MouseEvent onDown_, onUp_, onMove_;
};

// Whether the pointer of a mouse message lies in the window's client area
// (never for WM_MOUSELEAVE; wheel messages carry screen coordinates).
bool pointerInside(HWND window, UINT message, LPARAM lParam);

}  // namespace toolkit
