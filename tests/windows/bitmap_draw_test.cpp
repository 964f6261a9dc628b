// Bitmaps drawn through the system: loaded files against reference
// renderings, new bitmaps, DIB sections and the drawing fallbacks.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "core/object.h"
#include "toolkit/bitmap/bitmap.h"

namespace {

using core::PixelFormat;
using core::Ref;
using toolkit::Bitmap;

namespace fs = std::filesystem;

const fs::path kBmpData = fs::path(SKIRVANE_TEST_DATA) / "bmp";
constexpr std::uint32_t kBackground = 0x123456;

// A 32-bit top-down DIB section in a memory device context, filled with
// kBackground; pixels read as 0x00RRGGBB.
class Canvas {
public:
    Canvas(int width, int height) : width_(width), height_(height) {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        section_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        bits_ = static_cast<std::uint32_t*>(bits);
        dc_ = CreateCompatibleDC(nullptr);
        previous_ = SelectObject(dc_, section_);
        std::fill_n(bits_, static_cast<std::size_t>(width) * height, kBackground);
    }
    ~Canvas() {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
        DeleteObject(section_);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    HDC dc() const { return dc_; }
    std::uint32_t pixel(int x, int y) const {
        GdiFlush();
        return bits_[static_cast<std::size_t>(y) * width_ + x] & 0xFFFFFF;
    }
    bool untouched() const {
        GdiFlush();
        return std::all_of(bits_, bits_ + static_cast<std::size_t>(width_) * height_,
                           [](std::uint32_t p) { return (p & 0xFFFFFF) == kBackground; });
    }

private:
    int width_;
    int height_;
    HBITMAP section_;
    std::uint32_t* bits_;
    HDC dc_;
    HGDIOBJ previous_;
};

// A binary PPM (P6, 8 bits per channel, top row first).
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB
};

Picture readPpm(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::string magic;
    int maximum = 0;
    Picture picture;
    in >> magic >> picture.width >> picture.height >> maximum;
    in.get();
    std::vector<unsigned char> rgb((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (magic != "P6" || maximum != 255 || rgb.size() < 3U * picture.width * picture.height) return {};
    for (std::size_t i = 0; i < static_cast<std::size_t>(picture.width) * picture.height; ++i)
        picture.pixels.push_back(rgb[3 * i] << 16 | rgb[3 * i + 1] << 8 | rgb[3 * i + 2]);
    return picture;
}

int channelDifference(std::uint32_t a, std::uint32_t b) {
    int largest = 0;
    for (int shift : {0, 8, 16})
        largest =
            std::max(largest, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    return largest;
}

// Compares the canvas at (left, top) with the picture; empty when they
// agree within `tolerance` per channel, else the first difference.
std::string differences(const Canvas& canvas, const Picture& picture, int tolerance, int left = 0, int top = 0) {
    int count = 0;
    std::ostringstream first;
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const std::uint32_t expected = picture.pixels[static_cast<std::size_t>(y) * picture.width + x];
            const std::uint32_t drawn = canvas.pixel(left + x, top + y);
            if (channelDifference(expected, drawn) <= tolerance) continue;
            if (count++ == 0) first << "at " << x << "," << y << std::hex << " drew " << drawn << " not " << expected;
        }
    }
    if (count == 0) return {};
    return std::to_string(count) + " pixels differ, first " + first.str();
}

std::vector<fs::path> bmpFilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".bmp") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

core::Ref<Bitmap> loaded(const fs::path& file) {
    core::Ref<Bitmap> bitmap = core::create<Bitmap>();
    bitmap->loadFromFile(file.string());
    return bitmap;
}

TEST(BitmapDrawing, GoodFilesDrawAsTheirReferencePictures) {
    const auto files = bmpFilesIn(kBmpData / "good");
    ASSERT_GE(files.size(), 20U) << kBmpData;
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        core::Ref<Bitmap> bitmap = loaded(file);
        if (name == "pal8v4.bmp" || name == "pal8v5.bmp") {
            EXPECT_TRUE(bitmap->isEmpty()) << name << " has a header the loader does not take";
            continue;
        }
        ASSERT_FALSE(bitmap->isEmpty()) << name << ": " << bitmap->lastError();
        const Picture reference = readPpm(fs::path(file).replace_extension(".ppm"));
        ASSERT_EQ(bitmap->width(), reference.width) << name;
        ASSERT_EQ(bitmap->height(), reference.height) << name;
        Canvas canvas(reference.width, reference.height);
        bitmap->draw(canvas.dc(), 0, 0);
        EXPECT_EQ(differences(canvas, reference, name.starts_with("rgb16") ? 8 : 0), "") << name;
    }
}

TEST(BitmapDrawing, ImageIsDrawnWithItsTopLeftCornerAtThePoint) {
    core::Ref<Bitmap> bitmap = loaded(kBmpData / "good" / "pal8topdown.bmp");
    const Picture reference = readPpm(kBmpData / "good" / "pal8topdown.ppm");
    Canvas canvas(reference.width + 20, reference.height + 10);
    bitmap->draw(canvas.dc(), 15, 7);
    EXPECT_EQ(differences(canvas, reference, 0, 15, 7), "");
    EXPECT_EQ(canvas.pixel(14, 7), kBackground);
    EXPECT_EQ(canvas.pixel(15, 6), kBackground);
    EXPECT_EQ(canvas.pixel(15 + reference.width, 7 + reference.height), kBackground);
}

