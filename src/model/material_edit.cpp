#include "model/material_edit.h"

#include <algorithm>
#include <cmath>

#include "core/code_page.h"
#include "core/text.h"

namespace model {

namespace {

// round(numerator / denominator) of exact integers, a half to even;
// denominator > 0.
std::int64_t roundedQuotient(std::int64_t numerator, std::int64_t denominator) {
    std::int64_t quotient = numerator / denominator;
    std::int64_t remainder = numerator % denominator;
    if (remainder < 0) {  // floor division, so that the remainder is 0..denominator-1
        quotient -= 1;
        remainder += denominator;
    }
    if (2 * remainder > denominator || (2 * remainder == denominator && quotient % 2 != 0)) ++quotient;
    return quotient;
}

float clampedToUnitRange(float value) { return inUnitRange(value) ? value : (value > 1.0F ? 1.0F : 0.0F); }

bool colorEditEmpty(const MaterialEdit::ColorEdit& edit) {
    return std::none_of(edit.begin(), edit.end(), [](const std::optional<float>& value) { return value.has_value(); });
}

// The stored colour with the edited components put in; untouched components
// outside 0..1 clamped, as the material stores a colour only whole.
Color mergedColor(const Color& stored, const MaterialEdit::ColorEdit& edit) {
    Color merged{};
    for (std::size_t i = 0; i < merged.size(); ++i) merged[i] = edit[i].value_or(clampedToUnitRange(stored[i]));
    return merged;
}

void checkColor(const MaterialEdit::ColorEdit& edit, const char* field, std::vector<EditProblem>& problems) {
    for (const std::optional<float>& value : edit)
        if (value && !inUnitRange(*value)) {
            problems.push_back({EditRefusal::ValueOutOfRange, field});
            return;
        }
}

void checkValue(const std::optional<float>& value, const char* field, std::vector<EditProblem>& problems) {
    if (value && !inUnitRange(*value)) problems.push_back({EditRefusal::ValueOutOfRange, field});
}

// The three colours of a material: the part of a change that gives one,
// how the material gives and takes it, and the field problems name.
struct ColorField {
    MaterialEdit::ColorEdit MaterialEdit::*edit;
    const Color& (Material::*stored)() const;
    bool (Material::*store)(float red, float green, float blue);
    const char* name;
};

constexpr std::array<ColorField, 3> kColorFields{{
    {&MaterialEdit::ambient, &Material::ambient, &Material::setAmbient, "ambient"},
    {&MaterialEdit::diffuse, &Material::diffuse, &Material::setDiffuse, "diffuse"},
    {&MaterialEdit::emission, &Material::emission, &Material::setEmission, "emission"},
}};

// The name of a kind the material has once the change is made.
std::string_view nameAfter(const Material& material, const MaterialEdit& edit, TextureKind kind) {
    const std::optional<std::string>& name = edit.names[kind];
    return name ? std::string_view(*name) : material.textureName(kind);
}

// The flag word the material has once the change is made.
std::uint32_t flagsAfter(const Material& material, const MaterialEdit& edit) {
    std::uint32_t flags = (material.flags() & ~edit.flagsToClear) | edit.flagsToSet;
    if (edit.tiling) flags = kTilingField.in(flags, *edit.tiling);
    if (edit.blendMode) flags = kBlendModeField.in(flags, *edit.blendMode);
    if (edit.mappingMode) flags = kMappingModeField.in(flags, *edit.mappingMode);
    return flags;
}

// A change that would leave an alpha name the record cannot store is
// refused rather than lose the name on saving: the part of the change that
// would is named.
void checkAlphaName(const Material& material, const MaterialEdit& edit, std::vector<EditProblem>& problems) {
    const std::string_view diffuse = nameAfter(material, edit, DiffuseKind);
    if (nameAfter(material, edit, AlphaKind).empty() || Material::canHoldAlphaName(flagsAfter(material, edit), diffuse))
        return;
    if (edit.names[AlphaKind])
        problems.push_back({EditRefusal::AlphaNameNotStored, std::string(kTextureNameFields[AlphaKind])});
    else if (edit.names[DiffuseKind] && diffuse.empty())
        problems.push_back({EditRefusal::AlphaNameWouldVanish, std::string(kTextureNameFields[DiffuseKind])});
    else
        problems.push_back({EditRefusal::ImageAlphaDropsAlphaName, "flags"});
}

void checkField(const std::optional<std::uint32_t>& value, const FlagField& field, const char* name,
                std::vector<EditProblem>& problems) {
    if (value && *value > field.maximum()) problems.push_back({EditRefusal::FlagFieldOutOfRange, name});
}

}  // namespace

std::int64_t roundHalfEven(double x) { return static_cast<std::int64_t>(std::nearbyint(x)); }

int sliderPositionOf(float value) {
    if (!(value > 0.0F)) return 0;  // not-a-number too
    if (value >= 1.0F) return kSliderMaximum;
    return static_cast<int>(roundHalfEven(static_cast<double>(kSliderMaximum) * static_cast<double>(value)));
}

float valueOfSliderPosition(int position) {
    return static_cast<float>(static_cast<double>(position) / kSliderMaximum);
}

std::uint8_t colorByteOfPosition(int position) {
    const int clamped = std::clamp(position, 0, kSliderMaximum);
    return static_cast<std::uint8_t>(roundedQuotient(std::int64_t{clamped} * 255, kSliderMaximum));
}

float valueOfColorByte(std::uint8_t byte) { return static_cast<float>(byte / 255.0); }

int sliderPositionOfByte(std::uint8_t byte) {
    return static_cast<int>(roundedQuotient(std::int64_t{kSliderMaximum} * byte, 255));
}

int dragPosition(int x, int width) {
    if (width <= 0) return 0;
    return static_cast<int>(roundedQuotient(std::int64_t{kSliderMaximum} * x, width));
}

std::optional<core::ImageFormat> viewerFormatOf(std::string_view name) {
    constexpr std::size_t kExtensionSize = 4;
    const std::string_view extension = name.substr(name.size() - std::min(name.size(), kExtensionSize));
    if (core::sameFileName(extension, ".BMP")) return core::ImageFormat::Bmp;
    if (core::sameFileName(extension, ".TGA")) return core::ImageFormat::Tga;
    return std::nullopt;
}

std::optional<std::string> acceptTextureName(std::string_view typed) {
    std::string name(typed);
    const std::string capitals = core::capitalized(name);
    if (!name.empty() && capitals.find(".BMP") == std::string::npos && capitals.find(".TGA") == std::string::npos)
        name += ".BMP";
    if (name.size() > Material::kMaxNameLength || name.find(Material::kSeparator) != std::string::npos)
        return std::nullopt;
    return name;
}

bool searchFinds(const Material& material, std::string_view text) {
    return !text.empty() && material.getTextureNames().find(text) != std::string::npos;
}

std::optional<std::uint8_t> frameCountOfText(std::string_view text) {
    const core::SignedDigits number = core::scanSignedDigits(text);
    int value = 0;  // stops growing once past the largest count, so it never wraps
    for (const char digit : number.digits) value = std::min(value * 10 + (digit - '0'), kMaxFrames + 1);
    if (number.negative || !isFrameCount(value)) return std::nullopt;
    return static_cast<std::uint8_t>(value);
}

bool MaterialEdit::empty() const {
    return std::all_of(kColorFields.begin(), kColorFields.end(),
                       [this](const ColorField& color) { return colorEditEmpty(this->*color.edit); }) &&
           !reflectionDensity && !density &&
           std::none_of(names.begin(), names.end(), [](const auto& name) { return name.has_value(); }) &&
           flagsToSet == 0 && flagsToClear == 0 && !tiling && !blendMode && !mappingMode && !animation;
}

std::optional<EditRefusal> alphaNameRefusal(std::uint32_t flags, std::string_view diffuseName,
                                            std::string_view alphaName, bool alphaNameGiven) {
    if (alphaName.empty() || Material::canHoldAlphaName(flags, diffuseName)) return std::nullopt;
    return alphaNameGiven ? EditRefusal::AlphaNameNotStored : EditRefusal::AlphaNameWouldVanish;
}

std::vector<EditProblem> checkEdit(const Material& material, const MaterialEdit& edit) {
    std::vector<EditProblem> problems;
    for (const ColorField& color : kColorFields) checkColor(edit.*color.edit, color.name, problems);
    checkValue(edit.reflectionDensity, "reflection-density", problems);
    checkValue(edit.density, "density", problems);
    // Each name is set on its own, so only the names the change gives are
    // checked; a stored name that holds the separator (a model file may
    // carry one) stays as it is.
    for (std::size_t kind = 0; kind < edit.names.size(); ++kind) {
        if (!edit.names[kind]) continue;
        const std::string& name = *edit.names[kind];
        const std::string field(kTextureNameFields[kind]);
        if (name.size() > Material::kMaxNameLength) problems.push_back({EditRefusal::NameTooLong, field});
        if (name.find(Material::kSeparator) != std::string::npos)
            problems.push_back({EditRefusal::NameHasSeparator, field});
    }
    checkAlphaName(material, edit, problems);
    if (((edit.flagsToSet | edit.flagsToClear) & kLayoutFlags) != 0)
        problems.push_back({EditRefusal::LayoutFlag, "flags"});
    checkField(edit.tiling, kTilingField, "tiling", problems);
    checkField(edit.blendMode, kBlendModeField, "blend-mode", problems);
    checkField(edit.mappingMode, kMappingModeField, "mapping-mode", problems);
    if (edit.animation && *edit.animation) {
        if (!isFrameCount((*edit.animation)->frames))
            problems.push_back({EditRefusal::FrameCountOutOfRange, "animation"});
        if (!Material::qualifiesForAnimation(nameAfter(material, edit, DiffuseKind)))
            problems.push_back({EditRefusal::NameNotAnimatable, "animation"});
    }
    return problems;
}

bool applyEdit(Material& material, const MaterialEdit& edit) {
    if (!checkEdit(material, edit).empty()) return false;

    // The flags come first: a cleared image-alpha bit lets the material take
    // an alpha name. An emptied alpha name goes before the diffuse name and
    // a new one after it, so that the material never holds an alpha name
    // without a diffuse name on the way.
    const std::uint32_t flags = flagsAfter(material, edit);
    material.changeFlags(flags & ~material.flags(), material.flags() & ~flags);
    const bool alphaEmptied = edit.names[AlphaKind] && edit.names[AlphaKind]->empty();
    const std::array<TextureKind, 3> order = alphaEmptied ? std::array{ReflectionKind, AlphaKind, DiffuseKind}
                                                          : std::array{ReflectionKind, DiffuseKind, AlphaKind};
    for (const TextureKind kind : order)
        if (edit.names[kind]) material.setTextureName(kind, *edit.names[kind]);
    if (edit.animation) {
        if (*edit.animation)
            material.setAnimation((*edit.animation)->frames, (*edit.animation)->delay);
        else
            material.removeAnimation();
    }
    if (edit.reflectionDensity) material.setReflectionDensity(*edit.reflectionDensity);
    if (edit.density) material.setDensity(*edit.density);
    for (const ColorField& field : kColorFields) {
        const MaterialEdit::ColorEdit& edited = edit.*field.edit;
        if (colorEditEmpty(edited)) continue;
        const Color color = mergedColor((material.*field.stored)(), edited);
        (material.*field.store)(color[0], color[1], color[2]);
    }
    return true;
}

}  // namespace model
