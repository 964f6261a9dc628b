#include "cli/commands.h"

#include <CLI/CLI.hpp>
#include <algorithm>
#include <array>
#include <memory>
#include <new>
#include <vector>

#include "cli/command.h"
#include "cli/command_help.h"
#include "cli/json_model.h"
#include "version.h"

namespace cli {

namespace {

// In the order of skirvane-cli --help.
constexpr std::array<const Command*, 8> kCommands{&kShowCommand,   &kSaveCommand,         &kSetCommand,
                                                  &kImportCommand, &kTexturesCommand,     &kFindCommand,
                                                  &kUsageCommand,  &kRenameTextureCommand};

// The command line of skirvane-cli: a CLI11 app with a subcommand for each
// command, declared by the command.
class CommandLine {
public:
    CommandLine() : app_("", "skirvane-cli") {
        // Before the subcommands, which take them over.
        app_.formatter(std::make_shared<CommandHelp>(kCommands));
        app_.failure_message(failureMessage);
        app_.set_version_flag("--version", "skirvane-cli " SKIRVANE_VERSION);
        app_.require_subcommand(1);
        for (const Command* command : kCommands) {
            CLI::App* subcommand = app_.add_subcommand(std::string(command->name));
            auto syntax = std::make_unique<CommandSyntax>(*subcommand);
            runners_.push_back(command->declare(*syntax));
            syntaxes_.push_back(std::move(syntax));
        }
    }

    // Parses the arguments and runs the command they name. Wrong usage and
    // --help end here, with the exit status for them.
    int run(Arguments args, std::ostream& out, std::ostream& err) {
        try {
            app_.parse(arranged(args));
        } catch (const CLI::ParseError& error) {
            return app_.exit(error, out, err) == 0 ? Success : WrongUsage;
        }
        const std::size_t index = indexOf(app_.get_subcommands().front()->get_name());
        return runCommand(*kCommands[index], runners_[index], out, err);
    }

private:
    // The command's place in kCommands; kCommands.size() for no command.
    static std::size_t indexOf(std::string_view name) {
        const auto named = [name](const Command* command) { return command->name == name; };
        return static_cast<std::size_t>(std::find_if(kCommands.begin(), kCommands.end(), named) - kCommands.begin());
    }

    // The arguments as CLI11 is to read them, last first: the command's own
    // arranged by its syntax. A first argument that names no command is
    // given after "--", so that CLI11 keeps it whatever it looks like, for
    // the failure message to name.
    std::vector<std::string> arranged(Arguments args) {
        if (args.empty()) return {};
        std::vector<std::string> line;
        if (app_.get_help_ptr()->check_name(args[0]) || app_.get_version_ptr()->check_name(args[0])) {
            line = {args[0]};
        } else if (const std::size_t index = indexOf(args[0]); index < kCommands.size()) {
            line = syntaxes_[index]->arrange(args.subspan(1));
            line.insert(line.begin(), args[0]);
        } else {
            line = {"--", args[0]};
        }
        std::reverse(line.begin(), line.end());
        return line;
    }

    // Runs the command. What the JSON library or a failed allocation may
    // still throw ends it as a failure with a message, never as an abort.
    static int runCommand(const Command& command, const CommandRunner& runner, std::ostream& out, std::ostream& err) {
        try {
            return runner(out, err);
        } catch (const Json::exception& error) {
            err << "skirvane-cli " << command.name << ": " << error.what() << '\n';
        } catch (const std::bad_alloc&) {
            err << "skirvane-cli " << command.name << ": not enough memory\n";
        }
        return Failure;
    }

    CLI::App app_;
    std::vector<std::unique_ptr<CommandSyntax>> syntaxes_;  // by command, in the order of kCommands
    std::vector<CommandRunner> runners_;
};

}  // namespace

int run(Arguments args, std::ostream& out, std::ostream& err) { return CommandLine().run(args, out, err); }

}  // namespace cli
