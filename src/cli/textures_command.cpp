// skirvane-cli textures: whether the viewer would show each texture of the
// materials of one model or many from a texture folder.
#include <bit>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/json_model.h"
#include "cli/model_walk.h"
#include "cli/paths.h"
#include "core/code_page.h"
#include "core/file_stream.h"
#include "core/folder_files.h"
#include "core/image_reader.h"
#include "core/object.h"

namespace cli {

namespace {

constexpr std::string_view kDetails =
    "One line per material and named texture, in the order Env (reflection), Diff (diffuse),\n"
    "Alfa (alpha); a material's empty names have no line. Each says one of:\n"
    "  shown       the viewer shows it: the name ends in \".bmp\" or \".tga\", the file is in\n"
    "              DIR and loads as an image of that format\n"
    "  missing     DIR holds no file of that name\n"
    "  unloadable  the file is there but is no image the viewer loads (the reason follows)\n"
    "  not-read    the file is there, but the viewer reads only names that end in \".bmp\"\n"
    "              or \".tga\", so it shows nothing\n"
    "Names and extensions match in any letter case, as Windows finds files; a file named\n"
    "exactly as the texture comes first. A shown alpha texture whose sides are not powers\n"
    "of two, as the engine needs them, gets a warning.\n"
    "Each PATH is a model or a folder, searched with its subfolders for *.4ds files (any\n"
    "letter case) in sorted order; the options may stand anywhere. Unless PATH is one model,\n"
    "each model's lines follow a line with its path. The exit status is 1 when any texture\n"
    "is missing or unloadable, or a model cannot be read (the others are still checked).\n"
    "--json prints one list of {\"number\", \"kind\", \"name\", \"status\"} objects, with\n"
    "\"reason\" for unloadable ones, \"width\", \"height\", \"bitDepth\", \"format\" (\"bmp\" or\n"
    "\"tga\") and any \"warning\" for shown ones and, unless PATH is one model, \"model\"\n"
    "(its path) first.\n";

constexpr char kAlphaSidesWarning[] = "the engine needs an alpha texture's sides to be powers of two";

// What a shown texture is.
struct ShownImage {
    std::int32_t width;
    std::int32_t height;
    std::uint16_t bitDepth;  // as the file stores a pixel
    core::ImageFormat format;
};

struct TextureCheck {
    std::string_view status;
    std::string reason;               // why an unloadable file does not load
    std::optional<ShownImage> image;  // of a shown one

    bool failed() const { return status == "missing" || status == "unloadable"; }
};

TextureCheck checkTexture(core::FolderFiles& folder, std::string_view name) {
    const std::string path = folder.pathOf(name);
    if (path.empty()) return {"missing", {}, {}};
    const std::optional<core::ImageFormat> format = model::viewerFormatOf(name);
    if (!format) return {"not-read", {}, {}};
    std::string why;
    const core::BmpImage image = core::readImage(*core::openFileForReading(path), *format, why);
    if (!why.empty()) return {"unloadable", why, {}};
    return {"shown", {}, ShownImage{image.width, image.height, image.fileBitsPerPixel, *format}};
}

// What a modder should know of a texture used as this kind; empty when
// nothing.
std::string_view warningOf(const TextureCheck& check, model::TextureKind kind) {
    if (kind != model::AlphaKind || !check.image) return {};
    const auto powerOfTwo = [](std::int32_t side) { return std::has_single_bit(static_cast<std::uint32_t>(side)); };
    return powerOfTwo(check.image->width) && powerOfTwo(check.image->height) ? std::string_view() : kAlphaSidesWarning;
}

// What the command line asks for.
struct TexturesRequest {
    std::vector<std::string> paths;
    std::string folderArgument;
    bool json = false;
};

int textures(const TexturesRequest& request, std::ostream& out, std::ostream& err) {
    std::string folder;
    if (!pathOfArgument(request.folderArgument, folder) || !core::folderExists(folder)) {
        err << "Can't find folder: " << request.folderArgument << '\n';
        return Failure;
    }

    core::FolderFiles maps(folder);
    const ModelWalk walk{model::ModelFile::MaterialsOnly, !namesOneModel(request.paths)};
    std::map<std::string, TextureCheck, std::less<>> checked;  // models and materials share textures
    Json list = Json::array();
    const auto checkModel = [&](const std::string& path, model::ModelFile& model, std::ostream& lines, std::ostream&) {
        bool allFound = true;
        for (std::int32_t n = 1; n <= model.materials().count(); ++n) {
            const model::Material& material = *model.materials().materialAt(n);
            for (const model::TextureKind kind : {model::ReflectionKind, model::DiffuseKind, model::AlphaKind}) {
                const std::string_view stored = material.textureName(kind);
                if (stored.empty()) continue;
                auto found = checked.find(stored);
                if (found == checked.end())
                    found = checked.emplace(std::string(stored), checkTexture(maps, stored)).first;
                const TextureCheck& check = found->second;
                allFound = allFound && !check.failed();
                const std::string name = core::cp1251ToUtf8(stored);
                const std::string_view warning = warningOf(check, kind);
                if (request.json) {
                    Json entry = Json::object();
                    if (walk.pathLines) entry["model"] = path;
                    entry["number"] = n;
                    entry["kind"] = kTextureKindNames[kind];
                    entry["name"] = name;
                    entry["status"] = check.status;
                    if (!check.reason.empty()) entry["reason"] = check.reason;
                    if (check.image) {
                        entry["width"] = check.image->width;
                        entry["height"] = check.image->height;
                        entry["bitDepth"] = check.image->bitDepth;
                        entry["format"] = check.image->format == core::ImageFormat::Tga ? "tga" : "bmp";
                    }
                    if (!warning.empty()) entry["warning"] = warning;
                    list.push_back(std::move(entry));
                } else {
                    lines << '[' << n << "] " << kTextureKindNames[kind] << ' ' << name << ": " << check.status;
                    if (!check.reason.empty()) lines << " (" << check.reason << ')';
                    if (!warning.empty()) lines << " (warning: " << warning << ')';
                    lines << '\n';
                }
            }
        }
        return allFound;
    };
    const bool passed = visitModels(request.paths, walk, checkModel, out, err);
    if (request.json) out << list.dump(2) << '\n';
    return passed ? Success : Failure;
}

CommandRunner declare(CommandSyntax& syntax) {
    auto request = std::make_shared<TexturesRequest>();
    TexturesRequest* r = request.get();  // kept by the runner while the syntax reads into it
    syntax.operands({OperandPlace::Anywhere, 1, kAnyNumber, "give at least one model or folder"}, r->paths);
    syntax.option("--maps", {"maps", "give --maps DIR once", "give --maps DIR once"}, textInto(r->folderArgument));
    syntax.flag("--json", {}, [r] { r->json = true; });
    syntax.require(
        [r] { return r->folderArgument.empty() ? Problem("give the texture folder with --maps DIR") : std::nullopt; });
    return [request](std::ostream& out, std::ostream& err) { return textures(*request, out, err); };
}

}  // namespace

const Command kTexturesCommand{"textures", "textures --maps DIR [--json] PATH...",
                               "check that the viewer would show each texture from DIR", kDetails, declare};

}  // namespace cli
