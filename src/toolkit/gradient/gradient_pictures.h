// The pictures a gradient control paints: one per look, drawn at the
// client size when first needed and kept until marked for redrawing, and
// the blend of two of them while the looks change.
#pragma once

#include <windows.h>

#include <array>
#include <functional>

#include "core/object.h"
#include "toolkit/bitmap/bitmap.h"
#include "toolkit/gradient/gradient_transitions.h"

namespace toolkit {

class GradientPictures {
public:
    // Draws a look over the whole picture selected into `dc`.
    using DrawLook = std::function<void(HDC dc, gradient::LookIndex look, int width, int height)>;

    // `deviceIndependent`: the looks' pictures are 32-bit device-independent
    // bitmaps rather than bitmaps compatible with the screen (the blend
    // always is one).
    GradientPictures(bool deviceIndependent, DrawLook draw);

    // The look's picture at that size, drawn anew when marked; nullptr for
    // an empty size or when no bitmap can be had.
    Bitmap* look(gradient::LookIndex look, int width, int height);
    // Frees a look's picture; it is made anew when next asked for.
    void drop(gradient::LookIndex look) { looks_[look].bitmap.reset(); }
    // The look and the blend are drawn anew when next asked for.
    void markForRedraw(gradient::LookIndex look);
    void markAllForRedraw();

    // The blend of the transition's two looks at its progress inside `area`,
    // the normal look around it, blended anew when marked; nullptr when a
    // picture cannot be had.
    Bitmap* blend(const gradient::TransitionState& transition, const RECT& area, int width, int height);
    void markBlendForRedraw() { blend_.redraw = true; }
    void dropBlend() { blend_.bitmap.reset(); }

private:
    struct Picture {
        core::Ref<Bitmap> bitmap;
        bool redraw = true;
    };

    void blendAnew(const gradient::TransitionState& transition, const RECT& area, int width, int height);

    bool deviceIndependent_;
    DrawLook draw_;
    std::array<Picture, gradient::kLookCount> looks_;
    Picture blend_;
};

}  // namespace toolkit
