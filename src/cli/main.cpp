// skirvane-cli: the command-line companion of the Skirvane editor.
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>

#include "toolkit/win32_text.h"

// Arguments come as UTF-16 and become the program's code page 1251 texts,
// the form every path takes inside the program.
int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // JSON goes out as UTF-8 bytes, unaltered
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(toolkit::fromWide(argv[i]));
    return cli::run(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return cli::run(args, std::cout, std::cerr);
}
#endif
