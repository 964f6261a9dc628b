#include "realistic_records.h"

#include <array>
#include <cstdint>
#include <string>

namespace {

constexpr std::uint32_t kDiffuseBit = 0x00040000;
constexpr std::array<std::uint32_t, 6> kEditorBits = {0x00008000, 0x00800000, 0x02000000,
                                                      0x10000000, 0x20000000, 0x80000000};
constexpr std::array<const char*, 12> kStems = {"WOOD",  "BRICK", "ROOF",  "ASPHALT", "GRASS", "METAL",
                                                "GLASS", "TREE",  "FENCE", "WALL",    "CAR",   "SIGN"};

}  // namespace

test_support::RecordBytes realisticRecord(std::mt19937& random) {
    std::uniform_real_distribution<float> unit(0.0F, 1.0F);
    const auto chance = [&random](unsigned percent) { return random() % 100 < percent; };
    const auto stem = [&random] { return std::string(kStems[random() % kStems.size()]); };

    test_support::RecordBytes record;
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
