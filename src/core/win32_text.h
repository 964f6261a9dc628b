// Conversions between the program's texts (code page 1251) and the UTF-16
// that the wide Win32 functions take. Nothing is ever replaced by a
// look-alike: a character code page 1251 lacks is never turned into a
// similar one (É into E, a full-width backslash into a backslash).
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace core {

std::wstring toWide(std::string_view text);
// Characters that code page 1251 cannot hold become '?'.
std::string fromWide(std::wstring_view text);
// Nothing when the text holds a character that code page 1251 cannot hold.
std::optional<std::string> fromWideExactly(std::wstring_view text);

}  // namespace core
