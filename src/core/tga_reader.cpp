#include "core/tga_reader.h"

#include <algorithm>
#include <climits>
#include <memory>
#include <span>

#include "core/byte_block.h"
#include "core/byte_io.h"

// stb_image with only its TGA decoder, reading from memory; its functions
// stay inside this file, so that another copy elsewhere cannot clash.
#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_TGA
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 32768
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#include <stb/stb_image.h>
#pragma GCC diagnostic pop

namespace core {

namespace {

static_assert(STBI_MAX_DIMENSIONS == bmp::kMaxSide);

constexpr char kCutShort[] = "Unexpected end of file";
constexpr char kUnsupportedFormat[] = "Unsupported TGA format";
constexpr char kBadWidth[] = "TGA width must be > 0";
constexpr char kBadHeight[] = "TGA height must be > 0";
constexpr char kTooLarge[] = "TGA too large";
constexpr char kNoMemory[] = "No memory";

// The fields of the 18-byte header the reader needs.
struct TgaHeader {
    std::uint8_t idLength = 0;
    std::uint8_t colorMapType = 0;
    std::uint8_t imageType = 0;
    std::uint16_t width = 0;
    std::uint16_t height = 0;
    std::uint8_t bitsPerPixel = 0;

    bool runLength() const { return imageType == tga::kRunLengthTrueColor || imageType == tga::kRunLengthGrey; }
    bool grey() const { return imageType == tga::kGrey || imageType == tga::kRunLengthGrey; }
};

TgaHeader parseHeader(std::span<const std::uint8_t, tga::kHeaderSize> bytes) {
    ByteReader fields{bytes};
    TgaHeader header;
    header.idLength = fields.u8();
    header.colorMapType = fields.u8();
    header.imageType = fields.u8();
    std::uint8_t skipped[9];  // the colour map's description and the image's origin
    fields.bytes(skipped, sizeof skipped);
    header.width = fields.u16();
    header.height = fields.u16();
    header.bitsPerPixel = fields.u8();
    return header;
}

// The format of the lines in memory; Custom for a kind of file not read.
PixelFormat memoryFormatOf(const TgaHeader& header) {
    const bool kindRead = header.colorMapType == 0 &&
                          (header.imageType == tga::kTrueColor || header.imageType == tga::kGrey ||
                           header.imageType == tga::kRunLengthTrueColor || header.imageType == tga::kRunLengthGrey);
    if (!kindRead) return PixelFormat::Custom;
    if (header.grey()) return header.bitsPerPixel == 8 ? PixelFormat::EightBits : PixelFormat::Custom;
    switch (header.bitsPerPixel) {
        case 16:
        case 24:
            return PixelFormat::TwentyFourBits;
        case 32:
            return PixelFormat::ThirtyTwoBits;
        default:
            return PixelFormat::Custom;
    }
}

// The channels stb_image gives for a file the reader takes: grey, RGB
// (16-bit pixels widened) or RGBA.
int channelsOf(PixelFormat format) {
    return format == PixelFormat::EightBits ? 1 : format == PixelFormat::TwentyFourBits ? 3 : 4;
}

// Whether the run-length packets in `codes` cover `pixelCount` pixels of
// `pixelBytes` bytes each before the codes end: a packet's first byte counts
// its pixels (1 to 128) and whether one pixel repeats or each follows; the
// pixels of a last packet past the image need not be there.
bool packetsCoverImage(std::span<const std::uint8_t> codes, std::int64_t pixelCount, std::int64_t pixelBytes) {
    std::size_t next = 0;
    for (std::int64_t covered = 0; covered < pixelCount;) {
        if (next == codes.size()) return false;
        const std::uint8_t packet = codes[next++];
        const std::int64_t count = std::min<std::int64_t>((packet & 0x7F) + 1, pixelCount - covered);
        const auto bytes = static_cast<std::size_t>((packet & 0x80) != 0 ? pixelBytes : count * pixelBytes);
        if (codes.size() - next < bytes) return false;
        next += bytes;
        covered += count;
    }
    return true;
}

struct FreeDecoded {
    void operator()(stbi_uc* pixels) const { stbi_image_free(pixels); }
};
using Decoded = std::unique_ptr<stbi_uc, FreeDecoded>;

// Copies the decoded pixels, top row first in red, green, blue (alpha)
// order, into the image's lines, stored bottom first in blue, green, red
// (alpha) order.
void copyDecoded(const stbi_uc* decoded, int channels, BmpImage& image) {
    const auto width = static_cast<std::size_t>(image.width);
    for (std::int32_t y = 0; y < image.height; ++y) {
        const stbi_uc* from = decoded + static_cast<std::size_t>(y) * width * static_cast<std::size_t>(channels);
        std::uint8_t* to = image.pixels.get() + static_cast<std::size_t>(image.height - 1 - y) *
                                                    static_cast<std::size_t>(image.bytesPerLine);
        for (std::size_t x = 0; x < width; ++x, from += channels, to += channels) {
            if (channels == 1) {
                to[0] = from[0];
                continue;
            }
            to[0] = from[2];
            to[1] = from[1];
            to[2] = from[0];
            if (channels == 4) to[3] = from[3];
        }
    }
}

bool readImage(FileStream& stream, BmpImage& image, std::string& error) {
    const std::int64_t start = stream.position();
    std::uint8_t headerBytes[tga::kHeaderSize];
    ByteReader in(stream);
    in.bytes(headerBytes, sizeof headerBytes);
    if (!in.ok()) return error = kCutShort, false;
    const TgaHeader header = parseHeader(headerBytes);
    const PixelFormat format = memoryFormatOf(header);
    if (format == PixelFormat::Custom) return error = kUnsupportedFormat, false;
    if (header.width == 0) return error = kBadWidth, false;
    if (header.height == 0) return error = kBadHeight, false;
    const std::int64_t memoryBits = channelsOf(format) * 8;
    if (header.width > bmp::kMaxSide || header.height > bmp::kMaxSide ||
        bmp::bytesPerScanLine(header.width, memoryBits) * header.height > bmp::kMaxPixelMemory)
        return error = kTooLarge, false;

    // Stored pixels take exactly their bytes; run-length packets at most one
    // byte more a pixel, and must cover every pixel.
    const std::int64_t pixelCount = std::int64_t{header.width} * header.height;
    const std::int64_t pixelBytes = (header.bitsPerPixel + 7) / 8;
    const std::int64_t dataStart = std::int64_t{tga::kHeaderSize} + header.idLength;
    const std::int64_t needed = dataStart + (header.runLength() ? 0 : pixelCount * pixelBytes);
    const std::int64_t most = dataStart + pixelCount * (pixelBytes + (header.runLength() ? 1 : 0));
    const std::int64_t available = stream.size() - start;
    if (available < needed) return error = kCutShort, false;
    const auto count = static_cast<std::size_t>(std::min({available, most, std::int64_t{INT_MAX}}));
    const ByteBlock input = allocateByteBlock(count);
    if (!input) return error = kNoMemory, false;
    std::copy(std::begin(headerBytes), std::end(headerBytes), input.get());
    const std::size_t rest = count - tga::kHeaderSize;
    if (stream.read(input.get() + tga::kHeaderSize, rest) != rest) return error = kCutShort, false;
    const std::span<const std::uint8_t> codes(input.get() + dataStart, count - static_cast<std::size_t>(dataStart));
    if (header.runLength() && !packetsCoverImage(codes, pixelCount, pixelBytes)) return error = kCutShort, false;

    int width = 0, height = 0, channels = 0;
    const Decoded decoded(stbi_load_from_memory(input.get(), static_cast<int>(count), &width, &height, &channels, 0));
    if (!decoded) {
        error = std::string_view(stbi_failure_reason()) == "outofmem" ? kNoMemory : kUnsupportedFormat;
        return false;
    }
    if (width != header.width || height != header.height || channels != channelsOf(format))
        return error = kUnsupportedFormat, false;

    image = newBmpImage(width, height, format, error);
    if (!error.empty()) return false;
    if (format == PixelFormat::EightBits)
        for (std::uint32_t grey = 0; grey < HeaderBlock::kColorCount; ++grey)
            image.header->colors[grey] = grey * 0x010101;
    copyDecoded(decoded.get(), channels, image);
    image.fileBitsPerPixel = header.bitsPerPixel;
    return true;
}

}  // namespace

BmpImage readTga(FileStream& stream, std::string& error) { return readOrGoBack(stream, error, readImage); }

}  // namespace core
