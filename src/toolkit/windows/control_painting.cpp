#include "toolkit/windows/control_painting.h"

#include <functional>

#include "toolkit/windows/control.h"

namespace toolkit {

namespace {

// Runs `paint` on a buffer standing for `area` of `dc` (in the same
// coordinates), then copies the buffer there in one step, so that the
// layers painted one over the other never show. An empty area paints
// nothing.
void paintThroughBuffer(HDC dc, const RECT& area, const std::function<void(HDC)>& paint) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return;
    HDC buffer = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, width, height);
    HGDIOBJ old = SelectObject(buffer, bitmap);
    SetViewportOrgEx(buffer, -area.left, -area.top, nullptr);
    paint(buffer);
    SetViewportOrgEx(buffer, 0, 0, nullptr);
    BitBlt(dc, area.left, area.top, width, height, buffer, 0, 0, SRCCOPY);
    SelectObject(buffer, old);
    DeleteObject(bitmap);
    DeleteDC(buffer);
}

}  // namespace

Control& ControlPainting::control() { return static_cast<Control&>(*this); }

Control& ControlPainting::setTransparent(bool transparent) {
    transparent_ = transparent;
    if (transparent_ && control().parent() != nullptr) control().parent()->setDoubleBuffered(true);
    invalidate();
    return control();
}

Control& ControlPainting::setDoubleBuffered(bool doubleBuffered) {
    doubleBuffered_ = doubleBuffered;
    return control();
}

Control& ControlPainting::setOnPaint(PaintEvent handler) {
    onPaint_ = std::move(handler);
    return control();
}

void ControlPainting::invalidate() {
    if (HWND window = control().handle()) InvalidateRect(window, nullptr, TRUE);
}

void ControlPainting::invalidateWithChildren() {
    invalidate();
    for (ControlPainting* child : control().children()) child->invalidateWithChildren();
}

void ControlPainting::update() {
    HWND window = control().handle();
    if (window == nullptr) return;
    UpdateWindow(window);
    for (ControlPainting* child : control().children()) child->update();
}

void ControlPainting::setRedraw(bool redraw) {
    HWND window = control().handle();
    if (window == nullptr) return;
    SendMessageW(window, WM_SETREDRAW, redraw ? TRUE : FALSE, 0);
    if (redraw) RedrawWindow(window, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void ControlPainting::paintBackground(HDC dc, const RECT& rect) {
    Control* parent = control().parent();
    if (!transparent_ || parent == nullptr || parent->handle() == nullptr) {
        control().fillBackground(dc, rect);
        return;
    }
    // What the parent shows behind this control, in its coordinates.
    POINT offset{0, 0};
    MapWindowPoints(control().handle(), parent->handle(), &offset, 1);
    POINT oldOrigin;
    OffsetViewportOrgEx(dc, -offset.x, -offset.y, &oldOrigin);
    RECT parentRect = rect;
    OffsetRect(&parentRect, offset.x, offset.y);
    static_cast<ControlPainting*>(parent)->paintBackground(dc, parentRect);
    SetViewportOrgEx(dc, oldOrigin.x, oldOrigin.y, nullptr);
}

void ControlPainting::paintContent(HDC dc) {
    if (onPaint_) onPaint_(control(), dc);
}

bool ControlPainting::handlePainting(UINT message, WPARAM wParam, LRESULT& result) {
    HWND window = control().handle();
    RECT client;
    GetClientRect(window, &client);
    if (message == WM_ERASEBKGND) {
        if (!paintsItself() && !transparent_) return false;
        // A double-buffered control fills its background while painting.
        if (!(paintsItself() && doubleBuffered_)) paintBackground(reinterpret_cast<HDC>(wParam), client);
        result = 1;
        return true;
    }
    if (!paintsItself()) return false;
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    if (doubleBuffered_) {
        paintThroughBuffer(dc, paint.rcPaint, [this, &paint](HDC buffer) {
            paintBackground(buffer, paint.rcPaint);
            paintContent(buffer);
        });
    } else {
        paintContent(dc);
    }
    EndPaint(window, &paint);
    result = 0;
    return true;
}

}  // namespace toolkit
