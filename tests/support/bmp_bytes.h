// Builds BMP files byte by byte from a description, independently of the
// bitmap loader, so that tests and benchmarks can make every kind of header,
// colour table and pixel layout.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace test_support {

struct BmpBytes {
    bool fileHeader = true;
    // 40 or 12 (core); any other size writes a 40-byte header padded with
    // zeros to that size and with that size field.
    std::uint32_t headerSize = 40;
    std::int32_t width = 1;
    std::int32_t height = 1;
    std::uint16_t planes = 1;
    std::uint16_t bitsPerPixel = 8;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::uint32_t colorsUsed = 0;
    // Written after the header: the masks first, then the colour entries
    // (0x00RRGGBB, four bytes each, three for a core header), then `gap`.
    std::vector<std::uint32_t> masks;
    std::vector<std::uint32_t> palette;
    std::string gap;
    std::string pixels;   // as stored
    std::string trailer;  // after the pixels
    // The file header's fields; by default the real file size and the
    // offset at which `pixels` start.
    std::optional<std::uint32_t> fileSize;
    std::optional<std::uint32_t> pixelOffset;
};

std::string encodeBmp(const BmpBytes& bmp);

// The bytes one stored line takes (padded to 4 bytes).
std::size_t bmpLineBytes(std::int32_t width, int bitsPerPixel);

// Run-length codes, to be joined into the pixels of an RLE image.
std::string rleRun(int count, std::uint8_t value);
std::string rleLiteral(const std::string& values);              // the 0 count prefix and the padding added
std::string rleLiteral4(int count, const std::string& packed);  // `count` nibbles packed two per byte
std::string rleEndOfLine();
std::string rleEndOfImage();
std::string rleMove(int dx, int dy);

}  // namespace test_support
