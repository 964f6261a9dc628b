// skirvane-cli set: changes one material as the editor's panel would.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "cli/command_support.h"
#include "cli/commands.h"

namespace cli {

namespace {

constexpr std::string_view kDetails =
    "Changes (any number of them, each at most once):\n"
    "  --ambient R,G,B, --diffuse R,G,B, --emission R,G,B   a colour, each component 0..1\n"
    "  --density X, --reflection-density X                  0..1\n"
    "  --reflection-name N, --diffuse-name N, --alpha-name N\n"
    "      a texture name, taken as the editor's name box takes it on Enter: a name without\n"
    "      \".BMP\" or \".TGA\" gets \".BMP\" appended; at most 255 characters, no \"|\" and no\n"
    "      control characters; an empty name removes the texture\n"
    "  --flag +NAME, --flag -NAME   sets or clears one of DiffuseChannel, ExtraSettings,\n"
    "      DoubleSided, DiffuseHighlight, AlphaHighlight, ColorTransparency (repeatable)\n"
    "  --animation FRAMES,DELAY     animates the diffuse texture: FRAMES 2..255, DELAY a\n"
    "      32-bit number; the diffuse name needs \"00\" before its extension (WATER00.BMP)\n"
    "  --no-animation               removes the animation\n"
    "  -o OUT.4ds                   saves there; without it the model is saved in place\n"
    "Everything the changes do not name stays as stored. A refused value is reported with\n"
    "the material and the field, and nothing is written.\n";

// What the command line asks for.
struct SetRequest {
    std::string modelPath;
    std::string outputPath;
    model::MaterialEdit edit;
    std::array<std::optional<std::string>, 3> typedNames;  // UTF-8, by texture kind
    std::vector<std::string_view> givenSlots;              // to refuse an option given twice
};

using Problem = std::optional<std::string>;  // why the command line cannot be taken

Problem takeColor(std::string_view text, model::MaterialEdit::ColorEdit& color) {
    std::size_t start = 0;
    for (std::size_t i = 0; i < color.size(); ++i) {
        const bool last = i + 1 == color.size();
        const std::size_t end = last ? text.size() : text.find(',', start);
        if (end == std::string_view::npos || !(color[i] = floatOfText(text.substr(start, end - start))))
            return "a colour is three numbers: R,G,B";
        start = end + 1;
    }
    return std::nullopt;
}

Problem takeValue(std::string_view text, std::optional<float>& value) {
    value = floatOfText(text);
    if (!value) return "a density is a number";
    return std::nullopt;
}

Problem takeFlag(std::string_view text, SetRequest& request) {
    // Only the six flags of the editor's check boxes; the other bits are not the editor's to change.
    const std::uint32_t bit = text.empty() ? 0 : model::materialFlagByName(text.substr(1)) & model::kEditorFlags;
    if (bit == 0 || (text.front() != '+' && text.front() != '-'))
        return "--flag takes +NAME or -NAME, NAME one of DiffuseChannel, ExtraSettings, DoubleSided, "
               "DiffuseHighlight, AlphaHighlight, ColorTransparency";
    model::MaterialEdit& edit = request.edit;
    if (((edit.flagsToSet | edit.flagsToClear) & bit) != 0)
        return "--flag names " + std::string(text.substr(1)) + " twice";
    (text.front() == '+' ? edit.flagsToSet : edit.flagsToClear) |= bit;
    return std::nullopt;
}

Problem takeAnimation(std::string_view text, SetRequest& request) {
    const std::size_t comma = text.find(',');
    const std::optional<std::int64_t> frames = integerOfText(text.substr(0, comma));
    const std::optional<std::int64_t> delay =
        comma == std::string_view::npos ? std::nullopt : integerOfText(text.substr(comma + 1));
    if (!frames || !delay || *delay < 0 || *delay > UINT32_MAX)
        return "--animation takes FRAMES,DELAY: two whole numbers, DELAY within 0..4294967295";
    // A count beyond what the block's byte holds is out of range like any
    // other; 0 stands for it so that the frame-count rule refuses it.
    const bool fitsByte = *frames >= 0 && *frames <= UINT8_MAX;
    request.edit.animation =
        model::Animation{static_cast<std::uint8_t>(fitsByte ? *frames : 0), static_cast<std::uint32_t>(*delay)};
    return std::nullopt;
}

template <model::TextureKind kind>
Problem takeName(std::string_view text, SetRequest& request) {
    request.typedNames[kind] = std::string(text);
    return std::nullopt;
}

Problem takeOutput(std::string_view text, SetRequest& request) {
    request.outputPath = text;
    return std::nullopt;
}

struct ValueOption {
    std::string_view name;
    std::string_view slot;  // options of one slot exclude each other; empty: may repeat
    Problem (*take)(std::string_view value, SetRequest& request);
};

const std::array<ValueOption, 11> kValueOptions{{
    {"--ambient", "ambient", [](std::string_view v, SetRequest& r) { return takeColor(v, r.edit.ambient); }},
    {"--diffuse", "diffuse", [](std::string_view v, SetRequest& r) { return takeColor(v, r.edit.diffuse); }},
    {"--emission", "emission", [](std::string_view v, SetRequest& r) { return takeColor(v, r.edit.emission); }},
    {"--density", "density", [](std::string_view v, SetRequest& r) { return takeValue(v, r.edit.density); }},
    {"--reflection-density", "reflection-density",
     [](std::string_view v, SetRequest& r) { return takeValue(v, r.edit.reflectionDensity); }},
    {"--reflection-name", "reflection-name", takeName<model::ReflectionKind>},
    {"--diffuse-name", "diffuse-name", takeName<model::DiffuseKind>},
    {"--alpha-name", "alpha-name", takeName<model::AlphaKind>},
    {"--flag", "", takeFlag},
    {"--animation", "animation", takeAnimation},
    {"-o", "output", takeOutput},
}};

Problem takeOption(Arguments arguments, std::size_t& at, SetRequest& request) {
    const std::string_view name = optionName(arguments[at]);
    std::string_view slot;
    Problem problem;
    if (name == "--no-animation" && name == arguments[at]) {
        slot = "animation";
        request.edit.animation = std::optional<model::Animation>();
    } else {
        const ValueOption* option = nullptr;
        for (const ValueOption& candidate : kValueOptions)
            if (candidate.name == name) option = &candidate;
        if (option == nullptr) return "unknown option " + std::string(arguments[at]);
        const std::optional<std::string_view> value = optionValue(arguments, at);
        if (!value) return std::string(name) + " needs a value";
        slot = option->slot;
        problem = option->take(*value, request);
    }
    if (!slot.empty()) {
        for (const std::string_view given : request.givenSlots)
            if (given == slot) return "give the " + std::string(slot) + " only once";
        request.givenSlots.push_back(slot);
    }
    return problem;
}

// Takes the typed names by the name box's rule into the edit; reports those
// it refuses.
bool takeNames(SetRequest& request, std::int32_t number, std::ostream& err) {
    bool taken = true;
    for (std::size_t kind = 0; kind < request.typedNames.size(); ++kind) {
        if (!request.typedNames[kind]) continue;
        std::string_view why;
        if (std::optional<std::string> accepted = acceptTypedName(*request.typedNames[kind], why)) {
            request.edit.names[kind] = std::move(*accepted);
        } else {
            reportRefusal(err, number, model::kTextureNameFields[kind], why);
            taken = false;
        }
    }
    return taken;
}

int set(Arguments arguments, std::ostream&, std::ostream& err) {
    if (arguments.size() < 2 || isOption(arguments[0]))
        return wrongUsage(kSetCommand, "give the model, the material number and the changes", err);
    SetRequest request;
    request.modelPath = arguments[0];
    const std::optional<std::int64_t> number = integerOfText(arguments[1]);
    if (!number) return wrongUsage(kSetCommand, "the material number must be a whole number", err);
    for (std::size_t at = 2; at < arguments.size(); ++at) {
        if (!isOption(arguments[at])) return wrongUsage(kSetCommand, "unexpected argument " + arguments[at], err);
        if (const Problem problem = takeOption(arguments, at, request)) return wrongUsage(kSetCommand, *problem, err);
    }
    const bool namesTyped = std::any_of(request.typedNames.begin(), request.typedNames.end(),
                                        [](const auto& name) { return name.has_value(); });
    if (request.edit.empty() && !namesTyped) return wrongUsage(kSetCommand, "give at least one change", err);

    model::ModelFile model;
    if (!loadModel(request.modelPath, model, err)) return Failure;
    model::Material* material = *number >= 1 && *number <= model.materials().count()
                                    ? model.materials().materialAt(static_cast<std::int32_t>(*number))
                                    : nullptr;
    if (material == nullptr) {
        err << "material " << *number << ": no such material; the model has " << model.materials().count() << '\n';
        return Failure;
    }
    const auto n = static_cast<std::int32_t>(*number);
    bool refused = !takeNames(request, n, err);
    for (const model::EditProblem& problem : model::checkEdit(*material, request.edit)) {
        reportRefusal(err, n, problem.field, refusalText(problem));
        refused = true;
    }
    if (refused) return Failure;
    model::applyEdit(*material, request.edit);
    if (!keepsReflectionDensity(*material, request.edit)) {
        reportRefusal(err, n, "reflection-density", kReflectionDensityLostText);
        return Failure;
    }
    return saveModel(model, request.outputPath.empty() ? request.modelPath : request.outputPath, err) ? Success
                                                                                                      : Failure;
}

}  // namespace

const Command kSetCommand{"set", "set MODEL.4ds NUMBER [changes] [-o OUT.4ds]",
                          "change material NUMBER (from 1) as the editor would", kDetails, set};

}  // namespace cli
