#include "toolkit/bitmap/transparency.h"

#include <cstddef>

#include "core/bmp_reader.h"

namespace toolkit {

namespace {

constexpr std::uint8_t kOpaque = 255;

std::uint8_t premultiplied(std::uint8_t channel, std::uint8_t opacity) {
    return static_cast<std::uint8_t>((channel * opacity + kOpaque / 2) / kOpaque);
}

// One line of an 8-bit image: the first palette entry clear, the others
// opaque in their colours.
void keyLine(const std::uint8_t* from, std::uint8_t* to, std::int32_t width, const core::HeaderBlock& header) {
    for (std::int32_t x = 0; x < width; ++x, to += 4) {
        const std::uint8_t index = from[x];
        if (index == 0) continue;  // the picture starts clear
        const std::uint32_t color = header.colors[index];
        to[0] = static_cast<std::uint8_t>(color);
        to[1] = static_cast<std::uint8_t>(color >> 8);
        to[2] = static_cast<std::uint8_t>(color >> 16);
        to[3] = kOpaque;
    }
}

// One line of a 32-bit image, each pixel as opaque as its fourth byte.
void alphaLine(const std::uint8_t* from, std::uint8_t* to, std::int32_t width) {
    for (std::int32_t x = 0; x < width; ++x, from += 4, to += 4) {
        const std::uint8_t opacity = from[3];
        for (std::size_t channel = 0; channel < 3; ++channel) to[channel] = premultiplied(from[channel], opacity);
        to[3] = opacity;
    }
}

}  // namespace

core::Ref<Bitmap> newTransparentPicture(Bitmap& image, Transparency rule) {
    const bool fits = (rule == Transparency::ColorKey && image.pixelFormat() == core::PixelFormat::EightBits) ||
                      (rule == Transparency::ImageAlpha && image.pixelFormat() == core::PixelFormat::ThirtyTwoBits);
    if (!fits || image.isEmpty()) return core::create<Bitmap>();
    core::Ref<Bitmap> picture =
        newDeviceIndependentBitmap(image.width(), image.height(), core::PixelFormat::ThirtyTwoBits);
    if (picture->isEmpty()) return picture;
    for (std::int32_t y = 0; y < image.height(); ++y) {
        if (rule == Transparency::ColorKey)
            keyLine(image.scanLine(y), picture->scanLine(y), image.width(), *image.headerBlock());
        else
            alphaLine(image.scanLine(y), picture->scanLine(y), image.width());
    }
    return picture;
}

}  // namespace toolkit
