#include "toolkit/windows/mouse_events.h"

#include <windowsx.h>

#include "toolkit/windows/control.h"

namespace toolkit {

namespace {

int mouseButtonOf(UINT message) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_LBUTTONDBLCLK:
            return LeftButton;
        case WM_RBUTTONDOWN:
        case WM_RBUTTONUP:
        case WM_RBUTTONDBLCLK:
            return RightButton;
        case WM_MBUTTONDOWN:
        case WM_MBUTTONUP:
        case WM_MBUTTONDBLCLK:
            return MiddleButton;
        default:
            return NoButton;
    }
}

}  // namespace

void MouseEvents::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    if (pointer_.wanted()) pointer_.update(pointerInside(control_.handle(), message, lParam));
    const MouseEvent* event = nullptr;
    switch (message) {
        case WM_MOUSEMOVE:
            event = &onMove_;
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_LBUTTONDBLCLK:  // the second press of a quick pair is a press too
        case WM_RBUTTONDBLCLK:
        case WM_MBUTTONDBLCLK:
            event = &onDown_;
            break;
        case WM_LBUTTONUP:
        case WM_RBUTTONUP:
        case WM_MBUTTONUP:
            event = &onUp_;
            break;
        default:
            return;
    }
    if (!*event) return;
    const MouseInfo mouse{mouseButtonOf(message), static_cast<std::uint32_t>(GET_KEYSTATE_WPARAM(wParam)),
                          GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    (*event)(control_, mouse);
}

bool pointerInside(HWND window, UINT message, LPARAM lParam) {
    if (message == WM_MOUSELEAVE) return false;
    POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
    if (message == WM_MOUSEWHEEL || message == WM_MOUSEHWHEEL) ScreenToClient(window, &point);
    RECT client;
    GetClientRect(window, &client);
    return PtInRect(&client, point) != 0;
}

}  // namespace toolkit
