#include "model/material.h"

#include "toolkit/base/file_stream.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace model {

namespace {

using toolkit::FileStream;

struct NamedFlag {
    std::uint32_t bit;
    std::string_view name;
};

constexpr std::array<NamedFlag, 11> kFlagNames{{
    {Base, "Base"},
    {ExtraSettings, "ExtraSettings"},
    {DiffuseTexture, "DiffuseTexture"},
    {ReflectionTexture, "ReflectionTexture"},
    {DiffuseChannel, "DiffuseChannel"},
    {AlphaHighlight, "AlphaHighlight"},
    {AnimatedDiffuse, "AnimatedDiffuse"},
    {DoubleSided, "DoubleSided"},
    {ColorTransparency, "ColorTransparency"},
    {AlphaTexture, "AlphaTexture"},
    {DiffuseHighlight, "DiffuseHighlight"},
}};

// Little-endian fields, whatever the machine's own byte order.
std::uint32_t decodeU32(const std::uint8_t* bytes) {
    return static_cast<std::uint32_t>(bytes[0]) | static_cast<std::uint32_t>(bytes[1]) << 8 |
           static_cast<std::uint32_t>(bytes[2]) << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

void encodeU32(std::uint32_t value, std::uint8_t* bytes) {
    for (int i = 0; i < 4; ++i) bytes[i] = static_cast<std::uint8_t>(value >> (8 * i));
}

bool readU32(FileStream& stream, std::uint32_t& value) {
    std::uint8_t bytes[4];
    if (stream.read(bytes, sizeof bytes) != sizeof bytes) return false;
    value = decodeU32(bytes);
    return true;
}

bool readFloat(FileStream& stream, float& value) {
    std::uint32_t bits = 0;
    if (!readU32(stream, bits)) return false;
    value = std::bit_cast<float>(bits);
    return true;
}

bool readColor(FileStream& stream, Color& color) {
    std::uint8_t bytes[12];
    if (stream.read(bytes, sizeof bytes) != sizeof bytes) return false;
    for (std::size_t i = 0; i < 3; ++i) color[i] = std::bit_cast<float>(decodeU32(bytes + 4 * i));
    return true;
}

bool readName(FileStream& stream, TextureName& name) {
    std::uint8_t length = 0;
    if (stream.read(&length, 1) != 1) return false;
    if (length == 0) return true;
    char chars[TextureName::kMaxLength];
    if (stream.read(chars, length) != length) return false;
    name = TextureName(std::string_view(chars, length));
    return true;
}

bool writeU32(FileStream& stream, std::uint32_t value) {
    std::uint8_t bytes[4];
    encodeU32(value, bytes);
    return stream.write(bytes, sizeof bytes) == sizeof bytes;
}

bool writeFloat(FileStream& stream, float value) { return writeU32(stream, std::bit_cast<std::uint32_t>(value)); }

bool writeColor(FileStream& stream, const Color& color) {
    std::uint8_t bytes[12];
    for (std::size_t i = 0; i < 3; ++i) encodeU32(std::bit_cast<std::uint32_t>(color[i]), bytes + 4 * i);
    return stream.write(bytes, sizeof bytes) == sizeof bytes;
}

bool writeName(FileStream& stream, const TextureName& name) {
    const std::uint8_t length = name.length();
    return stream.write(&length, 1) == 1 && stream.write(name.view().data(), length) == length;
}

bool setColor(Color& color, float red, float green, float blue) {
    if (!inUnitRange(red) || !inUnitRange(green) || !inUnitRange(blue)) return false;
    color = {red, green, blue};
    return true;
}

void setNameAndBit(TextureName& name, std::uint32_t& flags, std::uint32_t bit, std::string_view text) {
    name = TextureName(text);
    flags = text.empty() ? flags & ~bit : flags | bit;
}

constexpr std::size_t kFramesOffset = 0;
constexpr std::size_t kDelayOffset = 6;

}  // namespace

std::string_view materialFlagName(std::uint32_t flag) {
    for (const NamedFlag& entry : kFlagNames)
        if (entry.bit == flag) return entry.name;
    return {};
}

std::uint32_t materialFlagByName(std::string_view name) {
    for (const NamedFlag& entry : kFlagNames)
        if (entry.name == name) return entry.bit;
    return 0;
}

TextureName::TextureName(std::string_view text) : length_(static_cast<std::uint8_t>(text.size())) {
    if (text.empty()) return;
    chars_ = std::make_unique_for_overwrite<char[]>(text.size());
    std::memcpy(chars_.get(), text.data(), text.size());
}

bool Material::read(FileStream& stream) {
    if (!readU32(stream, flags_) || !readColor(stream, ambient_) || !readColor(stream, diffuse_) ||
        !readColor(stream, emission_) || !readFloat(stream, density_))
        return false;
    if ((flags_ & ReflectionTexture) != 0 &&
        (!readFloat(stream, reflectionDensity_) || !readName(stream, reflectionName_)))
        return false;
    if (!readName(stream, diffuseName_)) return false;
    if ((flags_ & AlphaTexture) != 0 && !readName(stream, alphaName_)) return false;
    if ((flags_ & AnimatedDiffuse) != 0) {
        AnimationBlock block;
        if (stream.read(block.data(), block.size()) != block.size()) return false;
        animation_ = block;
    }
    return true;
}

bool Material::write(FileStream& stream) const {
    if (!writeU32(stream, flags_) || !writeColor(stream, ambient_) || !writeColor(stream, diffuse_) ||
        !writeColor(stream, emission_) || !writeFloat(stream, density_))
        return false;
    if ((flags_ & ReflectionTexture) != 0 &&
        (!writeFloat(stream, reflectionDensity_) || !writeName(stream, reflectionName_)))
        return false;
    if (!writeName(stream, diffuseName_)) return false;
    if ((flags_ & AlphaTexture) != 0 && !writeName(stream, alphaName_)) return false;
    if ((flags_ & AnimatedDiffuse) != 0) {
        // The bit and the block go together (read, setAnimation and
        // setTextureNames keep them so); zeros only guard the record's shape.
        const AnimationBlock block = animation_.value_or(AnimationBlock{});
        if (stream.write(block.data(), block.size()) != block.size()) return false;
    }
    return true;
}

void Material::clear() {
    flags_ = Base;
    ambient_ = diffuse_ = emission_ = Color{};
    density_ = reflectionDensity_ = 0;
    reflectionName_ = TextureName();
    diffuseName_ = TextureName();
    alphaName_ = TextureName();
    animation_.reset();
}

std::string Material::getTextureNames() const {
    return joinTextureNames(reflectionName_.view(), diffuseName_.view(), alphaName_.view(), separator_);
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

// The text must hold exactly two separators, be no longer than three full
// names and two separators, and give no name longer than 255 characters.
// Each name's presence bit follows the name. An animation block is checked
// again against the new diffuse name, and goes with an emptied one.
bool Material::setTextureNames(std::string_view joined) {
    if (joined.size() > kMaxJoinedLength || std::count(joined.begin(), joined.end(), separator_) != 2) return false;
    const std::size_t first = joined.find(separator_);
    const std::size_t second = joined.find(separator_, first + 1);
    const std::string_view reflection = joined.substr(0, first);
    const std::string_view diffuse = joined.substr(first + 1, second - first - 1);
    const std::string_view alpha = joined.substr(second + 1);
    if (reflection.size() > TextureName::kMaxLength || diffuse.size() > TextureName::kMaxLength ||
        alpha.size() > TextureName::kMaxLength)
        return false;

    setNameAndBit(reflectionName_, flags_, ReflectionTexture, reflection);
    setNameAndBit(diffuseName_, flags_, DiffuseTexture, diffuse);
    setNameAndBit(alphaName_, flags_, AlphaTexture, alpha);
    checkAnimationAgainstDiffuseName();
    return true;
}

bool Material::setTextureName(TextureKind kind, std::string_view name) {
    if (name.size() > TextureName::kMaxLength || name.find(separator_) != std::string_view::npos) return false;
    switch (kind) {
    case ReflectionKind: setNameAndBit(reflectionName_, flags_, ReflectionTexture, name); break;
    case DiffuseKind:
        setNameAndBit(diffuseName_, flags_, DiffuseTexture, name);
        checkAnimationAgainstDiffuseName();
        break;
    case AlphaKind: setNameAndBit(alphaName_, flags_, AlphaTexture, name); break;
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
    if (!animation_) return;
    if (diffuseName_.empty())
        removeAnimation();
    else
        setAnimation((*animation_)[kFramesOffset], decodeU32(animation_->data() + kDelayOffset));
}

bool Material::addEditorFlag(std::uint32_t mask) {
    if ((mask & ~kEditorFlags) != 0) return false;
    flags_ |= mask;
    return true;
}

bool Material::removeEditorFlag(std::uint32_t mask) {
    if ((mask & ~kEditorFlags) != 0) return false;
    flags_ &= ~mask;
    return true;
}

bool Material::setAmbient(float red, float green, float blue) { return setColor(ambient_, red, green, blue); }
bool Material::setDiffuse(float red, float green, float blue) { return setColor(diffuse_, red, green, blue); }
bool Material::setEmission(float red, float green, float blue) { return setColor(emission_, red, green, blue); }

bool Material::setDensity(float value) {
    if (!inUnitRange(value)) return false;
    density_ = value;
    return true;
}

bool Material::setReflectionDensity(float value) {
    if (!inUnitRange(value)) return false;
    reflectionDensity_ = value;
    return true;
}

bool Material::getAnimation(std::uint8_t& frames, std::uint32_t& delay) const {
    if ((flags_ & AnimatedDiffuse) == 0 || !animation_) return false;
    frames = (*animation_)[kFramesOffset];
    delay = decodeU32(animation_->data() + kDelayOffset);
    return true;
}

bool Material::qualifiesForAnimation(std::string_view diffuseName) {
    const std::size_t n = diffuseName.size();
    return n >= 6 && diffuseName[n - 6] == '0' && diffuseName[n - 5] == '0';
}

void Material::setAnimation(std::uint8_t frames, std::uint32_t delay) {
    if (diffuseName_.empty()) return;
    if (qualifiesForAnimation(diffuseName_.view()) && frames >= 2) {
        if (!animation_) animation_.emplace();  // new blocks start as zeros
        (*animation_)[kFramesOffset] = frames;
        encodeU32(delay, animation_->data() + kDelayOffset);
        flags_ |= AnimatedDiffuse;
    } else if (animation_) {
        removeAnimation();
    }
}

void Material::removeAnimation() {
    animation_.reset();
    flags_ &= ~AnimatedDiffuse;
}

MaterialState Material::state() const {
    return {flags_,
            ambient_,
            diffuse_,
            emission_,
            density_,
            reflectionDensity_,
            std::string(reflectionName_.view()),
            std::string(diffuseName_.view()),
            std::string(alphaName_.view()),
            animation_};
}

void Material::setState(const MaterialState& state) {
    flags_ = state.flags;
    ambient_ = state.ambient;
    diffuse_ = state.diffuse;
    emission_ = state.emission;
    density_ = state.density;
    reflectionDensity_ = state.reflectionDensity;
    reflectionName_ = TextureName(state.reflectionName);
    diffuseName_ = TextureName(state.diffuseName);
    alphaName_ = TextureName(state.alphaName);
    animation_ = state.animation;
}

bool MaterialState::operator==(const MaterialState& other) const {
    const auto sameBits = [](const float* a, const float* b, std::size_t count) {
        return std::memcmp(a, b, count * sizeof(float)) == 0;
    };
    return flags == other.flags && sameBits(ambient.data(), other.ambient.data(), 3) &&
           sameBits(diffuse.data(), other.diffuse.data(), 3) && sameBits(emission.data(), other.emission.data(), 3) &&
           sameBits(&density, &other.density, 1) && sameBits(&reflectionDensity, &other.reflectionDensity, 1) &&
           reflectionName == other.reflectionName && diffuseName == other.diffuseName && alphaName == other.alphaName &&
           animation == other.animation;
}

}  // namespace model
