#include "cli/paths.h"

#include "cli/cp1251.h"

namespace cli {

#ifdef _WIN32

bool pathOfArgument(std::string_view argument, std::string& path) {
    return utf8ToCp1251(argument, path) == Utf8Conversion::Converted;
}

std::string texturePath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '\\' && path.back() != '/') path += '\\';
    return path.append(name);
}

#else

bool pathOfArgument(std::string_view argument, std::string& path) {
    path = argument;
    return true;
}

std::string texturePath(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && path.back() != '/') path += '/';
    return path + cp1251ToUtf8(name);
}

#endif

}  // namespace cli
