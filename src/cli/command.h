// A command of skirvane-cli: its name, its help and the declaration of its
// command line.
#pragma once

#include <functional>
#include <ostream>
#include <string_view>

#include "cli/command_syntax.h"

namespace cli {

// Runs a command on what its command line read; gives the exit status.
using CommandRunner = std::function<int(std::ostream& out, std::ostream& err)>;

struct Command {
    std::string_view name;
    std::string_view synopsis;  // "set MODEL.4ds NUMBER [changes] [-o OUT.4ds]"
    std::string_view summary;   // one line for the list of commands
    std::string_view details;   // the rest of the command's --help; may be empty
    // Declares the command's operands and options; what it gives runs the
    // command once they are read.
    CommandRunner (*declare)(CommandSyntax& syntax);
};

extern const Command kShowCommand;
extern const Command kSaveCommand;
extern const Command kSetCommand;
extern const Command kImportCommand;
extern const Command kTexturesCommand;
extern const Command kFindCommand;
extern const Command kUsageCommand;
extern const Command kRenameTextureCommand;

}  // namespace cli
