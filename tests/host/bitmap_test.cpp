#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <limits>
#include <string>
#include <vector>

#include "bmp_bytes.h"
#include "core/bmp_run_length.h"
#include "core/file_stream.h"
#include "core/object.h"
#include "model_bytes.h"
#include "temp_folder.h"
#include "toolkit/bitmap/bitmap.h"

namespace {

using core::FileStream;
using core::PixelFormat;
using core::Ref;
using test_support::BmpBytes;
using test_support::encodeBmp;
using test_support::rleEndOfImage;
using test_support::rleEndOfLine;
using test_support::rleLiteral;
using test_support::rleLiteral4;
using test_support::rleMove;
using test_support::rleRun;
using toolkit::Bitmap;

namespace fs = std::filesystem;

// A colour entry that differs for every index and in every channel.
std::uint32_t entryColor(std::uint32_t index) {
    return (index & 0xFF) << 16 | ((255 - index) & 0xFF) << 8 | ((index * 7 + 3) & 0xFF);
}

std::vector<std::uint32_t> palette(std::uint32_t count) {
    std::vector<std::uint32_t> entries;
    for (std::uint32_t i = 0; i < count; ++i) entries.push_back(entryColor(i));
    return entries;
}

std::string bytes(std::initializer_list<int> values) {
    std::string out;
    for (int value : values) out += static_cast<char>(value);
    return out;
}

// An 8-bit image of `lines` stored lines, `width` pixels each; line i is
// made of the values 16 * i + column, padded to 4 bytes.
std::string eightBitLines(int width, int lines) {
    std::string out;
    for (int line = 0; line < lines; ++line) {
        for (int x = 0; x < width; ++x) out += static_cast<char>(16 * line + x);
        out.append(test_support::bmpLineBytes(width, 8) - static_cast<std::size_t>(width), '\0');
    }
    return out;
}

class BitmapTest : public ::testing::Test {
protected:
    // Writes the file and loads it into `bitmap`.
    bool load(const BmpBytes& description) {
        test_support::writeFileBytes(path, encodeBmp(description));
        return bitmap->loadFromFile(path);
    }
    Ref<FileStream> streamOf(const std::string& fileBytes) {
        test_support::writeFileBytes(path, fileBytes);
        return core::openFileForReading(path);
    }

    // `count` bytes of the picture row `y` (0 = top).
    std::string row(int y, std::size_t count) {
        const std::uint8_t* line = bitmap->scanLine(y);
        if (line == nullptr) return "(no line)";
        return {reinterpret_cast<const char*>(line), count};
    }
    std::uint32_t color(std::size_t index) const { return bitmap->headerBlock()->colors[index]; }

    // Loads the file from the middle of a stream, expecting a refusal that
    // leaves the stream where it was and the bitmap empty; gives the error
    // text.
    std::string refusalOf(const std::string& fileBytes);

    void expectEmpty() {
        EXPECT_TRUE(bitmap->isEmpty());
        EXPECT_EQ(bitmap->width(), 0);
        EXPECT_EQ(bitmap->height(), 0);
        EXPECT_EQ(bitmap->bytesPerScanLine(), 0);
        EXPECT_EQ(bitmap->headerBlock(), nullptr);
        EXPECT_EQ(bitmap->pixels(), nullptr);
        EXPECT_EQ(bitmap->pixelMemorySize(), 0U);
    }

