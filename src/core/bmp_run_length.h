// Decoding the run-length codes of BMP images (8 and 4 bits per pixel)
// into rows of pixels, from codes that may come from any file.
#pragma once

#include <cstdint>
#include <span>

namespace core::bmp {

// Where run-length decoders write: `height` stored lines of `bytesPerLine`
// bytes, each holding `width` pixels.
struct PixelRows {
    std::uint8_t* pixels;
    std::int64_t bytesPerLine;
    std::int64_t width;
    std::int64_t height;
};

// Decode run-length encoded pixels (8 and 4 bits per pixel) into zeroed
// rows, line 0 first, until the input ends, the end-of-image mark comes or
// the lines are used up. A run or literal that would not fit between its
// column and the right edge is skipped; a move below the last line ends the
// image. Nothing outside `input` is read and nothing outside the rows is
// written.
void decodeRle8(std::span<const std::uint8_t> input, const PixelRows& rows);
void decodeRle4(std::span<const std::uint8_t> input, const PixelRows& rows);

}  // namespace core::bmp
