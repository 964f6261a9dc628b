// The common part of the gradient-styled controls: default looks, setters,
// the window property, painting, and the messages that move the looks.
#include "toolkit/gradient/gradient_control.h"

#include <algorithm>

#include "core/code_page.h"
#include "core/object.h"
#include "toolkit/gradient/gradient_render.h"
#include "toolkit/gradient/gradient_services.h"
#include "toolkit/windows/control.h"

namespace toolkit {

namespace {

constexpr wchar_t kTypeProperty[] = L"GRUSH_TYPE";

// start, end, outer, text, shadow, border, corner width and height, border
// width, gradient style, shadow offset.
const std::array<GradientLook, gradient::kLookCount> kDefaultLooks = {{
    {0xFFFFFF, 0xD1BEAF, kButtonFaceColor, 0x000000, 0xFFFFFF, 0xA4A0A0, 4, 4, 1, 1, 1},
    {0xE1CEBF, 0xFFFFFF, kButtonFaceColor, 0x000000, 0x808080, 0xA4A0A0, 4, 4, 1, 3, 1},
    {0xF0FBFF, 0xB6BFC6, kButtonFaceColor, 0x000000, 0x808080, 0x808080, 8, 4, 2, 4, -1},
    {0xFFFFFF, 0x9EACB4, kButtonFaceColor, 0x000000, 0x808080, 0x808080, 5, 5, 2, 5, 2},
}};

}  // namespace

GradientControl::GradientControl(Control& parent, Kind kind, const wchar_t* className)
    : Control(&parent, ownWindowClass(className)),
      kind_(kind),
      looks_(kDefaultLooks),
      reactsToMouse_(kind == ButtonKind || kind == CheckBoxKind || kind == RadioBoxKind),
      pictures_(gradient::picturesDeviceIndependent(gradient_services::versionClass(), reactsToMouse_),
                [this](HDC dc, LookIndex look, int width, int height) { drawLook(dc, look, width, height); }),
      interaction_([this](const gradient::Reaction& reaction) { react(reaction); }) {
    doubleBuffered_ = true;
    gradient_services::acquire();
    updateStateRectangles();
}

GradientControl::~GradientControl() {
    if (window_ != nullptr) {
        TransitionTimer::stop(window_);
        RemovePropW(window_, kTypeProperty);
    }
    gradient_services::release();
}

char GradientControl::kindOfWindow(HWND window) {
    return static_cast<char>(reinterpret_cast<INT_PTR>(GetPropW(window, kTypeProperty)));
}

// --- setters -------------------------------------------------------------------

template <class Field, class Value>
GradientControl& GradientControl::setLookField(LookSet looks, Field GradientLook::*field, Value value) {
    for (int index = 0; index < static_cast<int>(looks_.size()); ++index) {
        if ((looks & (1U << index)) == 0) continue;
        looks_[index].*field = value;
        pictures_.markForRedraw(static_cast<LookIndex>(index));
    }
    invalidate();
    return *this;
}

GradientControl& GradientControl::setStartColor(LookSet looks, Color color) {
    return setLookField(looks, &GradientLook::startColor, color);
}
GradientControl& GradientControl::setEndColor(LookSet looks, Color color) {
    return setLookField(looks, &GradientLook::endColor, color);
}
GradientControl& GradientControl::setOuterColor(LookSet looks, Color color) {
    return setLookField(looks, &GradientLook::outerColor, color);
}
GradientControl& GradientControl::setTextColor(LookSet looks, Color color) {
    return setLookField(looks, &GradientLook::textColor, color);
}
GradientControl& GradientControl::setShadowColor(LookSet looks, Color color) {
    return setLookField(looks, &GradientLook::shadowColor, color);
}
GradientControl& GradientControl::setBorderColor(LookSet looks, Color color) {
    return setLookField(looks, &GradientLook::borderColor, color);
}
GradientControl& GradientControl::setBorderWidth(LookSet looks, std::uint32_t width) {
    return setLookField(looks, &GradientLook::borderWidth, width);
}
GradientControl& GradientControl::setCornerWidth(LookSet looks, std::uint32_t width) {
    return setLookField(looks, &GradientLook::cornerWidth, width);
}
GradientControl& GradientControl::setCornerHeight(LookSet looks, std::uint32_t height) {
    return setLookField(looks, &GradientLook::cornerHeight, height);
}
GradientControl& GradientControl::setGradientStyle(LookSet looks, std::uint8_t style) {
    return setLookField(looks, &GradientLook::gradientStyle, style);
}
GradientControl& GradientControl::setShadowOffset(LookSet looks, std::int32_t offset) {
    return setLookField(looks, &GradientLook::shadowOffset, offset);
}

GradientControl& GradientControl::settingChanged() {
    markAllForRedraw();
    invalidate();
    return *this;
}

GradientControl& GradientControl::setInsets(int left, int top, int right, int bottom) {
    insets_ = {left, top, right, bottom};
    return settingChanged();
}

GradientControl& GradientControl::setCheckMarkSize(int size) {
    insets_.left += size - checkMarkSize_;
    checkMarkSize_ = size;
    updateStateRectangles();
    invalidate();
    return *this;
}

GradientControl& GradientControl::setCheckMarkColor(Color color) {
    checkMarkColor_ = color;
    return settingChanged();
}

GradientControl& GradientControl::setShowCaption(bool show) {
    showCaption_ = show;
    return settingChanged();
}

GradientControl& GradientControl::setShowFocusRectangle(bool show) {
    showFocusRectangle_ = show;
    return settingChanged();
}

GradientControl& GradientControl::setTransitionSpeed(int speedIndex) {
    transition_.setSpeed(speedIndex);
    return settingChanged();
}

GradientControl& GradientControl::setSmoothCorners(bool smooth) {
    smoothCorners_ = smooth;
    return settingChanged();
}

// --- layout --------------------------------------------------------------------

void GradientControl::layOutStateRectangles(int width, int height) {
    const RECT client{0, 0, width, height};
    stateRects_.fill(client);
    blendRect_ = client;
}

void GradientControl::updateStateRectangles() {
    laidOutFor_ = {clientWidth(), clientHeight()};
    layOutStateRectangles(laidOutFor_.cx, laidOutFor_.cy);
    markAllForRedraw();
}

void GradientControl::markAllForRedraw() { pictures_.markAllForRedraw(); }

RECT GradientControl::contentRect() const {
    return {insets_.left, insets_.top, clientWidth() + insets_.right, clientHeight() + insets_.bottom};
}

// --- pictures ------------------------------------------------------------------

void GradientControl::drawLook(HDC dc, LookIndex look, int width, int height) {
    const gradient_render::LookLayout layout{width, height, stateRects_[look], contentRect()};
    const gradient_render::Caption caption{showCaption_ ? core::toWide(captionText()) : std::wstring(), fontHandle(),
                                           verticalAlignment_, horizontalAlignment_};
    gradient_render::renderLook(dc, looks_[look], layout, caption, {outline_, smoothCorners_});
}

bool GradientControl::showsEnabled() const { return window_ != nullptr ? IsWindowEnabled(window_) != 0 : enabled_; }

Bitmap* GradientControl::shownPicture() {
    const int width = clientWidth();
    const int height = clientHeight();
    if (!showsEnabled()) {
        pictures_.dropBlend();
        pictures_.drop(NormalIndex);
        return pictures_.look(DisabledIndex, width, height);
    }
    pictures_.drop(DisabledIndex);
    if (transition_.showsBlend()) {
        if (Bitmap* blend = pictures_.blend(transition_.state(), blendRect_, width, height)) return blend;
    }
    pictures_.dropBlend();
    return pictures_.look(NormalIndex, width, height);
}

// --- painting and messages -------------------------------------------------------

void GradientControl::paintBackground(HDC dc, const RECT& rect) {
    Bitmap* picture = shownPicture();
    if (picture == nullptr || transparent_) Control::paintBackground(dc, rect);
    if (picture == nullptr) return;
    const COLORREF key = resolveColor(looks_[NormalIndex].outerColor);
    gradient_render::copyPicture(dc, *picture, rect, transparent_ ? &key : nullptr);
}

void GradientControl::paintContent(HDC dc) {
    paintMark(dc);
    if (focused_ && showFocusRectangle_) {
        RECT around = contentRect();
        InflateRect(&around, 1, 1);
        DrawFocusRect(dc, &around);
    }
    Control::paintContent(dc);
}

void GradientControl::windowMade() {
    SetPropW(window_, kTypeProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(kind_)));
    updateStateRectangles();
}

