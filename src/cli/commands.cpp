#include "cli/commands.h"

#include <array>
#include <new>
#include <string_view>

#include "cli/command_support.h"
#include "cli/json_model.h"

namespace cli {

namespace {

int show(Arguments arguments, std::ostream& out, std::ostream& err) {
    if (arguments.size() != 1) return wrongUsage(kShowCommand, "give one model", err);
    model::ModelFile model;
    if (!loadModel(arguments[0], model, err)) return Failure;
    out << modelToJson(model).dump(2) << '\n';
    return Success;
}

int save(Arguments arguments, std::ostream&, std::ostream& err) {
    if (arguments.size() != 2) return wrongUsage(kSaveCommand, "give the model and the file to save it as", err);
    model::ModelFile model;
    if (!loadModel(arguments[0], model, err) || !saveModel(model, arguments[1], err)) return Failure;
    return Success;
}

constexpr std::array<const Command*, 7> kCommands{&kShowCommand,         &kSaveCommand,     &kSetCommand,
                                                  &kImportCommand,       &kTexturesCommand, &kFindCommand,
                                                  &kRenameTextureCommand};

void printUsage(std::ostream& stream) {
    stream << "Usage: skirvane-cli COMMAND ARGUMENTS\n"
              "Reads and writes the materials of 4DS models.\n\nCommands:\n";
    constexpr std::size_t kSynopsisWidth = 46;
    for (const Command* command : kCommands) {
        stream << "  " << command->synopsis;
        if (command->synopsis.size() < kSynopsisWidth)
            stream << std::string(kSynopsisWidth - command->synopsis.size(), ' ');
        else
            stream << "\n  " << std::string(kSynopsisWidth, ' ');
        stream << command->summary << '\n';
    }
    stream << "\nskirvane-cli COMMAND --help describes one command. Exit status: 0 done, 1 refused or failed\n"
              "(nothing is written then), 2 wrong usage.\n";
}

bool isHelp(const std::string& argument) { return argument == "--help" || argument == "-h"; }

// Runs the command. What the JSON library or a failed allocation may still
// throw ends it as a failure with a message, never as an abort.
int runCommand(const Command& command, Arguments arguments, std::ostream& out, std::ostream& err) {
    try {
        return command.handler(arguments, out, err);
    } catch (const Json::exception& error) {
        err << "skirvane-cli " << command.name << ": " << error.what() << '\n';
    } catch (const std::bad_alloc&) {
        err << "skirvane-cli " << command.name << ": not enough memory\n";
    }
    return Failure;
}

}  // namespace

constexpr std::string_view kShowDetails =
    "Prints {\"version\": V, \"materials\": [...], \"remainderSize\": N} with one object per material\n"
    "in file order: \"number\" (from 1), \"flags\", \"ambient\", \"diffuse\" and \"emission\" (red,\n"
    "green, blue), \"density\", \"reflectionDensity\", the texture names \"reflectionName\",\n"
    "\"diffuseName\" and \"alphaName\", and \"animation\" ({\"frames\": F, \"delay\": D}, or null).\n"
    "Materials of version 41 and 42 models also have what their records hold beyond that, which\n"
    "the editor keeps as stored: \"ambientFourth\", \"diffuseFourth\" and \"emissionFourth\" (the\n"
    "fourth component of each colour), \"specular\" (red, green, blue, fourth) and \"glossiness\".\n"
    "Numbers JSON cannot hold are the texts \"Infinity\", \"-Infinity\" and \"NaN:XXXXXXXX\" (the\n"
    "value's bits).\n";

const Command kShowCommand{"show", "show MODEL.4ds", "print the model as JSON", kShowDetails, show};
const Command kSaveCommand{"save", "save MODEL.4ds OUT.4ds", "load MODEL and save it as OUT (OUT may be MODEL)", "",
                           save};

int run(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        printUsage(err);
        return WrongUsage;
    }
    if (isHelp(args[0])) {
        printUsage(out);
        return Success;
    }
    for (const Command* command : kCommands) {
        if (command->name != args[0]) continue;
        const Arguments arguments = args.subspan(1);
        if (!arguments.empty() && isHelp(arguments[0])) {
            printCommandUsage(*command, out);
            return Success;
        }
        return runCommand(*command, arguments, out, err);
    }
    err << "skirvane-cli: unknown command '" << args[0] << "'\n";
    printUsage(err);
    return WrongUsage;
}

}  // namespace cli
