#include "toolkit/gradient/gradient_transitions.h"

#include <algorithm>

namespace toolkit::gradient {

TransitionLooks transitionLooks(Transition transition) {
    switch (transition) {
        case NormalToOver:
            return {NormalIndex, OverIndex};
        case NormalToDown:
            return {NormalIndex, DownIndex};
        case OverToNormal:
            return {OverIndex, NormalIndex};
        case OverToDown:
            return {OverIndex, DownIndex};
        case DownToNormal:
            return {DownIndex, NormalIndex};
        case DownToOver:
            return {DownIndex, OverIndex};
        case NoTransition:
            break;
    }
    return {NormalIndex, NormalIndex};
}

int transitionStep(int speedIndex) {
    static constexpr int kSteps[] = {64, 22, 13, 8, 6, 4};
    return kSteps[std::clamp(speedIndex, 0, kSlowestSpeed)];
}

void startTransition(TransitionState& state, Transition transition, Trigger trigger) {
    bool reverses = false;
    if (state.running) {
        switch (trigger) {
            case Trigger::Enter:
                reverses = state.transition == OverToNormal;
                break;
            case Trigger::Leave:
                reverses = state.transition == NormalToOver;
                break;
            case Trigger::Press:
                reverses = state.transition == DownToOver;
                break;
            case Trigger::Release:
                reverses = state.transition == OverToDown;
                break;
        }
    }
    state.progress = reverses ? kFullProgress - state.progress : 0;
    state.transition = transition;
    state.running = true;
}

bool tickTransition(TransitionState& state, int speedIndex) {
    if (!state.running) return false;
    state.progress += transitionStep(speedIndex);
    if (state.progress < kFullProgress) return false;
    state.progress = kFullProgress;
    state.running = false;
    return true;
}

Reaction pointerEntered(Interaction& state) {
    state.over = true;
    if (state.source == PressSource::Keyboard) return {};
    return {NormalToOver, Trigger::Enter};
}

namespace {
// Leaving, or losing the focus in a keyboard press: the press ends unreleased.
Reaction endPress(Interaction& state) {
    const bool wasPressed = state.pressed;
    state.source = PressSource::None;
    state.pressed = false;
    return {wasPressed ? DownToNormal : OverToNormal, Trigger::Leave};
}

Reaction press(Interaction& state, PressSource source) {
    const bool wasPressed = state.pressed;
    state.source = source;
    state.pressed = true;
    // A second press (the mouse during a keyboard press) only takes it over.
    if (wasPressed) return {};
    return {state.over ? OverToDown : NormalToDown, Trigger::Press};
}

Reaction release(Interaction& state) {
    state.source = PressSource::None;
    if (!state.pressed) return {};
    state.pressed = false;
    return {state.over ? DownToOver : DownToNormal, Trigger::Release, true};
}
}  // namespace

Reaction pointerLeft(Interaction& state) {
    state.over = false;
    if (state.source == PressSource::Keyboard) return {};
    return endPress(state);
}

Reaction leftButtonDown(Interaction& state) { return press(state, PressSource::Mouse); }

Reaction leftButtonUp(Interaction& state) {
    if (state.source != PressSource::Mouse) return {};
    return release(state);
}

Reaction spaceDown(Interaction& state) {
    if (state.source != PressSource::None) return {};
    return press(state, PressSource::Keyboard);
}

Reaction spaceUp(Interaction& state) {
    if (state.source != PressSource::Keyboard) return {};
    return release(state);
}

Reaction focusLost(Interaction& state) {
    if (state.source != PressSource::Keyboard) return {};
    state.over = false;
    return endPress(state);
}

}  // namespace toolkit::gradient
