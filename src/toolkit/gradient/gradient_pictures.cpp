#include "toolkit/gradient/gradient_pictures.h"

#include <cstring>
#include <utility>

#include "toolkit/gradient/gradient_pixels.h"
#include "toolkit/gradient/gradient_render.h"

namespace toolkit {

namespace {

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

GradientPictures::GradientPictures(bool deviceIndependent, DrawLook draw)
    : deviceIndependent_(deviceIndependent), draw_(std::move(draw)) {}

Bitmap* GradientPictures::look(gradient::LookIndex look, int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    Picture& picture = looks_[look];
    if (!picture.bitmap || picture.bitmap->width() != width || picture.bitmap->height() != height) {
        picture.bitmap = newPicture(width, height, deviceIndependent_);
        if (!picture.bitmap) return nullptr;
        picture.redraw = true;
    }
    if (picture.redraw) {
        const gradient_render::BitmapDc dc(picture.bitmap->handle());
        draw_(dc.get(), look, width, height);
        GdiFlush();
        picture.redraw = false;
    }
    return picture.bitmap.get();
}

void GradientPictures::markForRedraw(gradient::LookIndex look) {
    looks_[look].redraw = true;
    blend_.redraw = true;
}

void GradientPictures::markAllForRedraw() {
    for (Picture& picture : looks_) picture.redraw = true;
    blend_.redraw = true;
}

Bitmap* GradientPictures::blend(const gradient::TransitionState& transition, const RECT& area, int width, int height) {
    if (!blend_.bitmap || blend_.redraw) blendAnew(transition, area, width, height);
    return blend_.bitmap.get();
}

void GradientPictures::blendAnew(const gradient::TransitionState& transition, const RECT& area, int width, int height) {
    const gradient::TransitionLooks looks = gradient::transitionLooks(transition.transition);
    Bitmap* source = look(looks.source, width, height);
    Bitmap* target = look(looks.target, width, height);
    const bool wholeArea = area.left <= 0 && area.top <= 0 && area.right >= width && area.bottom >= height;
    Bitmap* normal = wholeArea ? nullptr : look(gradient::NormalIndex, width, height);
    if (source == nullptr || target == nullptr || (!wholeArea && normal == nullptr)) {
        blend_.bitmap.reset();
        return;
    }
    if (!blend_.bitmap || blend_.bitmap->width() != source->width() || blend_.bitmap->height() != source->height()) {
        blend_.bitmap = newPicture(source->width(), source->height(), true);
        if (!blend_.bitmap) return;
    }
    const gradient::PixelView out = gradient_render::pixelView(*blend_.bitmap);
    if (normal != nullptr) {
        const gradient::PixelView whole = gradient_render::pixelView(*normal);
        for (int y = 0; y < out.height; ++y)
            std::memcpy(out.row(y), whole.row(y), static_cast<std::size_t>(out.width) * sizeof(gradient::Pixel));
    }
    gradient::blendArea(out, gradient_render::pixelView(*source), gradient_render::pixelView(*target),
                        gradient_render::toRect(area), transition.progress);
    blend_.redraw = false;
}

}  // namespace toolkit
