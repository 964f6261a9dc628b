// Writes the sample model sample.4ds and the BMP textures it names into
// maps/: eight materials that between them use every kind of texture (main,
// reflection, alpha, an animated sequence), the editor's flags in varied
// combinations and one material without textures, and after them the frames
// of a small house that use all but that one. The textures are drawn
// here with integer hashing and plain arithmetic, so the output is the same
// on every run. Usage: make-sample FOLDER
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "frame_bytes.h"
#include "model_bytes.h"

namespace {

namespace fs = std::filesystem;
using test_support::RecordBytes;

// --- Images ------------------------------------------------------------------

constexpr int kSize = 64;  // every texture is kSize x kSize pixels

struct Rgb {
    float red, green, blue;  // 0..1
};

// Pixels in rows from the top.
template <class Pixel>
struct Image {
    std::vector<Pixel> pixels = std::vector<Pixel>(kSize * kSize);
    Pixel& at(int x, int y) { return pixels[index(x, y)]; }
    const Pixel& at(int x, int y) const { return pixels[index(x, y)]; }
    static std::size_t index(int x, int y) { return static_cast<std::size_t>(y * kSize + x); }
};

float clamp01(float value) { return std::clamp(value, 0.0F, 1.0F); }
float mix(float from, float to, float t) { return from + (to - from) * t; }
Rgb mix(Rgb from, Rgb to, float t) {
    return {mix(from.red, to.red, t), mix(from.green, to.green, t), mix(from.blue, to.blue, t)};
}
Rgb shade(Rgb color, float factor) {
    return {clamp01(color.red * factor), clamp01(color.green * factor), clamp01(color.blue * factor)};
}
std::uint8_t toByte(float value) { return static_cast<std::uint8_t>(clamp01(value) * 255.0F + 0.5F); }

// A well-mixed 32-bit hash of a lattice point, as a value in 0..1.
float hashValue(int x, int y, std::uint32_t seed) {
    std::uint32_t h = static_cast<std::uint32_t>(x) * 0x8DA6B343U ^ static_cast<std::uint32_t>(y) * 0xD8163841U ^
                      seed * 0xCB1AB31FU;
    h ^= h >> 15;
    h *= 0x2C1B3C6DU;
    h ^= h >> 12;
    h *= 0x297A2D39U;
    h ^= h >> 15;
    return static_cast<float>(h & 0xFFFF) / 65535.0F;
}

// Smooth value noise over a lattice of `cells` x `cells` that wraps around,
// sampled at (u, v) in lattice units; textures built from it tile.
float noise(float u, float v, int cells, std::uint32_t seed) {
    const int x0 = static_cast<int>(std::floor(u));
    const int y0 = static_cast<int>(std::floor(v));
    const float tx = u - static_cast<float>(x0);
    const float ty = v - static_cast<float>(y0);
    const float sx = tx * tx * (3.0F - 2.0F * tx);
    const float sy = ty * ty * (3.0F - 2.0F * ty);
    const auto corner = [&](int dx, int dy) {
        const int x = ((x0 + dx) % cells + cells) % cells;
        const int y = ((y0 + dy) % cells + cells) % cells;
        return hashValue(x, y, seed);
    };
    return mix(mix(corner(0, 0), corner(1, 0), sx), mix(corner(0, 1), corner(1, 1), sx), sy);
}

// Two octaves of noise over a pixel position, tiling over the image.
float pixelNoise(float x, float y, int cells, std::uint32_t seed) {
    const float scale = static_cast<float>(cells) / kSize;
    return 0.67F * noise(x * scale, y * scale, cells, seed) +
           0.33F * noise(x * scale * 2.0F, y * scale * 2.0F, cells * 2, seed + 1);
}

Image<Rgb> drawWood() {
    Image<Rgb> image;
    const Rgb dark{0.42F, 0.26F, 0.13F};
    const Rgb light{0.78F, 0.57F, 0.34F};
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            // Grain runs along x: eight bands bent by noise.
            const float t = static_cast<float>(y) * 8.0F / kSize + 1.6F * pixelNoise(x, y, 4, 11);
            const float band = t - std::floor(t);
            const float tone = band < 0.8F ? band / 0.8F : (1.0F - band) / 0.2F;
            image.at(x, y) = shade(mix(dark, light, tone), 0.9F + 0.2F * hashValue(x, y, 12));
        }
    }
    return image;
}

