// A material's flag word as the engine reads it: the low byte is the
// tiling count of the reflection texture, bits 8..10 the reflection's blend
// mode and bits 12..14 its mapping mode (3-bit numbers), and every other
// bit a switch of its own.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace model {

// A number held in some bits of the word.
struct FlagField {
    std::uint32_t mask;
    int shift;

    constexpr std::uint32_t maximum() const { return mask >> shift; }
    constexpr std::uint32_t of(std::uint32_t flags) const { return (flags & mask) >> shift; }
    // The word with the field set to the value (cut to the field's bits).
    constexpr std::uint32_t in(std::uint32_t flags, std::uint32_t value) const {
        return (flags & ~mask) | ((value << shift) & mask);
    }
};

constexpr FlagField kTilingField{0x000000FF, 0};
// 1 by amount, 2 by the surface's alpha, 3 multiply, 4 multiply twice, 5 add.
constexpr FlagField kBlendModeField{0x00000700, 8};
// 1 reflection, 2 reflection along Z, 3 planar projection, 4 along a dummy frame.
constexpr FlagField kMappingModeField{0x00007000, 12};
constexpr std::uint32_t kFieldBits = kTilingField.mask | kBlendModeField.mask | kMappingModeField.mask;

// One switch of the word and its name in skirvane-cli.
struct FlagSwitch {
    std::uint32_t bit;
    std::string_view name;
};

// Every single-bit switch, from the lowest bit up.
std::span<const FlagSwitch> flagSwitches();
// The bit of a switch's name, or 0 when no switch has that name.
std::uint32_t flagSwitchByName(std::string_view name);

}  // namespace model
