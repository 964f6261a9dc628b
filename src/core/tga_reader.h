// The TGA reader: one image of a Truevision TGA file of the kinds the game
// reads: true colour of 16, 24 or 32 bits or 8-bit grey, stored as they are
// or run-length encoded. The header is checked first, against the BMP
// reader's limits on the sides and the pixel memory, and stb_image decodes
// only what passed. A file of any other kind gives no image and a reason.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/bmp_reader.h"
#include "core/file_stream.h"

namespace core {

namespace tga {

constexpr std::size_t kHeaderSize = 18;
// The image types taken: true colour and grey, each also run-length
// encoded. Colour-mapped images are not.
constexpr std::uint8_t kTrueColor = 2;
constexpr std::uint8_t kGrey = 3;
constexpr std::uint8_t kRunLengthTrueColor = 10;
constexpr std::uint8_t kRunLengthGrey = 11;

}  // namespace tga

// Reads one TGA image from the stream's position into lines as a BMP image
// holds them: grey as 8 bits with a palette of the 256 greys, 16 and 24 bits
// as 24-bit colour, 32 bits with the alpha in each pixel's fourth byte;
// `fileBitsPerPixel` keeps the file's bits. On failure the image is empty,
// the stream goes back where it was and `error` says why; on success
// `error` is empty.
BmpImage readTga(FileStream& stream, std::string& error);

}  // namespace core
