#include "toolkit/gradient/gradient_interaction.h"

#include "toolkit/windows/mouse_events.h"

namespace toolkit {

void GradientInteraction::handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) || message == WM_MOUSELEAVE) {
        handlePointer(window, message, lParam);
        return;
    }
    switch (message) {
        case WM_KEYDOWN:
            if (wParam == VK_SPACE) react_(gradient::spaceDown(state_));
            break;
        case WM_KEYUP:
            if (wParam == VK_SPACE) react_(gradient::spaceUp(state_));
            break;
        case WM_KILLFOCUS:
            react_(gradient::focusLost(state_));
            break;
        default:
            break;
    }
}

void GradientInteraction::handlePointer(HWND window, UINT message, LPARAM lParam) {
    const bool inside = pointerInside(window, message, lParam);
    if (inside) {
        // Asked for at every move: the system refuses it while it sees the
        // pointer elsewhere.
        TRACKMOUSEEVENT request{sizeof request, TME_LEAVE, window, 0};
        TrackMouseEvent(&request);
        if (!state_.over) react_(gradient::pointerEntered(state_));
    } else if (state_.over) {
        if (message != WM_MOUSELEAVE) {
            TRACKMOUSEEVENT cancel{sizeof cancel, TME_LEAVE | TME_CANCEL, window, 0};
            TrackMouseEvent(&cancel);
        }
        react_(gradient::pointerLeft(state_));
    }
    const auto takeFocus = [window] {
        if (GetFocus() != window) SetFocus(window);
    };
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            if (!inside) break;
            takeFocus();
            react_(gradient::leftButtonDown(state_));
            break;
        case WM_LBUTTONUP:
            // A release outside found the press cancelled by the leave above.
            react_(gradient::leftButtonUp(state_));
            break;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONDBLCLK:
            if (inside) takeFocus();
            break;
        default:
            break;
    }
}

}  // namespace toolkit
