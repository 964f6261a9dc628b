#include "cli/command_support.h"

#include <algorithm>
#include <charconv>
#include <limits>

#include "cli/paths.h"
#include "core/code_page.h"

namespace cli {

namespace {

constexpr std::string_view kNotUtf8Text = "the text is not well-formed UTF-8";
constexpr std::string_view kNotCp1251Text = "the name holds a character that code page 1251 has no byte for";
constexpr std::string_view kNameHasControlText =
    "a texture name is a file name and cannot hold control characters (U+0000..U+001F)";
constexpr std::string_view kNameRefusedText =
    "a texture name holds at most 255 characters (with \".BMP\" when it is added) and no \"|\"";

}  // namespace

std::string materialRow(std::int32_t number, const model::Material& material) {
    return '[' + std::to_string(number) + "] " + core::cp1251ToUtf8(material.getTextureNames());
}

bool framesRead(const std::string& pathArgument, const model::MaterialUsage& usage, std::ostream& err) {
    if (usage.known()) return true;
    err << "Can't read the frames of " << pathArgument;
    if (usage.frames().problem) err << ": " << model::describe(*usage.frames().problem);
    err << '\n';
    return false;
}

bool loadModel(const std::string& pathArgument, model::ModelFile& model, std::ostream& err,
               model::ModelFile::LoadScope scope) {
    std::string path;
    if (pathOfArgument(pathArgument, path) && model.load(path, scope)) return true;
    err << "Can't read file: " << pathArgument << '\n';
    return false;
}

bool saveModel(const model::ModelFile& model, const std::string& pathArgument, std::ostream& err) {
    std::string path;
    if (pathOfArgument(pathArgument, path) && model.save(path)) return true;
    err << "Can't write file: " << pathArgument << '\n';
    return false;
}

std::optional<float> floatOfText(std::string_view text) {
    float value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ptr != end || (ec != std::errc() && ec != std::errc::result_out_of_range)) return std::nullopt;
    // Beyond a float's range, large or small: infinity, which the range
    // rules refuse, rather than some other value taken in its place.
    if (ec == std::errc::result_out_of_range) return std::numeric_limits<float>::infinity();
    return value;
}

std::optional<std::int64_t> integerOfText(std::string_view text) {
    std::int64_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty()) return std::nullopt;
    return value;
}

void reportRefusal(std::ostream& err, std::int32_t number, std::string_view field, std::string_view text) {
    err << "material " << number << ", " << field << ": " << text << '\n';
}

std::string_view unconvertedText(core::Utf8Conversion conversion) {
    return conversion == core::Utf8Conversion::NotUtf8 ? kNotUtf8Text : kNotCp1251Text;
}

std::optional<std::string> acceptTypedName(std::string_view typed, std::string_view& why) {
    std::string name;
    if (const core::Utf8Conversion conversion = core::utf8ToCp1251(typed, name);
        conversion != core::Utf8Conversion::Converted) {
        why = unconvertedText(conversion);
        return std::nullopt;
    }
    if (std::any_of(name.begin(), name.end(), [](char byte) { return static_cast<unsigned char>(byte) < 0x20; })) {
        why = kNameHasControlText;
        return std::nullopt;
    }
    std::optional<std::string> accepted = model::acceptTextureName(name);
    if (!accepted) why = kNameRefusedText;
    return accepted;
}

bool keepsReflectionDensity(const model::Material& changed, const model::MaterialEdit& edit) {
    return !edit.reflectionDensity || (changed.flags() & model::ReflectionTexture) != 0;
}

std::string_view refusalText(const model::EditProblem& problem) {
    using model::EditRefusal;
    switch (problem.refusal) {
    case EditRefusal::ValueOutOfRange: return "values must lie within 0..1";
    case EditRefusal::NameTooLong: return "a texture name holds at most 255 characters";
    case EditRefusal::NameHasSeparator: return "a texture name cannot hold \"|\"";
    case EditRefusal::LayoutFlag:
        return "DiffuseTexture, ReflectionTexture, AnimatedDiffuse and AlphaTexture follow the texture names and the "
               "animation: change those instead";
    case EditRefusal::FlagFieldOutOfRange:
        return "the tiling count lies within 0..255, the blend and mapping modes within 0..7";
    case EditRefusal::ImageAlphaDropsAlphaName:
        return "with ImageAlpha no alpha name is stored, and the material has one: remove it too (an empty alpha "
               "name)";
    case EditRefusal::FrameCountOutOfRange: return "the frame count must lie within 2..255";
    case EditRefusal::NameNotAnimatable:
        return "an animated diffuse name needs \"00\" before a four-character extension, as in WATER00.BMP";
    case EditRefusal::AlphaNameNotStored:
        return "a model stores an alpha name only after a diffuse name, and not when the diffuse image carries its "
               "own alpha (flag bit 0x01000000)";
    case EditRefusal::AlphaNameWouldVanish:
        return "the alpha name is stored only after a diffuse name; give an empty alpha name too to remove both";
    }
    return "refused";
}

}  // namespace cli
