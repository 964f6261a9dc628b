// Times loading 4096 x 4096 bitmaps from files: a 24-bit one and an RLE8
// one with our loader, and the 24-bit one with stb_image for comparison.
// The goals: our 24-bit load at least 3 times as fast as stb_image's, and
// the RLE8 load within twice our 24-bit load.
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

// A 24-bit picture of smooth gradients with some noise, as photographs
// and textures have.
std::string twentyFourBitFile() {
    test_support::BmpBytes image;
    image.width = kSide;
    image.height = kSide;
    image.bitsPerPixel = 24;
    std::mt19937 random(24);
    image.pixels.reserve(3ULL * kSide * kSide);
    for (int y = 0; y < kSide; ++y) {
        for (int x = 0; x < kSide; ++x) {
            image.pixels += static_cast<char>(x + (random() & 7));
            image.pixels += static_cast<char>(y + (random() & 7));
            image.pixels += static_cast<char>((x ^ y) >> 4);
        }
    }
    return test_support::encodeBmp(image);
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
    }
    test_support::TempFolder folder;
    const std::string twentyFourBit = folder.file("rgb24.bmp");
    const std::string rle8 = folder.file("rle8.bmp");
};

const Files& files() {
    static const Files made;
    return made;
}

void loadWithBitmap(benchmark::State& state, const std::string& path) {
    for (auto _ : state) {
        core::Ref<toolkit::Bitmap> bitmap = core::create<toolkit::Bitmap>();
        if (!bitmap->loadFromFile(path)) state.SkipWithError("the bitmap did not load");
        benchmark::DoNotOptimize(bitmap->pixels());
    }
}

void Load24BitBmp(benchmark::State& state) { loadWithBitmap(state, files().twentyFourBit); }
void LoadRle8Bmp(benchmark::State& state) { loadWithBitmap(state, files().rle8); }

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

}  // namespace

BENCHMARK_MAIN();
