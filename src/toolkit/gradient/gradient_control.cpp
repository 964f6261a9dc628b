// The common part of the gradient-styled controls: default looks, setters,
// the window property, the cached pictures and painting.
#include <algorithm>
#include <cstring>

#include "core/code_page.h"
#include "core/object.h"
#include "toolkit/gradient/gradient.h"
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

core::Ref<Bitmap> newPicture(int width, int height, bool deviceIndependent) {
    core::Ref<Bitmap> picture = deviceIndependent
                                    ? newDeviceIndependentBitmap(width, height, core::PixelFormat::ThirtyTwoBits)
                                    : newBitmap(width, height);
    // A device-independent picture gets its DIB section now, so that the
    // system draws into the same pixels that the blend reads.
    if (picture->handle() == nullptr) return {};
    return picture;
}

}  // namespace

GradientControl::GradientControl(Control& parent, Kind kind, const wchar_t* className)
    : Control(&parent, ownWindowClass(className)),
      kind_(kind),
      looks_(kDefaultLooks),
      reactsToMouse_(kind == ButtonKind || kind == CheckBoxKind || kind == RadioBoxKind) {
    doubleBuffered_ = true;
    gradient_services::acquire();
    updateStateRectangles();
}

GradientControl::~GradientControl() {
    if (window_ != nullptr) {
        KillTimer(window_, kTransitionTimer);
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
        pictures_[index].redraw = true;
    }
    composite_.redraw = true;
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
    speedIndex_ = std::clamp(speedIndex, 0, gradient::kSlowestSpeed);
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

void GradientControl::markAllForRedraw() {
    for (Picture& picture : pictures_) picture.redraw = true;
    composite_.redraw = true;
}

RECT GradientControl::contentRect() const {
    return {insets_.left, insets_.top, clientWidth() + insets_.right, clientHeight() + insets_.bottom};
}

// --- pictures ------------------------------------------------------------------

Bitmap* GradientControl::renderedPicture(LookIndex look) {
    const int width = clientWidth();
    const int height = clientHeight();
    if (width <= 0 || height <= 0) return nullptr;
    Picture& picture = pictures_[look];
    if (!picture.bitmap || picture.bitmap->width() != width || picture.bitmap->height() != height) {
        const bool deviceIndependent =
            gradient::picturesDeviceIndependent(gradient_services::versionClass(), reactsToMouse_);
        picture.bitmap = newPicture(width, height, deviceIndependent);
        if (!picture.bitmap) return nullptr;
        picture.redraw = true;
    }
    if (picture.redraw) {
        const gradient_render::BitmapDc dc(picture.bitmap->handle());
        const gradient_render::LookLayout layout{width, height, stateRects_[look], contentRect()};
        const gradient_render::Caption caption{showCaption_ ? core::toWide(captionText()) : std::wstring(),
                                               fontHandle(), verticalAlignment_, horizontalAlignment_};
        gradient_render::renderLook(dc.get(), looks_[look], layout, caption, {outline_, smoothCorners_});
        GdiFlush();
        picture.redraw = false;
    }
    return picture.bitmap.get();
}

bool GradientControl::showsBlend() const {
    if (transition_.transition == gradient::NoTransition) return false;
    return transition_.running || gradient::transitionLooks(transition_.transition).target != NormalIndex;
}

void GradientControl::blendComposite() {
    const gradient::TransitionLooks looks = gradient::transitionLooks(transition_.transition);
    Bitmap* source = renderedPicture(looks.source);
    Bitmap* target = renderedPicture(looks.target);
    const bool wholeArea = blendRect_.left <= 0 && blendRect_.top <= 0 && blendRect_.right >= clientWidth() &&
                           blendRect_.bottom >= clientHeight();
    Bitmap* normal = wholeArea ? nullptr : renderedPicture(NormalIndex);
    if (source == nullptr || target == nullptr || (!wholeArea && normal == nullptr)) {
        composite_.bitmap.reset();
        return;
    }
    if (!composite_.bitmap || composite_.bitmap->width() != source->width() ||
        composite_.bitmap->height() != source->height()) {
        composite_.bitmap = newPicture(source->width(), source->height(), true);
        if (!composite_.bitmap) return;
    }
    const gradient::PixelView out = gradient_render::pixelView(*composite_.bitmap);
    if (normal != nullptr) {
        const gradient::PixelView whole = gradient_render::pixelView(*normal);
        for (int y = 0; y < out.height; ++y)
            std::memcpy(out.row(y), whole.row(y), static_cast<std::size_t>(out.width) * sizeof(gradient::Pixel));
    }
    gradient::blendArea(out, gradient_render::pixelView(*source), gradient_render::pixelView(*target),
                        gradient_render::toRect(blendRect_), transition_.progress);
    composite_.redraw = false;
}

bool GradientControl::showsEnabled() const { return window_ != nullptr ? IsWindowEnabled(window_) != 0 : enabled_; }

Bitmap* GradientControl::shownPicture() {
    if (!showsEnabled()) {
        composite_.bitmap.reset();
        pictures_[NormalIndex].bitmap.reset();
        return renderedPicture(DisabledIndex);
    }
    pictures_[DisabledIndex].bitmap.reset();
    if (showsBlend()) {
        if (!composite_.bitmap || composite_.redraw) blendComposite();
        if (composite_.bitmap) return composite_.bitmap.get();
    }
    composite_.bitmap.reset();
    return renderedPicture(NormalIndex);
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
            if (wParam != kTransitionTimer) break;
            tick();
            result = 0;
            return true;
        case WM_DESTROY:
            KillTimer(window_, kTransitionTimer);
            RemovePropW(window_, kTypeProperty);
            break;
        default:
            break;
    }
    if (reactsToMouse_ && showsEnabled()) handleInput(message, wParam, lParam);
    return Control::handleMessage(message, wParam, lParam, result);
}

}  // namespace toolkit
