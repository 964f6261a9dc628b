// The bitmap object: one image in memory, read from a BMP or TGA file by
// the core's readers and drawn unscaled onto a device context.
//
// Loading and the pixel memory are portable; drawing and the system's
// bitmap handles exist on Windows only. A file the reader cannot take
// leaves the bitmap empty.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "core/bmp_reader.h"
#include "core/file_stream.h"
#include "core/image_reader.h"
#include "core/object.h"

// The system's handle types (windef.h declares them the same way), so that
// this header needs no <windows.h>.
struct HBITMAP__;
struct HDC__;

namespace toolkit {

class Bitmap : public core::ToolkitObject {
public:
    enum class HandleKind : std::int32_t { DeviceDependent = 0, DeviceIndependent = 1 };

    Bitmap() = default;

    std::int32_t width() const { return image_.width; }
    std::int32_t height() const { return image_.height; }
    bool isEmpty() const { return image_.width == 0 || image_.height == 0; }
    std::int32_t bytesPerScanLine() const { return image_.bytesPerLine; }

    // The stored format; a bit-field image answers by its masks: 5-6-5 is
    // SixteenBits, 5-5-5 FifteenBits, any other Custom.
    core::PixelFormat pixelFormat() const { return image_.pixelFormat(); }

    // The row's pixels, `y` counted from the top of the picture whatever
    // the stored order; nullptr outside the picture or without pixels.
    std::uint8_t* scanLine(std::int32_t y);

    // The header and colour table, nullptr when there is none.
    const core::HeaderBlock* headerBlock() const { return image_.header.get(); }
    // The pixel memory, stored lines in the file's order (4 spare bytes
    // follow them); nullptr when there is none.
    std::uint8_t* pixels() { return pixels_; }
    std::size_t pixelMemorySize() const { return image_.pixelMemorySize; }
    // True once the pixel memory belongs to a DIB section.
    bool pixelsOwnedBySection() const { return sectionOwned_; }
    HandleKind handleKind() const { return handleKind_; }

    // Frees the handle, the pixel memory and the header; the size becomes
    // 0 x 0. The error text stays.
    void clear();

    // Opens the file, loads from it and closes it; true on success.
    bool loadFromFile(const std::string& fileName, core::ImageFormat format = core::ImageFormat::Bmp);
    // Reads one image of that format from the stream's position. On failure
    // the stream goes back there, the bitmap is empty and lastError() says
    // why.
    bool loadFromStream(core::FileStream& stream, core::ImageFormat format = core::ImageFormat::Bmp);

    // Why the last load, creation or DIB section failed; empty when nothing
    // has failed since the last load began.
    const std::string& lastError() const { return lastError_; }

#ifdef _WIN32
    // Copies the whole image unscaled with its top-left corner at (x, y).
    // An empty bitmap draws nothing.
    void draw(HDC__* dc, int x, int y);
    // Blends a 32-bit image whose fourth byte is each pixel's opacity, its
    // colour already multiplied by it (see newTransparentPicture), unscaled
    // over what the device context shows at (x, y).
    void drawBlended(HDC__* dc, int x, int y);
    // The device bitmap handle, made from the loaded pixels first when
    // there is none (nullptr when that fails or there are no pixels).
    HBITMAP__* handle();
#endif

protected:
    ~Bitmap() override;

private:
    friend core::Ref<Bitmap> newDeviceIndependentBitmap(std::int32_t width, std::int32_t height,
                                                        core::PixelFormat format);
#ifdef _WIN32
    friend core::Ref<Bitmap> newBitmap(std::int32_t width, std::int32_t height);
    bool makeDibSection();
#endif

    // Takes the image as the bitmap's, its pixel memory with it.
    void adopt(core::BmpImage image);

    // The size, the header and, until a DIB section holds them, the pixels.
    core::BmpImage image_;
    std::uint8_t* pixels_ = nullptr;  // the image's pixels or the DIB section's
    HBITMAP__* handle_ = nullptr;
    // Releases handle_ (and the pixel memory of a DIB section with it); set
    // by whoever made the handle, since only Windows code makes them.
    void (*freeHandle_)(HBITMAP__* handle) = nullptr;
    HandleKind handleKind_ = HandleKind::DeviceDependent;
    bool sectionOwned_ = false;
    std::string lastError_;
};

// A bitmap of that size in the given format, its pixels zeroed, its lines
// stored bottom first; the 16-bit formats use bit fields. An empty bitmap
// when a side is 0 or the format has no bit count of its own.
core::Ref<Bitmap> newDeviceIndependentBitmap(std::int32_t width, std::int32_t height, core::PixelFormat format);

#ifdef _WIN32
// A device-dependent bitmap of that size, compatible with the screen; an
// empty bitmap when a side is 0.
core::Ref<Bitmap> newBitmap(std::int32_t width, std::int32_t height);
#endif

}  // namespace toolkit
