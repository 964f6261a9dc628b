// skirvane-cli set: changes one material as the editor's panel would.
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/command_support.h"
#include "model/flag_word.h"

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
    "  --flag +NAME, --flag -NAME   sets or clears one switch of the flag word (repeatable):\n"
    "      DisableTextures, ExtraSettings, NoWrapU, NoWrapV, TrueColor, NoCompression,\n"
    "      NoCache, DiffuseChannel, ImageAlpha, AlphaHighlight, Colored, DoubleSided,\n"
    "      ColorTransparency, DiffuseHighlight (the README says what each does); DiffuseTexture,\n"
    "      ReflectionTexture, AnimatedDiffuse and AlphaTexture follow the names and animation\n"
    "  --tiling N                   the reflection texture's tiling count, 0..255\n"
    "  --blend-mode N, --mapping-mode N   the reflection's blend and mapping modes, 0..7\n"
    "  --animation FRAMES,DELAY     animates the diffuse texture: FRAMES 2..255, DELAY a\n"
    "      32-bit number; the diffuse name needs \"00\" before its extension (WATER00.BMP)\n"
    "  --no-animation               removes the animation\n"
    "  -o OUT.4ds                   saves there; without it the model is saved in place\n"
    "Everything the changes do not name stays as stored. A refused value is reported with\n"
    "the material and the field, and nothing is written.\n";

// What the command line asks for.
struct SetRequest {
    std::vector<std::string> operands;  // the model and the material number
    std::int64_t number = 0;
    std::string outputPath;
    model::MaterialEdit edit;
    std::array<std::optional<std::string>, 3> typedNames;  // UTF-8, by texture kind
};

Problem takeNumber(const std::string& text, std::int64_t& number) {
    const std::optional<std::int64_t> taken = integerOfText(text);
    if (!taken) return "the material number must be a whole number";
    number = *taken;
    return std::nullopt;
}

Take colorInto(model::MaterialEdit::ColorEdit& color) {
    return [&color](const std::string& text) -> Problem {
        std::size_t start = 0;
        for (std::size_t i = 0; i < color.size(); ++i) {
            const bool last = i + 1 == color.size();
            const std::size_t end = last ? text.size() : text.find(',', start);
            if (end == std::string::npos ||
                !(color[i] = floatOfText(std::string_view(text).substr(start, end - start))))
                return "a colour is three numbers: R,G,B";
            start = end + 1;
        }
        return std::nullopt;
    };
}

Take valueInto(std::optional<float>& value) {
    return [&value](const std::string& text) -> Problem {
        value = floatOfText(text);
        if (!value) return "a density is a number";
        return std::nullopt;
    };
}

Take nameInto(std::optional<std::string>& typed) {
    return [&typed](const std::string& text) {
        typed = text;
        return Problem();
    };
}

Take flagInto(model::MaterialEdit& edit) {
    return [&edit](const std::string& text) -> Problem {
        // The bits that say which parts the record stores follow its names and animation.
        const std::uint32_t bit =
            text.empty() ? 0 : model::flagSwitchByName(std::string_view(text).substr(1)) & ~model::kLayoutFlags;
        if (bit == 0 || (text.front() != '+' && text.front() != '-'))
            return "--flag takes +NAME or -NAME, NAME a switch of the flag word (see --help) other than "
                   "DiffuseTexture, ReflectionTexture, AnimatedDiffuse and AlphaTexture";
        if (((edit.flagsToSet | edit.flagsToClear) & bit) != 0) return "--flag names " + text.substr(1) + " twice";
        (text.front() == '+' ? edit.flagsToSet : edit.flagsToClear) |= bit;
        return std::nullopt;
    };
}

// A number the flag word holds; one beyond 32 bits stands as the largest,
// for the range rule to refuse.
Take fieldInto(std::optional<std::uint32_t>& value, const std::string& name) {
    return [&value, name](const std::string& text) -> Problem {
        const std::optional<std::int64_t> number = integerOfText(text);
        if (!number || *number < 0) return name + " takes a whole number";
        value = static_cast<std::uint32_t>(std::min<std::int64_t>(*number, UINT32_MAX));
        return std::nullopt;
    };
}

