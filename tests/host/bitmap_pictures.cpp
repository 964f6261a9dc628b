#include "bitmap_pictures.h"

#include <cstdint>

namespace bitmap_pictures {

using test_support::Picture;

namespace {

std::uint32_t rgbOf(const std::uint8_t* blueGreenRed) {
    return std::uint32_t{blueGreenRed[2]} << 16 | std::uint32_t{blueGreenRed[1]} << 8 | blueGreenRed[0];
}

}  // namespace

Picture colorsOf(toolkit::Bitmap& bitmap) {
    const core::PixelFormat format = bitmap.pixelFormat();
    const int bytes = format == core::PixelFormat::EightBits        ? 1
                      : format == core::PixelFormat::TwentyFourBits ? 3
                      : format == core::PixelFormat::ThirtyTwoBits  ? 4
                                                                    : 0;
    if (bytes == 0) return {};
    Picture picture{bitmap.width(), bitmap.height(), {}};
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* pixel = bitmap.scanLine(y);
        for (int x = 0; x < bitmap.width(); ++x, pixel += bytes)
            picture.pixels.push_back(bytes == 1 ? bitmap.headerBlock()->colors[*pixel] & 0xFFFFFF : rgbOf(pixel));
    }
    return picture;
}

Picture alphaOf(toolkit::Bitmap& bitmap) {
    if (bitmap.pixelFormat() != core::PixelFormat::ThirtyTwoBits) return {};
    Picture picture{bitmap.width(), bitmap.height(), {}};
    for (int y = 0; y < bitmap.height(); ++y) {
        const std::uint8_t* line = bitmap.scanLine(y);
        for (int x = 0; x < bitmap.width(); ++x) picture.pixels.push_back(line[4 * x + 3] * 0x010101U);
    }
    return picture;
}

}  // namespace bitmap_pictures