Image<Rgb> drawBricks() {
    constexpr int kBrickWidth = 32;
    constexpr int kBrickHeight = 16;
    constexpr int kMortar = 2;
    Image<Rgb> image;
    const Rgb mortar{0.75F, 0.73F, 0.69F};
    const Rgb brick{0.60F, 0.25F, 0.16F};
    for (int y = 0; y < kSize; ++y) {
        const int row = y / kBrickHeight;
        for (int x = 0; x < kSize; ++x) {
            const int shifted = (x + (row % 2) * kBrickWidth / 2) % kSize;  // every other row by half a brick
            const int column = shifted / kBrickWidth;
            const bool joint =
                y % kBrickHeight >= kBrickHeight - kMortar || shifted % kBrickWidth >= kBrickWidth - kMortar;
            const float grain = 0.9F + 0.2F * hashValue(x, y, 21);
            image.at(x, y) = joint ? shade(mortar, grain)
                                   : shade(brick, grain * (0.8F + 0.4F * hashValue(column, row, 22)));
        }
    }
    return image;
}

// A sky for reflections: deep blue overhead, pale at the horizon, a sun's
// glow, and dark ground below the horizon.
Image<Rgb> drawSky() {
    constexpr int kHorizon = 40;
    Image<Rgb> image;
    const Rgb zenith{0.16F, 0.35F, 0.71F};
    const Rgb haze{0.80F, 0.87F, 0.94F};
    const Rgb nearGround{0.43F, 0.39F, 0.33F};
    const Rgb farGround{0.24F, 0.22F, 0.18F};
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            Rgb color;
            if (y < kHorizon) {
                const float t = static_cast<float>(y) / kHorizon;
                color = mix(zenith, haze, t * t);
                const float dx = static_cast<float>(x - 44);
                const float dy = static_cast<float>(y - 16);
                const float glow = std::max(0.0F, 1.0F - std::sqrt(dx * dx + dy * dy) / 14.0F);
                color = mix(color, Rgb{1.0F, 0.96F, 0.82F}, glow * glow);
            } else {
                color = mix(nearGround, farGround, static_cast<float>(y - kHorizon) / (kSize - kHorizon));
            }
            image.at(x, y) = color;
        }
    }
    return image;
}

// A fence for the alpha channel: diagonal bars with soft edges around
// diamond holes (black), fading from white at the top to mid-grey at the
// bottom.
Image<float> drawMask() {
    constexpr int kPeriod = 16;
    Image<float> image;
    const auto bar = [](int along) {
        const int distance = std::min(along, kPeriod - along);
        return clamp01((3.5F - static_cast<float>(distance)) / 3.0F);
    };
    for (int y = 0; y < kSize; ++y) {
        const float fade = 1.0F - 0.5F * static_cast<float>(y) / (kSize - 1);
        for (int x = 0; x < kSize; ++x)
            image.at(x, y) = fade * std::max(bar((x + y) % kPeriod), bar((x - y + kSize) % kPeriod));
    }
    return image;
}

// One frame of a looping fire: noise scrolled up by a quarter of the image
// per frame, hottest at the bottom.
Image<Rgb> drawFire(int frame) {
    Image<Rgb> image;
    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            const float height = static_cast<float>(y) / (kSize - 1);
            const float flicker = pixelNoise(x, y + frame * kSize / 4, 8, 31);
            const float heat = clamp01(1.4F * height * height - 0.7F * flicker + 0.15F);
            image.at(x, y) = {clamp01(heat * 3.0F), clamp01(heat * 3.0F - 1.0F), clamp01(heat * 3.0F - 2.0F)};
        }
    }
    return image;
}

// --- BMP files -----------------------------------------------------------------

void appendU16(std::string& out, std::uint32_t value) {
    out += static_cast<char>(value & 0xFF);
    out += static_cast<char>(value >> 8 & 0xFF);
}

void appendU32(std::string& out, std::uint32_t value) {
    appendU16(out, value & 0xFFFF);
    appendU16(out, value >> 16);
}

