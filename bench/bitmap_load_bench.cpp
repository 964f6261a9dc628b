// Times loading 4096 x 4096 bitmaps from files: a 24-bit one and an RLE8
// one with our loader, and the 24-bit one with stb_image for comparison.
// The goals: our 24-bit load at least 3 times as fast as stb_image's, and
// the RLE8 load within twice our 24-bit load. The same picture as a 32-bit
// TGA, stored and run-length encoded, is timed as well, for a figure.
//
// The files are written into a temporary folder at start, so the system
// holds them in its cache: what is timed is decoding, not the disk.
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#include <stb/stb_image.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

#include "bmp_bytes.h"
#include "core/object.h"
#include "model_bytes.h"
#include "temp_folder.h"
#include "toolkit/bitmap/bitmap.h"

namespace {

constexpr int kSide = 4096;

// A picture of smooth gradients with some noise, as photographs and
// textures have: blue, green, red (and, with `alpha`, an opacity falling
// from left to right) for each pixel, line by line.
std::string gradientPixels(bool alpha) {
    std::mt19937 random(24);
    std::string pixels;
    pixels.reserve((alpha ? 4ULL : 3ULL) * kSide * kSide);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            pixels += static_cast<char>(x + (random() & 7));
            pixels += static_cast<char>(y + (random() & 7));
            pixels += static_cast<char>((x ^ y) >> 4);
            if (alpha) pixels += static_cast<char>(255 - x / (kSide / 256));
        }
    }
    return pixels;
}

std::string twentyFourBitFile() {
    test_support::BmpBytes image;
    image.width = kSide;
    image.height = kSide;
    image.bitsPerPixel = 24;
    image.pixels = gradientPixels(false);
    return test_support::encodeBmp(image);
}

// The gradient picture as a 32-bit TGA file, its pixels stored or
// run-length encoded as a writer does for a picture without repeats:
// packets of 128 stored pixels.
std::string thirtyTwoBitTgaFile(bool runLength) {
    constexpr int kPacket = 128;
    const char side[2] = {static_cast<char>(kSide & 0xFF), static_cast<char>(kSide >> 8)};
    std::string file{0, 0, static_cast<char>(runLength ? 10 : 2), 0, 0, 0, 0, 0, 0, 0, 0, 0};
    file.append(side, 2).append(side, 2).append({32, 8});
    const std::string pixels = gradientPixels(true);
    if (!runLength) return file + pixels;
    for (std::size_t at = 0; at < pixels.size(); at += 4 * kPacket)
        file.append(1, static_cast<char>(0x7F)).append(pixels, at, 4 * kPacket);
    return file;
}

// An 8-bit run-length encoded picture: each line a mix of runs and literal
// stretches of 3 to 64 pixels, as in paletted textures.
std::string rle8File() {
    test_support::BmpBytes image;
    image.width = kSide;
    image.height = kSide;
    image.compression = core::bmp::kRle8;
    for (std::uint32_t i = 0; i < 256; ++i) image.palette.push_back(i * 0x010101);
    std::mt19937 random(8);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide;) {
            const int length = std::min<int>(3 + static_cast<int>(random() % 62), kSide - x);
            if (length < 3 || random() % 2 == 0) {
                image.pixels += test_support::rleRun(length, static_cast<std::uint8_t>(random()));
            } else {
                std::string values;
                for (int i = 0; i < length; ++i) values += static_cast<char>(random());
                image.pixels += test_support::rleLiteral(values);
            }
            x += length;
        }
        image.pixels += test_support::rleEndOfLine();
    }
    image.pixels += test_support::rleEndOfImage();
    return test_support::encodeBmp(image);
}

class Files {
public:
    Files() {
        test_support::writeFileBytes(twentyFourBit, twentyFourBitFile());
        test_support::writeFileBytes(rle8, rle8File());
        test_support::writeFileBytes(tga, thirtyTwoBitTgaFile(false));
        test_support::writeFileBytes(runLengthTga, thirtyTwoBitTgaFile(true));
    }
    test_support::TempFolder folder;
    const std::string twentyFourBit = folder.file("rgb24.bmp");
    const std::string rle8 = folder.file("rle8.bmp");
    const std::string tga = folder.file("rgba32.tga");
    const std::string runLengthTga = folder.file("rgba32-rle.tga");
};

const Files& files() {
    static const Files made;
    return made;
}

void loadWithBitmap(benchmark::State& state, const std::string& path,
                    core::ImageFormat format = core::ImageFormat::Bmp) {
    for (auto _ : state) {
        core::Ref<toolkit::Bitmap> bitmap = core::create<toolkit::Bitmap>();
        if (!bitmap->loadFromFile(path, format)) state.SkipWithError("the bitmap did not load");
        benchmark::DoNotOptimize(bitmap->pixels());
    }
}

void Load24BitBmp(benchmark::State& state) { loadWithBitmap(state, files().twentyFourBit); }
void LoadRle8Bmp(benchmark::State& state) { loadWithBitmap(state, files().rle8); }
void Load32BitTga(benchmark::State& state) { loadWithBitmap(state, files().tga, core::ImageFormat::Tga); }
void LoadRunLength32BitTga(benchmark::State& state) {
    loadWithBitmap(state, files().runLengthTga, core::ImageFormat::Tga);
}

void Load24BitBmpWithStbImage(benchmark::State& state) {
    for (auto _ : state) {
        int width = 0, height = 0, channels = 0;
        stbi_uc* pixels = stbi_load(files().twentyFourBit.c_str(), &width, &height, &channels, 0);
        if (pixels == nullptr) state.SkipWithError("stb_image did not load the file");
        benchmark::DoNotOptimize(pixels);
        stbi_image_free(pixels);
    }
}

BENCHMARK(Load24BitBmp)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadRle8Bmp)->Unit(benchmark::kMillisecond);
BENCHMARK(Load24BitBmpWithStbImage)->Unit(benchmark::kMillisecond);
BENCHMARK(Load32BitTga)->Unit(benchmark::kMillisecond);
BENCHMARK(LoadRunLength32BitTga)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
