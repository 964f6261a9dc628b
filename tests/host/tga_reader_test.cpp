// The TGA reader: files of every kind it takes, written by ImageMagick and
// compared with ImageMagick's renderings of them, and hostile headers.
#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <string>

#include "bitmap_pictures.h"
#include "core/file_stream.h"
#include "core/object.h"
#include "core/tga_reader.h"
#include "model_bytes.h"
#include "ppm_picture.h"
#include "temp_folder.h"
#include "toolkit/bitmap/bitmap.h"

namespace {

using core::Ref;
using test_support::Picture;
using test_support::pictureDifferences;
using test_support::readPpm;
using toolkit::Bitmap;

const std::filesystem::path kTgaData = std::filesystem::path(SKIRVANE_TEST_DATA) / "tga";

TEST(TgaFiles, EachKindDecodesAsTheReferenceShowsIt) {
    struct Case {
        const char* file;
        const char* reference;
        int tolerance;  // the 5-bit channels of 16 bits may be widened differently
    };
    for (const Case& each :
         {Case{"rgb24.tga", "rgb.ppm", 0}, Case{"rgb24-rle.tga", "rgb.ppm", 0}, Case{"rgb24-topdown.tga", "rgb.ppm", 0},
          Case{"rgba32.tga", "rgb.ppm", 0}, Case{"rgba32-rle.tga", "rgb.ppm", 0}, Case{"rgb16.tga", "rgb16.ppm", 8},
          Case{"grey8.tga", "grey8.ppm", 0}, Case{"grey8-rle.tga", "grey8.ppm", 0}}) {
        Ref<Bitmap> bitmap = core::create<Bitmap>();
        ASSERT_TRUE(bitmap->loadFromFile((kTgaData / each.file).string(), core::ImageFormat::Tga))
            << each.file << ": " << bitmap->lastError();
        const Picture reference = readPpm(kTgaData / each.reference);
        ASSERT_FALSE(reference.pixels.empty()) << each.reference;
        EXPECT_EQ(pictureDifferences(bitmap_pictures::colorsOf(*bitmap), reference, each.tolerance), "") << each.file;
    }
    const Picture alpha = readPpm(kTgaData / "rgba32-alpha.ppm");
    for (const char* file : {"rgba32.tga", "rgba32-rle.tga"}) {
        Ref<Bitmap> bitmap = core::create<Bitmap>();
        ASSERT_TRUE(bitmap->loadFromFile((kTgaData / file).string(), core::ImageFormat::Tga)) << file;
        EXPECT_EQ(pictureDifferences(bitmap_pictures::alphaOf(*bitmap), alpha, 0), "") << file;
    }
}

// The 18-byte header of a TGA file.
std::string tgaHeader(int imageType, int width, int height, int bits, int colorMapType = 0) {
    const auto le16 = [](int value) {
        return std::string{static_cast<char>(value & 0xFF), static_cast<char>(value >> 8)};
    };
    return std::string{0, static_cast<char>(colorMapType), static_cast<char>(imageType)} + std::string(9, '\0') +
           le16(width) + le16(height) + static_cast<char>(bits) + '\0';
}

class TgaReading : public ::testing::Test {
protected:
    // Reads the bytes from the middle of a file; the image read and, in
    // `error`, why not.
    core::BmpImage read(const std::string& bytes, std::string& error) {
        test_support::writeFileBytes(path_, "prefix" + bytes);
        Ref<core::FileStream> stream = core::openFileForReading(path_);
        stream->seek(6, core::FileStream::FromStart);
        core::BmpImage image = core::readTga(*stream, error);
        if (!error.empty()) {
            EXPECT_EQ(stream->position(), 6) << "a refused file moved the stream";
            EXPECT_EQ(image.header, nullptr);
            EXPECT_EQ(image.pixels, nullptr);
        }
        return image;
    }
    std::string refusalOf(const std::string& bytes) {
        std::string error;
        read(bytes, error);
        return error;
    }

    test_support::TempFolder folder_;
    const std::string path_ = folder_.file("image.tga");
};

TEST_F(TgaReading, KindsOtherThanTheGamesAndHostileSizesAreRefused) {
    constexpr char kUnsupported[] = "Unsupported TGA format";
    const std::string pixels(64, '\x11');
    EXPECT_EQ(refusalOf(tgaHeader(1, 2, 2, 8, 1) + pixels), kUnsupported) << "colour-mapped";
    EXPECT_EQ(refusalOf(tgaHeader(9, 2, 2, 8, 1) + pixels), kUnsupported) << "run-length colour-mapped";
    EXPECT_EQ(refusalOf(tgaHeader(2, 2, 2, 24, 1) + pixels), kUnsupported) << "true colour with a colour map";
    EXPECT_EQ(refusalOf(tgaHeader(3, 2, 2, 16) + pixels), kUnsupported) << "grey with alpha";
    EXPECT_EQ(refusalOf(tgaHeader(2, 2, 2, 15) + pixels), kUnsupported);
    EXPECT_EQ(refusalOf(tgaHeader(2, 2, 2, 8) + pixels), kUnsupported);
    EXPECT_EQ(refusalOf(tgaHeader(32, 2, 2, 24) + pixels), kUnsupported) << "compressed by Huffman codes";
    EXPECT_EQ(refusalOf(tgaHeader(2, 0, 2, 24) + pixels), "TGA width must be > 0");
    EXPECT_EQ(refusalOf(tgaHeader(10, 2, 0, 24) + pixels), "TGA height must be > 0");
    EXPECT_EQ(refusalOf(tgaHeader(10, 65535, 65535, 32)), "TGA too large");
    EXPECT_EQ(refusalOf(tgaHeader(11, 32769, 1, 8)), "TGA too large");
    EXPECT_EQ(refusalOf(tgaHeader(10, 32768, 2049, 32)), "TGA too large") << "256 MiB and a line";
    EXPECT_EQ(refusalOf(tgaHeader(2, 4, 4, 24) + std::string(47, '\0')), "Unexpected end of file");
    EXPECT_EQ(refusalOf(tgaHeader(2, 4, 4, 24).substr(0, 17)), "Unexpected end of file");
    EXPECT_EQ(refusalOf(""), "Unexpected end of file");
}

// A damaged file shows as damaged, and a few bytes cannot claim a huge
// picture; a last packet may run past the image.
TEST_F(TgaReading, RunLengthPacketsMustCoverEveryPixel) {
    EXPECT_EQ(refusalOf(tgaHeader(10, 3, 1, 24) + std::string{0, '\xFF', 0, 0}), "Unexpected end of file");
    EXPECT_EQ(refusalOf(tgaHeader(11, 17667, 14914, 8) + "\x83\x07\x02\x01"), "Unexpected end of file");
    std::string error;
    // A raw packet of two pixels, then one of 128 repeated pixels of which two are inside.
    const core::BmpImage image =
        read(tgaHeader(10, 4, 1, 24) + std::string{1, '\xFF', 0, 0, 0, '\xFF', 0} + std::string{'\xFF', 0, 0, '\xFF'},
             error);
    ASSERT_EQ(error, "");
    EXPECT_EQ(image.fileBitsPerPixel, 24);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(image.pixels.get()), 12),
              std::string("\xFF\0\0\0\xFF\0\0\0\xFF\0\0\xFF", 12));
}

}  // namespace
