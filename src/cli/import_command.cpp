// skirvane-cli import: applies edits given in the form that show prints.
#include <algorithm>
#include <array>
#include <bit>
#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/edits_reader.h"
#include "cli/json_model.h"
#include "cli/paths.h"
#include "core/byte_block.h"
#include "core/code_page.h"
#include "core/file_stream.h"
#include "core/object.h"

namespace cli {

namespace {

using model::Material;
using model::MaterialEdit;

constexpr std::string_view kDetails =
    "EDITS.json has the form that show prints: {\"materials\": [{\"number\": 3, \"density\": 0.5},\n"
    "...]}, with any of the materials (by number) and any of their fields; a key given twice in\n"
    "an object takes its last value (only the last \"materials\" list is applied). Each given\n"
    "field is taken with the rules of set (texture names as the editor's name box takes them);\n"
    "a field equal to the stored value is no change. What the editor cannot change must be\n"
    "absent or equal the model's: \"version\", \"remainderSize\", the fields that only materials of\n"
    "version 41 and 42 models have (\"ambientFourth\", \"diffuseFourth\", \"emissionFourth\",\n"
    "\"specular\", \"glossiness\"), and in \"flags\" the bits DiffuseTexture, ReflectionTexture,\n"
    "AnimatedDiffuse and AlphaTexture (as stored, or as the new names and animation make them).\n"
    "\"flagNames\" only names what \"flags\" holds: it must be absent or as show prints it for the\n"
    "stored or the given word. \"usedBy\", \"framesRead\" and \"framesProblem\" say what the model's\n"
    "frames hold: absent, or as show prints them. All or nothing: when anything is refused,\n"
    "every refusal is listed and nothing is written. Without -o the model is saved in place.\n";

// Edits files are read whole; a larger one is refused before it is read.
// The show output of the largest model (65,535 materials with three names
// of 255 Cyrillic letters each) takes about 130 MB.
constexpr std::int64_t kMaxEditsSize = 512LL * 1024 * 1024;

// One entry of the edits, read into a change.
struct EntryEdit {
    MaterialEdit edit;
    std::optional<std::uint32_t> flags;  // the flag word, when it was given and differs
    std::optional<Json> flagNames;       // as given, checked against the word once the entry is read
};

constexpr std::string_view kFloatForm = "a number, or \"Infinity\", \"-Infinity\" or \"NaN:XXXXXXXX\"";
const std::string kFloatExpected = "expected " + std::string(kFloatForm);
const std::string kColorExpected = "expected three components, each " + std::string(kFloatForm);
const std::string kSpecularExpected = "expected four components, each " + std::string(kFloatForm);
constexpr std::string_view kOnlyWideText = "only the materials of version 41 and 42 models have it";
constexpr std::string_view kFramesHoldText =
    "it says what the model's frames hold, which the editor cannot change: give it as show prints it, or not at all";

bool sameBits(float a, float b) { return std::bit_cast<std::uint32_t>(a) == std::bit_cast<std::uint32_t>(b); }

// A whole number of the JSON text within 0..maximum.
std::optional<std::uint64_t> unsignedOf(const Json& value, std::uint64_t maximum) {
    if (value.is_number_unsigned() && value.get<std::uint64_t>() <= maximum) return value.get<std::uint64_t>();
    return std::nullopt;
}

// A float field's value; `expected` says what the field takes. The edits
// reader gives a number beyond a float's range as infinity, which in the
// edits only the text "Infinity" stands for.
Problem readFloat(const Json& value, float& read, const std::string& expected) {
    if (value.is_number_float() && std::isinf(value.get<float>()))
        return "the number lies beyond what a 32-bit float holds (too large, or too close to 0)";
    if (!floatFromJson(value, read)) return expected;
    return std::nullopt;
}

template <MaterialEdit::ColorEdit MaterialEdit::*edited, const model::Color& (Material::*stored)() const>
Problem readColor(const Json& value, const Material& material, EntryEdit& entry) {
    if (!value.is_array() || value.size() != 3) return kColorExpected;
    const model::Color& color = (material.*stored)();
    for (std::size_t i = 0; i < color.size(); ++i) {
        float component = 0;
        if (Problem problem = readFloat(value[i], component, kColorExpected)) return problem;
        if (!sameBits(component, color[i])) (entry.edit.*edited)[i] = component;
    }
    return std::nullopt;
}

template <std::optional<float> MaterialEdit::*edited, float (Material::*stored)() const>
Problem readDensity(const Json& value, const Material& material, EntryEdit& entry) {
    float density = 0;
    if (Problem problem = readFloat(value, density, kFloatExpected)) return problem;
    if (!sameBits(density, (material.*stored)())) entry.edit.*edited = density;
    return std::nullopt;
}

template <model::TextureKind kind, std::string_view (Material::*stored)() const>
Problem readName(const Json& value, const Material& material, EntryEdit& entry) {
    if (!value.is_string()) return "expected a text";
    const auto& given = value.get_ref<const std::string&>();
    if (given == core::cp1251ToUtf8((material.*stored)())) return std::nullopt;
    std::string_view why;
    std::optional<std::string> accepted = acceptTypedName(given, why);
    if (!accepted) return std::string(why);
    entry.edit.names[kind] = std::move(*accepted);
    return std::nullopt;
}

// What the editor keeps as stored: a given value is taken only when it is
// the stored one.
Problem keptAsStored(bool same, const Json& stored) {
    if (same) return std::nullopt;
    return "the editor cannot change it; the model's is " + stored.dump();
}

template <float model::WideFields::*kept>
Problem readKeptFloat(const Json& value, const Material& material, EntryEdit&) {
    if (!material.wideFields()) return std::string(kOnlyWideText);
    float given = 0;
    if (Problem problem = readFloat(value, given, kFloatExpected)) return problem;
    const float stored = *material.wideFields().*kept;
    return keptAsStored(sameBits(given, stored), floatToJson(stored));
}

Problem readSpecular(const Json& value, const Material& material, EntryEdit&) {
    if (!material.wideFields()) return std::string(kOnlyWideText);
    const std::array<float, 4>& stored = material.wideFields()->specular;
    if (!value.is_array() || value.size() != stored.size()) return kSpecularExpected;
    bool same = true;
    for (std::size_t i = 0; i < stored.size(); ++i) {
        float component = 0;
        if (Problem problem = readFloat(value[i], component, kSpecularExpected)) return problem;
        same = same && sameBits(component, stored[i]);
    }
    return keptAsStored(same, floatsToJson(stored));
}

Problem readFlags(const Json& value, const Material& material, EntryEdit& entry) {
    const std::optional<std::uint64_t> flags = unsignedOf(value, UINT32_MAX);
    if (!flags) return "expected the flag word, a whole number within 0..4294967295";
    const auto given = static_cast<std::uint32_t>(*flags);
    if (given == material.flags()) return std::nullopt;
    entry.flags = given;
    entry.edit.flagsToSet = given & ~model::kLayoutFlags & ~material.flags();
    entry.edit.flagsToClear = material.flags() & ~model::kLayoutFlags & ~given;
    return std::nullopt;
}

Problem readFlagNames(const Json& value, const Material&, EntryEdit& entry) {
    entry.flagNames = value;
    return std::nullopt;
}

std::optional<model::Animation> storedAnimation(const Material& material) {
    model::Animation animation;
    if (!material.getAnimation(animation.frames, animation.delay)) return std::nullopt;
    return animation;
}

Problem readAnimation(const Json& value, const Material& material, EntryEdit& entry) {
    constexpr std::string_view kForm =
        "expected null or {\"frames\": F, \"delay\": D}, whole numbers with D within 0..4294967295";
    std::optional<model::Animation> given;
    if (!value.is_null()) {
        if (!value.is_object() || value.size() != 2 || !value.contains("frames") || !value.contains("delay"))
            return std::string(kForm);
        const Json& frames = value["frames"];
        const std::optional<std::uint64_t> delay = unsignedOf(value["delay"], UINT32_MAX);
        if (!frames.is_number_integer() || !delay) return std::string(kForm);
        // A count beyond what the block's byte holds is out of range like
        // any other. It is refused here: no byte stands for it, and one that
        // did could equal the stored count and pass as no change.
        const std::optional<std::uint64_t> fitting = unsignedOf(frames, UINT8_MAX);
        if (!fitting) return std::string(refusalText({model::EditRefusal::FrameCountOutOfRange, "animation"}));
        given = model::Animation{static_cast<std::uint8_t>(*fitting), static_cast<std::uint32_t>(*delay)};
    }
    if (given != storedAnimation(material)) entry.edit.animation = given;
    return std::nullopt;
}

struct FieldReader {
    std::string_view key;        // as show prints it
    std::string_view editField;  // as the edit rules name it
    Problem (*read)(const Json& value, const Material& material, EntryEdit& entry);
};

const std::array<FieldReader, 16> kFieldReaders{{
    {"flags", "flags", readFlags},
    {"flagNames", "flagNames", readFlagNames},
    {"ambient", "ambient", readColor<&MaterialEdit::ambient, &Material::ambient>},
    {"diffuse", "diffuse", readColor<&MaterialEdit::diffuse, &Material::diffuse>},
    {"emission", "emission", readColor<&MaterialEdit::emission, &Material::emission>},
    {"ambientFourth", "ambientFourth", readKeptFloat<&model::WideFields::ambientFourth>},
    {"diffuseFourth", "diffuseFourth", readKeptFloat<&model::WideFields::diffuseFourth>},
    {"emissionFourth", "emissionFourth", readKeptFloat<&model::WideFields::emissionFourth>},
    {"specular", "specular", readSpecular},
    {"glossiness", "glossiness", readKeptFloat<&model::WideFields::glossiness>},
    {"density", "density", readDensity<&MaterialEdit::density, &Material::density>},
    {"reflectionDensity", "reflection-density",
     readDensity<&MaterialEdit::reflectionDensity, &Material::reflectionDensity>},
    {"reflectionName", "reflection-name", readName<model::ReflectionKind, &Material::reflectionName>},
    {"diffuseName", "diffuse-name", readName<model::DiffuseKind, &Material::diffuseName>},
    {"alphaName", "alpha-name", readName<model::AlphaKind, &Material::alphaName>},
    {"animation", "animation", readAnimation},
}};

std::string_view keyOfEditField(std::string_view editField) {
    for (const FieldReader& reader : kFieldReaders)
        if (reader.editField == editField) return reader.key;
    return editField;
}

std::string hexadecimal(std::uint32_t value) {
    char text[11];
    std::snprintf(text, sizeof text, "0x%08X", value);
    return text;
}

// Applies the edits to the model's materials, reporting every refusal.
// Each entry of "materials" is taken as soon as it is read, and its
// material is changed at once, so that the checks after the change see its
// result; the caller saves the model only when nothing was refused.
class EditsApplier {
public:
    EditsApplier(model::ModelFile& model, std::ostream& err)
        : model_(model), err_(err), seen_(static_cast<std::size_t>(model.materials().count()) + 1, false) {}

