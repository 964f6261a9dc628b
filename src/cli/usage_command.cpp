// skirvane-cli usage: which materials no frame of a model uses, or where
// the frames use each material, in one model or many.
#include <memory>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/model_walk.h"
#include "core/code_page.h"

namespace cli {

namespace {

constexpr std::string_view kDetails =
    "Prints the materials that no face group and no glow of the model's frames names, one line\n"
    "each as the editor's list shows it (\"[3] |WOOD01.BMP|\"). With --frames it prints every\n"
    "material, each followed by where it is used, one line a frame and level of detail:\n"
    "  \"  body, level 0: 120 faces\" (the faces of the level's face groups that name it),\n"
    "  \"  wheel_rr (instance of wheel_fl), level 0: 40 faces\" (a frame that reuses another's\n"
    "  geometry, credited with its faces), \"  flare: glow\" (a glow, which has no faces),\n"
    "or \"  unused\". A model whose frames cannot be read (its usage is then unknown) is reported\n"
    "and the others go on; the exit status is then 1. A last line counts the models read, the\n"
    "unused materials and the models whose frames could not be read.\n"
    "Each PATH is a model or a folder, searched with its subfolders for *.4ds files (any\n"
    "letter case) in sorted order; --frames may stand anywhere. Unless PATH is one model,\n"
    "each model's lines follow a line with its path.\n";

struct UsageRequest {
    std::vector<std::string> paths;
    bool frames = false;
};

struct UsageCounts {
    std::size_t models = 0;
    std::size_t unused = 0;
    std::size_t unreadFrames = 0;
};

void printUses(const model::MaterialUsage& usage, std::int32_t number, std::ostream& lines) {
    if (usage.unused(number)) lines << "  unused\n";
    for (const model::MaterialUse& use : usage.usesOf(number)) {
        lines << "  " << core::cp1251ToUtf8(usage.frame(use.frame).name);
        if (use.geometryOf != 0)
            lines << " (instance of " << core::cp1251ToUtf8(usage.frame(use.geometryOf).name) << ')';
        if (use.glow)
            lines << ": glow\n";
        else
            lines << ", level " << int{use.level} << ": " << use.faces << " faces\n";
    }
}

int usage(const UsageRequest& request, std::ostream& out, std::ostream& err) {
    const ModelWalk walk{model::ModelFile::WholeFile, !namesOneModel(request.paths)};
    UsageCounts counts;
    const auto listUsage = [&](const std::string& path, model::ModelFile& model, std::ostream& lines,
                               std::ostream& problems) {
        ++counts.models;
        const model::MaterialUsage usage = model::MaterialUsage::of(model);
        if (!framesRead(path, usage, problems)) {
            ++counts.unreadFrames;
            return false;
        }
        for (std::int32_t n = 1; n <= model.materials().count(); ++n) {
            counts.unused += usage.unused(n) ? 1 : 0;
            if (!request.frames && !usage.unused(n)) continue;
            lines << materialRow(n, *model.materials().materialAt(n)) << '\n';
            if (request.frames) printUses(usage, n, lines);
        }
        return true;
    };
    const bool passed = visitModels(request.paths, walk, listUsage, out, err);
    out << "models read: " << counts.models << ", unused materials: " << counts.unused
        << ", models whose frames cannot be read: " << counts.unreadFrames << '\n';
    return passed ? Success : Failure;
}

CommandRunner declare(CommandSyntax& syntax) {
    auto request = std::make_shared<UsageRequest>();
    UsageRequest* r = request.get();  // kept by the runner while the syntax reads into it
    syntax.operands({OperandPlace::Anywhere, 1, kAnyNumber, "give at least one model or folder"}, r->paths);
    syntax.flag("--frames", {}, [r] { r->frames = true; });
    return [request](std::ostream& out, std::ostream& err) { return usage(*request, out, err); };
}

}  // namespace

const Command kUsageCommand{"usage", "usage [--frames] PATH...",
                            "list the materials no frame uses, or with --frames where each is used", kDetails, declare};

}  // namespace cli
