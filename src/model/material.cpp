#include "model/material.h"

#include "core/file_stream.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace model {

namespace {

using core::FileStream;

struct NamedFlag {
    std::uint32_t bit;
    std::string_view name;
};

constexpr std::array<NamedFlag, 12> kFlagNames{{
    {Base, "Base"},
    {ExtraSettings, "ExtraSettings"},
    {DiffuseTexture, "DiffuseTexture"},
    {ReflectionTexture, "ReflectionTexture"},
    {DiffuseChannel, "DiffuseChannel"},
    {ImageAlpha, "ImageAlpha"},
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

float decodeFloat(const std::uint8_t* bytes) { return std::bit_cast<float>(decodeU32(bytes)); }
void encodeFloat(float value, std::uint8_t* bytes) { encodeU32(std::bit_cast<std::uint32_t>(value), bytes); }

// Where the fields of a record's fixed part lie in each layout. A wide
// colour holds a fourth component after its red, green and blue.
struct FixedPart {
    std::size_t size;
    std::size_t ambient, diffuse, emission, density;
    std::size_t specular, glossiness;  // wide only
};
constexpr FixedPart kNarrowPart{44, 4, 16, 28, 40, 0, 0};
constexpr FixedPart kWidePart{76, 4, 20, 52, 72, 36, 68};
constexpr std::size_t kFourthComponent = 12;

const FixedPart& fixedPartOf(bool wide) { return wide ? kWidePart : kNarrowPart; }

Color decodeColor(const std::uint8_t* bytes) {
    return {decodeFloat(bytes), decodeFloat(bytes + 4), decodeFloat(bytes + 8)};
}

void encodeColor(const Color& color, std::uint8_t* bytes) {
    for (std::size_t i = 0; i < color.size(); ++i) encodeFloat(color[i], bytes + 4 * i);
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

bool Material::read(FileStream& stream, RecordLayout layout) {
    const bool wide = layout == RecordLayout::Wide;
    const FixedPart& part = fixedPartOf(wide);
    std::array<std::uint8_t, kWidePart.size> fixed{};
    if (stream.read(fixed.data(), part.size) != part.size) return false;
    const std::uint8_t* bytes = fixed.data();
    flags_ = decodeU32(bytes);
    ambient_ = decodeColor(bytes + part.ambient);
    diffuse_ = decodeColor(bytes + part.diffuse);
    emission_ = decodeColor(bytes + part.emission);
    density_ = decodeFloat(bytes + part.density);
    if (wide) {
        const std::uint8_t* specular = bytes + part.specular;
        wide_ = WideFields{decodeFloat(bytes + part.ambient + kFourthComponent),
                           decodeFloat(bytes + part.diffuse + kFourthComponent),
                           decodeFloat(bytes + part.emission + kFourthComponent),
                           {decodeFloat(specular), decodeFloat(specular + 4), decodeFloat(specular + 8),
                            decodeFloat(specular + kFourthComponent)},
                           decodeFloat(bytes + part.glossiness)};
    }

    if ((flags_ & ReflectionTexture) != 0) {
        std::uint8_t densityBytes[4];
        if (stream.read(densityBytes, sizeof densityBytes) != sizeof densityBytes) return false;
        reflectionDensity_ = decodeFloat(densityBytes);
        if (!readName(stream, reflectionName_)) return false;
    }
    if (!readName(stream, diffuseName_)) return false;
    if (storesAlphaName(flags_, diffuseName_.view()) && !readName(stream, alphaName_)) return false;
    if ((flags_ & AnimatedDiffuse) != 0) {
        AnimationBlock block;
        if (stream.read(block.data(), block.size()) != block.size()) return false;
        animation_ = block;
    }
    return true;
}

bool Material::write(FileStream& stream) const {
    const FixedPart& part = fixedPartOf(wide_.has_value());
    std::array<std::uint8_t, kWidePart.size> fixed{};
    std::uint8_t* bytes = fixed.data();
    encodeU32(flags_, bytes);
    encodeColor(ambient_, bytes + part.ambient);
    encodeColor(diffuse_, bytes + part.diffuse);
    encodeColor(emission_, bytes + part.emission);
    encodeFloat(density_, bytes + part.density);
    if (wide_) {
        encodeFloat(wide_->ambientFourth, bytes + part.ambient + kFourthComponent);
        encodeFloat(wide_->diffuseFourth, bytes + part.diffuse + kFourthComponent);
        encodeFloat(wide_->emissionFourth, bytes + part.emission + kFourthComponent);
        for (std::size_t i = 0; i < wide_->specular.size(); ++i)
            encodeFloat(wide_->specular[i], bytes + part.specular + 4 * i);
        encodeFloat(wide_->glossiness, bytes + part.glossiness);
    }
    if (stream.write(bytes, part.size) != part.size) return false;

    if ((flags_ & ReflectionTexture) != 0) {
        std::uint8_t densityBytes[4];
        encodeFloat(reflectionDensity_, densityBytes);
        if (stream.write(densityBytes, sizeof densityBytes) != sizeof densityBytes ||
            !writeName(stream, reflectionName_))
            return false;
    }
    if (!writeName(stream, diffuseName_)) return false;
    if (storesAlphaName(flags_, diffuseName_.view()) && !writeName(stream, alphaName_)) return false;
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
    if (wide_) wide_ = WideFields{};
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
// names and two separators, give no name longer than 255 characters, and no
// alpha name the record could not store. Each name's presence bit follows
// the name. An animation block is checked
// again against the new diffuse name, and goes with an emptied one.
bool Material::setTextureNames(std::string_view joined) {
    if (joined.size() > kMaxJoinedLength || std::count(joined.begin(), joined.end(), separator_) != 2) return false;
    const std::size_t first = joined.find(separator_);
    const std::size_t second = joined.find(separator_, first + 1);
    const std::string_view reflection = joined.substr(0, first);
    const std::string_view diffuse = joined.substr(first + 1, second - first - 1);
    const std::string_view alpha = joined.substr(second + 1);
    if (reflection.size() > TextureName::kMaxLength || diffuse.size() > TextureName::kMaxLength ||
        alpha.size() > TextureName::kMaxLength || (!alpha.empty() && !canHoldAlphaName(flags_, diffuse)))
        return false;

    setNameAndBit(reflectionName_, flags_, ReflectionTexture, reflection);
    setNameAndBit(diffuseName_, flags_, DiffuseTexture, diffuse);
    setNameAndBit(alphaName_, flags_, AlphaTexture, alpha);
    checkAnimationAgainstDiffuseName();
    return true;
}

bool Material::setTextureName(TextureKind kind, std::string_view name) {
    if (name.size() > TextureName::kMaxLength || name.find(separator_) != std::string_view::npos) return false;
    if (kind == AlphaKind && !name.empty() && !canHoldAlphaName(flags_, diffuseName_.view())) return false;
    if (kind == DiffuseKind && name.empty() && !alphaName_.empty()) return false;
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
            animation_,
            wide_};
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
    wide_ = state.wide;
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
