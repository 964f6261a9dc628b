// skirvane-cli save: the model read and written again.
#include <memory>

#include "cli/command.h"
#include "cli/command_support.h"
#include "cli/commands.h"

namespace cli {

namespace {

int save(const std::string& modelPath, const std::string& outputPath, std::ostream& err) {
    model::ModelFile model;
    if (!loadModel(modelPath, model, err) || !saveModel(model, outputPath, err)) return Failure;
    return Success;
}

CommandRunner declare(CommandSyntax& syntax) {
    auto operands = std::make_shared<std::vector<std::string>>();
    syntax.operands({OperandPlace::Only, 2, 2, "give the model and the file to save it as"}, *operands);
    return [operands](std::ostream&, std::ostream& err) { return save((*operands)[0], (*operands)[1], err); };
}

}  // namespace

const Command kSaveCommand{"save", "save MODEL.4ds OUT.4ds", "load MODEL and save it as OUT (OUT may be MODEL)", "",
                           declare};

}  // namespace cli
