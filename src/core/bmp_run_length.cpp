#include "core/bmp_run_length.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace core::bmp {

namespace {

// The framing both run-length codes share; `Pixels` writes runs and
// literals of its pixel size into one line.
template <class Pixels>
void decodeRunLength(std::span<const std::uint8_t> input, const bmp::PixelRows& rows) {
    // Copies, since writes through the pixel pointer could alias `rows`.
    const std::int64_t bytesPerLine = rows.bytesPerLine;
    const std::int64_t height = rows.height;
    // Columns whose pixels lie inside a stored line.
    const std::int64_t columns = std::min(rows.width, bytesPerLine * 8 / Pixels::kBits);
    const std::uint8_t* const codes = input.data();
    const std::size_t size = input.size();
    std::size_t next = 0;
    std::int64_t x = 0;
    std::int64_t y = 0;
    std::uint8_t* line = rows.pixels;
    while (y < height && size - next >= 2) {
        const std::uint8_t first = codes[next];
        const std::uint8_t second = codes[next + 1];
        next += 2;
        if (first > 0) {
            if (x + first <= columns) Pixels::run(line, x, first, second);
            x += first;
        } else if (second == 0) {  // end of line
            x = 0;
            ++y;
            line += bytesPerLine;
        } else if (second == 1) {  // end of image
            return;
        } else if (second == 2) {  // move right and down
            if (size - next < 2) return;
            x += codes[next];
            y += codes[next + 1];
            next += 2;
            if (y >= height) return;
            line = rows.pixels + y * bytesPerLine;
        } else {  // literal pixels, padded to an even number of bytes
            const std::size_t bytes = Pixels::literalBytes(second);
            const std::size_t available = std::min(bytes, size - next);
            if (x + second <= columns) Pixels::literal(line, x, second, input.subspan(next, available));
            x += second;
            next += std::min(bytes + bytes % 2, size - next);
        }
    }
}

struct BytePixels {
    static constexpr int kBits = 8;
    static std::size_t literalBytes(std::size_t count) { return count; }
    static void run(std::uint8_t* line, std::int64_t x, std::size_t count, std::uint8_t value) {
        std::memset(line + x, value, count);
    }
    static void literal(std::uint8_t* line, std::int64_t x, std::size_t, std::span<const std::uint8_t> bytes) {
        std::memcpy(line + x, bytes.data(), bytes.size());
    }
};

struct NibblePixels {
    static constexpr int kBits = 4;
    static std::size_t literalBytes(std::size_t count) { return (count + 1) / 2; }
    static void put(std::uint8_t* line, std::int64_t x, std::uint8_t nibble) {
        std::uint8_t& byte = line[x / 2];
        byte = x % 2 == 0 ? static_cast<std::uint8_t>((byte & 0x0F) | nibble << 4)
                          : static_cast<std::uint8_t>((byte & 0xF0) | nibble);
    }
    static std::uint8_t nibbleOf(std::uint8_t byte, std::size_t index) {
        return index % 2 == 0 ? byte >> 4 : byte & 0x0F;
    }
    static void run(std::uint8_t* line, std::int64_t x, std::size_t count, std::uint8_t value) {
        for (std::size_t i = 0; i < count; ++i) put(line, x + static_cast<std::int64_t>(i), nibbleOf(value, i));
    }
    static void literal(std::uint8_t* line, std::int64_t x, std::size_t count, std::span<const std::uint8_t> bytes) {
        count = std::min(count, 2 * bytes.size());
        for (std::size_t i = 0; i < count; ++i) put(line, x + static_cast<std::int64_t>(i), nibbleOf(bytes[i / 2], i));
    }
};

}  // namespace

void decodeRle8(std::span<const std::uint8_t> input, const PixelRows& rows) {
    decodeRunLength<BytePixels>(input, rows);
}

void decodeRle4(std::span<const std::uint8_t> input, const PixelRows& rows) {
    decodeRunLength<NibblePixels>(input, rows);
}

}  // namespace core::bmp
