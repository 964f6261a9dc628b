// How the gradient controls that react to the mouse follow the pointer,
// the left and right buttons, the space key and the focus, and how they
// animate between their looks on the transition timer.
#include <windowsx.h>

#include "toolkit/gradient/gradient.h"

namespace toolkit {

namespace {
constexpr UINT kTransitionPeriod = 40;  // milliseconds
}  // namespace

void GradientControl::handleInput(UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSELEAVE) {
        handlePointer(message, lParam);
        return;
    }
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) react(gradient::spaceDown(interaction_));
            break;
        case WM_KEYUP:
            if (wParam == VK_SPACE) react(gradient::spaceUp(interaction_));
            break;
        case WM_KILLFOCUS:
            react(gradient::focusLost(interaction_));
            break;
        default:
            break;
    }
}

void GradientControl::handlePointer(UINT message, LPARAM lParam) {
    const bool inside = pointerInside(window_, message, lParam);
    if (inside) {
        // Asked for at every move: the system refuses it while it sees the
        // pointer elsewhere.
        TRACKMOUSEEVENT request{sizeof request, TME_LEAVE, window_, 0};
        TrackMouseEvent(&request);
        if (!interaction_.over) react(gradient::pointerEntered(interaction_));
    } else if (interaction_.over) {
        if (message != WM_MOUSELEAVE) {
            TRACKMOUSEEVENT cancel{sizeof cancel, TME_LEAVE | TME_CANCEL, window_, 0};
            TrackMouseEvent(&cancel);
        }
        react(gradient::pointerLeft(interaction_));
    }
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!inside) break;
            takeFocus();
            react(gradient::leftButtonDown(interaction_));
            break;
        case WM_LBUTTONUP:
            // A release outside found the press cancelled by the leave above.
            react(gradient::leftButtonUp(interaction_));
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            if (inside) takeFocus();
            break;
        default:
            break;
    }
}

void GradientControl::takeFocus() {
    if (GetFocus() != window_) SetFocus(window_);
}

void GradientControl::react(const gradient::Reaction& reaction) {
    if (reaction.released) pressReleased();
    if (reaction.transition != gradient::NoTransition) beginTransition(reaction.transition, reaction.trigger);
    if (reaction.released && onClick_) onClick_(*this);
}

void GradientControl::beginTransition(gradient::Transition transition, gradient::Trigger trigger) {
    gradient::startTransition(transition_, transition, trigger);
    KillTimer(window_, kTransitionTimer);
    SetTimer(window_, kTransitionTimer, kTransitionPeriod, nullptr);
    tick();
}

void GradientControl::tick() {
    if (gradient::tickTransition(transition_, speedIndex_)) KillTimer(window_, kTransitionTimer);
    if (showsBlend()) {
        // A hidden control blends when it shows again.
        if (IsWindowVisible(window_))
            blendComposite();
        else
            composite_.redraw = true;
    } else {
        composite_.bitmap.reset();
    }
    InvalidateRect(window_, nullptr, FALSE);
}

void GradientControl::resetInteraction() {
    if (window_ != nullptr) KillTimer(window_, kTransitionTimer);
    interaction_ = {};
    transition_ = {};
    composite_.bitmap.reset();
}

}  // namespace toolkit
