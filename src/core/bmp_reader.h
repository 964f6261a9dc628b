// The BMP reader: one image of a Windows device-independent bitmap file,
// with or without the 14-byte file header, as its header, colour table and
// pixel memory. It takes any file: sizes are checked before anything is
// allocated, nothing is read or written outside its buffers, and a file it
// cannot take gives no image and a reason.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "core/byte_block.h"
#include "core/file_stream.h"

namespace core {

enum class PixelFormat : std::int32_t {
    DeviceDependent = 0,
    OneBit = 1,
    FourBits = 2,
    EightBits = 3,
    FifteenBits = 4,
    SixteenBits = 5,
    TwentyFourBits = 6,
    ThirtyTwoBits = 7,
    Custom = 8,
};

// The BMP info header, in the layout of the file and of the system's
// BITMAPINFOHEADER.
struct InfoHeader {
    std::uint32_t size;
    std::int32_t width;
    std::int32_t height;  // negative: the top line is stored first
    std::uint16_t planes;
    std::uint16_t bitsPerPixel;
    std::uint32_t compression;
    std::uint32_t imageSize;
    std::int32_t horizontalResolution;
    std::int32_t verticalResolution;
    std::uint32_t colorsUsed;
    std::uint32_t colorsImportant;
};
static_assert(sizeof(InfoHeader) == 40);

// The info header and room for 256 colour entries, as the system's
// BITMAPINFO takes them. An entry holds blue in its low byte, then green
// and red (0x00RRGGBB); a bit-field image keeps its red, green and blue
// masks in the first three entries.
struct HeaderBlock {
    static constexpr std::size_t kColorCount = 256;
    InfoHeader info;
    std::array<std::uint32_t, kColorCount> colors;
};
static_assert(sizeof(HeaderBlock) == 1064);

namespace bmp {

constexpr std::uint32_t kNoCompression = 0;
constexpr std::uint32_t kRle8 = 1;
constexpr std::uint32_t kRle4 = 2;
constexpr std::uint32_t kBitFields = 3;

// What the reader takes at most, whatever the file says.
constexpr std::int32_t kMaxSide = 32768;
constexpr std::int64_t kMaxPixelMemory = 256LL * 1024 * 1024;

// The bytes of one stored line: width x bits, rounded up to whole 32-bit words.
std::int64_t bytesPerScanLine(std::int64_t width, std::int64_t bitsPerPixel);
// The first format whose bit count is `planesTimesBits` in the list 1, 4, 8,
// 16, 16, 24, 32; Custom for any other.
PixelFormat formatOfBitCount(std::uint32_t planesTimesBits);

}  // namespace bmp

// An image in memory. Its header describes the pixel memory exactly: what
// was run-length encoded is stored uncompressed, and the colours used never
// outnumber the entries after the masks.
struct BmpImage {
    std::unique_ptr<HeaderBlock> header;
    ByteBlock pixels;  // the stored lines in the file's order, 4 spare bytes after them
    std::int32_t width = 0;
    std::int32_t height = 0;  // the number of lines, whatever their order
    std::int32_t bytesPerLine = 0;
    std::size_t pixelMemorySize = 0;                    // the lines, without the spare bytes
    PixelFormat format = PixelFormat::DeviceDependent;  // by the bit count
    // The bits of a pixel as the file stores it; a TGA's lines in memory
    // may hold more.
    std::uint16_t fileBitsPerPixel = 0;

    // The stored format; a bit-field image answers by its masks: 5-6-5 is
    // SixteenBits, 5-5-5 FifteenBits, any other Custom.
    PixelFormat pixelFormat() const;
};

// Reads one BMP image from the stream's position. On failure the image is
// empty (no header, no pixels), the stream goes back where it was and
// `error` says why; on success `error` is empty.
BmpImage readBmp(FileStream& stream, std::string& error);

// What every image reader does around its own steps: `read` fills the image
// or says why not; on failure the image is empty and the stream goes back
// where it was.
using ImageSteps = bool (*)(FileStream& stream, BmpImage& image, std::string& error);
BmpImage readOrGoBack(FileStream& stream, std::string& error, ImageSteps read);

// An image of that size in the given format, its pixels zeroed, its lines
// stored bottom first; the 16-bit formats use bit fields. Empty when a side
// is 0, and empty with `error` saying why for a negative height, a format
// without a bit count of its own or a size beyond the reader's limits.
BmpImage newBmpImage(std::int32_t width, std::int32_t height, PixelFormat format, std::string& error);

}  // namespace core