// An uncompressed bottom-up BMP with a 40-byte information header. `rows`
// holds the pixel rows from the top, all of one length, without padding.
std::string encodeBmp(int bitsPerPixel, const std::vector<std::array<std::uint8_t, 4>>& palette,
                      const std::vector<std::string>& rows) {
    constexpr std::uint32_t kFileHeaderSize = 14;
    constexpr std::uint32_t kInfoHeaderSize = 40;
    constexpr std::uint32_t kPixelsPerMetre = 2835;  // 72 dots per inch
    const auto rowBytes = static_cast<std::uint32_t>(rows.front().size());
    const std::uint32_t stride = (rowBytes + 3) / 4 * 4;
    const auto paletteSize = static_cast<std::uint32_t>(palette.size() * 4);
    const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + paletteSize;
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(rows.size());

    std::string out = "BM";
    appendU32(out, pixelOffset + imageSize);
    appendU32(out, 0);  // reserved
    appendU32(out, pixelOffset);
    appendU32(out, kInfoHeaderSize);
    appendU32(out, kSize);  // width
    appendU32(out, static_cast<std::uint32_t>(rows.size()));  // height; positive, so rows run bottom-up
    appendU16(out, 1);  // planes
    appendU16(out, static_cast<std::uint32_t>(bitsPerPixel));
    appendU32(out, 0);  // no compression
    appendU32(out, imageSize);
    appendU32(out, kPixelsPerMetre);
    appendU32(out, kPixelsPerMetre);
    appendU32(out, static_cast<std::uint32_t>(palette.size()));  // colours used
    appendU32(out, 0);  // all colours important
    for (const auto& entry : palette) out.append(entry.begin(), entry.end());
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) out += *row + std::string(stride - rowBytes, '\0');
    return out;
}

std::string encodeTrueColor(const Image<Rgb>& image) {
    std::vector<std::string> rows;
    for (int y = 0; y < kSize; ++y) {
        std::string row;
        for (int x = 0; x < kSize; ++x) {
            const Rgb& pixel = image.at(x, y);
            row += static_cast<char>(toByte(pixel.blue));
            row += static_cast<char>(toByte(pixel.green));
            row += static_cast<char>(toByte(pixel.red));
        }
        rows.push_back(row);
    }
    return encodeBmp(24, {}, rows);
}

// 8 bits per pixel through a palette of 256 greys.
std::string encodeGrey(const Image<float>& image) {
    std::vector<std::array<std::uint8_t, 4>> greys;
    for (int level = 0; level < 256; ++level) {
        const auto byte = static_cast<std::uint8_t>(level);
        greys.push_back({byte, byte, byte, 0});
    }
    std::vector<std::string> rows;
    for (int y = 0; y < kSize; ++y) {
        std::string row;
        for (int x = 0; x < kSize; ++x) row += static_cast<char>(toByte(image.at(x, y)));
        rows.push_back(row);
    }
    return encodeBmp(8, greys, rows);
}

// --- The model -------------------------------------------------------------------

constexpr std::uint32_t ExtraSettings = 0x00008000;
constexpr std::uint32_t DiffuseTexture = 0x00040000;
constexpr std::uint32_t DiffuseChannel = 0x00800000;
constexpr std::uint32_t AlphaHighlight = 0x02000000;
constexpr std::uint32_t DoubleSided = 0x10000000;
constexpr std::uint32_t ColorTransparency = 0x20000000;
constexpr std::uint32_t DiffuseHighlight = 0x80000000;

using Color = std::array<float, 3>;

RecordBytes material(std::uint32_t flags, Color ambient, Color diffuse, Color emission, float density,
                     std::string diffuseName) {
    RecordBytes record;
    record.flags = flags | (diffuseName.empty() ? 0U : DiffuseTexture);
    record.ambient = ambient;
    record.diffuse = diffuse;
    record.emission = emission;
    record.density = density;
    record.diffuseName = std::move(diffuseName);
    return record;
}

RecordBytes withReflection(RecordBytes record, float density, std::string name) {
    record.flags |= test_support::kReflectionBit;
    record.reflectionDensity = density;
    record.reflectionName = std::move(name);
    return record;
}

RecordBytes withAlpha(RecordBytes record, std::string name) {
    record.flags |= test_support::kAlphaBit;
    record.alphaName = std::move(name);
    return record;
}

RecordBytes withAnimation(RecordBytes record, std::uint8_t frames, std::uint32_t delay) {
    record.flags |= test_support::kAnimationBit;
    record.animation[0] = frames;
    for (std::size_t i = 0; i < 4; ++i) record.animation[6 + i] = static_cast<std::uint8_t>(delay >> (8 * i));
    return record;
}