    // False when the text is no JSON or anything was refused.
    bool apply(std::string_view text, std::string_view fileName) {
        const ReadEdits edits = readEdits(text, [this](const Json& entry, std::size_t index) {
            applyEntry(entry, "materials[" + std::to_string(index) + "]");
        });
        if (!edits.failure.empty()) {
            err_ << "Can't read file: " << fileName << ": " << edits.failure << '\n';
            return false;
        }
        if (!edits.isObject) {
            refuse("edits", "expected a JSON object in the form that show prints");
            return false;
        }
        for (const auto& [key, value] : edits.fields.items()) {
            if (key == "version")
                checkEqual(key, value, model_.version());
            else if (key == "remainderSize")
                checkEqual(key, value, model_.remainder().size());
            else if (key == "framesRead" || key == "framesProblem")
                checkFramesField(key, value);
            else if (key == "materials" && !value.is_array())  // a list's entries are taken already
                refuse(key, "expected an array of materials");
            else if (key != "materials")
                refuse(key, "no such field");
        }
        return !refused_;
    }

private:
    void refuse(std::string_view where, std::string_view text) {
        err_ << where << ": " << text << '\n';
        refused_ = true;
    }

    void refuse(std::int32_t number, std::string_view field, std::string_view text) {
        reportRefusal(err_, number, field, text);
        refused_ = true;
    }

