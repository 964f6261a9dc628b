// skirvane-cli show: the model as JSON.
#include <memory>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/json_model.h"

namespace cli {

namespace {

constexpr std::string_view kDetails =
    "Prints {\"version\": V, \"materials\": [...], \"remainderSize\": N} with one object per material\n"
    "in file order: \"number\" (from 1), \"flags\", \"ambient\", \"diffuse\" and \"emission\" (red,\n"
    "green, blue), \"density\", \"reflectionDensity\", the texture names \"reflectionName\",\n"
    "\"diffuseName\" and \"alphaName\", and \"animation\" ({\"frames\": F, \"delay\": D}, or null).\n"
    "Materials of version 41 and 42 models also have what their records hold beyond that, which\n"
    "the editor keeps as stored: \"ambientFourth\", \"diffuseFourth\" and \"emissionFourth\" (the\n"
    "fourth component of each colour), \"specular\" (red, green, blue, fourth) and \"glossiness\".\n"
    "Numbers JSON cannot hold are the texts \"Infinity\", \"-Infinity\" and \"NaN:XXXXXXXX\" (the\n"
    "value's bits).\n";

int show(const std::string& modelPath, std::ostream& out, std::ostream& err) {
    model::ModelFile model;
    if (!loadModel(modelPath, model, err)) return Failure;
    out << modelToJson(model).dump(2) << '\n';
    return Success;
}

CommandRunner declare(CommandSyntax& syntax) {
    auto operands = std::make_shared<std::vector<std::string>>();
    syntax.operands({OperandPlace::Only, 1, 1, "give one model"}, *operands);
    return [operands](std::ostream& out, std::ostream& err) { return show(operands->front(), out, err); };
}

}  // namespace

const Command kShowCommand{"show", "show MODEL.4ds", "print the model as JSON", kDetails, declare};

}  // namespace cli
