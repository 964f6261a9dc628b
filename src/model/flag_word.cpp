#include "model/flag_word.h"

#include <array>

#include "model/material.h"

namespace model {

namespace {

constexpr std::array<FlagSwitch, 18> kSwitches{{
    {0x00000800, "DisableTextures"},
    {ExtraSettings, "ExtraSettings"},
    {0x00010000, "NoWrapU"},
    {0x00020000, "NoWrapV"},
    {DiffuseTexture, "DiffuseTexture"},
    {ReflectionTexture, "ReflectionTexture"},
    {0x00100000, "TrueColor"},
    {0x00200000, "NoCompression"},
    {0x00400000, "NoCache"},
    {DiffuseChannel, "DiffuseChannel"},
    {ImageAlpha, "ImageAlpha"},
    {AlphaHighlight, "AlphaHighlight"},
    {AnimatedDiffuse, "AnimatedDiffuse"},
    {0x08000000, "Colored"},
    {DoubleSided, "DoubleSided"},
    {ColorTransparency, "ColorTransparency"},
    {AlphaTexture, "AlphaTexture"},
    {DiffuseHighlight, "DiffuseHighlight"},
}};

// Every bit of the word is a switch or part of a field, and none both.
constexpr bool coversTheWord() {
    std::uint32_t bits = kFieldBits;
    for (const FlagSwitch& flag : kSwitches) {
        if ((bits & flag.bit) != 0) return false;
        bits |= flag.bit;
    }
    return bits == 0xFFFFFFFFU;
}
static_assert(coversTheWord());

}  // namespace

std::span<const FlagSwitch> flagSwitches() { return kSwitches; }

std::uint32_t flagSwitchByName(std::string_view name) {
    for (const FlagSwitch& flag : kSwitches)
        if (flag.name == name) return flag.bit;
    return 0;
}

}  // namespace model
