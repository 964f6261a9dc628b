#include "core/image_reader.h"

#include "core/tga_reader.h"

namespace core {

BmpImage readImage(FileStream& stream, ImageFormat format, std::string& error) {
    return format == ImageFormat::Tga ? readTga(stream, error) : readBmp(stream, error);
}

}  // namespace core
