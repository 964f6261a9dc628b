// Whether the pointer is over a control, and the enter and leave events
// that report it.
#pragma once

#include <utility>

#include "toolkit/windows/control_events.h"

namespace toolkit {

// One control's side of the tracking. The system tells a control that the
// pointer left only after the next control has seen it enter; so the
// control the pointer was over last is remembered, and it leaves first
// when another (not inside it) is entered, so that its leave event cannot
// undo what the new one's enter event did.
class PointerTracking {
public:
    explicit PointerTracking(Control& control) : control_(control) {}
    ~PointerTracking() { forget(); }
    PointerTracking(const PointerTracking&) = delete;
    PointerTracking& operator=(const PointerTracking&) = delete;

    void setOnEnter(NotifyEvent handler) { onEnter_ = std::move(handler); }
    void setOnLeave(NotifyEvent handler) { onLeave_ = std::move(handler); }
    // A control without enter and leave events is not tracked.
    bool wanted() const { return onEnter_ || onLeave_; }

    // A mouse message found the pointer inside the control's client area
    // or not. Entering or leaving repaints the control and runs its event.
    void update(bool inside);
    // The control is going: it is no longer the one the pointer is over.
    void forget();

private:
    Control& control_;
    NotifyEvent onEnter_, onLeave_;
    bool inside_ = false;
    // The control that last reported the pointer entering and has not yet
    // reported it leaving.
    static PointerTracking* over_;
};

}  // namespace toolkit