    // Read from the frames when first asked for.
    const model::MaterialUsage& usage() {
        if (!usage_) usage_ = model::MaterialUsage::of(model_);
        return *usage_;
    }

    void checkFramesField(const std::string& key, const Json& value) {
        const Json stored = framesReadToJson(usage());
        if (!stored.contains(key) || value != stored[key]) refuse(key, kFramesHoldText);
    }

    void checkEqual(std::string_view key, const Json& value, std::uint64_t stored) {
        if (unsignedOf(value, UINT64_MAX) != stored)
            refuse(key, "the editor cannot change it; the model's is " + std::to_string(stored));
    }

    void applyEntry(const Json& entry, const std::string& where) {
        if (!entry.is_object() || !entry.contains("number"))
            return refuse(where, "expected a material: an object with its \"number\"");
        const std::int32_t count = model_.materials().count();
        const std::optional<std::uint64_t> number = unsignedOf(entry["number"], static_cast<std::uint64_t>(count));
        if (!number || *number == 0)
            return refuse(where + ", number", "no such material; the model has " + std::to_string(count));
        const auto n = static_cast<std::int32_t>(*number);
        if (seen_[*number]) return refuse(n, "number", "the material is given twice");
        seen_[*number] = true;

        Material& material = *model_.materials().materialAt(n);
        EntryEdit change;
        bool readable = true;
        for (const auto& [key, value] : entry.items()) {
            if (key == "number") continue;
            if (key == "usedBy") {
                if (value != usedByToJson(usage(), n)) {
                    refuse(n, key, kFramesHoldText);
                    readable = false;
                }
                continue;
            }
            const auto reader =
                std::find_if(kFieldReaders.begin(), kFieldReaders.end(),
                             [&name = key](const FieldReader& candidate) { return candidate.key == name; });
            const Problem problem =
                reader == kFieldReaders.end() ? "no such field" : reader->read(value, material, change);
            if (problem) {
                refuse(n, key, *problem);
                readable = false;
            }
        }
        if (change.flagNames && *change.flagNames != flagNamesToJson(material.flags()) &&
            *change.flagNames != flagNamesToJson(change.flags.value_or(material.flags()))) {
            refuse(n, "flagNames", "it names what \"flags\" holds; change \"flags\" instead");
            readable = false;
        }
        if (!readable) return;
        bool allowed = true;
        for (const model::EditProblem& problem : model::checkEdit(material, change.edit)) {
            refuse(n, keyOfEditField(problem.field), refusalText(problem));
            allowed = false;
        }
        if (!allowed) return;
        const std::uint32_t before = material.flags();
        model::applyEdit(material, change.edit);
        checkKeptFlags(n, change.flags, before, material.flags());
        if (!keepsReflectionDensity(material, change.edit)) refuse(n, "reflectionDensity", kReflectionDensityLostText);
    }