Take animationInto(model::MaterialEdit& edit) {
    return [&edit](const std::string& text) -> Problem {
        const std::size_t comma = text.find(',');
        const std::optional<std::int64_t> frames = integerOfText(std::string_view(text).substr(0, comma));
        const std::optional<std::int64_t> delay =
            comma == std::string::npos ? std::nullopt : integerOfText(std::string_view(text).substr(comma + 1));
        if (!frames || !delay || *delay < 0 || *delay > UINT32_MAX)
            return "--animation takes FRAMES,DELAY: two whole numbers, DELAY within 0..4294967295";
        // A count beyond what the block's byte holds is out of range like any
        // other; 0 stands for it so that the frame-count rule refuses it.
        const bool fitsByte = *frames >= 0 && *frames <= UINT8_MAX;
        edit.animation =
            model::Animation{static_cast<std::uint8_t>(fitsByte ? *frames : 0), static_cast<std::uint32_t>(*delay)};
        return std::nullopt;
    };
}

// An option of set: given at most once with the others of its slot.
OptionRule once(const std::string& name, const std::string& slot) {
    return {slot, "give the " + slot + " only once", name + " needs a value"};
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

// Checks the change on the material and makes it; reports what is refused.
bool changeMaterial(SetRequest& request, model::Material& material, std::ostream& err) {
    const auto n = static_cast<std::int32_t>(request.number);
    bool refused = !takeNames(request, n, err);
    for (const model::EditProblem& problem : model::checkEdit(material, request.edit)) {
        reportRefusal(err, n, problem.field, refusalText(problem));
        refused = true;
    }
    if (refused) return false;
    model::applyEdit(material, request.edit);
    if (keepsReflectionDensity(material, request.edit)) return true;
    reportRefusal(err, n, "reflection-density", kReflectionDensityLostText);
    return false;
}

int set(SetRequest& request, std::ostream&, std::ostream& err) {
    const std::string& modelPath = request.operands[0];
    const std::int64_t number = request.number;
    model::ModelFile model;
    if (!loadModel(modelPath, model, err)) return Failure;
    model::Material* material = number >= 1 && number <= model.materials().count()
                                    ? model.materials().materialAt(static_cast<std::int32_t>(number))
                                    : nullptr;
    if (material == nullptr) {
        err << "material " << number << ": no such material; the model has " << model.materials().count() << '\n';
        return Failure;
    }
    if (!changeMaterial(request, *material, err)) return Failure;
    return saveModel(model, request.outputPath.empty() ? modelPath : request.outputPath, err) ? Success : Failure;
}

CommandRunner declare(CommandSyntax& syntax) {
    auto request = std::make_shared<SetRequest>();
    SetRequest* r = request.get();  // kept by the runner while the syntax reads into it
    syntax.operands({OperandPlace::First, 2, 2, "give the model, the material number and the changes"}, r->operands,
                    [r] { return takeNumber(r->operands[1], r->number); });
    // Each change at most once; its slot is its name.
    const auto change = [&syntax](const std::string& name, Take take) {
        syntax.option(name, once(name, name.substr(2)), std::move(take));
    };
    change("--ambient", colorInto(r->edit.ambient));
    change("--diffuse", colorInto(r->edit.diffuse));
    change("--emission", colorInto(r->edit.emission));
    change("--density", valueInto(r->edit.density));
    change("--reflection-density", valueInto(r->edit.reflectionDensity));
    change("--reflection-name", nameInto(r->typedNames[model::ReflectionKind]));
    change("--diffuse-name", nameInto(r->typedNames[model::DiffuseKind]));
    change("--alpha-name", nameInto(r->typedNames[model::AlphaKind]));
    change("--animation", animationInto(r->edit));
    change("--tiling", fieldInto(r->edit.tiling, "--tiling"));
    change("--blend-mode", fieldInto(r->edit.blendMode, "--blend-mode"));
    change("--mapping-mode", fieldInto(r->edit.mappingMode, "--mapping-mode"));
    syntax.option("--flag", {"", "", "--flag needs a value"}, flagInto(r->edit));
    syntax.flag("--no-animation", once("--no-animation", "animation"),
                [r] { r->edit.animation = std::optional<model::Animation>(); });
    syntax.option("-o", once("-o", "output"), textInto(r->outputPath));
    syntax.require([r]() -> Problem {
        const bool namesTyped =
            std::any_of(r->typedNames.begin(), r->typedNames.end(), [](const auto& name) { return name.has_value(); });
        if (r->edit.empty() && !namesTyped) return "give at least one change";
        return std::nullopt;
    });
    return [request](std::ostream& out, std::ostream& err) { return set(*request, out, err); };
}

}  // namespace

const Command kSetCommand{"set", "set MODEL.4ds NUMBER [changes] [-o OUT.4ds]",
                          "change material NUMBER (from 1) as the editor would", kDetails, declare};

}  // namespace cli
