// Conversions between the program's texts (code page 1251) and the UTF-16
// that the wide Win32 functions take.
#pragma once

#include <string>
#include <string_view>

namespace toolkit {

std::wstring toWide(std::string_view text);
// Characters that code page 1251 cannot hold become '?'.
std::string fromWide(std::wstring_view text);

}  // namespace toolkit