    test_support::TempFolder folder;
    const std::string path = folder.file("image.bmp");
    Ref<Bitmap> bitmap = core::create<Bitmap>();
};

// --- Headers and colour tables ----------------------------------------------

using BitmapHeaders = BitmapTest;

TEST_F(BitmapHeaders, FileWithoutFileHeaderLoads) {
    BmpBytes image;
    image.fileHeader = false;
    image.width = 3;
    image.height = 2;
    image.palette = palette(256);
    image.pixels = eightBitLines(3, 2);
    ASSERT_TRUE(load(image)) << bitmap->lastError();
    EXPECT_EQ(bitmap->width(), 3);
    EXPECT_EQ(bitmap->height(), 2);
    EXPECT_EQ(bitmap->bytesPerScanLine(), 4);
    EXPECT_EQ(bitmap->pixelFormat(), PixelFormat::EightBits);
    EXPECT_EQ(color(0), entryColor(0));
    EXPECT_EQ(color(255), entryColor(255));
    EXPECT_EQ(row(0, 3), bytes({16, 17, 18}));  // the top row is the last stored line
    EXPECT_EQ(row(1, 3), bytes({0, 1, 2}));
}

TEST_F(BitmapHeaders, SixteenColoursBeforeOffset118AreTheWholeTable) {
    BmpBytes image;
    image.width = 2;
    image.height = 2;
    image.colorsUsed = 16;
    image.palette = palette(16);
    image.pixels = eightBitLines(2, 2);
    ASSERT_EQ(encodeBmp(image).substr(10, 4), bytes({118, 0, 0, 0}));
    ASSERT_TRUE(load(image));
    EXPECT_EQ(color(15), entryColor(15));
    EXPECT_EQ(color(16), 0U);
    EXPECT_EQ(row(1, 2), bytes({0, 1}));
    EXPECT_EQ(bitmap->headerBlock()->info.colorsUsed, 16U);
}

TEST_F(BitmapHeaders, SixteenColoursBeforeOffset1078ReadAllEntries) {
    BmpBytes image;
    image.width = 2;
    image.height = 2;
    image.colorsUsed = 16;
    image.palette = palette(256);
    image.pixels = eightBitLines(2, 2);
    ASSERT_EQ(encodeBmp(image).substr(10, 4), bytes({0x36, 4, 0, 0}));  // 1078
    ASSERT_TRUE(load(image));
    EXPECT_EQ(color(16), entryColor(16));
    EXPECT_EQ(color(255), entryColor(255));
    EXPECT_EQ(row(0, 2), bytes({16, 17}));
}

TEST_F(BitmapHeaders, GapBeyondAFullTableIsSkipped) {
    BmpBytes image;
    image.width = 2;
    image.height = 1;
    image.bitsPerPixel = 4;
    image.colorsUsed = 16;
    image.palette = palette(16);
    image.gap = std::string(1100, '\x77');
    image.pixels = bytes({0x12, 0, 0, 0});
    ASSERT_TRUE(load(image));
    EXPECT_EQ(color(15), entryColor(15));
    EXPECT_EQ(row(0, 1), bytes({0x12}));
}

TEST_F(BitmapHeaders, ColourTableNeverGrowsPastItsRoom) {
    // No file header tells how long the table is, so colours-used decides,
    // up to 256 entries.
    BmpBytes image;
    image.fileHeader = false;
    image.width = 2;
    image.height = 1;
    image.colorsUsed = 100000;
    image.palette = palette(256);
    image.pixels = bytes({5, 6, 0, 0});
    ASSERT_TRUE(load(image));
    EXPECT_EQ(color(255), entryColor(255));
    EXPECT_EQ(row(0, 2), bytes({5, 6}));
    EXPECT_LE(bitmap->headerBlock()->info.colorsUsed, 256U);
}

TEST_F(BitmapHeaders, ColourTableIsSkippedWhenTheFileHoldsOnlyThePixels) {
    BmpBytes image;
    image.fileHeader = false;
    image.width = 4;
    image.height = 1;
    image.bitsPerPixel = 8;
    image.colorsUsed = 1;
    image.pixels = bytes({1, 2, 3, 4});  // no room for a table before them
    ASSERT_TRUE(load(image));
    EXPECT_EQ(color(0), 0U);
    EXPECT_EQ(row(0, 4), bytes({1, 2, 3, 4}));
}

TEST_F(BitmapHeaders, CoreHeaderFileReadsItsWholePalette) {
    BmpBytes image;
    image.headerSize = 12;
    image.width = 3;
    image.height = 2;
    image.palette = palette(256);
    image.pixels = eightBitLines(3, 2);
    ASSERT_EQ(encodeBmp(image).substr(10, 4), bytes({0x1A, 3, 0, 0}));  // 794 = 14 + 12 + 768
    ASSERT_TRUE(load(image)) << bitmap->lastError();
    EXPECT_EQ(bitmap->headerBlock()->info.size, 40U);
    EXPECT_EQ(color(0), entryColor(0));
    EXPECT_EQ(color(245), entryColor(245));
    EXPECT_EQ(color(255), entryColor(255));
    EXPECT_EQ(row(0, 3), bytes({16, 17, 18}));
    EXPECT_EQ(row(1, 3), bytes({0, 1, 2}));
}

TEST_F(BitmapHeaders, CoreHeaderSizesAreUnsigned) {
    BmpBytes image;
    image.headerSize = 12;
    image.width = 1;
    image.height = 0x8000;
    image.bitsPerPixel = 1;
    image.palette = palette(2);
    image.pixels = std::string(4 * 0x8000, '\0');
    ASSERT_TRUE(load(image)) << bitmap->lastError();
    EXPECT_EQ(bitmap->height(), 0x8000);
    EXPECT_EQ(bitmap->headerBlock()->info.height, 0x8000);
}

TEST_F(BitmapHeaders, TopDownFileKeepsItsLineOrderAndReportsAPositiveHeight) {
    BmpBytes image;
    image.width = 2;
    image.height = -3;
    image.palette = palette(256);
    image.pixels = eightBitLines(2, 3);
    ASSERT_TRUE(load(image));
    EXPECT_EQ(bitmap->height(), 3);
    EXPECT_EQ(bitmap->headerBlock()->info.height, -3);
    EXPECT_EQ(bitmap->scanLine(0), bitmap->pixels());
    EXPECT_EQ(row(0, 2), bytes({0, 1}));
    EXPECT_EQ(row(2, 2), bytes({32, 33}));
    EXPECT_EQ(bitmap->scanLine(3), nullptr);
    EXPECT_EQ(bitmap->scanLine(-1), nullptr);
}

TEST_F(BitmapHeaders, TwentyFourBitFileWithAPaletteReadsPixelsFromItsOffset) {
    BmpBytes image;
    image.width = 2;
    image.height = 1;
    image.bitsPerPixel = 24;
    image.colorsUsed = 256;
    image.palette = palette(256);
    image.pixels = bytes({1, 2, 3, 4, 5, 6, 0, 0});
    ASSERT_TRUE(load(image));
    EXPECT_EQ(bitmap->pixelFormat(), PixelFormat::TwentyFourBits);
    EXPECT_EQ(row(0, 6), bytes({1, 2, 3, 4, 5, 6}));
}

TEST_F(BitmapHeaders, ImageInsideALargerStreamCountsItsOffsetFromItsStart) {
    BmpBytes image;
    image.width = 2;
    image.height = 1;
    image.bitsPerPixel = 24;
    image.colorsUsed = 2;
    image.palette = palette(2);
    image.pixels = bytes({9, 8, 7, 6, 5, 4, 0, 0});
    const std::string prefix = "seven..";
    Ref<FileStream> stream = streamOf(prefix + encodeBmp(image) + "after");
    stream->seek(static_cast<std::int64_t>(prefix.size()), FileStream::FromStart);
    ASSERT_TRUE(bitmap->loadFromStream(*stream));
    EXPECT_EQ(row(0, 6), bytes({9, 8, 7, 6, 5, 4}));
}

TEST_F(BitmapHeaders, TruncatedPixelsLoadAndWhatIsMissingIsZero) {
    BmpBytes image;
    image.width = 4;
    image.height = 2;
    image.bitsPerPixel = 24;
    image.pixels = std::string(12, '\x55') + "\x66\x66";  // the bottom line and 2 bytes of the top one
    ASSERT_TRUE(load(image));
    EXPECT_EQ(row(1, 12), std::string(12, '\x55'));
    EXPECT_EQ(row(0, 12), "\x66\x66" + std::string(10, '\0'));
}

TEST_F(BitmapHeaders, LoadingReplacesTheImageBefore) {
    BmpBytes big;
    big.width = 8;
    big.height = 8;
    big.bitsPerPixel = 24;
    big.pixels = std::string(24 * 8, '\x11');
    ASSERT_TRUE(load(big));
    BmpBytes small;
    small.width = 1;
    small.height = 2;
    small.bitsPerPixel = 32;
    small.pixels = bytes({1, 2, 3, 4, 5, 6, 7, 8});
    ASSERT_TRUE(load(small));
    EXPECT_EQ(bitmap->width(), 1);
    EXPECT_EQ(bitmap->height(), 2);
    EXPECT_EQ(bitmap->pixelMemorySize(), 8U);
    EXPECT_EQ(row(0, 4), bytes({5, 6, 7, 8}));
}

TEST_F(BitmapHeaders, ClearingEmptiesTheBitmapAndClearingAgainChangesNothing) {
    BmpBytes image;
    image.width = 2;
    image.height = 2;
    image.bitsPerPixel = 32;
    image.pixels = std::string(16, '\x42');
    ASSERT_TRUE(load(image));
    bitmap->clear();
    expectEmpty();
    bitmap->clear();
    expectEmpty();
    EXPECT_EQ(bitmap->scanLine(0), nullptr);
}

// --- Pixel formats -----------------------------------------------------------

using BitmapFormats = BitmapTest;

TEST_F(BitmapFormats, BitCountsGiveTheFirstMatchingFormat) {
    EXPECT_EQ(core::bmp::formatOfBitCount(1), PixelFormat::OneBit);
    EXPECT_EQ(core::bmp::formatOfBitCount(4), PixelFormat::FourBits);
    EXPECT_EQ(core::bmp::formatOfBitCount(8), PixelFormat::EightBits);
    EXPECT_EQ(core::bmp::formatOfBitCount(16), PixelFormat::FifteenBits);
    EXPECT_EQ(core::bmp::formatOfBitCount(24), PixelFormat::TwentyFourBits);
    EXPECT_EQ(core::bmp::formatOfBitCount(32), PixelFormat::ThirtyTwoBits);
    EXPECT_EQ(core::bmp::formatOfBitCount(2), PixelFormat::Custom);
    EXPECT_EQ(core::bmp::formatOfBitCount(0), PixelFormat::Custom);
}

TEST_F(BitmapFormats, ScanLinesArePaddedToFourBytes) {
    EXPECT_EQ(core::bmp::bytesPerScanLine(127, 24), 384);
    EXPECT_EQ(core::bmp::bytesPerScanLine(33, 1), 8);
    EXPECT_EQ(core::bmp::bytesPerScanLine(32, 1), 4);
    EXPECT_EQ(core::bmp::bytesPerScanLine(3, 4), 4);
    EXPECT_EQ(core::bmp::bytesPerScanLine(9, 4), 8);
    EXPECT_EQ(core::bmp::bytesPerScanLine(1, 16), 4);
}

BmpBytes sixteenBitImage(std::vector<std::uint32_t> masks) {
    BmpBytes image;
    image.width = 2;
    image.height = 1;
    image.bitsPerPixel = 16;
    image.compression = core::bmp::kBitFields;
    image.masks = std::move(masks);
    image.pixels = bytes({0x1F, 0, 0xE0, 0x07});
    return image;
}

TEST_F(BitmapFormats, BitFieldsWith565MasksAreSixteenBits) {
    ASSERT_TRUE(load(sixteenBitImage({0xF800, 0x7E0, 0x1F})));
    EXPECT_EQ(bitmap->pixelFormat(), PixelFormat::SixteenBits);
    EXPECT_EQ(row(0, 4), bytes({0x1F, 0, 0xE0, 0x07}));
}

TEST_F(BitmapFormats, BitFieldsWith555MasksAreFifteenBits) {
    ASSERT_TRUE(load(sixteenBitImage({0x7C00, 0x3E0, 0x1F})));
    EXPECT_EQ(bitmap->pixelFormat(), PixelFormat::FifteenBits);
}

TEST_F(BitmapFormats, BitFieldsWithOtherMasksAreCustom) {
    ASSERT_TRUE(load(sixteenBitImage({0xFF00, 0xFF, 0})));
    EXPECT_EQ(bitmap->pixelFormat(), PixelFormat::Custom);
}

TEST_F(BitmapFormats, UncompressedSixteenBitsAreFifteenBitsAndReadNoMasks) {
    BmpBytes image;
    image.width = 2;
    image.height = 1;
    image.bitsPerPixel = 16;
    image.pixels = bytes({1, 2, 3, 4});
    ASSERT_TRUE(load(image));
    EXPECT_EQ(bitmap->pixelFormat(), PixelFormat::FifteenBits);
    EXPECT_EQ(color(0), 0U);
    EXPECT_EQ(row(0, 4), bytes({1, 2, 3, 4}));
}

TEST_F(BitmapFormats, BitFieldsWithoutRoomForMasksKeep565) {
    BmpBytes image = sixteenBitImage({});
    image.fileHeader = false;
    ASSERT_TRUE(load(image));
    EXPECT_EQ(bitmap->pixelFormat(), PixelFormat::SixteenBits);
    EXPECT_EQ(row(0, 4), bytes({0x1F, 0, 0xE0, 0x07}));
}

TEST_F(BitmapFormats, NewThirtyTwoBitBitmapIsZeroedAndStoredBottomFirst) {
    Ref<Bitmap> made = toolkit::newDeviceIndependentBitmap(3, 2, PixelFormat::ThirtyTwoBits);
    ASSERT_FALSE(made->isEmpty());
    EXPECT_EQ(made->bytesPerScanLine(), 12);
    EXPECT_EQ(made->pixelFormat(), PixelFormat::ThirtyTwoBits);
    const core::InfoHeader& info = made->headerBlock()->info;
    EXPECT_EQ(info.size, 40U);
    EXPECT_EQ(info.height, 2);
    EXPECT_EQ(info.planes, 1);
    EXPECT_EQ(info.bitsPerPixel, 32);
    EXPECT_EQ(info.compression, core::bmp::kNoCompression);
    ASSERT_EQ(made->pixelMemorySize(), 24U);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(made->pixels()), 24), std::string(24, '\0'));
    EXPECT_EQ(made->scanLine(0), made->pixels() + 12);
    EXPECT_EQ(made->scanLine(1), made->pixels());
}

