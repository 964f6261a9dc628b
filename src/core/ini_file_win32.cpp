// INI values through the system's profile functions. The file's path goes
// in wide, so that a settings file in any folder is found; section, key and
// value texts pass as the byte-wise profile functions would pass them (in
// the system's own code page), so code page 1251 texts come back as they
// were written.
#include <windows.h>

#include "core/ini_file.h"

namespace core {

namespace {

std::wstring systemTextToWide(const std::string& text) {
    if (text.empty()) return {};
    const int size = static_cast<int>(text.size());
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
    return wide;
}

std::string wideToSystemText(std::wstring_view wide) {
    if (wide.empty()) return {};
    const int size = static_cast<int>(wide.size());
    const int length = WideCharToMultiByte(CP_ACP, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), size, text.data(), length, nullptr, nullptr);
    return text;
}

}  // namespace

std::string IniFile::valueString(const std::string& key, const std::string& value) {
    const std::wstring section = systemTextToWide(section_), wideKey = systemTextToWide(key);
    const std::wstring wideValue = systemTextToWide(value);
    if (mode_ == Writing) {
        WritePrivateProfileStringW(section.c_str(), wideKey.c_str(), wideValue.c_str(), fileName_.c_str());
        return value;
    }
    wchar_t buffer[kValueBufferSize];
    const DWORD length = GetPrivateProfileStringW(section.c_str(), wideKey.c_str(), wideValue.c_str(), buffer,
                                                  static_cast<DWORD>(std::size(buffer)), fileName_.c_str());
    return wideToSystemText(std::wstring_view(buffer, length));
}

}  // namespace core
