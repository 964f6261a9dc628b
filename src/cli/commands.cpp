#include "cli/commands.h"

#include <array>
#include <string_view>

#include "cli/json_model.h"
#include "model/model_file.h"

namespace cli {

namespace {

using Arguments = std::span<const std::string>;

struct Command {
    std::string_view name;
    std::string_view synopsis;
    std::string_view summary;
    std::size_t argumentCount;
    int (*handler)(Arguments arguments, std::ostream& out, std::ostream& err);
};

bool loadModel(const std::string& path, model::ModelFile& model, std::ostream& err) {
    if (model.load(path)) return true;
    err << "Can't read file: " << path << '\n';
    return false;
}

bool saveModel(const model::ModelFile& model, const std::string& path, std::ostream& err) {
    if (model.save(path)) return true;
    err << "Can't write file: " << path << '\n';
    return false;
}

int show(Arguments arguments, std::ostream& out, std::ostream& err) {
    model::ModelFile model;
    if (!loadModel(arguments[0], model, err)) return Failure;
    out << modelToJson(model).dump(2) << '\n';
    return Success;
}

int save(Arguments arguments, std::ostream&, std::ostream& err) {
    model::ModelFile model;
    if (!loadModel(arguments[0], model, err) || !saveModel(model, arguments[1], err)) return Failure;
    return Success;
}

constexpr std::array<Command, 2> kCommands{{
    {"show", "show MODEL.4ds", "print the model as JSON", 1, show},
    {"save", "save MODEL.4ds OUT.4ds", "load MODEL and save it as OUT (OUT may be MODEL)", 2, save},
}};

void printUsage(std::ostream& stream) {
    stream << "Usage: skirvane-cli COMMAND ARGUMENTS\n"
              "Reads and writes the materials of 4DS models.\n\nCommands:\n";
    for (const Command& command : kCommands)
        stream << "  " << command.synopsis << std::string(28 - command.synopsis.size(), ' ') << command.summary << '\n';
    stream << "\nskirvane-cli COMMAND --help describes one command.\n";
}

void printCommandUsage(const Command& command, std::ostream& stream) {
    stream << "Usage: skirvane-cli " << command.synopsis << "\n" << command.summary << '\n';
}

bool isHelp(const std::string& argument) { return argument == "--help" || argument == "-h"; }

}  // namespace

int run(Arguments args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        printUsage(err);
        return WrongUsage;
    }
    if (isHelp(args[0])) {
        printUsage(out);
        return Success;
    }
    for (const Command& command : kCommands) {
        if (command.name != args[0]) continue;
        const Arguments arguments = args.subspan(1);
        if (arguments.size() == 1 && isHelp(arguments[0])) {
            printCommandUsage(command, out);
            return Success;
        }
        if (arguments.size() != command.argumentCount) {
            printCommandUsage(command, err);
            return WrongUsage;
        }
        return command.handler(arguments, out, err);
    }
    err << "skirvane-cli: unknown command '" << args[0] << "'\n";
    printUsage(err);
    return WrongUsage;
}

}  // namespace cli