TEST_F(BitmapFormats, NewSixteenBitBitmapsUseBitFieldsOfTheirFormat) {
    Ref<Bitmap> sixteen = toolkit::newDeviceIndependentBitmap(5, 1, PixelFormat::SixteenBits);
    EXPECT_EQ(sixteen->headerBlock()->info.compression, core::bmp::kBitFields);
    EXPECT_EQ(sixteen->pixelFormat(), PixelFormat::SixteenBits);
    EXPECT_EQ(sixteen->bytesPerScanLine(), 12);
    Ref<Bitmap> fifteen = toolkit::newDeviceIndependentBitmap(5, 1, PixelFormat::FifteenBits);
    EXPECT_EQ(fifteen->pixelFormat(), PixelFormat::FifteenBits);
}

TEST_F(BitmapFormats, NewBitmapWithoutASizeOrABitCountIsEmpty) {
    EXPECT_TRUE(toolkit::newDeviceIndependentBitmap(0, 5, PixelFormat::EightBits)->isEmpty());
    EXPECT_TRUE(toolkit::newDeviceIndependentBitmap(5, 0, PixelFormat::EightBits)->isEmpty());
    Ref<Bitmap> custom = toolkit::newDeviceIndependentBitmap(5, 5, PixelFormat::Custom);
    EXPECT_TRUE(custom->isEmpty());
    EXPECT_EQ(custom->lastError(), "Unsupported bitmap format");
    Ref<Bitmap> negative = toolkit::newDeviceIndependentBitmap(5, -5, PixelFormat::EightBits);
    EXPECT_TRUE(negative->isEmpty());
    EXPECT_EQ(negative->headerBlock(), nullptr);
    Ref<Bitmap> huge = toolkit::newDeviceIndependentBitmap(30000, 30000, PixelFormat::ThirtyTwoBits);
    EXPECT_TRUE(huge->isEmpty());
    EXPECT_EQ(huge->lastError(), "Bitmap too large");
}

