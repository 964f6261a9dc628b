#include "toolkit/windows/anchored_layout.h"

#include <algorithm>

#include "toolkit/windows/control.h"

namespace toolkit {

namespace {

RECT clientRect(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    return client;
}

}  // namespace

Control& AnchoredLayout::control() { return static_cast<Control&>(*this); }

const Control& AnchoredLayout::control() const { return static_cast<const Control&>(*this); }

Control& AnchoredLayout::setPosition(int left, int top) {
    bounds_.left = left;
    bounds_.top = top;
    placeWindow(SWP_NOSIZE);
    if (AnchoredLayout* parent = control().parent()) parent->childGeometryChanged();
    return control();
}

Control& AnchoredLayout::setSize(int width, int height) {
    if (width > 0) bounds_.width = width;
    if (height > 0) bounds_.height = height;
    applySize();
    return control();
}

Control& AnchoredLayout::setWidth(int width) {
    bounds_.width = std::max(width, 0);
    applySize();
    return control();
}

Control& AnchoredLayout::setHeight(int height) {
    bounds_.height = std::max(height, 0);
    applySize();
    return control();
}

void AnchoredLayout::applySize() {
    // The window's WM_SIZE tells the parent.
    if (HWND window = control().handle())
        SetWindowPos(window, nullptr, 0, 0, bounds_.width, bounds_.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Moves the window to the bounds, its position taken from the parent's
// child origin.
void AnchoredLayout::placeWindow(UINT flags) {
    HWND window = control().handle();
    if (window == nullptr) return;
    const AnchoredLayout* parent = control().parent();
    const POINT origin = parent != nullptr ? parent->childOrigin() : POINT{0, 0};
    SetWindowPos(window, nullptr, bounds_.left + origin.x, bounds_.top + origin.y, bounds_.width, bounds_.height,
                 flags | SWP_NOZORDER | SWP_NOACTIVATE);
}

int AnchoredLayout::clientWidth() const {
    HWND window = control().handle();
    return window != nullptr ? clientRect(window).right : bounds_.width;
}

int AnchoredLayout::clientHeight() const {
    HWND window = control().handle();
    return window != nullptr ? clientRect(window).bottom : bounds_.height;
}

Control& AnchoredLayout::setAnchors(bool left, bool top, bool right, bool bottom) {
    anchors_ = {left, top, right, bottom};
    return control();
}

Control& AnchoredLayout::setAlignToParent(Alignment alignment) {
    alignment_ = alignment;
    const AnchoredLayout* parent = control().parent();
    if (alignment_ == ClientAlignment && parent != nullptr) {
        followParent(parent->clientWidth(), parent->clientHeight(), 0, 0);
        if (HWND window = control().handle())
            SetWindowPos(window, nullptr, 0, 0, bounds_.width, bounds_.height, SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return control();
}

bool AnchoredLayout::followParent(int width, int height, int dx, int dy) {
    if (alignment_ == ClientAlignment) {
        bounds_ = {0, 0, width, height};
        return true;
    }
    const auto& [left, top, right, bottom] = anchors_;
    if (right && left) {
        bounds_.width += dx;
    } else if (right) {
        bounds_.left += dx;
    }
    if (bottom && top) {
        bounds_.height += dy;
    } else if (bottom) {
        bounds_.top += dy;
    }
    return dx != 0 || dy != 0;
}

void AnchoredLayout::layoutChildren(int oldWidth, int oldHeight) {
    const int newWidth = clientWidth();
    const int newHeight = clientHeight();
    for (AnchoredLayout* child : control().children())
        if (child->followParent(newWidth, newHeight, newWidth - oldWidth, newHeight - oldHeight)) child->placeWindow(0);
}

void AnchoredLayout::layOutNewWindow() {
    lastClientSize_ = {clientWidth(), clientHeight()};
    layoutReady_ = true;
    layoutChildren(lastClientSize_.cx, lastClientSize_.cy);
}

bool AnchoredLayout::windowResized() {
    RECT bounds;
    GetWindowRect(control().handle(), &bounds);
    bounds_.width = bounds.right - bounds.left;
    bounds_.height = bounds.bottom - bounds.top;
    // Sizes during creation come before the children are placed.
    if (!layoutReady_) return false;
    const SIZE old = lastClientSize_;
    lastClientSize_ = {clientWidth(), clientHeight()};
    layoutChildren(old.cx, old.cy);
    if (AnchoredLayout* parent = control().parent()) parent->childGeometryChanged();
    return true;
}

}  // namespace toolkit
