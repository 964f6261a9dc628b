// The texts skirvane-cli prints for --help and for wrong usage, given to
// CLI11 as its help formatter and its failure message.
#pragma once

#include <CLI/CLI.hpp>
#include <span>
#include <string>

#include "cli/command.h"

namespace cli {

// "skirvane-cli --help" lists the commands; "skirvane-cli COMMAND --help"
// gives the command's synopsis, summary and details.
class CommandHelp : public CLI::FormatterBase {
public:
    explicit CommandHelp(std::span<const Command* const> commands) : commands_(commands) {}

    std::string make_help(const CLI::App* app, std::string name, CLI::AppFormatMode mode) const override;

private:
    std::string listOfCommands() const;

    std::span<const Command* const> commands_;
};

// Wrong usage: the problem ("skirvane-cli set: PROBLEM", or an unknown
// command) and the usage it concerns.
std::string failureMessage(const CLI::App* app, const CLI::Error& error);

}  // namespace cli
