#include "cli/paths.h"

#include "core/code_page.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace cli {

#ifdef _WIN32

bool pathOfArgument(std::string_view argument, std::string& path) {
    return core::utf8ToCp1251(argument, path) == core::Utf8Conversion::Converted;
}

std::filesystem::path fileSystemPathOf(std::string_view argument) {
    if (argument.empty()) return {};
    const int size = static_cast<int>(argument.size());
    const int length = MultiByteToWideChar(CP_UTF8, 0, argument.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, argument.data(), size, wide.data(), length);
    return wide;
}

std::string argumentOfPath(const std::filesystem::path& path) { return utf8OfWide(path.native()); }

std::string utf8OfWide(std::wstring_view text) {
    if (text.empty()) return {};
    const int wideLength = static_cast<int>(text.size());
    const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), wideLength, utf8.data(), length, nullptr, nullptr);
    return utf8;
}

#else

bool pathOfArgument(std::string_view argument, std::string& path) {
    path = argument;
    return true;
}

std::filesystem::path fileSystemPathOf(std::string_view argument) { return argument; }

std::string argumentOfPath(const std::filesystem::path& path) { return path.native(); }

#endif

}  // namespace cli
