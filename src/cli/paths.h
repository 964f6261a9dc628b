// Paths given on the command line in the form the file functions of each
// system take.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace cli {

// A path argument (UTF-8, as every argument arrives) as the file functions
// take it: unchanged on Linux, code page 1251 on Windows. False when
// Windows cannot name it in that code page.
bool pathOfArgument(std::string_view argument, std::string& path);

// A path argument as a path object, for walking folders, and a path object
// as an argument again; every name survives the round trip.
std::filesystem::path fileSystemPathOf(std::string_view argument);
std::string argumentOfPath(const std::filesystem::path& path);

#ifdef _WIN32
// A text of the wide Win32 functions as UTF-8; what is no character (a lone
// surrogate) becomes U+FFFD.
std::string utf8OfWide(std::wstring_view text);
#endif

}  // namespace cli