// --- Run-length images -------------------------------------------------------

using BitmapRunLength = BitmapTest;

BmpBytes rle8Image(int width, int height, std::string codes) {
    BmpBytes image;
    image.width = width;
    image.height = height;
    image.compression = core::bmp::kRle8;
    image.colorsUsed = 4;
    image.palette = palette(4);
    image.pixels = std::move(codes);
    return image;
}

BmpBytes rle4Image(int width, int height, std::string codes) {
    BmpBytes image = rle8Image(width, height, std::move(codes));
    image.bitsPerPixel = 4;
    image.compression = core::bmp::kRle4;
    return image;
}

TEST_F(BitmapRunLength, RunsAndLiteralsFillTheLinesAndTheImageBecomesUncompressed) {
    ASSERT_TRUE(load(rle8Image(5, 2,
                               rleRun(2, 7) + rleLiteral(bytes({1, 2, 3})) + rleEndOfLine() +
                                   rleLiteral(bytes({4, 5, 6})) + rleRun(2, 9) + rleEndOfImage())));
    EXPECT_EQ(row(1, 5), bytes({7, 7, 1, 2, 3}));
    EXPECT_EQ(row(0, 5), bytes({4, 5, 6, 9, 9}));
    EXPECT_EQ(bitmap->headerBlock()->info.compression, core::bmp::kNoCompression);
    EXPECT_EQ(color(3), entryColor(3));
}

