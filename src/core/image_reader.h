// The image files textures come in, BMP and TGA, each read by its own
// reader into the same image in memory.
#pragma once

#include <cstdint>
#include <string>

#include "core/bmp_reader.h"
#include "core/file_stream.h"

namespace core {

enum class ImageFormat : std::uint8_t { Bmp, Tga };

// Reads one image of that format from the stream's position as readBmp
// and readTga do: on failure an empty image, the stream where it was and
// `error` saying why.
BmpImage readImage(FileStream& stream, ImageFormat format, std::string& error);

}  // namespace core
