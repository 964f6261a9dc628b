// The portable part of the bitmap object: the pixel memory, scan lines and
// loading through the core's image readers.
#include "toolkit/bitmap/bitmap.h"

#include <utility>

#include "core/file_stream.h"
#include "core/image_reader.h"
#include "core/object.h"

namespace toolkit {

Bitmap::~Bitmap() { clear(); }

std::uint8_t* Bitmap::scanLine(std::int32_t y) {
    if (pixels_ == nullptr || y < 0 || y >= image_.height) return nullptr;
    const std::int32_t stored = image_.header->info.height > 0 ? image_.height - 1 - y : y;
    return pixels_ + static_cast<std::size_t>(stored) * static_cast<std::size_t>(image_.bytesPerLine);
}

void Bitmap::clear() {
    if (handle_ != nullptr) std::exchange(freeHandle_, nullptr)(std::exchange(handle_, nullptr));
    image_ = core::BmpImage();
    pixels_ = nullptr;
    sectionOwned_ = false;
    handleKind_ = HandleKind::DeviceDependent;
}

void Bitmap::adopt(core::BmpImage image) {
    clear();
    image_ = std::move(image);
    pixels_ = image_.pixels.get();
}

bool Bitmap::loadFromFile(const std::string& fileName, core::ImageFormat format) {
    core::Ref<core::FileStream> stream = core::openFileForReading(fileName);
    return loadFromStream(*stream, format);
}

bool Bitmap::loadFromStream(core::FileStream& stream, core::ImageFormat format) {
    clear();
    adopt(core::readImage(stream, format, lastError_));
    return lastError_.empty();
}

core::Ref<Bitmap> newDeviceIndependentBitmap(std::int32_t width, std::int32_t height, core::PixelFormat format) {
    core::Ref<Bitmap> bitmap = core::create<Bitmap>();
    bitmap->adopt(core::newBmpImage(width, height, format, bitmap->lastError_));
    return bitmap;
}

}  // namespace toolkit
