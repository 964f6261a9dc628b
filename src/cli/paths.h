// Paths given on the command line and the paths of texture files, in the
// form the file functions of each system take.
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

// The file of a texture name (code page 1251) in a folder given as a path:
// the folder, a separator unless it ends with one, and the name, which on
// Linux becomes UTF-8 as Wine stores such names.
std::string texturePath(std::string_view folder, std::string_view name);

#ifdef _WIN32
// A text of the wide Win32 functions as UTF-8; what is no character (a lone
// surrogate) becomes U+FFFD.
std::string utf8OfWide(std::wstring_view text);
#endif

}  // namespace cli
