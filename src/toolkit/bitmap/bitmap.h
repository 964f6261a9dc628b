// The bitmap object: one image in memory, read from a BMP file (a Windows
// device-independent bitmap, with or without the 14-byte file header) and
// drawn unscaled onto a device context.
//
// Loading and the pixel memory are portable; drawing and the system's
// bitmap handles exist on Windows only. The loader takes any file: sizes
// are checked before anything is allocated, nothing is read or written
// outside its buffers, and a file it cannot take leaves the bitmap empty.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "core/byte_block.h"
#include "core/file_stream.h"
#include "core/object.h"

// The system's handle types (windef.h declares them the same way), so that
// this header needs no <windows.h>.
struct HBITMAP__;
struct HDC__;

namespace toolkit {

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

// What the loader takes at most, whatever the file says.
constexpr std::int32_t kMaxSide = 32768;
constexpr std::int64_t kMaxPixelMemory = 256LL * 1024 * 1024;

// The bytes of one stored line: width x bits, rounded up to whole 32-bit words.
std::int64_t bytesPerScanLine(std::int64_t width, std::int64_t bitsPerPixel);
// The first format whose bit count is `planesTimesBits` in the list 1, 4, 8,
// 16, 16, 24, 32; Custom for any other.
PixelFormat formatOfBitCount(std::uint32_t planesTimesBits);

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

}  // namespace bmp

class Bitmap : public core::ToolkitObject {
public:
    enum class HandleKind : std::int32_t { DeviceDependent = 0, DeviceIndependent = 1 };

    Bitmap() = default;

    std::int32_t width() const { return width_; }
    std::int32_t height() const { return height_; }
    bool isEmpty() const { return width_ == 0 || height_ == 0; }
    std::int32_t bytesPerScanLine() const { return bytesPerLine_; }

    // The stored format; a bit-field image answers by its masks: 5-6-5 is
    // SixteenBits, 5-5-5 FifteenBits, any other Custom.
    PixelFormat pixelFormat() const;

    // The row's pixels, `y` counted from the top of the picture whatever
    // the stored order; nullptr outside the picture or without pixels.
    std::uint8_t* scanLine(std::int32_t y);

    // The header and colour table, nullptr when there is none.
    const HeaderBlock* headerBlock() const { return header_.get(); }
    // The pixel memory, stored lines in the file's order (4 spare bytes
    // follow them); nullptr when there is none.
    std::uint8_t* pixels() { return pixels_; }
    std::size_t pixelMemorySize() const { return pixelMemorySize_; }
    // True once the pixel memory belongs to a DIB section.
    bool pixelsOwnedBySection() const { return sectionOwned_; }
    HandleKind handleKind() const { return handleKind_; }

    // Frees the handle, the pixel memory and the header; the size becomes
    // 0 x 0. The error text stays.
    void clear();

    // Opens the file, loads from it and closes it; true on success.
    bool loadFromFile(const std::string& fileName);
    // Reads one BMP image from the stream's position. On failure the stream
    // goes back there, the bitmap is empty and lastError() says why.
    bool loadFromStream(core::FileStream& stream);

    // Why the last load, creation or DIB section failed; empty when nothing
    // has failed since the last load began.
    const std::string& lastError() const { return lastError_; }

#ifdef _WIN32
    // Copies the whole image unscaled with its top-left corner at (x, y).
    // An empty bitmap draws nothing.
    void draw(HDC__* dc, int x, int y);
    // The device bitmap handle, made from the loaded pixels first when
    // there is none (nullptr when that fails or there are no pixels).
    HBITMAP__* handle();
#endif

protected:
    ~Bitmap() override;

private:
    friend core::Ref<Bitmap> newDeviceIndependentBitmap(std::int32_t width, std::int32_t height, PixelFormat format);
#ifdef _WIN32
    friend core::Ref<Bitmap> newBitmap(std::int32_t width, std::int32_t height);
    bool makeDibSection();
#endif

    // Takes the size and the line length from the header in place; false
    // with the error text when they are refused.
    bool takeSizeFromHeader();
    // Allocates the pixel memory with 4 spare bytes; false when memory is short.
    bool allocatePixels(bool zeroFilled);
    bool readImage(core::FileStream& stream);

    std::int32_t height_ = 0;
    std::int32_t width_ = 0;
    HBITMAP__* handle_ = nullptr;
    // Releases handle_ (and the pixel memory of a DIB section with it); set
    // by whoever made the handle, since only Windows code makes them.
    void (*freeHandle_)(HBITMAP__* handle) = nullptr;
    std::int32_t bytesPerLine_ = 0;
    HandleKind handleKind_ = HandleKind::DeviceDependent;
    std::unique_ptr<HeaderBlock> header_;
    core::ByteBlock ownPixels_;  // the pixel memory while no DIB section holds it
    std::uint8_t* pixels_ = nullptr;
    std::size_t pixelMemorySize_ = 0;
    PixelFormat format_ = PixelFormat::DeviceDependent;
    bool sectionOwned_ = false;
    std::string lastError_;
};

// A bitmap of that size in the given format, its pixels zeroed, its lines
// stored bottom first; the 16-bit formats use bit fields. An empty bitmap
// when a side is 0 or the format has no bit count of its own.
core::Ref<Bitmap> newDeviceIndependentBitmap(std::int32_t width, std::int32_t height, PixelFormat format);

#ifdef _WIN32
// A device-dependent bitmap of that size, compatible with the screen; an
// empty bitmap when a side is 0.
core::Ref<Bitmap> newBitmap(std::int32_t width, std::int32_t height);
#endif

}  // namespace toolkit