TEST_F(BitmapRunLength, RunPastTheRightEdgeWritesNothingAndLaterLinesLandInPlace) {
    ASSERT_TRUE(
        load(rle8Image(4, 3,
                       rleRun(2, 1) + rleRun(3, 2) + rleRun(1, 3) + rleEndOfLine() +
                           rleLiteral(bytes({5, 5, 5, 5, 5})) + rleEndOfLine() + rleRun(4, 6) + rleEndOfImage())));
    EXPECT_EQ(row(2, 4), bytes({1, 1, 0, 0}));  // the run of 3 and the pixel after it are dropped
    EXPECT_EQ(row(1, 4), bytes({0, 0, 0, 0}));  // five literal pixels do not fit in four
    EXPECT_EQ(row(0, 4), bytes({6, 6, 6, 6}));
}

TEST_F(BitmapRunLength, MoveSkipsColumnsAndLines) {
    ASSERT_TRUE(load(rle8Image(
        4, 3, rleRun(1, 1) + rleMove(2, 1) + rleRun(1, 2) + rleEndOfLine() + rleRun(1, 3) + rleEndOfImage())));
    EXPECT_EQ(row(2, 4), bytes({1, 0, 0, 0}));
    EXPECT_EQ(row(1, 4), bytes({0, 0, 0, 2}));
    EXPECT_EQ(row(0, 4), bytes({3, 0, 0, 0}));
}

TEST_F(BitmapRunLength, MovePastTheLastLineEndsTheImage) {
    ASSERT_TRUE(load(rle8Image(2, 2, rleRun(2, 1) + rleMove(0, 200) + rleRun(2, 2) + rleEndOfImage())));
    EXPECT_EQ(row(1, 2), bytes({1, 1}));
    EXPECT_EQ(row(0, 2), bytes({0, 0}));
}

TEST_F(BitmapRunLength, Rle4RunAtAnOddColumnStartsInTheLowNibble) {
    ASSERT_TRUE(load(rle4Image(6, 1, rleRun(1, 0x90) + rleRun(3, 0x12) + rleEndOfImage())));
    EXPECT_EQ(row(0, 3), bytes({0x91, 0x21, 0x00}));
}

TEST_F(BitmapRunLength, Rle4LiteralAtAnOddColumnIsShiftedByOneNibble) {
    ASSERT_TRUE(load(rle4Image(
        8, 1, rleRun(1, 0xF0) + rleLiteral4(5, bytes({0x12, 0x34, 0x50})) + rleRun(2, 0xAB) + rleEndOfImage())));
    EXPECT_EQ(row(0, 4), bytes({0xF1, 0x23, 0x45, 0xAB}));
}

TEST_F(BitmapRunLength, Rle4RunPastTheRightEdgeWritesNothing) {
    ASSERT_TRUE(
        load(rle4Image(4, 2, rleRun(3, 0x11) + rleRun(2, 0x22) + rleEndOfLine() + rleRun(4, 0x33) + rleEndOfImage())));
    EXPECT_EQ(row(1, 2), bytes({0x11, 0x10}));
    EXPECT_EQ(row(0, 2), bytes({0x33, 0x33}));
}

TEST_F(BitmapRunLength, CodesAfterTheFileSizeAreNotDecodedAndTheStreamEndsThere) {
    const std::string codes = rleRun(2, 1) + rleEndOfLine();
    BmpBytes image = rle8Image(2, 2, codes);
    image.trailer = rleRun(2, 3) + "tail";
    const std::string file = encodeBmp(image);
    const auto fileSize = static_cast<std::int64_t>(file.size() - image.trailer.size());
    image.fileSize = static_cast<std::uint32_t>(fileSize);
    Ref<FileStream> stream = streamOf(encodeBmp(image));
    ASSERT_TRUE(bitmap->loadFromStream(*stream));
    EXPECT_EQ(row(1, 2), bytes({1, 1}));
    EXPECT_EQ(row(0, 2), bytes({0, 0}));
    EXPECT_EQ(stream->position(), fileSize);
}

