// skirvane-cli: the command-line companion of the Skirvane editor.
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "cli/paths.h"

// Arguments reach the commands as UTF-8 on every system; each command turns
// a path into the form the file functions take.
int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // output goes out as UTF-8 bytes, unaltered
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(cli::utf8OfWide(argv[i]));
    return cli::run(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return cli::run(args, std::cout, std::cerr);
}
#endif