    // The bits that say which parts the record stores must be given as
    // stored, or as the new names and animation made them.
    void checkKeptFlags(std::int32_t number, std::optional<std::uint32_t> given, std::uint32_t before,
                        std::uint32_t after) {
        constexpr std::uint32_t kKept = model::kLayoutFlags;
        if (!given || (*given & kKept) == (before & kKept) || (*given & kKept) == (after & kKept)) return;
        refuse(number, "flags",
               "DiffuseTexture, ReflectionTexture, AnimatedDiffuse and AlphaTexture must stay as stored (" +
                   hexadecimal(before & kKept) + ") or as the names and animation make them (" +
                   hexadecimal(after & kKept) + "); given " + hexadecimal(*given & kKept));
    }

    model::ModelFile& model_;
    std::ostream& err_;
    std::optional<model::MaterialUsage> usage_;
    std::vector<bool> seen_;  // by material number
    bool refused_ = false;
};

// A file's bytes, read whole, in a block that takes few page faults.
struct FileText {
    core::ByteBlock bytes;
    std::size_t size = 0;
};

bool readText(const std::string& pathArgument, FileText& text, std::ostream& err) {
    std::string path;
    core::Ref<core::FileStream> stream;
    if (pathOfArgument(pathArgument, path)) stream = core::openFileForReading(path);
    const std::int64_t size = stream && stream->isOpen() ? stream->size() : -1;
    if (size < 0) {
        err << "Can't read file: " << pathArgument << '\n';
        return false;
    }
    if (size > kMaxEditsSize) {
        err << "Can't read file: " << pathArgument << ": larger than " << kMaxEditsSize / (1024 * 1024) << " MiB\n";
        return false;
    }
    text.size = static_cast<std::size_t>(size);
    text.bytes = core::allocateByteBlock(text.size);
    if ((text.bytes || text.size == 0) && stream->read(text.bytes.get(), text.size) == text.size) return true;
    err << "Can't read file: " << pathArgument << '\n';
    return false;
}

// What the command line asks for.
struct ImportRequest {
    std::vector<std::string> operands;  // the model and the edits
    std::string output;
};

int importEdits(const ImportRequest& request, std::ostream&, std::ostream& err) {
    const std::string& modelPath = request.operands[0];
    const std::string& editsPath = request.operands[1];
    model::ModelFile model;
    FileText edits;
    if (!loadModel(modelPath, model, err) || !readText(editsPath, edits, err)) return Failure;
    const std::string_view text(reinterpret_cast<const char*>(edits.bytes.get()), edits.size);
    if (!EditsApplier(model, err).apply(text, editsPath)) return Failure;
    return saveModel(model, request.output.empty() ? modelPath : request.output, err) ? Success : Failure;
}

CommandRunner declare(CommandSyntax& syntax) {
    auto request = std::make_shared<ImportRequest>();
    syntax.operands({OperandPlace::Anywhere, 2, 2, "give the model and the edits"}, request->operands);
    syntax.option("-o", {"output", "give -o OUT.4ds once", "give -o OUT.4ds once"}, textInto(request->output));
    return [request](std::ostream& out, std::ostream& err) { return importEdits(*request, out, err); };
}

}  // namespace

const Command kImportCommand{"import", "import MODEL.4ds EDITS.json [-o OUT.4ds]",
                             "apply edits in the form that show prints, all or nothing", kDetails, declare};

}  // namespace cli
