// skirvane-cli show: the model as JSON.
#include <memory>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/commands.h"
#include "cli/json_model.h"

namespace cli {

namespace {

constexpr std::string_view kDetails =
    "Prints {\"version\": V, \"materials\": [...], \"remainderSize\": N, \"framesRead\": B} with one\n"
    "object per material in file order: \"number\" (from 1), \"flags\", \"ambient\", \"diffuse\" and\n"
    "\"emission\" (red, green, blue), \"density\", \"reflectionDensity\", the texture names\n"
    "\"reflectionName\", \"diffuseName\" and \"alphaName\", \"animation\" ({\"frames\": F, \"delay\": D},\n"
    "or null) and \"usedBy\": where the model's frames use the material, one entry a frame and\n"
    "level of detail ({\"frame\": NAME, \"level\": L, \"faces\": F}, with \"instanceOf\": NAME for a\n"
    "frame that reuses another's geometry, whose faces these are) and {\"frame\": NAME, \"glow\": true}\n"
    "for a glow; [] for an unused material. When the frames cannot be read, \"framesRead\" is false,\n"
    "\"framesProblem\" says why and every \"usedBy\" is null.\n"
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
