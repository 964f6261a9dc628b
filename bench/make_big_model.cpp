// Writes a large model for timing: 10,000 materials of the kinds real models
// hold (plain, reflective, alpha-masked, animated textures with the editor's
// flags) and mesh-like bytes after them, 64 MiB in all.
// Usage: make-big-model OUT.4ds
#include <array>
#include <cstdio>
#include <exception>
#include <random>
#include <string>

#include "model_bytes.h"

namespace {

using test_support::RecordBytes;

constexpr std::size_t kMaterialCount = 10'000;
constexpr std::size_t kFileSize = 64 * 1024 * 1024;
constexpr std::uint32_t kDiffuseBit = 0x00040000;
constexpr std::array<std::uint32_t, 6> kEditorBits = {0x00008000, 0x00800000, 0x02000000,
                                                      0x10000000, 0x20000000, 0x80000000};
constexpr std::array<const char*, 12> kStems = {"WOOD", "BRICK", "ROOF",  "ASPHALT", "GRASS", "METAL",
                                                "GLASS", "TREE", "FENCE", "WALL",    "CAR",   "SIGN"};

RecordBytes realisticRecord(std::mt19937& random) {
    std::uniform_real_distribution<float> unit(0.0F, 1.0F);
    const auto chance = [&random](unsigned percent) { return random() % 100 < percent; };
    const auto stem = [&random] { return std::string(kStems[random() % kStems.size()]); };

    RecordBytes record;
    for (const std::uint32_t bit : kEditorBits)
        if (chance(30)) record.flags |= bit;
    for (auto* color : {&record.ambient, &record.diffuse, &record.emission})
        for (float& c : *color) c = unit(random);
    record.density = unit(random);
    if (chance(90)) {
        record.flags |= kDiffuseBit;
        if (chance(10)) {
            record.flags |= test_support::kAnimationBit;
            record.diffuseName = stem() + "00.BMP";
            record.animation[0] = static_cast<std::uint8_t>(2 + random() % 15);
            record.animation[6] = static_cast<std::uint8_t>(random());
        } else {
            record.diffuseName = stem() + std::to_string(random() % 100) + ".BMP";
        }
    }
    if (chance(20)) {
        record.flags |= test_support::kReflectionBit;
        record.reflectionDensity = unit(random);
        record.reflectionName = "ENV" + std::to_string(random() % 10) + ".BMP";
    }
    if (chance(15)) {
        record.flags |= test_support::kAlphaBit;
        record.alphaName = stem() + "_A.BMP";
    }
    return record;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: make-big-model OUT.4ds\n");
        return 2;
    }
    try {
        std::mt19937 random(4);
        test_support::ModelBytes model;
        for (std::size_t n = 0; n < kMaterialCount; ++n) model.records.push_back(realisticRecord(random));
        const std::size_t headerAndMaterials = test_support::encodeModel(model).size();
        model.remainder = test_support::meshLikeBytes(random, kFileSize - headerAndMaterials);
        test_support::writeFileBytes(argv[1], test_support::encodeModel(model));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "make-big-model: %s\n", error.what());
        return 1;
    }
    return 0;
}
