#include "cli/command_help.h"

#include <algorithm>
#include <sstream>

namespace cli {

std::string CommandHelp::make_help(const CLI::App* app, std::string, CLI::AppFormatMode) const {
    if (app->get_parent() == nullptr) return listOfCommands();
    const auto command = std::find_if(commands_.begin(), commands_.end(),
                                      [app](const Command* candidate) { return candidate->name == app->get_name(); });
    if (command == commands_.end()) return {};
    std::ostringstream text;
    text << "Usage: skirvane-cli " << (*command)->synopsis << '\n' << (*command)->summary << '\n';
    if (!(*command)->details.empty()) text << '\n' << (*command)->details;
    return text.str();
}

std::string CommandHelp::listOfCommands() const {
    std::ostringstream text;
    text << "Usage: skirvane-cli COMMAND ARGUMENTS\n"
            "Reads and writes the materials of 4DS models.\n\nCommands:\n";
    constexpr std::size_t kSynopsisWidth = 46;
    for (const Command* command : commands_) {
        text << "  " << command->synopsis;
        if (command->synopsis.size() < kSynopsisWidth)
            text << std::string(kSynopsisWidth - command->synopsis.size(), ' ');
        else
            text << "\n  " << std::string(kSynopsisWidth, ' ');
        text << command->summary << '\n';
    }
    text << "\nskirvane-cli COMMAND --help describes one command; skirvane-cli --version gives the version.\n"
            "Exit status: 0 done, 1 refused or failed (nothing is written then), 2 wrong usage.\n";
    return text.str();
}

std::string failureMessage(const CLI::App* app, const CLI::Error& error) {
    const std::vector<CLI::App*> commands = app->get_subcommands();
    if (!commands.empty())
        return "skirvane-cli " + commands.front()->get_name() + ": " + error.what() + '\n' + commands.front()->help();
    // No command: none was given, or the argument CLI11 was left with is
    // none of them.
    const std::vector<std::string> left = app->remaining();
    const std::string unknown = left.empty() ? "" : "skirvane-cli: unknown command '" + left.back() + "'\n";
    return unknown + app->help();
}

}  // namespace cli