bool GradientControl::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case WM_SIZE:
            if (wParam != SIZE_MINIMIZED && (clientWidth() != laidOutFor_.cx || clientHeight() != laidOutFor_.cy)) {
                updateStateRectangles();
                // Transparent children show this control's picture behind them.
                RedrawWindow(window_, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
            }
            break;
        case WM_SETTEXT:
        case WM_SETFONT:
            result = defaultProcedure(message, wParam, lParam);
            markAllForRedraw();
            invalidate();
            return true;
        case WM_THEMECHANGED:
        case WM_SYSCOLORCHANGE:
            markAllForRedraw();
            invalidate();
            break;
        case WM_ENABLE:
            if (wParam == FALSE) resetInteraction();
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
            focused_ = message == WM_SETFOCUS;
            invalidate();
            break;
        case WM_TIMER:
            if (!TransitionTimer::ticks(wParam)) break;
            tick();
            result = 0;
            return true;
        case WM_DESTROY:
            TransitionTimer::stop(window_);
            RemovePropW(window_, kTypeProperty);
            break;
        default:
            break;
    }
    if (reactsToMouse_ && showsEnabled()) interaction_.handle(window_, message, wParam, lParam);
    return Control::handleMessage(message, wParam, lParam, result);
}

// --- interaction and transitions ----------------------------------------------------

void GradientControl::react(const gradient::Reaction& reaction) {
    if (reaction.released) pressReleased();
    if (reaction.transition != gradient::NoTransition) {
        transition_.start(window_, reaction.transition, reaction.trigger);
        tick();
    }
    if (reaction.released && onClick_) onClick_(*this);
}

void GradientControl::tick() {
    transition_.step(window_);
    if (transition_.showsBlend()) {
        // A hidden control blends when it shows again.
        pictures_.markBlendForRedraw();
        if (IsWindowVisible(window_)) pictures_.blend(transition_.state(), blendRect_, clientWidth(), clientHeight());
    } else {
        pictures_.dropBlend();
    }
    InvalidateRect(window_, nullptr, FALSE);
}

void GradientControl::resetInteraction() {
    interaction_.reset();
    transition_.reset(window_);
    pictures_.dropBlend();
}

}  // namespace toolkit