TEST_F(BitmapRunLength, FileSizeAtOrBelowThePixelOffsetReadsTheCodesToTheEndOfTheStream) {
    BmpBytes image = rle8Image(2, 2, rleRun(2, 1) + rleEndOfLine() + rleRun(2, 2) + rleEndOfImage());
    constexpr int kPixelOffset = 54 + 4 * 4;  // the headers and four colours
    ASSERT_EQ(encodeBmp(image).substr(10, 4), bytes({kPixelOffset, 0, 0, 0}));
    for (const int fileSize : {0, kPixelOffset - 1, kPixelOffset}) {
        image.fileSize = static_cast<std::uint32_t>(fileSize);
        const std::string file = encodeBmp(image);
        Ref<FileStream> stream = streamOf(file);
        ASSERT_TRUE(bitmap->loadFromStream(*stream)) << fileSize;
        EXPECT_EQ(row(1, 2), bytes({1, 1})) << fileSize;
        EXPECT_EQ(row(0, 2), bytes({2, 2})) << fileSize;
        EXPECT_EQ(stream->position(), static_cast<std::int64_t>(file.size())) << fileSize;
    }
}

TEST_F(BitmapRunLength, HeaderImageSizeLimitsTheCodesRead) {
    BmpBytes image = rle8Image(2, 2, rleRun(2, 1) + rleEndOfLine() + rleRun(2, 2));
    image.imageSize = 4;
    ASSERT_TRUE(load(image));
    EXPECT_EQ(row(1, 2), bytes({1, 1}));
    EXPECT_EQ(row(0, 2), bytes({0, 0}));
}

TEST_F(BitmapRunLength, CodesCutShortLeaveTheRestZero) {
    for (const std::string& cut : {rleRun(2, 1) + bytes({2}), rleRun(2, 1) + bytes({0, 5, 9}),
                                   rleRun(2, 1) + bytes({0, 2, 1}), rleRun(2, 1) + bytes({0})}) {
        ASSERT_TRUE(load(rle8Image(4, 1, cut)));
        EXPECT_EQ(row(0, 4), bytes({1, 1, 0, 0}));
    }
    ASSERT_TRUE(load(rle8Image(4, 1, bytes({0, 4, 7, 8}))));
    EXPECT_EQ(row(0, 4), bytes({7, 8, 0, 0}));
}

// The decoders on their own, against rows with guard bytes around them.
class RunLengthDecoders : public ::testing::Test {
protected:
    static constexpr std::size_t kGuard = 16;
    static constexpr std::uint8_t kGuardByte = 0xEE;

    // Rows of `lines` x `bytesPerLine` bytes for `width` pixels.
    void prepare(std::int64_t width, std::int64_t bytesPerLine, std::int64_t lines) {
        memory.assign(2 * kGuard + static_cast<std::size_t>(bytesPerLine * lines), 0);
        std::memset(memory.data(), kGuardByte, kGuard);
        std::memset(memory.data() + memory.size() - kGuard, kGuardByte, kGuard);
        rows = {memory.data() + kGuard, bytesPerLine, width, lines};
    }
    bool guardsIntact() const {
        for (std::size_t i = 0; i < kGuard; ++i)
            if (memory[i] != kGuardByte || memory[memory.size() - 1 - i] != kGuardByte) return false;
        return true;
    }
    std::string rowsText() const {
        return {reinterpret_cast<const char*>(memory.data() + kGuard), memory.size() - 2 * kGuard};
    }
    static std::vector<std::uint8_t> input(const std::string& codes) { return {codes.begin(), codes.end()}; }

    std::vector<std::uint8_t> memory;
    core::bmp::PixelRows rows{};
};

TEST_F(RunLengthDecoders, NothingIsWrittenOutsideLinesNarrowerThanTheWidthSays) {
    // An RLE8 stream for an image whose lines are shorter than its width
    // in bytes (a 1-bit header with RLE8 codes).
    prepare(20, 4, 2);
    const auto codes = input(rleRun(4, 1) + rleRun(10, 2) + rleEndOfLine() + rleLiteral(std::string(6, '\x03')) +
                             rleRun(3, 4) + rleEndOfLine() + rleRun(4, 5));
    core::bmp::decodeRle8(codes, rows);
    EXPECT_TRUE(guardsIntact());
    EXPECT_EQ(rowsText(), bytes({1, 1, 1, 1, 0, 0, 0, 0}));

    prepare(20, 2, 2);
    const auto codes4 = input(rleRun(4, 0x11) + rleRun(9, 0x22) + rleEndOfLine() + rleRun(5, 0x33));
    core::bmp::decodeRle4(codes4, rows);
    EXPECT_TRUE(guardsIntact());
    EXPECT_EQ(rowsText(), bytes({0x11, 0x11, 0, 0}));
}

