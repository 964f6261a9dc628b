// The commands of skirvane-cli, apart from the process around them so that
// tests can run them directly.
#pragma once

#include <ostream>
#include <span>
#include <string>

namespace cli {

enum ExitStatus : int { Success = 0, Failure = 1, WrongUsage = 2 };

using Arguments = std::span<const std::string>;

// Runs the command named by args[0] with the arguments after it. Arguments
// are UTF-8 texts; paths among them name files as the system's own
// arguments do (see paths.h).
int run(Arguments args, std::ostream& out, std::ostream& err);

}  // namespace cli
