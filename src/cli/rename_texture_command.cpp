// skirvane-cli rename-texture: one texture name replaced by another in
// every material of many models, as after renaming the texture's file.
#include <algorithm>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/model_walk.h"
#include "core/code_page.h"

namespace cli {

namespace {

constexpr std::string_view kDetails =
    "In every material of every model, each texture name (reflection, diffuse or alpha) equal\n"
    "to OLD becomes NEW. Names are compared as Windows compares file names, regardless of\n"
    "letter case (wood01.bmp is WOOD01.BMP); OLD is compared as given (WOOD01 is not\n"
    "WOOD01.BMP). NEW is taken as the editor's name box takes it: a name without \".BMP\" or\n"
    "\".TGA\" gets \".BMP\" appended; at most 255 characters, no \"|\", no control characters.\n"
    "Only those names change: every other value, flag bit and animation keeps its stored\n"
    "bytes. A model where a rename would change more (the animation of a diffuse texture,\n"
    "when the new name cannot carry it, or the bit of a diffuse name stored without it) is\n"
    "refused: it is listed and not written. Each changed model is saved in place, as save\n"
    "saves it.\n"
    "Each PATH is a model or a folder, searched with its subfolders for *.4ds files (any\n"
    "letter case) in sorted order. Each changed model's path is followed by its renames\n"
    "(\"[3] Diff WOOD01.BMP -> STONE.BMP\"); one line sums up at the end.\n"
    "  --dry-run   writes nothing and prints what would change\n"
    "The exit status is 1 when a model is refused or cannot be read or written.\n";

constexpr std::string_view kNoOldNameText = "give the texture name to rename";
constexpr std::string_view kNoNewNameText = "an empty name would remove the texture; give the new name";
constexpr std::string_view kAnimationLostText =
    "the diffuse texture is animated, and the animation cannot stay with the new name: an animated "
    "diffuse name needs \"00\" before a four-character extension, as in WATER00.BMP";
constexpr std::string_view kBitSetText =
    "the material's diffuse bit is clear, and the new name would set it: rename it with set";
constexpr std::string_view kNotStoredText = "the material cannot hold the new name";

// What the command line asks for, the names as the command takes them.
struct RenameRequest {
    std::vector<std::string> operands;  // OLD, NEW and the paths, as given
    std::string oldName;                // code page 1251, as given
    std::string newName;                // code page 1251, as the name box takes it
    bool dryRun = false;
};

// One stored name equal to the old name.
struct Rename {
    std::int32_t number;
    model::TextureKind kind;
    std::string oldName;
    std::string_view refusal;  // why the new name cannot be taken; empty when it is
};

// Gives the material the new name and says why that changed more than the
// name, if it did. A name on its own changes its presence bit and, for the
// diffuse name, the animation; a diffuse name may be stored without its bit.
std::string_view giveNewName(model::Material& material, model::TextureKind kind, const std::string& newName) {
    const std::uint32_t flags = material.flags();
    const std::optional<model::Material::AnimationBlock> animation = material.animation();
    if (!material.setTextureName(kind, newName)) return kNotStoredText;
    if (material.animation() != animation || ((material.flags() ^ flags) & model::AnimatedDiffuse) != 0)
        return kAnimationLostText;
    if (material.flags() != flags) return kBitSetText;
    return {};
}

// Gives every name equal to the old one the new name.
std::vector<Rename> renameTextures(model::MaterialList& materials, const RenameRequest& request) {
    std::vector<Rename> renames;
    for (std::int32_t n = 1; n <= materials.count(); ++n) {
        model::Material& material = *materials.materialAt(n);
        for (const model::TextureKind kind : {model::ReflectionKind, model::DiffuseKind, model::AlphaKind}) {
            std::string stored(material.textureName(kind));
            if (stored == request.newName || !core::sameFileName(stored, request.oldName)) continue;
            const std::string_view refusal = giveNewName(material, kind, request.newName);
            renames.push_back({n, kind, std::move(stored), refusal});
        }
    }
    return renames;
}

struct RenameCounts {
    std::size_t scanned = 0;
    std::size_t changed = 0;
    std::size_t names = 0;
    std::size_t refused = 0;
};

// Takes OLD and NEW as the command takes them; false when it cannot, the
// problem reported.
bool takeNames(RenameRequest& request, std::ostream& err) {
    if (const core::Utf8Conversion conversion = core::utf8ToCp1251(request.operands[0], request.oldName);
        conversion != core::Utf8Conversion::Converted) {
        err << "OLD: " << unconvertedText(conversion) << '\n';
        return false;
    }
    if (request.oldName.empty()) {
        err << "OLD: " << kNoOldNameText << '\n';
        return false;
    }
    std::string_view why;
    std::optional<std::string> newName = acceptTypedName(request.operands[1], why);
    if (!newName || newName->empty()) {
        err << "NEW: " << (newName ? kNoNewNameText : why) << '\n';
        return false;
    }
    request.newName = std::move(*newName);
    return true;
}

int renameTexture(RenameRequest& request, std::ostream& out, std::ostream& err) {
    if (!takeNames(request, err)) return Failure;

    const ModelWalk walk{request.dryRun ? model::ModelFile::MaterialsOnly : model::ModelFile::WholeFile, true};
    const std::string newName = core::cp1251ToUtf8(request.newName);
    RenameCounts counts;
    const auto renameIn = [&](const std::string& path, model::ModelFile& model, std::ostream& lines,
                              std::ostream& problems) {
        ++counts.scanned;
        const std::vector<Rename> renames = renameTextures(model.materials(), request);
        if (std::any_of(renames.begin(), renames.end(), [](const Rename& rename) { return !rename.refusal.empty(); })) {
            ++counts.refused;
            problems << "Not written: " << path << '\n';
            for (const Rename& rename : renames)
                if (!rename.refusal.empty())
                    reportRefusal(problems, rename.number, model::kTextureNameFields[rename.kind], rename.refusal);
            return false;
        }
        if (renames.empty()) return true;
        if (!request.dryRun && !saveModel(model, path, problems)) return false;
        ++counts.changed;
        counts.names += renames.size();
        for (const Rename& rename : renames)
            lines << '[' << rename.number << "] " << kTextureKindNames[rename.kind] << ' '
                  << core::cp1251ToUtf8(rename.oldName) << " -> " << newName << '\n';
        return true;
    };
    const bool passed = visitModels(Arguments(request.operands).subspan(2), walk, renameIn, out, err);
    out << "models scanned: " << counts.scanned << ", models changed: " << counts.changed
        << ", names changed: " << counts.names << ", models refused: " << counts.refused
        << (request.dryRun ? " (dry run: nothing written)" : "") << '\n';
    return passed ? Success : Failure;
}

CommandRunner declare(CommandSyntax& syntax) {
    auto request = std::make_shared<RenameRequest>();
    RenameRequest* r = request.get();  // kept by the runner while the syntax reads into it
    syntax.operands({OperandPlace::Anywhere, 3, kAnyNumber, "give OLD, NEW and at least one model or folder"},
                    r->operands);
    syntax.flag("--dry-run", {}, [r] { r->dryRun = true; });
    return [request](std::ostream& out, std::ostream& err) { return renameTexture(*request, out, err); };
}

}  // namespace

const Command kRenameTextureCommand{"rename-texture", "rename-texture OLD NEW PATH... [--dry-run]",
                                    "rename a texture in every material of the models", kDetails, declare};

}  // namespace cli