TEST_F(RunLengthDecoders, RunsOfAnyLengthAtAnyColumnStayInside) {
    for (int start = 0; start < 8; ++start) {
        for (int count = 1; count < 12; ++count) {
            prepare(8, 4, 1);
            const auto codes =
                input(rleMove(start, 0) + rleRun(count, 0xAB) + rleLiteral4(count, std::string(6, '\xCD')));
            core::bmp::decodeRle4(codes, rows);
            EXPECT_TRUE(guardsIntact()) << start << " " << count;
            prepare(8, 8, 1);
            core::bmp::decodeRle8(codes, rows);
            EXPECT_TRUE(guardsIntact()) << start << " " << count;
        }
    }
}

// --- Refused files -----------------------------------------------------------

using BitmapRefusals = BitmapTest;

BmpBytes plainImage() {
    BmpBytes image;
    image.width = 2;
    image.height = 2;
    image.bitsPerPixel = 24;
    image.pixels = std::string(16, '\x10');
    return image;
}

std::string BitmapTest::refusalOf(const std::string& fileBytes) {
    const std::string prefix = "prefix";
    Ref<FileStream> stream = streamOf(prefix + fileBytes);
    const auto start = static_cast<std::int64_t>(prefix.size());
    stream->seek(start, FileStream::FromStart);
    // A good image first, so that the refusal must empty the bitmap.
    test_support::writeFileBytes(folder.file("good.bmp"), encodeBmp(plainImage()));
    EXPECT_TRUE(bitmap->loadFromFile(folder.file("good.bmp")));
    EXPECT_FALSE(bitmap->loadFromStream(*stream));
    EXPECT_EQ(stream->position(), start);
    expectEmpty();
    return bitmap->lastError();
}

TEST_F(BitmapRefusals, ShortFileHeaderIsRefused) {
    EXPECT_EQ(refusalOf("BM\x10"), "Unexpected end of file");
    EXPECT_EQ(refusalOf(""), "Unexpected end of file");
}

TEST_F(BitmapRefusals, ShortInfoHeaderIsRefused) {
    const std::string file = encodeBmp(plainImage());
    EXPECT_EQ(refusalOf(file.substr(0, 16)), "Unexpected end of file");
    EXPECT_EQ(refusalOf(file.substr(0, 53)), "Unexpected end of file");
}

TEST_F(BitmapRefusals, HeaderSizesOtherThan12And40AreRefused) {
    for (std::uint32_t size : {108U, 124U, 64U, 0U}) {
        BmpBytes image = plainImage();
        image.headerSize = size;
        EXPECT_EQ(refusalOf(encodeBmp(image)), "Unsupported bitmap format") << size;
    }
}

TEST_F(BitmapRefusals, WidthBelowOneIsRefused) {
    for (std::int32_t width : {0, -1, std::numeric_limits<std::int32_t>::min()}) {
        BmpBytes image = plainImage();
        image.width = width;
        EXPECT_EQ(refusalOf(encodeBmp(image)), "Bitmap width must be > 0") << width;
    }
}

TEST_F(BitmapRefusals, HeightZeroOrTheMostNegativeIsRefused) {
    for (std::int32_t height : {0, std::numeric_limits<std::int32_t>::min()}) {
        BmpBytes image = plainImage();
        image.height = height;
        EXPECT_EQ(refusalOf(encodeBmp(image)), "Bitmap height must be > 0") << height;
    }
}

TEST_F(BitmapRefusals, UnknownCompressionIsRefused) {
    for (std::uint32_t compression : {4U, 5U, 8U, 0xFFFFFFFFU}) {
        BmpBytes image = plainImage();
        image.compression = compression;
        EXPECT_EQ(refusalOf(encodeBmp(image)), "Unknown compression algorithm") << compression;
    }
}

TEST_F(BitmapRefusals, DepthsTheDrawingCannotShowAreRefused) {
    // As large as a picture may be, yet nothing to draw: 32768 x 32768
    // pixels of 0 bits in a 54-byte file.
    BmpBytes noBits = plainImage();
    noBits.width = noBits.height = 32768;
    noBits.bitsPerPixel = 0;
    noBits.pixels.clear();
    ASSERT_EQ(encodeBmp(noBits).size(), 54U);
    EXPECT_EQ(refusalOf(encodeBmp(noBits)), "Unsupported bitmap format");

    struct Depth {
        std::uint32_t headerSize, compression;
        std::uint16_t bits;
    };
    using core::bmp::kBitFields, core::bmp::kNoCompression, core::bmp::kRle4, core::bmp::kRle8;
    for (const Depth depth :
         {Depth{40, kNoCompression, 2}, Depth{40, kNoCompression, 15}, Depth{40, kNoCompression, 64},
          Depth{12, kNoCompression, 0}, Depth{12, kNoCompression, 3}, Depth{40, kRle8, 4}, Depth{40, kRle8, 24},
          Depth{40, kRle4, 8}, Depth{40, kBitFields, 8}, Depth{40, kBitFields, 24}}) {
        BmpBytes image = plainImage();
        image.headerSize = depth.headerSize;
        image.compression = depth.compression;
        image.bitsPerPixel = depth.bits;
        EXPECT_EQ(refusalOf(encodeBmp(image)), "Unsupported bitmap format")
            << depth.headerSize << "-byte header, compression " << depth.compression << ", " << depth.bits << " bits";
    }
}

