// skirvane-cli find: the materials the editor's search lists for a text,
// in one model or many.
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
    "Each PATH is a model or a folder, searched with its subfolders for *.4ds files (any\n"
    "letter case) in sorted order. Unless PATH is one model, each model's lines follow a\n"
    "line with its path. A model that cannot be read is reported and the others are\n"
    "searched; the exit status is then 1.\n";

int find(Arguments operands, std::ostream& out, std::ostream& err) {
    const Arguments paths = operands.first(operands.size() - 1);
    std::string text;
    if (const core::Utf8Conversion conversion = core::utf8ToCp1251(operands.back(), text);
        conversion != core::Utf8Conversion::Converted) {
        err << "TEXT: " << unconvertedText(conversion) << '\n';
        return Failure;
    }
    const ModelWalk walk{model::ModelFile::MaterialsOnly, !namesOneModel(paths)};
    const auto listMatches = [&text](const std::string&, model::ModelFile& model, std::ostream& lines, std::ostream&) {
        for (std::int32_t n = 1; n <= model.materials().count(); ++n) {
            const model::Material& material = *model.materials().materialAt(n);
            if (model::searchFinds(material, text))
                lines << '[' << n << "] " << core::cp1251ToUtf8(material.getTextureNames()) << '\n';
        }
        return true;
    };
    return visitModels(paths, walk, listMatches, out, err) ? Success : Failure;
}

CommandRunner declare(CommandSyntax& syntax) {
    auto operands = std::make_shared<std::vector<std::string>>();
    // The text last, whatever it looks like.
    syntax.operands({OperandPlace::Only, 2, kAnyNumber, "give the models or folders and the text"}, *operands);
    return [operands](std::ostream& out, std::ostream& err) { return find(*operands, out, err); };
}

}  // namespace

const Command kFindCommand{"find", "find PATH... TEXT", "list the materials whose texture names hold TEXT", kDetails,
                           declare};

}  // namespace cli
