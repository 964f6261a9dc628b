// skirvane-cli find: the materials the editor's search lists for a text.
#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/cp1251.h"

namespace cli {

namespace {

constexpr std::string_view kDetails =
    "Prints one line per material whose joined texture names (reflection|diffuse|alpha)\n"
    "hold TEXT, as the editor's list shows it: \"[3] |WOOD01.BMP|\". The comparison is exact\n"
    "and case-sensitive, separators included; an empty TEXT finds nothing.\n";

int find(Arguments arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() != 2) return wrongUsage(kFindCommand, "give the model and the text", err);
    std::string text;
    if (const Utf8Conversion conversion = utf8ToCp1251(arguments[1], text); conversion != Utf8Conversion::Converted) {
        err << "TEXT: " << unconvertedText(conversion) << '\n';
        return Failure;
    }
    model::ModelFile model;
    if (!loadModel(arguments[0], model, err)) return Failure;
    for (std::int32_t n = 1; n <= model.materials().count(); ++n) {
        const model::Material& material = *model.materials().materialAt(n);
        if (model::searchFinds(material, text))
            out << '[' << n << "] " << cp1251ToUtf8(material.getTextureNames()) << '\n';
    }
    return Success;
}

}  // namespace

const Command kFindCommand{"find", "find MODEL.4ds TEXT", "list the materials whose texture names hold TEXT", kDetails,
                           find};

}  // namespace cli
