#include "model/material.h"

#include "core/byte_io.h"
#include "core/file_stream.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <span>
#include <type_traits>
#include <utility>

namespace model {

namespace {

using core::FileStream;

// The sizes of a record's fixed part in each layout.
constexpr std::size_t kNarrowFixedSize = 44;
constexpr std::size_t kWideFixedSize = 76;

// Visits the fields of a record's fixed part in file order, each a u32 or
// a float: the flag word, the colours and the density. A wide record's
// colours hold a fourth component after red, green and blue; its specular
// colour follows the diffuse one and its glossiness the emission. `State`
// is MaterialState, const for writing; a state to read into holds its wide
// fields (or not) already.
template <class State, class Visit>
void visitFixedPart(State& state, Visit visit) {
    auto* const wide = state.wide ? &*state.wide : nullptr;
    const auto colour = [&visit](auto& rgb, auto* fourth) {
        for (auto& component : rgb) visit(component);
        if (fourth != nullptr) visit(*fourth);
    };
    visit(state.flags);
    colour(state.ambient, wide != nullptr ? &wide->ambientFourth : nullptr);
    colour(state.diffuse, wide != nullptr ? &wide->diffuseFourth : nullptr);
    if (wide != nullptr)
        for (auto& component : wide->specular) visit(component);
    colour(state.emission, wide != nullptr ? &wide->emissionFourth : nullptr);
    if (wide != nullptr) visit(wide->glossiness);
    visit(state.density);
}

// A name: its length byte and its characters. An unfinished name reads as
// empty.
std::string readName(core::ByteReader& in) {
    std::string name(in.u8(), '\0');
    in.bytes(name.data(), name.size());
    return in.ok() ? name : std::string();
}

bool writeName(core::ByteWriter& out, const std::string& name) {
    if (name.size() > Material::kMaxNameLength) return false;
    out.u8(static_cast<std::uint8_t>(name.size()));
    out.bytes(name.data(), name.size());
    return out.ok();
}

bool setColor(Color& color, float red, float green, float blue) {
    if (!inUnitRange(red) || !inUnitRange(green) || !inUnitRange(blue)) return false;
    color = {red, green, blue};
    return true;
}

void setNameAndBit(std::string& name, std::uint32_t& flags, std::uint32_t bit, std::string_view text) {
    name = text;
    flags = text.empty() ? flags & ~bit : flags | bit;
}

// Where the frame count and the delay lie in an animation block.
constexpr std::size_t kFramesOffset = 0;
constexpr std::size_t kDelayOffset = 6;

std::uint32_t delayOf(const AnimationBlock& block) {
    return core::ByteReader(std::span(block).subspan(kDelayOffset, 4)).u32();
}

void setDelay(AnimationBlock& block, std::uint32_t delay) {
    core::ByteWriter(std::span(block).subspan(kDelayOffset, 4)).u32(delay);
}

}  // namespace

RecordLayout recordLayoutOf(std::uint16_t version) {
    return version == 41 || version == 42 ? RecordLayout::Wide : RecordLayout::Narrow;
}

bool WideFields::operator==(const WideFields& other) const {
    return std::bit_cast<std::array<std::uint32_t, 8>>(*this) == std::bit_cast<std::array<std::uint32_t, 8>>(other);
}

bool Material::storesAlphaName(std::uint32_t flags, std::string_view diffuseName) {
    return (flags & AlphaTexture) != 0 && canHoldAlphaName(flags, diffuseName);
}

bool Material::canHoldAlphaName(std::uint32_t flags, std::string_view diffuseName) {
    return !diffuseName.empty() && (flags & ImageAlpha) == 0;
}

// The fixed part comes in one stream call and goes out in one; the parts
// after it field by field.
bool Material::read(FileStream& stream, RecordLayout layout) {
    const bool wide = layout == RecordLayout::Wide;
    std::array<std::uint8_t, kWideFixedSize> fixed{};
    const std::span<const std::uint8_t> fixedBytes(fixed.data(), wide ? kWideFixedSize : kNarrowFixedSize);
    core::ByteReader in(stream);
    in.bytes(fixed.data(), fixedBytes.size());
    if (!in.ok()) return false;
    if (wide) state_.wide.emplace();
    core::ByteReader fields(fixedBytes);
    visitFixedPart(state_, [&fields](auto& value) {
        if constexpr (std::is_same_v<std::remove_reference_t<decltype(value)>, float>)
            value = fields.f32();
        else
            value = fields.u32();
    });

    if ((state_.flags & ReflectionTexture) != 0) {
        state_.reflectionDensity = in.f32();
        state_.reflectionName = readName(in);
    }
    state_.diffuseName = readName(in);
    if (storesAlphaName(state_.flags, state_.diffuseName)) state_.alphaName = readName(in);
    if ((state_.flags & AnimatedDiffuse) != 0) {
        AnimationBlock block;
        in.bytes(block.data(), block.size());
        if (in.ok()) state_.animation = block;
    }
    return in.ok();
}

bool Material::write(FileStream& stream) const {
    std::array<std::uint8_t, kWideFixedSize> fixed{};
    const std::size_t fixedSize = state_.wide ? kWideFixedSize : kNarrowFixedSize;
    core::ByteWriter fields(std::span(fixed.data(), fixedSize));
    visitFixedPart(state_, [&fields](const auto& value) {
        if constexpr (std::is_same_v<std::remove_cvref_t<decltype(value)>, float>)
            fields.f32(value);
        else
            fields.u32(value);
    });
    core::ByteWriter out(stream);
    out.bytes(fixed.data(), fixedSize);

    if ((state_.flags & ReflectionTexture) != 0) {
        out.f32(state_.reflectionDensity);
        if (!writeName(out, state_.reflectionName)) return false;
    }
    if (!writeName(out, state_.diffuseName)) return false;
    if (storesAlphaName(state_.flags, state_.diffuseName) && !writeName(out, state_.alphaName)) return false;
    if ((state_.flags & AnimatedDiffuse) != 0) {
        // The bit and the block go together (read, setAnimation and
        // setTextureName keep them so); zeros only guard the record's shape.
        const AnimationBlock block = state_.animation.value_or(AnimationBlock{});
        out.bytes(block.data(), block.size());
    }
    return out.ok();
}

std::string Material::getTextureNames() const {
    return joinTextureNames(state_.reflectionName, state_.diffuseName, state_.alphaName, kSeparator);
}

std::string Material::joinTextureNames(std::string_view reflection, std::string_view diffuse, std::string_view alpha,
                                       char separator) {
    std::string joined;
    joined.reserve(reflection.size() + diffuse.size() + alpha.size() + 2U);
    joined.append(reflection).append(1, separator);
    joined.append(diffuse).append(1, separator);
    joined.append(alpha);
    return joined;
}

bool Material::setTextureName(TextureKind kind, std::string_view name) {
    if (name.size() > kMaxNameLength || name.find(kSeparator) != std::string_view::npos) return false;
    if (kind == AlphaKind && !name.empty() && !canHoldAlphaName(state_.flags, state_.diffuseName)) return false;
    if (kind == DiffuseKind && name.empty() && !state_.alphaName.empty()) return false;
    switch (kind) {
        case ReflectionKind:
            setNameAndBit(state_.reflectionName, state_.flags, ReflectionTexture, name);
            break;
        case DiffuseKind:
            setNameAndBit(state_.diffuseName, state_.flags, DiffuseTexture, name);
            checkAnimationAgainstDiffuseName();
            break;
        case AlphaKind:
            setNameAndBit(state_.alphaName, state_.flags, AlphaTexture, name);
            break;
    }
    return true;
}

std::string_view Material::textureName(TextureKind kind) const {
    switch (kind) {
        case ReflectionKind:
            return reflectionName();
        case DiffuseKind:
            return diffuseName();
        case AlphaKind:
            return alphaName();
    }
    return {};
}

// A block that no longer suits the diffuse name is dropped; an empty name
// takes the block with it, so that the record keeps its bit and block
// together.
void Material::checkAnimationAgainstDiffuseName() {
    if (!state_.animation) return;
    if (state_.diffuseName.empty())
        removeAnimation();
    else
        setAnimation((*state_.animation)[kFramesOffset], delayOf(*state_.animation));
}

bool Material::changeFlags(std::uint32_t toSet, std::uint32_t toClear) {
    if (((toSet | toClear) & kLayoutFlags) != 0) return false;
    state_.flags = (state_.flags & ~toClear) | toSet;
    return true;
}

bool Material::setAmbient(float red, float green, float blue) { return setColor(state_.ambient, red, green, blue); }
bool Material::setDiffuse(float red, float green, float blue) { return setColor(state_.diffuse, red, green, blue); }
bool Material::setEmission(float red, float green, float blue) { return setColor(state_.emission, red, green, blue); }

bool Material::setDensity(float value) {
    if (!inUnitRange(value)) return false;
    state_.density = value;
    return true;
}

bool Material::setReflectionDensity(float value) {
    if (!inUnitRange(value)) return false;
    state_.reflectionDensity = value;
    return true;
}

bool Material::getAnimation(std::uint8_t& frames, std::uint32_t& delay) const {
    if ((state_.flags & AnimatedDiffuse) == 0 || !state_.animation) return false;
    frames = (*state_.animation)[kFramesOffset];
    delay = delayOf(*state_.animation);
    return true;
}

bool Material::qualifiesForAnimation(std::string_view diffuseName) {
    const std::size_t n = diffuseName.size();
    return n >= 6 && diffuseName[n - 6] == '0' && diffuseName[n - 5] == '0';
}

void Material::setAnimation(std::uint8_t frames, std::uint32_t delay) {
    if (state_.diffuseName.empty()) return;
    if (qualifiesForAnimation(state_.diffuseName) && frames >= 2) {
        if (!state_.animation) state_.animation.emplace();  // new blocks start as zeros
        (*state_.animation)[kFramesOffset] = frames;
        setDelay(*state_.animation, delay);
        state_.flags |= AnimatedDiffuse;
    } else if (state_.animation) {
        removeAnimation();
    }
}

void Material::removeAnimation() {
    state_.animation.reset();
    state_.flags &= ~AnimatedDiffuse;
}

bool MaterialState::operator==(const MaterialState& other) const {
    const auto sameBits = [](const float* a, const float* b, std::size_t count) {
        return std::memcmp(a, b, count * sizeof(float)) == 0;
    };
    return flags == other.flags && sameBits(ambient.data(), other.ambient.data(), 3) &&
           sameBits(diffuse.data(), other.diffuse.data(), 3) && sameBits(emission.data(), other.emission.data(), 3) &&
           sameBits(&density, &other.density, 1) && sameBits(&reflectionDensity, &other.reflectionDensity, 1) &&
           reflectionName == other.reflectionName && diffuseName == other.diffuseName && alphaName == other.alphaName &&
           animation == other.animation && wide == other.wide;
}

}  // namespace model
