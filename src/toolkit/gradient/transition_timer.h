// The change from one look of a gradient control to another, carried on
// by a timer of its window: each tick takes the blend a step further, until
// the target look shows.
#pragma once

#include <windows.h>

#include "toolkit/gradient/gradient_transitions.h"

namespace toolkit {

class TransitionTimer {
public:
    // 0 in one tick ... 5 in sixteen (default 2); held to that range.
    void setSpeed(int speedIndex);
    const gradient::TransitionState& state() const { return state_; }
    // Whether the blend is what shows: during a transition and after one
    // that did not end in the normal look.
    bool showsBlend() const;

    // Starts the transition (turning back the one running, as the rules
    // have it) and the timer on the window.
    void start(HWND window, gradient::Transition transition, gradient::Trigger trigger);
    // Whether a WM_TIMER message with this identifier is the timer's tick.
    static bool ticks(WPARAM timer) { return timer == kTimer; }
    // One step; the timer stops with the transition.
    void step(HWND window);
    // Stops the timer and forgets the transition.
    void reset(HWND window);
    // Stops the timer, which the window takes no more ticks from.
    static void stop(HWND window) { KillTimer(window, kTimer); }

private:
    static constexpr UINT_PTR kTimer = 8;
    static constexpr UINT kPeriod = 40;  // milliseconds

    gradient::TransitionState state_;
    int speedIndex_ = 2;
};

}  // namespace toolkit