constexpr int kFireFrames = 4;
constexpr std::uint32_t kFireDelay = 100;

// A small house: the walls with two levels of detail, a door, a window,
// a fire and its copy, and a glow over the chimney. Material 8 is used by
// nothing.
std::string sampleFrames() {
    using namespace test_support;
    return frameList({
        meshFrame({"house"}, {{40, {{24, 1}, {48, 2}, {2, 7}}}, {16, {{12, 2}, {6, 1}}}}),
        meshFrame({"door", 1}, {{8, {{12, 3}}}}),
        meshFrame({"window", 1}, {{4, {{4, 4}}}}),
        meshFrame({"fire", 1}, {{4, {{2, 5}}}}, MeshKind::Billboard),
        instanceFrame({"fire_2", 1}, 4, MeshKind::Billboard),
        glowFrame({"chimney_glow", 1}, {6}),
        dummyFrame({"ground"}),
    });
}

std::string sampleModel() {
    test_support::ModelBytes model;
    model.version = 29;
    model.records = {
        material(DiffuseChannel, {0.45F, 0.35F, 0.25F}, {0.85F, 0.70F, 0.50F}, {0, 0, 0}, 1.0F, "WOOD.BMP"),
        material(ExtraSettings | DoubleSided, {0.40F, 0.30F, 0.28F}, {0.90F, 0.80F, 0.75F}, {0, 0, 0}, 0.9F,
                 "BRICK.BMP"),
        withReflection(material(DiffuseHighlight, {0.30F, 0.25F, 0.20F}, {0.75F, 0.60F, 0.45F}, {0, 0, 0}, 1.0F,
                                "WOOD.BMP"),
                       0.35F, "SKY.BMP"),
        withAlpha(material(AlphaHighlight | ColorTransparency | DoubleSided, {0.50F, 0.50F, 0.50F},
                           {1.0F, 1.0F, 1.0F}, {0, 0, 0}, 1.0F, "WOOD.BMP"),
                  "MASK.BMP"),
        withAnimation(material(ExtraSettings | ColorTransparency | DiffuseHighlight, {0.0F, 0.0F, 0.0F},
                               {1.0F, 0.80F, 0.50F}, {1.0F, 0.55F, 0.10F}, 0.8F, "FIRE00.BMP"),
                      kFireFrames, kFireDelay),
        withAlpha(withReflection(material(ExtraSettings | DiffuseChannel | AlphaHighlight | DiffuseHighlight,
                                          {0.20F, 0.22F, 0.25F}, {0.60F, 0.65F, 0.70F}, {0.05F, 0.05F, 0.05F}, 0.7F,
                                          "BRICK.BMP"),
                                 0.6F, "SKY.BMP"),
                  "MASK.BMP"),
        // A mirror: reflection only.
        withReflection(material(DoubleSided, {0.10F, 0.10F, 0.10F}, {0.25F, 0.25F, 0.30F}, {0, 0, 0}, 0.0F, ""),
                       0.9F, "SKY.BMP"),
        // Tinted plastic: colours only.
        material(ColorTransparency | DoubleSided, {0.10F, 0.20F, 0.10F}, {0.20F, 0.70F, 0.30F},
                 {0.0F, 0.10F, 0.0F}, 0.5F, ""),
    };
    model.remainder = sampleFrames();
    return test_support::encodeModel(model);
}

void writeSample(const fs::path& folder) {
    const fs::path maps = folder / "maps";
    fs::create_directories(maps);
    test_support::writeFileBytes((folder / "sample.4ds").string(), sampleModel());
    test_support::writeFileBytes((maps / "WOOD.BMP").string(), encodeTrueColor(drawWood()));
    test_support::writeFileBytes((maps / "BRICK.BMP").string(), encodeTrueColor(drawBricks()));
    test_support::writeFileBytes((maps / "SKY.BMP").string(), encodeTrueColor(drawSky()));
    test_support::writeFileBytes((maps / "MASK.BMP").string(), encodeGrey(drawMask()));
    for (int frame = 0; frame < kFireFrames; ++frame) {
        const std::string name = "FIRE0" + std::to_string(frame) + ".BMP";
        test_support::writeFileBytes((maps / name).string(), encodeTrueColor(drawFire(frame)));
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: make-sample FOLDER\n");
        return 2;
    }
    try {
        writeSample(argv[1]);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make-sample: %s\n", error.what());
        return 1;
    }
    return 0;
}
