#include "toolkit/gradient/transition_timer.h"

#include <algorithm>

namespace toolkit {

void TransitionTimer::setSpeed(int speedIndex) { speedIndex_ = std::clamp(speedIndex, 0, gradient::kSlowestSpeed); }

bool TransitionTimer::showsBlend() const {
    if (state_.transition == gradient::NoTransition) return false;
    return state_.running || gradient::transitionLooks(state_.transition).target != gradient::NormalIndex;
}

void TransitionTimer::start(HWND window, gradient::Transition transition, gradient::Trigger trigger) {
    gradient::startTransition(state_, transition, trigger);
    KillTimer(window, kTimer);
    SetTimer(window, kTimer, kPeriod, nullptr);
}

void TransitionTimer::step(HWND window) {
    if (gradient::tickTransition(state_, speedIndex_)) KillTimer(window, kTimer);
}

void TransitionTimer::reset(HWND window) {
    if (window != nullptr) KillTimer(window, kTimer);
    state_ = {};
}

}  // namespace toolkit
