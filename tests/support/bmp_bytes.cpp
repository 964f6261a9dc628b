#include "bmp_bytes.h"

#include <initializer_list>

namespace test_support {

namespace {

void appendU16(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 2; ++i) out += static_cast<char>(value >> (8 * i));
}

void appendU32(std::string& out, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) out += static_cast<char>(value >> (8 * i));
}

std::string rleCode(std::initializer_list<int> bytes) {
    std::string out;
    for (int byte : bytes) out += static_cast<char>(byte);
    return out;
}

}  // namespace

std::string encodeBmp(const BmpBytes& bmp) {
    std::string body;
    appendU32(body, bmp.headerSize);
    if (bmp.headerSize == 12) {
        appendU16(body, static_cast<std::uint32_t>(bmp.width));
        appendU16(body, static_cast<std::uint32_t>(bmp.height));
        appendU16(body, bmp.planes);
        appendU16(body, bmp.bitsPerPixel);
    } else {
        appendU32(body, static_cast<std::uint32_t>(bmp.width));
        appendU32(body, static_cast<std::uint32_t>(bmp.height));
        appendU16(body, bmp.planes);
        appendU16(body, bmp.bitsPerPixel);
        appendU32(body, bmp.compression);
        appendU32(body, bmp.imageSize);
        appendU32(body, 2835);
        appendU32(body, 2835);
        appendU32(body, bmp.colorsUsed);
        appendU32(body, 0);
        if (bmp.headerSize > 40) body.append(bmp.headerSize - 40, '\0');
    }
    for (std::uint32_t mask : bmp.masks) appendU32(body, mask);
    for (std::uint32_t color : bmp.palette) {
        if (bmp.headerSize == 12) {
            appendU16(body, color & 0xFFFF);
            body += static_cast<char>(color >> 16);
        } else {
            appendU32(body, color);
        }
    }
    body += bmp.gap;

    std::string out;
    if (bmp.fileHeader) {
        const auto offset = static_cast<std::uint32_t>(14 + body.size());
        const auto total = static_cast<std::uint32_t>(offset + bmp.pixels.size() + bmp.trailer.size());
        out += "BM";
        appendU32(out, bmp.fileSize.value_or(total));
        appendU32(out, 0);
        appendU32(out, bmp.pixelOffset.value_or(offset));
    }
    return out + body + bmp.pixels + bmp.trailer;
}

std::size_t bmpLineBytes(std::int32_t width, int bitsPerPixel) {
    return (static_cast<std::size_t>(width) * static_cast<std::size_t>(bitsPerPixel) + 31) / 32 * 4;
}

std::string rleRun(int count, std::uint8_t value) { return rleCode({count, value}); }

std::string rleLiteral(const std::string& values) {
    std::string out = rleCode({0, static_cast<int>(values.size())}) + values;
    if (values.size() % 2 != 0) out += '\0';
    return out;
}

std::string rleLiteral4(int count, const std::string& packed) {
    std::string out = rleCode({0, count}) + packed;
    if (packed.size() % 2 != 0) out += '\0';
    return out;
}

std::string rleEndOfLine() { return rleCode({0, 0}); }
std::string rleEndOfImage() { return rleCode({0, 1}); }
std::string rleMove(int dx, int dy) { return rleCode({0, 2, dx, dy}); }

}  // namespace test_support
