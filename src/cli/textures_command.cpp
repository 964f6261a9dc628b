// skirvane-cli textures: whether the viewer would show each texture of the
// model's materials from a texture folder.
#include <array>
#include <map>

#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/cp1251.h"
#include "cli/json_model.h"
#include "cli/paths.h"
#include "toolkit/base/file_stream.h"
#include "toolkit/base/object.h"
#include "toolkit/bitmap/bitmap.h"

namespace cli {

namespace {

constexpr std::string_view kDetails =
    "One line per material and named texture, in the order Env (reflection), Diff (diffuse),\n"
    "Alfa (alpha); a material's empty names have no line. Each says one of:\n"
    "  shown       the viewer shows it: the name ends with its first \".BMP\", the file is in\n"
    "              DIR and loads as a bitmap\n"
    "  missing     DIR holds no file of that name\n"
    "  unloadable  the file is there but is no bitmap the viewer loads (the reason follows)\n"
    "  not-read    the file is there, but the viewer reads only names that end with their\n"
    "              first \".BMP\" (capitals), so it shows nothing\n"
    "The exit status is 1 when any texture is missing or unloadable. --json prints a list of\n"
    "{\"number\", \"kind\", \"name\", \"status\"} objects, with \"reason\" for unloadable ones.\n";

struct TextureCheck {
    std::string_view status;
    std::string reason;  // why an unloadable file does not load

    bool failed() const { return status == "missing" || status == "unloadable"; }
};

TextureCheck checkTexture(const std::string& folder, std::string_view name) {
    const std::string path = texturePath(folder, name);
    if (!toolkit::openFileForReading(path)->isOpen()) return {"missing", {}};
    if (!model::viewerReadsName(name)) return {"not-read", {}};
    toolkit::Ref<toolkit::Bitmap> bitmap = toolkit::create<toolkit::Bitmap>();
    if (!bitmap->loadFromFile(path)) return {"unloadable", bitmap->lastError()};
    return {"shown", {}};
}

struct TexturesRequest {
    std::string model;
    std::string folderArgument;
    bool json = false;
};

std::optional<std::string> readRequest(Arguments arguments, TexturesRequest& request) {
    std::vector<std::string> operands;
    for (std::size_t at = 0; at < arguments.size(); ++at) {
        const std::string_view name = optionName(arguments[at]);
        if (!isOption(arguments[at])) {
            operands.push_back(arguments[at]);
        } else if (arguments[at] == "--json") {
            request.json = true;
        } else if (name == "--maps") {
            const std::optional<std::string_view> value = optionValue(arguments, at);
            if (!value || !request.folderArgument.empty()) return "give --maps DIR once";
            request.folderArgument = *value;
        } else {
            return "unknown option " + arguments[at];
        }
    }
    if (operands.size() != 1) return "give one model";
    if (request.folderArgument.empty()) return "give the texture folder with --maps DIR";
    request.model = operands[0];
    return std::nullopt;
}

int textures(Arguments arguments, std::ostream& out, std::ostream& err) {
    TexturesRequest request;
    if (const std::optional<std::string> problem = readRequest(arguments, request))
        return wrongUsage(kTexturesCommand, *problem, err);
    model::ModelFile model;
    if (!loadModel(request.model, model, err)) return Failure;
    std::string folder;
    if (!pathOfArgument(request.folderArgument, folder) || !toolkit::folderExists(folder)) {
        err << "Can't find folder: " << request.folderArgument << '\n';
        return Failure;
    }

    constexpr std::array<std::string_view, 3> kKinds{"Env", "Diff", "Alfa"};
    std::map<std::string, TextureCheck, std::less<>> checked;  // materials share textures
    Json list = Json::array();
    bool failed = false;
    for (std::int32_t n = 1; n <= model.materials().count(); ++n) {
        const model::Material& material = *model.materials().materialAt(n);
        const std::array<std::string_view, 3> names{material.reflectionName(), material.diffuseName(),
                                                    material.alphaName()};
        for (std::size_t kind = 0; kind < names.size(); ++kind) {
            if (names[kind].empty()) continue;
            auto found = checked.find(names[kind]);
            if (found == checked.end())
                found = checked.emplace(std::string(names[kind]), checkTexture(folder, names[kind])).first;
            const TextureCheck& check = found->second;
            failed = failed || check.failed();
            const std::string name = cp1251ToUtf8(names[kind]);
            if (request.json) {
                Json entry{{"number", n}, {"kind", kKinds[kind]}, {"name", name}, {"status", check.status}};
                if (!check.reason.empty()) entry["reason"] = check.reason;
                list.push_back(std::move(entry));
            } else {
                out << '[' << n << "] " << kKinds[kind] << ' ' << name << ": " << check.status;
                if (!check.reason.empty()) out << " (" << check.reason << ')';
                out << '\n';
            }
        }
    }
    if (request.json) out << list.dump(2) << '\n';
    return failed ? Failure : Success;
}

}  // namespace

const Command kTexturesCommand{"textures", "textures MODEL.4ds --maps DIR [--json]",
                               "check that the viewer would show each texture from DIR", kDetails, textures};

}  // namespace cli
