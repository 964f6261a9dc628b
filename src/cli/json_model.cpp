#include "cli/json_model.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "core/code_page.h"
#include "model/flag_word.h"

namespace cli {

namespace {

constexpr std::string_view kInfinity = "Infinity";
constexpr std::string_view kNegativeInfinity = "-Infinity";
constexpr std::string_view kNotANumberPrefix = "NaN:";

}  // namespace

Json floatToJson(float value) {
    if (std::isfinite(value)) return value;
    if (std::isinf(value)) return std::string(value > 0 ? kInfinity : kNegativeInfinity);
    char bits[9];
    std::snprintf(bits, sizeof bits, "%08X", std::bit_cast<std::uint32_t>(value));
    return std::string(kNotANumberPrefix) + bits;
}

bool floatFromJson(const Json& json, float& value) {
    if (json.is_number()) {
        value = json.get<float>();
        return true;
    }
    if (!json.is_string()) return false;
    const auto& text = json.get_ref<const std::string&>();
    if (text == kInfinity || text == kNegativeInfinity) {
        value = text == kInfinity ? INFINITY : -INFINITY;
        return true;
    }
    if (!text.starts_with(kNotANumberPrefix) || text.size() != kNotANumberPrefix.size() + 8) return false;
    std::uint32_t bits = 0;
    const char* digits = text.data() + kNotANumberPrefix.size();
    const auto parsed = std::from_chars(digits, text.data() + text.size(), bits, 16);
    if (parsed.ec != std::errc() || parsed.ptr != text.data() + text.size()) return false;
    value = std::bit_cast<float>(bits);
    return std::isnan(value);
}

Json floatsToJson(std::span<const float> values) {
    Json list = Json::array();
    for (const float value : values) list.push_back(floatToJson(value));
    return list;
}

Json flagNamesToJson(std::uint32_t flags) {
    Json switches = Json::array();
    for (const model::FlagSwitch& flag : model::flagSwitches())
        if ((flags & flag.bit) != 0) switches.push_back(flag.name);
    return Json{{"switches", std::move(switches)},
                {"tiling", model::kTilingField.of(flags)},
                {"blendMode", model::kBlendModeField.of(flags)},
                {"mappingMode", model::kMappingModeField.of(flags)}};
}

Json usedByToJson(const model::MaterialUsage& usage, std::int32_t number) {
    if (!usage.known()) return nullptr;
    Json uses = Json::array();
    for (const model::MaterialUse& use : usage.usesOf(number)) {
        Json entry{{"frame", core::cp1251ToUtf8(usage.frame(use.frame).name)}};
        if (use.glow) {
            entry["glow"] = true;
        } else {
            entry["level"] = use.level;
            entry["faces"] = use.faces;
            if (use.geometryOf != 0) entry["instanceOf"] = core::cp1251ToUtf8(usage.frame(use.geometryOf).name);
        }
        uses.push_back(std::move(entry));
    }
    return uses;
}

Json materialToJson(const model::Material& material, std::int32_t number, const model::MaterialUsage& usage) {
    Json json;
    json["number"] = number;
    json["flags"] = material.flags();
    json["flagNames"] = flagNamesToJson(material.flags());
    json["ambient"] = floatsToJson(material.ambient());
    json["diffuse"] = floatsToJson(material.diffuse());
    json["emission"] = floatsToJson(material.emission());
    if (const std::optional<model::WideFields>& wide = material.wideFields()) {
        json["ambientFourth"] = floatToJson(wide->ambientFourth);
        json["diffuseFourth"] = floatToJson(wide->diffuseFourth);
        json["emissionFourth"] = floatToJson(wide->emissionFourth);
        json["specular"] = floatsToJson(wide->specular);
        json["glossiness"] = floatToJson(wide->glossiness);
    }
    json["density"] = floatToJson(material.density());
    json["reflectionDensity"] = floatToJson(material.reflectionDensity());
    json["reflectionName"] = core::cp1251ToUtf8(material.reflectionName());
    json["diffuseName"] = core::cp1251ToUtf8(material.diffuseName());
    json["alphaName"] = core::cp1251ToUtf8(material.alphaName());
    std::uint8_t frames = 0;
    std::uint32_t delay = 0;
    if (material.getAnimation(frames, delay))
        json["animation"] = Json{{"frames", frames}, {"delay", delay}};
    else
        json["animation"] = nullptr;
    json["usedBy"] = usedByToJson(usage, number);
    return json;
}

Json framesReadToJson(const model::MaterialUsage& usage) {
    Json json{{"framesRead", usage.known()}};
    if (const std::optional<model::FrameListProblem>& problem = usage.frames().problem)
        json["framesProblem"] = model::describe(*problem);
    return json;
}

Json modelToJson(const model::ModelFile& model) {
    const model::MaterialUsage usage = model::MaterialUsage::of(model);
    Json json;
    json["version"] = model.version();
    Json materials = Json::array();
    for (std::int32_t n = 1; n <= model.materials().count(); ++n)
        materials.push_back(materialToJson(*model.materials().materialAt(n), n, usage));
    json["materials"] = std::move(materials);
    json["remainderSize"] = model.remainder().size();
    json.update(framesReadToJson(usage));
    return json;
}

}  // namespace cli