TEST(BitmapDrawing, HandleMakesADibSectionThatKeepsThePixels) {
    core::Ref<Bitmap> bitmap = loaded(kBmpData / "good" / "rgb24.bmp");
    const std::vector<std::uint8_t> before(bitmap->pixels(), bitmap->pixels() + bitmap->pixelMemorySize());
    const std::uint8_t* ownMemory = bitmap->pixels();
    ASSERT_NE(bitmap->handle(), nullptr) << bitmap->lastError();
    EXPECT_TRUE(bitmap->pixelsOwnedBySection());
    EXPECT_EQ(bitmap->handleKind(), Bitmap::HandleKind::DeviceIndependent);
    EXPECT_NE(bitmap->pixels(), ownMemory);
    EXPECT_EQ(std::vector<std::uint8_t>(bitmap->pixels(), bitmap->pixels() + bitmap->pixelMemorySize()), before);
    EXPECT_EQ(bitmap->handle(), bitmap->handle());

    Canvas canvas(bitmap->width(), bitmap->height());
    bitmap->draw(canvas.dc(), 0, 0);
    EXPECT_EQ(differences(canvas, readPpm(kBmpData / "good" / "rgb24.ppm"), 0), "");
    bitmap->clear();
    EXPECT_EQ(bitmap->pixels(), nullptr);
    EXPECT_FALSE(bitmap->pixelsOwnedBySection());
}

// Fills a new bitmap through scanLine: pixel (x, y) of the picture gets a
// colour made of x and y.
std::uint32_t patternColor(int x, int y) {
    return static_cast<std::uint32_t>(x * 20) << 16 | static_cast<std::uint32_t>(y * 30) << 8 | 0x40;
}

TEST(BitmapDrawing, ScanLinesOfANewThirtyTwoBitBitmapAreThePictureRows) {
    core::Ref<Bitmap> bitmap = toolkit::newDeviceIndependentBitmap(5, 4, PixelFormat::ThirtyTwoBits);
    for (int y = 0; y < 4; ++y) {
        auto* line = reinterpret_cast<std::uint32_t*>(bitmap->scanLine(y));
        for (int x = 0; x < 5; ++x) line[x] = patternColor(x, y);
    }
    for (bool throughSection : {false, true}) {
        if (throughSection) {
            ASSERT_NE(bitmap->handle(), nullptr);
        }
        Canvas canvas(5, 4);
        bitmap->draw(canvas.dc(), 0, 0);
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 5; ++x) EXPECT_EQ(canvas.pixel(x, y), patternColor(x, y)) << x << "," << y;
    }
}

TEST(BitmapDrawing, NewSixteenBitBitmapsDrawTheirMasks) {
    struct Case {
        PixelFormat format;
        std::uint16_t red;
    };
    for (const Case format : {Case{PixelFormat::SixteenBits, 0xF800}, Case{PixelFormat::FifteenBits, 0x7C00}}) {
        core::Ref<Bitmap> bitmap = toolkit::newDeviceIndependentBitmap(2, 1, format.format);
        auto* line = reinterpret_cast<std::uint16_t*>(bitmap->scanLine(0));
        line[0] = format.red;
        line[1] = 0x1F;
        Canvas canvas(2, 1);
        bitmap->draw(canvas.dc(), 0, 0);
        EXPECT_LE(channelDifference(canvas.pixel(0, 0), 0xFF0000), 8);
        EXPECT_LE(channelDifference(canvas.pixel(1, 0), 0x0000FF), 8);
    }
}

TEST(BitmapDrawing, NewDeviceBitmapDrawsWhatWasPaintedIntoIt) {
    core::Ref<Bitmap> bitmap = toolkit::newBitmap(6, 3);
    ASSERT_FALSE(bitmap->isEmpty()) << bitmap->lastError();
    EXPECT_EQ(bitmap->width(), 6);
    EXPECT_EQ(bitmap->height(), 3);
    EXPECT_EQ(bitmap->handleKind(), Bitmap::HandleKind::DeviceDependent);
    EXPECT_EQ(bitmap->pixelFormat(), PixelFormat::DeviceDependent);
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, bitmap->handle());
    HBRUSH brush = CreateSolidBrush(RGB(0x10, 0x80, 0xF0));
    RECT all{0, 0, 6, 3};
    FillRect(memory, &all, brush);
    DeleteObject(brush);
    SelectObject(memory, previous);
    DeleteDC(memory);

    Canvas canvas(8, 4);
    bitmap->draw(canvas.dc(), 1, 1);
    EXPECT_EQ(canvas.pixel(1, 1), 0x1080F0U);
    EXPECT_EQ(canvas.pixel(6, 3), 0x1080F0U);
    EXPECT_EQ(canvas.pixel(7, 3), kBackground);
    EXPECT_EQ(canvas.pixel(0, 0), kBackground);
}

TEST(BitmapDrawing, EmptyBitmapsDrawNothing) {
    Canvas canvas(4, 4);
    toolkit::newBitmap(0, 0)->draw(canvas.dc(), 0, 0);
    toolkit::newBitmap(5, 0)->draw(canvas.dc(), 0, 0);
    core::create<Bitmap>()->draw(canvas.dc(), 0, 0);
    core::Ref<Bitmap> cleared = loaded(kBmpData / "good" / "rgb24.bmp");
    cleared->clear();
    cleared->draw(canvas.dc(), 0, 0);
    EXPECT_EQ(cleared->handle(), nullptr);
    EXPECT_TRUE(canvas.untouched());
}

TEST(BitmapDrawing, BadFilesLoadAndDrawWithoutCrashing) {
    const auto files = bmpFilesIn(kBmpData / "bad");
    ASSERT_GE(files.size(), 10U);
    for (const fs::path& file : files) {
        core::Ref<Bitmap> bitmap = loaded(file);
        if (bitmap->isEmpty()) continue;
        Canvas canvas(bitmap->width(), bitmap->height());
        bitmap->draw(canvas.dc(), 0, 0);
        bitmap->handle();
        bitmap->draw(canvas.dc(), 0, 0);
    }
}

}  // namespace
