// skirvane-cli: the command-line companion of the Skirvane editor.
#include <cwchar>
#include <iostream>
#include <string>
#include <vector>

#include "cli/commands.h"

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

// Arguments reach the commands as UTF-8 on every system; each command turns
// a path into the form the file functions take.
std::string utf8Of(const wchar_t* argument) {
    const int wideLength = static_cast<int>(std::wcslen(argument));
    if (wideLength == 0) return {};
    const int length = WideCharToMultiByte(CP_UTF8, 0, argument, wideLength, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, argument, wideLength, text.data(), length, nullptr, nullptr);
    return text;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    _setmode(_fileno(stdout), _O_BINARY);  // output goes out as UTF-8 bytes, unaltered
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) args.push_back(utf8Of(argv[i]));
    return cli::run(args, std::cout, std::cerr);
}
#else
int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    return cli::run(args, std::cout, std::cerr);
}
#endif
