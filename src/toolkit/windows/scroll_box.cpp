// A container that scrolls its children into view: the scroll ranges cover
// the children's extent, a line step is 16 pixels, a page the visible size.
#include <algorithm>

#include "core/object.h"
#include "toolkit/windows/control.h"
#include "toolkit/windows/plain_controls.h"

namespace toolkit {

ScrollBox::ScrollBox(Control& parent, EdgeStyle edge) : Control(&parent, ownWindowClass(L"ScrollBox")), edge_(edge) {}

DWORD ScrollBox::windowStyle() const {
    return Control::windowStyle() | (border_ && edge_ == RaisedFrame ? WS_DLGFRAME : 0);
}

DWORD ScrollBox::windowExStyle() const { return border_ && edge_ == SunkenEdge ? WS_EX_CLIENTEDGE : 0; }

void ScrollBox::updateScrollRanges() {
    if (window_ == nullptr || updatingRanges_) return;
    updatingRanges_ = true;
    int extentX = 0, extentY = 0;
    for (const Control* child : children_) {
        if (!child->visible()) continue;
        extentX = std::max(extentX, child->left() + child->width());
        extentY = std::max(extentY, child->top() + child->height());
    }
    // Showing or hiding one bar changes the room left for the other, so the
    // ranges are set until the client area stays the same.
    for (int round = 0; round < 3; ++round) {
        RECT client;
        GetClientRect(window_, &client);
        const int extents[2] = {extentX, extentY};
        const int visible[2] = {client.right, client.bottom};
        for (int axis = 0; axis < 2; ++axis) {
            const int bar = axis == 0 ? SB_HORZ : SB_VERT;
            const int page = std::max(1, visible[axis]);
            position_[axis] = std::clamp(position_[axis], 0, std::max(0, extents[axis] - page));
            SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, std::max(0, extents[axis] - 1),
                            static_cast<UINT>(page), position_[axis], 0};
            SetScrollInfo(window_, bar, &info, TRUE);
        }
        RECT after;
        GetClientRect(window_, &after);
        if (after.right == client.right && after.bottom == client.bottom) break;
    }
    placeChildren();
    updatingRanges_ = false;
}

void ScrollBox::placeChildren() {
    for (Control* child : children_) {
        if (child->handle() == nullptr) continue;
        SetWindowPos(child->handle(), nullptr, child->left() - position_[0], child->top() - position_[1], 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    InvalidateRect(window_, nullptr, TRUE);
}

void ScrollBox::scrollTo(int bar, int position) {
    SCROLLINFO info{sizeof info, SIF_ALL};
    GetScrollInfo(window_, bar, &info);
    const int last = std::max(0, info.nMax - static_cast<int>(info.nPage) + 1);
    const int axis = bar == SB_VERT ? 1 : 0;
    position = std::clamp(position, 0, last);
    if (position == position_[axis]) return;
    position_[axis] = position;
    info.fMask = SIF_POS;
    info.nPos = position;
    SetScrollInfo(window_, bar, &info, TRUE);
    placeChildren();
}

bool ScrollBox::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (message == WM_SIZE) {
        Control::handleMessage(message, wParam, lParam, result);
        updateScrollRanges();
        return false;
    }
    if (message != WM_HSCROLL && message != WM_VSCROLL) return Control::handleMessage(message, wParam, lParam, result);
    const int bar = message == WM_HSCROLL ? SB_HORZ : SB_VERT;
    SCROLLINFO info{sizeof info, SIF_ALL};
    GetScrollInfo(window_, bar, &info);
    const int page = std::max(1, static_cast<int>(info.nPage));
    const int current = position_[bar == SB_VERT ? 1 : 0];
    switch (LOWORD(wParam)) {
        case SB_LINEUP:
            scrollTo(bar, current - kLineStep);
            break;
        case SB_LINEDOWN:
            scrollTo(bar, current + kLineStep);
            break;
        case SB_PAGEUP:
            scrollTo(bar, current - page);
            break;
        case SB_PAGEDOWN:
            scrollTo(bar, current + page);
            break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION:
            // The message carries 16 bits of the position; larger ranges
            // take the bar's own tracking position.
            scrollTo(bar, info.nMax <= 0xFFFF ? HIWORD(wParam) : info.nTrackPos);
            break;
        case SB_TOP:
            scrollTo(bar, 0);
            break;
        case SB_BOTTOM:
            scrollTo(bar, info.nMax);
            break;
        default:
            break;
    }
    result = 0;
    return true;
}

ScrollBox& newScrollBox(Control& parent, ScrollBox::EdgeStyle edge) {
    return *core::create<ScrollBox>(parent, edge).detach();
}

}  // namespace toolkit
