// The four kinds of gradient-styled control (and the radio box): their
// defaults, state rectangles and what each adds.
#include "toolkit/gradient/gradient.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "core/object.h"
#include "toolkit/gradient/gradient_render.h"
#include "toolkit/windows/control.h"

namespace toolkit {

namespace {

// How far inside its edges a button's transitions are blended.
constexpr int kButtonBlendInset = 3;
// A corner this large is held to half the box: radio boxes are round.
constexpr std::uint32_t kRoundCorner = 0xFFFF;

}  // namespace

// --- GradientButton ------------------------------------------------------------

GradientButton::GradientButton(Control& parent, const std::string& caption)
    : GradientControl(parent, ButtonKind, L"GRUSH_BUTTON") {
    caption_ = caption;
    updateStateRectangles();
}

void GradientButton::layOutStateRectangles(int width, int height) {
    GradientControl::layOutStateRectangles(width, height);
    InflateRect(&blendRect_, -kButtonBlendInset, -kButtonBlendInset);
}

GradientButton& newGradientButton(Control& parent, const std::string& caption) {
    return *core::create<GradientButton>(parent, caption).detach();
}

// --- GradientPanel -------------------------------------------------------------

GradientPanel::GradientPanel(Control& parent) : GradientControl(parent, PanelKind, L"GRUSH_PANEL") {
    verticalAlignment_ = AlignTop;
}

GradientPanel& newGradientPanel(Control& parent) { return *core::create<GradientPanel>(parent).detach(); }

// --- GradientCheckBox and GradientRadioBox --------------------------------------

GradientCheckBox::GradientCheckBox(Control& parent, const std::string& caption)
    : GradientCheckBox(parent, caption, CheckBoxKind) {}

GradientCheckBox::GradientCheckBox(Control& parent, const std::string& caption, Kind kind)
    : GradientControl(parent, kind, L"GRUSH_CHECKBOX") {
    caption_ = caption;
    horizontalAlignment_ = AlignLeftEdge;
    insets_ = {19, 1, -1, -1};
    for (GradientLook& look : looks_) {
        look.borderColor = 0x808080;
        look.gradientStyle = gradient::DiagonalFromTopLeft;
        look.cornerWidth = look.cornerHeight = 0;
    }
    looks_[OverIndex].borderColor = 0x404040;
    updateStateRectangles();
}

GradientCheckBox& GradientCheckBox::setChecked(bool checked) {
    if (checked && kind_ == RadioBoxKind) turnSiblingRadioBoxesOff();
    checked_ = checked;
    invalidate();
    return *this;
}

void GradientCheckBox::turnSiblingRadioBoxesOff() {
    if (parent_ == nullptr) return;
    auto turnOff = [](GradientCheckBox* box) {
        if (box == nullptr || !box->checked_) return;
        box->checked_ = false;
        box->invalidate();
    };
    if (window_ != nullptr && parent_->handle() != nullptr) {
        for (HWND sibling = GetWindow(parent_->handle(), GW_CHILD); sibling != nullptr;
             sibling = GetWindow(sibling, GW_HWNDNEXT))
            if (sibling != window_ && kindOfWindow(sibling) == RadioBoxKind)
                turnOff(dynamic_cast<GradientCheckBox*>(fromHandle(sibling)));
        return;
    }
    // Before the windows exist the parent's list of controls tells.
    for (Control* sibling : parent_->children()) {
        auto* box = dynamic_cast<GradientCheckBox*>(sibling);
        if (box != this && box != nullptr && box->kind_ == RadioBoxKind) turnOff(box);
    }
}

void GradientCheckBox::layOutStateRectangles(int width, int height) {
    GradientControl::layOutStateRectangles(width, height);
    stateRects_.fill(gradient_render::toRECT(gradient::checkSquare(width, height, checkMarkSize_)));
}

void GradientCheckBox::pressReleased() { setChecked(kind_ == RadioBoxKind ? true : !checked_); }

void GradientCheckBox::paintMark(HDC dc) {
    if (!checked_) return;
    const RECT& square = stateRects_[NormalIndex];
    if (kind_ == RadioBoxKind)
        gradient_render::paintRadioDot(dc, square, resolveColor(checkMarkColor_));
    else
        gradient_render::paintCheckMark(dc, square, resolveColor(checkMarkColor_));
}

GradientCheckBox& newGradientCheckBox(Control& parent, const std::string& caption) {
    return *core::create<GradientCheckBox>(parent, caption).detach();
}

GradientRadioBox::GradientRadioBox(Control& parent, const std::string& caption)
    : GradientCheckBox(parent, caption, RadioBoxKind) {
    for (GradientLook& look : looks_) look.cornerWidth = look.cornerHeight = kRoundCorner;
}

GradientRadioBox& newGradientRadioBox(Control& parent, const std::string& caption) {
    return *core::create<GradientRadioBox>(parent, caption).detach();
}

// --- GradientProgressBar -------------------------------------------------------

GradientProgressBar::GradientProgressBar(Control& parent)
    : GradientControl(parent, ProgressBarKind, L"GRUSH_PROGRESSBAR") {
    outline_ = true;
    insets_ = {0, 0, 0, 0};
    looks_[NormalIndex].startColor = 0xE0D2C9;
    looks_[NormalIndex].endColor = 0xB6977E;
    for (GradientLook& look : looks_) look.shadowOffset = 1;
    applyDirection();
    updateStateRectangles();
}

void GradientProgressBar::applyDirection() {
    // The rounding runs along the bar: short corners along its length.
    constexpr std::uint32_t kAlong = 4, kAcross = 25;
    for (GradientLook& look : looks_) {
        look.borderWidth = 1;
        look.cornerWidth = vertical_ ? kAcross : kAlong;
        look.cornerHeight = vertical_ ? kAlong : kAcross;
        look.gradientStyle = vertical_ ? gradient::HorizontalMirror : gradient::VerticalMirror;
    }
}

GradientProgressBar& GradientProgressBar::setVertical(bool vertical) {
    vertical_ = vertical;
    applyDirection();
    updateStateRectangles();
    invalidate();
    return *this;
}

void GradientProgressBar::layOutStateRectangles(int width, int height) {
    GradientControl::layOutStateRectangles(width, height);
    const RECT fill = gradient_render::toRECT(gradient::progressFill(width, height, position_, maximum_, vertical_));
    stateRects_[NormalIndex] = stateRects_[DisabledIndex] = fill;
}

std::string GradientProgressBar::captionText() {
    const std::string text = caption();
    return showPosition_ ? std::to_string(position_) + text : text;
}

int GradientProgressBar::setProgress(int position) {
    const int old = position_;
    position_ = gradient::clampPosition(position, maximum_);
    updateStateRectangles();
    invalidate();
    if (onPositionChange_) onPositionChange_(*this, position_);
    return old;
}

GradientProgressBar& GradientProgressBar::setMaximum(int maximum) {
    maximum_ = std::max(maximum, 0);
    position_ = gradient::clampPosition(position_, maximum_);
    updateStateRectangles();
    invalidate();
    return *this;
}

GradientProgressBar& GradientProgressBar::setOnPositionChange(PositionEvent handler) {
    onPositionChange_ = std::move(handler);
    setProgress(position_);
    return *this;
}

bool GradientProgressBar::handleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (message) {
        case PBM_SETPOS:
            result = setProgress(static_cast<int>(wParam));
            return true;
        case PBM_GETPOS:
            result = position_;
            return true;
        case PBM_SETRANGE32: {
            const int old = maximum_;
            setMaximum(static_cast<int>(lParam));
            result = MAKELRESULT(0, std::min(old, 0xFFFF));
            return true;
        }
        case PBM_GETRANGE:
            if (lParam != 0) *reinterpret_cast<PBRANGE*>(lParam) = {0, maximum_};
            result = wParam != 0 ? 0 : maximum_;
            return true;
        default:
            return GradientControl::handleMessage(message, wParam, lParam, result);
    }
}

GradientProgressBar& newGradientProgressBar(Control& parent) {
    return *core::create<GradientProgressBar>(parent).detach();
}

}  // namespace toolkit
