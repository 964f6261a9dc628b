// skirvane-cli find: the materials the editor's search lists for a text,
// or for a frame's name, in one model or many.
#include <memory>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/model_walk.h"
#include "core/code_page.h"

namespace cli {

namespace {

constexpr std::string_view kDetails =
    "Prints one line per material whose joined texture names (reflection|diffuse|alpha)\n"
    "hold TEXT, as the editor's list shows it: \"[3] |WOOD01.BMP|\". The comparison is exact\n"
    "and case-sensitive, separators included; an empty TEXT finds nothing.\n"
    "With --frame NAME (anywhere before the last argument, or --frame=NAME) it prints the\n"
    "materials used by the frames whose names hold NAME in any letter case, as the editor's\n"
    "search by frame name lists them; a model whose frames cannot be read is reported.\n"
    "Each PATH is a model or a folder, searched with its subfolders for *.4ds files (any\n"
    "letter case) in sorted order. Unless PATH is one model, each model's lines follow a\n"
    "line with its path. A model that cannot be read is reported and the others are\n"
    "searched; the exit status is then 1.\n";

constexpr std::string_view kFrameOption = "--frame";

// What the command line asks for: the arguments, and once they are read
// the paths and what to look for.
struct FindRequest {
    std::vector<std::string> operands;
    std::vector<std::string> paths;
    std::string text;  // TEXT, or with --frame NAME
    bool byFrame = false;
};

// Every argument is an operand, so that TEXT may look like anything; the
// frame option is picked out of them here. "--frame" as the last argument
// is a TEXT.
Problem splitOperands(FindRequest& request) {
    const std::vector<std::string>& operands = request.operands;
    request.paths.clear();
    request.byFrame = false;
    for (std::size_t i = 0; i < operands.size(); ++i) {
        const std::string& argument = operands[i];
        const bool joined = argument.starts_with(std::string(kFrameOption) + "=");
        if (!joined && (argument != kFrameOption || i + 1 == operands.size())) {
            request.paths.push_back(argument);
            continue;
        }
        if (request.byFrame) return "give --frame NAME once";
        request.byFrame = true;
        request.text = joined ? argument.substr(kFrameOption.size() + 1) : operands[++i];
    }
    if (!request.byFrame) {
        request.text = request.paths.back();
        request.paths.pop_back();
    }
    if (request.paths.empty()) return "give the models or folders";
    return std::nullopt;
}

int find(const FindRequest& request, std::ostream& out, std::ostream& err) {
    std::string text;
    if (const core::Utf8Conversion conversion = core::utf8ToCp1251(request.text, text);
        conversion != core::Utf8Conversion::Converted) {
        err << (request.byFrame ? "NAME: " : "TEXT: ") << unconvertedText(conversion) << '\n';
        return Failure;
    }
    const ModelWalk walk{request.byFrame ? model::ModelFile::WholeFile : model::ModelFile::MaterialsOnly,
                         !namesOneModel(request.paths)};
    const auto listMatches = [&](const std::string& path, model::ModelFile& model, std::ostream& lines,
                                 std::ostream& problems) {
        const model::MaterialUsage usage = request.byFrame ? model::MaterialUsage::of(model) : model::MaterialUsage();
        if (request.byFrame && !framesRead(path, usage, problems)) return false;
        for (std::int32_t n = 1; n <= model.materials().count(); ++n) {
            const model::Material& material = *model.materials().materialAt(n);
            if (request.byFrame ? usage.usedByFrameNamed(n, text) : model::searchFinds(material, text))
                lines << materialRow(n, material) << '\n';
        }
        return true;
    };
    return visitModels(request.paths, walk, listMatches, out, err) ? Success : Failure;
}

CommandRunner declare(CommandSyntax& syntax) {
    auto request = std::make_shared<FindRequest>();
    FindRequest* r = request.get();  // kept by the runner while the syntax reads into it
    syntax.operands({OperandPlace::Only, 2, kAnyNumber, "give the models or folders and the text"}, r->operands,
                    [r] { return splitOperands(*r); });
    return [request](std::ostream& out, std::ostream& err) { return find(*request, out, err); };
}

}  // namespace

const Command kFindCommand{"find", "find PATH... TEXT, find --frame NAME PATH...",
                           "list materials by texture name TEXT, or by the frames named NAME", kDetails, declare};

}  // namespace cli