TEST_F(BitmapRefusals, ImagesAboveTheSizeLimitsAreRefusedBeforeAllocating) {
    struct Size {
        std::int32_t width, height;
        std::uint16_t bits;
    };
    for (const Size size : {Size{32769, 1, 1}, Size{1, -32769, 1}, Size{3000000, 2000000, 24}, Size{16384, 8193, 16},
                            Size{32768, 32768, 8}}) {
        BmpBytes image = plainImage();
        image.width = size.width;
        image.height = size.height;
        image.bitsPerPixel = size.bits;
        EXPECT_EQ(refusalOf(encodeBmp(image)), "Bitmap too large") << size.width << "x" << size.height;
    }
}

TEST_F(BitmapRefusals, ImageAtTheSizeLimitLoads) {
    BmpBytes image = plainImage();
    image.width = 16384;
    image.height = 8192;
    image.bitsPerPixel = 16;  // 256 MiB of pixels, none in the file
    ASSERT_TRUE(load(image)) << bitmap->lastError();
    EXPECT_EQ(bitmap->pixelMemorySize(), 256U * 1024 * 1024);
    EXPECT_EQ(bitmap->scanLine(8191)[32767], 0);
}

TEST_F(BitmapRefusals, ShortColourTableIsRefused) {
    BmpBytes image;
    image.width = 1;
    image.height = 1;
    image.bitsPerPixel = 8;
    image.compression = core::bmp::kRle8;  // reads the table whatever the size
    image.palette = palette(10);
    image.pixelOffset = 54 + 1024;
    EXPECT_EQ(refusalOf(encodeBmp(image)), "Unexpected end of file");

    BmpBytes core;
    core.headerSize = 12;
    core.fileHeader = false;
    core.palette = palette(100);
    EXPECT_EQ(refusalOf(encodeBmp(core)), "Unexpected end of file");
}

TEST_F(BitmapRefusals, MissingFileIsRefused) {
    EXPECT_FALSE(bitmap->loadFromFile(folder.file("missing.bmp")));
    expectEmpty();
}

// --- Files nobody on this project wrote --------------------------------------

using BitmapTestFiles = BitmapTest;

const fs::path kTestData = SKIRVANE_TEST_DATA;

std::vector<fs::path> bmpFilesIn(const fs::path& folder) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::directory_iterator(folder))
        if (entry.path().extension() == ".bmp") files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

unsigned byteSum(const std::uint8_t* bytes, std::size_t count) {
    unsigned sum = 0;
    for (std::size_t i = 0; i < count; ++i) sum += bytes[i];
    return sum;
}

// The scan lines must cover the pixel memory exactly, each stored line
// once; reading all of it lets the sanitizers see a buffer smaller than
// the bitmap says.
void expectScanLinesCoverThePixels(Bitmap& image) {
    unsigned linesSum = 0;
    const auto lineBytes = static_cast<std::size_t>(image.bytesPerScanLine());
    for (std::int32_t y = 0; y < image.height(); ++y) linesSum += byteSum(image.scanLine(y), lineBytes);
    EXPECT_EQ(lineBytes * static_cast<std::size_t>(image.height()), image.pixelMemorySize());
    EXPECT_EQ(linesSum, byteSum(image.pixels(), image.pixelMemorySize()));
}

TEST_F(BitmapTestFiles, GoodFilesLoadExceptTheNewerHeaders) {
    const auto files = bmpFilesIn(kTestData / "bmp" / "good");
    ASSERT_GE(files.size(), 20U);
    for (const fs::path& file : files) {
        const std::string name = file.filename().string();
        const bool newerHeader = name == "pal8v4.bmp" || name == "pal8v5.bmp";
        EXPECT_EQ(bitmap->loadFromFile(file.string()), !newerHeader) << name << ": " << bitmap->lastError();
        if (bitmap->isEmpty()) continue;
        EXPECT_EQ(bitmap->width(), name.starts_with("pal8w12") ? std::stoi(name.substr(5, 3)) : 127) << name;
        expectScanLinesCoverThePixels(*bitmap);
    }
}

TEST_F(BitmapTestFiles, BadFilesAreRefusedOrLoadSafely) {
    const auto files = bmpFilesIn(kTestData / "bmp" / "bad");
    ASSERT_GE(files.size(), 10U);
    for (const fs::path& file : files) {
        if (bitmap->loadFromFile(file.string())) {
            EXPECT_LE(bitmap->pixelMemorySize(), static_cast<std::size_t>(core::bmp::kMaxPixelMemory));
            expectScanLinesCoverThePixels(*bitmap);
        } else {
            EXPECT_FALSE(bitmap->lastError().empty()) << file.filename();
        }
    }
    EXPECT_FALSE(bitmap->loadFromFile((kTestData / "bmp" / "bad" / "reallybig.bmp").string()));
    EXPECT_FALSE(bitmap->loadFromFile((kTestData / "bmp" / "bad" / "badwidth.bmp").string()));
}

}  // namespace
