// The bitmap object: the pixel memory, scan lines and loading through the
// core's image readers everywhere; device bitmaps, DIB sections and drawing on
// Windows.
#include "toolkit/bitmap/bitmap.h"

#include <utility>

#include "core/file_stream.h"
#include "core/image_reader.h"
#include "core/object.h"

#ifdef _WIN32
#include <windows.h>

#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "core/code_page.h"
#endif

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

#ifdef _WIN32

// --- Windows: device bitmaps, DIB sections and drawing ---------------------------

namespace {

// The header block is handed to the system as its BITMAPINFO.
static_assert(sizeof(core::InfoHeader) == sizeof(BITMAPINFOHEADER));
static_assert(offsetof(core::HeaderBlock, colors) == offsetof(BITMAPINFO, bmiColors));
static_assert(sizeof(core::HeaderBlock::colors[0]) == sizeof(RGBQUAD));

const BITMAPINFO* asBitmapInfo(const core::HeaderBlock& block) { return reinterpret_cast<const BITMAPINFO*>(&block); }

void deleteBitmap(HBITMAP handle) { DeleteObject(handle); }

// The system's text for an error code, without the line break it ends with.
std::string systemErrorText(DWORD code) {
    wchar_t* text = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring message(text, length);
    LocalFree(text);
    while (!message.empty() && (message.back() == L'\n' || message.back() == L'\r')) message.pop_back();
    return core::fromWide(message);
}

}  // namespace

void Bitmap::draw(HDC dc, int x, int y) {
    if (isEmpty()) return;
    if (handle_ != nullptr) {
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ previous = SelectObject(memory, handle_);
        BITMAP described{};
        const int lines =
            GetObjectW(handle_, sizeof described, &described) != 0 ? std::abs(described.bmHeight) : image_.height;
        BitBlt(dc, x, y, image_.width, lines, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
        return;
    }
    if (pixels_ == nullptr) return;
    const int lines = std::abs(image_.header->info.height);
    const int copied = StretchDIBits(dc, x, y, image_.width, lines, 0, 0, image_.width, lines, pixels_,
                                     asBitmapInfo(*image_.header), DIB_RGB_COLORS, SRCCOPY);
    if (copied > 0) return;
    if (makeDibSection()) draw(dc, x, y);
}

void Bitmap::drawBlended(HDC dc, int x, int y) {
    HBITMAP section = handle();
    if (section == nullptr) return;
    HDC memory = CreateCompatibleDC(dc);
    HGDIOBJ previous = SelectObject(memory, section);
    const BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    AlphaBlend(dc, x, y, image_.width, image_.height, memory, 0, 0, image_.width, image_.height, blend);
    SelectObject(memory, previous);
    DeleteDC(memory);
}

HBITMAP Bitmap::handle() {
    if (handle_ == nullptr && pixels_ != nullptr) makeDibSection();
    return handle_;
}

bool Bitmap::makeDibSection() {
    HDC screen = GetDC(nullptr);
    void* bits = nullptr;
    HBITMAP section = CreateDIBSection(screen, asBitmapInfo(*image_.header), DIB_RGB_COLORS, &bits, nullptr, 0);
    const DWORD error = GetLastError();
    ReleaseDC(nullptr, screen);
    if (section == nullptr) {
        lastError_ = "Can not create DIB section, error: " + std::to_string(error) + ", " + systemErrorText(error);
        return false;
    }
    // The section's lines are laid out as the loaded ones; a section that
    // cannot hold them all is not used.
    DIBSECTION described{};
    const bool known = GetObjectW(section, sizeof described, &described) == sizeof described;
    const std::size_t room =
        known ? static_cast<std::size_t>(described.dsBm.bmWidthBytes) * std::abs(described.dsBm.bmHeight) : 0;
    if (bits == nullptr || room < image_.pixelMemorySize) {
        DeleteObject(section);
        lastError_ = "Can not create DIB section, error: the section does not fit the image";
        return false;
    }
    std::memcpy(bits, pixels_, image_.pixelMemorySize);
    image_.pixels.reset();
    pixels_ = static_cast<std::uint8_t*>(bits);
    sectionOwned_ = true;
    handle_ = section;
    freeHandle_ = deleteBitmap;
    handleKind_ = HandleKind::DeviceIndependent;
    return true;
}

core::Ref<Bitmap> newBitmap(std::int32_t width, std::int32_t height) {
    core::Ref<Bitmap> bitmap = core::create<Bitmap>();
    if (width <= 0 || height <= 0) return bitmap;
    HDC screen = GetDC(nullptr);
    HBITMAP made = CreateCompatibleBitmap(screen, width, height);
    ReleaseDC(nullptr, screen);
    if (made == nullptr) {
        bitmap->lastError_ = "No memory";
        return bitmap;
    }
    bitmap->handle_ = made;
    bitmap->freeHandle_ = deleteBitmap;
    bitmap->image_.width = width;
    bitmap->image_.height = height;
    bitmap->handleKind_ = Bitmap::HandleKind::DeviceDependent;
    bitmap->image_.format = core::PixelFormat::DeviceDependent;
    return bitmap;
}

#endif  // _WIN32

}  // namespace toolkit
